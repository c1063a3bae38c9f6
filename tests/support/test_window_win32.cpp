#include "tests/support/test_window.h"

#include <windows.h>

namespace tovan::test {

TestWindow::TestWindow() {
    m_Handle = CreateWindowExA(0, "STATIC", "tovan test window", WS_OVERLAPPEDWINDOW, 20, 20, 300, 200, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
}

TestWindow::~TestWindow() {
    if (m_Handle)
        DestroyWindow(static_cast<HWND>(m_Handle));
}

}  // namespace tovan::test
