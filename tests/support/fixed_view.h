// A fixed view for tests: a camera at a position looking along a direction,
// projecting world points into GUI space (pixels, y up) over a viewport. While
// it lives it is the CurrentView.
//
// Orthographic: one world unit is `scale` pixels; the viewport centre shows the
// camera's line of sight. Perspective: a point at distance d along the view
// direction and offset o across it lands o x focal / d pixels from the
// centre. GUI z runs 0 at the near plane to 1 at the far plane.
#pragma once
#include "core/view.h"

namespace tovan::test {

class FixedView : public cView {
public:
    struct Camera {
        cVec3 position;
        cVec3 forward{0, 0, 1};  // need not be unit
        cVec3 up{0, 1, 0};       // made perpendicular to forward
        float nearPlane = 0.1f;
        float farPlane = 1000;
    };

    static FixedView Orthographic(const cRect& viewport, const Camera& camera, float scale);
    static FixedView Perspective(const cRect& viewport, const Camera& camera, float focal);

    FixedView(const FixedView&) = delete;  // returned by the factories without a copy
    FixedView& operator=(const FixedView&) = delete;
    ~FixedView();

    // World point to GUI space, as the toolkit maps it.
    cVec3 Project(const cVec3& world) const { return m_ViewProjection.TransformPoint(world); }
    // True when the point lies inside all six frustum planes.
    bool Inside(const cVec3& world) const;

private:
    FixedView(const cRect& viewport, const Camera& camera, bool orthographic, float scale);
    cView* m_Previous;
};

}  // namespace tovan::test
