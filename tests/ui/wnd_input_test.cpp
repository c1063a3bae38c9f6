// cWnd input through the test host's frames: presses, drags, paging, arrows
// with auto-repeat, the wheel, panning, frame resizing, hover and drawing.
#include <gtest/gtest.h>

#include <cmath>

#include "core/frame_clock.h"
#include "tests/support/ui/frame_host.h"
#include "tests/support/ui/recording_style.h"
#include "tests/ui/wnd_test_support.h"
#include "ui/input.h"
#include "ui/widget_style.h"

namespace tovan {
namespace {

using test::TestWnd;

cRect R(float x0, float y0, float x1, float y1) { return {x0, y0, x1, y1}; }

class WndInput : public ::testing::Test {
protected:
    WndInput() {
        test::SetTestMetrics(style);
        wnd = new TestWnd;
        wnd->m_Rect = wnd->m_Client = R(0, 0, 100, 200);
        handle = AddWidget(wnd, 3);
    }
    // Content 400 tall and, with both, 300 wide, at the top left.
    void Scrollable(bool vertical, bool horizontal) {
        wnd->m_VScroll = vertical;
        wnd->m_HScroll = horizontal;
        wnd->m_Scroll = R(0, -400, 300, 0);
        wnd->Layout();
    }
    float Top() const { return wnd->m_Scroll.y1; }

    test::RecordingStyle style;
    test::FrameHost host;
    TestWnd* wnd;
    WidgetHandle handle;
};

TEST_F(WndInput, RightButtonInsideIsConsumedButStartsNothing) {
    Scrollable(true, false);
    host.MoveCursor(50, 100);
    host.Press(kKeyRightButton);
    host.Frame();
    EXPECT_EQ(host.LastConsumer(), wnd);
    EXPECT_EQ(wnd->m_DragPart, kPartNone);
    EXPECT_EQ(CapturedWidget, -1);
}

TEST_F(WndInput, PressesAreRefusedOutsideOrWhenHiddenOrDisabled) {
    struct Case {
        bool visible, enabled;
        float x;
        bool consumed;
    };
    const Case cases[] = {
        {true, true, 50, true}, {true, true, 150, false}, {false, true, 50, false}, {true, false, 50, false}};
    for (const Case& c : cases) {
        wnd->m_VisibleFlag = c.visible;
        wnd->m_EnabledFlag = c.enabled;
        wnd->Layout();
        CursorPosition = {c.x, 100};
        EXPECT_EQ(wnd->OnKeyDown(kKeyLeftButton), c.consumed) << c.visible << c.enabled << c.x;
    }
    EXPECT_FALSE(wnd->OnKeyDown(kKeyEnter));  // keys are not a plain window's
}

TEST_F(WndInput, PressingActivatesAnInactiveWindow) {
    Scrollable(true, false);
    wnd->m_ActiveRoot = false;
    host.MoveCursor(50, 100);
    host.Click(kKeyLeftButton);
    host.Frame();
    EXPECT_EQ(wnd->m_Activations, 1);
}

TEST_F(WndInput, ArrowScrollsAtPressAfterTheDelayThenEveryInterval) {
    Scrollable(true, false);
    host.MoveCursor(95, 5);  // the down arrow: content moves up by 10
    host.Press(kKeyLeftButton);
    struct Step {
        float delta;  // clock step before the frame
        float x, y;   // cursor during it
        float top;    // content top after it
    };
    const Step steps[] = {
        {0, 95, 5, 10},                              // the press
        {0.25f, 95, 5, 10},                          // within the delay
        {0.25f, 95, 5, 20},                          // the delay is over
        {0.125f, 95, 5, 20},                         // within the interval
        {0.125f, 95, 5, 30},                         // the interval
        {0.25f, 95, 5, 40},   {0.25f, 50, 100, 40},  // off the arrow: stops
        {0.25f, 50, 100, 40}, {0.25f, 95, 5, 50},    // back on it: at once
        {0.125f, 95, 5, 50},  {0.125f, 95, 5, 60},
    };
    for (const Step& s : steps) {
        if (s.x != CursorPosition.x || s.y != CursorPosition.y)
            host.MoveCursor(s.x, s.y);
        host.Advance(s.delta);
        EXPECT_EQ(Top(), s.top) << "at " << FrameClock.m_TotalSeconds;
    }
    host.Release(kKeyLeftButton);
    host.Advance(1);
    EXPECT_EQ(Top(), 60);
    EXPECT_EQ(CapturedWidget, -1);
}

TEST_F(WndInput, DraggingOutsideTheViewScrollsTowardTheCursor) {
    Scrollable(true, false);
    wnd->m_Scroll = R(0, -300, 100, 100);  // scrolled down by 100
    wnd->m_AutoScroll = true;
    cWidget* holder = new cWidget;  // a child's drag, say
    AddWidget(holder, 4);
    TakeCapture(holder);
    struct Step {
        float delta, x, y;
        float top;
    };
    const Step steps[] = {
        {0, 50, 100, 100},                              // inside the view: nothing
        {0.125f, 50, 250, 90},                          // above it: at once
        {0.125f, 50, 250, 90},                          // within the interval
        {0.125f, 50, 250, 80},                          // the interval
        {0.0625f, 50, 100, 80},                         // back inside: stops
        {0.5f, 50, 100, 80},    {0.125f, 50, -20, 90},  // below: the other way at once
    };
    for (const Step& s : steps) {
        host.MoveCursor(s.x, s.y);
        host.Advance(s.delta);
        EXPECT_EQ(Top(), s.top) << "at " << FrameClock.m_TotalSeconds;
    }
    EXPECT_EQ(wnd->m_AutoScrollPart, kPartArrowDown);
    ReleaseWidgetCapture();
    host.Advance(1);
    EXPECT_EQ(wnd->m_AutoScrollPart, kPartNone);
    EXPECT_EQ(Top(), 90);
}

TEST_F(WndInput, PagePartsMoveByTheViewSize) {
    Scrollable(true, true);
    struct Case {
        float x, y;
        float left, top;  // after the click
    };
    const Case cases[] = {
        {95, 30, 0, 200},  // page down
        {95, 185, 0, 0},   // page up
        {60, 5, -100, 0},  // page right
        {15, 5, 0, 0},     // page left
    };
    for (const Case& c : cases) {
        CursorPosition = {c.x, c.y};
        ASSERT_TRUE(wnd->OnKeyDown(kKeyLeftButton)) << c.x << "," << c.y;
        EXPECT_TRUE(wnd->OnKeyUp(kKeyLeftButton));
        EXPECT_EQ(wnd->m_Scroll.x0, c.left) << c.x << "," << c.y;
        EXPECT_EQ(Top(), c.top) << c.x << "," << c.y;
    }
}

TEST_F(WndInput, WheelOverTheHorizontalBarScrollsSideways) {
    Scrollable(true, true);
    wnd->m_WheelScrolls = true;
    ASSERT_TRUE(wnd->m_VNeeded && wnd->m_HNeeded);
    host.MoveCursor(50, 5);  // on the horizontal bar
    host.Wheel(-2);
    host.Frame();
    EXPECT_EQ(wnd->m_Scroll.x0, -30);
    EXPECT_EQ(Top(), 0);
    host.MoveCursor(50, 100);  // elsewhere: vertically
    host.Wheel(-1);
    host.Frame();
    EXPECT_EQ(Top(), 15);
    EXPECT_EQ(wnd->m_Scroll.x0, -30);
}

TEST_F(WndInput, WheelNeedsAnActiveScrollingWindow) {
    Scrollable(true, false);
    CursorPosition = {50, 100};
    WheelDelta = -1;
    struct Case {
        bool active, wheelScrolls, fromOutside;
        float x;
        bool consumed;
        float top;
    };
    const Case cases[] = {
        {false, true, false, 50, false, 0}, {true, false, false, 50, false, 0}, {true, true, false, 150, false, 0},
        {true, true, true, 150, true, 15},  {true, true, false, 50, true, 30},
    };
    for (const Case& c : cases) {
        wnd->m_ActiveRoot = c.active;
        wnd->m_WheelScrolls = c.wheelScrolls;
        wnd->m_WheelFromOutside = c.fromOutside;
        CursorPosition.x = c.x;
        EXPECT_EQ(wnd->OnKeyDown(kKeyWheelDown), c.consumed);
        EXPECT_EQ(Top(), c.top);
    }
}

TEST_F(WndInput, ACapturedWindowTakesTheWheelOnlyWhenItKeepsTheWheelFocus) {
    Scrollable(true, false);
    wnd->m_WheelScrolls = true;
    TakeCapture(wnd);  // a drag of its own content, say
    CursorPosition = {50, 100};
    WheelDelta = -1;
    struct Case {
        bool keep;
        int dragPart;
        float top;
    };
    const Case cases[] = {
        {false, kPartNone, 0},    // swallowed
        {true, kPartNone, 15},    // scrolls
        {true, kPartVThumb, 15},  // a scroll drag: swallowed
    };
    for (const Case& c : cases) {
        wnd->m_KeepWheelFocus = c.keep;
        wnd->m_DragPart = c.dragPart;
        EXPECT_TRUE(wnd->OnKeyDown(kKeyWheelDown));
        EXPECT_EQ(Top(), c.top) << c.keep << " " << c.dragPart;
    }
    wnd->m_DragPart = kPartNone;
    ReleaseWidgetCapture();
}

TEST_F(WndInput, PanFollowsTheCursorAndOnlyTheMiddleButtonEndsIt) {
    Scrollable(true, true);
    wnd->m_MiddlePan = true;
    host.MoveCursor(40, 100);
    host.Press(kKeyMiddleButton);
    host.Frame();
    ASSERT_EQ(wnd->m_DragPart, kPartPan);
    EXPECT_EQ(CapturedWidget, handle);
    host.MoveCursor(30, 140);
    host.Frame();
    EXPECT_EQ(wnd->m_Scroll, R(-10, -360, 290, 40));
    EXPECT_EQ(host.CursorShape(), kCursorPan);
    host.Press(kKeyLeftButton);  // swallowed during the drag
    host.Release(kKeyLeftButton);
    host.Frame();
    EXPECT_EQ(host.LastConsumer(), wnd);
    EXPECT_EQ(wnd->m_DragPart, kPartPan);
    host.Release(kKeyMiddleButton);
    host.Frame();
    EXPECT_EQ(wnd->m_DragPart, kPartNone);
    EXPECT_EQ(CapturedWidget, -1);
}

TEST_F(WndInput, ThumbDragMovesContentByTheThumbScale) {
    Scrollable(true, false);  // thumb 95-190 on a 170 track, scale 170/400
    host.MoveCursor(95, 150);
    host.Press(kKeyLeftButton);
    host.Frame();
    ASSERT_EQ(wnd->m_DragPart, kPartVThumb);
    host.MoveCursor(95, 133);  // 17 down
    host.Frame();
    EXPECT_FLOAT_EQ(Top(), 40);
    host.MoveCursor(95, -500);  // far below the track: the thumb stops at its end
    host.Frame();
    wnd->Layout();
    EXPECT_FLOAT_EQ(Top(), 200);
    host.Release(kKeyLeftButton);
    host.Frame();
    EXPECT_EQ(CapturedWidget, -1);
}

TEST_F(WndInput, ThumbDragWithoutThumbScaleIsIgnored) {
    Scrollable(true, false);
    host.MoveCursor(95, 150);
    host.Press(kKeyLeftButton);
    host.Frame();
    ASSERT_EQ(wnd->m_DragPart, kPartVThumb);
    for (float scale : {0.0f, -1.0f}) {
        wnd->m_VThumbScale = scale;
        host.MoveCursor(95, 100);
        host.Frame();
        EXPECT_EQ(Top(), 0);
        EXPECT_FALSE(std::isnan(wnd->m_Scroll.y0));
        host.MoveCursor(95, 150);
        host.Frame();
    }
}

TEST_F(WndInput, FrameDragsMoveTheGrabbedEdges) {
    wnd->m_FrameResizable = true;
    wnd->Layout();
    struct Case {
        float x, y;    // press
        float dx, dy;  // then move by
        int shape;
        cRect rect;
    };
    const Case cases[] = {
        {99, 100, 20, 5, kCursorResizeHorizontal, R(0, 0, 120, 200)},
        {1, 100, -10, 0, kCursorResizeHorizontal, R(-10, 0, 100, 200)},
        {50, 199, 0, 30, kCursorResizeVertical, R(0, 0, 100, 230)},
        {99, 1, 10, -10, kCursorResizeDiagonalDown, R(0, -10, 110, 200)},
        {1, 1, -5, -5, kCursorResizeDiagonalUp, R(-5, -5, 100, 200)},
    };
    for (const Case& c : cases) {
        wnd->m_Rect = wnd->m_Client = R(0, 0, 100, 200);
        wnd->Layout();
        host.MoveCursor(c.x, c.y);
        host.Press(kKeyLeftButton);
        host.Frame();
        EXPECT_EQ(host.CursorShape(), c.shape) << c.x << "," << c.y;
        host.MoveCursor(c.x + c.dx, c.y + c.dy);
        host.Release(kKeyLeftButton);
        host.Frame();
        EXPECT_EQ(wnd->m_Rect, c.rect) << c.x << "," << c.y;
        EXPECT_EQ(CapturedWidget, -1);
    }
}

TEST_F(WndInput, HoverFollowsTheCursorAndStaysWithTheDrag) {
    Scrollable(true, false);
    CursorPosition = {95, 195};
    EXPECT_TRUE(wnd->UpdateHover(false));
    EXPECT_EQ(wnd->m_HoverPart, kPartArrowUp);
    EXPECT_FALSE(wnd->UpdateHover(true));
    EXPECT_EQ(wnd->m_HoverPart, kPartNone);
    CursorPosition = {150, 100};
    EXPECT_FALSE(wnd->UpdateHover(false));
    wnd->m_DragPart = kPartVThumb;  // dragging: hovered only on the dragged part, but taken
    EXPECT_TRUE(wnd->UpdateHover(false));
    EXPECT_EQ(wnd->m_HoverPart, kPartNone);
    CursorPosition = {95, 150};
    EXPECT_TRUE(wnd->UpdateHover(false));
    EXPECT_EQ(wnd->m_HoverPart, kPartVThumb);
}

TEST_F(WndInput, UpdateDrawsEachScrollPartOfTheEnabledBars) {
    Scrollable(true, true);
    wnd->m_HoverPart = wnd->m_DragPart = kPartArrowUp;
    wnd->m_ArrowFades[0].m_Value = 0.5f;
    wnd->Update();
    const int kinds[] = {1, 5, 6, 3, 9, 10, 2, 7, 8, 4, 11, 12};
    ASSERT_EQ(style.Items().size(), 12u);
    for (int i = 0; i < 12; ++i) {
        const WidgetDrawItem& item = style.Items()[size_t(i)].item;
        EXPECT_EQ(item.m_Kind, kinds[i]);
        EXPECT_EQ(item.m_Rect, wnd->m_Parts[kinds[i]]);
        EXPECT_EQ(item.m_Clip, R(0, 0, 100, 200));
        EXPECT_TRUE(item.m_Active);
        EXPECT_EQ(item.m_Pressed, kinds[i] == kPartArrowUp);
        const bool carriesFade = kinds[i] == 3 || kinds[i] == 4 || kinds[i] >= 9;
        EXPECT_EQ(item.m_Enabled, carriesFade) << kinds[i];  // both bars are needed
    }
    EXPECT_EQ(style.Items()[4].item.m_HoverFade, 0.5f);
    EXPECT_EQ(style.Items()[4].item.m_EnabledFade, 1.0f);
}

TEST_F(WndInput, FadesStepTowardTheirTargetsWithoutOvershoot) {
    Scrollable(true, false);
    wnd->m_VisibleFade.m_Value = 0;
    wnd->m_ActiveRoot = false;
    wnd->m_ActiveFade.m_Value = 1;
    wnd->m_HoverPart = kPartVThumb;
    const float expected[][3] = {{0.5f, 0.5f, 1}, {1, 0, 1}, {1, 0, 1}};  // visible, active, thumb
    for (const auto& e : expected) {
        host.SetClock(0, 0.25f);
        wnd->AnimateFades();
        EXPECT_FLOAT_EQ(wnd->m_VisibleFade.m_Value, e[0]);
        EXPECT_FLOAT_EQ(wnd->m_ActiveFade.m_Value, e[1]);
        EXPECT_FLOAT_EQ(wnd->m_VThumbFade.m_Value, e[2]);
    }
    EXPECT_EQ(wnd->m_VNeededFade.m_Value, 1.0f);
}

TEST_F(WndInput, ChildrenLeaveTheirParentWhenDestroyed) {
    TestWnd* a = new TestWnd(wnd);
    TestWnd* b = new TestWnd(wnd);
    const WidgetHandle ha = wnd->AddChild(a);
    EXPECT_EQ(WidgetLayer(ha), 3);
    EXPECT_EQ(wnd->AddChild(a), ha);  // twice is harmless
    RemoveWidget(ha, false);
    EXPECT_EQ(wnd->AddChild(a), ha);  // registered anew, still listed once
    wnd->AddChild(b);
    EXPECT_EQ(wnd->m_Children.Count(), 2);
    RemoveWidget(ha, true);
    EXPECT_EQ(wnd->m_Children.Count(), 1);
    EXPECT_EQ(wnd->m_ChildrenRemoved, 1);
    EXPECT_EQ(CountWidgets(), 2);
    RemoveWidget(handle, true);  // takes b with it
    EXPECT_EQ(CountWidgets(), 0);
}

TEST_F(WndInput, ChildrenJoinTheLayerOfTheirRoot) {
    TestWnd* root = new TestWnd;
    AddWidget(root, 7);
    TestWnd* child = new TestWnd(root);
    TestWnd* grandchild = new TestWnd(child);
    EXPECT_EQ(WidgetLayer(root->AddChild(child)), 7);
    EXPECT_EQ(WidgetLayer(child->AddChild(grandchild)), 7);
    TestWnd loose;  // a root nobody registered: layer 3
    TestWnd* looseChild = new TestWnd(&loose);
    EXPECT_EQ(WidgetLayer(loose.AddChild(looseChild)), 3);
    EXPECT_EQ(loose.AddChild(nullptr), -1);
}

TEST_F(WndInput, AChildDestroyedDuringDispatchWaitsAndItsParentForgetsIt) {
    TestWnd* child = new TestWnd(wnd);
    const WidgetHandle h = wnd->AddChild(child);
    BeginWidgetDispatch();
    RemoveWidget(h, true);
    EXPECT_EQ(wnd->m_Children.Count(), 1);
    EndWidgetDispatch();
    EXPECT_EQ(wnd->m_Children.Count(), 0);
}

TEST_F(WndInput, QueriesClimbTheParentChain) {
    TestWnd* child = new TestWnd(wnd);
    wnd->AddChild(child);
    EXPECT_TRUE(child->IsActive());
    EXPECT_EQ(child->GetExpandState(), 2);
    EXPECT_EQ(child->GetOpacity(), 1.0f);
    EXPECT_EQ(child->GetStyle(), &style);
    EXPECT_FALSE(child->HasKeyFocus(child));
    EXPECT_TRUE(child->GetRect().IsEmpty());
    child->OnNotify(-1, 9, nullptr, nullptr);
    EXPECT_EQ(wnd->m_LastNotify, 9);
    child->TakeFocus();
    EXPECT_EQ(wnd->m_Focus, child);
    child->SetFocus(nullptr);
    EXPECT_EQ(wnd->m_Focus, nullptr);
    wnd->m_EnabledFlag = false;
    EXPECT_FALSE(child->IsEnabled());
    EXPECT_TRUE(child->IsVisible());
    wnd->m_VisibleFlag = false;
    EXPECT_FALSE(child->IsVisible());
}

TEST_F(WndInput, BringingToFrontTakesTheChildrenAlong) {
    TestWnd* other = new TestWnd;
    AddWidget(other, 3);
    TestWnd* child = new TestWnd(wnd);
    const WidgetHandle hc = wnd->AddChild(child);
    BringWidgetToFront(handle);
    cList<WidgetEntry> order;
    CollectWidgets(order, true);
    ASSERT_EQ(order.Count(), 3);
    EXPECT_EQ(order[0].handle, hc);
    EXPECT_EQ(order[1].handle, handle);
    EXPECT_EQ(order[2].widget, other);
}

}  // namespace
}  // namespace tovan
