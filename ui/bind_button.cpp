// cBindButton: the four states of a rebinding, measuring the caption and key
// parts, and its item.
#include "ui/bind_button.h"

#include "ui/input.h"

namespace tovan {

namespace {
constexpr const char* kWaitingText = "...";
}  // namespace

cBindButton::cBindButton(cWnd* parent, int32_t* code, const char* caption, float x, float y)
    : cWnd(parent), m_Code(code) {
    StartControl(*this);
    m_Caption.SetText(caption);
    m_LayoutX = x;
    m_LayoutY = y;
    m_Align = 0;
    StartLook(*this, m_Look);
}

cStr cBindButton::KeyText() const {
    if (m_State == kWaiting)
        return kWaitingText;
    const char* name = m_Code ? GetKeyName(*m_Code) : nullptr;
    return name ? name : "";
}

void cBindButton::Measure() {
    const WidgetStyle& style = Style();
    const WidgetStyle::Bind& bind = style.m_Bind;
    const float height = bind.m_Height, padding = bind.m_Padding;
    const float captionText = TextWidth(bind.m_Font, m_Caption.GetText());
    const float keyText = TextWidth(bind.m_Font, KeyText().GetText());
    const float captionSide =
        bind.m_OuterCaption
            ? 0
            : 2 * padding + (captionText > bind.m_CaptionMinWidth ? captionText : bind.m_CaptionMinWidth);
    const float keySide = 2 * padding + (keyText > bind.m_KeyMinWidth ? keyText : bind.m_KeyMinWidth);
    m_Button = {0, -height, captionSide + keySide, 0};
    m_Button.MoveAnchorTo(m_Align, m_LayoutX, m_LayoutY);
    m_CaptionPart = {m_Button.x0, m_Button.y0, m_Button.x0 + captionSide, m_Button.y1};
    m_KeyPart = {m_CaptionPart.x1, m_Button.y0, m_Button.x1, m_Button.y1};
    m_OuterCaption = cRect::Empty();
    if (bind.m_OuterCaption && !m_Caption.IsEmpty()) {
        const float side = captionText + 2 * style.m_CaptionPadding;
        m_OuterCaption = {m_Button.x0 - side, m_Button.y1 - height, m_Button.x0, m_Button.y1};
    }
    m_Whole = UnionRect(m_Button, m_OuterCaption);
}

void cBindButton::Layout() {
    if (ParentContent(*this).IsEmpty())
        return;
    Measure();
    LayoutControlBox(*this, m_Button, m_Look.m_Grow.m_Value, m_Box);
    m_DrawnCaptionPart = RoundRect(ToParentContent(*this, m_CaptionPart));
    m_DrawnKeyPart = RoundRect(ToParentContent(*this, m_KeyPart));
    LayoutCaption(*this, m_OuterCaption, m_OuterCaptionRects);
}

bool cBindButton::OnKeyDown(KeyCode code) {
    if (!IsUsable(*this))
        return false;
    if (m_State == kWaiting) {
        if (code != kKeyEsc && m_Code && code != *m_Code) {
            const int32_t old = *m_Code;
            *m_Code = code;
            NotifyParent(*this, kNotifyBinding, &old, m_Code);
        }
        // Held until the new code comes up again; Esc and the wheel notches
        // have no release to wait for (and without a binding there is none).
        if (code != kKeyEsc && !IsWheelCode(code) && m_Code) {
            m_State = kHolding;
            return true;
        }
        if (HoldsCapture(this))
            ReleaseWidgetCapture();
        m_State = kIdle;
        return true;
    }
    if (HoldsCapture(this))
        return true;
    const bool inHit = CursorInHit(*this);
    if ((IsActivationKey(code) && HasKeyFocus(this)) || (code == kKeyLeftButton && inHit)) {
        TakeCapture(this);
        m_State = kPressed;
        ActivateParent(*this);
        SetGrow(m_Look, Style().m_RestGrow);
        SetFocus(this);
        m_PressingCode = code;
        return true;
    }
    const bool onOuter = m_OuterCaptionRects.m_Hit.Contains(CursorPosition);
    if ((code == kKeyLeftButton && onOuter) || (code == kKeyRightButton && (inHit || onOuter)))
        SetFocus(this);
    return false;
}

bool cBindButton::OnKeyUp(KeyCode code) {
    if (!HoldsCapture(this))
        return false;
    if (m_State == kHolding) {
        if (code == *m_Code) {
            m_State = kIdle;
            ReleaseWidgetCapture();
        }
        return true;
    }
    if (code != m_PressingCode)
        return true;
    if (ReleaseCounts(m_PressingCode, m_Box.m_Press)) {
        m_State = kWaiting;
        SetGrow(m_Look, Style().m_HoverGrow);
    } else {
        m_State = kIdle;
        ReleaseWidgetCapture();
    }
    m_PressingCode = -1;
    return true;
}

bool cBindButton::UpdateHover(bool covered) {
    const cHoverFacts facts = ReadHover(*this, covered);
    AimLook(*this, m_Look, facts);
    const WidgetStyle& style = Style();
    const bool lit = (facts.m_Hovered || facts.m_Focused) && m_State != kPressed;
    m_Look.m_Grow.m_Target = m_State == kWaiting || lit ? style.m_HoverGrow : style.m_RestGrow;
    FollowHover(*this, facts);
    return facts.m_Hovered;
}

void cBindButton::Update() {
    StepLook(*this, m_Look);
    AnimateFades();
    if (ParentContent(*this).IsEmpty())
        return;
    Layout();
    m_Item = WidgetDrawItem();
    FillControlItem(*this, kItemBindButton, m_Look, m_Box, m_Item);
    m_Item.m_Pressed = (m_State == kPressed && ReleaseCounts(m_PressingCode, m_Box.m_Press)) || m_State == kWaiting;
    m_Item.m_Text = m_Caption;
    m_Item.m_Text2 = KeyText();
    m_Item.m_CaptionRect = m_DrawnCaptionPart;
    m_Item.m_SliderCaptionRect = m_DrawnKeyPart;
    m_Item.m_LeftLabelRect = m_OuterCaptionRects.m_Drawn;
    DrawControlItem(*this, m_Item);
}

}  // namespace tovan
