// cToolBar: the strip at the top of a form's client, its side-by-side
// arrangement, and the middle-button drag that scrolls it.
#include "ui/tool_bar.h"

#include "ui/control.h"
#include "ui/input.h"
#include "ui/rect_ops.h"
#include "ui/widget_style.h"

namespace tovan {

cToolBar::cToolBar(cWnd* parent) : cWnd(parent) { StartControl(*this); }

void cToolBar::Arrange() {
    const float height = Style().m_ToolBar.m_Height;
    m_NextX = m_Offset;
    m_NextY = -height / 2;
    for (int i = 0; i < m_Children.Count(); ++i) {
        cWnd* child = dynamic_cast<cWnd*>(m_Children[i]);
        if (!child || !child->IsVisible())
            continue;
        child->m_LayoutX = m_NextX;
        child->m_LayoutY = m_NextY;
        child->m_Align = kAnchorLeft + kAnchorMiddle;
        m_NextX += child->GetExtent();
    }
    if (!HoldsCapture(this)) {
        const float width = m_Rect.Width();
        m_MinOffset = m_NextX > width ? m_Offset + (width - m_NextX) : m_Offset;
    }
}

void cToolBar::Layout() {
    if (!m_Parent || m_Parent->m_ChildClip.IsEmpty()) {
        m_Rect = m_Client = m_View = m_Content = m_Visible = m_ChildClip = m_ViewClip = cRect::Empty();
        return;
    }
    const WidgetStyle& style = Style();
    const float* inset = style.m_Form.m_ClientInsets;
    const float height = style.m_ToolBar.m_Height;
    const cRect& form = m_Parent->m_Rect;
    const float top = form.y1 - inset[1] - style.m_ToolBar.m_Margin;
    m_Rect = {RoundPixel(form.x0 + inset[0]), RoundPixel(top - height), RoundPixel(form.x1 - inset[2]),
              RoundPixel(top)};
    m_Client = m_View = m_Content = m_Visible = m_ChildClip = m_ViewClip = m_Rect;
    m_Scroll = {0, -m_Rect.Height(), m_Rect.Width(), 0};
    Arrange();
    // Children that shrank leave a gap at the end: the offset comes back towards 0.
    if (!HoldsCapture(this) && m_NextX < m_Rect.Width() && m_Offset < 0) {
        const float offset = m_Offset + (m_Rect.Width() - m_NextX);
        m_Offset = offset > 0 ? 0 : offset;
        Arrange();
    }
}

bool cToolBar::OnKeyDown(KeyCode code) {
    if (!IsVisible() || !IsEnabled() || (m_Offset == 0 && m_MinOffset == 0))
        return false;
    if (HoldsCapture(this))
        return true;
    if (code != kKeyMiddleButton || !m_Visible.Contains(CursorPosition))
        return false;
    TakeCapture(this);
    if (m_Parent && !m_Parent->IsActive())
        m_Parent->Activate();
    m_DragOffset = m_Offset;
    m_DragCursorX = CursorPosition.x;
    return true;
}

bool cToolBar::OnKeyUp(KeyCode code) {
    if (!HoldsCapture(this))
        return false;
    if (code == kKeyMiddleButton)
        ReleaseWidgetCapture();
    return true;
}

bool cToolBar::OnMouseMove() {
    if (!HoldsCapture(this))
        return false;
    const float offset = m_DragOffset + CursorPosition.x - m_DragCursorX;
    m_Offset = offset > 0 ? 0 : offset < m_MinOffset ? m_MinOffset : offset;
    return true;
}

bool cToolBar::UpdateHover(bool covered) { return !covered && HoldsCapture(this); }

bool cToolBar::GetCursorShape(int* shape) {
    if (!shape || !HoldsCapture(this))
        return false;
    *shape = kCursorPan;
    return true;
}

void cToolBar::Update() {
    if (m_Parent && !m_Parent->m_Content.IsEmpty())
        Layout();
}

}  // namespace tovan
