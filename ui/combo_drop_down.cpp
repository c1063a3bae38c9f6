// cComboBoxDropDown: placement against the viewport, the visible rows, the
// item under the cursor, the press, release and key rules, and its item.
#include "ui/combo_drop_down.h"

#include <cfloat>
#include <cmath>

#include "core/frame_clock.h"
#include "core/view.h"
#include "ui/combo_box.h"
#include "ui/control.h"
#include "ui/input.h"
#include "ui/widget_style.h"

namespace tovan {

cComboBoxDropDown::cComboBoxDropDown(cComboBox* owner) : m_ComboOwner(owner) {
    StartControl(*this);
    if (owner) {
        m_Style = owner->GetStyle();
        m_Items = owner->m_Items;
        const int32_t bound = owner->m_Index ? *owner->m_Index : -1;
        m_Current = bound >= 0 && bound < m_Items.Count() ? bound : -1;
    }
}

cComboBoxDropDown::~cComboBoxDropDown() = default;

float cComboBoxDropDown::ItemHeight() const { return Style().m_Combo.m_ListItemHeight; }
float cComboBoxDropDown::GetArrowStep() { return ItemHeight(); }
float cComboBoxDropDown::GetWheelStep() { return ItemHeight(); }

void cComboBoxDropDown::Place() {
    const WidgetStyle& style = Style();
    const WidgetStyle::Combo& combo = style.m_Combo;
    const cRect box = m_ComboOwner ? m_ComboOwner->m_BoxRects.m_Drawn : cRect{0, 0, 0, 0};
    const int32_t count = m_Items.Count();
    const float itemHeight = combo.m_ListItemHeight, padding = combo.m_ListPadding;
    int32_t visible = count < combo.m_MaxVisibleItems ? count : combo.m_MaxVisibleItems;
    if (visible < 1 && count > 0)
        visible = 1;  // a list with items shows at least one
    const int32_t fewest = combo.m_MinVisibleItems > 1 ? combo.m_MinVisibleItems : 1;
    // Without a view there is no edge to keep away from.
    const cRect viewport = CurrentView ? CurrentView->m_Viewport : cRect::Empty();
    const float roomBelow = viewport.IsEmpty() ? FLT_MAX : box.y0 - viewport.y0;
    const float roomAbove = viewport.IsEmpty() ? 0 : viewport.y1 - box.y1;
    float height;
    bool below;
    for (;;) {
        height = float(visible > 1 ? visible : 1) * itemHeight + 2 * padding;
        below = height <= roomBelow || roomAbove <= roomBelow;
        if (height <= (below ? roomBelow : roomAbove) || visible <= fewest)
            break;
        --visible;
    }
    cRect rect =
        below ? cRect{box.x0, box.y0 - height, box.x1, box.y0} : cRect{box.x0, box.y1, box.x1, box.y1 + height};
    if (!viewport.IsEmpty()) {
        if (rect.x1 > viewport.x1)
            rect.Move(viewport.x1 - rect.x1, 0);
        if (rect.x0 < viewport.x0)
            rect.Move(viewport.x0 - rect.x0, 0);
    }
    m_Rect = rect;
    m_Client = {rect.x0 + padding, rect.y0 + padding, rect.x1 - padding, rect.y1 - padding};
    m_VisibleCount = visible;
    const bool scrolls = visible < count;
    m_VScroll = m_WheelScrolls = scrolls;
    // A third of a row short, so that the last scroll position rounds to the last row.
    const float extent = scrolls ? float(count) * itemHeight - itemHeight / 3 : m_Client.Height();
    m_Scroll = {0, -extent, m_Client.Width(), 0};
    m_ItemWidth = rect.Width() - 2 * padding - (scrolls ? style.m_ScrollBarWidth : 0);
    Layout();
}

void cComboBoxDropDown::Layout() {
    cWnd::Layout();
    const int32_t count = m_Items.Count();
    m_ItemRects.DestroyItems();
    m_ItemRects.PushBackRepeated(cRect::Empty(), count);
    const float itemHeight = ItemHeight();
    if (!(itemHeight > 0)) {
        m_First = 0, m_Last = -1;  // rows without height: none shows
        return;
    }
    m_First = int32_t(std::floor((itemHeight / 2 + m_Scroll.y1) / itemHeight));
    if (m_First < 0)
        m_First = 0;
    m_Last = m_First + m_VisibleCount - 1;
    if (m_Last > count - 1)
        m_Last = count - 1;
    const float top = m_Client.y1;
    for (int i = m_First; i <= m_Last; ++i)
        m_ItemRects[i] = {m_Client.x0, top - float(i - m_First + 1) * itemHeight, m_Client.x0 + m_ItemWidth,
                          top - float(i - m_First) * itemHeight};
}

int cComboBoxDropDown::ItemUnderCursor() const {
    for (int i = m_First; i <= m_Last; ++i)
        if (m_ItemRects[i].Contains(CursorPosition))
            return i;
    return -1;
}

bool cComboBoxDropDown::InItemArea() const {
    const cRect area{m_Client.x0, m_Client.y0, m_Client.x0 + m_ItemWidth, m_Client.y1};
    return area.Contains(CursorPosition);
}

int cComboBoxDropDown::HitTest() {
    if (!m_Visible.Contains(CursorPosition))
        return kPartNone;
    if (const int part = cWnd::HitTest())
        return part;
    const bool otherHolds = CapturedWidget != -1 && GetWidget(CapturedWidget) && !HoldsCapture(this);
    if (otherHolds || (m_DragPart != kPartNone && m_DragPart != kPartListItems))
        return kPartNone;
    const int item = ItemUnderCursor();
    if (item >= 0)
        m_Current = item;
    return kPartListItems;
}

bool cComboBoxDropDown::OverOwnerWindow() const {
    if (!Style().m_Combo.m_ModalList)
        return false;
    return !m_ComboOwner || m_ComboOwner->GetRoot()->m_Rect.Contains(CursorPosition);
}

bool cComboBoxDropDown::Press(KeyCode code) {
    m_DragPart = kPartListItems;
    TakeCapture(this);
    m_PressingCode = code;
    return true;
}

void cComboBoxDropDown::Choose() {
    if (!m_ComboOwner || !m_ComboOwner->m_Index || m_Current < 0 || m_Current >= m_Items.Count())
        return;
    int32_t* bound = m_ComboOwner->m_Index;
    if (*bound == m_Current)
        return;
    const int32_t old = *bound;
    *bound = m_Current;
    NotifyParent(*m_ComboOwner, kNotifyComboBox, &old, bound);
}

void cComboBoxDropDown::Close() {
    if (m_ComboOwner)
        m_ComboOwner->m_ListOpen = false;
    if (HoldsCapture(this))
        ReleaseWidgetCapture();
    m_VisibleFlag = false;
    m_PressingCode = -1;
    m_DragPart = kPartNone;
}

bool cComboBoxDropDown::IsClosed() { return !m_VisibleFlag && m_VisibleFade.m_Value <= 0; }

bool cComboBoxDropDown::OnKeyDown(KeyCode code) {
    if (!m_VisibleFlag)
        return false;
    const bool overOwner = OverOwnerWindow();
    const bool consumed = cWnd::OnKeyDown(code);
    if (IsScrollPart())
        return true;  // a scroll bar drag keeps everything
    // A press on an item picks it on release, whatever else the press would do.
    if (code == kKeyLeftButton && HitTest() == kPartListItems && ItemUnderCursor() >= 0)
        return Press(code);
    const bool cancels = code == kKeyEsc || code == kKeyPadB;
    if (consumed || overOwner) {
        if (cancels) {
            Close();
        } else if (code == kKeyTab) {
            Choose();
            Close();
        } else if (code == kKeyLeftButton) {
            Close();
            if (m_ComboOwner && CursorInHit(*m_ComboOwner))
                m_ComboOwner->m_Suppress = true;
            return m_Rect.Contains(CursorPosition) || overOwner;
        } else if (IsActivationKey(code)) {
            return Press(code);
        }
        return true;
    }
    // A press elsewhere.
    if (cancels || IsMouseButton(code)) {
        Close();
    } else if (code == kKeyTab) {
        Choose();
        Close();
    } else if (IsActivationKey(code)) {
        return Press(code);
    }
    return true;
}

bool cComboBoxDropDown::OnKeyUp(KeyCode code) {
    if (!m_VisibleFlag)
        return false;
    if (m_PressingCode == -1 && !cWnd::OnKeyUp(code))
        return false;
    if (code != m_PressingCode || m_DragPart != kPartListItems)
        return true;
    if (code == kKeyLeftButton) {
        HitTest();  // the release picks the row it is over, even one reached since the last frame
        const bool clickMode = !m_ComboOwner || m_ComboOwner->m_ClickMode;
        const bool inItems = InItemArea();
        if (!clickMode && !inItems && !m_ReleasedOnce) {
            // The press that opened the list let go off the items: it stays
            // open for a click.
            m_ReleasedOnce = true;
            if (HoldsCapture(this))
                ReleaseWidgetCapture();
            m_DragPart = kPartNone;
            m_PressingCode = -1;
            return true;
        }
        if (!inItems) {
            Close();
            return true;
        }
    }
    Choose();
    Close();
    return true;
}

void cComboBoxDropDown::KeepCurrentVisible() {
    const float itemHeight = ItemHeight();
    if (m_Current < 0)
        return;
    if (m_Current < m_First)
        ScrollBy(0, -float(m_First - m_Current) * itemHeight);
    else if (m_Current > m_Last)
        ScrollBy(0, float(m_Current - m_Last) * itemHeight);
    Layout();
}

bool cComboBoxDropDown::OnChar(int, KeyCode code) {
    if (!m_VisibleFlag)
        return false;  // a list fading out leaves typing alone
    const bool someoneHolds = CapturedWidget != -1 && GetWidget(CapturedWidget);
    if (someoneHolds && m_DragPart != kPartListItems)
        return true;
    if (const int step = ColumnStep(code)) {
        const int32_t last = m_Items.Count() - 1, next = m_Current + step;
        m_Current = last < 0 ? -1 : next < 0 ? 0 : next > last ? last : next;
        KeepCurrentVisible();
    }
    return true;
}

bool cComboBoxDropDown::UpdateHover(bool covered) {
    bool hovered = cWnd::UpdateHover(covered);
    if (!covered && m_VisibleFlag && m_ComboOwner && Style().m_Combo.m_ModalList &&
        m_ComboOwner->GetRoot()->m_Rect.Contains(CursorPosition))
        hovered = true;
    return hovered;
}

void cComboBoxDropDown::Update() {
    const WidgetStyle& style = Style();
    if (m_VisibleFlag)
        HitTest();  // the item under the cursor becomes the current one
    const bool someoneHolds = CapturedWidget != -1 && GetWidget(CapturedWidget);
    const bool lit = m_OpenedByMouse ? m_HoverPart == kPartListItems : !someoneHolds;
    m_Highlight.m_Target = lit || m_DragPart == kPartListItems ? 1.0f : 0.0f;
    m_Highlight.Step(style.m_HoverFadeRate, FrameClock.m_FrameDelta);
    AnimateFades();
    Layout();
    m_ShownTexts.DestroyItems();
    m_ShownRects.DestroyItems();
    for (int i = m_First; i <= m_Last; ++i) {
        m_ShownTexts.PushBack(m_Items[i]);
        m_ShownRects.PushBack(m_ItemRects[i]);
    }
    WidgetDrawItem item;
    FillCommonItem(item);
    item.m_Kind = kItemDropDown;
    item.m_Rect = m_Rect;
    item.m_ItemTexts = &m_ShownTexts;
    item.m_ItemRects = &m_ShownRects;
    item.m_ListIndex = m_Current - m_First;
    item.m_HoverFade = m_Highlight.m_Value;
    const bool overCurrent =
        m_Current >= m_First && m_Current <= m_Last && m_ItemRects[m_Current].Contains(CursorPosition);
    item.m_Pressed = m_PressingCode != -1 && IsKeyDown(m_PressingCode) && m_DragPart == kPartListItems &&
                     (m_PressingCode != kKeyLeftButton || overCurrent);
    item.m_ListScrollBar = m_VScroll;
    item.m_Enabled = true;
    item.m_EnabledFade = m_EnabledFade.m_Value;
    item.m_Opacity = 1.0f;
    if (WidgetStyle* drawer = m_Style ? m_Style : GetStyle())
        drawer->DrawItem(&item);
    cWnd::Update();
}

}  // namespace tovan
