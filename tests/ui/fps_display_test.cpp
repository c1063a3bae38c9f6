// cFpsDisplay: its text, its fade, docking to the nearest corner while
// dragged, and the quarter turn of a rotated screen.
#include "ui/fps_display.h"

#include <gtest/gtest.h>

#include "core/frame_clock.h"
#include "core/render_device.h"
#include "io/font.h"
#include "tests/support/fixed_view.h"
#include "tests/support/recording_renderer.h"
#include "tests/support/ui/frame_host.h"
#include "ui/input.h"

namespace tovan {
namespace {

using test::FixedView;

// The display's font, every printable glyph 6 pixels wide, lines 20 high: the
// text rectangle of "60 FPS" is 36 + 16 wide and 20 + 16 high.
void EnsureDisplayFont() {
    const char* name = "Comic Sans MS BI24";
    for (int i = 0; i < FontCount(); ++i)
        if (GetFont(i)->m_Name == name)
            return;
    cFont font;
    font.m_Name = name;
    font.m_LineHeight = 20;
    for (uint16_t code = 32; code < 127; ++code) {
        cFontGlyph g;
        g.m_Code = code;
        g.m_AdvanceX = 6;
        g.m_Width = 6;
        g.m_Height = 20;
        font.m_Glyphs.PushBack(g);
    }
    AddFont(font);
}

class Sides : public cHomeButtonSides {
public:
    bool HomeButtonOnTheRight() const override { return m_Right; }
    bool HomeButtonOnTheLeft() const override { return m_Left; }
    bool m_Right = false, m_Left = false;
};

// Keeps the UI transform that was in force when the device was told of it.
class TransformRecorder : public test::RecordingRenderer {
public:
    void ApplyUiTransform() override {
        m_Transforms.push_back(UiTransform);
        RecordingRenderer::ApplyUiTransform();
    }
    std::vector<cMat4> m_Transforms;
};

class FpsDisplay : public ::testing::Test {
protected:
    FpsDisplay() : view(FixedView::Orthographic({0, 0, 800, 600}, {{0, 0, -10}}, 1)) {
        EnsureDisplayFont();
        saved = FrameClock;
        FrameClock.m_Fps = 60;
        FrameClock.m_PausedForDialog = FrameClock.m_PausedForFileDialog = false;
        FpsDisplayRate = FpsDisplayFade = 0;
        HomeButtonSides = &sides;
        display = new cFpsDisplay(10, -10, 0);
        AddWidget(display, kOverlayLayer);
        host.Advance(0.1f);
    }
    ~FpsDisplay() override {
        HomeButtonSides = nullptr;
        FrameClock.m_Fps = saved.m_Fps;
        FrameClock.m_PausedForDialog = saved.m_PausedForDialog;
        FrameClock.m_PausedForFileDialog = saved.m_PausedForFileDialog;
    }
    // Press inside, move and let a frame see the drag, then release.
    void Drag(float fromX, float fromY, float toX, float toY) {
        host.MoveCursor(fromX, fromY);
        host.Press(kKeyLeftButton);
        host.MoveCursor(toX, toY);
        host.Frame();
        host.Release(kKeyLeftButton);
        host.Frame();
    }

    FixedView view;
    TransformRecorder device;
    Sides sides;
    cFrameClock saved;
    test::FrameHost host;
    cFpsDisplay* display;
};

TEST_F(FpsDisplay, ShowsTheLastRateOrPaused) {
    struct Case {
        float fps;
        bool dialog, fileDialog;
        const char* text;
    };
    const Case cases[] = {
        {59.6f, false, false, "60 FPS"}, {0, false, false, "60 FPS"},  // the last rate counted stays
        {12.2f, false, false, "12 FPS"}, {30, true, false, "Paused"}, {30, false, true, "Paused"},
    };
    for (const Case& c : cases) {
        FrameClock.m_Fps = c.fps;
        FrameClock.m_PausedForDialog = c.dialog;
        FrameClock.m_PausedForFileDialog = c.fileDialog;
        host.Advance(0.01f);
        EXPECT_STREQ(cFpsDisplay::Text().GetText(), c.text) << c.fps;
    }
}

TEST_F(FpsDisplay, FadesInWhileFramesAreCountedAndOutWhenNone) {
    struct Case {
        float fps, delta, fade;
    };
    const Case cases[] = {{60, 0.1f, 1.0f}, {0, 0.04f, 0.8f}, {0, 0.1f, 0.3f}, {0, 1, 0}, {0, 1, 0}, {5, 0.05f, 0.25f}};
    FpsDisplayFade = 0.5f;
    for (const Case& c : cases) {
        FrameClock.m_Fps = c.fps;
        host.Advance(c.delta);
        EXPECT_NEAR(FpsDisplayFade, c.fade, 1e-5f) << c.fps << " " << c.delta;
    }
}

TEST_F(FpsDisplay, SitsAtItsCornerAndDocksWhereItIsDraggedTo) {
    EXPECT_EQ(display->m_TextRect, (cRect{10, 554, 62, 590}));  // 10 in from the top-left corner
    EXPECT_EQ(display->m_Placed, (cRect{18, 562, 54, 582}));
    struct Case {
        float toX, toY;
        int corner;
        cVec2 offset;
    };
    // From a grab 20 right of and 20 below the rectangle's top-left corner.
    const Case cases[] = {
        {770, 30, kAnchorRight + kAnchorBottom, {2, 14}},   {400, 320, kAnchorCentre + kAnchorMiddle, {6, 22}},
        {30, 300, kAnchorLeft + kAnchorMiddle, {10, 2}},    {790, 585, kAnchorRight + kAnchorTop, {22, 5}},
        {420, 60, kAnchorCentre + kAnchorBottom, {26, 44}},
    };
    for (const Case& c : cases) {
        const cRect before = display->m_TextRect;
        Drag(before.x0 + 20, before.y1 - 20, c.toX, c.toY);
        const cRect moved{c.toX - 20, c.toY - 16, c.toX + 32, c.toY + 20};
        EXPECT_EQ(display->m_TextRect, moved) << c.toX << "," << c.toY;
        EXPECT_EQ(display->m_Corner, c.corner) << c.toX << "," << c.toY;
        EXPECT_FLOAT_EQ(display->m_Offset.x, c.offset.x);
        EXPECT_FLOAT_EQ(display->m_Offset.y, c.offset.y);
        EXPECT_FALSE(display->m_Dragging);
        EXPECT_EQ(CapturedWidget, -1);
    }
}

TEST_F(FpsDisplay, FollowsItsCornerWhenTheViewportChanges) {
    Drag(30, 570, 770, 30);  // bottom right: 2 beyond the right edge, 14 above the bottom
    ASSERT_EQ(display->m_Corner, kAnchorRight + kAnchorBottom);
    view.m_Viewport = {0, 0, 1000, 700};
    host.Advance(0.01f);
    EXPECT_EQ(display->m_TextRect, (cRect{950, 14, 1002, 50}));
    // A display left outside a smaller viewport docks anew without moving.
    view.m_Viewport = {0, 0, 500, 400};
    display->m_Corner = kAnchorLeft;
    display->m_Offset = {900, -100};
    host.Advance(0.01f);
    EXPECT_EQ(display->m_TextRect, (cRect{900, 264, 952, 300}));
    EXPECT_EQ(display->m_Corner, kAnchorRight + kAnchorMiddle);
    EXPECT_FLOAT_EQ(display->m_Offset.x, 452);
    EXPECT_FLOAT_EQ(display->m_Offset.y, 82);
}

TEST_F(FpsDisplay, PressesOutsideTheTextPassAndADragConsumesEveryCode) {
    host.MoveCursor(300, 300);
    host.Press(kKeyLeftButton);
    host.Frame();
    EXPECT_EQ(host.LastConsumer(), nullptr);
    host.Release(kKeyLeftButton);
    host.MoveCursor(20, 580);
    host.Press(kKeyLeftButton);
    host.Press(kKeySpace);
    host.Release(kKeySpace);
    host.Frame();
    EXPECT_EQ(host.LastConsumer(), display);  // the release of Space, during the drag
    EXPECT_TRUE(display->m_Dragging);
    EXPECT_EQ(GetWidget(CapturedWidget), display);
    host.Release(kKeyLeftButton);
    host.Frame();
    EXPECT_FALSE(display->m_Dragging);
    EXPECT_EQ(CapturedWidget, -1);
}

TEST_F(FpsDisplay, ATurnedScreenDrawsTurnedAndTakesTheTurnedCursor) {
    struct Case {
        bool right, left;
        cRect rect;  // in the turned frame: the viewport's sides swapped
    };
    const Case cases[] = {
        {true, false, {10, 754, 62, 790}}, {false, true, {10, 754, 62, 790}}, {true, true, {10, 754, 62, 790}}};
    for (const Case& c : cases) {
        sides.m_Right = c.right, sides.m_Left = c.left;
        device.m_Transforms.clear();
        host.Advance(0.01f);
        EXPECT_EQ(display->m_TextRect, c.rect);
        ASSERT_EQ(device.m_Transforms.size(), 2u);
        for (int i = 0; i < 16; ++i)  // put back afterwards
            EXPECT_EQ(UiTransform.m[i / 4][i % 4], i % 5 == 0 ? 1.0f : 0.0f);
        // Drawing turned undoes the turn of the cursor: a screen point comes back.
        const cMat4& turn = device.m_Transforms[0];
        for (const cVec2 screen : {cVec2{30, 40}, cVec2{700, 100}}) {
            CursorPosition = screen;
            UpdateRotatedCursor();
            const cVec3 back = turn.TransformPoint({RotatedCursorPosition.x, RotatedCursorPosition.y, 0});
            EXPECT_NEAR(back.x, screen.x, 1e-4f);
            EXPECT_NEAR(back.y, screen.y, 1e-4f);
        }
    }
    // The press is tested against the turned cursor.
    sides.m_Right = true, sides.m_Left = false;
    host.Advance(0.01f);
    // Turned (x, y) = (600 - screen y, screen x): (20, 780) is screen (780, 580).
    host.MoveCursor(780, 580);
    host.Press(kKeyLeftButton);
    host.Frame();
    EXPECT_TRUE(display->m_Dragging);
    host.Release(kKeyLeftButton);
    host.Frame();
}

}  // namespace
}  // namespace tovan
