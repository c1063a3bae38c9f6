// cSeparator: a line between groups of controls, with an optional caption.
// Inside a tool bar it stands upright and as tall as the bar's content;
// elsewhere it runs across its parent's content. It takes no input. Item 41:
// the line in m_Rect, the caption in m_Text and its rectangle in m_CaptionRect.
#pragma once
#include "core/rect.h"
#include "core/str.h"
#include "ui/wnd.h"

namespace tovan {

class cSeparator : public cWnd {
public:
    cSeparator(cWnd* parent, const char* caption);

    bool OnKeyDown(KeyCode) override { return false; }
    void Update() override;
    int GetType() override;
    cRect GetRect() override { return m_Line; }
    float GetExtent() override { return m_Line.IsEmpty() ? 0 : m_Line.Width(); }
    void Layout() override;
    void Measure() override;

    cStr m_Caption;
    cRect m_Line;         // measured in the parent's content coordinates
    cRect m_CaptionRect;  // likewise; empty without a caption
    cRect m_DrawnLine, m_DrawnCaption;
};

}  // namespace tovan
