// cComboBox: picks one of a list of item texts and stores its index in an int
// of the edited object. While closed, the sideways keys step through the
// items; Enter, Space, pad A or a click open a cComboBoxDropDown in the
// overlay layer, from which an item is picked with the mouse or the keys.
//
// Two ways of opening: in click mode (the style's click-to-open flag, or any
// key but the left button) the box holds the capture until the opening code
// comes up and the list is then clicked; otherwise the list takes the capture
// at once, so that a press on the box, a drag and a release over an item
// pick it in one gesture.
//
// Item 36: the box in m_Rect, the chosen item's text in m_Text (empty when the
// bound index names none), the caption in m_Text2 with its rectangle in
// m_CaptionRect, the highlight in m_ValueFade.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/rect.h"
#include "core/str.h"
#include "ui/control.h"

namespace tovan {

class cComboBoxDropDown;

class cComboBox : public cWnd {
public:
    // index: the bound item index (not owned); the items are copied.
    cComboBox(cWnd* parent, int32_t* index, const char* caption, const cList<cStr>& items, float x, float y,
              bool visible);
    // A list still open forgets its owner and closes on its next code.
    ~cComboBox() override;

    void SetItems(const cList<cStr>& items);

    bool OnKeyDown(KeyCode code) override;
    bool OnKeyUp(KeyCode code) override;
    // Sideways steps while focused (held keys repeat through here).
    bool OnChar(int character, KeyCode code) override;
    void Update() override;
    bool UpdateHover(bool covered) override;
    int GetType() override { return kComboBoxType; }
    cRect GetRect() override { return m_Whole; }
    float GetExtent() override { return m_Whole.IsEmpty() ? 0 : m_Whole.Width(); }
    void Layout() override;
    void Measure() override;
    bool AcceptsFocus() override { return m_AcceptsFocus; }
    void SetAcceptsFocus(bool accepts) override { m_AcceptsFocus = accepts; }

    // -1 or +1 from the bound index, kept on the items (-1 without any); the
    // parent is told when it changed. False when nothing changed.
    bool StepIndex(int step);
    // The text of the bound item; empty when the index names none.
    cStr SelectedText() const;
    // The list this box opened, while it is registered.
    cComboBoxDropDown* OpenList() const;

    bool m_AcceptsFocus = true;
    cStr m_Caption;
    cList<cStr> m_Items;
    WidgetHandle m_DropDown = -1;
    int32_t* m_Index;
    cRect m_Box, m_CaptionRect;  // measured
    cControlLook m_Look;
    cFade m_Highlight;
    cRect m_Whole;
    cControlBox m_BoxRects;
    cCaptionRects m_CaptionRects;
    bool m_ListOpen = false;
    // Set by the list when a click on this box closed it, so that the same
    // click does not open it again; cleared by the hover pass.
    bool m_Suppress = false;
    bool m_ClickMode = false;
    KeyCode m_PressingCode = -1;
    bool m_KeyStepping = false;
    KeyCode m_SteppingCode = -1;
    float m_WidestItem = 0;

private:
    bool Open(KeyCode code);
};

}  // namespace tovan
