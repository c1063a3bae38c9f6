#include "tests/support/real_input_win32.h"

#include "tests/support/dialog_driver_win32.h"

#include <commctrl.h>

#include <vector>

namespace tovan::test {

namespace {

bool Send(std::vector<INPUT>& inputs) {
    return SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

INPUT Mouse(DWORD flags, POINT screen) {
    // Absolute coordinates are normalised to 0..65535 over the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG((screen.x * 65535 + width / 2) / (width - 1));
    input.mi.dy = LONG((screen.y * 65535 + height / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

INPUT Key(WORD virtualKey, WORD character, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = character;
    input.ki.dwFlags = flags;
    return input;
}

struct Search {
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, search->className) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

void PumpMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG message;
    do {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            // As a dialog's own loop does: Tab, Enter and Esc work its controls.
            HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
            if (root && IsDialogWindow(root) && IsDialogMessageA(root, &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

bool ClickAt(POINT screen, bool twice) {
    // A click soon after the one before, at the same place, would make a
    // double click of them: wait until it cannot.
    static DWORD lastClick = GetTickCount() - GetDoubleClickTime() - 1;
    const DWORD since = GetTickCount() - lastClick, wait = GetDoubleClickTime() + 100;
    if (since < wait)
        Sleep(wait - since);
    std::vector<INPUT> inputs = {Mouse(MOUSEEVENTF_MOVE, screen)};
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        inputs.push_back(Mouse(MOUSEEVENTF_LEFTDOWN, screen));
        inputs.push_back(Mouse(MOUSEEVENTF_LEFTUP, screen));
    }
    const bool sent = Send(inputs);
    lastClick = GetTickCount();
    return sent;
}

bool ClickClientRect(HWND window, const RECT& r, bool twice) {
    POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return ClientToScreen(window, &centre) && ClickAt(centre, twice);
}

bool PressKey(WORD virtualKey) {
    std::vector<INPUT> inputs = {Key(virtualKey, 0, 0), Key(virtualKey, 0, KEYEVENTF_KEYUP)};
    return Send(inputs);
}

bool TypeText(const std::string& text) {
    std::vector<INPUT> inputs;
    for (char c : text) {
        inputs.push_back(Key(0, WORD(static_cast<unsigned char>(c)), KEYEVENTF_UNICODE));
        inputs.push_back(Key(0, WORD(static_cast<unsigned char>(c)), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    return Send(inputs);
}

HWND FindDescendant(HWND parent, const char* className) {
    Search search = {className, nullptr};
    EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int FindListItem(HWND listView, const std::string& text) {
    const int count = int(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char label[MAX_PATH] = {};
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = label;
        item.cchTextMax = sizeof label;
        SendMessageA(listView, LVM_GETITEMTEXTA, WPARAM(i), reinterpret_cast<LPARAM>(&item));
        if (lstrcmpiA(label, text.c_str()) == 0)
            return i;
    }
    return -1;
}

bool ClickListItem(HWND listView, int item, bool twice) {
    RECT r = {};
    r.left = LVIR_LABEL;
    if (item < 0 || !SendMessageA(listView, LVM_GETITEMRECT, WPARAM(item), reinterpret_cast<LPARAM>(&r)))
        return false;
    return ClickClientRect(listView, r, twice);
}

bool ClickCloseButton(HWND window) {
    RECT r;
    if (!GetWindowRect(window, &r))
        return false;
    // Along the caption from the right: the first point that hit-tests as the
    // close button is where a user would click.
    const int captionBottom = r.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME) + 2;
    for (int y = r.top + 2; y < captionBottom; y += 2)
        for (int x = r.right - 2; x > r.right - 80; x -= 2) {
            const LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
            if (hit == HTCLOSE)
                return ClickAt({x, y});
        }
    return false;
}

}  // namespace tovan::test
