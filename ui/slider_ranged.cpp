// cSliderRanged: a value edit, a minimum and a maximum edit kept ordered, and
// a slider under them.
#include "ui/edit.h"
#include "ui/slider.h"
#include "ui/widget_style.h"

namespace tovan {

cSliderRanged::cSliderRanged(cWnd* parent, int32_t* value, int32_t* minimum, int32_t* maximum, const char* caption)
    : cComposite(parent) {
    cEdit* edit = Adopt(new cEdit(parent, value, caption, 0, 0));
    edit->m_IntMin = minimum;
    edit->m_IntMax = maximum;
    Adopt(new cEdit(parent, minimum, "", 0, 0));
    Adopt(new cEdit(parent, maximum, "", 0, 0));
    Adopt(new cSlider(parent, value, minimum, maximum, "", 0, 0));
    Link();
}

cSliderRanged::cSliderRanged(cWnd* parent, float* value, float* minimum, float* maximum, const char* caption)
    : cComposite(parent) {
    cEdit* edit = Adopt(new cEdit(parent, value, caption, 0, 0));
    edit->m_FloatMin = minimum;
    edit->m_FloatMax = maximum;
    Adopt(new cEdit(parent, minimum, "", 0, 0));
    Adopt(new cEdit(parent, maximum, "", 0, 0));
    Adopt(new cSlider(parent, value, minimum, maximum, "", 0, 0));
    Link();
}

void cSliderRanged::Link() {
    MinEdit()->m_LinkedMax = MaxEdit();
    MaxEdit()->m_LinkedMin = MinEdit();
}

cEdit* cSliderRanged::ValueEdit() const { return dynamic_cast<cEdit*>(Child(0)); }
cEdit* cSliderRanged::MinEdit() const { return dynamic_cast<cEdit*>(Child(1)); }
cEdit* cSliderRanged::MaxEdit() const { return dynamic_cast<cEdit*>(Child(2)); }
cSlider* cSliderRanged::Slider() const { return dynamic_cast<cSlider*>(Child(3)); }

void cSliderRanged::Measure() {
    cEdit* value = ValueEdit();
    cEdit* minimum = MinEdit();
    cEdit* maximum = MaxEdit();
    cSlider* slider = Slider();
    if (!value || !minimum || !maximum || !slider)
        return;  // a child was taken down by its owner
    const WidgetStyle& style = Style();
    const float box = 2 * style.m_Edit.m_Margin + style.m_Edit.m_NumberWidth;
    auto place = [this](cWnd* child, float x, float y) {
        child->m_LayoutX = x;
        child->m_LayoutY = y;
        child->m_Align = m_Align;
        child->Measure();
    };
    place(value, m_LayoutX, m_LayoutY);
    place(maximum, m_LayoutX + style.m_Slider.m_Width - box, m_LayoutY);
    place(minimum, m_LayoutX + style.m_Slider.m_Width - 2 * maximum->GetExtent() - style.m_ControlGap, m_LayoutY);
    const cRect valueRect = value->GetRect();
    const float valueHeight = valueRect.IsEmpty() ? style.m_Edit.m_Height : valueRect.Height();
    place(slider, m_LayoutX, m_LayoutY - (valueHeight + style.m_RowSpacing));
    m_Whole = UnionRect(value->GetRect(), slider->GetRect());
}

}  // namespace tovan
