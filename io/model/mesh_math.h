// Vector helpers the mesh operations share (internal to io/model).
#pragma once
#include <cmath>

#include "core/bounds.h"
#include "core/vec.h"

namespace tovan::mesh {

// Where a normal, tangent or bitangent cannot be normalised.
inline constexpr cVec3 kDefaultDirection = kUnitZ;
inline constexpr float kMinLength = 1.0000001e-6f;
// The smallest determinant a triangle's frame may have (as for matrix inverses).
inline constexpr float kSingularDeterminant = 1e-14f;

inline bool IsFinite(const cVec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// A sum whose squared length overflows keeps its direction: scaled down by its
// largest component first (an infinite component counts as the only one).
inline cVec3 Tamed(const cVec3& v) {
    if (!IsFinite(v))
        return {std::isinf(v.x) ? std::copysign(1.0f, v.x) : 0, std::isinf(v.y) ? std::copysign(1.0f, v.y) : 0,
                std::isinf(v.z) ? std::copysign(1.0f, v.z) : 0};
    const float big = std::fmax(std::fabs(v.x), std::fmax(std::fabs(v.y), std::fabs(v.z)));
    return v / big;
}

// v / |v| when |v| > kMinLength, else the default direction.
inline cVec3 UnitOrDefault(cVec3 v) {
    float squared = Dot(v, v);
    if (!std::isfinite(squared)) {
        v = Tamed(v);
        squared = Dot(v, v);
    }
    const float length = std::sqrt(squared);
    return length > kMinLength ? v * (1 / length) : kDefaultDirection;
}

// The scale that brings a shape to 1 across its widest axis. Triangle normals
// are weighted by |n|^2 n, the sixth power of the edge lengths: edges scaled
// by this neither underflow for a model in small units nor overflow for one in
// large units, so the normals' directions do not depend on the units.
// `position(i)` gives point i of `count`; points that are not finite are left
// out. 1 for a shape without extent or one too wide to measure.
template <class Position>
float EdgeScale(int count, Position position) {
    cBounds box;
    for (int i = 0; i < count; ++i)
        if (const cVec3& p = position(i); IsFinite(p))
            box.Add(p);
    if (box.IsEmpty())
        return 1;
    const cVec3 size = box.m_Max - box.m_Min;
    const float widest = std::fmax(size.x, std::fmax(size.y, size.z));
    const float scale = 1 / widest;
    return scale > 0 && std::isfinite(scale) ? scale : 1;
}

// The direction of a sum of weighted normals: any v that is neither zero nor
// infinite or NaN has one, however short (scaled by its largest component
// first, so that |v|^2 cannot underflow); the others get `fallback`.
inline cVec3 Direction(const cVec3& v, const cVec3& fallback) {
    const float big = std::fmax(std::fabs(v.x), std::fmax(std::fabs(v.y), std::fabs(v.z)));
    if (!(big > 0) || !IsFinite(v))
        return fallback;
    const cVec3 w = v / big;
    return w * (1 / std::sqrt(Dot(w, w)));
}

// v scaled by 1 / |v|^2; false (v then unused) when |v|^2 is 0 or not finite,
// or the result is not finite.
inline bool InverseSquared(cVec3& v) {
    const float squared = Dot(v, v);
    if (!(squared > 0) || !std::isfinite(squared))
        return false;
    v *= 1 / squared;
    return IsFinite(v);
}

// The tangent and bitangent of a triangle before scaling: the vectors whose dot
// products with the edges b - a, c - a and the face normal are the texture
// coordinate differences in u (and v) and 0. False for a degenerate triangle.
// The edges are taken times `scale` (EdgeScale of the shape), so that the
// determinant's limit tells degenerate triangles, not small units; the
// directions are the same at any scale.
bool TriangleTangents(const cVec3& pa, const cVec3& pb, const cVec3& pc, const cVec2& ta, const cVec2& tb,
                      const cVec2& tc, float scale, cVec3& tangent, cVec3& bitangent);

}  // namespace tovan::mesh
