// cButton: the push button, with a caption or an image, that tells a listener
// window and then its parent of each click (code 0). A key press (Enter,
// Space, pad A, with the focus) clicks wherever it is released; a mouse press
// only when released inside the press rectangle. An image button takes no
// focus and shows its caption as a tooltip once fully hovered.
//
// Item 32: the drawn box, m_Pressed while held and the release would click,
// m_Text the caption, m_Image the image (-1 none).
#pragma once
#include <cstdint>

#include "core/rect.h"
#include "core/str.h"
#include "ui/control.h"
#include "ui/wnd.h"

namespace tovan {

class cButton : public cWnd {
public:
    cButton(cWnd* parent, const char* caption, float x, float y, bool enabled);

    bool OnKeyDown(KeyCode code) override;
    bool OnKeyUp(KeyCode code) override;
    void Update() override;
    bool UpdateHover(bool covered) override;
    // An image button's caption, once its hover fade is exactly 1.
    bool GetTooltip(cStr* text, WidgetStyle** style) override;
    int GetType() override { return kButtonType; }
    cRect GetRect() override { return m_LayoutRect; }
    float GetExtent() override;  // the style's image-button width, for every button
    void Layout() override;
    void Measure() override;
    bool AcceptsFocus() override { return m_Image == -1; }

    cStr m_Caption;
    int32_t m_Image = -1;      // -1: a caption button
    bool m_FixedSize = false;  // the style's small-button size
    cControlLook m_Look;
    cRect m_LayoutRect;  // measured and anchored, in the parent's content
    cControlBox m_Box;
    KeyCode m_PressingCode = -1;
};

}  // namespace tovan
