#include "win32/splash.h"

#include <windows.h>

namespace tovan {

void DestroySplashWindow(void* window, intptr_t timerId) {
    HWND hwnd = static_cast<HWND>(window);
    if (timerId != -1)
        KillTimer(hwnd, UINT_PTR(timerId));
    DestroyWindow(hwnd);
}

}  // namespace tovan
