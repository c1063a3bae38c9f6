#include "core/bounds.h"

#include <algorithm>
#include <cmath>

namespace tovan {

cBounds::cBounds(const cVec3* points, int count) {
    if (!points || count < 1)
        return;
    m_Min = m_Max = points[0];
    for (int i = 1; i < count; ++i)
        Add(points[i]);
}

void cBounds::Add(const cVec3& p) {
    m_Min = {std::min(m_Min.x, p.x), std::min(m_Min.y, p.y), std::min(m_Min.z, p.z)};
    m_Max = {std::max(m_Max.x, p.x), std::max(m_Max.y, p.y), std::max(m_Max.z, p.z)};
}

void cBounds::GetCorners(cVec3 c[8]) const {
    const cVec3& a = m_Min;
    const cVec3& b = m_Max;
    c[0] = {b.x, a.y, a.z};
    c[1] = {a.x, a.y, a.z};
    c[2] = {a.x, b.y, a.z};
    c[3] = {b.x, b.y, a.z};
    c[4] = {b.x, a.y, b.z};
    c[5] = {a.x, a.y, b.z};
    c[6] = {a.x, b.y, b.z};
    c[7] = {b.x, b.y, b.z};
}

cSphere GetBoundingSphere(const cVec3 points[4]) {
    cSphere sphere;
    sphere.centre = cBounds(points, 4).Centre();
    float farthest = 0;
    for (int i = 0; i < 4; ++i) {
        const cVec3 d = points[i] - sphere.centre;
        farthest = std::max(farthest, Dot(d, d));
    }
    sphere.radius = std::sqrt(farthest);
    return sphere;
}

}  // namespace tovan
