#include "win32/modal_windows.h"

#include <windows.h>

namespace tovan::modal {

int ShowQuestion(void* owner, const char* text, const char* caption) {
    return MessageBoxA(static_cast<HWND>(owner), text, caption, MB_YESNO);
}

WindowRect WorkArea() {
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top, work.right, work.bottom};
}

}  // namespace tovan::modal
