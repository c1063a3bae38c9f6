// cSlider, cSliderRanged, cEditSlider and cEditVec in a form: key steps and
// jumps, dragging and its rounding, the knob, linked minimum and maximum
// edits, clamping commits and where the composites put their children.
#include <gtest/gtest.h>

#include <climits>

#include "tests/ui/control_test_support.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/edit_slider.h"
#include "ui/input.h"
#include "ui/slider.h"

namespace tovan {
namespace {

using test::ControlFixture;
using test::R;

// The slider's body is 200 x 16 at (10, -10): {114, 350, 314, 366} in GUI
// space, its track between the 30-wide labels from x = 144 to 284.
class Sliders : public ControlFixture {
protected:
    Sliders() {
        slider = Add<cSlider>(&value, &minimum, &maximum, "", 10.f, -10.f);
        host.Frame();
    }
    void Step(KeyCode code) {
        host.Type(-1, code);
        host.Frame();
    }
    int32_t value = 0, minimum = 0, maximum = 100;
    cSlider* slider;
};

TEST_F(Sliders, KeyStepsHoldTheCaptureAndTellNothing) {
    EXPECT_EQ(slider->m_Rect, R(114, 350, 314, 366));
    EXPECT_EQ(slider->m_Item.m_TrackRect, R(144, 350, 284, 366));
    struct Case {
        int32_t lo, hi, start;
        float divisor;
        KeyCode code;
        int32_t once, twice;
    };
    const Case cases[] = {
        {0, 5, 2, 10, kKeyRight, 3, 4},      // a tenth of 5 truncates to 0: steps of 1
        {0, 100, 50, 10, kKeyLeft, 40, 30},  // tenths
        {0, 100, 95, 10, kKeyLeftThumbRight, 100, 100},
        {0, 100, 50, 0, kKeyRight, 100, 100},  // no divisor: one step crosses the range
        {INT_MIN, INT_MAX, INT_MAX - 1, 10, kKeyRightThumbRight, INT_MAX, INT_MAX},
        {INT_MIN, INT_MAX, INT_MIN + 1, 10, kKeyLeft, INT_MIN, INT_MIN},
        {0, 100, 150, 10, kKeyLeft, 100, 90},  // outside the range: clamped by the step
    };
    form->SetFocus(slider);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lo << ".." << c.hi << " from " << c.start);
        style.m_Slider.m_IntStepDivisor = c.divisor;
        minimum = c.lo, maximum = c.hi, value = c.start;
        Step(c.code);
        EXPECT_EQ(value, c.once);
        EXPECT_TRUE(HoldsCapture(slider));
        EXPECT_TRUE(slider->m_KeyStepping);
        Step(c.code);  // the keyboard's repeat
        EXPECT_EQ(value, c.twice);
        Step(kKeyRight == c.code ? kKeyLeft : kKeyRight);  // another code is swallowed
        EXPECT_EQ(value, c.twice);
        host.Release(c.code);
        host.Frame();
        EXPECT_EQ(CapturedWidget, -1);
        EXPECT_FALSE(slider->m_KeyStepping);
    }
    EXPECT_TRUE(notes.empty());
    form->SetFocus(nullptr);
    Step(kKeyRight);
    EXPECT_EQ(CapturedWidget, -1);
}

TEST_F(Sliders, AddAndSubtractJumpToTheEndsOnlyWithTheFocus) {
    value = 40;
    Key(kKeyAdd);
    EXPECT_EQ(value, 40);
    form->SetFocus(slider);
    Key(kKeyAdd);
    EXPECT_EQ(value, 100);
    Key(kKeySubtract);
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(notes.empty());
}

TEST_F(Sliders, DraggingRoundsToTheNearestIntAndTellsOnceOnRelease) {
    minimum = -10, maximum = 0, value = -10;
    struct Case {
        float x;
        int32_t value;
    };
    // 25 % and 27 % of the track both round to -7; past either end clamps.
    const Case cases[] = {{179, -7}, {181.8f, -7}, {144, -10}, {400, 0}, {20, -10}, {200, -6}};
    host.MoveCursor(150, 358);
    host.Press(kKeyLeftButton);
    host.Frame();
    ASSERT_TRUE(HoldsCapture(slider));
    EXPECT_EQ(form->m_Focused, slider);
    for (const Case& c : cases) {
        host.MoveCursor(c.x, 300);  // off the body: the drag follows x along the track
        host.Frame();
        EXPECT_EQ(value, c.value) << c.x;
    }
    host.Release(kKeyLeftButton);
    host.Frame();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].code, kNotifySliderInt);
    EXPECT_EQ(notes[0].oldNumber, -10);
    EXPECT_EQ(notes[0].newNumber, -6);
    EXPECT_EQ(CapturedWidget, -1);
    // Released where it started: nothing.
    Drag(200, 358, 200, 358);
    EXPECT_EQ(notes.size(), 1u);
}

TEST_F(Sliders, TheKnobClampsIntoTheTrackAndAnEmptyRangeIsAnEnd) {
    struct Case {
        int32_t lo, hi, value;
        float fraction;
    };
    const Case cases[] = {{0, 10, 5, 0.5f},
                          {5, 5, 5, 0},
                          {5, 5, 4, 0},
                          {5, 5, 6, 1},
                          {0, 10, 20, 1},
                          {0, 10, -3, 0},
                          {INT_MIN, INT_MAX, INT_MAX, 1}};
    for (const Case& c : cases) {
        minimum = c.lo, maximum = c.hi, value = c.value;
        host.Frame();
        EXPECT_FLOAT_EQ(slider->KnobFraction(), c.fraction) << c.lo << ".." << c.hi << " at " << c.value;
        EXPECT_FLOAT_EQ(slider->m_Item.m_CaptionRect.x0, 144 + 140 * c.fraction);
        EXPECT_EQ(value, c.value);  // shown, not clamped
    }
    // Labels as wide as the body leave no track: a drag changes nothing.
    style.m_Slider.m_LeftLabelWidth = style.m_Slider.m_RightLabelWidth = 100;
    minimum = 0, maximum = 10, value = 3;
    Drag(200, 358, 300, 358);
    EXPECT_EQ(value, 3);
    EXPECT_TRUE(notes.empty());
}

TEST_F(Sliders, AFloatSliderStepsByItsDivisorAndTellsDragsWithCode4) {
    float f = 0.5f, lo = 0, hi = 1;
    cSlider* floats = Add<cSlider>(&f, &lo, &hi, "", 10.f, -40.f);
    host.Frame();
    form->SetFocus(floats);
    Step(kKeyRight);
    EXPECT_FLOAT_EQ(f, 0.6f);
    host.Release(kKeyRight);
    host.Frame();
    host.MoveCursor(150, 328);
    host.Press(kKeyLeftButton);
    host.Frame();
    host.MoveCursor(214, 328);  // half of the track, taken up by the next frame's layout
    host.Frame();
    host.Release(kKeyLeftButton);
    host.Frame();
    EXPECT_FLOAT_EQ(f, 0.5f);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].code, kNotifySliderFloat);
    EXPECT_FLOAT_EQ(float(notes[0].oldNumber), 0.6f);
    EXPECT_EQ(style.Items().back().item.m_Kind, kItemSlider);
}

class Composites : public ControlFixture {
protected:
    void Commit(cEdit* edit, const char* text) {
        edit->TakeFocus();
        for (const char* p = text; *p; ++p)
            host.Type(uint8_t(*p), -1);
        host.Frame();
        Key(kKeyEnter);
    }
};

TEST_F(Composites, ARangedSliderKeepsItsMinimumBelowItsMaximum) {
    int32_t value = 3, lo = 0, hi = 5;
    cSliderRanged* ranged = Add<cSliderRanged>(&value, &lo, &hi, "Range");
    ranged->m_LayoutX = 10, ranged->m_LayoutY = -10;
    host.Frame();
    host.Frame();
    EXPECT_EQ(ranged->GetType(), kSliderRangedType);
    ASSERT_EQ(ranged->m_Children.Count(), 4);
    // The maximum's box ends where the slider ends; the slider lies a row below.
    EXPECT_EQ(ranged->MaxEdit()->GetRect(), R(156, -26, 210, -10));
    EXPECT_EQ(ranged->MinEdit()->GetRect(), R(98, -26, 152, -10));
    EXPECT_EQ(ranged->Slider()->GetRect(), R(10, -46, 210, -30));
    EXPECT_EQ(ranged->GetRect(), R(4, -46, 210, -10));
    Commit(ranged->MinEdit(), "10");
    EXPECT_EQ(lo, 10);
    EXPECT_EQ(hi, 11);
    host.Frame();
    EXPECT_EQ(value, 10);  // the value edit clamps into the new range
    Commit(ranged->MaxEdit(), "-4");
    EXPECT_EQ(hi, -4);
    EXPECT_EQ(lo, -5);
    lo = INT_MAX - 1, hi = 0;
    Commit(ranged->MinEdit(), "2147483647");
    EXPECT_EQ(hi, INT_MAX);  // one above the maximum int stays the maximum int
    ASSERT_GE(notes.size(), 1u);
    EXPECT_EQ(notes[0].code, kNotifyEditInt);

    float fv = 1, flo = 0, fhi = 5;
    cSliderRanged* floats = Add<cSliderRanged>(&fv, &flo, &fhi, "");
    floats->m_LayoutX = 10, floats->m_LayoutY = -80;
    host.Frame();
    host.Frame();
    Commit(floats->MinEdit(), "5");
    EXPECT_FLOAT_EQ(flo, 5);
    EXPECT_FLOAT_EQ(fhi, 5.001f);
}

TEST_F(Composites, AnEditSliderClampsWhatItsEditCommitsAndFollowsItsPosition) {
    int32_t value = 10, lo = 0, hi = 100;
    cEditSlider* pair = Add<cEditSlider>(&value, &lo, &hi, "");
    pair->m_LayoutX = 10, pair->m_LayoutY = -10;
    host.Frame();
    host.Frame();
    EXPECT_EQ(pair->GetType(), kEditSliderType);
    // Edit box 54 wide, the gap 4, then the slider narrowed by both.
    EXPECT_EQ(pair->Edit()->GetRect(), R(10, -26, 64, -10));
    EXPECT_EQ(pair->Slider()->GetRect(), R(68, -26, 210, -10));
    Commit(pair->Edit(), "150");
    EXPECT_EQ(value, 100);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].code, kNotifyEditInt);
    EXPECT_EQ(notes[0].source, FindWidgetHandle(pair->Edit()));
    pair->m_LayoutY = -50;
    host.Frame();
    host.Frame();
    EXPECT_EQ(pair->Slider()->GetRect(), R(68, -66, 210, -50));
    EXPECT_EQ(pair->GetRect(), R(10, -66, 210, -50));
    // A press on a child reaches it, not the composite in front of it.
    host.MoveCursor(250, 376 - 58);
    host.Press(kKeyLeftButton);
    host.Frame();
    EXPECT_EQ(host.LastConsumer(), pair->Slider());
    host.Release(kKeyLeftButton);
    host.Frame();
}

TEST_F(Composites, AChildTakenDownAloneIsNeitherPlacedNorTakenDownAgain) {
    float value = 1, lo = 0, hi = 2;
    cEditSlider* pair = Add<cEditSlider>(&value, &lo, &hi, "");
    host.Frame();
    const int before = CountWidgets();
    RemoveWidgetNow(FindWidgetHandle(pair->Slider()), true);
    EXPECT_EQ(pair->Slider(), nullptr);
    EXPECT_EQ(pair->m_Children.Count(), 1);
    cButton* other = Add<cButton>("Other", 0.f, 0.f, true);  // may take the freed slot
    host.Frame();
    host.Frame();
    RemoveWidgetNow(FindWidgetHandle(pair), true);
    EXPECT_EQ(CountWidgets(), before - 2);  // the composite and its edit; the button stays
    EXPECT_NE(FindWidgetHandle(other), -1);
}

TEST_F(Composites, AVectorEditHasOneEditPerComponentAndRefusesOtherCounts) {
    float v[4] = {1, 2, 3, 4};
    struct Case {
        int count, type, edits;
    };
    const Case cases[] = {{2, 13, 2}, {3, 14, 3}, {4, 15, 4}, {1, 0, 0}, {5, 0, 0}, {-1, 0, 0}};
    for (const Case& c : cases) {
        const int before = CountWidgets();
        cEditVec* vec = new cEditVec(c.count, form, v, "Pos");
        form->AddChild(vec);
        vec->m_LayoutX = 10, vec->m_LayoutY = -10;
        host.Frame();
        host.Frame();
        EXPECT_EQ(vec->GetType(), c.type) << c.count;
        ASSERT_EQ(vec->m_Children.Count(), c.edits);
        for (int i = 0; i < c.edits; ++i) {
            EXPECT_EQ(vec->ComponentEdit(i)->m_Float, &v[i]);
            EXPECT_EQ(vec->ComponentEdit(i)->m_Caption.IsEmpty(), i > 0);
            EXPECT_EQ(vec->ComponentEdit(i)->m_BoxRect.x0, 10 + 58 * i);  // box, margins and gap apart
        }
        RemoveWidgetNow(FindWidgetHandle(vec), true);  // takes its edits down with it
        EXPECT_EQ(CountWidgets(), before);
    }
    int32_t n[2] = {7, 8};
    cEditVec* ints = new cEditVec(2, form, n, "");
    form->AddChild(ints);
    ints->m_LayoutX = 10, ints->m_LayoutY = -10;
    host.Frame();
    host.Frame();
    EXPECT_EQ(ints->GetRect(), R(10, -26, 122, -10));
    Commit(ints->ComponentEdit(1), "9");
    EXPECT_EQ(n[1], 9);
    EXPECT_EQ(notes.size(), 1u);
}

}  // namespace
}  // namespace tovan
