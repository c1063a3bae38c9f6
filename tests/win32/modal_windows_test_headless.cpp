// The question box and the text editor against the headless double, which
// records each window and answers with the buttons a test scripts.
#include "core/frame_clock.h"
#include "core/os_headless.h"
#include "core/window_utils.h"
#include "ui/input.h"
#include "win32/modal_windows.h"
#include "win32/question_box.h"
#include "win32/text_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovan {
namespace {

class ModalWindowsHeadless : public ::testing::Test {
protected:
    void SetUp() override { os::headless::Reset(); }
    void TearDown() override {
        os::headless::Reset();
        FrameClock.m_PausedForDialog = false;
        DialogWindowHandle = nullptr;
        MainWindowHandle = nullptr;
    }
};

TEST_F(ModalWindowsHeadless, QuestionAnswersTrueOnlyForYes) {
    struct Case {
        int scripted;  // 0: none, the window's own default
        bool expected;
    };
    const Case cases[] = {{kAnswerYes, true}, {kAnswerNo, false}, {0, false}, {2, false}};
    for (const Case& c : cases) {
        if (c.scripted)
            os::headless::ScriptAnswer(c.scripted);
        EXPECT_EQ(AskYesNo("Confirm", "Delete %d of %s?", 3, "them"), c.expected) << c.scripted;
        EXPECT_EQ(os::headless::TakeCalls(), std::vector<std::string>{"MessageBox Confirm: Delete 3 of them?"});
    }
}

TEST_F(ModalWindowsHeadless, LongQuestionIsCutTo1023Characters) {
    const std::string question(2000, 'q');
    AskYesNo("Long", "%s", question.c_str());
    const std::vector<std::string> calls = os::headless::TakeCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], "MessageBox Long: " + question.substr(0, 1023));
}

TEST_F(ModalWindowsHeadless, QuestionGivesThePauseFlagBackAsItFoundIt) {
    for (bool before : {false, true}) {
        FrameClock.m_PausedForDialog = before;
        os::headless::ScriptAnswer(kAnswerYes);
        EXPECT_TRUE(AskYesNo("Pause", "Go on?"));
        EXPECT_EQ(FrameClock.m_PausedForDialog, before);
    }
}

TEST_F(ModalWindowsHeadless, EditorAnswersEachCallForItself) {
    cStr text("notes");
    os::headless::ScriptAnswer(kTextEditOk);
    EXPECT_TRUE(TextEditDialog(&text, "Notes"));
    EXPECT_EQ(text, "notes");
    os::headless::ScriptAnswer(kTextEditCancel);
    EXPECT_FALSE(TextEditDialog(&text, "Notes"));  // not the earlier OK
    os::headless::ScriptAnswer(kTextEditOk);
    EXPECT_TRUE(TextEditDialog(&text, nullptr));
    EXPECT_FALSE(TextEditDialog(&text, nullptr));  // nothing scripted: closed
    os::headless::ScriptAnswer(0);
    EXPECT_FALSE(TextEditDialog(&text, "Closed"));
    EXPECT_EQ(text, "notes");
    EXPECT_EQ(os::headless::TakeCalls(),
              (std::vector<std::string>{"TextEditDialog Notes", "TextEditDialog Notes", "TextEditDialog (null)",
                                        "TextEditDialog (null)", "TextEditDialog Closed"}));
}

TEST_F(ModalWindowsHeadless, EditorWithoutTextOpensNothing) {
    os::headless::ScriptAnswer(kTextEditOk);
    EXPECT_FALSE(TextEditDialog(nullptr, "x"));
    EXPECT_TRUE(os::headless::TakeCalls().empty());
}

TEST_F(ModalWindowsHeadless, EditorWithoutMainWindowOpensInTheMiddleOfTheScreen) {
    cStr text;
    TextEditDialog(&text, "Where");
    const WindowRect placed = GetTextEditState().m_Placement;
    EXPECT_EQ(placed.left, (1280 - kTextEditWidth) / 2);
    EXPECT_EQ(placed.top, (1024 - kTextEditHeight) / 2);
    EXPECT_EQ(GetTextEditState().m_Target, nullptr);  // nothing points at the caller's text afterwards
}

TEST_F(ModalWindowsHeadless, EditorDropsTheInputQueuedWhileItWasOpenTheQuestionDoesNot) {
    ClearInputEvents();
    PushInputEvent(NewKeyEvent(kKeyLeftButton, true, 1, 1), false);
    delete PopInputEvent();
    ASSERT_TRUE(MouseButtonDown[0]);
    PushInputEvent(NewKeyEvent(52, true, 0, 0), false);
    AskYesNo("Keep", "Input stays?");
    InputEvent* kept = PopInputEvent();
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->m_Device.m_Code, 52);
    delete kept;
    PushInputEvent(NewKeyEvent(52, false, 0, 0), false);
    PushInputEvent(NewMotionEvent(3, 4, 1, 1), false);
    cStr text("t");
    TextEditDialog(&text, "Drop");
    EXPECT_EQ(PopInputEvent(), nullptr);
    EXPECT_FALSE(MouseButtonDown[0]);
}

}  // namespace
}  // namespace tovan
