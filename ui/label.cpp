// cLabel: a caption and a value box measured from the style, showing the
// bound text, the enum name of the bound int, or the int itself.
#include "ui/label.h"

#include "classes/registry.h"
#include "io/font.h"
#include "ui/control.h"
#include "ui/rect_ops.h"
#include "ui/widget_style.h"

namespace tovan {

namespace {
cRect Rounded(const cRect& r) { return {RoundPixel(r.x0), RoundPixel(r.y0), RoundPixel(r.x1), RoundPixel(r.y1)}; }

cRect Bounds(const cRect& a, const cRect& b) {
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return {a.x0 < b.x0 ? a.x0 : b.x0, a.y0 < b.y0 ? a.y0 : b.y0, a.x1 > b.x1 ? a.x1 : b.x1, a.y1 > b.y1 ? a.y1 : b.y1};
}
}  // namespace

cLabel::cLabel(cWnd* parent, const cStr* text, const int32_t* value, const cEnum* names, const char* caption, float x,
               float y)
    : cWnd(parent), m_Text(text), m_Value(value), m_Names(names) {
    StartControl(*this);
    m_Caption.SetText(caption);
    m_LayoutX = x;
    m_LayoutY = y;
    m_Align = 0;
}

cStr cLabel::ValueText() const {
    cStr text;
    if (m_Text) {
        text = *m_Text;
    } else if (m_Names) {
        const cNameIndex& labels = m_Names->m_Labels;
        for (int i = 0; m_Value && i < labels.Count(); ++i)
            if (labels.At(i).index == *m_Value) {
                text = labels.At(i).name;
                break;
            }
    } else if (m_Value) {
        text.AppendInt(*m_Value);
    }
    return text;  // nothing bound: empty
}

void cLabel::Measure() {
    const WidgetStyle::Label& style = Style().m_Label;
    const float h = style.m_Height;
    m_ValueRect = {0, -h, 2 * style.m_InnerMargin + style.m_MinWidth, 0};
    m_ValueRect.MoveAnchorTo(m_Align, m_LayoutX, m_LayoutY);
    if (m_Caption.IsEmpty()) {
        m_CaptionRect = cRect::Empty();
    } else {
        const cRect text = DrawText(style.m_Font, 0, m_Caption.GetText(), 0, kTextNoQuads, nullptr);
        const float width = text.x1 - text.x0 + 2 * style.m_TextMargin;
        m_CaptionRect = {m_ValueRect.x0 - width, m_ValueRect.y1 - h, m_ValueRect.x0, m_ValueRect.y1};
    }
    m_Measured = Bounds(m_CaptionRect, m_ValueRect);
}

void cLabel::Layout() {
    Measure();
    const cVec2 origin = m_Parent ? cVec2{m_Parent->m_Content.x0, m_Parent->m_Content.y1} : kZeroVec2;
    for (cRect* r : {&m_ValueRect, &m_CaptionRect})
        if (!r->IsEmpty()) {
            r->Move(origin.x, origin.y);
            *r = Rounded(*r);
        }
    m_Rect = Bounds(m_CaptionRect, m_ValueRect);
}

void cLabel::Update() {
    if (!m_Parent || m_Parent->m_Content.IsEmpty())
        return;
    Layout();
    AnimateFades();
    WidgetStyle* style = GetStyle();
    if (!style)
        return;
    WidgetDrawItem item;
    item.m_Kind = kItemLabel;
    item.m_Clip = m_Parent->m_ChildClip;
    item.m_Rect = m_ValueRect;
    item.m_CaptionRect = m_CaptionRect;
    item.m_Text = m_Caption;
    item.m_Text2 = ValueText();
    item.m_Enabled = IsEnabled();
    item.m_EnabledFade = m_EnabledFade.m_Value;
    item.m_Visible = IsVisible();
    item.m_VisibleFade = m_VisibleFade.m_Value;
    item.m_ActiveFade = m_Parent->GetActiveFade();
    item.m_Opacity = m_Parent->GetOpacity();
    style->DrawItem(&item);
}

}  // namespace tovan
