// Drives the modal dialogs a test opens: a CBT hook on the test's thread notices
// each new dialog window, and a timer on it first lets the test look at the
// dialog, then posts the chosen button as if it had been clicked.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace tovan::test {

class DialogDriver {
public:
    // `inspect` runs inside the dialog's message loop before the button is posted;
    // it returns the button to press (or the default `button`).
    using Inspector = std::function<int(HWND dialog)>;

    explicit DialogDriver(int button, Inspector inspect = nullptr, UINT delayMs = 50);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    int DialogsSeen() const { return m_Seen; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND window, UINT, UINT_PTR id, DWORD);

    HHOOK m_Hook = nullptr;
    int m_Button;
    Inspector m_Inspect;
    UINT m_Delay;
    int m_Seen = 0;
};

std::string WindowText(HWND window);
bool IsDialogWindow(HWND window);

}  // namespace tovan::test
