// cComboBox: stepping the bound index, opening the drop-down list in one of
// its two modes, measuring the box and its caption, hover and the item.
#include "ui/combo_box.h"

#include "core/frame_clock.h"
#include "ui/combo_drop_down.h"
#include "ui/input.h"
#include "ui/widget_style.h"

namespace tovan {

cComboBox::cComboBox(cWnd* parent, int32_t* index, const char* caption, const cList<cStr>& items, float x, float y,
                     bool visible)
    : cWnd(parent), m_Index(index) {
    StartControl(*this);
    m_VisibleFlag = visible;
    const float shown = IsVisible() ? 1.0f : 0.0f;
    m_VisibleFade = {shown, shown};
    m_Caption.SetText(caption);
    m_LayoutX = x;
    m_LayoutY = y;
    m_Align = 0;
    StartLook(*this, m_Look);
    m_ClickMode = Style().m_Combo.m_ClickToOpen;
    SetItems(items);
}

cComboBox::~cComboBox() {
    if (cComboBoxDropDown* list = OpenList())
        list->m_ComboOwner = nullptr;
}

void cComboBox::SetItems(const cList<cStr>& items) {
    m_Items = items;
    const int32_t font = Style().m_Combo.m_Font;
    m_WidestItem = 0;
    for (int i = 0; i < m_Items.Count(); ++i) {
        const float width = TextWidth(font, m_Items[i].GetText());
        if (width > m_WidestItem)
            m_WidestItem = width;
    }
}

cComboBoxDropDown* cComboBox::OpenList() const {
    cComboBoxDropDown* list = dynamic_cast<cComboBoxDropDown*>(GetWidget(m_DropDown));
    return list && list->m_ComboOwner == this ? list : nullptr;  // the slot may have been reused
}

cStr cComboBox::SelectedText() const {
    if (!m_Index || *m_Index < 0 || *m_Index >= m_Items.Count())
        return cStr();
    return m_Items[*m_Index];
}

bool cComboBox::StepIndex(int step) {
    if (!m_Index || step == 0)
        return false;
    const int32_t old = *m_Index, last = m_Items.Count() - 1;
    // Kept on an item even from an index that names none; no items: none.
    int32_t next = old + step;
    next = last < 0 ? -1 : next < 0 ? 0 : next > last ? last : next;
    if (next == old)
        return false;
    *m_Index = next;
    NotifyParent(*this, kNotifyComboBox, &old, m_Index);
    return true;
}

bool cComboBox::OnChar(int, KeyCode code) {
    if (!IsPressable(*this) || m_Suppress)
        return false;
    if (HoldsCapture(this)) {
        if (m_KeyStepping && code == m_SteppingCode)
            StepIndex(SidewaysStep(code));
        return true;
    }
    const int step = SidewaysStep(code);
    if (!step || !HasKeyFocus(this))
        return false;
    StepIndex(step);
    TakeCapture(this);
    m_SteppingCode = code;
    m_KeyStepping = true;
    return true;
}

bool cComboBox::OnKeyDown(KeyCode code) {
    if (!IsPressable(*this) || m_Suppress)
        return false;
    if (HoldsCapture(this))
        return true;
    if (IsActivationKey(code) && HasKeyFocus(this))
        return Open(code);
    const bool inHit = CursorInHit(*this);
    if (code == kKeyLeftButton && inHit) {
        SetFocus(this);
        return Open(code);
    }
    const bool onCaption = m_CaptionRects.m_Hit.Contains(CursorPosition);
    if (((code == kKeyLeftButton || code == kKeyRightButton) && onCaption) || (code == kKeyRightButton && inHit))
        SetFocus(this);
    return false;
}

bool cComboBox::Open(KeyCode code) {
    const WidgetStyle& style = Style();
    // A list this box opened before is hidden by now: it goes, so that closed
    // lists do not gather in the layer under a host that leaves them there.
    if (OpenList())
        RemoveWidget(m_DropDown, true);
    m_DropDown = -1;
    cComboBoxDropDown* list = new cComboBoxDropDown(this);
    list->m_OpenedByMouse = code == kKeyLeftButton;
    list->Place();
    m_DropDown = AddWidget(list, kOverlayLayer);
    if (m_DropDown == -1) {
        delete list;
        return false;
    }
    m_ClickMode = style.m_Combo.m_ClickToOpen || code != kKeyLeftButton;
    if (m_ClickMode)
        TakeCapture(this);
    ActivateParent(*this);
    SetGrow(m_Look, m_ClickMode ? style.m_SteppingGrow : style.m_RestGrow);
    if (!m_ClickMode) {
        // Press, drag, release: the list follows the press from here on.
        TakeCapture(list);
        list->m_DragPart = kPartListItems;
        list->m_PressingCode = kKeyLeftButton;
        m_ListOpen = true;
    }
    m_PressingCode = code;
    return true;
}

bool cComboBox::OnKeyUp(KeyCode code) {
    if (!HoldsCapture(this))
        return false;
    if (m_KeyStepping && code == m_SteppingCode) {
        ReleaseWidgetCapture();
        m_KeyStepping = false;
        m_SteppingCode = -1;
    } else if (code == m_PressingCode) {
        ReleaseWidgetCapture();
        // A list closed while the opening code was held stays closed.
        const cComboBoxDropDown* list = OpenList();
        m_ListOpen = list && list->m_VisibleFlag;
        m_PressingCode = -1;
    }
    return true;
}

bool cComboBox::UpdateHover(bool covered) {
    const WidgetStyle& style = Style();
    const cComboBoxDropDown* list = OpenList();
    const bool listShows = m_ListOpen || (list && list->m_VisibleFlag);
    cHoverFacts facts = ReadHover(*this, covered);
    if (listShows)
        facts.m_Hovered = false;
    AimLook(*this, m_Look, facts);
    if (facts.m_Held)
        m_Look.m_Grow.m_Target = style.m_SteppingGrow;
    m_Highlight.m_Target = facts.m_Hovered || (facts.m_Focused && !listShows) ? 1.0f : 0.0f;
    FollowHover(*this, facts);
    m_Suppress = false;
    return facts.m_Hovered;
}

void cComboBox::Measure() {
    const WidgetStyle& style = Style();
    const WidgetStyle::Combo& combo = style.m_Combo;
    const float text = m_WidestItem > combo.m_MinWidth ? m_WidestItem : combo.m_MinWidth;
    const cCaptionedBox placed =
        PlaceCaptionedBox(text + combo.m_Paddings[0] + combo.m_Paddings[1], combo.m_Height, !m_Caption.IsEmpty(),
                          TextWidth(combo.m_Font, m_Caption.GetText()), style.m_CaptionPadding,
                          style.m_Edit.m_CaptionAnchoring, style.m_Edit.m_Margin, m_Align, m_LayoutX, m_LayoutY);
    m_Box = placed.m_Box;
    m_CaptionRect = placed.m_Caption;
    m_Whole = placed.m_Whole;
}

void cComboBox::Layout() {
    if (ParentContent(*this).IsEmpty())
        return;
    Measure();
    LayoutControlBox(*this, m_Box, m_Look.m_Grow.m_Value, m_BoxRects);
    LayoutCaption(*this, m_CaptionRect, m_CaptionRects);
}

void cComboBox::Update() {
    StepLook(*this, m_Look);
    m_Highlight.Step(Style().m_HoverFadeRate, FrameClock.m_FrameDelta);
    AnimateFades();
    if (ParentContent(*this).IsEmpty())
        return;
    Layout();
    WidgetDrawItem item;
    FillControlItem(*this, kItemComboBox, m_Look, m_BoxRects, item);
    item.m_Pressed = m_ClickMode ? HoldsCapture(this) : m_ListOpen;
    item.m_ValueFade = m_Highlight.m_Value;
    item.m_Text = SelectedText();
    item.m_Text2 = m_Caption;
    item.m_CaptionRect = m_CaptionRects.m_Drawn;
    DrawControlItem(*this, item);
}

}  // namespace tovan
