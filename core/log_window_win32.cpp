#include "core/log_window.h"

#include "core/dialog_template.h"
#include "core/str.h"
#include "core/window_utils.h"

#include <windows.h>
#include <commctrl.h>

namespace tovan::logwindow {

static_assert(sizeof(WindowRect) == sizeof(RECT) && offsetof(RECT, bottom) == offsetof(WindowRect, bottom),
              "WM_SIZING hands over a RECT as a WindowRect");

namespace {

const char* const kTitleSuffix[] = {" Log", " Warning", " Error", " Assert"};

void Layout(HWND dialog) {
    RECT client, status;
    GetClientRect(dialog, &client);
    HWND bar = GetDlgItem(dialog, kLogStatusBar);
    GetWindowRect(bar, &status);
    int w = client.right - client.left;
    int h = client.bottom - client.top - (status.bottom - status.top);
    MoveWindow(GetDlgItem(dialog, kLogEdit), 4, 4, w - 8, h - 34, TRUE);
    for (int i = 0; i < 5; ++i)
        MoveWindow(GetDlgItem(dialog, kLogExit - i), 352 - 87 * i, h - 26, 83, 24, TRUE);
    InvalidateRect(bar, nullptr, TRUE);
    for (int id = kLogDebug; id <= kLogExit; ++id)
        InvalidateRect(GetDlgItem(dialog, id), nullptr, TRUE);
}

void Fill(HWND dialog) {
    HWND edit = GetDlgItem(dialog, kLogEdit);
    int length = 0;
    const char* whole = Text(&length);
    // A copy: a Log from inside the edit's own processing must not move the text under it.
    cStr text(length > kShownCharacters ? whole + length - kShownCharacters : whole);
    SendMessageA(edit, EM_SETSEL, 0, 0xFFFFFF);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.GetText()));
    SendMessageA(edit, EM_SETSEL, 0xFFFFFF, 0xFFFFFF);
    SendMessageA(edit, EM_LINESCROLL, 0, 0xFFFFFF);
    SetFocus(edit);
}

void Init(HWND dialog) {
    SendMessageA(GetDlgItem(dialog, kLogEdit), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(SYSTEM_FIXED_FONT)),
                 FALSE);
    LogWindowMode mode = Mode();
    for (int id = kLogDebug; id <= kLogExit; ++id)
        EnableWindow(GetDlgItem(dialog, id), ButtonEnabled(id, mode));
    cStr title(Title());
    title += kTitleSuffix[int(mode)];
    SetWindowTextA(dialog, title.GetText());
    if (mode != LogWindowMode::Log)
        EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    Layout(dialog);
    Fill(dialog);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: Init(dialog); return FALSE;  // the edit has the focus
    case WM_SIZE:
        Layout(dialog);
        SendMessageA(GetDlgItem(dialog, kLogStatusBar), WM_SIZE, wParam, lParam);
        return TRUE;
    case WM_SIZING:
        ClampSizing(dialog, int(wParam), reinterpret_cast<WindowRect*>(lParam), kMinClientWidth, kMinClientHeight);
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kLogDebug:
        case kLogIgnore:
        case kLogIgnoreAlways:
        case kLogExit: EndDialog(dialog, LOWORD(wParam)); return TRUE;
        case kLogCopy: CopyText(); return TRUE;
        }
        return FALSE;
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
    }
    return FALSE;
}

}  // namespace

int Run(const cDialogTemplate& dialog, void* owner, LogWindowMode) {
    if (owner)
        SetForegroundWindow(static_cast<HWND>(owner));
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(dialog.Data()),
                                static_cast<HWND>(owner), DialogProc, 0);
    return result < 0 ? 0 : int(result);
}

}  // namespace tovan::logwindow
