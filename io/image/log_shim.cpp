#include "io/image/log_shim.h"

#include <cstdarg>
#include <cstdio>

namespace tovan {
namespace { int g_Count = 0; }
void Warning(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::vfprintf(stderr, fmt, args);
    va_end(args);
    ++g_Count;
}
int ShimWarningCount() { return g_Count; }
}
