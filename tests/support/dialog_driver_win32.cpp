#include "tests/support/dialog_driver_win32.h"

namespace tovan::test {

namespace {
thread_local DialogDriver* t_Driver = nullptr;
constexpr UINT_PTR kTimerId = 0x7A11;
constexpr uintptr_t kMaxWaits = 100;  // timer periods to wait for a dialog to show
}  // namespace

std::string WindowText(HWND window) {
    char text[1024] = {0};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool IsDialogWindow(HWND window) {
    char name[64] = {0};
    GetClassNameA(window, name, sizeof name);
    return std::string(name) == "#32770";
}

DialogDriver::DialogDriver(int button, Inspector inspect, UINT delayMs)
    : m_Button(button), m_Inspect(std::move(inspect)), m_Delay(delayMs) {
    t_Driver = this;
    m_Hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
}

DialogDriver::~DialogDriver() {
    if (m_Hook)
        UnhookWindowsHookEx(m_Hook);
    t_Driver = nullptr;
}

LRESULT CALLBACK DialogDriver::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    DialogDriver* self = t_Driver;
    if (self && code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (IsDialogWindow(window) && !GetPropA(window, "tovan.test.driven")) {
            SetPropA(window, "tovan.test.driven", reinterpret_cast<HANDLE>(1));
            ++self->m_Seen;
            SetTimer(window, kTimerId, self->m_Delay, TimerProc);
        }
    }
    return CallNextHookEx(self ? self->m_Hook : nullptr, code, wParam, lParam);
}

void CALLBACK DialogDriver::TimerProc(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    DialogDriver* self = t_Driver;
    if (!self)
        return;
    // A modal dialog is shown when its message loop first runs dry; on a busy
    // machine the timer can come first. The test looks at what a user would see.
    const uintptr_t waits = reinterpret_cast<uintptr_t>(GetPropA(window, "tovan.test.waits"));
    if (!IsWindowVisible(window) && waits < kMaxWaits) {
        SetPropA(window, "tovan.test.waits", reinterpret_cast<HANDLE>(waits + 1));
        SetTimer(window, kTimerId, self->m_Delay, TimerProc);
        return;
    }
    int button = self->m_Inspect ? self->m_Inspect(window) : self->m_Button;
    if (button == 0)
        return;  // the inspector closes the dialog itself
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
}

}  // namespace tovan::test
