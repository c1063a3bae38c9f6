#include "core/ray.h"

namespace tovan {

namespace {
cRay Build(const cVec3& origin, const cVec3& end, const cVec3& direction, float startOffset) {
    cRay ray;
    ray.origin = origin;
    ray.end = end;
    ray.startOffset = startOffset;
    ray.length = Length(direction);
    if (ray.length < cRay::kMinLength) {
        ray.direction = direction;
        ray.inverseLength = 1;
    } else {
        ray.inverseLength = 1 / ray.length;
        ray.direction = direction * ray.inverseLength;
    }
    return ray;
}
}  // namespace

cRay cRay::FromPoints(const cVec3& origin, const cVec3& end, float startOffset) {
    return Build(origin, end, end - origin, startOffset);
}

cRay cRay::FromDirection(const cVec3& origin, const cVec3& direction, float startOffset) {
    return Build(origin, origin + direction, direction, startOffset);
}

cVec3 cRay::ClosestPoint(const cVec3& point, int flags, float* tOut) const {
    float t = 0;
    cVec3 result = origin;
    if (length >= kMinLength) {
        const float g = Dot(point - origin, direction);
        t = g * inverseLength;
        result = origin + direction * g;
        if ((flags & kClampStart) && t <= 0) {
            t = 0;
            result = origin;
        } else if ((flags & kClampEnd) && t >= 1) {
            t = 1;
            result = end;
        }
    }
    if (tOut)
        *tOut = t;
    return result;
}

}  // namespace tovan
