// cCheckBox: measuring, the press and toggle rules, the check fade and its item.
#include "ui/check_box.h"

#include "core/frame_clock.h"
#include "ui/tool_bar.h"
#include "ui/widget_style.h"

namespace tovan {

cCheckBox::cCheckBox(cWnd* parent, bool* value, const char* caption, float x, float y) : cWnd(parent), m_Value(value) {
    StartControl(*this);
    m_Caption.SetText(caption);
    m_LayoutX = x;
    m_LayoutY = y;
    m_Align = 0;
    StartLook(*this, m_Look);
    const float check = Checked() ? 1.0f : 0.0f;  // a box that starts checked does not animate
    m_Check = {check, check};
}

void cCheckBox::Measure() {
    const WidgetStyle::CheckBox& style = Style().m_CheckBox;
    const float text = TextWidth(style.m_Font, m_Caption.GetText());
    const float width =
        (text > style.m_MinTextWidth ? text : style.m_MinTextWidth) + 2 * style.m_Padding + style.m_Height;
    m_LayoutRect = {0, 0, width, style.m_Height};
    m_LayoutRect.MoveAnchorTo(m_Align, m_LayoutX, m_LayoutY);
    if (m_Parent && m_Parent->GetType() == kToolBarType) {
        m_LayoutRect.x0 += style.m_Padding / 2;
        m_LayoutRect.x1 += style.m_Padding / 2;
    }
}

void cCheckBox::Layout() {
    if (RoundRect(ParentContent(*this)).IsEmpty())
        return;
    Measure();
    LayoutControlBox(*this, m_LayoutRect, m_Look.m_Grow.m_Value, m_Box);
}

bool cCheckBox::OnKeyDown(KeyCode code) {
    return BeginPress(*this, code, m_Look, Style().m_RestGrow, true, m_PressingCode);
}

bool cCheckBox::OnKeyUp(KeyCode code) {
    if (!HoldsCapture(this))
        return false;
    if (code != m_PressingCode)
        return true;
    const bool toggles = ReleaseCounts(m_PressingCode, m_Box.m_Press);
    m_PressingCode = -1;
    if (toggles && m_Value) {
        *m_Value = !*m_Value;
        SetGrow(m_Look, Style().m_HoverGrow);
        NotifyParent(*this, kNotifyCheckBox, m_Value, m_Value);
    }
    ReleaseWidgetCapture();
    return true;
}

bool cCheckBox::UpdateHover(bool covered) { return CommonHover(*this, m_Look, covered); }

void cCheckBox::Update() {
    StepLook(*this, m_Look);
    m_Check.m_Target = Checked() ? 1.0f : 0.0f;
    m_Check.Step(Style().m_VisibleFadeRate, FrameClock.m_FrameDelta);
    AnimateFades();
    if (ParentContent(*this).IsEmpty())
        return;
    Layout();
    WidgetDrawItem item;
    FillControlItem(*this, kItemCheckBox, m_Look, m_Box, item);
    item.m_Pressed = ShowsPressed(*this, m_PressingCode, m_Box.m_Press);
    item.m_Text = m_Caption;
    item.m_ValueFade = m_Check.m_Value;
    item.m_Checked = Checked();
    DrawControlItem(*this, item);
}

}  // namespace tovan
