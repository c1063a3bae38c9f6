// cEditSlider and cEditVec: their children, and where they go each frame.
#include "ui/edit_slider.h"

#include "core/log.h"
#include "ui/edit.h"
#include "ui/slider.h"
#include "ui/widget_style.h"

namespace tovan {

namespace {
// Moves a child to (x, y) at the composite's anchor and measures it there.
void Place(cWnd& child, float x, float y, int align) {
    child.m_LayoutX = x;
    child.m_LayoutY = y;
    child.m_Align = align;
    child.Measure();
}
}  // namespace

cEditSlider::cEditSlider(cWnd* parent, int32_t* value, int32_t* minimum, int32_t* maximum, const char* caption)
    : cComposite(parent) {
    cEdit* edit = Adopt(new cEdit(parent, value, caption, 0, 0));
    edit->m_IntMin = minimum;
    edit->m_IntMax = maximum;
    Adopt(new cSlider(parent, value, minimum, maximum, "", 0, 0))->m_Embedded = true;
}

cEditSlider::cEditSlider(cWnd* parent, float* value, float* minimum, float* maximum, const char* caption)
    : cComposite(parent) {
    cEdit* edit = Adopt(new cEdit(parent, value, caption, 0, 0));
    edit->m_FloatMin = minimum;
    edit->m_FloatMax = maximum;
    Adopt(new cSlider(parent, value, minimum, maximum, "", 0, 0))->m_Embedded = true;
}

cEdit* cEditSlider::Edit() const { return dynamic_cast<cEdit*>(Child(0)); }
cSlider* cEditSlider::Slider() const { return dynamic_cast<cSlider*>(Child(1)); }

void cEditSlider::Measure() {
    cEdit* edit = Edit();
    cSlider* slider = Slider();
    if (!edit || !slider)
        return;
    const WidgetStyle& style = Style();
    const float box = 2 * style.m_Edit.m_Margin + style.m_Edit.m_NumberWidth;
    Place(*slider, m_LayoutX + box + style.m_ControlGap, m_LayoutY, m_Align);
    const cRect sliderRect = slider->GetRect();
    const float sliderHeight = sliderRect.IsEmpty() ? style.m_Slider.m_Height : sliderRect.Height();
    // Centred on the slider's height.
    Place(*edit, m_LayoutX, m_LayoutY - sliderHeight / 2 + style.m_Edit.m_Height / 2, m_Align);
    m_Whole = UnionRect(edit->GetRect(), slider->GetRect());
}

template <class T>
void cEditVec::AddEdits(int count, cWnd* parent, T* first, const char* caption) {
    if (count < 2 || count > 4 || !first) {
        Log("A vector edit of %d components is refused: 2 to 4 are made", count);
        return;
    }
    m_Count = count;
    for (int i = 0; i < count; ++i)
        Adopt(new cEdit(parent, first + i, i == 0 ? caption : "", 0, 0));
}

cEditVec::cEditVec(int count, cWnd* parent, float* first, const char* caption) : cComposite(parent) {
    AddEdits(count, parent, first, caption);
}

cEditVec::cEditVec(int count, cWnd* parent, int32_t* first, const char* caption) : cComposite(parent) {
    AddEdits(count, parent, first, caption);
}

cEdit* cEditVec::ComponentEdit(int index) const { return dynamic_cast<cEdit*>(Child(index)); }

void cEditVec::Measure() {
    const WidgetStyle& style = Style();
    const float step = 2 * style.m_Edit.m_Margin + style.m_Edit.m_NumberWidth + style.m_ControlGap;
    cEdit* firstEdit = ComponentEdit(0);
    cEdit* lastEdit = firstEdit;
    float x = m_LayoutX;
    for (int i = 0; i < m_Children.Count(); ++i, x += step) {
        if (cEdit* edit = ComponentEdit(i)) {
            Place(*edit, x, m_LayoutY, m_Align);
            lastEdit = edit;
        }
    }
    m_Whole = firstEdit ? UnionRect(firstEdit->GetRect(), lastEdit->GetRect()) : cRect{0, 0, 0, 0};
}

}  // namespace tovan
