#include "core/quat.h"

#include <cmath>

namespace tovan {

cQuat cQuat::FromAxisAngle(const cVec3& axis, float degrees) {
    const float half = degrees * kDegToRad * 0.5f;
    const cVec3 unit = Normalize(axis);
    if (unit == kZeroVec3)
        return {};
    const float s = std::sin(half);
    return {unit.x * s, unit.y * s, unit.z * s, std::cos(half)};
}

cQuat cQuat::Slerp(const cQuat& q0, const cQuat& q1In, float t) {
    cQuat q1 = q1In;
    float d = Dot(q0, q1);
    if (d < 0) {
        q1 = {-q1.x, -q1.y, -q1.z, -q1.w};
        d = -d;
    }
    float w0, w1;
    if (1 - d > 1e-6f) {
        const float a = std::acos(d);  // d lies in [0, 1) here
        const float s = std::sin(a);
        w0 = std::sin((1 - t) * a) / s;
        w1 = std::sin(t * a) / s;
    } else {
        w0 = 1 - t;
        w1 = t;
    }
    return {w0 * q0.x + w1 * q1.x, w0 * q0.y + w1 * q1.y, w0 * q0.z + w1 * q1.z, w0 * q0.w + w1 * q1.w};
}

cQuat cQuat::Normalized() const {
    const float length = std::sqrt(Dot(*this, *this));
    if (!(length > 0))
        return {};
    return {x / length, y / length, z / length, w / length};
}

cQuat cQuat::operator*(const cQuat& b) const {
    return {w * b.x + x * b.w + y * b.z - z * b.y, w * b.y + y * b.w + z * b.x - x * b.z,
            w * b.z + z * b.w + x * b.y - y * b.x, w * b.w - x * b.x - y * b.y - z * b.z};
}

const cMat3& cAxisAngle::GetMatrix() {
    if (!m_Cached) {
        m_Matrix = cQuat::FromAxisAngle(m_Axis, m_Angle).ToMat3();
        m_Cached = true;
    }
    return m_Matrix;
}

}  // namespace tovan
