#include "tools/spline_math.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tovan {
namespace {

// A node on the x axis with its controls before and after it on the axis. With
// each control a third of the way along its segment the curve runs at constant
// speed within each segment.
cSplinePoints Straight(float x, float in = 1, float out = 1) { return {{x - in, 0, 0}, {x, 0, 0}, {x + out, 0, 0}}; }
// Nodes at x = 0, 3 and 9 (segments of length 3 and 6).
const cSplinePoints kLine[3] = {Straight(0), Straight(3, 1, 2), Straight(9, 2, 1)};

void ExpectNear(const cVec3& a, const cVec3& b, float eps = 1e-4f) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

bool Finite(const cVec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

TEST(SplineTable, SegmentCountsOpenAndClosed) {
    struct Case {
        int nodes;
        bool closed;
        int segments;
    };
    const Case cases[] = {{0, false, 0}, {0, true, 0}, {1, false, 0}, {1, true, 1},
                          {2, false, 1}, {2, true, 2}, {5, false, 4}, {5, true, 5}};
    const cSplinePoints nodes[5] = {Straight(0), Straight(3), Straight(9), Straight(12), Straight(15)};
    for (const Case& c : cases) {
        cSplineTable table;
        table.Build(nodes, c.nodes, c.closed);
        EXPECT_EQ(table.Count(), c.segments) << c.nodes << (c.closed ? " closed" : " open");
        EXPECT_EQ(cSplineTable::SegmentCount(c.nodes, c.closed), c.segments);
    }
    // The closing segment of two nodes runs from node 1 back to node 0.
    cSplineTable closed;
    closed.Build(nodes, 2, true);
    ExpectNear(closed.At(1).p0, nodes[1].ep);
    ExpectNear(closed.At(1).c0, nodes[1].cv1);
    ExpectNear(closed.At(1).c1, nodes[0].cv0);
    ExpectNear(closed.At(1).p1, nodes[0].ep);
}

TEST(SplineTable, CumulativeLengthAndEndParameterAtEachNode) {
    const cSplinePoints* nodes = kLine;
    cSplineTable table;
    table.Build(nodes, 3, false);
    ASSERT_EQ(table.Count(), 2);
    EXPECT_NEAR(table.At(0).cumulativeLength, 3, 1e-4);
    EXPECT_NEAR(table.At(1).cumulativeLength, 9, 1e-4);
    EXPECT_NEAR(table.At(0).endParameter, 1.0f / 3, 1e-5);
    EXPECT_EQ(table.At(1).endParameter, 1.0f);
    EXPECT_NEAR(table.TotalLength(), 9, 1e-4);
    // Sphere of the four controls and the box of all of them.
    ExpectNear(table.At(1).sphereCentre, {6, 0, 0});
    EXPECT_NEAR(table.At(1).sphereRadius, 3, 1e-5);
    ExpectNear(table.Bounds().m_Min, {0, 0, 0});
    ExpectNear(table.Bounds().m_Max, {9, 0, 0});
}

TEST(SplineTable, PointAtClampsAndIsLinearInTWithinASegment) {
    const cSplinePoints* nodes = kLine;
    cSplineTable table;
    table.Build(nodes, 3, false);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float t;
        float x;
    } cases[] = {{-1, 0}, {0, 0}, {nan, 0}, {1.0f / 3, 3}, {0.5f, 4.5f}, {1, 9}, {7, 9}};
    for (const auto& c : cases)
        ExpectNear(table.PointAt(c.t), {c.x, 0, 0});
    ExpectNear(cSplineTable().PointAt(0.5f), kZeroVec3);
}

TEST(SplineTable, ParameterAtDistance) {
    const cSplinePoints* nodes = kLine;
    cSplineTable table;
    table.Build(nodes, 3, false);
    const struct {
        float d;
        int segment;
        float u;
    } cases[] = {{-5, 0, 0}, {0, 0, 0}, {1.5f, 0, 0.5f}, {3, 0, 1}, {6, 1, 0.5f}, {9, 1, 1}, {100, 1, 1}};
    for (const auto& c : cases) {
        const cSplineParameter p = table.ParameterAtDistance(c.d);
        EXPECT_EQ(p.segment, c.segment) << c.d;
        EXPECT_NEAR(p.u, c.u, 1e-4) << c.d;
    }
    const cSplineParameter none = cSplineTable().ParameterAtDistance(3);
    EXPECT_EQ(none.segment, 0);
    EXPECT_EQ(none.u, 0);
    cSplineSegment s;
    s.c0 = {1, 0, 0};
    s.c1 = {2, 0, 0};
    s.p1 = {3, 0, 0};
    EXPECT_EQ(SegmentParameterAtLength(s, -1), 0);
    EXPECT_EQ(SegmentParameterAtLength(s, 4), 1);
}

TEST(SplineTable, NoLengthKeepsProvisionalParametersAndNoWidthMeansU0) {
    // Every point the same: total 0, end parameters stay (i + 1) / n.
    const cSplinePoints same = {{1, 2, 3}, {1, 2, 3}, {1, 2, 3}};
    const cSplinePoints flat[3] = {same, same, same};
    cSplineTable table;
    table.Build(flat, 3, false);
    EXPECT_EQ(table.TotalLength(), 0);
    EXPECT_EQ(table.At(0).endParameter, 0.5f);
    EXPECT_EQ(table.At(1).endParameter, 1.0f);
    ExpectNear(table.PointAt(0.7f), {1, 2, 3});
    // A first segment of no length has no width in t; t = 0 falls into it.
    const cSplinePoints nodes[3] = {Straight(0, 0, 0), Straight(0, 0, 1), Straight(3)};
    table.Build(nodes, 3, false);
    EXPECT_EQ(table.At(0).endParameter, 0);
    const cVec3 start = table.PointAt(0);
    EXPECT_TRUE(Finite(start));
    ExpectNear(start, {0, 0, 0});
    ExpectNear(table.TangentAt(0, 0.5f), kZeroVec3);
    cList<cSplinePoints> out;
    ASSERT_TRUE(ResampleUniform(table, false, 4, out));
    for (const cSplinePoints& n : out)
        EXPECT_TRUE(Finite(n.cv0) && Finite(n.ep) && Finite(n.cv1));
    ExpectNear(out[0].cv0, out[0].ep);  // the zero tangent of the empty segment
}

TEST(SplineResample, UniformOpenAndClosed) {
    const cSplinePoints* nodes = kLine;
    cSplineTable table;
    table.Build(nodes, 3, false);
    cList<cSplinePoints> out;
    ASSERT_TRUE(ResampleUniform(table, false, 4, out));
    ASSERT_EQ(out.Count(), 4);
    const float eps[4] = {0, 3, 6, 9};
    for (int i = 0; i < 4; ++i)
        ExpectNear(out[i].ep, {eps[i], 0, 0}, 1e-3f);
    // dB/dt of the first old segment is 3 / (1/3) = 9; over 3 new segments / 3: 1.
    ExpectNear(out[0].cv1 - out[0].ep, {1, 0, 0}, 1e-3f);
    // The second old segment is twice as long in the same width of t.
    ExpectNear(out[2].cv1 - out[2].ep, {1, 0, 0}, 1e-3f);
    ExpectNear(out[2].ep - out[2].cv0, {1, 0, 0}, 1e-3f);

    // Closed: count nodes spread over the whole loop, none repeating the first.
    table.Build(nodes, 3, true);
    ASSERT_TRUE(ResampleUniform(table, true, 3, out));
    ASSERT_EQ(out.Count(), 3);
    const float step = table.TotalLength() / 3;
    EXPECT_NEAR(out[1].ep.x, table.PointAt(step / table.TotalLength()).x, 0.05f);
    EXPECT_GT(Length(out[2].ep - out[0].ep), 1);

    EXPECT_FALSE(ResampleUniform(cSplineTable(), false, 4, out));
    EXPECT_EQ(out.Count(), 0);
}

TEST(SplineResample, AdaptiveFlatPiecesMakeKPlusOneOpenAndKClosed) {
    const cSplinePoints* nodes = kLine;
    cSplineTable table;
    table.Build(nodes, 3, false);
    cList<cSplinePoints> out;
    ASSERT_TRUE(ResampleAdaptive(table, false, 0.001f, out));
    ASSERT_EQ(out.Count(), 3);
    ExpectNear(out[0].cv0, {-1, 0, 0});  // mirrored outer tangents
    ExpectNear(out[2].cv1, {11, 0, 0});
    ExpectNear(out[1].cv0, nodes[1].cv0);
    ExpectNear(out[1].cv1, nodes[1].cv1);

    table.Build(nodes, 3, true);  // three pieces, the last ends at node 0
    ASSERT_TRUE(ResampleAdaptive(table, true, 1e9f, out));
    ASSERT_EQ(out.Count(), 3);
    ExpectNear(out[0].ep, nodes[0].ep);
    ExpectNear(out[0].cv0, nodes[0].cv0);
    ExpectNear(out[2].ep, nodes[2].ep);
}

TEST(SplineResample, AdaptiveSplitsCurvesAndKeepsTheShape) {
    const cSplinePoints nodes[2] = {{{0, 0, 0}, {0, 0, 0}, {0, 10, 0}}, {{10, 10, 0}, {10, 0, 0}, {10, 0, 0}}};
    cSplineTable table;
    table.Build(nodes, 2, false);
    cList<cSplinePoints> out;
    ASSERT_TRUE(ResampleAdaptive(table, false, 0.5f, out));
    ASSERT_GT(out.Count(), 3);
    cSplineTable again;
    again.Build(out.Data(), out.Count(), false);
    // Every new end point lies on the old curve, and the pieces join up.
    for (int j = 0; j < out.Count(); ++j) {
        float nearest = 1e9f;
        for (int i = 0; i <= 2000; ++i)
            nearest = std::min(nearest, Length(out[j].ep - table.PointAt(float(i) / 2000)));
        EXPECT_LT(nearest, 0.02f) << j;
    }
    EXPECT_NEAR(again.TotalLength(), table.TotalLength(), 0.05f);
}

TEST(SplineResample, SubdivisionStopsAtDepthAndOnNonFiniteError) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        cBezierPiece piece;
        float limit;
        int pieces;
    };
    const Case cases[] = {
        {{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}}, 0.001f, 1},      // already flat
        {{{0, 0, 0}, {0, 4e19f, 0}, {0, 0, 0}, {0, 0, 0}}, 0.001f, 1},  // error overflows: flat
        {{{0, 0, 0}, {nan, 0, 0}, {0, 0, 0}, {3, 0, 0}}, 0.001f, 1},
        {{{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, -1, 1 << kMaxSubdivisionDepth},  // never flat enough,
    };
    for (const Case& c : cases) {
        cList<cBezierPiece> out;
        SubdivideSegment(c.piece.p0, c.piece.c0, c.piece.c1, c.piece.p1, c.limit, out);
        EXPECT_EQ(out.Count(), c.pieces);
    }
}

TEST(SplineCenter, KeepsWorldPositions) {
    cSplinePoints nodes[2] = {{{-1, 0, 0}, {0, 0, 0}, {1, 0, 0}}, {{3, 4, 0}, {4, 4, 2}, {5, 4, 0}}};
    cMat4 m;
    m.m[0][0] = m.m[1][1] = m.m[2][2] = 2;
    m.SetTranslation({5, 1, 0});
    cSplinePoints world[2];
    for (int i = 0; i < 2; ++i)
        world[i] = {m.TransformPoint(nodes[i].cv0), m.TransformPoint(nodes[i].ep), m.TransformPoint(nodes[i].cv1)};
    const cVec3 c = CenterNodes(nodes, 2, m);
    ExpectNear(c, {9, 5, 2});  // centre of the world end points (5,1,0) and (13,9,4)
    for (int i = 0; i < 2; ++i) {
        ExpectNear(nodes[i].cv0 + c, world[i].cv0);
        ExpectNear(nodes[i].ep + c, world[i].ep);
        ExpectNear(nodes[i].cv1 + c, world[i].cv1);
    }
    ExpectNear(CenterNodes(nodes, 0, m), kZeroVec3);
}

}  // namespace
}  // namespace tovan
