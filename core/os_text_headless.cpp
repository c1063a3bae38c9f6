#include "core/os.h"

#include <cstring>

namespace tovan::os {

int AnsiToWide(const char* text, uint16_t* out, int outUnits) {
    if (!text)
        return 0;
    size_t needed = strlen(text) + 1;
    if (needed > size_t(INT32_MAX))
        return 0;
    if (!out)
        return int(needed);
    if (outUnits < 0 || size_t(outUnits) < needed)
        return 0;
    for (size_t i = 0; i < needed; ++i)
        out[i] = uint8_t(text[i]);
    return int(needed);
}

}  // namespace tovan::os
