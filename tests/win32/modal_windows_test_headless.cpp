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

using Calls = std::vector<std::string>;

class ModalWindowsHeadless : public ::testing::Test {
protected:
    void SetUp() override { os::headless::Reset(); }
    void TearDown() override {
        os::headless::Reset();
        FrameClock.m_PausedForDialog = false;
        ClearInputEvents();
    }
};

TEST_F(ModalWindowsHeadless, QuestionIsTrueOnlyForYesCutsLongTextsAndGivesThePauseBack) {
    const std::pair<int, bool> cases[] = {{kAnswerYes, true}, {kAnswerNo, false}, {0, false}};  // 0: none scripted
    for (auto [scripted, expected] : cases) {
        for (bool pausedBefore : {false, true}) {
            FrameClock.m_PausedForDialog = pausedBefore;
            if (scripted)
                os::headless::ScriptAnswer(scripted);
            EXPECT_EQ(AskYesNo("Confirm", "Delete %d of %s?", 3, "them"), expected) << scripted;
            EXPECT_EQ(os::headless::TakeCalls(), Calls{"MessageBox Confirm: Delete 3 of them?"});
            EXPECT_EQ(FrameClock.m_PausedForDialog, pausedBefore);
        }
    }
    const std::string question(2000, 'q');
    AskYesNo("Long", "%s", question.c_str());
    EXPECT_EQ(os::headless::TakeCalls(), Calls{"MessageBox Long: " + question.substr(0, 1023)});
}

TEST_F(ModalWindowsHeadless, EditorAnswersEachCallForItself) {
    cStr text("notes");
    const std::pair<int, bool> cases[] = {
        {kTextEditOk, true}, {kTextEditCancel, false}, {kTextEditOk, true}, {0, false}, {-1, false}};  // -1: none
    for (auto [scripted, expected] : cases) {
        if (scripted >= 0)
            os::headless::ScriptAnswer(scripted);
        EXPECT_EQ(TextEditDialog(&text, scripted ? "Notes" : nullptr), expected) << scripted;
        EXPECT_EQ(os::headless::TakeCalls(), Calls{scripted ? "TextEditDialog Notes" : "TextEditDialog (null)"});
    }
    EXPECT_EQ(text, "notes");
    EXPECT_FALSE(TextEditDialog(nullptr, "x"));  // no text: nothing opens
    EXPECT_TRUE(os::headless::TakeCalls().empty());
    // Without a main window the editor opens in the middle of the screen.
    EXPECT_EQ(GetTextEditState().m_Placement.left, (1280 - kTextEditWidth) / 2);
    EXPECT_EQ(GetTextEditState().m_Placement.top, (1024 - kTextEditHeight) / 2);
}

TEST_F(ModalWindowsHeadless, EditorDropsTheInputQueuedWhileItWasOpenTheQuestionDoesNot) {
    PushInputEvent(NewKeyEvent(kKeyLeftButton, true, 1, 1), false);
    delete PopInputEvent();
    ASSERT_TRUE(MouseButtonDown[0]);
    PushInputEvent(NewKeyEvent(52, true, 0, 0), false);
    AskYesNo("Keep", "Input stays?");
    InputEvent* kept = PopInputEvent();
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->m_Device.m_Code, 52);
    delete kept;
    PushInputEvent(NewMotionEvent(3, 4, 1, 1), false);
    cStr text("t");
    TextEditDialog(&text, "Drop");
    EXPECT_EQ(PopInputEvent(), nullptr);
    EXPECT_FALSE(MouseButtonDown[0]);
}

}  // namespace
}  // namespace tovan
