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

struct Seen {
    std::string title, text;
    HWND owner = nullptr;
    bool paused = false;
};

// Asks, lets the driver look at the box and press `button`.
bool Ask(int button, Seen* seen, const char* text) {
    test::DialogDriver driver(0, [&](HWND dialog) {
        HWND message = GetDlgItem(dialog, 0xFFFF);  // the box's text
        seen->title = test::WindowText(dialog);
        seen->text.assign(size_t(GetWindowTextLengthA(message)) + 1, '\0');  // however long it is
        seen->text.resize(size_t(GetWindowTextA(message, seen->text.data(), int(seen->text.size()))));
        seen->owner = GetWindow(dialog, GW_OWNER);
        seen->paused = FrameClock.m_PausedForDialog;
        return button;
    });
    const bool answer = AskYesNo("Confirm Delete", "%s", text);
    EXPECT_EQ(driver.DialogsSeen(), 1);
    return answer;
}

class QuestionBoxWin32 : public ::testing::Test {
protected:
    void TearDown() override {
        MainWindowHandle = DialogWindowHandle = nullptr;
        FrameClock.m_PausedForDialog = false;
    }
};

TEST_F(QuestionBoxWin32, YesIsTrueNoIsFalseAndALongQuestionShows1023Characters) {
    Seen seen;
    EXPECT_TRUE(Ask(IDYES, &seen, "Delete 3 files from \"C:\\data\"?"));
    EXPECT_EQ(seen.title, "Confirm Delete");
    EXPECT_EQ(seen.text, "Delete 3 files from \"C:\\data\"?");
    const std::string question(2000, 'w');
    EXPECT_FALSE(Ask(IDNO, &seen, question.c_str()));
    EXPECT_EQ(seen.text, question.substr(0, 1023));
}

TEST_F(QuestionBoxWin32, OwnedByTheFilePaneWhileOneIsOpenAndPausesTheClockOnlyWhileOpen) {
    test::TestWindow main, pane;
    struct Case {
        void *main, *pane, *owner;
        bool pausedBefore;
    };
    const Case cases[] = {
        {main.Handle(), nullptr, main.Handle(), false},
        {main.Handle(), pane.Handle(), pane.Handle(), true},
        {nullptr, pane.Handle(), pane.Handle(), false},
        {nullptr, nullptr, nullptr, true},
    };
    for (const Case& c : cases) {
        MainWindowHandle = c.main;
        DialogWindowHandle = c.pane;
        FrameClock.m_PausedForDialog = c.pausedBefore;
        Seen seen;
        EXPECT_TRUE(Ask(IDYES, &seen, "Whose?"));
        EXPECT_EQ(seen.owner, static_cast<HWND>(c.owner));
        EXPECT_TRUE(seen.paused);
        EXPECT_EQ(FrameClock.m_PausedForDialog, c.pausedBefore);  // given back, not left set
    }
}

}  // namespace
}  // namespace tovan
