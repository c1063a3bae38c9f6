// The real text editor under wine, driven like a user would: the driver looks at
// the window, types into it and presses its buttons.
#include "core/window_utils.h"
#include "tests/support/dialog_driver_win32.h"
#include "win32/text_editor.h"

#include <gtest/gtest.h>

#include <string>

namespace tovan {
namespace {

std::string EditText(HWND dialog) {
    HWND edit = GetDlgItem(dialog, kTextEditEdit);
    const int length = GetWindowTextLengthA(edit);
    std::string text(size_t(length) + 1, '\0');
    const int copied = GetWindowTextA(edit, text.data(), length + 1);
    text.resize(size_t(copied > 0 ? copied : 0));
    return text;
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

// A plain overlapped window whose client area the editor opens over.
class MainWindow {
public:
    MainWindow(int x, int y, int width, int height) {
        m_Window = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        MainWindowHandle = m_Window;
    }
    ~MainWindow() {
        MainWindowHandle = nullptr;
        DestroyWindow(m_Window);
    }
    WindowRect ClientOnScreen() const {
        RECT client;
        GetClientRect(m_Window, &client);
        POINT a = {0, 0}, b = {client.right, client.bottom};
        ClientToScreen(m_Window, &a);
        ClientToScreen(m_Window, &b);
        return {a.x, a.y, b.x, b.y};
    }

private:
    HWND m_Window;
};

TEST(TextEditorWin32, OkTakesTheEditedTextThenCancelKeepsIt) {
    MainWindow main(40, 40, 900, 700);
    cStr text("first line\r\nsecond");
    std::string shown;
    {
        test::DialogDriver driver(0, [&](HWND dialog) {
            shown = EditText(dialog);
            SetWindowTextA(GetDlgItem(dialog, kTextEditEdit), "edited\r\ntext");
            return int(kTextEditOk);
        });
        EXPECT_TRUE(TextEditDialog(&text, "Notes"));
        EXPECT_EQ(driver.DialogsSeen(), 1);
    }
    EXPECT_EQ(shown, "first line\r\nsecond");
    EXPECT_EQ(text, "edited\r\ntext");
    {
        test::DialogDriver driver(0, [&](HWND dialog) {
            shown = EditText(dialog);
            SetWindowTextA(GetDlgItem(dialog, kTextEditEdit), "discarded");
            return int(kTextEditCancel);
        });
        EXPECT_FALSE(TextEditDialog(&text, "Notes"));  // the earlier OK does not count
    }
    EXPECT_EQ(shown, "edited\r\ntext");
    EXPECT_EQ(text, "edited\r\ntext");
    {
        test::DialogDriver driver(0, [&](HWND dialog) {
            SetWindowTextA(GetDlgItem(dialog, kTextEditEdit), "closed");
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            return 0;
        });
        EXPECT_FALSE(TextEditDialog(&text, nullptr));  // closing is Cancel
    }
    EXPECT_EQ(text, "edited\r\ntext");
    {
        test::DialogDriver driver(0, [&](HWND dialog) {
            SetWindowTextA(GetDlgItem(dialog, kTextEditEdit), "");
            return int(kTextEditOk);
        });
        EXPECT_TRUE(TextEditDialog(&text, nullptr));
    }
    EXPECT_EQ(text, "");
}

TEST(TextEditorWin32, CaretStartsAtTheEndAndCtrlASelectsAll) {
    MainWindow main(40, 40, 900, 700);
    cStr text("abc\r\ndef");
    std::pair<DWORD, DWORD> atStart, afterA, afterCtrlA;
    bool focused = false;
    test::DialogDriver driver(0, [&](HWND dialog) {
        HWND edit = GetDlgItem(dialog, kTextEditEdit);
        focused = GetFocus() == edit;
        atStart = Selection(edit);
        SendMessageA(edit, WM_KEYDOWN, 'A', 0);
        afterA = Selection(edit);
        BYTE keys[256];
        GetKeyboardState(keys);
        const BYTE control = keys[VK_CONTROL];
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        SendMessageA(edit, WM_KEYDOWN, 'A', 0);
        keys[VK_CONTROL] = control;
        SetKeyboardState(keys);
        afterCtrlA = Selection(edit);
        return int(kTextEditCancel);
    });
    EXPECT_FALSE(TextEditDialog(&text, "Keys"));
    EXPECT_TRUE(focused);
    EXPECT_EQ(atStart, std::make_pair(DWORD(8), DWORD(8)));
    EXPECT_EQ(afterA, std::make_pair(DWORD(8), DWORD(8)));  // 'A' alone selects nothing
    EXPECT_EQ(afterCtrlA, std::make_pair(DWORD(0), DWORD(8)));
}

TEST(TextEditorWin32, OpensCentredOverTheClientAreaAndLaysOutItsControls) {
    struct Case {
        int x, y, width, height;
    };
    const Case cases[] = {{100, 50, 800, 600}, {20, 20, 300, 200}};  // the second is smaller than the editor
    for (const Case& c : cases) {
        MainWindow main(c.x, c.y, c.width, c.height);
        const WindowRect area = main.ClientOnScreen();
        RECT placed = {}, client = {}, edit = {}, ok = {}, cancel = {};
        test::DialogDriver driver(0, [&](HWND dialog) {
            GetWindowRect(dialog, &placed);
            GetClientRect(dialog, &client);
            auto inClient = [&](int id, RECT* r) {
                GetWindowRect(GetDlgItem(dialog, id), r);
                MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(r), 2);
            };
            inClient(kTextEditEdit, &edit);
            inClient(kTextEditOk, &ok);
            inClient(kTextEditCancel, &cancel);
            return int(kTextEditCancel);
        });
        cStr text("x");
        TextEditDialog(&text, "Where");
        EXPECT_EQ(placed.right - placed.left, kTextEditWidth);
        EXPECT_EQ(placed.bottom - placed.top, kTextEditHeight);
        const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
        if (areaWidth >= kTextEditWidth && areaHeight >= kTextEditHeight) {
            EXPECT_EQ(placed.left, area.left + (areaWidth - kTextEditWidth) / 2);
            EXPECT_EQ(placed.top, area.top + (areaHeight - kTextEditHeight) / 2);
        } else {  // the left edge and the bottom line up with the area's
            EXPECT_EQ(placed.left, area.left);
            EXPECT_EQ(placed.bottom, area.bottom);
        }
        const int w = client.right, h = client.bottom;
        EXPECT_EQ(edit.left, 4);
        EXPECT_EQ(edit.top, 4);
        EXPECT_EQ(edit.right, w - 4);
        EXPECT_EQ(edit.bottom, h - 32);
        EXPECT_EQ(ok.left, w - 174);
        EXPECT_EQ(cancel.left, w - 87);
        EXPECT_EQ(cancel.top, h - 28);
        EXPECT_EQ(cancel.right - cancel.left, 83);
        EXPECT_EQ(ok.bottom - ok.top, 24);
    }
}

TEST(TextEditorWin32, TitleBarOnlyWithACaption) {
    MainWindow main(40, 40, 900, 700);
    for (const char* caption : {"Edit Notes", static_cast<const char*>(nullptr)}) {
        LONG style = 0;
        std::string title;
        test::DialogDriver driver(0, [&](HWND dialog) {
            style = GetWindowLongA(dialog, GWL_STYLE);
            title = test::WindowText(dialog);
            return int(kTextEditCancel);
        });
        cStr text;
        TextEditDialog(&text, caption);
        EXPECT_EQ(style & WS_CAPTION, caption ? WS_CAPTION : WS_BORDER);
        EXPECT_EQ(title, caption ? caption : "");
    }
}

TEST(TextEditorWin32, LongTextComesBackWhole) {
    MainWindow main(40, 40, 900, 700);
    std::string original;
    for (int line = 0; original.size() < 50000; ++line)
        original += "line " + std::to_string(line) + " of a long text\r\n";
    cStr text(original.c_str());
    test::DialogDriver driver(kTextEditOk);
    EXPECT_TRUE(TextEditDialog(&text, "Long"));
    EXPECT_EQ(text.Length(), int(original.size()));
    EXPECT_EQ(std::string(text.GetText()), original);
}

}  // namespace
}  // namespace tovan
