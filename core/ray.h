// A pick ray or segment, as the view produces it and the gizmos draw and test
// their axes with it.
#pragma once
#include "core/vec.h"

namespace tovan {

struct cRay {
    static constexpr float kDefaultStartOffset = 0.001f;
    static constexpr float kMinLength = 1e-10f;
    // ClosestPoint flags.
    static constexpr int kClampStart = 0x10;  // t <= 0 gives the origin
    static constexpr int kClampEnd = 0x20;    // t >= 1 gives the end

    cVec3 origin;
    cVec3 end;
    float startOffset = kDefaultStartOffset;
    cVec3 direction;  // unit, unless the length is below kMinLength
    float length = 0;
    float inverseLength = 1;  // 1 when the length is below kMinLength

    static cRay FromPoints(const cVec3& origin, const cVec3& end, float startOffset = kDefaultStartOffset);
    // end = origin + direction.
    static cRay FromDirection(const cVec3& origin, const cVec3& direction, float startOffset = kDefaultStartOffset);

    // The point of the line nearest to `point`, and its parameter t (0 at the
    // origin, 1 at the end); a degenerate ray gives the origin with t = 0.
    cVec3 ClosestPoint(const cVec3& point, int flags, float* t = nullptr) const;
};

static_assert(sizeof(cRay) == 12 * sizeof(float));

}  // namespace tovan
