#include "core/vec.h"

#include <algorithm>

namespace tovan {

cVec2 Normalize(const cVec2& v) {
    float length = Length(v);
    return length > 0 ? v / length : v;
}

cVec3 Normalize(const cVec3& v) {
    float length = Length(v);
    return length > 0 ? v / length : v;
}

void cVec3::PerpendicularAxes(const cVec3& direction, cVec3& a, cVec3& b) {
    const float length = Length(direction);
    if (!(length > 0)) {
        a = {1, 0, 0};
        b = {0, 1, 0};
        return;
    }
    // Signed angle between the reference direction and the direction's (x, z),
    // positive towards +x; a vertical direction has no heading and keeps yaw 0.
    const cVec2 heading{direction.x, direction.z};
    const float yaw = std::atan2(heading.x * kReferenceDirection2.y - heading.y * kReferenceDirection2.x,
                                 Dot(heading, kReferenceDirection2));
    const float pitch = std::asin(std::clamp(direction.y / length, -1.0f, 1.0f));  // +-90 degrees at most
    const float cy = std::cos(yaw), sy = std::sin(yaw);
    const float cp = std::cos(pitch), sp = std::sin(pitch);
    // X and Y turned first by -pitch about X, then by yaw about Y: Z goes to the
    // direction, so the two outputs span the plane perpendicular to it.
    a = {cy, 0, -sy};
    b = {-sp * sy, cp, -sp * cy};
}

}  // namespace tovan
