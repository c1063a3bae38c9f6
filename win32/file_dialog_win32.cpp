// The system's explorer-style file dialog with the preview template as its
// child: the child's hook follows the selection, a timer on it refreshes the
// pane, and the system dialog's own procedure is replaced to see OK and typing.
#include "core/window_utils.h"
#include "win32/file_dialog.h"
#include "win32/window_helpers.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>

namespace tovan {

namespace {

constexpr UINT_PTR kTimerId = 1;

using Dialog = cWin32::FileDialog;

// Set by plain assignment: the system dialog itself sends WM_USER-range
// messages (DM_SETDEFID) to both windows, so no message may carry them.
Dialog* g_Current = nullptr;      // the pane hook's dialog
Dialog* g_FrameDialog = nullptr;  // the frame procedure's dialog
WNDPROC g_PreviousFrameProc = nullptr;
bool g_Dragging = false;
POINT g_LastCursor = {};

UINT_PTR CALLBACK PaneHook(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    return UINT_PTR(FileDialogPlatform::OnPaneMessage(pane, message, wParam, lParam));
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    return FileDialogPlatform::OnFrameMessage(frame, message, wParam, lParam);
}

// The system's labels, boxes and buttons below the file list, which move down
// by what the dialog grows; the list itself grows.
constexpr int kMovedDown[] = {1090, Dialog::kFileNameBox, IDOK, 1089, Dialog::kFileTypeBox, IDCANCEL};

void MoveControl(HWND frame, int id, int down, int grow) {
    HWND control = GetDlgItem(frame, id);
    RECT r;
    if (!control || !GetWindowRect(control, &r))
        return;
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(control, nullptr, r.left, r.top + down, r.right - r.left, r.bottom - r.top + grow,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

struct PaneControls {
    HWND preview, name, info;
};

BOOL CALLBACK FindPaneControl(HWND window, LPARAM lParam) {
    auto* found = reinterpret_cast<PaneControls*>(lParam);
    const int id = GetDlgCtrlID(window);
    HWND* slot = id == Dialog::kPreviewPane ? &found->preview
                 : id == Dialog::kNameLabel ? &found->name
                 : id == Dialog::kInfoLabel ? &found->info
                                            : nullptr;
    if (slot)
        *slot = window;
    return TRUE;
}

// The info label reaches down to the pane's bottom, whatever size the system
// gives the pane: the template's label runs past the pane's first size, which
// hid its last line.
void LayoutInfoLabel(HWND label, HWND pane) {
    RECT client, r;
    if (!label || !GetClientRect(pane, &client) || !GetWindowRect(label, &r))
        return;
    MapWindowPoints(nullptr, pane, reinterpret_cast<POINT*>(&r), 2);
    const int height = client.bottom > r.top ? client.bottom - r.top : 0;
    SetWindowPos(label, nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

cStr DialogSpec(HWND frame) {
    char spec[Dialog::kPathSize] = {};
    SendMessageA(frame, CDM_GETSPEC, sizeof spec, reinterpret_cast<LPARAM>(spec));
    spec[sizeof spec - 1] = 0;
    return cStr(spec);
}

}  // namespace

bool FileDialogPlatform::Show(Dialog& dialog) {
    OPENFILENAMEA request;
    std::memset(&request, 0, sizeof request);
    request.lStructSize = sizeof request;
    request.hwndOwner = static_cast<HWND>(dialog.m_Owner);
    request.hInstance = reinterpret_cast<HINSTANCE>(const_cast<uint8_t*>(dialog.m_Template.Data()));
    request.lpstrFilter = dialog.m_Filter.GetText();
    request.nFilterIndex = DWORD(dialog.m_FilterIndex);
    request.lpstrFile = dialog.m_FileName;
    request.nMaxFile = Dialog::kPathSize;
    request.lpstrInitialDir = dialog.m_InitialFolder.IsEmpty() ? nullptr : dialog.m_InitialFolder.GetText();
    request.lpstrTitle = dialog.m_Title.IsEmpty() ? nullptr : dialog.m_Title.GetText();
    request.Flags = dialog.m_Flags;
    request.lpfnHook = PaneHook;
    request.FlagsEx = Dialog::kNoPlacesBar;

    g_Current = &dialog;
    g_Dragging = false;
    const BOOL confirmed = dialog.m_Open ? GetOpenFileNameA(&request) : GetSaveFileNameA(&request);
    dialog.m_FilterIndex = int32_t(request.nFilterIndex);
    g_Current = g_FrameDialog = nullptr;
    g_Dragging = false;
    g_PreviousFrameProc = nullptr;
    return confirmed != FALSE;
}

void FileDialogPlatform::InitDone(Dialog& dialog, void* paneWindow) {
    HWND pane = static_cast<HWND>(paneWindow);
    HWND frame = GetParent(pane);
    RECT r;
    GetWindowRect(frame, &r);
    const int gained = Dialog::kDialogHeight - (r.bottom - r.top);
    SetWindowPos(frame, nullptr, 0, 0, r.right - r.left, Dialog::kDialogHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int id : kMovedDown)
        MoveControl(frame, id, gained, 0);
    MoveControl(frame, Dialog::kFileList, 0, gained);
    CenterWindow(frame, nullptr);

    dialog.m_Child = pane;
    DialogWindowHandle = pane;
    dialog.m_FileNameBox = GetDlgItem(frame, Dialog::kFileNameBox);
    if (dialog.m_Open) {
        SendMessageA(frame, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>("Load"));
        EnableWindow(GetDlgItem(frame, IDOK), FALSE);
    }
    PaneControls found = {};
    EnumChildWindows(frame, FindPaneControl, reinterpret_cast<LPARAM>(&found));
    dialog.m_PreviewControl = found.preview;
    dialog.m_NameLabelWindow = found.name;
    dialog.m_InfoLabelWindow = found.info;
    // The pane grows with the dialog, as it does when the user resizes it.
    RECT paneRect;
    GetWindowRect(pane, &paneRect);
    if (gained > 0)
        SetWindowPos(pane, nullptr, 0, 0, paneRect.right - paneRect.left, paneRect.bottom - paneRect.top + gained,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutInfoLabel(found.info, pane);

    g_FrameDialog = &dialog;
    g_PreviousFrameProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc)));
    dialog.m_PreviousFrameProc = reinterpret_cast<void*>(g_PreviousFrameProc);
    SetTimer(pane, kTimerId, Dialog::kTimerMs, nullptr);
}

void FileDialogPlatform::RefreshPane(Dialog& dialog, void* paneWindow) {
    HWND pane = static_cast<HWND>(paneWindow);
    HWND frame = GetParent(pane);
    char path[Dialog::kPathSize] = {};
    SendMessageA(frame, CDM_GETFILEPATH, sizeof path, reinterpret_cast<LPARAM>(path));
    path[sizeof path - 1] = 0;
    char name[Dialog::kPathSize] = {};
    if (dialog.m_FileNameBox)
        GetWindowTextA(static_cast<HWND>(dialog.m_FileNameBox), name, sizeof name);
    char directory[Dialog::kPathSize] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    if (length >= sizeof directory)
        directory[0] = 0;

    const bool loaded = dialog.Refresh(path, name, directory);
    if (dialog.m_Open)
        EnableWindow(GetDlgItem(frame, IDOK), loaded);
    if (dialog.m_NameLabelWindow)
        SetWindowTextA(static_cast<HWND>(dialog.m_NameLabelWindow), dialog.m_NameLabel.GetText());
    if (dialog.m_InfoLabelWindow)
        SetWindowTextA(static_cast<HWND>(dialog.m_InfoLabelWindow), dialog.m_InfoText.GetText());
    if (dialog.m_PreviewControl)
        InvalidateRect(static_cast<HWND>(dialog.m_PreviewControl), nullptr, FALSE);
}

intptr_t FileDialogPlatform::OnPaneMessage(void* paneWindow, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    Dialog* dialog = g_Current;
    HWND pane = static_cast<HWND>(paneWindow);
    if (!dialog)
        return 0;
    HWND preview = static_cast<HWND>(dialog->m_PreviewControl);
    switch (message) {
    case WM_NOTIFY: {
        const auto* note = reinterpret_cast<const OFNOTIFYA*>(lParam);
        HWND frame = GetParent(pane);
        switch (note->hdr.code) {
        case CDN_INITDONE: InitDone(*dialog, pane); break;
        case CDN_SELCHANGE:
        case CDN_FILEOK:
            if (!dialog->m_OkPressed && dialog->m_FileNameBox)
                SendMessageA(static_cast<HWND>(dialog->m_FileNameBox), WM_SETTEXT, 0,
                             reinterpret_cast<LPARAM>(DialogSpec(frame).GetText()));
            dialog->m_RefreshPending = true;
            if (note->hdr.code == CDN_FILEOK && !dialog->m_Open) {
                // The result is settled now, not at the next tick; No keeps the dialog up.
                dialog->m_RefreshPending = false;
                RefreshPane(*dialog, pane);
                if (note->lpOFN)
                    dialog->m_FilterIndex = int32_t(note->lpOFN->nFilterIndex);
                if (!dialog->ConfirmCompletedName()) {
                    SetWindowLongPtrA(pane, DWLP_MSGRESULT, 1);
                    return 1;
                }
            }
            break;
        case CDN_FOLDERCHANGE: dialog->m_RefreshPending = true; break;
        case CDN_TYPECHANGE: {
            const cStr ext = dialog->TypeExtension(note->lpOFN ? int32_t(note->lpOFN->nFilterIndex) : 0);
            if (!ext.IsEmpty()) {
                cStr spec = DialogSpec(frame);
                spec.SetExtension(ext.GetText());
                SendMessageA(frame, CDM_SETCONTROLTEXT, Dialog::kFileNameBox, reinterpret_cast<LPARAM>(spec.GetText()));
            }
            break;
        }
        default: break;
        }
        return 0;
    }
    case WM_TIMER:
        if (wParam != kTimerId)
            return 0;
        if (dialog->m_RefreshPending) {
            dialog->m_RefreshPending = false;
            RefreshPane(*dialog, pane);
        }
        if (dialog->m_Animated && preview)
            InvalidateRect(preview, nullptr, FALSE);
        return 0;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (wParam != UINT_PTR(Dialog::kPreviewPane) || !item)
            return 0;
        const int width = item->rcItem.right - item->rcItem.left;
        const int height = item->rcItem.bottom - item->rcItem.top;
        dialog->Paint(width, height);
        const PreviewCanvas& canvas = dialog->m_Canvas;
        if (!canvas.IsEmpty())
            SetDIBitsToDevice(item->hDC, item->rcItem.left, item->rcItem.top, DWORD(width), DWORD(height), 0, 0, 0,
                              UINT(height), canvas.Bits(), reinterpret_cast<const BITMAPINFO*>(canvas.Header()),
                              DIB_RGB_COLORS);
        return TRUE;
    }
    case WM_LBUTTONDOWN: {
        GetCursorPos(&g_LastCursor);
        RECT r;
        if (!dialog->m_ChosenPath.IsEmpty() && preview && GetWindowRect(preview, &r) && PtInRect(&r, g_LastCursor)) {
            SetCapture(pane);
            g_Dragging = true;
        }
        return 0;
    }
    case WM_MOUSEMOVE: {
        if (!g_Dragging)
            return 0;
        POINT cursor;
        GetCursorPos(&cursor);
        const int dx = cursor.x - g_LastCursor.x, dy = cursor.y - g_LastCursor.y;
        dialog->m_DragX += dx;
        dialog->m_DragY += dy;
        g_LastCursor = cursor;
        if ((dx || dy) && preview)
            InvalidateRect(preview, nullptr, FALSE);
        return 0;
    }
    case WM_LBUTTONUP:
        if (g_Dragging) {
            ReleaseCapture();
            g_Dragging = false;
        }
        return 0;
    case WM_SIZE: LayoutInfoLabel(static_cast<HWND>(dialog->m_InfoLabelWindow), pane); return 0;
    case WM_DESTROY: KillTimer(pane, kTimerId); return 0;
    default: return 0;
    }
}

intptr_t FileDialogPlatform::OnFrameMessage(void* frameWindow, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    HWND frame = static_cast<HWND>(frameWindow);
    if (Dialog* dialog = g_FrameDialog; dialog && message == WM_COMMAND) {
        if (LOWORD(wParam) == IDOK && dialog->m_Open)
            dialog->m_OkPressed = true;
        else if (!dialog->m_OkPressed && LOWORD(wParam) == Dialog::kFileNameBox && HIWORD(wParam) == CBN_EDITCHANGE)
            dialog->m_RefreshPending = true;
    }
    return g_PreviousFrameProc ? CallWindowProcA(g_PreviousFrameProc, frame, message, wParam, lParam)
                               : DefWindowProcA(frame, message, wParam, lParam);
}

}  // namespace tovan
