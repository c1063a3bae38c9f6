// Inversion, normal matrices and the 4x4 transform builders.
#include "core/mat.h"
#include "tests/core/math_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace tovan {
namespace {

using test::Near;

cMat4 Filled(float value) {
    cMat4 m;
    for (auto& row : m.m)
        for (float& v : row)
            v = value;
    return m;
}

cMat3 Filled3(float value) {
    cMat3 m;
    for (auto& row : m.m)
        for (float& v : row)
            v = value;
    return m;
}

cMat4 General() {
    // Rotation, scale, translation and a perspective column: nothing special.
    cMat4 m = cMat4::FromMat3(cMat3::FromAngles({15, -40, 70}), {3, -2, 5});
    m.m[0][0] *= 2;
    m.m[1][3] = 0.25f;
    m.m[2][3] = -0.5f;
    return m;
}

TEST(Matrix, Mat3InvertAndSingular) {
    cMat3 m = cMat3::FromAngles({20, 30, 40});
    m.SetRow(0, m.Row(0) * 3);
    m.m[2][0] += 0.5f;
    cMat3 inverse;
    ASSERT_TRUE(m.Invert(inverse));
    EXPECT_TRUE(Near(m * inverse, cMat3::Identity()));
    EXPECT_TRUE(Near(inverse * m, cMat3::Identity()));

    cMat3 inPlace = m;
    ASSERT_TRUE(inPlace.Invert(inPlace));
    EXPECT_TRUE(Near(inPlace, inverse, 0));

    cMat3 singular;
    singular.SetRow(2, singular.Row(0) + singular.Row(1));
    const cMat3 untouched = Filled3(7);
    cMat3 out = untouched;
    EXPECT_FALSE(singular.Invert(out));
    EXPECT_EQ(std::memcmp(&out, &untouched, sizeof out), 0);
    EXPECT_FALSE(Filled3(0).Invert(out));
    EXPECT_EQ(std::memcmp(&out, &untouched, sizeof out), 0);
}

TEST(Matrix, Mat4InvertAndSingular) {
    const cMat4 m = General();
    cMat4 inverse;
    ASSERT_TRUE(m.Invert(inverse));
    EXPECT_TRUE(Near(m * inverse, cMat4::Identity()));
    EXPECT_TRUE(Near(inverse * m, cMat4::Identity()));
    cMat4 inPlace = m;
    ASSERT_TRUE(inPlace.Invert(inPlace));
    EXPECT_TRUE(Near(inPlace, inverse, 0));

    // Row 3 = row 0 + row 1, exactly.
    const cMat4 singular{{{1, 2, 3, 4}, {5, 6, 7, 8}, {2, 0, 1, 3}, {6, 8, 10, 12}}};
    const cMat4 untouched = Filled(7);
    cMat4 out = untouched;
    EXPECT_FALSE(singular.Invert(out));
    EXPECT_EQ(std::memcmp(&out, &untouched, sizeof out), 0);
    cMat4 zero;
    zero.SetZero();
    EXPECT_FALSE(zero.Invert(out));
    EXPECT_EQ(std::memcmp(&out, &untouched, sizeof out), 0);
    // Tiny but regular: the determinant is taken in double, 1e-12 > 1e-14.
    cMat4 tiny;
    tiny.SetScaling(1e-4f);
    EXPECT_TRUE(tiny.Invert(out));
    EXPECT_NEAR(out.m[0][0], 1e4f, 1);
}

TEST(Matrix, NormalMatrix) {
    cMat4 m;
    m.m[0][0] = 2, m.m[1][1] = 4, m.m[2][2] = 8;
    m.SetTranslation({10, 20, 30});
    cMat3 expected;
    expected.m[0][0] = 0.5f, expected.m[1][1] = 0.25f, expected.m[2][2] = 0.125f;
    EXPECT_TRUE(Near(m.GetNormalMatrix(), expected));

    // A shear keeps transformed normals perpendicular to transformed tangents.
    cMat4 shear;
    shear.m[1][0] = 1.5f;
    const cVec3 normal{0, 0, 1}, tangent{1, 1, 0};
    EXPECT_NEAR(Dot(shear.GetNormalMatrix().Transform(normal), shear.TransformVector(tangent)), 0, 1e-6);

    cMat4 flat;
    flat.m[2][2] = 0;
    EXPECT_TRUE(Near(flat.GetNormalMatrix(), cMat3::Identity(), 0));
}

TEST(Matrix, Builders) {
    cMat4 m = Filled(3);
    m.SetZero();
    EXPECT_TRUE(Near(m, Filled(0), 0));
    m.SetScaling(2);
    EXPECT_TRUE(Near(m.TransformPoint({1, 2, 3}), {2, 4, 6}));
    EXPECT_EQ(m.m[3][3], 1);

    const cVec3 pivot{1, 2, 3};
    m.SetScalingAboutPoint({2, 3, 4}, pivot);
    EXPECT_TRUE(Near(m.TransformPoint(pivot), pivot));
    EXPECT_TRUE(Near(m.TransformPoint(pivot + cVec3{1, 1, 1}), pivot + cVec3{2, 3, 4}));

    m.SetRotationAboutPoint(pivot, 90);
    EXPECT_TRUE(Near(m.TransformPoint(pivot), pivot));
    EXPECT_TRUE(Near(m.TransformPoint(pivot + cVec3{1, 0, 0}), pivot + cVec3{0, 1, 0}));
    EXPECT_TRUE(Near(m.TransformPoint(pivot + cVec3{0, 0, 5}), pivot + cVec3{0, 0, 5}));
}

TEST(Matrix, MultiplyAppliesThisFirst) {
    cMat4 translate;
    translate.SetTranslation({5, 0, 0});
    cMat4 scale;
    scale.SetScaling(2);
    cMat4 m = translate;
    m.Multiply(scale);  // translate, then scale
    EXPECT_TRUE(Near(m.TransformPoint({1, 0, 0}), {12, 0, 0}));
    m = scale;
    m.Multiply(translate);
    EXPECT_TRUE(Near(m.TransformPoint({1, 0, 0}), {7, 0, 0}));
}

TEST(Matrix, BoxCornersDivideByWButNeverByZero) {
    cVec3 corners[8];
    for (int i = 0; i < 8; ++i)
        corners[i] = {float(i & 1), float((i >> 1) & 1), float(i >> 2)};
    cMat4 m;
    m.SetTranslation({1, 1, 1});
    cVec3 moved[8];
    std::memcpy(moved, corners, sizeof moved);
    TransformBoxCorners(moved, m);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(Near(moved[i], corners[i] + cVec3{1, 1, 1}));

    cMat4 project;  // w = z + 1
    project.m[2][3] = 1;
    std::memcpy(moved, corners, sizeof moved);
    TransformBoxCorners(moved, project);
    EXPECT_TRUE(Near(moved[7], {0.5f, 0.5f, 0.5f}));  // (1, 1, 1) / 2
    EXPECT_TRUE(Near(moved[1], {1, 0, 0}));           // w = 1: as it is

    cMat4 plane;  // w = z - 1: zero on the far face
    plane.m[2][3] = 1;
    plane.m[3][3] = -1;
    std::memcpy(moved, corners, sizeof moved);
    TransformBoxCorners(moved, plane);
    EXPECT_TRUE(Near(moved[5], {1, 0, 1}));   // w = 0: undivided, finite
    EXPECT_TRUE(Near(moved[1], {-1, 0, 0}));  // w = -1
}

}  // namespace
}  // namespace tovan
