// The real question box under wine, answered by the dialog driver.
#include "core/frame_clock.h"
#include "core/window_utils.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/test_window.h"
#include "win32/question_box.h"

#include <gtest/gtest.h>

#include <string>

namespace tovan {
namespace {

constexpr int kMessageTextId = 0xFFFF;  // the message box's text

// The whole text, however long (the driver's helper stops at 1023 characters).
std::string FullText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(size_t(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(size_t(copied > 0 ? copied : 0));
    return text;
}

struct Seen {
    std::string title, text;
    HWND owner = nullptr;
    bool paused = false;
};

Seen Look(HWND dialog) {
    Seen seen;
    seen.title = test::WindowText(dialog);
    seen.text = FullText(GetDlgItem(dialog, kMessageTextId));
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.paused = FrameClock.m_PausedForDialog;
    return seen;
}

class QuestionBoxWin32 : public ::testing::Test {
protected:
    void TearDown() override {
        MainWindowHandle = nullptr;
        DialogWindowHandle = nullptr;
        FrameClock.m_PausedForDialog = false;
    }
};

TEST_F(QuestionBoxWin32, YesIsTrueAndNoIsFalse) {
    for (int button : {IDYES, IDNO}) {
        Seen seen;
        test::DialogDriver driver(0, [&](HWND dialog) {
            seen = Look(dialog);
            return button;
        });
        EXPECT_EQ(AskYesNo("Confirm Delete", "Delete %d files from \"%s\"?", 3, "C:\\data"), button == IDYES);
        EXPECT_EQ(driver.DialogsSeen(), 1);
        EXPECT_EQ(seen.title, "Confirm Delete");
        EXPECT_EQ(seen.text, "Delete 3 files from \"C:\\data\"?");
    }
}

TEST_F(QuestionBoxWin32, LongQuestionShows1023Characters) {
    const std::string question(2000, 'w');
    Seen seen;
    test::DialogDriver driver(0, [&](HWND dialog) {
        seen = Look(dialog);
        return IDNO;
    });
    EXPECT_FALSE(AskYesNo("Long", "%s", question.c_str()));
    EXPECT_EQ(seen.text, question.substr(0, 1023));
}

TEST_F(QuestionBoxWin32, OwnedByTheFilePaneWhileOneIsOpen) {
    test::TestWindow main, pane;
    struct Case {
        void* main;
        void* pane;
        void* owner;
    };
    const Case cases[] = {
        {main.Handle(), nullptr, main.Handle()},
        {main.Handle(), pane.Handle(), pane.Handle()},
        {nullptr, pane.Handle(), pane.Handle()},
        {nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        MainWindowHandle = c.main;
        DialogWindowHandle = c.pane;
        Seen seen;
        test::DialogDriver driver(0, [&](HWND dialog) {
            seen = Look(dialog);
            return IDYES;
        });
        EXPECT_TRUE(AskYesNo("Owner", "Whose?"));
        EXPECT_EQ(seen.owner, static_cast<HWND>(c.owner));
    }
}

TEST_F(QuestionBoxWin32, ClockIsPausedWhileOpenAndGivenBackAfter) {
    for (bool before : {false, true}) {
        FrameClock.m_PausedForDialog = before;
        Seen seen;
        test::DialogDriver driver(0, [&](HWND dialog) {
            seen = Look(dialog);
            return IDYES;
        });
        AskYesNo("Pause", "Paused?");
        EXPECT_TRUE(seen.paused) << before;
        EXPECT_EQ(FrameClock.m_PausedForDialog, before);
    }
}

}  // namespace
}  // namespace tovan
