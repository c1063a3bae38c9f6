#include "core/mat.h"

#include "core/quat.h"

#include <algorithm>
#include <cmath>

namespace tovan {

namespace {
constexpr double kSingular = 1e-14;
}  // namespace

// --- cMat3 --------------------------------------------------------------------

cMat3 cMat3::FromAngles(const cAngles& angles) {
    const float x = angles.x * kDegToRad, y = angles.y * kDegToRad, z = angles.z * kDegToRad;
    const float cx = std::cos(x), sx = std::sin(x);
    const float cy = std::cos(y), sy = std::sin(y);
    const float cz = std::cos(z), sz = std::sin(z);
    cMat3 r;
    r.m[0][0] = cy * cz;
    r.m[0][1] = cy * sz;
    r.m[0][2] = -sy;
    r.m[1][0] = sx * sy * cz - cx * sz;
    r.m[1][1] = sx * sy * sz + cx * cz;
    r.m[1][2] = sx * cy;
    r.m[2][0] = cx * sy * cz + sx * sz;
    r.m[2][1] = cx * sy * sz - sx * cz;
    r.m[2][2] = cx * cy;
    return r;
}

cAngles cMat3::ToAngles() const {
    float y;
    if (std::fabs(m[0][2]) >= 1)
        y = m[0][2] < 0 ? 90.0f : -90.0f;
    else
        y = std::asin(-m[0][2]) * kRadToDeg;
    cAngles a;
    a.y = y;
    if (std::fabs(y) < 90) {
        a.z = std::atan2(m[0][1], m[0][0]) * kRadToDeg;
        a.x = std::atan2(m[1][2], m[2][2]) * kRadToDeg;
    } else {
        // Gimbal lock: only x +- z is defined; z is taken as 0.
        a.z = 0;
        a.x = (y > 0 ? std::atan2(m[1][0], m[1][1]) : std::atan2(-m[1][0], m[1][1])) * kRadToDeg;
    }
    return a;
}

void cMat3::Orthonormalize() {
    const cVec3 r0 = Normalize(Row(0));
    const cVec3 r2 = Normalize(Cross(r0, Row(1)));
    const cVec3 r1 = Normalize(Cross(r2, r0));
    SetRow(0, r0);
    SetRow(1, r1);
    SetRow(2, r2);
}

cMat3 cMat3::FromQuat(const cQuat& q) {
    const float norm = Dot(q, q);
    if (!(norm > 0))
        return {};
    const float s = 2.0f / norm;
    const float xx = q.x * q.x * s, yy = q.y * q.y * s, zz = q.z * q.z * s;
    const float xy = q.x * q.y * s, xz = q.x * q.z * s, yz = q.y * q.z * s;
    const float wx = q.w * q.x * s, wy = q.w * q.y * s, wz = q.w * q.z * s;
    cMat3 r;
    r.m[0][0] = 1 - yy - zz;
    r.m[0][1] = xy + wz;
    r.m[0][2] = xz - wy;
    r.m[1][0] = xy - wz;
    r.m[1][1] = 1 - xx - zz;
    r.m[1][2] = yz + wx;
    r.m[2][0] = xz + wy;
    r.m[2][1] = yz - wx;
    r.m[2][2] = 1 - xx - yy;
    return r;
}

cQuat cMat3::ToQuat() const {
    cMat3 r = *this;
    r.Orthonormalize();
    const float(&a)[3][3] = r.m;
    // A degenerate matrix has no rotation to give.
    for (int i = 0; i < 3; ++i)
        if (!(Dot(r.Row(i), r.Row(i)) > 0.5f))
            return {};
    const float trace = a[0][0] + a[1][1] + a[2][2];
    cQuat q;
    if (trace > 0) {
        const float w = std::sqrt(trace + 1) * 0.5f;
        const float f = 0.25f / w;
        q = {(a[1][2] - a[2][1]) * f, (a[2][0] - a[0][2]) * f, (a[0][1] - a[1][0]) * f, w};
    } else if (a[0][0] >= a[1][1] && a[0][0] >= a[2][2]) {
        const float x = std::sqrt(std::max(0.0f, 1 + a[0][0] - a[1][1] - a[2][2])) * 0.5f;
        const float f = 0.25f / x;
        q = {x, (a[0][1] + a[1][0]) * f, (a[0][2] + a[2][0]) * f, (a[1][2] - a[2][1]) * f};
    } else if (a[1][1] >= a[2][2]) {
        const float y = std::sqrt(std::max(0.0f, 1 + a[1][1] - a[0][0] - a[2][2])) * 0.5f;
        const float f = 0.25f / y;
        q = {(a[0][1] + a[1][0]) * f, y, (a[1][2] + a[2][1]) * f, (a[2][0] - a[0][2]) * f};
    } else {
        const float z = std::sqrt(std::max(0.0f, 1 + a[2][2] - a[0][0] - a[1][1])) * 0.5f;
        const float f = 0.25f / z;
        q = {(a[0][2] + a[2][0]) * f, (a[1][2] + a[2][1]) * f, z, (a[0][1] - a[1][0]) * f};
    }
    return q;
}

bool cMat3::Invert(cMat3& out) const {
    const double c00 = double(m[1][1]) * m[2][2] - double(m[1][2]) * m[2][1];
    const double c01 = double(m[1][2]) * m[2][0] - double(m[1][0]) * m[2][2];
    const double c02 = double(m[1][0]) * m[2][1] - double(m[1][1]) * m[2][0];
    const double det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
    if (!(std::fabs(det) > kSingular))
        return false;
    const double f = 1.0 / det;
    cMat3 r;
    r.m[0][0] = float(c00 * f);
    r.m[1][0] = float(c01 * f);
    r.m[2][0] = float(c02 * f);
    r.m[0][1] = float((double(m[0][2]) * m[2][1] - double(m[0][1]) * m[2][2]) * f);
    r.m[1][1] = float((double(m[0][0]) * m[2][2] - double(m[0][2]) * m[2][0]) * f);
    r.m[2][1] = float((double(m[0][1]) * m[2][0] - double(m[0][0]) * m[2][1]) * f);
    r.m[0][2] = float((double(m[0][1]) * m[1][2] - double(m[0][2]) * m[1][1]) * f);
    r.m[1][2] = float((double(m[0][2]) * m[1][0] - double(m[0][0]) * m[1][2]) * f);
    r.m[2][2] = float((double(m[0][0]) * m[1][1] - double(m[0][1]) * m[1][0]) * f);
    out = r;
    return true;
}

cMat3 cMat3::Transposed() const {
    cMat3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m[i][j] = m[j][i];
    return r;
}

cVec3 cMat3::Transform(const cVec3& v) const {
    return {v.x * m[0][0] + v.y * m[1][0] + v.z * m[2][0], v.x * m[0][1] + v.y * m[1][1] + v.z * m[2][1],
            v.x * m[0][2] + v.y * m[1][2] + v.z * m[2][2]};
}

cMat3 cMat3::operator*(const cMat3& b) const {
    cMat3 r;
    for (int i = 0; i < 3; ++i)
        r.SetRow(i, b.Transform(Row(i)));
    return r;
}

// --- cMat4 --------------------------------------------------------------------

cMat4 cMat4::FromMat3(const cMat3& rotation, const cVec3& translation) {
    cMat4 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m[i][j] = rotation.m[i][j];
    r.SetTranslation(translation);
    return r;
}

void cMat4::SetZero() {
    for (auto& row : m)
        for (float& v : row)
            v = 0;
}

void cMat4::SetScaling(float s) {
    SetIdentity();
    m[0][0] = m[1][1] = m[2][2] = s;
}

void cMat4::SetScalingAboutPoint(const cVec3& scale, const cVec3& pivot) {
    SetIdentity();
    m[0][0] = scale.x;
    m[1][1] = scale.y;
    m[2][2] = scale.z;
    // -pivot, scaled, then +pivot.
    SetTranslation({pivot.x - pivot.x * scale.x, pivot.y - pivot.y * scale.y, pivot.z - pivot.z * scale.z});
}

void cMat4::SetRotationAboutPoint(const cVec3& pivot, float degrees) {
    const cMat3 rotation = cQuat::FromAxisAngle(kUnitZ, degrees).ToMat3();
    *this = FromMat3(rotation, pivot - rotation.Transform(pivot));
}

bool cMat4::Invert(cMat4& out) const {
    double a[16];
    for (int i = 0; i < 16; ++i)
        a[i] = m[i / 4][i % 4];
    // 2x2 minors of the two upper and the two lower rows.
    const double s0 = a[0] * a[5] - a[4] * a[1], s1 = a[0] * a[6] - a[4] * a[2];
    const double s2 = a[0] * a[7] - a[4] * a[3], s3 = a[1] * a[6] - a[5] * a[2];
    const double s4 = a[1] * a[7] - a[5] * a[3], s5 = a[2] * a[7] - a[6] * a[3];
    const double c5 = a[10] * a[15] - a[14] * a[11], c4 = a[9] * a[15] - a[13] * a[11];
    const double c3 = a[9] * a[14] - a[13] * a[10], c2 = a[8] * a[15] - a[12] * a[11];
    const double c1 = a[8] * a[14] - a[12] * a[10], c0 = a[8] * a[13] - a[12] * a[9];
    const double det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (!(std::fabs(det) > kSingular))
        return false;
    const double f = 1.0 / det;
    const double r[16] = {
        (a[5] * c5 - a[6] * c4 + a[7] * c3) * f,     (-a[1] * c5 + a[2] * c4 - a[3] * c3) * f,
        (a[13] * s5 - a[14] * s4 + a[15] * s3) * f,  (-a[9] * s5 + a[10] * s4 - a[11] * s3) * f,
        (-a[4] * c5 + a[6] * c2 - a[7] * c1) * f,    (a[0] * c5 - a[2] * c2 + a[3] * c1) * f,
        (-a[12] * s5 + a[14] * s2 - a[15] * s1) * f, (a[8] * s5 - a[10] * s2 + a[11] * s1) * f,
        (a[4] * c4 - a[5] * c2 + a[7] * c0) * f,     (-a[0] * c4 + a[1] * c2 - a[3] * c0) * f,
        (a[12] * s4 - a[13] * s2 + a[15] * s0) * f,  (-a[8] * s4 + a[9] * s2 - a[11] * s0) * f,
        (-a[4] * c3 + a[5] * c1 - a[6] * c0) * f,    (a[0] * c3 - a[1] * c1 + a[2] * c0) * f,
        (-a[12] * s3 + a[13] * s1 - a[14] * s0) * f, (a[8] * s3 - a[9] * s1 + a[10] * s0) * f,
    };
    for (int i = 0; i < 16; ++i)
        out.m[i / 4][i % 4] = float(r[i]);
    return true;
}

cMat3 cMat4::GetUpper3x3() const {
    cMat3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m[i][j] = m[i][j];
    return r;
}

cMat3 cMat4::GetNormalMatrix() const {
    cMat3 inverse;
    if (!GetUpper3x3().Invert(inverse))
        return {};
    return inverse.Transposed();
}

cMat4 cMat4::operator*(const cMat4& b) const {
    cMat4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = m[i][0] * b.m[0][j] + m[i][1] * b.m[1][j] + m[i][2] * b.m[2][j] + m[i][3] * b.m[3][j];
    return r;
}

cVec3 cMat4::TransformPoint(const cVec3& p) const {
    cVec3 r{p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0],
            p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1],
            p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2]};
    const float w = p.x * m[0][3] + p.y * m[1][3] + p.z * m[2][3] + m[3][3];
    // A point on the projection plane (w = 0) has no finite image; keep it undivided.
    if (w != 1 && w != 0)
        r = r / w;
    return r;
}

cVec3 cMat4::TransformVector(const cVec3& v) const { return GetUpper3x3().Transform(v); }

void TransformBoxCorners(cVec3 corners[8], const cMat4& m) {
    for (int i = 0; i < 8; ++i)
        corners[i] = m.TransformPoint(corners[i]);
}

}  // namespace tovan
