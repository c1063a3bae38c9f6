#include "tests/support/fixed_view.h"

namespace tovan::test {

namespace {
cVec4 Column(const cMat4& m, int j) { return {m.m[0][j], m.m[1][j], m.m[2][j], m.m[3][j]}; }
}  // namespace

FixedView::FixedView(const cRect& viewport, const Camera& camera, bool orthographic, float scale)
    : m_Previous(CurrentView) {
    const cVec3 forward = Normalize(camera.forward);
    const cVec3 right = Normalize(Cross(camera.up, forward));
    const cVec3 up = Cross(forward, right);
    m_CameraPosition = camera.position;
    m_Viewport = viewport;
    m_Orthographic = orthographic ? 1 : 0;
    m_Forward = forward;
    m_Right = right;
    m_Up = up;

    cMat4 view;  // world to camera axes (right, up, forward)
    for (int i = 0; i < 3; ++i) {
        view.m[i][0] = right[i];
        view.m[i][1] = up[i];
        view.m[i][2] = forward[i];
        view.m[i][3] = 0;
    }
    const cVec3& c = camera.position;
    view.m[3][0] = -Dot(c, right);
    view.m[3][1] = -Dot(c, up);
    view.m[3][2] = -Dot(c, forward);
    view.m[3][3] = 1;

    const cVec2 centre = viewport.Centre();
    const float n = camera.nearPlane, f = camera.farPlane;
    cMat4 projection;
    projection.SetZero();
    projection.m[0][0] = scale;
    projection.m[1][1] = scale;
    if (orthographic) {
        projection.m[2][2] = 1 / (f - n);
        projection.m[3][0] = centre.x;
        projection.m[3][1] = centre.y;
        projection.m[3][2] = -n / (f - n);
        projection.m[3][3] = 1;
    } else {
        projection.m[2][0] = centre.x;
        projection.m[2][1] = centre.y;
        projection.m[2][2] = f / (f - n);
        projection.m[2][3] = 1;
        projection.m[3][2] = -f * n / (f - n);
    }
    m_ViewProjection = view * projection;
    m_ViewProjection.Invert(m_InverseViewProjection);

    // GUI x within the viewport's x0..x1 (times w), y likewise, z within 0..w.
    const cVec4 x = Column(m_ViewProjection, 0), y = Column(m_ViewProjection, 1);
    const cVec4 z = Column(m_ViewProjection, 2), w = Column(m_ViewProjection, 3);
    m_Frustum[0] = x - w * viewport.x0;
    m_Frustum[1] = w * viewport.x1 - x;
    m_Frustum[2] = y - w * viewport.y0;
    m_Frustum[3] = w * viewport.y1 - y;
    m_Frustum[4] = z;
    m_Frustum[5] = w - z;
    CurrentView = this;
}

FixedView FixedView::Orthographic(const cRect& viewport, const Camera& camera, float scale) {
    return FixedView(viewport, camera, true, scale);
}

FixedView FixedView::Perspective(const cRect& viewport, const Camera& camera, float focal) {
    return FixedView(viewport, camera, false, focal);
}

FixedView::~FixedView() { CurrentView = m_Previous; }

bool FixedView::Inside(const cVec3& p) const {
    for (const cVec4& plane : m_Frustum)
        if (plane.x * p.x + plane.y * p.y + plane.z * p.z + plane.w < 0)
            return false;
    return true;
}

}  // namespace tovan::test
