// Rotation quaternions (x, y, z, w; w the scalar part) and axis-angle pairs. The
// convention agrees with cMat3::FromAngles: (0, 0, sin(t/2), cos(t/2)) is the
// rotation FromAngles(0, 0, t), and q1 * q2 applies q2 first, then q1.
#pragma once
#include "core/mat.h"
#include "core/vec.h"

namespace tovan {

class cQuat {
public:
    float x = 0, y = 0, z = 0, w = 1;

    static cQuat Identity() { return {}; }
    // Half-angle quaternion about the axis (normalised here), angle in degrees.
    static cQuat FromAxisAngle(const cVec3& axis, float degrees);
    static cQuat FromAngles(const cAngles& angles) { return cMat3::FromAngles(angles).ToQuat(); }
    // Not normalised; q1 is flipped onto q0's side first, so q and -q give q.
    static cQuat Slerp(const cQuat& q0, const cQuat& q1, float t);

    cMat3 ToMat3() const { return cMat3::FromQuat(*this); }
    cAngles ToAngles() const { return ToMat3().ToAngles(); }
    cQuat Normalized() const;
    cQuat Conjugate() const { return {-x, -y, -z, w}; }

    cQuat operator*(const cQuat& b) const;  // Hamilton product
    constexpr bool operator==(const cQuat& b) const { return x == b.x && y == b.y && z == b.z && w == b.w; }
    constexpr bool operator!=(const cQuat& b) const { return !(*this == b); }
};

inline float Dot(const cQuat& a, const cQuat& b) { return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w; }

// Axis and angle (degrees); the matrix is built on first request and cached.
class cAxisAngle {
public:
    cAxisAngle() = default;
    cAxisAngle(const cVec3& axis, float degrees) : m_Axis(axis), m_Angle(degrees) {}

    const cVec3& GetAxis() const { return m_Axis; }
    float GetAngle() const { return m_Angle; }
    void Set(const cVec3& axis, float degrees) { m_Axis = axis, m_Angle = degrees, m_Cached = false; }
    const cMat3& GetMatrix();

private:
    cVec3 m_Axis = kUnitZ;
    float m_Angle = 0;
    cMat3 m_Matrix;
    bool m_Cached = false;
};

}  // namespace tovan
