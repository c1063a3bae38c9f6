// cForm: construction, the top-level form list, activation and the keyboard
// focus that the controls inside a form ask about.
#include "ui/form.h"

#include "ui/control.h"
#include "ui/panel.h"
#include "ui/tool_bar.h"
#include "ui/widget_style.h"

namespace tovan {

cList<cForm*> FormList;

int32_t AddToFormList(cForm* form) { return FormList.PushBack(form); }

bool RemoveFromFormList(cForm* form) {
    const int at = FormList.Find(form);
    if (at < 0)
        return false;
    FormList.RemoveAt(at);
    return true;
}

namespace {

template <class T>
void MoveToEnd(cList<T>& list, const T& item) {
    const int at = list.Find(item);
    if (at < 0 || at == list.Count() - 1)
        return;
    list.RemoveAt(at);
    list.PushBack(item);
}

void Collect(cWnd& parent, cList<cWidget*>& out, bool skipClosedPanels) {
    for (int i = 0; i < parent.m_Children.Count(); ++i) {
        cWidget* child = parent.m_Children[i];
        out.PushBack(child);
        cWnd* wnd = dynamic_cast<cWnd*>(child);
        if (!wnd)
            continue;
        if (skipClosedPanels && wnd->GetType() == kPanelType && !static_cast<cPanel*>(wnd)->m_Open)
            continue;
        Collect(*wnd, out, skipClosedPanels);
    }
}

bool IsWithin(const cWnd* wnd, const cWidget* ancestor) {
    for (const cWnd* w = wnd; w; w = w->m_Parent)
        if (w == ancestor)
            return true;
    return false;
}

bool Qualifies(cWidget* widget) {
    cWnd* wnd = dynamic_cast<cWnd*>(widget);
    return wnd && wnd->IsVisible() && (wnd->IsEnabled() || wnd->GetType() == kPanelType) && wnd->AcceptsFocus();
}

// The least move of [lo, hi] that brings [from, to] inside it; the lower end
// wins when it does not fit.
float Shift(float from, float to, float lo, float hi, bool lowerWins) {
    float d = 0;
    if (lowerWins) {
        if (to + d > hi)
            d = hi - to;
        if (from + d < lo)
            d = lo - from;
    } else {
        if (from + d < lo)
            d = lo - from;
        if (to + d > hi)
            d = hi - to;
    }
    return d;
}

}  // namespace

cForm::cForm(cWnd* parent) : cWnd(parent) {
    StartControl(*this);
    m_VisibleFade.m_Value = 0;  // a form fades in
    m_EnabledFade.m_Value = 1;
    m_VScroll = m_HScroll = true;
    m_Scroll = {0, 0, 0, 0};
    m_WheelScrolls = m_MiddlePan = true;
    m_FrameResizable = true;
    if (!parent)
        AddToFormList(this);
}

cForm::~cForm() { RemoveFromFormList(this); }

void cForm::Activate() {
    if (m_Parent) {
        MoveToEnd(m_Parent->m_Children, static_cast<cWidget*>(this));
        m_Parent->Activate();
        return;
    }
    MoveToEnd(FormList, this);
    BringWidgetToFront(FindWidgetHandle(this));
}

bool cForm::IsActive() {
    if (m_Closed)
        return false;
    if (!m_Parent)
        return !FormList.IsEmpty() && FormList[FormList.Count() - 1] == this;
    const cList<cWidget*>& siblings = m_Parent->m_Children;
    return !siblings.IsEmpty() && siblings[siblings.Count() - 1] == this && m_Parent->IsActive();
}

float cForm::GetOpacity() { return MovedOrResized() ? Style().m_Form.m_DragOpacity : 1.0f; }

bool cForm::MovedOrResized() const { return m_DragPart == kPartSizeGrip || m_DragPart == kPartTitle || IsFramePart(); }

bool cForm::IsFocused(cWidget* widget) {
    if (!widget || widget != m_Focused || !IsActive())
        return false;
    const cWnd* wnd = dynamic_cast<const cWnd*>(widget);
    return !wnd || wnd->IsVisible();
}

bool cForm::HasKeyFocus(cWidget* widget) {
    if (!IsFocused(widget))
        return false;
    const cWnd* wnd = dynamic_cast<const cWnd*>(widget);
    return !wnd || wnd->IsEnabled();
}

void cForm::OnChildRemoved(cWidget* widget) {
    if (widget && widget == m_Focused)
        m_Focused = nullptr;
}

void cForm::CollectDescendants(cList<cWidget*>& out, bool skipClosedPanels) { Collect(*this, out, skipClosedPanels); }

void cForm::FocusNext(bool forward) {
    cList<cWidget*> candidates;
    if (cWnd* bar = dynamic_cast<cWnd*>(m_Extra))
        Collect(*bar, candidates, true);
    CollectDescendants(candidates, true);
    const int count = candidates.Count();
    const int at = m_Focused ? candidates.Find(m_Focused) : -1;
    int chosen = -1;
    if (forward) {
        for (int i = at + 1; i < count && chosen < 0; ++i)
            if (Qualifies(candidates[i]))
                chosen = i;
        for (int i = 0; i <= at && chosen < 0 && Style().m_Form.m_WrapFocus; ++i)
            if (Qualifies(candidates[i]))
                chosen = i;
    } else {
        const int start = at < 0 ? count : at;
        for (int i = start - 1; i >= 0 && chosen < 0; --i)
            if (Qualifies(candidates[i]))
                chosen = i;
        for (int i = count - 1; i >= start && chosen < 0 && Style().m_Form.m_WrapFocus; --i)
            if (Qualifies(candidates[i]))
                chosen = i;
    }
    if (chosen < 0)
        return;
    static_cast<cWnd*>(candidates[chosen])->TakeFocus();
    ScrollToFocus();
}

void cForm::ScrollToFocus() {
    cWnd* focused = dynamic_cast<cWnd*>(m_Focused);
    if (!focused)
        return;
    const float margin = Style().m_Form.m_FocusMargin;
    cRect r = focused->m_Rect;
    if (m_Extra && IsWithin(focused, m_Extra)) {
        cToolBar* bar = dynamic_cast<cToolBar*>(m_Extra);
        if (!bar)
            return;
        const float d = Shift(r.x0, r.x1, bar->m_Rect.x0 + margin, bar->m_Rect.x1 - margin, true);
        const float offset = bar->m_Offset + d;
        bar->m_Offset = offset > 0 ? 0 : offset < bar->m_MinOffset ? bar->m_MinOffset : offset;
        return;
    }
    if (focused->GetType() == kPanelType)  // its header only
        r.y0 = r.y1 - Style().m_Panel.m_HeaderHeight;
    ScrollBy(0, Shift(r.y0, r.y1, m_View.y0 + margin, m_View.y1 - margin, false));
    ScrollBy(Shift(r.x0, r.x1, m_View.x0 + margin, m_View.x1 - margin, true), 0);
    Layout();
}

}  // namespace tovan
