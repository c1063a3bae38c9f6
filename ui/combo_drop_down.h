// cComboBoxDropDown: the scrolling list a combo box opens in the overlay
// layer, just below its box (or above it when there is more room there),
// kept inside the viewport. An item is chosen by a release over it after a
// press (on the box or on the item), by Enter, Space or pad A, or by Tab; Esc,
// pad B and a press elsewhere close it without choosing. Once closed it fades
// out, then IsClosed tells the host to remove it.
//
// Item 37: the list in m_Rect, the visible items' texts and rectangles, the
// current index relative to the first visible item in m_ListIndex, the
// highlight in m_HoverFade, m_ListScrollBar while the list scrolls. The
// scroll bar is cWnd's.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/rect.h"
#include "core/str.h"
#include "ui/wnd.h"

namespace tovan {

class cComboBox;

// The part of the list's item area (hover and pressed part).
inline constexpr int kPartListItems = 37;

class cComboBoxDropDown : public cWnd {
public:
    // Copies the owner's items and style; the current item is the bound one
    // when that names an item, else none (-1).
    explicit cComboBoxDropDown(cComboBox* owner);
    ~cComboBoxDropDown() override;

    bool OnKeyDown(KeyCode code) override;
    bool OnKeyUp(KeyCode code) override;
    // Up and Down (and the thumbs) move the current item; every code is the
    // list's while it shows.
    bool OnChar(int character, KeyCode code) override;
    void Update() override;
    bool IsClosed() override;
    bool UpdateHover(bool covered) override;
    bool IsActive() override { return true; }
    void Layout() override;
    int HitTest() override;
    float GetArrowStep() override;
    float GetWheelStep() override;

    // Sizes and places the list against the owner's box and the viewport.
    void Place();
    // Writes a current item that differs into the owner's bound index and
    // tells the owner's parent.
    void Choose();
    // Hides the list (it fades out) and gives up the capture.
    void Close();
    // The visible item under the cursor, -1 for none.
    int ItemUnderCursor() const;
    bool InItemArea() const;

    cComboBox* m_ComboOwner;  // null once the owner is destroyed
    cList<cStr> m_Items;
    int32_t m_Current = -1;
    int32_t m_First = 0, m_Last = -1;  // visible items
    cList<cRect> m_ItemRects;          // empty outside the visible ones
    int32_t m_VisibleCount = 0;
    float m_ItemWidth = 0;
    bool m_OpenedByMouse = false;
    bool m_ReleasedOnce = false;  // a press-drag opening let go outside the items once
    cFade m_Highlight;
    KeyCode m_PressingCode = -1;

private:
    bool OverOwnerWindow() const;
    bool Press(KeyCode code);
    void KeepCurrentVisible();
    float ItemHeight() const;

    cList<cStr> m_ShownTexts;  // what the last item carried
    cList<cRect> m_ShownRects;
};

}  // namespace tovan
