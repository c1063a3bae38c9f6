// 3x3 and 4x4 float matrices, row-major, in the row-vector convention: a point p
// is transformed as p x M, so a 4x4 transform keeps its translation in row 3 and
// A x B applies A first.
#pragma once
#include "core/vec.h"

namespace tovan {

class cQuat;

class cMat3 {
public:
    float m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

    static cMat3 Identity() { return {}; }
    // Rotation about X, then Y, then Z by the angles in degrees.
    static cMat3 FromAngles(const cAngles& angles);
    static cMat3 FromQuat(const cQuat& q);  // the inverse of ToQuat

    cAngles ToAngles() const;  // inverse of FromAngles; at y = +-90 z is 0
    cQuat ToQuat() const;      // of the orthonormalised matrix
    void Orthonormalize();
    // False, with out untouched, when the matrix is singular; out may be *this.
    bool Invert(cMat3& out) const;
    cMat3 Transposed() const;

    cVec3 Row(int i) const { return {m[i][0], m[i][1], m[i][2]}; }
    void SetRow(int i, const cVec3& v) { m[i][0] = v.x, m[i][1] = v.y, m[i][2] = v.z; }
    cVec3 Transform(const cVec3& v) const;  // v x M
    cMat3 operator*(const cMat3& b) const;
};

class cMat4 {
public:
    float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    static cMat4 Identity() { return {}; }
    static cMat4 FromMat3(const cMat3& rotation, const cVec3& translation = kZeroVec3);

    void SetIdentity() { *this = cMat4(); }
    void SetZero();
    void SetScaling(float s);  // diag(s, s, s, 1)
    void SetScalingAboutPoint(const cVec3& scale, const cVec3& pivot);
    void SetRotationAboutPoint(const cVec3& pivot, float degrees);  // about the Z axis
    void SetTranslation(const cVec3& t) { m[3][0] = t.x, m[3][1] = t.y, m[3][2] = t.z; }

    // False, with out untouched, when the matrix is singular; out may be *this.
    bool Invert(cMat4& out) const;
    // Transpose of the inverse of the upper-left 3x3; identity when that is singular.
    cMat3 GetNormalMatrix() const;
    cMat3 GetUpper3x3() const;
    void Multiply(const cMat4& b) { *this = *this * b; }  // this = this x b
    cMat4 operator*(const cMat4& b) const;

    // (p, 1) x M, divided by the resulting w unless w is 1 or 0.
    cVec3 TransformPoint(const cVec3& p) const;
    cVec3 TransformVector(const cVec3& v) const;  // v x upper-left 3x3
};

// Each of the 8 corners p becomes TransformPoint(p).
void TransformBoxCorners(cVec3 corners[8], const cMat4& m);

}  // namespace tovan
