#include "tools/spline_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace tovan {
namespace {

// A node on the x axis with its controls before and after it on the axis. With
// each control a third of the way along its segment the curve runs at constant
// speed within each segment.
cSplinePoints Straight(float x, float in = 1, float out = 1) { return {{x - in, 0, 0}, {x, 0, 0}, {x + out, 0, 0}}; }
// Nodes at x = 0, 3 and 9 (segments of length 3 and 6).
const cSplinePoints kLine[3] = {Straight(0), Straight(3, 1, 2), Straight(9, 2, 1)};
// A curve of ordinary size through four nodes, bending in three dimensions.
const cSplinePoints kWave[4] = {{{-40, -8, 3}, {-30, 0, 0}, {-20, 8, -3}},
                                {{-12, 14, 0}, {0, 10, 5}, {12, 6, 10}},
                                {{18, -20, 4}, {25, -12, 0}, {32, -4, -4}},
                                {{40, 30, 0}, {45, 20, 1}, {50, 10, 2}}};
constexpr int kNodeCap = 1 << 16;  // the resampling commands'

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
    EXPECT_EQ(cSplineTable().ParameterAtDistance(3).u, 0);
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
    ASSERT_TRUE(ResampleAdaptive(table, false, 0.001f, kNodeCap, out));
    ASSERT_EQ(out.Count(), 3);
    ExpectNear(out[0].cv0, {-1, 0, 0});  // mirrored outer tangents
    ExpectNear(out[2].cv1, {11, 0, 0});
    ExpectNear(out[1].cv0, nodes[1].cv0);
    ExpectNear(out[1].cv1, nodes[1].cv1);

    table.Build(nodes, 3, true);  // three pieces, the last ends at node 0
    ASSERT_TRUE(ResampleAdaptive(table, true, 1e9f, kNodeCap, out));
    ASSERT_EQ(out.Count(), 3);
    ExpectNear(out[0].ep, nodes[0].ep);
    ExpectNear(out[0].cv0, nodes[0].cv0);
    ExpectNear(out[2].ep, nodes[2].ep);
}

// FNV-1a over the bits of every coordinate, in node order.
uint32_t HashOf(const cList<cSplinePoints>& nodes) {
    uint32_t hash = 2166136261u;
    for (const cSplinePoints& n : nodes)
        for (const cVec3* v : {&n.cv0, &n.ep, &n.cv1})
            for (float f : {v->x, v->y, v->z}) {
                uint32_t bits;
                std::memcpy(&bits, &f, sizeof bits);
                for (int i = 0; i < 4; ++i)
                    hash = (hash ^ (bits >> (8 * i) & 0xFF)) * 16777619u;
            }
    return hash;
}

std::vector<cSplinePoints> Moved(const cSplinePoints* nodes, int count, const cVec3& by) {
    std::vector<cSplinePoints> moved(nodes, nodes + count);
    for (cSplinePoints& n : moved)
        n = {n.cv0 + by, n.ep + by, n.cv1 + by};
    return moved;
}

TEST(SplineResample, AdaptiveNodesOfOrdinarySplinesAreUnchanged) {
    // Counts and hashes of the nodes adaptive resampling made before it had bounds.
    const cSplinePoints* wave = kWave;
    const cSplinePoints large[3] = {{{-2500, 300, 0}, {-2000, 0, 0}, {-1500, -300, 0}},
                                    {{-400, 1800, 200}, {0, 1500, 0}, {400, 1200, -200}},
                                    {{1900, -900, 0}, {2200, -500, 700}, {2500, -100, 1400}}};
    const cSplinePoints pair[2] = {{{-10, 10, 0}, {0, 10, 0}, {10, 10, 0}}, {{20, 40, -5}, {30, 10, 0}, {40, -20, 5}}};
    // 1e5 from the origin floats still resolve the smallest limit.
    const cVec3 far = {1e5f, -1e5f, 1e5f};
    const std::vector<cSplinePoints> farWave = Moved(wave, 4, far), farLarge = Moved(large, 3, {1e5f, 0, 0}),
                                     farPair = Moved(pair, 2, far);
    struct Case {
        const cSplinePoints* nodes;
        int count;
        bool closed;
        float limit;
        int made;
        uint32_t hash;
    };
    const Case cases[] = {
        {wave, 4, false, 0.001f, 89, 3834139707u},
        {wave, 4, true, 0.001f, 142, 785629689u},
        {wave, 4, false, 1, 18, 811254234u},
        {wave, 4, true, 1, 28, 3715209640u},
        {large, 3, false, 0.01f, 338, 938354386u},
        {large, 3, true, 0.001f, 983, 387733620u},
        {pair, 2, false, 100, 4, 2667586738u},
        {pair, 2, true, 0.001f, 91, 112428999u},
        {farWave.data(), 4, false, 0.001f, 94, 1066320711u},
        {farLarge.data(), 3, true, 0.001f, 1005, 2481110335u},
        {farPair.data(), 2, true, 0.001f, 93, 2562697254u},
    };
    for (const Case& c : cases) {
        cSplineTable table;
        table.Build(c.nodes, c.count, c.closed);
        cList<cSplinePoints> out;
        bool coarse = true;
        ASSERT_TRUE(ResampleAdaptive(table, c.closed, c.limit, kNodeCap, out, &coarse));
        EXPECT_FALSE(coarse);
        EXPECT_EQ(out.Count(), c.made) << c.count << (c.closed ? " closed " : " open ") << c.limit;
        EXPECT_EQ(HashOf(out), c.hash) << c.count << (c.closed ? " closed " : " open ") << c.limit;
    }
}

TEST(SplineResample, SubdivisionStopsAtTheLimitAtFloatRoundingOrAtTheCap) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const cBezierPiece bend = {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}};
    const cVec3 away = {1e6f, -1e6f, 0};
    struct Case {
        cBezierPiece piece;
        float limit;
        int maxPieces;
        int pieces;
        bool within;  // every piece within the limit
    };
    const Case cases[] = {
        {{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}}, 0.001f, kNodeCap, 1, true},      // already flat
        {{{0, 0, 0}, {0, 4e19f, 0}, {0, 0, 0}, {0, 0, 0}}, 0.001f, kNodeCap, 1, true},  // error overflows: flat
        {{{0, 0, 0}, {nan, 0, 0}, {0, 0, 0}, {3, 0, 0}}, 0.001f, kNodeCap, 1, true},
        {bend, 0.001f, kNodeCap, 8, true},
        // Never within the limit: flat as far as rounding tells, which is far
        // coarser 1e6 from the origin; halving there used to go 20 deep.
        {bend, -1, kNodeCap, 5688, false},
        {{bend.p0 + away, bend.c0 + away, bend.c1 + away, bend.p1 + away}, 0.001f, kNodeCap, 4, false},
        // The cap: level 9 has 512 pieces, and 488 of them split to make 1000.
        {bend, -1, 1000, 1000, false},
        {bend, -1, 1, 1, false},
    };
    for (const Case& c : cases) {
        cList<cBezierPiece> pieces;
        pieces.PushBack(c.piece);
        EXPECT_EQ(SubdividePieces(pieces, c.limit, c.maxPieces), c.within) << c.limit << " " << c.maxPieces;
        ASSERT_EQ(pieces.Count(), c.pieces) << c.limit << " " << c.maxPieces;
        // Whatever stopped it, the pieces run end to end over the whole curve.
        EXPECT_EQ(pieces[0].p0, c.piece.p0);
        EXPECT_EQ(pieces[c.pieces - 1].p1, c.piece.p1);
        for (int i = 1; i < c.pieces; ++i)
            ASSERT_EQ(pieces[i].p0, pieces[i - 1].p1) << i;
    }
}

TEST(SplineResample, AdaptiveNodesStopAtTheCapAndEndOnTheLastEndPoint) {
    struct Case {
        bool closed;
        int maxNodes;
        int made;
        bool coarse;
    };
    const Case cases[] = {
        {false, 89, 89, false},  // exactly what the limit asks for
        {false, 88, 88, true},  {false, 50, 50, true},
        {true, 50, 50, true},   {false, 2, 4, true},  // fewer than the segments: they stay as they are
    };
    for (const Case& c : cases) {
        cSplineTable table;
        table.Build(kWave, 4, c.closed);
        cList<cSplinePoints> out;
        bool coarse = !c.coarse;
        ASSERT_TRUE(ResampleAdaptive(table, c.closed, 0.001f, c.maxNodes, out, &coarse));
        ASSERT_EQ(out.Count(), c.made) << c.maxNodes;
        EXPECT_EQ(coarse, c.coarse) << c.maxNodes;
        EXPECT_EQ(out[0].ep, kWave[0].ep);
        if (!c.closed) {
            EXPECT_EQ(out[c.made - 1].ep, kWave[3].ep) << c.maxNodes;
        }
    }
}

}  // namespace
}  // namespace tovan
