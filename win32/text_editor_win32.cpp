#include "core/dialog_template.h"
#include "win32/modal_windows.h"
#include "win32/text_editor.h"

#include <windows.h>

namespace tovan::modal {

namespace {

// Ctrl+A selects the whole text, which a plain edit control does not do.
LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == 'A' && GetKeyState(VK_CONTROL) < 0) {
        SendMessageA(edit, EM_SETSEL, 0, -1);
        return 0;
    }
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetTextEditState().m_PreviousEditProc);
    return CallWindowProcA(previous, edit, message, wParam, lParam);
}

void Init(HWND dialog) {
    TextEditState& state = GetTextEditState();
    HWND edit = GetDlgItem(dialog, kTextEditEdit);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(SYSTEM_FIXED_FONT)), FALSE);
    const WindowRect& place = state.m_Placement;
    MoveWindow(dialog, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
    RECT client;
    GetClientRect(dialog, &client);
    const int w = client.right - client.left, h = client.bottom - client.top;
    MoveWindow(edit, 4, 4, w - 8, h - 36, TRUE);
    HWND cancel = GetDlgItem(dialog, kTextEditCancel), ok = GetDlgItem(dialog, kTextEditOk);
    MoveWindow(cancel, w - 87, h - 28, 83, 24, TRUE);
    MoveWindow(ok, w - 174, h - 28, 83, 24, TRUE);
    InvalidateRect(cancel, nullptr, TRUE);
    InvalidateRect(ok, nullptr, TRUE);
    state.m_PreviousEditProc =
        reinterpret_cast<void*>(SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    // Without this the edit takes only the first 32,767 characters, and OK would
    // cut a longer text.
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    SendMessageA(edit, EM_SETSEL, 0, 0xFFFFFF);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(cStr::TextOf(state.m_Target)));
    SendMessageA(edit, EM_SETSEL, 0xFFFFFF, 0xFFFFFF);
    SendMessageA(edit, EM_LINESCROLL, 0, 0xFFFFFF);
    SetFocus(edit);
}

// Copies the edit's text into the target, never past what GetWindowTextA wrote.
void TakeText(HWND dialog) {
    TextEditState& state = GetTextEditState();
    if (!state.m_Target)
        return;
    HWND edit = GetDlgItem(dialog, kTextEditEdit);
    const int length = GetWindowTextLengthA(edit);
    cStr& target = *state.m_Target;
    if (length <= 0) {
        target.Clear();
        return;
    }
    target.Reserve(length + 1, false);
    const int copied = GetWindowTextA(edit, target.Data(), length + 1);
    target.SetLength(copied > 0 ? copied : 0);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: Init(dialog); return FALSE;  // the edit has the focus
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kTextEditOk:
            TakeText(dialog);
            GetTextEditState().m_Ok = true;
            EndDialog(dialog, kTextEditOk);
            return TRUE;
        case kTextEditCancel: EndDialog(dialog, kTextEditCancel); return TRUE;
        }
        return FALSE;
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
    }
    return FALSE;
}

}  // namespace

int RunTextEditor(const cDialogTemplate& dialog, void* owner) {
    INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(dialog.Data()),
                                static_cast<HWND>(owner), DialogProc, 0);
    return result < 0 ? 0 : int(result);
}

}  // namespace tovan::modal
