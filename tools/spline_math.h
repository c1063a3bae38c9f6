// The mathematics of splines, apart from their class-engine and widget sides: a
// chain of cubic Bezier segments through end points, the per-segment arc-length
// table, evaluation by normalised parameter and by distance, and the resampling
// of a chain into new end points with their tangent control points.
#pragma once
#include "core/bounds.h"
#include "core/list.h"
#include "core/mat.h"
#include "core/vec.h"

namespace tovan {

// The three points of one node: incoming control, end point, outgoing control.
struct cSplinePoints {
    cVec3 cv0;
    cVec3 ep;
    cVec3 cv1;
};

// One segment: the Bezier control points, where it ends in the normalised
// parameter of the whole chain, the bounding sphere of its control points and
// the arc length from the chain's start to its end. 18 floats.
struct cSplineSegment {
    cVec3 p0, c0, c1, p1;
    float endParameter = 0;
    cVec3 sphereCentre;
    float sphereRadius = 0;
    float cumulativeLength = 0;
};
static_assert(sizeof(cSplineSegment) == 18 * sizeof(float), "the segment record is 18 floats");

// Bezier pieces collected by adaptive subdivision.
struct cBezierPiece {
    cVec3 p0, c0, c1, p1;
};

cVec3 BezierPoint(const cVec3& p0, const cVec3& c0, const cVec3& c1, const cVec3& p1, float u);
cVec3 BezierDerivative(const cVec3& p0, const cVec3& c0, const cVec3& c1, const cVec3& p1, float u);

// Chord-sum length over u = 0, 0.01, ..., 1.
float SegmentLength(const cSplineSegment& segment);
// The u at which the chord sum reaches s: 0 for s <= 0, 1 when never reached.
float SegmentParameterAtLength(const cSplineSegment& segment, float s);

struct cSplineParameter {
    int segment = 0;
    float u = 0;
};

// Segment table of a node chain; an open chain of n nodes has n - 1 segments, a
// closed one n (the last runs back to node 0).
class cSplineTable {
public:
    static int SegmentCount(int nodeCount, bool closed);

    void Build(const cSplinePoints* nodes, int nodeCount, bool closed);
    void Clear();

    int Count() const { return m_Segments.Count(); }
    bool IsEmpty() const { return m_Segments.IsEmpty(); }
    const cSplineSegment& At(int i) const { return m_Segments[i]; }
    float TotalLength() const { return IsEmpty() ? 0.0f : m_Segments[Count() - 1].cumulativeLength; }
    float PreviousEndParameter(int i) const { return i > 0 ? m_Segments[i - 1].endParameter : 0.0f; }
    const cBounds& Bounds() const { return m_Bounds; }

    // Distance clamped to [0, total]; an empty table gives {0, 0}.
    cSplineParameter ParameterAtDistance(float distance) const;
    // t clamped to [0, 1]; an empty table gives the zero vector.
    cVec3 PointAt(float t) const;
    // dB/dt of segment i at local u: B'(u) over the segment's parameter width,
    // zero for a segment of no width.
    cVec3 TangentAt(int segment, float u) const;

private:
    cList<cSplineSegment> m_Segments;
    cBounds m_Bounds;
};

// count nodes at equal arc-length steps, each with tangents that keep the curve's
// direction and speed; false (out empty) when the table is empty or count < 2.
bool ResampleUniform(const cSplineTable& table, bool closed, int count, cList<cSplinePoints>& out);

// Splits each piece at u = 0.5, its halves taking its place, until every piece
// is flat within limit (squared distance of the controls from the chord's
// thirds), or as flat as float rounding of its coordinates can tell, or 20
// halvings deep; a non-finite error counts as flat. No split makes the list
// longer than maxPieces: the pieces still follow the whole curve, some of them
// less flat. False when a piece stays coarser than the limit, whatever stopped it.
bool SubdividePieces(cList<cBezierPiece>& pieces, float limit, int maxPieces);
constexpr int kMaxSubdivisionDepth = 20;

// Nodes from the adaptively subdivided segments: k pieces give k + 1 nodes when
// open and k when closed (the closing piece ends at node 0). Splitting stops at
// maxNodes nodes; a chain with more segments than that keeps them as they are.
// *coarse tells whether parts of the result are coarser than the limit. False
// (out empty) for an empty table.
bool ResampleAdaptive(const cSplineTable& table, bool closed, float limit, int maxNodes, cList<cSplinePoints>& out,
                      bool* coarse = nullptr);

// Moves every node point into world space through m less the centre of the world
// end points' box, and returns that centre; nodes stay where they were in the
// world once the transform is the translation to the centre.
cVec3 CenterNodes(cSplinePoints* nodes, int count, const cMat4& m);

}  // namespace tovan
