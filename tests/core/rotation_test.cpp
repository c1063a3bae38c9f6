// Euler angles, rotation matrices and quaternions: the conventions pinned by round trips.
#include "core/mat.h"
#include "core/quat.h"
#include "tests/core/math_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tovan {
namespace {

using test::Near;
using test::SameRotation;

constexpr float kPi = 3.14159265f;

TEST(Rotation, FromAnglesAppliesXThenYThenZToRowVectors) {
    // Single axes, positive angles turn counter-clockwise seen from the axis tip.
    EXPECT_TRUE(Near(cMat3::FromAngles({90, 0, 0}).Transform({0, 1, 0}), {0, 0, 1}));
    EXPECT_TRUE(Near(cMat3::FromAngles({0, 90, 0}).Transform({0, 0, 1}), {1, 0, 0}));
    EXPECT_TRUE(Near(cMat3::FromAngles({0, 0, 90}).Transform({1, 0, 0}), {0, 1, 0}));
    // The order: X first, then Y, then Z.
    for (cAngles a : {cAngles{10, 20, 30}, cAngles{-70, 45, 160}, cAngles{123, -80, -15}}) {
        const cMat3 composed =
            cMat3::FromAngles({a.x, 0, 0}) * cMat3::FromAngles({0, a.y, 0}) * cMat3::FromAngles({0, 0, a.z});
        EXPECT_TRUE(Near(cMat3::FromAngles(a), composed));
    }
    // The rows as stated for (10, 20, 30).
    const cMat3 m = cMat3::FromAngles({10, 20, 30});
    EXPECT_NEAR(m.m[0][0], std::cos(20 * kPi / 180) * std::cos(30 * kPi / 180), 1e-6);
    EXPECT_NEAR(m.m[0][2], -std::sin(20 * kPi / 180), 1e-6);
    EXPECT_NEAR(m.m[1][2], std::sin(10 * kPi / 180) * std::cos(20 * kPi / 180), 1e-6);
}

TEST(Rotation, AnglesRoundTripThroughTheMatrix) {
    const cAngles a = cMat3::FromAngles({10, 20, 30}).ToAngles();
    EXPECT_NEAR(a.x, 10, 1e-4);
    EXPECT_NEAR(a.y, 20, 1e-4);
    EXPECT_NEAR(a.z, 30, 1e-4);
    for (float x = -170; x <= 170; x += 34)
        for (float y = -85; y <= 85; y += 17)
            for (float z = -170; z <= 170; z += 34) {
                const cAngles back = cMat3::FromAngles({x, y, z}).ToAngles();
                ASSERT_NEAR(back.x, x, 2e-3) << x << " " << y << " " << z;
                ASSERT_NEAR(back.y, y, 2e-3) << x << " " << y << " " << z;
                ASSERT_NEAR(back.z, z, 2e-3) << x << " " << y << " " << z;
            }
}

TEST(Rotation, AnglesAtThePolesPutZToZero) {
    const cAngles up = cMat3::FromAngles({40, 90, 10}).ToAngles();
    EXPECT_EQ(up.y, 90);
    EXPECT_EQ(up.z, 0);
    EXPECT_NEAR(up.x, 30, 1e-3);  // only x - z is defined at y = 90
    EXPECT_TRUE(Near(cMat3::FromAngles(up), cMat3::FromAngles({40, 90, 10})));

    const cAngles down = cMat3::FromAngles({40, -90, 10}).ToAngles();
    EXPECT_EQ(down.y, -90);
    EXPECT_EQ(down.z, 0);
    EXPECT_NEAR(down.x, 50, 1e-3);  // and x + z at y = -90
    EXPECT_TRUE(Near(cMat3::FromAngles(down), cMat3::FromAngles({40, -90, 10})));

    // A matrix element a hair beyond 1 still gives the pole, not NaN.
    cMat3 m = cMat3::FromAngles({0, 90, 0});
    m.m[0][2] = -1.0000001f;
    EXPECT_EQ(m.ToAngles().y, 90);
}

TEST(Rotation, QuaternionConventionMatchesFromAngles) {
    for (float t : {30.0f, 90.0f, -135.0f}) {
        const float s = std::sin(t * kPi / 360), c = std::cos(t * kPi / 360);
        EXPECT_TRUE(Near(cMat3::FromQuat({0, 0, s, c}), cMat3::FromAngles({0, 0, t})));
        EXPECT_TRUE(Near(cMat3::FromQuat({s, 0, 0, c}), cMat3::FromAngles({t, 0, 0})));
        EXPECT_TRUE(Near(cMat3::FromQuat({0, s, 0, c}), cMat3::FromAngles({0, t, 0})));
        EXPECT_TRUE(Near(cQuat::FromAxisAngle({0, 0, 1}, t), {0, 0, s, c}));
        EXPECT_TRUE(Near(cQuat::FromAxisAngle({0, 0, 7}, t), {0, 0, s, c}));  // axis normalised
        EXPECT_TRUE(SameRotation(cMat3::FromAngles({0, 0, t}).ToQuat(), {0, 0, s, c}));
    }
    EXPECT_EQ(cQuat::FromAxisAngle(kZeroVec3, 45), cQuat::Identity());
}

TEST(Rotation, MatrixAndQuaternionAreEachOthersInverse) {
    // Angles that reach every branch of the trace method: small turns (trace > 0) and
    // half turns about X, Y, Z and mixed axes (each diagonal element largest once).
    const cAngles cases[] = {{10, 20, 30}, {180, 0, 0},  {0, 180, 0},     {0, 0, 180},  {170, 10, 5},
                             {5, 170, 10}, {10, 5, 170}, {-120, 60, 150}, {90, 90, 90}, {0, 0, 0}};
    for (const cAngles& a : cases) {
        const cMat3 m = cMat3::FromAngles(a);
        const cQuat q = m.ToQuat();
        EXPECT_NEAR(Dot(q, q), 1.0f, 1e-5) << a.x << " " << a.y << " " << a.z;
        EXPECT_TRUE(Near(cMat3::FromQuat(q), m)) << a.x << " " << a.y << " " << a.z;
        EXPECT_TRUE(SameRotation(cMat3::FromQuat(q).ToQuat(), q)) << a.x << " " << a.y << " " << a.z;
    }
    for (float x = -1; x <= 1; x += 0.5f)
        for (float y = -1; y <= 1; y += 0.5f)
            for (float z = -1; z <= 1; z += 0.5f) {
                const cQuat q = cQuat{x, y, z, 0.3f}.Normalized();
                ASSERT_TRUE(SameRotation(q.ToMat3().ToQuat(), q));
            }
}

TEST(Rotation, ProductAppliesTheRightFactorFirst) {
    const cQuat a = cQuat::FromAngles({30, 0, 0});
    const cQuat b = cQuat::FromAngles({0, 0, 50});
    EXPECT_TRUE(Near((a * b).ToMat3(), b.ToMat3() * a.ToMat3()));
    // Euler angles as a product of single-axis turns.
    const cQuat qx = cQuat::FromAxisAngle({1, 0, 0}, 10);
    const cQuat qy = cQuat::FromAxisAngle({0, 1, 0}, 20);
    const cQuat qz = cQuat::FromAxisAngle({0, 0, 1}, 30);
    EXPECT_TRUE(SameRotation(qz * qy * qx, cQuat::FromAngles({10, 20, 30})));
    EXPECT_TRUE(Near((a * a.Conjugate()), cQuat::Identity()));
}

TEST(Rotation, ToQuatOrthonormalisesAndRefusesDegenerateMatrices) {
    cMat3 scaled = cMat3::FromAngles({0, 0, 40});
    for (auto& row : scaled.m)
        for (float& v : row)
            v *= 3;
    EXPECT_TRUE(SameRotation(scaled.ToQuat(), cQuat::FromAxisAngle(kUnitZ, 40)));
    cMat3 zero;
    for (auto& row : zero.m)
        for (float& v : row)
            v = 0;
    EXPECT_EQ(zero.ToQuat(), cQuat::Identity());
    cMat3 flat;  // two equal rows: no third axis
    flat.SetRow(1, {1, 0, 0});
    EXPECT_EQ(flat.ToQuat(), cQuat::Identity());
    EXPECT_TRUE(Near(cMat3::FromQuat({0, 0, 0, 0}), cMat3::Identity()));
}

TEST(Rotation, Orthonormalize) {
    cMat3 m;
    m.SetRow(0, {2, 0, 0});
    m.SetRow(1, {1, 3, 0});
    m.SetRow(2, {0, 0, 9});
    m.Orthonormalize();
    EXPECT_TRUE(Near(m, cMat3::Identity()));
    // A zero row stays zero instead of turning into NaN.
    cMat3 z;
    z.SetRow(0, kZeroVec3);
    z.Orthonormalize();
    EXPECT_EQ(z.Row(0), kZeroVec3);
    EXPECT_EQ(z.Row(1), kZeroVec3);
    EXPECT_EQ(z.Row(2), kZeroVec3);
}

TEST(Rotation, SlerpTakesTheShortWay) {
    const cQuat q = cQuat::FromAngles({10, 20, 30});
    const cQuat minus{-q.x, -q.y, -q.z, -q.w};
    for (float t : {0.0f, 0.25f, 0.5f, 1.0f})
        EXPECT_TRUE(Near(cQuat::Slerp(q, minus, t), q)) << t;

    const cQuat a = cQuat::Identity();
    const cQuat b = cQuat::FromAxisAngle(kUnitZ, 90);
    EXPECT_TRUE(Near(cQuat::Slerp(a, b, 0.5f), cQuat::FromAxisAngle(kUnitZ, 45)));
    EXPECT_TRUE(Near(cQuat::Slerp(a, b, 0), a));
    EXPECT_TRUE(Near(cQuat::Slerp(a, b, 1), b));
    // Nearly equal quaternions mix linearly and stay finite.
    const cQuat c = cQuat::FromAxisAngle(kUnitZ, 0.01f);
    const cQuat mid = cQuat::Slerp(a, c, 0.5f);
    EXPECT_NEAR(mid.w, (a.w + c.w) / 2, 1e-7);
    EXPECT_NEAR(mid.z, c.z / 2, 1e-7);
    // Not normalised: unequal lengths stay unequal.
    const cQuat twice{0, 0, 0, 2};
    EXPECT_NEAR(cQuat::Slerp(a, twice, 0.5f).w, 1.5f, 1e-6);
}

TEST(Rotation, AxisAngleMatrixIsCachedUntilChanged) {
    cAxisAngle r({0, 0, 2}, 90);
    EXPECT_TRUE(Near(r.GetMatrix(), cMat3::FromAngles({0, 0, 90})));
    EXPECT_EQ(&r.GetMatrix(), &r.GetMatrix());
    r.Set({1, 0, 0}, 90);
    EXPECT_TRUE(Near(r.GetMatrix(), cMat3::FromAngles({90, 0, 0})));
    EXPECT_TRUE(Near(cAxisAngle().GetMatrix(), cMat3::Identity()));
}

}  // namespace
}  // namespace tovan
