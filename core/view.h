// cView: the current camera and viewport, filled by the host and read-only to
// the framework, which keeps no copy beyond the pointer CurrentView.
#pragma once
#include <cstdint>

#include "core/mat.h"
#include "core/ray.h"
#include "core/rect.h"
#include "core/vec.h"

namespace tovan {

class cView {
public:
    cVec3 m_CameraPosition;
    cRect m_Viewport;  // in GUI space: forms dock to it, overlays use its size
    // Set: view-facing shapes use m_Forward; clear: the direction from the camera.
    uint8_t m_Orthographic = 0;
    cVec3 m_Forward{0, 0, 1};
    cVec3 m_Right{1, 0, 0};
    cVec3 m_Up{0, 1, 0};
    // World to GUI space: the row vector (x, y, z, 1) times the matrix, divided
    // by w when w is not 1.
    cMat4 m_ViewProjection;
    cMat4 m_InverseViewProjection;  // GUI space back to world, for pick rays
    // Frustum planes (a, b, c, d): a point with a x + b y + c z + d < 0 lies outside.
    cVec4 m_Frustum[6];

    // The world ray under a GUI point: the point unprojected at depth 0 with the
    // inverse view-projection, running along the view direction (orthographic)
    // or away from the camera (perspective). Returns out.
    cRay& ScreenPointToRay(cRay& out, const cVec2& point) const;
};

// Set by the host before the first frame; null until then.
extern cView* CurrentView;

}  // namespace tovan
