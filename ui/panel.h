// cPanel: a titled, collapsible group that stacks its children downwards
// inside a form, one below the other. The toolkit's containers lay out in two
// steps: the container gives each child a layout position and an alignment
// code; the child's Measure places its rectangles in the container's content
// coordinates (x right from the content's left edge, y up from its top edge,
// so children lie at negative y) and GetRect returns that; its Layout moves
// them by the content origin and rounds them to whole pixels.
//
// Items: 40 the header (m_CaptionRect the toggle, m_Checked open, m_HoverFade
// the highlight, m_ValueFade the press fade, m_Pressed held) and, while open,
// 45 the client below it.
#pragma once
#include <cstdint>

#include "core/rect.h"
#include "core/str.h"
#include "ui/wnd.h"

namespace tovan {

inline constexpr int kPanelType = 8;
inline constexpr int kNotifyPanelToggled = 9;
enum PanelItem : int32_t { kItemPanelHeader = 40, kItemPanelClient = 45 };

class cPanel : public cWnd {
public:
    // A panel under a root (or none) is open without a header; deeper ones
    // start closed with one.
    cPanel(cWnd* parent, const char* caption);

    // Enter, Space and pad A while focused, or the left button on the header,
    // toggle it (on release when the style says so) and notify the parent.
    bool OnKeyDown(KeyCode code) override;
    bool OnKeyUp(KeyCode code) override;
    bool UpdateHover(bool covered) override;
    void Update() override;

    int GetType() override { return kPanelType; }
    cRect GetRect() override { return m_Measured; }
    bool AcceptsFocus() override;
    void Measure() override;
    void Layout() override;

    bool OnHeader() const;  // the cursor on the header or the toggle

    cStr m_Caption;
    bool m_Open = false;
    bool m_HeaderHidden = false;
    bool m_Fixed = false;  // cannot be toggled
    cRect m_Measured;
    cRect m_HeaderRect, m_ToggleRect;  // measured, then placed and clipped
    cFade m_PressFade;
    cFade m_Highlight;
    cWnd* m_RootWindow = nullptr;
    int32_t m_Depth = 0;  // ancestors
    KeyCode m_PressedCode = -1;

private:
    void Toggle();
    void Arrange();
};

}  // namespace tovan
