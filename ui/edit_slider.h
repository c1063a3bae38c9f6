// cEditSlider: a number edit with a slider beside it, for one int or float
// with a range; the edit clamps what it commits to the range.
// cEditVec: one number edit per component of a 2-, 3- or 4-component float or
// int vector, side by side; only the first shows the caption. A count outside
// 2 to 4 is refused: the composite is made without edits and reports type 0.
//
// Both are composites: their children draw and take input themselves and
// tell the composite's parent their changes (codes 4 to 7).
#pragma once
#include <cstdint>

#include "ui/composite.h"
#include "ui/control.h"

namespace tovan {

class cEdit;
class cSlider;

class cEditSlider : public cComposite {
public:
    cEditSlider(cWnd* parent, int32_t* value, int32_t* minimum, int32_t* maximum, const char* caption);
    cEditSlider(cWnd* parent, float* value, float* minimum, float* maximum, const char* caption);

    int GetType() override { return kEditSliderType; }
    void Measure() override;

    cEdit* Edit() const;
    cSlider* Slider() const;
};

class cEditVec : public cComposite {
public:
    cEditVec(int count, cWnd* parent, float* first, const char* caption);
    cEditVec(int count, cWnd* parent, int32_t* first, const char* caption);

    int GetType() override { return m_Count ? kEditVec2Type + m_Count - 2 : 0; }
    void Measure() override;

    cEdit* ComponentEdit(int index) const;

    int32_t m_Count = 0;  // 2 to 4; 0 when refused

private:
    template <class T>
    void AddEdits(int count, cWnd* parent, T* first, const char* caption);
};

}  // namespace tovan
