#include "win32/open_save_dialog.h"

#include "core/main_window.h"
#include "win32/window_helpers.h"

#include <windows.h>
#include <commdlg.h>
#include <shobjidl.h>

#include <cstring>

namespace tovan {

namespace {

// Older systems' dialogs open where they please: centre them.
UINT_PTR CALLBACK CentreHook(HWND child, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG)
        CenterWindow(GetParent(child), nullptr);
    return 0;
}

}  // namespace

bool ShellDialogAvailable() {
    IFileOpenDialog* probe = nullptr;
    const HRESULT result = CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_ALL, IID_IFileOpenDialog,
                                            reinterpret_cast<void**>(&probe));
    if (FAILED(result) || !probe)
        return false;
    probe->Release();
    return true;
}

bool ShowOpenSaveDialog(OpenSaveDialog& dialog) {
    OPENFILENAMEA request;
    std::memset(&request, 0, sizeof request);
    request.lStructSize = sizeof request;
    request.hwndOwner = static_cast<HWND>(MainWindowHandle);
    request.lpstrTitle = dialog.m_Title.IsEmpty() ? nullptr : dialog.m_Title.GetText();
    request.lpstrFilter = dialog.m_Filter.GetText();
    request.nFilterIndex = DWORD(dialog.m_FilterIndex);
    request.lpstrFile = dialog.m_FileBuffer.Data();
    request.nMaxFile = DWORD(dialog.m_FileBuffer.Count());
    request.lpstrInitialDir = dialog.m_InitialFolder.IsEmpty() ? nullptr : dialog.m_InitialFolder.GetText();
    request.lpfnHook = CentreHook;
    request.Flags = dialog.m_Flags;
    const BOOL confirmed = dialog.m_Open ? GetOpenFileNameA(&request) : GetSaveFileNameA(&request);
    dialog.m_FilterIndex = int32_t(request.nFilterIndex);
    return confirmed != FALSE;
}

}  // namespace tovan
