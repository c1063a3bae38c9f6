// cBindButton inside a form: the rebinding states, the notification and the
// key text, through the test host's frames.
#include "ui/bind_button.h"

#include <gtest/gtest.h>

#include "tests/ui/form_test_support.h"
#include "ui/input.h"

namespace tovan {
namespace {

using test::FormFixture;

// The button {114, 350, 216, 366}: a caption part 56 wide and a key part 46.
class BindButtons : public FormFixture {
protected:
    BindButtons() {
        WidgetStyle::Bind& b = style.m_Bind;
        b.m_Padding = 3;
        b.m_KeyMinWidth = 40;
        b.m_CaptionMinWidth = 50;
        b.m_Height = 16;
        style.m_HoverGrow = 2;
        button = Add<cBindButton>(form, &bound, "Jump", 10.0f, -10.0f);
        host.Frame();
    }
    int32_t bound = 1;  // F1
    cBindButton* button;
};

TEST_F(BindButtons, AClickArmsAndTheNextCodeDownBindsUntilItsRelease) {
    enum Op { kPress, kRelease };
    struct Step {
        Op op;
        KeyCode code;
        float x;  // the cursor; y stays in the button
        int state;
        int32_t bound;
        size_t notes;
        const char* text;  // what the item shows after the frame
        bool held;         // the button holds the capture
    };
    const Step steps[] = {
        {kPress, kKeyLeftButton, 165, 1, 1, 0, "F1", true},
        {kRelease, kKeyLeftButton, 165, 2, 1, 0, "...", true},
        {kPress, 5, 300, 3, 5, 1, "F5", true},  // F5, wherever the cursor is
        {kRelease, 5, 300, 0, 5, 1, "F5", false},
        {kPress, kKeyLeftButton, 165, 1, 5, 1, "F5", true},
        {kRelease, kKeyLeftButton, 165, 2, 5, 1, "...", true},
        {kPress, kKeyEsc, 165, 0, 5, 1, "F5", false},  // cancels: Esc is never bound
        {kPress, kKeyLeftButton, 165, 1, 5, 1, "F5", true},
        {kRelease, kKeyLeftButton, 165, 2, 5, 1, "...", true},
        {kPress, kKeyWheelUp, 165, 0, kKeyWheelUp, 2, "WheelUp", false},  // no release to wait for
        {kPress, kKeyLeftButton, 165, 1, kKeyWheelUp, 2, "WheelUp", true},
        {kRelease, kKeyLeftButton, 165, 2, kKeyWheelUp, 2, "...", true},
        {kPress, kKeyLeftButton, 165, 3, kKeyLeftButton, 3, "LeftButton", true},  // the left button itself
        {kRelease, kKeyLeftButton, 165, 0, kKeyLeftButton, 3, "LeftButton", false},
        {kPress, kKeyLeftButton, 165, 1, kKeyLeftButton, 3, "LeftButton", true},
        {kRelease, kKeyLeftButton, 165, 2, kKeyLeftButton, 3, "...", true},
        {kPress, kKeyLeftButton, 165, 3, kKeyLeftButton, 3, "LeftButton", true},  // the same code: no note
        {kRelease, kKeyLeftButton, 165, 0, kKeyLeftButton, 3, "LeftButton", false},
        {kPress, kKeyLeftButton, 165, 1, kKeyLeftButton, 3, "LeftButton", true},
        {kRelease, kKeyLeftButton, 300, 0, kKeyLeftButton, 3, "LeftButton", false},  // let go outside
        {kPress, kKeyRightButton, 165, 0, kKeyLeftButton, 3, "LeftButton", false},   // only focuses
        {kPress, kKeyEnter, 300, 1, kKeyLeftButton, 3, "LeftButton", true},          // the focused button, by key
        {kRelease, kKeyEnter, 300, 2, kKeyLeftButton, 3, "...", true},
        {kPress, kKeySpace, 300, 3, kKeySpace, 4, "Space", true},
        {kRelease, kKeySpace, 300, 0, kKeySpace, 4, "Space", false},
    };
    int i = 0;
    for (const Step& s : steps) {
        host.MoveCursor(s.x, 358);
        if (s.op == kPress)
            host.Press(s.code);
        else
            host.Release(s.code);
        host.Frame();
        style.Clear();
        host.Frame();
        ASSERT_FALSE(style.Items().empty());
        const WidgetDrawItem& item = style.Items().back().item;
        EXPECT_EQ(button->m_State, s.state) << "step " << i;
        EXPECT_EQ(bound, s.bound) << "step " << i;
        EXPECT_EQ(form->m_Notes.size(), s.notes) << "step " << i;
        EXPECT_STREQ(item.m_Text2.GetText(), s.text) << "step " << i;
        EXPECT_EQ(item.m_Pressed, s.state == 1 || s.state == 2) << "step " << i;
        EXPECT_EQ(GetWidget(CapturedWidget) == button, s.held) << "step " << i;
        ++i;
    }
    const int32_t changes[][2] = {{1, 5}, {5, kKeyWheelUp}, {kKeyWheelUp, kKeyLeftButton}, {kKeyLeftButton, kKeySpace}};
    for (size_t n = 0; n < form->m_Notes.size(); ++n) {
        EXPECT_EQ(form->m_Notes[n].source, FindWidgetHandle(button));
        EXPECT_EQ(form->m_Notes[n].code, kNotifyBinding);
        EXPECT_EQ(form->m_Notes[n].oldInt, changes[n][0]);
        EXPECT_EQ(form->m_Notes[n].newInt, changes[n][1]);
    }
    EXPECT_EQ(form->m_Focused, button);
}

TEST_F(BindButtons, KeyTextNamesOnlyTheCodesThatHaveNames) {
    const struct {
        int32_t code;
        const char* text;
    } cases[] = {{0, "Esc"}, {5, "F5"}, {123, GetKeyName(123)}, {124, ""}, {-1, ""}, {100000, ""}};
    for (const auto& c : cases) {
        bound = c.code;
        EXPECT_STREQ(button->KeyText().GetText(), c.text) << c.code;
    }
    button->m_Code = nullptr;
    EXPECT_STREQ(button->KeyText().GetText(), "");
}

}  // namespace
}  // namespace tovan
