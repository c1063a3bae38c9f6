// cBindButton: shows the name of the key, button, wheel notch or pad control
// bound to an action and lets the user rebind it. A press arms it on release;
// the next code that goes down becomes the binding (Esc cancels and cannot be
// bound), and the capture is kept until that code is released again. A wheel
// notch, which has no release, binds and ends at once.
//
// Item 33: the whole button in m_Rect, the caption in m_Text with its part in
// m_CaptionRect, the key name ("..." while armed) in m_Text2 with its part in
// m_SliderCaptionRect, the outer caption's rectangle in m_LeftLabelRect.
#pragma once
#include <cstdint>

#include "core/rect.h"
#include "core/str.h"
#include "ui/control.h"
#include "ui/widget_style.h"

namespace tovan {

class cBindButton : public cWnd {
public:
    enum State : int32_t {
        kIdle = 0,
        kPressed = 1,
        kWaiting = 2,  // armed: the next code down is bound
        kHolding = 3,  // the new code is down until its release
    };

    // code: the bound KeyCode (not owned).
    cBindButton(cWnd* parent, int32_t* code, const char* caption, float x, float y);

    bool OnKeyDown(KeyCode code) override;
    bool OnKeyUp(KeyCode code) override;
    void Update() override;
    bool UpdateHover(bool covered) override;
    int GetType() override { return kBindButtonType; }
    cRect GetRect() override { return m_Whole; }
    void Layout() override;
    void Measure() override;
    bool AcceptsFocus() override { return true; }

    // The bound code's name (empty outside 0-123), "..." while armed.
    cStr KeyText() const;

    cStr m_Caption;
    int32_t* m_Code;
    cControlLook m_Look;
    cRect m_Button;  // measured: both parts
    cRect m_CaptionPart, m_KeyPart;
    cRect m_OuterCaption;  // measured; empty unless the style puts the caption outside
    cCaptionRects m_OuterCaptionRects;
    cControlBox m_Box;
    cRect m_DrawnCaptionPart, m_DrawnKeyPart;
    WidgetDrawItem m_Item;
    int32_t m_State = kIdle;
    cRect m_Whole;
    KeyCode m_PressingCode = -1;
};

}  // namespace tovan
