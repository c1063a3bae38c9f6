// cLabel: a read-only caption beside a box showing a bound value. Item 44: the
// value box as the rectangle, the caption's in m_CaptionRect, the caption in
// m_Text and the value in m_Text2.
#pragma once
#include <cstdint>

#include "core/rect.h"
#include "core/str.h"
#include "ui/wnd.h"

namespace tovan {

struct cEnum;

inline constexpr int kLabelType = 20;
inline constexpr int kItemLabel = 44;

class cLabel : public cWnd {
public:
    // Shows the bound text, else the enum name of the bound int, else the int.
    cLabel(cWnd* parent, const cStr* text, const int32_t* value, const cEnum* names, const char* caption, float x,
           float y);

    void Update() override;
    int GetType() override { return kLabelType; }
    cRect GetRect() override { return m_Measured; }
    void Measure() override;
    void Layout() override;

    cStr ValueText() const;

    cStr m_Caption;
    const cStr* m_Text = nullptr;
    const int32_t* m_Value = nullptr;
    const cEnum* m_Names = nullptr;
    cRect m_CaptionRect, m_ValueRect;
    cRect m_Measured;
};

}  // namespace tovan
