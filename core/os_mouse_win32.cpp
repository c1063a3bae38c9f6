#include "core/os.h"

#include <windows.h>

namespace tovan::os {

void MouseCapture(void* window) {
    if (window)
        SetCapture(static_cast<HWND>(window));
}

void MouseRelease() { ReleaseCapture(); }

}  // namespace tovan::os
