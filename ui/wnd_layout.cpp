// cWnd layout: the visible, view and clip rectangles, the content placement
// under scrolling, the scroll-bar parts and the frame parts; and HitTest.
#include "ui/input.h"
#include "ui/rect_ops.h"
#include "ui/widget_style.h"
#include "ui/wnd.h"

#include <cmath>

namespace tovan {

namespace {

float Clamp01(float v) { return v < 0 ? 0 : v > 1 ? 1 : v; }

// Fraction of the content the view shows, and thumb units per content unit.
void BarRatios(float viewSize, float contentSize, float track, float* fraction, float* scale) {
    if (contentSize == 0) {
        *fraction = 1;
        *scale = 1;
        return;
    }
    *fraction = Clamp01(viewSize / contentSize);
    *scale = Clamp01(track / contentSize);
}

// Corner squares: which sides of the rect each of parts 28-31 touches.
struct CornerSides {
    int part;
    bool right, top;
};
constexpr CornerSides kCorners[4] = {
    {kPartBottomRight, true, false},
    {kPartTopLeft, false, true},
    {kPartBottomLeft, false, false},
    {kPartTopRight, true, true},
};

constexpr int kVerticalHits[] = {kPartVThumb, kPartPageUp, kPartPageDown, kPartArrowUp, kPartArrowDown};
constexpr int kHorizontalHits[] = {kPartHThumb, kPartPageLeft, kPartPageRight, kPartArrowLeft, kPartArrowRight};
constexpr int kEdgeHits[] = {kPartRightEdge, kPartLeftEdge, kPartTopEdge, kPartBottomEdge};
constexpr int kCornerHits[] = {kPartTopLeft, kPartBottomRight, kPartBottomLeft, kPartTopRight};

}  // namespace

void cWnd::Layout() {
    const WidgetStyle& style = Style();
    const cRect* parentClip = m_Parent ? &m_Parent->m_ChildClip : nullptr;
    m_Visible = parentClip ? Intersect(m_Rect, *parentClip) : m_Rect;
    if (m_Client.IsEmpty()) {
        m_ChildClip = cRect::Empty();
        return;
    }
    const float thickness = style.m_ScrollBarThickness;
    m_View = m_Client;
    if (style.m_BarsTakeRoom) {
        if (m_VNeeded)
            m_View.x1 -= thickness;
        if (m_HNeeded)
            m_View.y0 += thickness;
    }
    cRect& s = m_Scroll;  // x0 left, y0 bottom, x1 right, y1 top
    const float viewWidth = m_View.Width(), viewHeight = m_View.Height();
    if (m_FixedContentWidth)
        s.x1 = s.x0 + std::fmax(m_ContentWidth, m_View.x1 - m_Client.x0);
    m_ViewClip = m_ChildClip = parentClip ? Intersect(m_View, *parentClip) : m_View;
    if (!m_VScroll) {
        s.y1 = 0;
        s.y0 = -m_Client.Height();
    }
    if (!m_HScroll) {
        s.x0 = 0;
        s.x1 = m_Client.Width();
    }
    if (m_VScroll || m_HScroll) {
        // Offsets never set (still the empty rectangle) would scroll to
        // infinity below; they stand for content the size of the view.
        if (s.x0 > s.x1) {
            s.x0 = 0;
            s.x1 = viewWidth;
        }
        if (s.y0 > s.y1) {
            s.y1 = 0;
            s.y0 = -viewHeight;
        }
        // Pull back what scrolled past either end, keeping the content's size.
        if (s.x1 < viewWidth) {
            const float shift = viewWidth - s.x1;
            s.x0 += shift, s.x1 += shift;
        }
        if (s.y0 > -viewHeight) {
            const float shift = -viewHeight - s.y0;
            s.y0 += shift, s.y1 += shift;
        }
        if (s.x0 > 0) {
            s.x1 -= s.x0;
            s.x0 = 0;
        }
        if (s.y1 < 0) {
            s.y0 -= s.y1;
            s.y1 = 0;
        }
    }
    m_Content = {m_Client.x0 + s.x0, m_Client.y1 + s.y0, m_Client.x0 + s.x1, m_Client.y1 + s.y1};

    const float arrow = style.m_ArrowLength, minThumb = style.m_MinThumbLength;
    // A bar switched off is not needed, whatever an earlier layout found.
    m_VNeeded = false;
    m_HNeeded = m_HNeeded && m_HScroll;
    if (m_VScroll) {
        const float* o = style.m_VerticalBarOffsets;  // x, top, bottom
        cRect& bar = m_Parts[kPartVBar];
        bar = {m_Client.x1 + o[0] - thickness, m_Client.y0 + o[2], m_Client.x1 + o[0], m_Client.y1 + o[1]};
        if (style.m_BarsTakeRoom && m_HNeeded)
            bar.y0 += thickness;
        m_Parts[kPartArrowUp] = {bar.x0, bar.y1 - arrow, bar.x1, bar.y1};
        m_Parts[kPartArrowDown] = {bar.x0, bar.y0, bar.x1, bar.y0 + arrow};
        m_VTrack = {bar.x0, bar.y0 + arrow, bar.x1, bar.y1 - arrow};
        const float track = bar.Height() - 2 * arrow - minThumb;
        float fraction, scale;
        BarRatios(m_View.Height(), m_Content.Height(), track, &fraction, &scale);
        const float length = RoundPixel(fraction * track) + minThumb;
        const float below = m_View.y0 - m_Content.y0, above = m_Content.y1 - m_View.y1;
        cRect& thumb = m_Parts[kPartVThumb];
        thumb.x0 = bar.x0, thumb.x1 = bar.x1;
        if (below >= 0 && below < above) {
            thumb.y0 = bar.y0 + arrow + RoundPixel(scale * below);
            thumb.y1 = thumb.y0 + length;
        } else {
            thumb.y1 = bar.y1 - arrow - RoundPixel(scale * above);
            thumb.y0 = thumb.y1 - length;
        }
        m_Parts[kPartPageUp] = {bar.x0, thumb.y1, bar.x1, m_Parts[kPartArrowUp].y0};
        m_Parts[kPartPageDown] = {bar.x0, m_Parts[kPartArrowDown].y1, bar.x1, thumb.y0};
        m_VThumbScale = scale;
        m_VNeeded = std::fabs(fraction - 1) > 0.001f;
    }
    if (m_HScroll) {
        const float* o = style.m_HorizontalBarOffsets;  // left, bottom, right
        cRect& bar = m_Parts[kPartHBar];
        bar = {m_Client.x0 + o[0], m_Client.y0 + o[1], m_Client.x1 + o[2], m_Client.y0 + o[1] + thickness};
        if (style.m_BarsTakeRoom && m_VNeeded)
            bar.x1 -= thickness;
        m_Parts[kPartArrowLeft] = {bar.x0, bar.y0, bar.x0 + arrow, bar.y1};
        m_Parts[kPartArrowRight] = {bar.x1 - arrow, bar.y0, bar.x1, bar.y1};
        m_HTrack = {bar.x0 + arrow, bar.y0, bar.x1 - arrow, bar.y1};
        const float track = bar.Width() - 2 * arrow - minThumb;
        float fraction, scale;
        BarRatios(m_View.Width(), m_Content.Width(), track, &fraction, &scale);
        const float length = RoundPixel(fraction * track) + minThumb;
        const float left = m_View.x0 - m_Content.x0, right = m_Content.x1 - m_View.x1;
        cRect& thumb = m_Parts[kPartHThumb];
        thumb.y0 = bar.y0, thumb.y1 = bar.y1;
        if (right >= 0 && right < left) {
            thumb.x1 = bar.x1 - arrow - RoundPixel(scale * right);
            thumb.x0 = thumb.x1 - length;
        } else {
            thumb.x0 = bar.x0 + arrow + RoundPixel(scale * left);
            thumb.x1 = thumb.x0 + length;
        }
        m_Parts[kPartPageLeft] = {m_Parts[kPartArrowLeft].x1, bar.y0, thumb.x0, bar.y1};
        m_Parts[kPartPageRight] = {thumb.x1, bar.y0, m_Parts[kPartArrowRight].x0, bar.y1};
        m_HThumbScale = scale;
        m_HNeeded = std::fabs(fraction - 1) > 0.001f;
    }

    if (m_FrameResizable) {
        const cRect& r = m_Rect;
        const float frame = style.m_FrameWidth, corner = style.m_CornerSize;
        for (int i = 0; i < 4; ++i) {
            const CornerSides& c = kCorners[i];
            cRect square;
            square.x0 = c.right ? r.x1 - corner : r.x0;
            square.x1 = square.x0 + corner;
            square.y0 = c.top ? r.y1 - corner : r.y0;
            square.y1 = square.y0 + corner;
            cRect inner = square;  // one frame width in from both outer edges
            (c.right ? inner.x1 : inner.x0) += c.right ? -frame : frame;
            (c.top ? inner.y1 : inner.y0) += c.top ? -frame : frame;
            m_FrameParts[c.part - kPartLeftEdge] = square;
            m_FrameInner[c.part - kPartBottomRight] = inner;
        }
        m_FrameParts[kPartLeftEdge - kPartLeftEdge] = {r.x0, r.y0 + corner, r.x0 + frame, r.y1 - corner};
        m_FrameParts[kPartRightEdge - kPartLeftEdge] = {r.x1 - frame, r.y0 + corner, r.x1, r.y1 - corner};
        m_FrameParts[kPartTopEdge - kPartLeftEdge] = {r.x0 + corner, r.y1 - frame, r.x1 - corner, r.y1};
        m_FrameParts[kPartBottomEdge - kPartLeftEdge] = {r.x0 + corner, r.y0, r.x1 - corner, r.y0 + frame};
    }
}

int cWnd::HitTest() {
    const cVec2 cursor = CursorPosition;
    if (!m_Visible.Contains(cursor))
        return kPartNone;
    if (m_VNeeded)
        for (int part : kVerticalHits)
            if (m_Parts[part].Contains(cursor))
                return part;
    if (m_HNeeded)
        for (int part : kHorizontalHits)
            if (m_Parts[part].Contains(cursor))
                return part;
    if (!m_FrameResizable)
        return kPartNone;
    for (int part : kEdgeHits)
        if (m_FrameParts[part - kPartLeftEdge].Contains(cursor))
            return part;
    for (int part : kCornerHits)
        if (m_FrameParts[part - kPartLeftEdge].Contains(cursor) &&
            !m_FrameInner[part - kPartBottomRight].Contains(cursor))
            return part;
    return kPartNone;
}

}  // namespace tovan
