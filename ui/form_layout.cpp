// cForm layout: the collapsed title docked to its area, the normal rectangle
// kept by two docked corner boxes, the maximised rectangle, the client below
// the title and tool bar, the title parts, and the hit test.
#include "core/view.h"
#include "ui/form.h"
#include "ui/input.h"
#include "ui/rect_ops.h"
#include "ui/widget_style.h"

namespace tovan {

namespace {

cRect Rounded(const cRect& r) { return {RoundPixel(r.x0), RoundPixel(r.y0), RoundPixel(r.x1), RoundPixel(r.y1)}; }

// A rect of the given size whose anchor point of `code` lies at `at`.
cRect Placed(float width, float height, int code, const cVec2& at) {
    cRect r{0, 0, width, height};
    r.MoveAnchorTo(code, at.x, at.y);
    return r;
}

// Moves r by the least amount that puts it inside area (its left and top
// edges win when it is larger).
void KeepInside(cRect& r, const cRect& area) {
    float dx = 0, dy = 0;
    if (r.x1 > area.x1)
        dx = area.x1 - r.x1;
    if (r.x0 + dx < area.x0)
        dx = area.x0 - r.x0;
    if (r.y0 < area.y0)
        dy = area.y0 - r.y0;
    if (r.y1 + dy > area.y1)
        dy = area.y1 - r.y1;
    r.Move(dx, dy);
}

// Which sides of the rect each drag part moves.
struct DraggedSides {
    int part;
    bool left, right, top, bottom;
};
constexpr DraggedSides kDraggedSides[] = {
    {kPartLeftEdge, true, false, false, false},   {kPartRightEdge, false, true, false, false},
    {kPartTopEdge, false, false, true, false},    {kPartBottomEdge, false, false, false, true},
    {kPartBottomRight, false, true, false, true}, {kPartSizeGrip, false, true, false, true},
    {kPartTopLeft, true, false, true, false},     {kPartBottomLeft, true, false, false, true},
    {kPartTopRight, false, true, true, false},
};
DraggedSides SidesOf(int part) {
    for (const DraggedSides& sides : kDraggedSides)
        if (sides.part == part)
            return sides;
    return {part, false, false, false, false};
}

}  // namespace

cRect cForm::DockArea() const {
    if (m_Parent)
        return m_Parent->m_Content;
    return CurrentView ? CurrentView->m_Viewport : cRect::Empty();
}

void cForm::ComputeDocking() {
    const cRect area = DockArea();
    if (area.IsEmpty()) {
        m_DockCode[0] = m_DockCode[1] = -1;
        return;
    }
    const float d = Style().m_Form.m_DockingSize;
    const cRect boxes[2] = {{m_Rect.x0, m_Rect.y1 - d, m_Rect.x0 + d, m_Rect.y1},
                            {m_Rect.x1 - d, m_Rect.y0, m_Rect.x1, m_Rect.y0 + d}};
    for (int i = 0; i < 2; ++i)
        m_DockCode[i] = area.FindNearestAnchor(boxes[i], &m_DockZone[i], &m_DockOffset[i]);
}

void cForm::LayoutNormal(const cRect& area) {
    if (area.IsEmpty())
        return;  // nothing to dock to: the rect stays where it was put
    const bool anchored = m_DockCode[0] >= 0 && m_DockCode[1] >= 0;
    if (anchored && !MovedOrResized()) {
        const float d = Style().m_Form.m_DockingSize;
        const cRect first = Placed(d, d, m_DockCode[0], area.GetAnchorPoint(m_DockCode[0]) + m_DockOffset[0]);
        const cRect second = Placed(d, d, m_DockCode[1], area.GetAnchorPoint(m_DockCode[1]) + m_DockOffset[1]);
        m_Rect = {first.x0, second.y0, second.x1, first.y1};
    }
    // Sides that would cross: the dragged one keeps its place (else the left or top).
    const DraggedSides dragged = SidesOf(m_DragPart);
    if (m_Rect.x1 < m_Rect.x0) {
        if (dragged.right)
            m_Rect.x0 = m_Rect.x1;
        else
            m_Rect.x1 = m_Rect.x0;
    }
    if (m_Rect.y1 < m_Rect.y0) {
        if (dragged.bottom)
            m_Rect.y1 = m_Rect.y0;
        else
            m_Rect.y0 = m_Rect.y1;
    }
    m_Rect = Rounded(m_Rect);
    if (!anchored || MovedOrResized())
        ComputeDocking();
}

void cForm::LayoutCollapsed(const cRect& area) {
    const WidgetStyle::Form& style = Style().m_Form;
    const float w = style.m_CollapsedWidth, h = style.m_CollapsedHeight;
    if (m_CollapsedCode < 0) {  // where the title of the expanded form was
        const cRect title{m_Rect.x0, m_Rect.y1 - h, m_Rect.x0 + w, m_Rect.y1};
        if (area.IsEmpty()) {
            m_CollapsedCode = kAnchorLeft + kAnchorTop;
            m_CollapsedOffset = title.GetAnchorPoint(m_CollapsedCode);
        } else {
            m_CollapsedCode = area.FindNearestAnchor(title, nullptr, &m_CollapsedOffset);
        }
    }
    const cVec2 origin = area.IsEmpty() ? kZeroVec2 : area.GetAnchorPoint(m_CollapsedCode);
    cRect title = Placed(w, h, m_CollapsedCode, origin + m_CollapsedOffset);
    if (!area.IsEmpty()) {
        KeepInside(title, area);
        if (m_DragPart == kPartTitle)  // attached anew to the nearest edges
            m_CollapsedCode = area.FindNearestAnchor(title, nullptr, &m_CollapsedOffset);
        else
            m_CollapsedOffset = title.GetAnchorPoint(m_CollapsedCode) - origin;
    }
    m_CollapsedRect = Rounded(title);
    m_Rect = m_CollapsedRect;
}

void cForm::LayoutClient() {
    const WidgetStyle& style = Style();
    const float* inset = style.m_Form.m_ClientInsets;
    m_Client = {m_Rect.x0 + inset[0], m_Rect.y0 + inset[3], m_Rect.x1 - inset[2], m_Rect.y1 - inset[1]};
    const cWnd* bar = dynamic_cast<const cWnd*>(m_Extra);
    if (bar && bar->IsVisible())
        m_Client.y1 -= 2 * style.m_ToolBar.m_Margin + style.m_ToolBar.m_Height;
    // Children lie below the content's top, right of its left edge.
    float width = 0, depth = 0;
    for (int i = 0; i < m_Children.Count(); ++i) {
        cWnd* child = dynamic_cast<cWnd*>(m_Children[i]);
        const cRect r = child ? child->GetRect() : cRect::Empty();
        if (r.IsEmpty())
            continue;
        width = r.x1 > width ? r.x1 : width;
        depth = -r.y0 > depth ? -r.y0 : depth;
    }
    if (!m_FixedContentWidth)
        m_Scroll.x1 = m_Scroll.x0 + width;
    m_Scroll.y0 = m_Scroll.y1 - depth;
}

void cForm::LayoutTitleParts() {
    const WidgetStyle::Form& style = Style().m_Form;
    const cRect& r = m_Rect;
    const float height = m_ExpandState == kCollapsed ? r.Height() : style.m_TitleHeight;
    m_TitleRect = {r.x0, r.y1 - height, r.x1, r.y1};
    const float size = style.m_ButtonSize, gap = style.m_ButtonGap;
    const float middle = (m_TitleRect.y0 + m_TitleRect.y1) * 0.5f;
    cRect button{r.x1 - gap - size, middle - size * 0.5f, r.x1 - gap, middle + size * 0.5f};
    m_CloseRect = Rounded(button);
    button.Move(-(size + gap), 0);
    m_MaximiseRect = Rounded(button);
    button.Move(-(size + gap), 0);
    m_CollapseRect = Rounded(button);
    m_SizeGripRect =
        m_ExpandState == kNormal ? cRect{r.x1 - style.m_SizeGrip, r.y0, r.x1, r.y0 + style.m_SizeGrip} : cRect::Empty();
}

void cForm::Layout() {
    m_FrameResizable = m_ExpandState == kNormal;
    const cRect area = DockArea();
    if (m_ExpandState == kCollapsed) {
        LayoutCollapsed(area);
        // No client: no view to pan or scroll, no bars.
        m_Client = m_View = m_ViewClip = cRect::Empty();
        m_VNeeded = m_HNeeded = false;
    } else {
        if (m_ExpandState == kMaximised && !area.IsEmpty()) {
            const float frame = Style().m_FrameWidth;
            m_Rect = {area.x0 - frame, area.y0 - frame, area.x1 + frame, area.y1 + frame};
        } else if (m_ExpandState != kMaximised) {
            LayoutNormal(area);
        }
        LayoutClient();
    }
    cWnd::Layout();
    LayoutTitleParts();
}

void cForm::ToggleCollapse() {
    if (m_ExpandState != kCollapsed) {
        m_PreviousExpandState = m_ExpandState;
        m_ExpandState = kCollapsed;  // its docking is found from the rect on the way
    } else {
        m_ExpandState = m_PreviousExpandState;
    }
    Layout();
}

int cForm::HitTest() {
    const cVec2 cursor = CursorPosition;
    if (!m_Visible.Contains(cursor))
        return kPartNone;
    const struct {
        int part;
        const cRect* rect;
    } parts[] = {{kPartClose, &m_CloseRect},
                 {kPartCollapse, &m_CollapseRect},
                 {kPartMaximise, &m_MaximiseRect},
                 {kPartTitle, &m_TitleRect}};
    for (const auto& p : parts)
        if (p.rect->Contains(cursor))
            return p.part;
    if (m_ExpandState == kCollapsed)
        return kPartNone;
    const int part = cWnd::HitTest();
    if (part == kPartNone && m_ExpandState == kNormal && m_SizeGripRect.Contains(cursor))
        return kPartSizeGrip;
    return part;
}

}  // namespace tovan
