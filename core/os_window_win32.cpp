#include "core/os.h"

#include <windows.h>

namespace tovan::os {

void WindowDestroy(void* window, intptr_t timerId) {
    HWND hwnd = static_cast<HWND>(window);
    if (timerId != -1)
        KillTimer(hwnd, UINT_PTR(timerId));
    DestroyWindow(hwnd);
}

void WindowSizeForClient(void* window, int clientWidth, int clientHeight, int* width, int* height) {
    HWND hwnd = static_cast<HWND>(window);
    RECT rect = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rect, DWORD(GetWindowLongA(hwnd, GWL_STYLE)), FALSE, DWORD(GetWindowLongA(hwnd, GWL_EXSTYLE)));
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
}

uint32_t SystemColor(int index) { return uint32_t(GetSysColor(index)); }

}  // namespace tovan::os
