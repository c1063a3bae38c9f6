// cWnd: construction, ownership of children, and the operations a window
// forwards up its parent chain.
#include "ui/wnd.h"

#include "ui/widget_style.h"

namespace tovan {

namespace {
// Stands in while a window has no style, so that layout and input read zeros.
class ZeroStyle : public WidgetStyle {
public:
    void DrawItem(WidgetDrawItem*) override {}
};
}  // namespace

void cFade::Step(float rate, float delta) {
    const float gap = m_Target - m_Value;
    const float step = rate * delta;
    if (!(step > 0))
        return;
    m_Value = gap > step ? m_Value + step : gap < -step ? m_Value - step : m_Target;
}

cWnd::cWnd(cWnd* parent) : m_Parent(parent) {}

cWnd::~cWnd() {
    // Out of the parent's list first, so nothing reaches this window through it.
    // A window its holder's destructor took out is in no list: no search.
    for (cWnd* holder : {m_Parent, m_Owner}) {
        const int at = holder && m_Listings > 0 ? holder->m_Children.Find(this) : -1;
        if (at >= 0) {
            holder->m_Children.RemoveAt(at);
            --m_Listings;
        }
    }
    while (!m_Children.IsEmpty()) {
        cWidget* child = m_Children[m_Children.Count() - 1];
        m_Children.RemoveAt(m_Children.Count() - 1);
        const WidgetHandle handle = FindWidgetHandle(child);
        // Only a registered child is surely alive to be told; an unregistered
        // one keeps a count too high, which costs it a search and nothing else.
        if (handle != -1)
            if (cWnd* wnd = dynamic_cast<cWnd*>(child))
                --wnd->m_Listings;
        RemoveWidgetNow(handle, true);
    }
    if (m_Extra) {
        cWidget* extra = m_Extra;
        m_Extra = nullptr;
        RemoveWidgetNow(FindWidgetHandle(extra), true);
    }
    if (m_Parent)
        m_Parent->OnChildRemoved(this);
    m_Children.Free();
}

int cWnd::GetType() { return 0; }

void cWnd::OnNotify(WidgetHandle source, int code, const void* oldValue, const void* newValue) {
    if (m_Parent)
        m_Parent->OnNotify(source, code, oldValue, newValue);
}

void cWnd::Activate() {
    if (m_Parent)
        m_Parent->Activate();
}

bool cWnd::IsActive() { return m_Parent && m_Parent->IsActive(); }
int cWnd::GetExpandState() { return m_Parent ? m_Parent->GetExpandState() : 2; }
float cWnd::GetActiveFade() { return m_Parent ? m_Parent->GetActiveFade() : m_ActiveFade.m_Value; }
float cWnd::GetOpacity() { return m_Parent ? m_Parent->GetOpacity() : 1.0f; }
cRect cWnd::GetRect() { return cRect::Empty(); }
bool cWnd::HasKeyFocus(cWidget* widget) { return m_Parent && m_Parent->HasKeyFocus(widget); }
bool cWnd::IsFocused(cWidget* widget) { return m_Parent && m_Parent->IsFocused(widget); }

void cWnd::SetFocus(cWidget* widget) {
    if (m_Parent)
        m_Parent->SetFocus(widget);
}

void cWnd::OnChildRemoved(cWidget* widget) {
    if (m_Parent)
        m_Parent->OnChildRemoved(widget);
}

float cWnd::GetExtent() { return 0.0f; }
void cWnd::Measure() {}
void cWnd::TakeFocus() { SetFocus(this); }
bool cWnd::AcceptsFocus() { return false; }
void cWnd::SetAcceptsFocus(bool) {}
void cWnd::FocusNext(bool) {}
float cWnd::GetArrowStep() { return Style().m_ArrowStep; }
float cWnd::GetWheelStep() { return Style().m_WheelStep; }

bool cWnd::IsVisible() const {
    for (const cWnd* w = this; w; w = w->m_Parent)
        if (!w->m_VisibleFlag)
            return false;
    return true;
}

bool cWnd::IsEnabled() const {
    for (const cWnd* w = this; w; w = w->m_Parent)
        if (!w->m_EnabledFlag)
            return false;
    return true;
}

cWnd* cWnd::GetRoot() {
    cWnd* root = this;
    while (root->m_Parent)
        root = root->m_Parent;
    return root;
}

WidgetStyle* cWnd::GetStyle() const {
    const cWnd* root = this;
    while (root->m_Parent)
        root = root->m_Parent;
    return root->m_Style;
}

const WidgetStyle& cWnd::Style() const {
    static const ZeroStyle zero;
    if (m_Style)
        return *m_Style;
    const WidgetStyle* root = GetStyle();
    return root ? *root : zero;
}

WidgetHandle cWnd::AddChild(cWidget* child) {
    if (!child)
        return -1;
    WidgetHandle handle = FindWidgetHandle(child);
    if (handle == -1) {
        const WidgetHandle rootHandle = FindWidgetHandle(GetRoot());
        handle = AddWidget(child, rootHandle == -1 ? kFormLayer : WidgetLayer(rootHandle));
    }
    cWnd* wnd = dynamic_cast<cWnd*>(child);
    // A window in no child list cannot be in this one: a new row needs no search.
    const bool listed = (!wnd || wnd->m_Listings > 0) && m_Children.Find(child) >= 0;
    if (!listed) {
        m_Children.PushBack(child);
        if (wnd)
            ++wnd->m_Listings;
    }
    return handle;
}

bool cWnd::IsFramePart() const { return m_DragPart >= kPartLeftEdge && m_DragPart <= kPartTopRight; }

bool cWnd::IsScrollPart() const {
    return IsFramePart() || (m_DragPart >= kPartVThumb && m_DragPart <= kPartArrowRight) || m_DragPart == kPartPan;
}

void cWnd::OnBringToFront() {
    // Children are brought forward with their window, so they stay in front of it.
    for (int i = 0; i < m_Children.Count(); ++i)
        BringWidgetToFront(FindWidgetHandle(m_Children[i]));
    if (m_Extra)
        BringWidgetToFront(FindWidgetHandle(m_Extra));
}

}  // namespace tovan
