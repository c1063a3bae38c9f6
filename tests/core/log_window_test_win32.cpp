// The real log window under wine, driven by the dialog driver.
#include "core/log.h"
#include "core/log_window.h"
#include "core/os.h"
#include "core/str.h"
#include "tests/support/clipboard_lock_win32.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace tovan {
namespace {

class LogWindowWin32 : public test::ScratchTest {
protected:
    void SetUp() override { SetLogTitle("Halden"); }
    void TearDown() override {
        FlushLog();
        SetLogFileName("");
    }

    // Makes the in-memory text exactly `messages` lines of `width` characters
    // (with CR LF): a log file first cuts it to one message, then the rest append.
    void MakeLogText(int messages, int width) {
        std::string line(size_t(width - 2), 'm');
        SetLogFileName((scratch / "reset.log").c_str());
        Log("%s", line.c_str());
        SetLogFileName("");
        for (int i = 1; i < messages; ++i)
            Log("%s", line.c_str());
    }
};

struct WindowState {
    std::string title;
    std::string enabled;  // buttons 101..105
    bool closeGreyed = false;
};

WindowState Inspect(HWND dialog) {
    WindowState state;
    state.title = test::WindowText(dialog);
    for (int id = kLogDebug; id <= kLogExit; ++id)
        state.enabled += IsWindowEnabled(GetDlgItem(dialog, id)) ? '1' : '0';
    UINT close = GetMenuState(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND);
    state.closeGreyed = close != UINT(-1) && (close & MF_GRAYED);
    return state;
}

TEST_F(LogWindowWin32, ButtonsTitleAndCloseItemFollowTheMode) {
    struct Case {
        LogWindowMode mode;
        const char* title;
        const char* enabled;
        bool closeGreyed;
        int press;  // 0: the system menu's Close
        int result;
    };
    const Case cases[] = {
        {LogWindowMode::Log, "Halden Log", "00010", false, 0, 0},
        {LogWindowMode::Warning, "Halden Warning", "01011", true, kLogIgnore, kLogIgnore},
        {LogWindowMode::Error, "Halden Error", "00011", true, kLogExit, kLogExit},  // returned, not ended
        {LogWindowMode::Assert, "Halden Assert", "11111", true, kLogDebug, kLogDebug},
    };
    for (const Case& c : cases) {
        WindowState state;
        test::DialogDriver driver(0, [&](HWND dialog) {
            state = Inspect(dialog);
            if (c.press == 0)
                PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            return c.press;
        });
        EXPECT_EQ(LogWindow(c.mode), c.result) << c.title;
        EXPECT_EQ(driver.DialogsSeen(), 1) << c.title;
        EXPECT_EQ(state.title, c.title);
        EXPECT_EQ(state.enabled, c.enabled) << c.title;
        EXPECT_EQ(state.closeGreyed, c.closeGreyed) << c.title;
    }
}

TEST_F(LogWindowWin32, WarningShowsTheMessageAndIgnoreGoesOn) {
    std::string shown;
    test::DialogDriver driver(kLogIgnore, [&](HWND dialog) {
        shown = test::WindowText(GetDlgItem(dialog, kLogEdit));
        return kLogIgnore;
    });
    SetLogFileName((scratch / "w.log").c_str());
    Warning("Can't load file \"%s\"", "x.xml");
    EXPECT_EQ(driver.DialogsSeen(), 1);
    EXPECT_EQ(shown, "Can't load file \"x.xml\"\r\n");
}

std::string ClipboardText() {
    std::string text(40000, '\0');
    int n = os::ClipboardGetText(nullptr, text.data(), int(text.size()));
    text.resize(n < 0 ? 0 : size_t(n));
    return text;
}

TEST_F(LogWindowWin32, EditShowsTheLast20000AndCopyTakesAll25000) {
    test::ClipboardLock lock;
    MakeLogText(5, 5000);
    const std::string whole = GetLogText().GetText();
    ASSERT_EQ(whole.size(), 25000u);
    os::ClipboardSetText(nullptr, "", 0);
    std::string shown, copied;
    DWORD selStart = 0, selEnd = 0;
    bool openAfterCopy = false;
    test::DialogDriver driver(0, [&](HWND dialog) {
        HWND edit = GetDlgItem(dialog, kLogEdit);
        int length = GetWindowTextLengthA(edit);
        shown.assign(size_t(length) + 1, '\0');
        GetWindowTextA(edit, shown.data(), length + 1);
        shown.resize(size_t(length));
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kLogCopy, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, kLogCopy)));
        copied = ClipboardText();
        openAfterCopy = IsWindow(dialog) && IsWindowVisible(dialog);
        return kLogIgnore;
    });
    EXPECT_EQ(LogWindow(LogWindowMode::Warning), kLogIgnore);
    EXPECT_EQ(shown.size(), 20000u);
    EXPECT_TRUE(shown == whole.substr(5000)) << "the edit shows the end of the log";
    EXPECT_EQ(selStart, 20000u);  // caret at the end
    EXPECT_EQ(selEnd, 20000u);
    EXPECT_EQ(copied.size(), 25000u);
    EXPECT_TRUE(copied == whole);
    EXPECT_TRUE(openAfterCopy);
}

RECT ChildRect(HWND dialog, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(LogWindowWin32, SizingIsClampedAndTheLayoutFollowsTheClientArea) {
    RECT sized = {100, 100, 150, 130};
    RECT minimum = {0, 0, 478, 350};
    RECT client = {}, status = {}, edit = {};
    RECT buttons[5] = {};
    test::DialogDriver driver(kLogIgnore, [&](HWND dialog) {
        AdjustWindowRectEx(&minimum, DWORD(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                           DWORD(GetWindowLongA(dialog, GWL_EXSTYLE)));
        SendMessageA(dialog, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&sized));
        SetWindowPos(dialog, nullptr, 0, 0, 700, 520, SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(dialog, &client);
        status = ChildRect(dialog, kLogStatusBar);
        edit = ChildRect(dialog, kLogEdit);
        for (int i = 0; i < 5; ++i)
            buttons[i] = ChildRect(dialog, kLogDebug + i);
        return kLogIgnore;
    });
    EXPECT_EQ(LogWindow(LogWindowMode::Warning), kLogIgnore);
    EXPECT_EQ(sized.left, 100);
    EXPECT_EQ(sized.top, 100);
    EXPECT_EQ(sized.right - sized.left, minimum.right - minimum.left);
    EXPECT_EQ(sized.bottom - sized.top, minimum.bottom - minimum.top);

    int s = status.bottom - status.top;
    ASSERT_GT(s, 0);
    int w = client.right, h = client.bottom - s;
    EXPECT_EQ(status.bottom, client.bottom);  // the bar sits at the bottom, full width
    EXPECT_EQ(status.right - status.left, w);
    EXPECT_EQ(edit.left, 4);
    EXPECT_EQ(edit.top, 4);
    EXPECT_EQ(edit.right - edit.left, w - 8);
    EXPECT_EQ(edit.bottom - edit.top, h - 34);
    const int lefts[5] = {4, 91, 178, 265, 352};  // &Debug .. E&xit
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(buttons[i].left, lefts[i]) << 101 + i;
        EXPECT_EQ(buttons[i].top, h - 26) << 101 + i;
        EXPECT_EQ(buttons[i].right - buttons[i].left, 83) << 101 + i;
        EXPECT_EQ(buttons[i].bottom - buttons[i].top, 24) << 101 + i;
    }
}

// E&xit really ends the process: the case runs in a death-test child, which
// re-runs this test and takes the parent's folder from the environment.
constexpr const char* kParentFolder = "TOVAN_TEST_PARENT_FOLDER";

std::string Environment(const char* name) {
    char value[1024] = {0};
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? value : "";
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(LogWindowWin32, ExitEndsTheProcessAfterWritingThePendingText) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    if (Environment(kParentFolder).empty())
        SetEnvironmentVariableA(kParentFolder, scratch.Path().c_str());
    const std::string log = Environment(kParentFolder) + "exit.log";
    EXPECT_EXIT(
        {
            SetLogFileName(log.c_str());
            Log("first");
            for (int i = 0; i < 400 && ReadWhole(log) != "first\r\n"; ++i)  // the thread's first write
                std::this_thread::sleep_for(std::chrono::milliseconds(25));
            test::DialogDriver driver(kLogExit, nullptr, 10);
            Warning("last words");
            std::_Exit(3);  // not reached
        },
        ::testing::ExitedWithCode(0), "");
    SetEnvironmentVariableA(kParentFolder, nullptr);
    EXPECT_EQ(scratch.Read("exit.log"), "first\r\nlast words\r\n");
}

}  // namespace
}  // namespace tovan
