// cSlider: measuring its labels and track, the knob, dragging in Layout, key
// steps and jumps, hover with the knob highlight, and its kept draw record.
#include "ui/slider.h"

#include <cmath>
#include <cstdint>

#include "core/frame_clock.h"
#include "ui/input.h"

namespace tovan {

namespace {

int32_t ClampToInt(int64_t v) { return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v); }

// min(max(v, lo), hi): with the bounds crossed the maximum wins.
int64_t ClampInt(int64_t v, int64_t lo, int64_t hi) { return v < lo ? (lo > hi ? hi : lo) : v > hi ? hi : v; }
float ClampFloat(float v, float lo, float hi) { return std::fmin(std::fmax(v, lo), hi); }

// A divisor that is not a positive number counts as 1: one step crosses the range.
double Divisor(float divisor) { return divisor > 0 ? double(divisor) : 1.0; }

}  // namespace

cSlider::cSlider(cWnd* parent, float* value, float* minimum, float* maximum, const char* caption, float x, float y)
    : cWnd(parent), m_FloatValue(value), m_FloatMin(minimum), m_FloatMax(maximum) {
    Start(caption, x, y);
}

cSlider::cSlider(cWnd* parent, int32_t* value, int32_t* minimum, int32_t* maximum, const char* caption, float x,
                 float y)
    : cWnd(parent), m_IntValue(value), m_IntMin(minimum), m_IntMax(maximum) {
    Start(caption, x, y);
}

void cSlider::Start(const char* caption, float x, float y) {
    StartControl(*this);
    m_Caption.SetText(caption);
    m_LayoutX = x;
    m_LayoutY = y;
    m_Align = 0;
    StartLook(*this, m_Look);
    const float knob = AtMaximum() ? 1.0f : 0.0f;
    m_Knob = {knob, knob};
    m_Item.m_Kind = kItemSlider;
}

bool cSlider::AtMaximum() const {
    if (!IsBound())
        return false;
    return IsInt() ? *m_IntValue >= *m_IntMax : *m_FloatValue >= *m_FloatMax;
}

float cSlider::KnobFraction() const {
    if (!IsBound())
        return 0;
    double value, minimum, range;
    if (IsInt()) {
        value = *m_IntValue, minimum = *m_IntMin;
        range = double(int64_t(*m_IntMax) - *m_IntMin);
    } else {
        value = *m_FloatValue, minimum = *m_FloatMin;
        range = double(*m_FloatMax) - minimum;
    }
    if (range == 0)
        return value <= minimum ? 0.0f : 1.0f;  // no track to divide: an end
    const double t = (value - minimum) / range;
    return !(t > 0) ? 0.0f : t >= 1 ? 1.0f : float(t);
}

void cSlider::Step(int direction) {
    if (!IsBound())
        return;
    const WidgetStyle::Slider& style = Style().m_Slider;
    if (IsInt()) {
        const int64_t lo = *m_IntMin, hi = *m_IntMax;
        int64_t step = int64_t((hi - lo) / Divisor(style.m_IntStepDivisor));  // truncates toward zero
        if (step < 1)
            step = 1;
        *m_IntValue = ClampToInt(ClampInt(*m_IntValue + direction * step, lo, hi));
    } else {
        const float step = float((double(*m_FloatMax) - *m_FloatMin) / Divisor(style.m_FloatStepDivisor));
        *m_FloatValue = ClampFloat(*m_FloatValue + float(direction) * step, *m_FloatMin, *m_FloatMax);
    }
}

void cSlider::SetFromFraction(float t) {
    if (IsInt()) {
        const int64_t lo = *m_IntMin, hi = *m_IntMax;
        const double v = std::floor(double(hi - lo) * t + double(lo) + 0.5);
        *m_IntValue = ClampToInt(ClampInt(int64_t(v), lo, hi));
    } else {
        *m_FloatValue = ClampFloat((*m_FloatMax - *m_FloatMin) * t + *m_FloatMin, *m_FloatMin, *m_FloatMax);
    }
}

void cSlider::Drag() {
    if (!HoldsCapture(this) || m_KeyStepping || !IsBound())
        return;
    const cRect& track = m_Item.m_TrackRect;
    const float y = (track.y0 + track.y1) / 2;
    const cVec3 a = m_Box.m_Transform.TransformPoint({track.x0, y, 0});
    const cVec3 b = m_Box.m_Transform.TransformPoint({track.x1, y, 0});
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0.001f))
        return;
    float t = ((CursorPosition.x - a.x) * dx + (CursorPosition.y - a.y) * dy) / (length * length);
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    SetFromFraction(t);
}

cStr cSlider::NumberText(int which) const {
    if (IsInt()) {
        const int32_t* p = which == 0 ? m_IntValue : which == 1 ? m_IntMin : m_IntMax;
        cStr text;
        if (p)
            text.AppendInt(*p);
        return text;
    }
    const float* p = which == 0 ? m_FloatValue : which == 1 ? m_FloatMin : m_FloatMax;
    return p ? cStr::FromFloat(*p, Style().m_Slider.m_FloatDecimals) : cStr();
}

void cSlider::Measure() {
    const WidgetStyle& style = Style();
    const WidgetStyle::Slider& slider = style.m_Slider;
    m_Item.m_Text = m_Caption;
    m_Item.m_MinText = NumberText(1);
    m_Item.m_MaxText = NumberText(2);
    const float minWidth = TextWidth(slider.m_Font, m_Item.m_MinText.GetText());
    const float maxWidth = TextWidth(slider.m_Font, m_Item.m_MaxText.GetText());
    const float wider = std::fmax(minWidth, maxWidth);
    const float padding = 2 * slider.m_LabelPadding;
    m_LeftLabelWidth = slider.m_LeftLabelWidth;
    if (slider.m_LeftLabelMode == 1)
        m_LeftLabelWidth = std::fmax(m_LeftLabelWidth, padding + minWidth);
    else if (slider.m_LeftLabelMode == 3)
        m_LeftLabelWidth = std::fmax(m_LeftLabelWidth, padding + wider);
    m_RightLabelWidth = slider.m_RightLabelWidth;
    if (slider.m_RightLabelMode == 2)
        m_RightLabelWidth = std::fmax(m_RightLabelWidth, padding + maxWidth);
    else if (slider.m_RightLabelMode == 3)
        m_RightLabelWidth = std::fmax(m_RightLabelWidth, padding + wider);
    float total = slider.m_Width;
    if (m_Embedded)
        total -= 2 * style.m_Edit.m_Margin + style.m_Edit.m_NumberWidth + style.m_ControlGap;
    const float captionWidth = TextWidth(slider.m_Font, m_Caption.GetText());
    float track;
    if (slider.m_TrackMode == 3)
        track = padding + wider;
    else if (slider.m_TrackMode == 5)
        track = padding + TextWidth(slider.m_Font, slider.m_SampleText.GetText()) + captionWidth + wider;
    else
        track = total - slider.m_LeftLabelWidth - slider.m_RightLabelWidth;
    m_Body = {0, 0, std::fmax(m_LeftLabelWidth + track + m_RightLabelWidth, total), slider.m_Height};
    m_Body.MoveAnchorTo(m_Align, m_LayoutX, m_LayoutY);
    m_CaptionRect = cRect::Empty();
    if (slider.m_Caption && !m_Caption.IsEmpty()) {
        const float side = captionWidth + 2 * style.m_CaptionPadding;
        m_CaptionRect = {m_Body.x0 - side, m_Body.y1 - slider.m_Height, m_Body.x0, m_Body.y1};
    }
    m_Whole = UnionRect(m_Body, m_CaptionRect);
}

void cSlider::Layout() {
    if (RoundRect(ParentContent(*this)).IsEmpty())
        return;
    Measure();
    LayoutControlBox(*this, m_Body, m_Look.m_Grow.m_Value, m_Box);
    const cRect& body = m_Box.m_Drawn;
    m_Item.m_LeftLabelRect = {body.x0, body.y0, body.x0 + m_LeftLabelWidth, body.y1};
    m_Item.m_TrackRect = {body.x0 + m_LeftLabelWidth, body.y0, body.x1 - m_RightLabelWidth, body.y1};
    if (m_Item.m_TrackRect.x1 < m_Item.m_TrackRect.x0)
        m_Item.m_TrackRect.x1 = m_Item.m_TrackRect.x0;  // labels wider than the body: no track
    m_TrackHit = TransformRect(m_Item.m_TrackRect, m_Box.m_Transform);
    Drag();
    const cRect& track = m_Item.m_TrackRect;
    const float knobX = track.x0 + KnobFraction() * (track.x1 - track.x0);
    m_Item.m_CaptionRect = {knobX, track.y0, knobX, track.y1};
    LayoutCaption(*this, m_CaptionRect, m_CaptionRects);
    m_Item.m_SliderCaptionRect = m_CaptionRects.m_Drawn;
}

bool cSlider::OnChar(int /*character*/, KeyCode code) {
    if (!IsUsable(*this))
        return false;
    if (HoldsCapture(this)) {
        if (m_KeyStepping && code == m_SteppingCode)
            Step(SidewaysStep(code));  // the keyboard's repeats
        return true;
    }
    const int direction = SidewaysStep(code);
    if (!direction || !HasKeyFocus(this))
        return false;
    Step(direction);
    TakeCapture(this);
    if (HoldsCapture(this)) {  // another widget's drag keeps the capture: a single step
        m_SteppingCode = code;
        m_KeyStepping = true;
    }
    return true;
}

bool cSlider::OnKeyDown(KeyCode code) {
    if (!IsUsable(*this))
        return false;
    if (HoldsCapture(this))
        return true;
    if ((code == kKeyAdd || code == kKeySubtract) && HasKeyFocus(this)) {
        if (IsBound()) {
            if (IsInt())
                *m_IntValue = code == kKeyAdd ? *m_IntMax : *m_IntMin;
            else
                *m_FloatValue = code == kKeyAdd ? *m_FloatMax : *m_FloatMin;
        }
        return true;
    }
    const bool inHit = CursorInHit(*this);
    if (code == kKeyRightButton && inHit) {
        SetFocus(this);
        return false;
    }
    if (code == kKeyLeftButton && inHit) {
        TakeCapture(this);
        ActivateParent(*this);
        SetFocus(this);
        if (IsInt())
            m_StartInt = m_IntValue ? *m_IntValue : 0;
        else
            m_StartFloat = m_FloatValue ? *m_FloatValue : 0;
        return true;
    }
    if ((code == kKeyLeftButton || code == kKeyRightButton) && m_CaptionRects.m_Hit.Contains(CursorPosition))
        SetFocus(this);
    return false;
}

bool cSlider::OnKeyUp(KeyCode code) {
    if (!HoldsCapture(this))
        return false;
    if (!m_KeyStepping && code == kKeyLeftButton) {
        ReleaseWidgetCapture();
        if (IsBound()) {
            if (IsInt() && *m_IntValue != m_StartInt)
                NotifyParent(*this, kNotifySliderInt, &m_StartInt, m_IntValue);
            else if (!IsInt() && *m_FloatValue != m_StartFloat)
                NotifyParent(*this, kNotifySliderFloat, &m_StartFloat, m_FloatValue);
        }
        m_StartInt = 0;
        m_StartFloat = 0;
    } else if (m_KeyStepping && code == m_SteppingCode) {
        ReleaseWidgetCapture();
        m_KeyStepping = false;
        m_SteppingCode = -1;
    }
    return true;
}

bool cSlider::UpdateHover(bool covered) {
    const cHoverFacts facts = ReadHover(*this, covered);
    AimLook(*this, m_Look, facts);
    const WidgetStyle& style = Style();
    m_Look.m_Grow.m_Target = m_KeyStepping                          ? style.m_SteppingGrow
                             : !facts.m_Hovered && !facts.m_Focused ? style.m_RestGrow
                                                                    : style.m_HoverGrow;
    const bool overTrack = facts.m_Hovered && m_TrackHit.Contains(CursorPosition);
    m_Knob.m_Target = overTrack || AtMaximum() ? 1.0f : 0.0f;
    FollowHover(*this, facts);
    return facts.m_Hovered;
}

void cSlider::Update() {
    StepLook(*this, m_Look);
    m_Knob.Step(Style().m_HoverFadeRate, FrameClock.m_FrameDelta);
    AnimateFades();
    if (ParentContent(*this).IsEmpty())
        return;
    Layout();
    FillControlItem(*this, kItemSlider, m_Look, m_Box, m_Item);
    m_Item.m_Text2 = NumberText(0);
    m_Item.m_ValueFade = m_Knob.m_Value;
    m_Item.m_Pressed = HoldsCapture(this);
    DrawControlItem(*this, m_Item);
}

}  // namespace tovan
