// cSeparator: measured across (or, in a tool bar, up) its parent's content.
#include "ui/separator.h"

#include "ui/control.h"
#include "ui/tool_bar.h"
#include "ui/widget_style.h"

namespace tovan {

cSeparator::cSeparator(cWnd* parent, const char* caption) : cWnd(parent) {
    StartControl(*this);
    m_Caption.SetText(caption);
    m_LayoutX = m_LayoutY = 0;
    m_Align = 0;
}

int cSeparator::GetType() { return kSeparatorType; }

void cSeparator::Measure() {
    const WidgetStyle& style = Style();
    const cRect content = ParentContent(*this);
    const float width = content.IsEmpty() ? 0 : content.Width();
    const float height = content.IsEmpty() ? 0 : content.Height();
    m_CaptionRect = cRect::Empty();
    if (m_Parent && m_Parent->GetType() == kToolBarType) {
        m_Line = {0, -height, style.m_ToolBar.m_SeparatorWidth, 0};
        m_Line.MoveAnchorTo(m_Align, m_LayoutX, m_LayoutY);
        return;
    }
    m_Line = {0, -style.m_Separator.m_Height, width, 0};
    m_Line.MoveAnchorTo(m_Align, m_LayoutX, m_LayoutY);
    if (m_Caption.IsEmpty())
        return;
    // The caption sits on the line, starting at its left end.
    m_CaptionRect = {0, -style.m_Separator.m_CaptionHeight, TextWidth(style.m_Separator.m_Font, m_Caption.GetText()),
                     0};
    const cVec2 at = m_Line.GetAnchorPoint(kAnchorLeft + kAnchorMiddle);
    m_CaptionRect.MoveAnchorTo(kAnchorLeft + kAnchorMiddle, at.x, at.y);
}

void cSeparator::Layout() {
    Measure();
    m_DrawnLine = RoundRect(ToParentContent(*this, m_Line));
    m_DrawnCaption = RoundRect(ToParentContent(*this, m_CaptionRect));
    m_Rect = m_DrawnLine;
    m_Client = cRect::Empty();
    cWnd::Layout();
}

void cSeparator::Update() {
    AnimateFades();
    if (ParentContent(*this).IsEmpty())
        return;
    Layout();
    WidgetDrawItem item;
    item.m_Kind = kItemSeparator;
    item.m_Clip = ParentClip(*this);
    item.m_Rect = m_DrawnLine;
    item.m_Text = m_Caption;
    item.m_CaptionRect = m_DrawnCaption;
    item.m_Enabled = IsEnabled();
    item.m_EnabledFade = m_EnabledFade.m_Value;
    item.m_Visible = IsVisible();
    item.m_VisibleFade = m_VisibleFade.m_Value;
    DrawControlItem(*this, item);
}

}  // namespace tovan
