// The helpers every control shares: the grow transform, rounding, the step
// keys, the captioned box, and the hover rule with focus following hover.
#include <gtest/gtest.h>

#include <cfloat>

#include "tests/ui/control_test_support.h"
#include "ui/check_box.h"
#include "ui/control.h"
#include "ui/input.h"

namespace tovan {
namespace {

using test::ControlFixture;
using test::R;

TEST(ControlHelpers, GrowScalesAboutTheCentreByTheLongerSide) {
    struct Case {
        cRect rect;
        float grow;
        cRect grown;
    };
    const cRect empty = cRect::Empty();
    const Case cases[] = {
        {{0, 0, 40, 20}, 2, {-2, -1, 42, 21}},  // 44 / 40 on both axes
        {{10, 10, 20, 30}, 5, {7.5f, 5, 22.5f, 35}},
        {{0, 0, 40, 20}, 0, {0, 0, 40, 20}},
        {{5, 5, 5, 5}, 3, {5, 5, 5, 5}},  // no size: the identity
    };
    for (const Case& c : cases) {
        const cRect r = TransformRect(c.rect, GrowTransform(c.rect, c.grow));
        EXPECT_NEAR(r.x0, c.grown.x0, 1e-4f);
        EXPECT_NEAR(r.y0, c.grown.y0, 1e-4f);
        EXPECT_NEAR(r.x1, c.grown.x1, 1e-4f);
        EXPECT_NEAR(r.y1, c.grown.y1, 1e-4f);
    }
    const cMat4 identity;
    const cMat4 m = GrowTransform(empty, 4);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ((&m.m[0][0])[i], (&identity.m[0][0])[i]);
    EXPECT_TRUE(RoundRect(empty).IsEmpty());
    EXPECT_EQ(RoundRect({1.5f, -1.5f, 2.49f, -0.5f}), R(2, -1, 2, 0));
}

TEST(ControlHelpers, StepKeys) {
    struct Case {
        KeyCode code;
        int sideways, column;
    };
    const Case cases[] = {
        {kKeyLeft, -1, 0},         {kKeyRightThumbRight, 1, 0}, {kKeyLeftThumbLeft, -1, 0}, {kKeyUp, 0, -1},
        {kKeyLeftThumbDown, 0, 1}, {kKeyRightThumbUp, 0, -1},   {kKeyRightThumbDown, 0, 1}, {kKeyTab, 0, 0},
        {kKeyEnter, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(SidewaysStep(c.code), c.sideways) << c.code;
        EXPECT_EQ(ColumnStep(c.code), c.column) << c.code;
    }
    PadDown[kKeyLeftThumbUp - kKeyFirstPad] = true;  // the left thumb held: the right one does not step
    EXPECT_EQ(ColumnStep(kKeyRightThumbDown), 0);
    EXPECT_EQ(ColumnStep(kKeyLeftThumbDown), 1);
    PadDown[kKeyLeftThumbUp - kKeyFirstPad] = false;
    EXPECT_TRUE(IsActivationKey(kKeyPadA) && IsActivationKey(kKeySpace) && !IsActivationKey(kKeyPadB));
}

TEST(ControlHelpers, ACaptionSitsLeftOfItsBoxOrThePairIsAnchored) {
    // Box 50 x 16 at (100, 0), caption 20 of text + 2 x 3.
    cCaptionedBox plain = PlaceCaptionedBox(50, 16, true, 20, 3, false, 2, 0, 100, 0);
    EXPECT_EQ(plain.m_Box, R(100, -16, 150, 0));
    EXPECT_EQ(plain.m_Caption, R(74, -16, 100, 0));
    EXPECT_EQ(plain.m_Whole, R(74, -16, 150, 0));
    cCaptionedBox anchored = PlaceCaptionedBox(50, 16, true, 20, 3, true, 2, 0, 100, 0);
    EXPECT_EQ(anchored.m_Box, R(124, -16, 174, 0));  // the pair less the margin starts at x
    EXPECT_EQ(anchored.m_Caption, R(98, -16, 124, 0));
    cCaptionedBox bare = PlaceCaptionedBox(50, 16, false, 0, 3, true, 2, 0, 100, 0);
    EXPECT_TRUE(bare.m_Caption.IsEmpty());
    EXPECT_EQ(bare.m_Whole, R(100, -16, 150, 0));
}

class Hover : public ControlFixture {};

TEST_F(Hover, TheHoverRuleAimsFadeAndGrowAndFocusFollowsWhenAsked) {
    bool value = false;
    cCheckBox* box = Add<cCheckBox>(&value, "Shadows", 10.f, -10.f);
    host.Frame();
    struct Case {
        float x;
        bool focusFollows, capturedElsewhere;
        float fade, grow;
        bool focused;
    };
    const Case cases[] = {{130, false, false, 1, 2, false},
                          {300, false, false, 0, 0, false},
                          {300, true, false, 0, 0, false},
                          {130, true, true, 1, 2, false},  // another widget's drag: no focus move
                          {130, true, false, 1, 2, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        form->SetFocus(nullptr);
        style.m_FocusFollowsHover = c.focusFollows;
        CapturedWidget = c.capturedElsewhere ? FindWidgetHandle(form) : -1;
        host.MoveCursor(c.x, 358);
        host.Frame();
        EXPECT_EQ(box->m_Look.m_Hover.m_Target, c.fade);
        EXPECT_EQ(box->m_Look.m_Grow.m_Target, c.grow);
        EXPECT_EQ(form->m_Focused == box, c.focused);
        EXPECT_EQ(host.Hovered() == box, c.fade == 1);
    }
    CapturedWidget = -1;
}

}  // namespace
}  // namespace tovan
