// cWnd input: presses on scroll parts and the frame, thumb drags, paging,
// arrows, panning, frame resizing, the wheel, the hover pass and the cursor.
#include "core/frame_clock.h"
#include "ui/input.h"
#include "ui/widget_style.h"
#include "ui/wnd.h"

namespace tovan {

namespace {

// How far one step of a page part or arrow moves the content, as multiples of
// the view's size (pages) or the arrow step (arrows).
struct PartStep {
    int part;
    float x, y;
    bool page;
};
constexpr PartStep kPartSteps[] = {
    {kPartPageUp, 0, -1, true},    {kPartPageDown, 0, 1, true},     {kPartPageLeft, 1, 0, true},
    {kPartPageRight, -1, 0, true}, {kPartArrowUp, 0, -1, false},    {kPartArrowDown, 0, 1, false},
    {kPartArrowLeft, 1, 0, false}, {kPartArrowRight, -1, 0, false},
};

// The rect edges a frame part drags, and the corner its grab offset is taken from.
struct FrameDrag {
    bool left, top, right, bottom;
    bool cornerRight, cornerTop;
};
constexpr FrameDrag kFrameDrags[8] = {
    {true, false, false, false, false, true},  // 24 left edge
    {false, true, false, false, false, true},  // 25 top edge
    {false, false, true, false, true, false},  // 26 right edge
    {false, false, false, true, true, false},  // 27 bottom edge
    {false, false, true, true, true, false},   // 28 bottom-right
    {true, true, false, false, false, true},   // 29 top-left
    {true, false, false, true, false, false},  // 30 bottom-left
    {false, true, true, false, true, true},    // 31 top-right
};

struct PartShape {
    int part, shape;
};
constexpr PartShape kCursorShapes[] = {
    {kPartLeftEdge, kCursorResizeHorizontal},
    {kPartRightEdge, kCursorResizeHorizontal},
    {kPartTopEdge, kCursorResizeVertical},
    {kPartBottomEdge, kCursorResizeVertical},
    {kPartBottomRight, kCursorResizeDiagonalDown},
    {kPartTopLeft, kCursorResizeDiagonalDown},
    {kPartBottomLeft, kCursorResizeDiagonalUp},
    {kPartTopRight, kCursorResizeDiagonalUp},
    {kPartPan, kCursorPan},
};

bool ShapeOf(int part, int* shape) {
    for (const PartShape& s : kCursorShapes)
        if (s.part == part) {
            *shape = s.shape;
            return true;
        }
    return false;
}

}  // namespace

bool cWnd::InVisible() const { return m_Visible.Contains(CursorPosition); }

void cWnd::ScrollBy(float dx, float dy) {
    m_Scroll.x0 += dx, m_Scroll.x1 += dx;
    m_Scroll.y0 += dy, m_Scroll.y1 += dy;
}

void cWnd::ScrollPart(int part) {
    for (const PartStep& step : kPartSteps) {
        if (step.part != part)
            continue;
        const float sx = step.page ? m_View.Width() : GetArrowStep();
        const float sy = step.page ? m_View.Height() : GetArrowStep();
        ScrollBy(step.x * sx, step.y * sy);
        return;
    }
}

void cWnd::StartDrag(int part) {
    m_DragPart = part;
    m_DragStart = CursorPosition;
    TakeCapture(this);
}

bool cWnd::OnKeyDown(KeyCode code) {
    if (!IsVisible() || !IsEnabled())
        return false;
    const cVec2 cursor = CursorPosition;
    if (IsWheelCode(code)) {
        const bool holds = HoldsCapture(this);
        if (holds && (!m_KeepWheelFocus || IsScrollPart() || m_AutoScrollPart != kPartNone))
            return true;
        if (IsActive() && m_WheelScrolls && (InVisible() || m_WheelFromOutside)) {
            const float amount = GetWheelStep() * WheelDelta;
            if (m_HNeeded && m_Parts[kPartHBar].Contains(cursor))
                ScrollBy(amount, 0);
            else if (m_VNeeded)
                ScrollBy(0, -amount);
            return true;
        }
        return holds;
    }
    if (HoldsCapture(this))
        return true;  // a key pressed during a drag is swallowed
    if (!IsMouseButton(code))
        return false;
    if (!InVisible())
        return false;
    if (!IsActive())
        Activate();
    if (code == kKeyMiddleButton) {
        if (m_MiddlePan && m_View.Contains(cursor) && (m_VScroll || m_HScroll)) {
            m_GrabOffset = cursor;
            m_PanStart = m_Scroll;
            StartDrag(kPartPan);
        }
        return true;
    }
    if (code != kKeyLeftButton)
        return true;
    const int part = HitTest();
    // A derived window's own parts (a form's title and buttons) are its to
    // handle: a drag started here would hide the press from it.
    const bool own =
        (part >= kPartVThumb && part <= kPartArrowRight) || (part >= kPartLeftEdge && part <= kPartTopRight);
    if (!own)
        return true;
    if (part == kPartVThumb || part == kPartHThumb) {
        // The line the grabbed point travels while the thumb goes from one
        // end of its track to the other.
        const cRect& thumb = m_Parts[part];
        if (part == kPartVThumb) {
            const float grab = cursor.y - thumb.y0;
            m_DragLineStart = {cursor.x, m_VTrack.y1 - thumb.Height() + grab};
            m_DragLineEnd = {cursor.x, m_VTrack.y0 + grab};
        } else {
            const float grab = cursor.x - thumb.x0;
            m_DragLineStart = {m_HTrack.x0 + grab, cursor.y};
            m_DragLineEnd = {m_HTrack.x1 - thumb.Width() + grab, cursor.y};
        }
        const cVec2 line = m_DragLineEnd - m_DragLineStart;
        m_DragLineLength = Length(line);
        if (m_DragLineLength < 1e-10f) {
            m_DragLineLength = 0;
            m_DragLineDir = {0, 0};
        } else {
            m_DragLineDir = line / m_DragLineLength;
        }
    } else if (part >= kPartPageUp && part <= kPartArrowRight) {
        ScrollPart(part);
        Layout();
        m_NextRepeat = FrameClock.m_TotalSeconds + Style().m_RepeatDelay;
    } else if (part >= kPartLeftEdge && part <= kPartTopRight) {
        const FrameDrag& drag = kFrameDrags[part - kPartLeftEdge];
        const cVec2 corner{drag.cornerRight ? m_Rect.x1 : m_Rect.x0, drag.cornerTop ? m_Rect.y1 : m_Rect.y0};
        m_GrabOffset = corner - cursor;
    }
    StartDrag(part);
    return true;
}

bool cWnd::OnKeyUp(KeyCode code) {
    if (!HoldsCapture(this))
        return false;
    const bool ends = m_DragPart == kPartPan ? code == kKeyMiddleButton : code == kKeyLeftButton;
    if (ends) {
        ReleaseWidgetCapture();
        m_DragPart = kPartNone;
    }
    return true;
}

bool cWnd::OnMouseMove() {
    if (!HoldsCapture(this))
        return false;
    const cVec2 cursor = CursorPosition;
    if (m_DragPart == kPartPan) {
        const cVec2 travel = cursor - m_GrabOffset;
        m_Scroll = m_PanStart;
        ScrollBy(travel.x, travel.y);
    } else if (m_DragPart == kPartVThumb || m_DragPart == kPartHThumb) {
        auto project = [this](const cVec2& p) {
            float t = Dot(p - m_DragLineStart, m_DragLineDir);
            t = t < 0 ? 0 : t > m_DragLineLength ? m_DragLineLength : t;
            return m_DragLineStart + m_DragLineDir * t;
        };
        const cVec2 from = project(m_DragStart), to = project(cursor);
        // A thumb without travel per content unit cannot move the content.
        if (m_DragPart == kPartVThumb && m_VThumbScale > 0)
            ScrollBy(0, (from.y - to.y) / m_VThumbScale);
        else if (m_DragPart == kPartHThumb && m_HThumbScale > 0)
            ScrollBy((from.x - to.x) / m_HThumbScale, 0);
    } else if (IsFramePart()) {
        const FrameDrag& drag = kFrameDrags[m_DragPart - kPartLeftEdge];
        const cVec2 to = cursor + m_GrabOffset;
        if (drag.left)
            m_Rect.x0 = to.x;
        if (drag.right)
            m_Rect.x1 = to.x;
        if (drag.top)
            m_Rect.y1 = to.y;
        if (drag.bottom)
            m_Rect.y0 = to.y;
        Layout();
    }
    m_DragStart = cursor;
    return true;
}

bool cWnd::UpdateHover(bool covered) {
    m_HoverPart = kPartNone;
    if (covered || !IsVisible() || !IsEnabled())
        return false;
    if (m_DragPart != kPartNone) {
        const int part = HitTest();
        m_HoverPart = part == m_DragPart ? part : kPartNone;
        return true;
    }
    if (!InVisible())
        return false;
    m_HoverPart = HitTest();
    return true;
}

bool cWnd::GetCursorShape(int* shape) {
    if (!shape)
        return false;
    if (m_DragPart != kPartNone && ShapeOf(m_DragPart, shape))
        return true;
    return ShapeOf(m_HoverPart, shape);
}

}  // namespace tovan
