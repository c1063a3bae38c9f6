// The real text editor under wine, driven as a user would: the driver looks at
// the window, types into it and presses its buttons.
#include "core/window_utils.h"
#include "tests/support/dialog_driver_win32.h"
#include "win32/text_editor.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tovan {
namespace {

HWND Edit(HWND dialog) { return GetDlgItem(dialog, kTextEditEdit); }

std::string EditText(HWND dialog) {
    std::string text(size_t(GetWindowTextLengthA(Edit(dialog))) + 1, '\0');
    text.resize(size_t(GetWindowTextA(Edit(dialog), text.data(), int(text.size()))));
    return text;
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

// A main window for the editor to open over; the editor's owner while it lives.
class MainWindow {
public:
    MainWindow(int x, int y, int width, int height)
        : m_Window(CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr)) {
        MainWindowHandle = m_Window;
    }
    ~MainWindow() {
        MainWindowHandle = nullptr;
        DestroyWindow(m_Window);
    }
    RECT ClientOnScreen() const {
        RECT r;
        GetClientRect(m_Window, &r);
        MapWindowPoints(m_Window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

private:
    HWND m_Window;
};

// Opens the editor on `text`; `act` types and returns the button to press (0: it closed the window itself).
bool OpenEditor(cStr* text, const char* caption, const std::function<int(HWND)>& act) {
    test::DialogDriver driver(0, act);
    const bool ok = TextEditDialog(text, caption);
    EXPECT_EQ(driver.DialogsSeen(), 1);
    return ok;
}

TEST(TextEditorWin32, OkTakesTheEditedTextCancelAndClosingKeepIt) {
    MainWindow main(40, 40, 900, 700);
    cStr text("first line\r\nsecond");
    struct Case {
        const char* typed;
        int button;  // 0: the window's close box
        bool ok;
        const char* after;
    };
    const Case cases[] = {
        {"edited\r\ntext", kTextEditOk, true, "edited\r\ntext"},
        {"discarded", kTextEditCancel, false, "edited\r\ntext"},  // the earlier OK does not count
        {"closed", 0, false, "edited\r\ntext"},
        {"", kTextEditOk, true, ""},
    };
    std::string shown = text.GetText();
    for (const Case& c : cases) {
        std::string seen;
        EXPECT_EQ(OpenEditor(&text, "Notes",
                             [&](HWND dialog) {
                                 seen = EditText(dialog);
                                 SetWindowTextA(Edit(dialog), c.typed);
                                 if (!c.button)
                                     PostMessageA(dialog, WM_CLOSE, 0, 0);
                                 return c.button;
                             }),
                  c.ok)
            << c.typed;
        EXPECT_EQ(seen, shown);  // the editor opens on the current text
        EXPECT_EQ(std::string(text.GetText()), c.after);
        shown = text.GetText();
    }
}

TEST(TextEditorWin32, CaretStartsAtTheEndAndCtrlASelectsAll) {
    MainWindow main(40, 40, 900, 700);
    cStr text("abc\r\ndef");
    std::pair<DWORD, DWORD> atStart, afterA, afterCtrlA;
    bool focused = false;
    OpenEditor(&text, "Keys", [&](HWND dialog) {
        // A shown dialog gets the keyboard focus once the display activates it,
        // which a busy machine may deliver later: wait for focus to land.
        for (int i = 0; i < 200 && !GetFocus(); ++i) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            Sleep(10);
        }
        focused = GetFocus() == Edit(dialog);
        atStart = Selection(Edit(dialog));
        SendMessageA(Edit(dialog), WM_KEYDOWN, 'A', 0);
        afterA = Selection(Edit(dialog));
        BYTE keys[256];
        GetKeyboardState(keys);
        const BYTE control = keys[VK_CONTROL];
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        SendMessageA(Edit(dialog), WM_KEYDOWN, 'A', 0);
        keys[VK_CONTROL] = control;
        SetKeyboardState(keys);
        afterCtrlA = Selection(Edit(dialog));
        return int(kTextEditCancel);
    });
    EXPECT_TRUE(focused);
    EXPECT_EQ(atStart, std::make_pair(DWORD(8), DWORD(8)));
    EXPECT_EQ(afterA, std::make_pair(DWORD(8), DWORD(8)));  // 'A' alone selects nothing
    EXPECT_EQ(afterCtrlA, std::make_pair(DWORD(0), DWORD(8)));
}

TEST(TextEditorWin32, PlacedOverTheClientAreaWithItsControlsLaidOut) {
    struct Case {
        int width, height;
        const char* caption;
        bool minimised;
    };
    // The second is smaller than the editor; the third is minimised, with no client area on the screen, so the
    // editor opens in the middle of the work area.
    const Case cases[] = {{800, 600, "Where", false}, {300, 200, nullptr, false}, {800, 600, "Nowhere", true}};
    for (const Case& c : cases) {
        MainWindow main(100, 50, c.width, c.height);
        if (c.minimised)
            ShowWindow(static_cast<HWND>(MainWindowHandle), SW_MINIMIZE);
        const RECT area = main.ClientOnScreen();
        RECT placed, client, edit, ok, cancel;
        LONG style = 0;
        cStr text("x");
        OpenEditor(&text, c.caption, [&](HWND dialog) {
            GetWindowRect(dialog, &placed);
            GetClientRect(dialog, &client);
            style = GetWindowLongA(dialog, GWL_STYLE);
            for (auto [id, r] :
                 {std::pair{int(kTextEditEdit), &edit}, {int(kTextEditOk), &ok}, {int(kTextEditCancel), &cancel}}) {
                GetWindowRect(GetDlgItem(dialog, id), r);
                MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(r), 2);
            }
            return int(kTextEditCancel);
        });
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        const RECT& around = c.minimised ? work : area;
        const WindowRect expected = TextEditPlacement({around.left, around.top, around.right, around.bottom});
        EXPECT_EQ(placed.left, expected.left);
        EXPECT_EQ(placed.top, expected.top);
        EXPECT_EQ(placed.right - placed.left, kTextEditWidth);
        EXPECT_EQ(placed.bottom - placed.top, kTextEditHeight);
        EXPECT_EQ(style & WS_CAPTION, c.caption ? WS_CAPTION : WS_BORDER);
        const int w = client.right, h = client.bottom;
        EXPECT_EQ(std::vector<LONG>({edit.left, edit.top, edit.right, edit.bottom}),
                  std::vector<LONG>({4, 4, w - 4, h - 32}));
        EXPECT_EQ(std::vector<LONG>({ok.left, ok.top, ok.right, ok.bottom}),
                  std::vector<LONG>({w - 174, h - 28, w - 91, h - 4}));
        EXPECT_EQ(std::vector<LONG>({cancel.left, cancel.top, cancel.right, cancel.bottom}),
                  std::vector<LONG>({w - 87, h - 28, w - 4, h - 4}));
    }
}

TEST(TextEditorWin32, TextLongerThanTheEditsDefaultLimitComesBackWhole) {
    MainWindow main(40, 40, 900, 700);
    std::string original;
    for (int line = 0; original.size() < 50000; ++line)
        original += "line " + std::to_string(line) + " of a long text\r\n";
    cStr text(original.c_str());
    EXPECT_TRUE(OpenEditor(&text, "Long", [](HWND) { return int(kTextEditOk); }));
    EXPECT_EQ(std::string(text.GetText()), original);
}

}  // namespace
}  // namespace tovan
