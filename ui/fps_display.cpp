// cFpsDisplay: placing the rate text at its corner, docking it anew while it
// is dragged or when it falls outside the viewport, and drawing it.
#include "ui/fps_display.h"

#include "core/frame_clock.h"
#include "core/render_device.h"
#include "core/view.h"
#include "io/font.h"
#include "ui/draw.h"
#include "ui/input.h"
#include "ui/widget_registry.h"

namespace tovan {

float FpsDisplayRate = 0;
float FpsDisplayFade = 0;

namespace {

constexpr const char* kFont = "Comic Sans MS BI24";
constexpr float kFadeSpeed = 5;  // fade units per second
constexpr float kTextMargin = 8;
constexpr float kWhiteMargin = 4;  // the white frame around the yellow one
constexpr float kFrameRadius = 10, kFrameGradient = 8, kFramePower = 20;
constexpr cColor kDockShade{0.039f, 0.137f, 0.412f, 0.392f};

// Which way the screen is turned: the home button on the right turns the
// display by -90 degrees, on the left by +90.
enum Turn { kUpright, kTurnedRight, kTurnedLeft };

Turn CurrentTurn() {
    if (!HomeButtonSides)
        return kUpright;
    if (HomeButtonSides->HomeButtonOnTheRight())
        return kTurnedRight;
    return HomeButtonSides->HomeButtonOnTheLeft() ? kTurnedLeft : kUpright;
}

// The viewport in the display's own frame: a turned screen swaps its sides,
// as RotatedCursorPosition does.
cRect DisplayArea(Turn turn) {
    if (!CurrentView)
        return cRect::Empty();
    const cRect& viewport = CurrentView->m_Viewport;
    if (turn == kUpright)
        return viewport;
    return {0, 0, viewport.Height(), viewport.Width()};
}

// The display's frame to GUI space: the inverse of the rotated cursor.
cMat4 TurnTransform(Turn turn) {
    cMat4 m;
    if (turn == kUpright || !CurrentView)
        return m;
    const cRect& viewport = CurrentView->m_Viewport;
    const float s = turn == kTurnedRight ? -1.0f : 1.0f;  // sin of the turn
    m.m[0][0] = m.m[1][1] = 0;
    m.m[0][1] = s;
    m.m[1][0] = -s;
    if (turn == kTurnedRight)
        m.m[3][1] = viewport.Height();  // (x, y) -> (y, H - x)
    else
        m.m[3][0] = viewport.Width();  // (x, y) -> (W - y, x)
    return m;
}

bool Inside(const cRect& inner, const cRect& outer) {
    return inner.x0 >= outer.x0 && inner.x1 <= outer.x1 && inner.y0 >= outer.y0 && inner.y1 <= outer.y1;
}

cRect Grown(const cRect& r, float by) { return {r.x0 - by, r.y0 - by, r.x1 + by, r.y1 + by}; }

void DrawFrame(const cRect& rect, float r, float g, float b, float alpha) {
    const cColor centre{r, g, b, alpha}, bound{r, g, b, 0};
    DrawFramedRect(&rect, &centre, kFrameRadius, kFrameGradient, kFramePower, &bound);
}

}  // namespace

cFpsDisplay::cFpsDisplay(float offsetX, float offsetY, int corner) : m_Offset{offsetX, offsetY}, m_Corner(corner) {}

cFpsDisplay::~cFpsDisplay() = default;

cStr cFpsDisplay::Text() {
    if (FrameClock.IsPaused())
        return "Paused";
    return cStr::FromFloat(FpsDisplayRate, 0) + " FPS";
}

void cFpsDisplay::Update() {
    const float rate = FrameClock.m_Fps;
    if (rate != 0)
        FpsDisplayRate = rate;
    const float fade = FpsDisplayFade + FrameClock.m_FrameDelta * kFadeSpeed * (rate != 0 ? 1.0f : -1.0f);
    FpsDisplayFade = fade < 0 ? 0 : fade > 1 ? 1 : fade;

    static const int32_t font = LoadFont(kFont);
    const cStr text = Text();
    const cRect box = DrawText(font, 0, text.GetText(), 0, kTextNoQuads, nullptr);

    const Turn turn = CurrentTurn();
    const cRect area = DisplayArea(turn);
    cRect rect = Grown(box, kTextMargin);
    const cVec2 anchor = area.GetAnchorPoint(m_Corner);
    rect.MoveAnchorTo(m_Corner, anchor.x + m_Offset.x, anchor.y + m_Offset.y);
    cRect zone;
    if (!area.IsEmpty() && (m_Dragging || !Inside(rect, area)))
        m_Corner = area.FindNearestAnchor(rect, &zone, &m_Offset);  // the same place, from the nearest anchor
    m_TextRect = rect;
    const cVec2 pen{rect.x0 + kTextMargin - box.x0, rect.y0 + kTextMargin - box.y0};
    m_Placed = {pen.x + box.x0, pen.y + box.y0, pen.x + box.x1, pen.y + box.y1};

    if (turn != kUpright)
        SetUiTransform(TurnTransform(turn));
    if (m_Dragging)
        DrawSolidRect(&zone, &kDockShade);
    DrawFrame(rect, 1, 1, 0, FpsDisplayFade * 0.3f);
    DrawFrame(Grown(rect, kWhiteMargin), 1, 1, 1, FpsDisplayFade * 0.3f);
    const cColor blue{0, 0, 1, FpsDisplayFade * 0.8f};
    DrawText(font, pen.x, text.GetText(), pen.y, 0, &blue);
    if (turn != kUpright)
        SetUiTransform(cMat4::Identity());
}

bool cFpsDisplay::OnKeyDown(KeyCode code) {
    if (HoldsCapture(this))
        return true;
    if (code != kKeyLeftButton || !m_TextRect.Contains(RotatedCursorPosition))
        return false;
    m_DragStart = RotatedCursorPosition;
    m_Dragging = true;
    TakeCapture(this);
    return true;
}

bool cFpsDisplay::OnKeyUp(KeyCode code) {
    if (!m_Dragging)
        return false;
    if (code == kKeyLeftButton) {
        m_Dragging = false;
        if (HoldsCapture(this))
            ReleaseWidgetCapture();
    }
    return true;
}

bool cFpsDisplay::OnMouseMove() {
    if (!m_Dragging)
        return false;
    m_Offset += RotatedCursorPosition - m_DragStart;
    m_DragStart = RotatedCursorPosition;
    return true;
}

}  // namespace tovan
