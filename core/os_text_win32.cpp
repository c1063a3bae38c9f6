#include "core/os.h"

#include <windows.h>

namespace tovan::os {

int AnsiToWide(const char* text, uint16_t* out, int outUnits) {
    if (!text)
        return 0;
    static_assert(sizeof(WCHAR) == sizeof(uint16_t), "UTF-16 units");
    return MultiByteToWideChar(CP_ACP, 0, text, -1, reinterpret_cast<WCHAR*>(out), out ? outUnits : 0);
}

}  // namespace tovan::os
