// The scene-line scan of the unused-resource listings on hostile lines: the
// first byte picks where the extension ends and the line begins. A found name
// is always a piece of the line.
#include "core/str.h"
#include "tools/unused_resources.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace tovan;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const size_t cut = 1 + data[0] % size;
    const std::string extension(reinterpret_cast<const char*>(data + 1), cut - 1);
    const std::string line(reinterpret_cast<const char*>(data + cut), size - cut);
    cStr name;
    if (ResourceNameInLine(line.c_str(), extension.c_str(), name)) {
        const char* text = name.GetText();
        if (!text || std::strstr(line.c_str(), text) == nullptr)
            std::abort();
    }
    return 0;
}
