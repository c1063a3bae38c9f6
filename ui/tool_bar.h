// cToolBar: a strip along the top of a form's client area (the form's extra
// widget) whose children sit side by side, and which scrolls sideways by a
// middle-button drag when they do not fit. It draws nothing itself; its
// Measure does nothing and its GetRect is empty, so a form's content extent
// leaves it out.
#pragma once
#include <cstdint>

#include "core/rect.h"
#include "core/str.h"
#include "ui/wnd.h"

namespace tovan {

inline constexpr int kToolBarType = 12;

class cToolBar : public cWnd {
public:
    explicit cToolBar(cWnd* parent);

    bool OnKeyDown(KeyCode code) override;
    bool OnKeyUp(KeyCode code) override;
    bool OnMouseMove() override;
    bool UpdateHover(bool covered) override;
    bool GetCursorShape(int* shape) override;
    void Update() override;
    int GetType() override { return kToolBarType; }
    void Layout() override;

    float m_Offset = 0;  // <= 0
    float m_MinOffset = 0;
    float m_DragOffset = 0, m_DragCursorX = 0;
    float m_NextX = 0, m_NextY = 0;

private:
    void Arrange();
};

}  // namespace tovan
