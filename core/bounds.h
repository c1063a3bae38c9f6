// Axis-aligned boxes and bounding spheres.
#pragma once
#include "core/vec.h"

namespace tovan {

class cBounds {
public:
    cBounds() = default;  // empty: any point extends it
    cBounds(const cVec3& min, const cVec3& max) : m_Min(min), m_Max(max) {}
    // Min and max over the points; no points gives the empty box.
    cBounds(const cVec3* points, int count);
    virtual ~cBounds() = default;
    cBounds(const cBounds&) = default;
    cBounds& operator=(const cBounds&) = default;

    bool IsEmpty() const { return m_Min.x > m_Max.x || m_Min.y > m_Max.y || m_Min.z > m_Max.z; }
    void SetEmpty() { *this = cBounds(); }
    void Add(const cVec3& point);
    cVec3 Centre() const { return (m_Min + m_Max) * 0.5f; }
    // (max,min,min), (min,min,min), (min,max,min), (max,max,min), then the same at max z.
    void GetCorners(cVec3 corners[8]) const;

    cVec3 m_Min{kFloatMax, kFloatMax, kFloatMax};
    cVec3 m_Max{-kFloatMax, -kFloatMax, -kFloatMax};
};

struct cSphere {
    cVec3 centre;
    float radius = 0;
};

// Centre of the four points' box; radius to the farthest of them.
cSphere GetBoundingSphere(const cVec3 points[4]);

}  // namespace tovan
