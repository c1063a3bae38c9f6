// cButton and cCheckBox in a form: which presses click or toggle, what the
// listener and the parent hear and in which order, tooltips and the check fade.
#include <gtest/gtest.h>

#include "tests/ui/control_test_support.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/input.h"
#include "ui/tool_bar.h"

namespace tovan {
namespace {

using test::ControlFixture;
using test::R;

// Both controls at (10, -10) in the form's content, whose top-left is (104, 376).
class Buttons : public ControlFixture {
protected:
    Buttons() {
        button = Add<cButton>("Apply", 10.f, -10.f, true);
        host.Frame();
    }
    cButton* button;
};

TEST_F(Buttons, PressesClickByTheirReleaseRule) {
    struct Case {
        KeyCode code;
        bool focused;
        float releaseX;
        bool consumed;
        int clicks;
    };
    // The press rectangle is the box grown by the hover grow (2): 163 still counts.
    const Case cases[] = {{kKeyLeftButton, false, 130, true, 1}, {kKeyLeftButton, false, 300, true, 0},
                          {kKeyLeftButton, false, 163, true, 1}, {kKeySpace, true, 300, true, 1},
                          {kKeyEnter, true, 300, true, 1},       {kKeyPadA, true, 130, true, 1},
                          {kKeyEnter, false, 130, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " released at " << c.releaseX);
        notes.clear();
        form->SetFocus(c.focused ? button : nullptr);
        host.MoveCursor(130, 358);
        host.Frame();
        host.Press(c.code);
        host.Frame();
        EXPECT_EQ(host.LastConsumer() == button, c.consumed);
        EXPECT_EQ(button->m_PressingCode, c.consumed ? c.code : -1);
        host.MoveCursor(c.releaseX, 358);
        host.Release(c.code);
        host.Frame();
        EXPECT_EQ(button->m_PressingCode, -1);  // idle again, clicked or not
        EXPECT_EQ(CapturedWidget, -1);
        ASSERT_EQ(int(notes.size()), c.clicks);
        if (c.clicks) {
            EXPECT_EQ(notes[0].code, kNotifyButton);
            EXPECT_EQ(notes[0].source, FindWidgetHandle(button));
            EXPECT_FALSE(notes[0].captureHeld);  // released before telling
            EXPECT_EQ(button->m_Look.m_Grow.m_Target, style.m_HoverGrow);
        }
    }
}

TEST_F(Buttons, AnotherCodeReleasedWhilePressedIsSwallowed) {
    form->SetFocus(button);
    host.Press(kKeySpace);
    host.Frame();
    host.Click(kKeyEnter);
    host.Frame();
    EXPECT_EQ(host.LastConsumer(), button);
    EXPECT_TRUE(HoldsCapture(button));
    EXPECT_TRUE(notes.empty());
    Key(kKeyA);  // a second press while held is consumed too
    EXPECT_TRUE(HoldsCapture(button));
    host.Release(kKeySpace);
    host.Frame();
    EXPECT_EQ(notes.size(), 1u);
}

TEST_F(Buttons, TheListenerHearsBeforeTheParent) {
    test::Listener listener(notes, "listener");
    button->m_Listener = &listener;
    ClickAt(130, 358);
    button->m_Listener = nullptr;
    ClickAt(130, 358);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].who, "listener");
    EXPECT_EQ(notes[1].who, "form");
    EXPECT_EQ(notes[2].who, "form");
    for (const test::Note& note : notes)
        EXPECT_TRUE(note.oldValue == nullptr && note.newValue == nullptr);
}

TEST_F(Buttons, RefusedWhenCollapsedDisabledOrHidden) {
    struct Case {
        int expand;
        bool enabled, visible;
    };
    const Case cases[] = {{kCollapsed, true, true}, {kNormal, false, true}, {kNormal, true, false}};
    host.MoveCursor(130, 358);
    host.Frame();
    for (const Case& c : cases) {
        form->m_ExpandState = c.expand;
        button->m_EnabledFlag = c.enabled;
        button->m_VisibleFlag = c.visible;
        EXPECT_FALSE(button->OnKeyDown(kKeyLeftButton));
        EXPECT_EQ(CapturedWidget, -1);
    }
}

TEST_F(Buttons, AnImageButtonTakesNoFocusAndShowsItsTooltipOnlyFullyHovered) {
    button->m_Image = 4;
    EXPECT_FALSE(button->AcceptsFocus());
    host.MoveCursor(115, 355);
    host.Press(kKeyRightButton);
    host.Frame();
    EXPECT_EQ(form->m_Focused, nullptr);
    host.Release(kKeyRightButton);
    host.SetClock(0, 0.1f);
    std::vector<bool> shown;
    for (int i = 0; i < 5; ++i) {  // the fade rises 0.4 a frame, after the hover pass asked
        host.Frame();
        shown.push_back(host.Tooltip() == cStr("Apply"));
    }
    EXPECT_EQ(shown, (std::vector<bool>{false, false, false, true, true}));  // not at 0.8
    button->m_Image = -1;                                                    // a caption button never has one
    host.Frame();
    EXPECT_TRUE(host.Tooltip().IsEmpty());
    ClickAt(115, 355, kKeyRightButton);
    EXPECT_EQ(form->m_Focused, button);
}

class CheckBoxes : public ControlFixture {
protected:
    CheckBoxes() {
        box = Add<cCheckBox>(&value, "Shadows", 10.f, -10.f);
        host.Frame();
    }
    bool value = false;
    cCheckBox* box;
};

TEST_F(CheckBoxes, TogglesByTheReleaseRuleAndTellsBeforeReleasing) {
    EXPECT_EQ(box->m_Rect, R(114, 352, 166, 366));  // 30 + 2 x 4 + 14 wide
    struct Case {
        KeyCode code;
        float releaseX;
        bool toggles;
    };
    const Case cases[] = {{kKeyLeftButton, 130, true}, {kKeyLeftButton, 300, false}, {kKeySpace, 300, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        notes.clear();
        const bool before = value;
        host.MoveCursor(130, 358);
        host.Press(c.code);
        host.Frame();
        EXPECT_EQ(form->m_Focused, box);
        host.MoveCursor(c.releaseX, 358);
        host.Release(c.code);
        host.Frame();
        EXPECT_EQ(value != before, c.toggles);
        EXPECT_EQ(CapturedWidget, -1);
        EXPECT_EQ(box->m_PressingCode, -1);
        ASSERT_EQ(notes.size(), c.toggles ? 1u : 0u);
        if (c.toggles) {
            EXPECT_EQ(notes[0].code, kNotifyCheckBox);
            EXPECT_EQ(notes[0].oldValue, &value);
            EXPECT_EQ(notes[0].newValue, &value);
            EXPECT_TRUE(notes[0].captureHeld);
        }
    }
}

TEST_F(CheckBoxes, InAToolBarItSitsHalfAPaddingFurtherRight) {
    cToolBar* bar = Add<cToolBar>();
    cCheckBox* inBar = new cCheckBox(bar, &value, "", 10, -2);
    bar->AddChild(inBar);
    inBar->Measure();
    box->Measure();
    EXPECT_EQ(inBar->GetRect().x0, box->GetRect().x0 + 2);
    EXPECT_EQ(inBar->GetRect().Width(), box->GetRect().Width());
}

TEST_F(CheckBoxes, AValueSetElsewhereFadesInWithoutANote) {
    bool on = true;
    cCheckBox* started = Add<cCheckBox>(&on, "On", 10.f, -40.f);
    EXPECT_EQ(started->m_Check.m_Value, 1.0f);  // starts checked without animating
    value = true;
    host.SetClock(0, 0.25f);  // the visibility fade rate is 2
    host.Frame();
    EXPECT_FLOAT_EQ(box->m_Check.m_Value, 0.5f);
    host.Frame();
    host.Frame();
    EXPECT_EQ(box->m_Check.m_Value, 1.0f);
    EXPECT_TRUE(style.Items().back().item.m_Checked);
    EXPECT_TRUE(notes.empty());
}

}  // namespace
}  // namespace tovan
