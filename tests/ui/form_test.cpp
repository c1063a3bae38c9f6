// cForm through the test host's frames: the title, its buttons and the grip,
// collapse, maximise and docking, the top-level list, fades, the focus and
// the items drawn.
#include <gtest/gtest.h>

#include "tests/ui/form_test_support.h"
#include "ui/input.h"
#include "ui/panel.h"
#include "ui/widget_style.h"

namespace tovan {
namespace {

using test::FormFixture;
using test::TestControl;
using test::TestForm;

cRect R(float x0, float y0, float x1, float y1) { return {x0, y0, x1, y1}; }

using Form = FormFixture;

TEST_F(Form, TitleDoubleClicksMaximiseRestoreAndExpand) {
    DoubleClickAt(200, 390);
    EXPECT_EQ(form->m_ExpandState, kMaximised);
    EXPECT_EQ(form->m_Rect, R(-4, -4, 804, 604));  // the viewport and the frame around it
    EXPECT_FALSE(form->m_FrameResizable);
    DoubleClickAt(200, 594);
    EXPECT_EQ(form->m_ExpandState, kNormal);
    EXPECT_EQ(form->m_Rect, R(100, 100, 400, 400));

    form->ToggleCollapse();
    EXPECT_EQ(form->m_ExpandState, kCollapsed);
    EXPECT_EQ(form->m_Rect, R(100, 380, 220, 400));  // the title where the form's was
    DoubleClickAt(150, 390);
    EXPECT_EQ(form->m_ExpandState, kNormal);
    EXPECT_EQ(form->m_Rect, R(100, 100, 400, 400));
    EXPECT_EQ(CapturedWidget, -1);  // double-clicks start no drag
}

TEST_F(Form, TheTitleDragsTheFormUnlessItIsMaximised) {
    Drag(200, 390, 250, 350);
    EXPECT_EQ(form->m_Rect, R(150, 60, 450, 360));
    EXPECT_EQ(CapturedWidget, -1);
    host.Frame();
    EXPECT_EQ(form->m_Rect, R(150, 60, 450, 360));  // docked where it was left

    DoubleClickAt(200, 340);
    ASSERT_EQ(form->m_ExpandState, kMaximised);
    host.MoveCursor(200, 594);
    host.Press(kKeyLeftButton);
    host.MoveCursor(300, 500);
    host.Frame();
    EXPECT_EQ(form->m_DragPart, kPartNone);
    EXPECT_EQ(CapturedWidget, -1);
    EXPECT_EQ(form->m_Rect, R(-4, -4, 804, 604));
    host.Release(kKeyLeftButton);
    host.Frame();
}

TEST_F(Form, TheCloseButtonClosesOnlyWhenReleasedOnIt) {
    struct Case {
        float releaseX, releaseY;
        bool closed;
    };
    const Case cases[] = {{300, 300, false}, {385, 395, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.closed);
        Drag(390, 390, c.releaseX, c.releaseY);
        EXPECT_EQ(form->IsClosed(), c.closed);
        EXPECT_EQ(form->IsActive(), !c.closed);
        EXPECT_EQ(CapturedWidget, -1);
    }
    style.Clear();
    host.Frame();
    EXPECT_TRUE(style.Items().empty());  // a closed form draws nothing
}

TEST_F(Form, AClosedChildFormLeavesItsParent) {
    TestForm* child = Add<TestForm>(form);
    child->m_Rect = R(150, 150, 300, 300);
    host.Frame();
    EXPECT_EQ(FormList.Count(), 1);  // only parentless forms are listed
    ASSERT_EQ(form->m_Children.Count(), 1);
    Drag(290, 290, 290, 290);  // the child's close button
    EXPECT_TRUE(child->IsClosed());
    EXPECT_TRUE(form->m_Children.IsEmpty());
    EXPECT_EQ(child->m_Parent, nullptr);
    RemoveWidget(FindWidgetHandle(child), true);  // its owner removes it
    // A form listed before it was given a parent still leaves the list.
    TestForm* second = new TestForm;
    AddWidget(second, kFormLayer);
    EXPECT_TRUE(second->IsActive());
    EXPECT_FALSE(form->IsActive());
    second->m_Parent = form;
    RemoveWidget(FindWidgetHandle(second), true);
    EXPECT_EQ(FormList.Count(), 1);
    EXPECT_TRUE(form->IsActive());
}

TEST_F(Form, ActivatingMovesAFormLastAndToTheFront) {
    TestForm* second = new TestForm;
    second->m_Rect = R(300, 300, 500, 500);
    AddWidget(second, kFormLayer);
    host.Frame();
    // A press on the form behind activates it.
    host.MoveCursor(200, 200);
    host.Click(kKeyLeftButton);
    host.Frame();
    EXPECT_EQ(FormList[FormList.Count() - 1], form);
    EXPECT_TRUE(form->IsActive());
    EXPECT_FALSE(second->IsActive());
    cList<WidgetEntry> order;
    CollectWidgets(order, true);
    EXPECT_EQ(order[0].widget, form);

    // A child form is activated within its parent, and its parent with it.
    TestForm* inner = Add<TestForm>(second);
    Add<TestControl>(second, 10.f, 10.f);
    EXPECT_FALSE(inner->IsActive());
    inner->Activate();
    EXPECT_EQ(second->m_Children[second->m_Children.Count() - 1], inner);
    EXPECT_TRUE(second->IsActive());
    EXPECT_TRUE(inner->IsActive());
}

TEST_F(Form, TheSizeGripAndTheFrameResizeWithoutCrossing) {
    Drag(392, 108, 452, 58);  // the grip, inside the corner's inner square
    EXPECT_EQ(form->m_Rect, R(100, 50, 460, 400));
    // The right edge dragged past the left one keeps its place.
    Drag(458, 200, 30, 200);
    EXPECT_EQ(form->m_Rect, R(32, 50, 32, 400));
}

TEST_F(Form, FadesAndOpacityFollowTheClockAndTheDrag) {
    // Visible from 0 at 2 a second; the close button's hover at 4 a second.
    form->m_VisibleFade = {0, 0};
    host.MoveCursor(390, 390);
    struct Step {
        float visible, close;
    };
    const Step steps[] = {{0.2f, 0.4f}, {0.4f, 0.8f}, {0.6f, 1.0f}, {0.8f, 1.0f}, {1.0f, 1.0f}, {1.0f, 1.0f}};
    for (const Step& s : steps) {
        host.Advance(0.1f);
        EXPECT_NEAR(form->m_VisibleFade.m_Value, s.visible, 1e-5f);
        EXPECT_NEAR(form->m_CloseFade.m_Value, s.close, 1e-5f);
    }
    host.MoveCursor(200, 200);
    host.Advance(0.1f);
    EXPECT_NEAR(form->m_CloseFade.m_Value, 0.6f, 1e-5f);

    EXPECT_EQ(form->GetOpacity(), 1.0f);
    host.MoveCursor(200, 390);
    host.Press(kKeyLeftButton);
    host.Frame();
    EXPECT_EQ(form->GetOpacity(), 0.5f);
    host.Release(kKeyLeftButton);
    host.Frame();
    EXPECT_EQ(form->GetOpacity(), 1.0f);
}

TEST_F(Form, ACollapsedFormIsItsTitleDockedInsideTheView) {
    form->m_VScroll = form->m_HScroll = true;
    form->ToggleCollapse();
    EXPECT_TRUE(form->m_Client.IsEmpty());
    EXPECT_TRUE(form->m_ChildClip.IsEmpty());
    EXPECT_FALSE(form->m_VNeeded || form->m_HNeeded);
    EXPECT_FALSE(form->m_FrameResizable);
    struct Case {
        float x, y;
        int part;
    };
    const Case hits[] = {{150, 390, kPartTitle}, {101, 381, kPartTitle}, {150, 379, kPartNone}, {220, 390, kPartTitle}};
    for (const Case& c : hits) {
        CursorPosition = {c.x, c.y};
        EXPECT_EQ(form->HitTest(), c.part) << c.x << ", " << c.y;
    }
    // Dragged past the bottom-right corner it stays inside, docked there.
    Drag(150, 390, 950, -100);
    EXPECT_EQ(form->m_Rect, R(680, 0, 800, 20));
    EXPECT_EQ(form->m_CollapsedCode, kAnchorRight + kAnchorBottom);
    view.m_Viewport = R(0, 0, 1000, 700);
    host.Frame();
    EXPECT_EQ(form->m_Rect, R(880, 0, 1000, 20));
    // Expanded again by its own anchors: the left middle and the bottom centre.
    form->ToggleCollapse();
    EXPECT_EQ(form->m_Rect, R(100, 100, 500, 450));
}

TEST_F(Form, ANormalFormFollowsTheEdgesItIsDockedTo) {
    form->m_Rect = R(600, 100, 780, 400);
    form->m_DockCode[0] = form->m_DockCode[1] = -1;
    host.Frame();
    EXPECT_EQ(form->m_DockCode[0], kAnchorRight + kAnchorMiddle);
    EXPECT_EQ(form->m_DockCode[1], kAnchorRight + kAnchorBottom);
    view.m_Viewport = R(0, 0, 1000, 600);
    host.Frame();
    EXPECT_EQ(form->m_Rect, R(800, 100, 980, 400));
}

TEST_F(Form, DrawsItsPartsInOrder) {
    struct Case {
        const char* what;
        int state;
        std::vector<int> kinds;  // before the scroll bars
    };
    const Case cases[] = {
        {"normal", kNormal, {13, 17, 22, 15, 18, 19, 16, 14}},
        {"maximised", kMaximised, {13, 17, 22, 15, 18, 21, 16}},
        {"collapsed", kCollapsed, {13, 17, 22, 15, 20, 19}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form->m_ExpandState = c.state;
        style.Clear();
        host.Frame();
        std::vector<int> kinds;
        for (const test::DrawnItem& d : style.Items())
            kinds.push_back(d.item.m_Kind);
        const size_t bars = c.state == kCollapsed ? 0 : 12;
        ASSERT_EQ(kinds.size(), c.kinds.size() + bars);
        EXPECT_EQ(std::vector<int>(kinds.begin(), kinds.begin() + c.kinds.size()), c.kinds);
        EXPECT_STREQ(style.Items()[2].item.m_Text.GetText(), "Props");
    }
    // While the title is dragged the two docking zones come first.
    form->m_ExpandState = kNormal;
    host.Frame();
    host.MoveCursor(200, 390);
    host.Press(kKeyLeftButton);
    host.MoveCursor(210, 390);
    style.Clear();
    host.Frame();
    ASSERT_GE(style.Items().size(), 3u);
    EXPECT_EQ(style.Items()[0].item.m_Kind, kItemDockPreview);
    EXPECT_EQ(style.Items()[0].item.m_Rect, form->m_DockZone[0]);
    EXPECT_EQ(style.Items()[1].item.m_Rect, form->m_DockZone[1]);
    EXPECT_EQ(style.Items()[2].item.m_Opacity, 0.5f);
    host.Release(kKeyLeftButton);
    host.Frame();
}

// --- the focus ---------------------------------------------------------------------

class FormFocus : public FormFixture {
protected:
    FormFocus() {
        a = Add<TestControl>(form, 50.f, 20.f);
        b = Add<TestControl>(form, 50.f, 20.f);
        c = Add<TestControl>(form, 50.f, 20.f);
        b->m_LayoutY = -30, c->m_LayoutY = -60;
        host.Frame();
    }
    cWidget* Next(bool forward) {
        form->FocusNext(forward);
        return form->m_Focused;
    }
    TestControl *a, *b, *c;
};

TEST_F(FormFocus, StepsStopAtTheEndsUnlessTheStyleWraps) {
    b->m_EnabledFlag = false;  // disabled controls are passed over
    const struct {
        bool wrap, forward;
        TestControl* from;
        TestControl* to;
    } steps[] = {
        {false, true, nullptr, a}, {false, true, a, c}, {false, true, c, c},        {true, true, c, a},
        {false, false, a, a},      {true, false, a, c}, {false, false, nullptr, c}, {false, false, c, a},
    };
    for (const auto& s : steps) {
        style.m_Form.m_WrapFocus = s.wrap;
        form->m_Focused = s.from;
        EXPECT_EQ(Next(s.forward), s.to) << s.wrap << s.forward;
    }
}

TEST_F(FormFocus, KeysMoveTheFocusWhileTheFormIsActiveAndExpanded) {
    struct Case {
        KeyCode code;
        bool leftThumbHeld;
        cWidget* expected;  // from b
        bool consumed;
    };
    const Case cases[] = {
        {kKeyTab, false, c, true},
        {kKeyDown, false, c, true},
        {kKeyUp, false, a, true},
        {kKeyLeftThumbUp, false, a, true},
        {kKeyLeftThumbDown, false, c, true},
        {kKeyRightThumbUp, false, a, true},
        {kKeyRightThumbDown, false, c, true},
        {kKeyRightThumbDown, true, b, false},
        {kKeyEnter, false, b, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.code);
        form->m_Focused = b;
        PadDown[kKeyLeftThumbUp - kKeyFirstPad] = k.leftThumbHeld;
        EXPECT_EQ(form->OnChar(-1, k.code), k.consumed);
        EXPECT_EQ(form->m_Focused, k.expected);
    }
    PadDown[kKeyLeftThumbUp - kKeyFirstPad] = false;
    form->m_Focused = b;
    form->ToggleCollapse();
    EXPECT_FALSE(form->OnChar(-1, kKeyTab));
    EXPECT_EQ(form->m_Focused, b);
}

TEST_F(FormFocus, ClosedPanelsAndHiddenControlsAreNotEntered) {
    cPanel* top = Add<cPanel>(form, "top");
    cPanel* inner = Add<cPanel>(static_cast<cWnd*>(top), "inner");
    TestControl* inside = Add<TestControl>(inner, 10.f, 10.f);
    c->m_VisibleFlag = false;
    host.Frame();
    form->m_Focused = b;
    EXPECT_EQ(Next(true), inner);  // the header-less top panel takes no focus
    EXPECT_EQ(Next(true), inner);  // its closed children stay out
    inner->m_Open = true;
    EXPECT_EQ(Next(true), inside);
    inner->m_EnabledFlag = false;  // a disabled panel still takes the focus, its children not
    form->m_Focused = b;
    EXPECT_EQ(Next(true), inner);
    EXPECT_EQ(Next(true), inner);
}

TEST_F(FormFocus, FocusQueriesAndRemoval) {
    form->SetFocus(b);
    EXPECT_TRUE(form->HasKeyFocus(b));
    EXPECT_TRUE(b->HasKeyFocus(b));  // asked through the control's parent chain
    EXPECT_FALSE(form->HasKeyFocus(a));
    b->m_EnabledFlag = false;
    EXPECT_FALSE(form->HasKeyFocus(b));
    EXPECT_TRUE(form->IsFocused(b));
    b->m_VisibleFlag = false;
    EXPECT_FALSE(form->IsFocused(b));
    b->m_VisibleFlag = b->m_EnabledFlag = true;
    TestForm* other = new TestForm;
    AddWidget(other, kFormLayer);  // now the active form
    EXPECT_FALSE(form->HasKeyFocus(b));
    RemoveWidget(FindWidgetHandle(other), true);
    RemoveWidget(FindWidgetHandle(b), true);
    EXPECT_EQ(form->m_Focused, nullptr);
}

TEST_F(FormFocus, TheFormScrollsToTheFocusedControl) {
    TestControl* low = Add<TestControl>(form, 50.f, 20.f);
    low->m_LayoutY = -400;  // content 420 deep in a view 272 high
    host.Frame();
    ASSERT_TRUE(form->m_VNeeded);
    // Each step scrolls by the least that shows the control 2 inside the
    // view; the content cannot move up by more than 420 - 272.
    const struct {
        bool forward;
        TestControl* focused;
        float top;
    } steps[] = {{true, low, 148}, {false, c, 58}, {false, b, 28}, {false, a, 0}};
    form->m_Focused = c;
    for (const auto& s : steps) {
        EXPECT_EQ(Next(s.forward), s.focused);
        EXPECT_FLOAT_EQ(form->m_Scroll.y1, s.top);
        host.Frame();  // the controls move with the content
    }
}

}  // namespace
}  // namespace tovan
