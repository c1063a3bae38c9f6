// cWnd layout: clips, content clamps, scroll-bar parts and frame parts.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/ui/frame_host.h"
#include "tests/support/ui/recording_style.h"
#include "tests/ui/wnd_test_support.h"
#include "ui/input.h"

namespace tovan {
namespace {

using test::TestWnd;

cRect R(float x0, float y0, float x1, float y1) { return {x0, y0, x1, y1}; }

class WndLayout : public ::testing::Test {
protected:
    WndLayout() {
        test::SetTestMetrics(style);
        wnd.m_Rect = wnd.m_Client = R(0, 0, 100, 200);
    }
    test::RecordingStyle style;
    TestWnd wnd;
};

TEST_F(WndLayout, EmptyClientGivesAnEmptyChildClipAndKeepsTheRest) {
    wnd.m_Client = cRect::Empty();
    wnd.m_VScroll = true;
    wnd.m_View = R(1, 2, 3, 4);
    wnd.m_ChildClip = R(0, 0, 9, 9);
    wnd.Layout();
    EXPECT_TRUE(wnd.m_ChildClip.IsEmpty());
    EXPECT_EQ(wnd.m_Visible, R(0, 0, 100, 200));
    EXPECT_EQ(wnd.m_View, R(1, 2, 3, 4));
    EXPECT_FALSE(wnd.m_VNeeded);
}

TEST_F(WndLayout, ContentPlacementAndTheVerticalBar) {
    struct Case {
        const char* what;
        float top, bottom;          // scroll offsets before
        float wantTop, wantBottom;  // after the clamps
        bool needed;
        float scale;
        cRect thumb;
    };
    const Case cases[] = {
        {"as tall as the view", 0, -200, 0, -200, false, 170.0f / 200, R(90, 10, 100, 190)},
        {"height 0", 0, 0, 0, 0, false, 1, R(90, 10, 100, 190)},
        {"twice the view, at the top", 0, -400, 0, -400, true, 170.0f / 400, R(90, 95, 100, 190)},
        {"scrolled past the bottom", 300, -100, 200, -200, true, 170.0f / 400, R(90, 10, 100, 105)},
        {"scrolled above the top", -50, -450, 0, -400, true, 170.0f / 400, R(90, 95, 100, 190)},
        {"half way", 100, -300, 100, -300, true, 170.0f / 400, R(90, 52, 100, 147)},
        {"never set", kFloatMax, -kFloatMax, 0, -200, false, 170.0f / 200, R(90, 10, 100, 190)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        wnd.m_VScroll = true;
        wnd.m_Scroll.y1 = c.top;
        wnd.m_Scroll.y0 = c.bottom;
        if (c.top == kFloatMax)  // the offsets as constructed: the empty rectangle
            wnd.m_Scroll = cRect::Empty();
        wnd.Layout();
        EXPECT_EQ(wnd.m_Scroll.y1, c.wantTop);
        EXPECT_EQ(wnd.m_Scroll.y0, c.wantBottom);
        EXPECT_EQ(wnd.m_Content, R(0, 200 + c.wantBottom, 100, 200 + c.wantTop));
        EXPECT_EQ(wnd.m_VNeeded, c.needed);
        EXPECT_FLOAT_EQ(wnd.m_VThumbScale, c.scale);
        EXPECT_EQ(wnd.m_Parts[kPartVThumb], c.thumb);
        EXPECT_EQ(wnd.m_Parts[kPartVBar], R(90, 0, 100, 200));
        EXPECT_EQ(wnd.m_Parts[kPartArrowUp], R(90, 190, 100, 200));
        EXPECT_EQ(wnd.m_Parts[kPartArrowDown], R(90, 0, 100, 10));
        EXPECT_EQ(wnd.m_Parts[kPartPageUp], R(90, c.thumb.y1, 100, 190));
        EXPECT_EQ(wnd.m_Parts[kPartPageDown], R(90, 10, 100, c.thumb.y0));
        EXPECT_FALSE(std::isnan(wnd.m_Content.y0));
    }
}

TEST_F(WndLayout, HorizontalClampsKeepTheContentWidth) {
    struct Case {
        float left, right, wantLeft, wantRight;
    };
    const Case cases[] = {
        {20, 320, 0, 300},      // scrolled left of the start
        {-280, 20, -200, 100},  // scrolled past the end
        {-50, 250, -50, 250},   // within
        {0, 100, 0, 100},       // exactly the view
    };
    wnd.m_HScroll = true;
    for (const Case& c : cases) {
        wnd.m_Scroll.x0 = c.left;
        wnd.m_Scroll.x1 = c.right;
        wnd.Layout();
        EXPECT_EQ(wnd.m_Scroll.x0, c.wantLeft) << c.left;
        EXPECT_EQ(wnd.m_Scroll.x1, c.wantRight) << c.left;
        EXPECT_LE(wnd.m_Scroll.x0, 0);
        EXPECT_GE(wnd.m_Scroll.x1 - wnd.m_Scroll.x0, wnd.m_View.Width());
        EXPECT_EQ(wnd.m_HNeeded, c.right - c.left > 100);
    }
    EXPECT_EQ(wnd.m_Scroll.y1, 0);  // the vertical axis follows the client
    EXPECT_EQ(wnd.m_Scroll.y0, -200);
}

TEST_F(WndLayout, HorizontalThumbSitsByTheNearerEnd) {
    wnd.m_HScroll = true;
    wnd.m_Scroll.x0 = -300;  // near the right end
    wnd.m_Scroll.x1 = 100;
    wnd.Layout();
    // track 100 - 20 - 10 = 70, fraction 1/4, scale 70/400
    EXPECT_EQ(wnd.m_Parts[kPartHThumb], R(62, 0, 90, 10));
    EXPECT_EQ(wnd.m_Parts[kPartPageLeft], R(10, 0, 62, 10));
    EXPECT_EQ(wnd.m_Parts[kPartPageRight], R(90, 0, 90, 10));
    wnd.m_Scroll.x0 = 0;
    wnd.m_Scroll.x1 = 400;
    wnd.Layout();
    EXPECT_EQ(wnd.m_Parts[kPartHThumb], R(10, 0, 38, 10));
}

TEST_F(WndLayout, BarsThatTakeRoomShrinkTheView) {
    style.m_BarsTakeRoom = 1;
    wnd.m_VScroll = wnd.m_HScroll = true;
    wnd.m_Scroll = R(0, -400, 300, 0);
    wnd.Layout();  // finds both bars needed
    wnd.Layout();  // and gives them their room
    EXPECT_EQ(wnd.m_View, R(0, 10, 90, 200));
    EXPECT_EQ(wnd.m_Parts[kPartVBar], R(90, 10, 100, 200));
    EXPECT_EQ(wnd.m_Parts[kPartHBar], R(0, 0, 90, 10));
    wnd.m_VScroll = false;  // a bar switched off is no longer needed
    wnd.Layout();
    EXPECT_FALSE(wnd.m_VNeeded);
}

TEST_F(WndLayout, FixedContentWidthIsAtLeastTheView) {
    wnd.m_HScroll = true;
    wnd.m_FixedContentWidth = true;
    wnd.m_Scroll = R(0, -200, 0, 0);
    struct Case {
        float width, wantRight;
    };
    for (const Case& c : {Case{300, 300}, Case{40, 100}}) {
        wnd.m_ContentWidth = c.width;
        wnd.Layout();
        EXPECT_EQ(wnd.m_Scroll.x1, c.wantRight);
    }
}

TEST_F(WndLayout, ChildClipsFollowTheParent) {
    TestWnd child(&wnd);
    wnd.Layout();
    child.m_Rect = child.m_Client = R(50, 150, 150, 250);
    child.Layout();
    EXPECT_EQ(child.m_Visible, R(50, 150, 100, 200));
    EXPECT_EQ(child.m_ChildClip, R(50, 150, 100, 200));
    EXPECT_EQ(child.m_ViewClip, R(50, 150, 100, 200));
    EXPECT_EQ(child.m_View, R(50, 150, 150, 250));
}

TEST_F(WndLayout, HitTestFindsScrollAndFrameParts) {
    test::FrameHost host;
    wnd.m_VScroll = true;
    wnd.m_FrameResizable = true;
    wnd.m_Scroll = R(0, -400, 100, 0);
    wnd.Layout();
    struct Case {
        float x, y;
        int part;
    };
    const Case cases[] = {
        {95, 150, kPartVThumb},  {95, 50, kPartPageDown}, {95, 195, kPartArrowUp}, {95, 5, kPartArrowDown},
        {50, 100, kPartNone},    {2, 100, kPartLeftEdge}, {50, 198, kPartTopEdge}, {50, 2, kPartBottomEdge},
        {1, 1, kPartBottomLeft}, {6, 6, kPartNone},       {2, 198, kPartTopLeft},  {101, 100, kPartNone},
    };
    for (const Case& c : cases) {
        CursorPosition = {c.x, c.y};
        EXPECT_EQ(wnd.HitTest(), c.part) << c.x << "," << c.y;
    }
    wnd.m_VScroll = false;
    wnd.Layout();
    struct Corner {
        float x, y;
        int part;
    };
    for (const Corner& c :
         {Corner{98, 199, kPartTopRight}, Corner{99, 1, kPartBottomRight}, Corner{98, 100, kPartRightEdge}}) {
        CursorPosition = {c.x, c.y};
        EXPECT_EQ(wnd.HitTest(), c.part) << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace tovan
