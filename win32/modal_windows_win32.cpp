#include "win32/modal_windows.h"

#include <windows.h>

namespace tovan::modal {

int ShowQuestion(void* owner, const char* text, const char* caption) {
    return MessageBoxA(static_cast<HWND>(owner), text, caption, MB_YESNO);
}

bool ClientAreaOnScreen(void* window, WindowRect* area) {
    HWND hwnd = static_cast<HWND>(window);
    RECT client;
    if (!hwnd || !GetClientRect(hwnd, &client))
        return false;
    POINT corners[2] = {{client.left, client.top}, {client.right, client.bottom}};
    ClientToScreen(hwnd, &corners[0]);
    ClientToScreen(hwnd, &corners[1]);
    *area = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    return true;
}

WindowRect WorkArea() {
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top, work.right, work.bottom};
}

}  // namespace tovan::modal
