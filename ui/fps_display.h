// cFpsDisplay: the frame rate shown over the view, docked to a corner of the
// viewport (or its middles) and dragged with the left button to any other.
// "Paused" replaces the rate while the frame clock is paused. On a screen
// turned by a quarter (the home-button sides of the settings) the display
// lives in the turned frame: its cursor is RotatedCursorPosition and it draws
// under a quarter-turn UI transform.
#pragma once
#include <cstdint>

#include "core/rect.h"
#include "core/str.h"
#include "core/vec.h"
#include "ui/widget.h"

namespace tovan {

class cFpsDisplay : public cWidget {
public:
    // The offset is from the viewport's anchor point of `corner` (an anchor
    // code) to the display's own.
    cFpsDisplay(float offsetX, float offsetY, int corner);
    ~cFpsDisplay() override;

    bool OnKeyDown(KeyCode code) override;
    bool OnKeyUp(KeyCode code) override;
    bool OnMouseMove() override;
    void Update() override;
    bool UpdateHover(bool) override { return false; }
    bool GetCursorShape(int*) override { return false; }
    void OnBringToFront() override {}

    // "Paused", or the last rate counted with no decimals and " FPS".
    static cStr Text();

    cVec2 m_Offset;
    int32_t m_Corner = 0;
    cRect m_Placed;    // the last placed rectangle
    cRect m_TextRect;  // the text's extent grown by the margin, where it was drawn
    cVec2 m_DragStart;
    bool m_Dragging = false;
};

// Shared by every display: the last non-zero rate and the fade (0 to 1).
extern float FpsDisplayRate;
extern float FpsDisplayFade;

}  // namespace tovan
