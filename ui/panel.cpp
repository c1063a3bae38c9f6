// cPanel: measuring, stacking the children, the header's press, release and
// hover rules, and its items.
#include "ui/panel.h"

#include <cmath>

#include "core/frame_clock.h"
#include "ui/control.h"
#include "ui/input.h"
#include "ui/rect_ops.h"
#include "ui/widget_style.h"

namespace tovan {

namespace {
cRect Rounded(const cRect& r) { return {RoundPixel(r.x0), RoundPixel(r.y0), RoundPixel(r.x1), RoundPixel(r.y1)}; }

bool IsPanel(cWnd* wnd) { return wnd->GetType() == kPanelType; }
}  // namespace

cPanel::cPanel(cWnd* parent, const char* caption) : cWnd(parent) {
    StartControl(*this);
    m_Caption.SetText(caption);
    m_RootWindow = GetRoot();
    for (const cWnd* w = m_Parent; w; w = w->m_Parent)
        ++m_Depth;
    // Right under a root the panel is the root's body; deeper ones fold.
    const bool top = !parent || !parent->m_Parent;
    m_Open = m_HeaderHidden = top;
    const float rest = Style().m_Panel.m_NormalValue;
    m_PressFade = {rest, rest};
}

bool cPanel::AcceptsFocus() {
    if (m_HeaderHidden)
        return false;
    return !m_Fixed || Style().m_Panel.m_FixedFocus;
}

void cPanel::Measure() {
    const WidgetStyle::Panel& style = Style().m_Panel;
    const cRect parentContent = m_Parent ? m_Parent->m_Content : cRect::Empty();
    const float width = parentContent.IsEmpty() ? 0 : parentContent.Width();
    const float header = m_HeaderHidden ? 0 : style.m_HeaderHeight;
    float height = header;
    if (m_Open) {
        cWnd* last = nullptr;
        cRect lastRect;
        for (int i = 0; i < m_Children.Count(); ++i) {
            cWnd* child = dynamic_cast<cWnd*>(m_Children[i]);
            if (!child || !child->m_VisibleFlag)
                continue;
            const cRect r = child->GetRect();
            if (!r.IsEmpty())
                last = child, lastRect = r;
        }
        if (last)
            height += std::fabs(lastRect.y0) + (IsPanel(last) ? 0 : style.m_BottomMargin);
        else
            height += 2 * style.m_BottomMargin;
    }
    const float y = m_LayoutY;
    m_Measured = {0, y - height, width, y};
    if (m_HeaderHidden) {
        m_HeaderRect = m_ToggleRect = cRect::Empty();
        return;
    }
    const float* inset = style.m_HeaderInsets;
    m_HeaderRect = {inset[0], y - header + inset[1], width - inset[2], y - inset[3]};
    const float middle = (m_HeaderRect.y0 + m_HeaderRect.y1) * 0.5f, size = style.m_ToggleSize;
    const float left = m_HeaderRect.x0 + style.m_ToggleInset;
    m_ToggleRect = {left, middle - size * 0.5f, left + size, middle + size * 0.5f};
}

void cPanel::Layout() {
    Measure();
    const WidgetStyle::Panel& style = Style().m_Panel;
    const cVec2 origin = m_Parent ? cVec2{m_Parent->m_Content.x0, m_Parent->m_Content.y1} : kZeroVec2;
    cRect rect = m_Measured, header = m_HeaderRect, toggle = m_ToggleRect;
    for (cRect* r : {&rect, &header, &toggle})
        if (!r->IsEmpty()) {
            r->Move(origin.x, origin.y);
            *r = Rounded(*r);
        }
    m_Rect = rect;
    if (m_Open) {
        const float* inset = style.m_ClientInsets;
        const float top = m_HeaderHidden ? m_Rect.y1 : m_Rect.y1 - style.m_HeaderHeight;
        m_Client = {m_Rect.x0 + inset[0], m_Rect.y0 + inset[3], m_Rect.x1 - inset[2], top - inset[1]};
    } else {
        m_Client = cRect::Empty();
    }
    cWnd::Layout();
    // Hit tests use these, in the GUI space of every other control.
    const cRect clip = m_Parent ? m_Parent->m_ChildClip : m_Rect;
    m_HeaderRect = header.IsEmpty() ? header : Intersect(header, clip);
    m_ToggleRect = toggle.IsEmpty() ? toggle : Intersect(toggle, clip);
    if (m_Open)
        Arrange();
}

void cPanel::Arrange() {
    const WidgetStyle& style = Style();
    const WidgetStyle::Panel& panel = style.m_Panel;
    float split;
    if (panel.m_HalfSplit) {
        split = RoundPixel(m_Content.Width() / 2);
    } else {
        const float root = m_RootWindow ? m_RootWindow->m_Client.Width() : 0;
        const float byRatio = RoundPixel(panel.m_CaptionRatio * root);
        split = (byRatio > style.m_MinCaptionWidth ? byRatio : style.m_MinCaptionWidth) -
                float(m_Depth - 1) * panel.m_NestingIndent;
    }
    float y = 0;
    bool atTop = true, afterPanel = false;
    for (int i = 0; i < m_Children.Count(); ++i) {
        cWnd* child = dynamic_cast<cWnd*>(m_Children[i]);
        if (!child || !child->m_VisibleFlag)
            continue;
        const bool isPanel = IsPanel(child);
        if (isPanel && atTop)
            y -= panel.m_Margin;
        else if (isPanel && afterPanel)
            y -= style.m_RowSpacing;
        child->m_LayoutX = split;
        child->m_LayoutY = y;
        child->m_Align = panel.m_HalfSplit;
        const cRect r = child->GetRect();
        if (r.IsEmpty())
            continue;
        y -= r.Height() + style.m_RowSpacing;
        atTop = false;
        afterPanel = isPanel;
    }
}

bool cPanel::OnHeader() const { return m_HeaderRect.Contains(CursorPosition) || m_ToggleRect.Contains(CursorPosition); }

void cPanel::Toggle() {
    m_Open = !m_Open;
    if (m_Parent)
        m_Parent->OnNotify(FindWidgetHandle(this), kNotifyPanelToggled, nullptr, nullptr);
}

bool cPanel::OnKeyDown(KeyCode code) {
    if (!IsVisible() || m_HeaderHidden)
        return false;
    if (HoldsCapture(this))
        return true;
    const WidgetStyle::Panel& style = Style().m_Panel;
    bool acts = false;
    if (code == kKeyEnter || code == kKeySpace || code == kKeyPadA) {
        acts = IsFocused(this);
    } else if (code == kKeyLeftButton) {
        acts = OnHeader();
    } else if (code == kKeyRightButton) {
        if (OnHeader() && (style.m_FixedFocus || !m_Fixed))
            TakeFocus();
        return false;
    }
    if (!acts)
        return false;
    if (m_Parent && !m_Parent->IsActive())
        m_Parent->Activate();
    TakeFocus();
    if (!m_Fixed && !style.m_ToggleOnRelease)
        Toggle();
    TakeCapture(this);
    m_PressFade.m_Target = style.m_PressValue;
    m_PressedCode = code;
    return true;
}

bool cPanel::OnKeyUp(KeyCode code) {
    if (!HoldsCapture(this))
        return false;
    if (code != m_PressedCode)
        return true;
    const WidgetStyle::Panel& style = Style().m_Panel;
    if (OnHeader() || code != kKeyLeftButton) {
        m_PressFade.m_Target = style.m_ReleaseValue;
        if (style.m_ToggleOnRelease && !m_Fixed)
            Toggle();
    }
    ReleaseWidgetCapture();
    m_PressedCode = -1;
    return true;
}

bool cPanel::UpdateHover(bool covered) {
    const WidgetStyle& style = Style();
    const bool held = HoldsCapture(this);
    const bool hovered = !covered && IsVisible() && !m_HeaderHidden && (held || OnHeader());
    const bool focused = HasKeyFocus(this);
    m_Highlight.m_Target = hovered || focused ? 1.0f : 0.0f;
    // A held header keeps the press value its press gave it.
    if (!held)
        m_PressFade.m_Target = hovered || focused ? style.m_Panel.m_HoverValue : style.m_Panel.m_NormalValue;
    if (style.m_FocusFollowsHover && hovered && !IsFocused(this) && m_Parent && m_Parent->IsActive() &&
        CapturedWidget == -1 && (!m_Fixed || style.m_Panel.m_FixedFocus))
        SetFocus(this);
    return hovered;
}

void cPanel::Update() {
    if (!m_Parent || m_Parent->m_Content.IsEmpty())
        return;
    Layout();
    const float rate = Style().m_HoverFadeRate, delta = FrameClock.m_FrameDelta;
    m_PressFade.Step(rate, delta);
    m_Highlight.Step(rate, delta);
    AnimateFades();
    WidgetStyle* style = GetStyle();
    if (!style || m_HeaderHidden)
        return;
    WidgetDrawItem item;
    FillCommonItem(item);
    item.m_Clip = m_Parent->m_ChildClip;
    item.m_Kind = kItemPanelHeader;
    item.m_Rect = {m_Rect.x0, m_Rect.y1 - Style().m_Panel.m_HeaderHeight, m_Rect.x1, m_Rect.y1};
    item.m_CaptionRect = m_ToggleRect;
    item.m_Text = m_Caption;
    item.m_Checked = m_Open;
    item.m_Pressed = HoldsCapture(this);
    item.m_KeyFocus = HasKeyFocus(this);
    item.m_HoverFade = m_Highlight.m_Value;
    item.m_ValueFade = m_PressFade.m_Value;
    item.m_Enabled = IsEnabled();
    item.m_EnabledFade = m_EnabledFade.m_Value;
    style->DrawItem(&item);
    if (!m_Open)
        return;
    item.m_Kind = kItemPanelClient;
    item.m_Rect = m_Client;
    style->DrawItem(&item);
}

}  // namespace tovan
