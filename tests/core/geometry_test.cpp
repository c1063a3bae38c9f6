// Boxes, spheres, rays, rectangle anchors and perpendicular axes.
#include "core/bounds.h"
#include "core/ray.h"
#include "core/rect.h"
#include "core/vec.h"
#include "tests/core/math_support.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstddef>

namespace tovan {
namespace {

using test::Near;

TEST(Bounds, FromPoints) {
    const cVec3 one{1, -2, 3};
    const cBounds single(&one, 1);
    EXPECT_EQ(single.m_Min, one);
    EXPECT_EQ(single.m_Max, one);

    const cVec3 points[] = {{1, 5, -1}, {-3, 2, 4}, {0, 7, 0}};
    const cBounds box(points, 3);
    EXPECT_EQ(box.m_Min, (cVec3{-3, 2, -1}));
    EXPECT_EQ(box.m_Max, (cVec3{1, 7, 4}));

    for (const cBounds& empty : {cBounds(), cBounds(points, 0), cBounds(nullptr, 3), cBounds(points, -1)}) {
        EXPECT_TRUE(empty.IsEmpty());
        EXPECT_EQ(empty.m_Min, (cVec3{FLT_MAX, FLT_MAX, FLT_MAX}));
        EXPECT_EQ(empty.m_Max, (cVec3{-FLT_MAX, -FLT_MAX, -FLT_MAX}));
    }
    cBounds grown;
    grown.Add({2, 2, 2});
    EXPECT_EQ(grown.m_Min, (cVec3{2, 2, 2}));
    EXPECT_EQ(grown.m_Max, (cVec3{2, 2, 2}));
    EXPECT_FALSE(grown.IsEmpty());
}

TEST(Bounds, CornerOrder) {
    const cBounds box({1, 2, 3}, {4, 5, 6});
    cVec3 c[8];
    box.GetCorners(c);
    const cVec3 expected[8] = {{4, 2, 3}, {1, 2, 3}, {1, 5, 3}, {4, 5, 3}, {4, 2, 6}, {1, 2, 6}, {1, 5, 6}, {4, 5, 6}};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(c[i], expected[i]) << i;
}

TEST(Bounds, BoundingSphereOfFourPoints) {
    const cVec3 points[4] = {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 4}};
    const cSphere s = GetBoundingSphere(points);
    EXPECT_EQ(s.centre, (cVec3{1, 1, 2}));
    EXPECT_FLOAT_EQ(s.radius, std::sqrt(1.0f + 1 + 4));
    const cVec3 same[4] = {{3, 3, 3}, {3, 3, 3}, {3, 3, 3}, {3, 3, 3}};
    EXPECT_EQ(GetBoundingSphere(same).radius, 0);
}

TEST(Ray, RecordLayout) {
    EXPECT_EQ(offsetof(cRay, origin), 0u);
    EXPECT_EQ(offsetof(cRay, end), 12u);
    EXPECT_EQ(offsetof(cRay, startOffset), 24u);
    EXPECT_EQ(offsetof(cRay, direction), 28u);
    EXPECT_EQ(offsetof(cRay, length), 40u);
    EXPECT_EQ(offsetof(cRay, inverseLength), 44u);
}

TEST(Ray, FromPointsNormalisesUnlessDegenerate) {
    const cRay r = cRay::FromPoints({1, 1, 1}, {1, 1, 11});
    EXPECT_EQ(r.startOffset, 0.001f);
    EXPECT_EQ(r.length, 10);
    EXPECT_FLOAT_EQ(r.inverseLength, 0.1f);
    EXPECT_EQ(r.direction, (cVec3{0, 0, 1}));

    const cRay p = cRay::FromDirection({0, 0, 1}, {0, 0, 2});
    EXPECT_EQ(p.end, (cVec3{0, 0, 3}));
    EXPECT_EQ(p.direction, (cVec3{0, 0, 1}));

    const cRay point = cRay::FromPoints({2, 2, 2}, {2, 2, 2});
    EXPECT_EQ(point.length, 0);
    EXPECT_EQ(point.inverseLength, 1);
    EXPECT_EQ(point.direction, kZeroVec3);

    const cRay tiny = cRay::FromDirection(kZeroVec3, {1e-12f, 0, 0});
    EXPECT_EQ(tiny.inverseLength, 1);
    EXPECT_EQ(tiny.direction, (cVec3{1e-12f, 0, 0}));  // left unnormalised
}

TEST(Ray, ClosestPoint) {
    const cRay r = cRay::FromPoints({0, 0, 0}, {0, 0, 10});
    float t = -1;
    EXPECT_EQ(r.ClosestPoint({1, 2, 5}, 0, &t), (cVec3{0, 0, 5}));
    EXPECT_FLOAT_EQ(t, 0.5f);
    EXPECT_EQ(r.ClosestPoint({0, 3, 15}, 0, &t), (cVec3{0, 0, 15}));
    EXPECT_FLOAT_EQ(t, 1.5f);
    EXPECT_EQ(r.ClosestPoint({0, 3, 15}, cRay::kClampEnd, &t), (cVec3{0, 0, 10}));
    EXPECT_EQ(t, 1);
    EXPECT_EQ(r.ClosestPoint({0, 3, -4}, 0, &t), (cVec3{0, 0, -4}));
    EXPECT_FLOAT_EQ(t, -0.4f);
    EXPECT_EQ(r.ClosestPoint({0, 3, -4}, cRay::kClampStart | cRay::kClampEnd, &t), kZeroVec3);
    EXPECT_EQ(t, 0);
    EXPECT_EQ(r.ClosestPoint({0, 3, -4}, cRay::kClampEnd, &t), (cVec3{0, 0, -4}));  // only the end clamps

    const cRay degenerate = cRay::FromPoints({1, 2, 3}, {1, 2, 3});
    t = -1;
    EXPECT_EQ(degenerate.ClosestPoint({9, 9, 9}, 0, &t), (cVec3{1, 2, 3}));
    EXPECT_EQ(t, 0);
}

TEST(Rect, AnchorPoints) {
    const cRect r{10, 20, 30, 60};
    const struct {
        int code;
        cVec2 point;
    } expected[] = {{0, {10, 60}}, {1, {20, 60}}, {2, {30, 60}}, {4, {10, 40}}, {5, {20, 40}},
                    {6, {30, 40}}, {8, {10, 20}}, {9, {20, 20}}, {10, {30, 20}}};
    for (const auto& e : expected)
        EXPECT_EQ(r.GetAnchorPoint(e.code), e.point) << e.code;
    for (int code : {3, 7, 11, 12, -1, 15, 1000})
        EXPECT_EQ(r.GetAnchorPoint(code), kZeroVec2) << code;
    EXPECT_TRUE(cRect::Empty().IsEmpty());
    EXPECT_EQ(cRect::Empty(), (cRect{FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX}));
}

TEST(Rect, MoveAndAlign) {
    cRect r{0, 0, 4, 2};
    r.MoveAnchorTo(5, 10, 10);
    EXPECT_EQ(r, (cRect{8, 9, 12, 11}));
    r.MoveAnchorTo(3, 100, 100);
    EXPECT_EQ(r, (cRect{8, 9, 12, 11}));
    r.AlignTo({0, 0, 100, 50}, 2);  // top right
    EXPECT_EQ(r, (cRect{96, 48, 100, 50}));
    r.AlignTo({0, 0, 100, 50}, 8);  // bottom left
    EXPECT_EQ(r, (cRect{0, 0, 4, 2}));
    r.AlignTo({0, 0, 100, 50}, 7);
    EXPECT_EQ(r, (cRect{0, 0, 4, 2}));
}

TEST(Rect, AnchorZones) {
    const cRect outer{0, 0, 100, 80};
    const cRect inner{0, 0, 20, 8};
    // Bands q - r wide: q = (25, 20), r = (5, 2).
    EXPECT_EQ(outer.GetAnchorZone(inner, 0), (cRect{0, 62, 20, 80}));
    EXPECT_EQ(outer.GetAnchorZone(inner, 5), (cRect{30, 22, 70, 58}));
    EXPECT_EQ(outer.GetAnchorZone(inner, 10), (cRect{80, 0, 100, 18}));
    EXPECT_EQ(outer.GetAnchorZone(inner, 6), (cRect{80, 22, 100, 58}));
    // An inner rect at least as large as the outer one leaves a zero-width band.
    EXPECT_EQ(outer.GetAnchorZone({0, 0, 200, 200}, 9), (cRect{50, 0, 50, 0}));
    EXPECT_TRUE(outer.GetAnchorZone(inner, 3).IsEmpty());
}

TEST(Rect, NearestAnchor) {
    const cRect outer{0, 0, 100, 80};
    cRect zone;
    cVec2 offset;
    EXPECT_EQ(outer.FindNearestAnchor({5, 60, 25, 75}, &zone, &offset), 0);  // near top left
    EXPECT_EQ(offset, (cVec2{5, -5}));
    EXPECT_EQ(zone, outer.GetAnchorZone({5, 60, 25, 75}, 0));
    EXPECT_EQ(outer.FindNearestAnchor({40, 35, 60, 45}), 5);                    // centred
    EXPECT_EQ(outer.FindNearestAnchor({70, 2, 95, 12}, nullptr, &offset), 10);  // near bottom right
    EXPECT_EQ(offset, (cVec2{-5, 2}));
    EXPECT_EQ(outer.FindNearestAnchor({42, 65, 58, 78}), 1);  // top centre
    EXPECT_EQ(outer.FindNearestAnchor({2, 30, 12, 50}), 4);   // middle left
}

TEST(Vec, PerpendicularAxes) {
    cVec3 a, b;
    cVec3::PerpendicularAxes(kZeroVec3, a, b);
    EXPECT_EQ(a, (cVec3{1, 0, 0}));
    EXPECT_EQ(b, (cVec3{0, 1, 0}));
    cVec3::PerpendicularAxes({0, 0, 5}, a, b);
    EXPECT_TRUE(Near(a, {1, 0, 0}));
    EXPECT_TRUE(Near(b, {0, 1, 0}));
    cVec3::PerpendicularAxes({3, 0, 0}, a, b);  // yaw 90
    EXPECT_TRUE(Near(a, {0, 0, -1}));
    EXPECT_TRUE(Near(b, {0, 1, 0}));
    cVec3::PerpendicularAxes({0, 2, 0}, a, b);  // pitch 90, no heading
    EXPECT_TRUE(Near(a, {1, 0, 0}));
    EXPECT_TRUE(Near(b, {0, 0, -1}));

    const cVec3 directions[] = {{1, 2, 3}, {-4, 1, -2}, {0.1f, -5, 0.2f}, {-1, 0, -1}, {0, -1, 0}};
    for (const cVec3& d : directions) {
        cVec3::PerpendicularAxes(d, a, b);
        const cVec3 unit = Normalize(d);
        EXPECT_NEAR(Length(a), 1, 1e-5);
        EXPECT_NEAR(Length(b), 1, 1e-5);
        EXPECT_NEAR(Dot(a, unit), 0, 1e-5);
        EXPECT_NEAR(Dot(b, unit), 0, 1e-5);
        EXPECT_TRUE(Near(Cross(a, b), unit));  // right-handed around the direction
    }
}

TEST(Vec, NormalizeLeavesZeroAlone) {
    EXPECT_EQ(Normalize(kZeroVec3), kZeroVec3);
    EXPECT_EQ(Normalize(kZeroVec2), kZeroVec2);
    EXPECT_EQ(Normalize(cVec3{0, 3, 4}), (cVec3{0, 0.6f, 0.8f}));
    EXPECT_EQ(Cross(cVec3{1, 0, 0}, cVec3{0, 1, 0}), kUnitZ);
}

}  // namespace
}  // namespace tovan
