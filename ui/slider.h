// cSlider: an int or a float between a minimum and a maximum of the edited
// object, dragged by a knob along a track or stepped with the sideways keys
// while focused (Add and Subtract jump to the ends). A drag that changes the
// value tells the parent once, on release: code 4 (float) or 5 (int) with
// pointers to the value at the press and the bound value. Key steps and jumps
// tell nothing. The slider clamps only what it writes: a value outside the
// range elsewhere shows the knob at the end.
//
// cSliderRanged: a value edit with its caption, a minimum and a maximum edit
// (kept ordered on commit) and a slider under them, all registered with the
// ranged slider's parent and owned by it.
//
// Item 34, kept in the slider: m_Rect the body, m_LeftLabelRect and
// m_TrackRect, m_CaptionRect the knob (a line across the track at the value),
// m_SliderCaptionRect the caption beside the body; m_Text the caption, m_Text2
// the value, m_MinText and m_MaxText; m_ValueFade the knob highlight.
#pragma once
#include <cstdint>

#include "core/rect.h"
#include "core/str.h"
#include "ui/composite.h"
#include "ui/control.h"
#include "ui/widget_style.h"
#include "ui/wnd.h"

namespace tovan {

class cEdit;

class cSlider : public cWnd {
public:
    cSlider(cWnd* parent, float* value, float* minimum, float* maximum, const char* caption, float x, float y);
    cSlider(cWnd* parent, int32_t* value, int32_t* minimum, int32_t* maximum, const char* caption, float x, float y);

    bool OnKeyDown(KeyCode code) override;
    bool OnKeyUp(KeyCode code) override;
    bool OnChar(int character, KeyCode code) override;  // the sideways steps, with the keyboard's repeats
    void Update() override;
    bool UpdateHover(bool covered) override;
    int GetType() override { return kSliderType; }
    cRect GetRect() override { return m_Whole; }
    // Moves the knob with the cursor while dragging: there is no mouse-move handler.
    void Layout() override;
    void Measure() override;
    bool AcceptsFocus() override { return true; }

    bool IsInt() const { return m_IntValue != nullptr; }
    bool IsBound() const { return IsInt() ? m_IntMin && m_IntMax : m_FloatValue && m_FloatMin && m_FloatMax; }
    // The value's place on the track, 0 to 1. With the minimum at the maximum,
    // 0 up to the minimum and 1 above it.
    float KnobFraction() const;
    bool AtMaximum() const;

    float* m_FloatValue = nullptr;
    float* m_FloatMin = nullptr;
    float* m_FloatMax = nullptr;
    int32_t* m_IntValue = nullptr;
    int32_t* m_IntMin = nullptr;
    int32_t* m_IntMax = nullptr;
    cStr m_Caption;
    float m_StartFloat = 0;  // the value when the drag began
    int32_t m_StartInt = 0;
    cControlLook m_Look;
    cFade m_Knob;                 // highlight
    cRect m_Body, m_CaptionRect;  // measured
    cControlBox m_Box;
    cRect m_TrackHit;  // the track through the transform
    cCaptionRects m_CaptionRects;
    WidgetDrawItem m_Item;
    float m_LeftLabelWidth = 0, m_RightLabelWidth = 0;
    bool m_Embedded = false;  // narrowed by an edit box beside it (cEditSlider)
    cRect m_Whole;
    bool m_KeyStepping = false;
    KeyCode m_SteppingCode = -1;

private:
    void Start(const char* caption, float x, float y);
    void Step(int direction);
    void Drag();
    void SetFromFraction(float t);
    cStr NumberText(int which) const;  // 0 value, 1 minimum, 2 maximum
};

class cSliderRanged : public cComposite {
public:
    cSliderRanged(cWnd* parent, int32_t* value, int32_t* minimum, int32_t* maximum, const char* caption);
    cSliderRanged(cWnd* parent, float* value, float* minimum, float* maximum, const char* caption);

    int GetType() override { return kSliderRangedType; }
    void Measure() override;

    cEdit* ValueEdit() const;
    cEdit* MinEdit() const;
    cEdit* MaxEdit() const;
    cSlider* Slider() const;

private:
    void Link();
};

}  // namespace tovan
