#include "win32/window_utils.h"

#include <windows.h>

namespace tovan {

static_assert(sizeof(WindowRect) == sizeof(RECT) && offsetof(RECT, bottom) == offsetof(WindowRect, bottom),
              "WindowRect mirrors RECT");

void WindowSizeForClient(void* window, int clientWidth, int clientHeight, int* width, int* height) {
    HWND hwnd = static_cast<HWND>(window);
    RECT rect = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rect, DWORD(GetWindowLongA(hwnd, GWL_STYLE)), FALSE, DWORD(GetWindowLongA(hwnd, GWL_EXSTYLE)));
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
}

}  // namespace tovan
