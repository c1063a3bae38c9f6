// cButton: measuring by caption, image or fixed size; the press, release and
// click rules; the tooltip of an image button; its item.
#include "ui/button.h"

#include "ui/input.h"
#include "ui/widget_style.h"

namespace tovan {

cButton::cButton(cWnd* parent, const char* caption, float x, float y, bool enabled) : cWnd(parent) {
    StartControl(*this);
    m_EnabledFlag = enabled;
    const float enabledFade = IsEnabled() ? 1.0f : 0.0f;
    m_EnabledFade = {enabledFade, enabledFade};
    m_Caption.SetText(caption);
    m_LayoutX = x;
    m_LayoutY = y;
    m_Align = 0;
    StartLook(*this, m_Look);
}

float cButton::GetExtent() { return Style().m_Button.m_ImageButtonWidth; }

void cButton::Measure() {
    const WidgetStyle::Button& style = Style().m_Button;
    float width, height;
    if (m_FixedSize) {
        width = style.m_SmallButtonWidth;
        height = style.m_SmallButtonHeight;
    } else if (m_Image == -1) {
        const float text = TextWidth(style.m_Font, m_Caption.GetText());
        width = (text > style.m_MinTextWidth ? text : style.m_MinTextWidth) + 2 * style.m_Padding;
        height = style.m_Height;
    } else {
        width = style.m_ImageButtonWidth;
        height = style.m_ImageButtonHeight;
    }
    m_LayoutRect = {0, 0, width, height};
    m_LayoutRect.MoveAnchorTo(m_Align, m_LayoutX, m_LayoutY);
}

void cButton::Layout() {
    if (RoundRect(ParentContent(*this)).IsEmpty())
        return;
    Measure();
    LayoutControlBox(*this, m_LayoutRect, m_Look.m_Grow.m_Value, m_Box);
}

bool cButton::OnKeyDown(KeyCode code) {
    return BeginPress(*this, code, m_Look, Style().m_RestGrow, m_Image == -1, m_PressingCode);
}

bool cButton::OnKeyUp(KeyCode code) {
    if (!HoldsCapture(this))
        return false;
    if (code != m_PressingCode)
        return true;
    ReleaseWidgetCapture();
    const bool clicks = ReleaseCounts(m_PressingCode, m_Box.m_Press);
    // Idle again either way, so a stale code never shows as pressed.
    m_PressingCode = -1;
    if (!clicks)
        return true;
    SetGrow(m_Look, Style().m_HoverGrow);
    // The handlers may take the button down; keep what the second call needs.
    const WidgetHandle self = FindWidgetHandle(this);
    cWnd* parent = m_Parent;
    if (m_Listener)
        m_Listener->OnNotify(self, kNotifyButton, nullptr, nullptr);
    if (parent)
        parent->OnNotify(self, kNotifyButton, nullptr, nullptr);
    return true;
}

bool cButton::UpdateHover(bool covered) { return CommonHover(*this, m_Look, covered); }

bool cButton::GetTooltip(cStr* text, WidgetStyle** style) {
    if (m_Image == -1 || m_Look.m_Hover.m_Value != 1.0f)
        return false;
    if (text)
        *text = m_Caption;
    if (style)
        *style = m_Style;
    return true;
}

void cButton::Update() {
    StepLook(*this, m_Look);
    AnimateFades();
    if (ParentContent(*this).IsEmpty())
        return;
    Layout();
    WidgetDrawItem item;
    FillControlItem(*this, kItemButton, m_Look, m_Box, item);
    item.m_Pressed = ShowsPressed(*this, m_PressingCode, m_Box.m_Press);
    item.m_Text = m_Caption;
    item.m_Image = m_Image;
    DrawControlItem(*this, item);
}

}  // namespace tovan
