// cCheckBox: a caption with a box that toggles a bool of the edited object.
// A key press (Enter, Space, pad A, with the focus) toggles wherever it is
// released; a mouse press only when released inside the press rectangle. The
// parent hears code 2 with the bound bool's address as both old and new value
// (the value is a bool flipped in place), before the capture is released.
//
// Item 35: the drawn box, m_Checked the bound bool, m_ValueFade the check fade
// (moving at the visibility fade rate, so a change made elsewhere animates).
#pragma once
#include <cstdint>

#include "core/rect.h"
#include "core/str.h"
#include "ui/control.h"
#include "ui/wnd.h"

namespace tovan {

class cCheckBox : public cWnd {
public:
    // value may be null: the box then shows unchecked and toggles nothing.
    cCheckBox(cWnd* parent, bool* value, const char* caption, float x, float y);

    bool OnKeyDown(KeyCode code) override;
    bool OnKeyUp(KeyCode code) override;
    void Update() override;
    bool UpdateHover(bool covered) override;
    int GetType() override { return kCheckBoxType; }
    cRect GetRect() override { return m_LayoutRect; }
    float GetExtent() override { return m_LayoutRect.IsEmpty() ? 0 : m_LayoutRect.Width(); }
    void Layout() override;
    void Measure() override;
    bool AcceptsFocus() override { return true; }

    bool Checked() const { return m_Value && *m_Value; }

    cStr m_Caption;
    bool* m_Value;
    cControlLook m_Look;
    cFade m_Check;
    cControlBox m_Box;
    cRect m_LayoutRect;
    KeyCode m_PressingCode = -1;
};

}  // namespace tovan
