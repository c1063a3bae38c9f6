#include "win32/window_helpers.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace tovan {

namespace {
WindowRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The shell's flags for a quiet look-up: no window, no search, no tracking, no
// update of the link file (SLR_NO_UI, SLR_ANY_MATCH, SLR_NOUPDATE, SLR_NOSEARCH,
// SLR_NOTRACK, SLR_NOLINKINFO).
constexpr DWORD kQuietResolve = 0x7B;
}  // namespace

void CenterWindow(void* window, void* reference) {
    HWND hwnd = static_cast<HWND>(window);
    RECT work = {0, 0, 0, 0}, own, around;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (!hwnd || !GetWindowRect(hwnd, &own))
        return;
    if (!reference || !GetWindowRect(static_cast<HWND>(reference), &around))
        around = work;
    const WindowPosition at = CenteredPosition(FromRect(own), FromRect(around), FromRect(work));
    SetWindowPos(hwnd, nullptr, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
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

cStr ResolveShortcut(const char* path) {
    cStr result;
    if (!path || FAILED(CoInitialize(nullptr)))
        return result;
    // A path that does not fit MAX_PATH units fails here instead of reaching the
    // shell cut short or without its terminator.
    WCHAR wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) == 0)
        return result;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return result;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(wide, STGM_READ)) && SUCCEEDED(link->Resolve(nullptr, kQuietResolve))) {
            char target[MAX_PATH] = {};
            WIN32_FIND_DATAA found;
            if (SUCCEEDED(link->GetPath(target, MAX_PATH, &found, SLGP_RAWPATH))) {
                target[MAX_PATH - 1] = 0;
                result = target;
            }
        }
        file->Release();
    }
    link->Release();
    return result;
}

}  // namespace tovan
