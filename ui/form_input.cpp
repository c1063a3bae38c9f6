// cForm input and drawing: the title bar, its buttons and the size grip,
// moving and resizing, the focus keys, the cursor shapes and the items the
// form hands its style.
#include "core/frame_clock.h"
#include "ui/form.h"
#include "ui/input.h"
#include "ui/widget_style.h"

namespace tovan {

namespace {

struct PartShape {
    int part, shape;
};
constexpr PartShape kCursorShapes[] = {
    {kPartPan, kCursorPan},
    {kPartLeftEdge, kCursorResizeHorizontal},
    {kPartRightEdge, kCursorResizeHorizontal},
    {kPartTopEdge, kCursorResizeVertical},
    {kPartBottomEdge, kCursorResizeVertical},
    {kPartBottomLeft, kCursorResizeDiagonalUp},
    {kPartTopRight, kCursorResizeDiagonalUp},
    {kPartSizeGrip, kCursorResizeDiagonalDown},
    {kPartBottomRight, kCursorResizeDiagonalDown},
    {kPartTopLeft, kCursorResizeDiagonalDown},
};

bool ShapeOf(int part, int* shape) {
    for (const PartShape& s : kCursorShapes)
        if (s.part == part) {
            *shape = s.shape;
            return true;
        }
    return false;
}

// The keys that move the focus, and which way.
struct FocusKey {
    KeyCode code;
    bool forward;
    bool rightThumb;  // acts only while the left thumb is not held up or down
};
constexpr FocusKey kFocusKeys[] = {
    {kKeyUp, false, false},           {kKeyLeftThumbUp, false, false},  {kKeyTab, true, false},
    {kKeyDown, true, false},          {kKeyLeftThumbDown, true, false}, {kKeyRightThumbUp, false, true},
    {kKeyRightThumbDown, true, true},
};

}  // namespace

bool cForm::OnKeyDown(KeyCode code) {
    m_WheelScrolls = m_ExpandState != kCollapsed;
    const bool consumed = cWnd::OnKeyDown(code);
    if (!consumed || code != kKeyLeftButton || m_DragPart != kPartNone)
        return consumed;
    const int part = HitTest();
    switch (part) {
    case kPartSizeGrip: m_GrabOffset = cVec2{m_Rect.x1, m_Rect.y0} - CursorPosition; break;
    case kPartClose:
    case kPartCollapse:
    case kPartMaximise: break;
    case kPartTitle:
        if (DoubleClick) {
            if (m_ExpandState == kCollapsed) {
                ToggleCollapse();
            } else {
                m_ExpandState = m_ExpandState == kMaximised ? kNormal : kMaximised;
                Layout();
            }
            return true;
        }
        if (m_ExpandState == kMaximised)
            return true;
        break;
    default: return true;
    }
    m_DragPart = part;
    m_DragStart = CursorPosition;
    TakeCapture(this);
    return true;
}

bool cForm::OnKeyUp(KeyCode code) {
    const int part = m_DragPart;
    const bool held = HoldsCapture(this);
    const bool result = cWnd::OnKeyUp(code);
    if (!held || part == kPartNone || m_DragPart != kPartNone || HitTest() != part)
        return result;
    if (part == kPartClose) {
        // Its parent no longer owns it, and the owner that removes it may do
        // so after that parent is gone: it keeps no pointer to it.
        if (m_Parent) {
            const int at = m_Parent->m_Children.Find(this);
            if (at >= 0) {
                m_Parent->m_Children.RemoveAt(at);
                --m_Listings;
            }
            m_Parent = nullptr;
        }
        m_Closed = true;
    } else if (part == kPartCollapse) {
        ToggleCollapse();
    } else if (part == kPartMaximise) {
        m_ExpandState = m_ExpandState == kMaximised ? kNormal : kMaximised;
        Layout();
    }
    return result;
}

bool cForm::OnMouseMove() {
    const cVec2 last = m_DragStart;
    if (!cWnd::OnMouseMove())
        return false;
    const cVec2 cursor = CursorPosition;
    if (m_DragPart == kPartSizeGrip) {
        m_Rect.x1 = cursor.x + m_GrabOffset.x;
        m_Rect.y0 = cursor.y + m_GrabOffset.y;
    } else if (m_DragPart == kPartTitle) {
        const cVec2 travel = cursor - last;
        if (m_ExpandState == kCollapsed)
            m_CollapsedOffset += travel;
        else
            m_Rect.Move(travel.x, travel.y);
    }
    Layout();
    return true;
}

bool cForm::OnChar(int, KeyCode code) {
    if (HoldsCapture(this))
        return true;
    if (!IsActive() || m_ExpandState == kCollapsed)
        return false;
    for (const FocusKey& key : kFocusKeys) {
        if (key.code != code)
            continue;
        InitInput();
        if (key.rightThumb && (IsKeyDown(kKeyLeftThumbUp) || IsKeyDown(kKeyLeftThumbDown)))
            return false;
        FocusNext(key.forward);
        return true;
    }
    return false;
}

bool cForm::GetCursorShape(int* shape) {
    if (!shape)
        return false;
    return ShapeOf(m_DragPart, shape) || ShapeOf(m_HoverPart, shape);
}

void cForm::Update() {
    if (m_Closed)
        return;
    Layout();
    const float rate = Style().m_HoverFadeRate, delta = FrameClock.m_FrameDelta;
    const struct {
        cFade* fade;
        int part;
    } fades[] = {{&m_SizeGripFade, kPartSizeGrip},
                 {&m_CloseFade, kPartClose},
                 {&m_CollapseFade, kPartCollapse},
                 {&m_MaximiseFade, kPartMaximise}};
    for (const auto& f : fades) {
        f.fade->m_Target = m_HoverPart == f.part || m_DragPart == f.part ? 1.0f : 0.0f;
        f.fade->Step(rate, delta);
    }
    AnimateFades();
    DrawItems();
    if (m_ExpandState != kCollapsed)
        cWnd::Update();  // the scroll bars
}

void cForm::DrawItems() {
    WidgetStyle* style = m_Style ? m_Style : GetStyle();
    if (!style)
        return;
    WidgetDrawItem item;
    FillCommonItem(item);
    item.m_Enabled = IsEnabled();
    item.m_EnabledFade = m_EnabledFade.m_Value;
    auto draw = [&](int kind, const cRect& rect) {
        item.m_Kind = kind;
        item.m_Rect = rect;
        style->DrawItem(&item);
    };
    auto button = [&](int kind, int part, const cRect& rect, const cFade& fade) {
        item.m_Pressed = m_DragPart == part && m_HoverPart == part;
        item.m_Checked = m_HoverPart == part;
        item.m_HoverFade = fade.m_Value;
        draw(kind, rect);
    };
    const bool collapsed = m_ExpandState == kCollapsed;
    if (collapsed && m_DragPart == kPartTitle) {
        const cRect area = DockArea();
        if (!area.IsEmpty())
            draw(kItemDockPreview, area.GetAnchorZone(m_CollapsedRect, m_CollapsedCode));
    } else if (m_ExpandState == kNormal && (m_DragPart == kPartTitle || IsFramePart()) && m_DockCode[0] >= 0) {
        draw(kItemDockPreview, m_DockZone[0]);
        draw(kItemDockPreview, m_DockZone[1]);
    }
    const cWnd* bar = dynamic_cast<const cWnd*>(m_Extra);
    item.m_Checked = collapsed;
    item.m_Pressed = bar && bar->IsVisible();
    draw(kItemFormBody, m_Rect);
    item.m_Checked = item.m_Pressed = false;
    draw(kItemTitleBar, m_TitleRect);
    item.m_Text = m_Title;
    draw(kItemTitleText, m_TitleRect);
    item.m_Text.Clear();
    button(kItemClose, kPartClose, m_CloseRect, m_CloseFade);
    button(collapsed ? kItemExpand : kItemCollapse, kPartCollapse, m_CollapseRect, m_CollapseFade);
    button(m_ExpandState == kMaximised ? kItemRestore : kItemMaximise, kPartMaximise, m_MaximiseRect, m_MaximiseFade);
    if (collapsed)
        return;
    item.m_Pressed = item.m_Checked = false;
    item.m_HoverFade = 0;
    draw(kItemClient, m_Client);
    if (m_ExpandState == kNormal)
        button(kItemSizeGrip, kPartSizeGrip, m_SizeGripRect, m_SizeGripFade);
}

}  // namespace tovan
