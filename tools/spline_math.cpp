#include "tools/spline_math.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace tovan {

namespace {

constexpr int kLengthSteps = 100;  // chords per segment for lengths
constexpr float kThird = 0.33333334f;
constexpr float kTwoThirds = 0.6666667f;

cVec3 PointOf(const cSplineSegment& s, float u) { return BezierPoint(s.p0, s.c0, s.c1, s.p1, u); }

// The sample parameters are i / 100 rather than a running sum, so the last is 1.
float StepParameter(int i) { return float(i) / float(kLengthSteps); }

float Clamp01(float v) {
    if (!(v > 0))  // NaN included
        return 0;
    return v < 1 ? v : 1;
}

cVec3 Midpoint(const cVec3& a, const cVec3& b) { return (a + b) * 0.5f; }

float SquaredDistance(const cVec3& a, const cVec3& b) {
    const cVec3 d = a - b;
    return Dot(d, d);
}

// The squared distance of the controls from the chord's thirds.
float FlatnessError(const cBezierPiece& piece) {
    const cVec3 chord = piece.p1 - piece.p0;
    return std::max(SquaredDistance(piece.p0 + chord * kThird, piece.c0),
                    SquaredDistance(piece.p0 + chord * kTwoThirds, piece.c1));
}

// Rounding the thirds moves each coordinate by up to a spacing of floats at the
// piece's largest coordinate, so errors below two spacings may be rounding alone.
float RoundingFloor(const cBezierPiece& piece) {
    float largest = 0;
    for (const cVec3* p : {&piece.p0, &piece.c0, &piece.c1, &piece.p1})
        largest = std::max({largest, std::fabs(p->x), std::fabs(p->y), std::fabs(p->z)});
    const float spacing = std::nextafter(largest, std::numeric_limits<float>::infinity()) - largest;
    return 4 * spacing * spacing;
}

// Huge or broken coordinates never get flatter by halving: take them as flat.
bool WithinLimit(float error, float limit) { return !std::isfinite(error) || error <= limit; }

bool NeedsSplit(const cBezierPiece& piece, float limit) {
    const float error = FlatnessError(piece);
    return !WithinLimit(error, limit) && error > RoundingFloor(piece);
}

// de Casteljau at u = 0.5.
void Split(const cBezierPiece& piece, cList<cBezierPiece>& out) {
    const cVec3 ab = Midpoint(piece.p0, piece.c0);
    const cVec3 bc = Midpoint(piece.c0, piece.c1);
    const cVec3 cd = Midpoint(piece.c1, piece.p1);
    const cVec3 abc = Midpoint(ab, bc);
    const cVec3 bcd = Midpoint(bc, cd);
    const cVec3 mid = Midpoint(abc, bcd);
    out.PushBack({piece.p0, ab, abc, mid});
    out.PushBack({mid, bcd, cd, piece.p1});
}

}  // namespace

cVec3 BezierPoint(const cVec3& p0, const cVec3& c0, const cVec3& c1, const cVec3& p1, float u) {
    // de Casteljau's form: coincident points give exactly that point, so a curve
    // collapsed to one point has length 0 rather than rounding noise.
    auto lerp = [u](const cVec3& a, const cVec3& b) { return a + (b - a) * u; };
    const cVec3 ab = lerp(p0, c0), bc = lerp(c0, c1), cd = lerp(c1, p1);
    return lerp(lerp(ab, bc), lerp(bc, cd));
}

cVec3 BezierDerivative(const cVec3& p0, const cVec3& c0, const cVec3& c1, const cVec3& p1, float u) {
    const float v = 1 - u;
    return ((c0 - p0) * (v * v) + (c1 - c0) * (2 * u * v) + (p1 - c1) * (u * u)) * 3.0f;
}

float SegmentLength(const cSplineSegment& segment) {
    float length = 0;
    cVec3 last = PointOf(segment, 0);
    for (int i = 1; i <= kLengthSteps; ++i) {
        const cVec3 next = PointOf(segment, StepParameter(i));
        length += Length(next - last);
        last = next;
    }
    return length;
}

float SegmentParameterAtLength(const cSplineSegment& segment, float s) {
    if (!(s > 0))
        return 0;
    float walked = 0;
    cVec3 last = PointOf(segment, 0);
    for (int i = 1; i <= kLengthSteps; ++i) {
        const cVec3 next = PointOf(segment, StepParameter(i));
        const float chord = Length(next - last);
        // walked < s here, so a chord that reaches s is longer than 0.
        if (walked + chord >= s)
            return StepParameter(i - 1) + (s - walked) / chord / float(kLengthSteps);
        walked += chord;
        last = next;
    }
    return 1;
}

int cSplineTable::SegmentCount(int nodeCount, bool closed) {
    if (nodeCount <= 0)
        return 0;
    return closed ? nodeCount : nodeCount - 1;
}

void cSplineTable::Clear() {
    m_Segments.Free();
    m_Bounds.SetEmpty();
}

void cSplineTable::Build(const cSplinePoints* nodes, int nodeCount, bool closed) {
    Clear();
    const int n = nodes ? SegmentCount(nodeCount, closed) : 0;
    if (n <= 0)
        return;
    m_Segments.Resize(n);
    float cumulative = 0;
    for (int i = 0; i < n; ++i) {
        const cSplinePoints& a = nodes[i];
        const cSplinePoints& b = nodes[(i + 1) % nodeCount];
        cSplineSegment& s = m_Segments[i];
        s.p0 = a.ep;
        s.c0 = a.cv1;
        s.c1 = b.cv0;
        s.p1 = b.ep;
        s.endParameter = float(i + 1) / float(n);
        cumulative += SegmentLength(s);
        s.cumulativeLength = cumulative;
        const cVec3 controls[4] = {s.p0, s.c0, s.c1, s.p1};
        const cSphere sphere = GetBoundingSphere(controls);
        s.sphereCentre = sphere.centre;
        s.sphereRadius = sphere.radius;
        for (const cVec3& p : controls)
            m_Bounds.Add(p);
    }
    // Without a usable length the provisional, evenly spread parameters stay.
    const float total = cumulative;
    if (!(total > 0) || !std::isfinite(total))
        return;
    for (cSplineSegment& s : m_Segments)
        s.endParameter = s.cumulativeLength / total;
    m_Segments[n - 1].endParameter = 1;
}

cSplineParameter cSplineTable::ParameterAtDistance(float distance) const {
    cSplineParameter result;
    if (IsEmpty())
        return result;
    const float total = TotalLength();
    const float d = distance > 0 ? std::min(distance, total) : 0;
    int i = 0;
    while (i < Count() - 1 && m_Segments[i].cumulativeLength < d)
        ++i;
    const float before = i > 0 ? m_Segments[i - 1].cumulativeLength : 0;
    result.segment = i;
    result.u = SegmentParameterAtLength(m_Segments[i], d - before);
    return result;
}

cVec3 cSplineTable::PointAt(float t) const {
    if (IsEmpty())
        return kZeroVec3;
    t = Clamp01(t);
    // The first segment ending at or past t (else the last). End parameters
    // never decrease, so halving finds it: an edited frame asks thousands of times.
    const cSplineSegment* first = m_Segments.Data();
    const cSplineSegment* last = first + (Count() - 1);
    const int i = int(
        std::lower_bound(first, last, t, [](const cSplineSegment& s, float value) { return s.endParameter < value; }) -
        first);
    const float previous = PreviousEndParameter(i);
    const float width = m_Segments[i].endParameter - previous;
    // A segment of no length has no width in t: its start stands for all of it.
    const float u = width > 0 ? Clamp01((t - previous) / width) : 0;
    return PointOf(m_Segments[i], u);
}

cVec3 cSplineTable::TangentAt(int segment, float u) const {
    if (segment < 0 || segment >= Count())
        return kZeroVec3;
    const cSplineSegment& s = m_Segments[segment];
    const float width = s.endParameter - PreviousEndParameter(segment);
    if (!(width > 0))
        return kZeroVec3;
    return BezierDerivative(s.p0, s.c0, s.c1, s.p1, u) / width;
}

bool ResampleUniform(const cSplineTable& table, bool closed, int count, cList<cSplinePoints>& out) {
    out.Free();
    if (table.IsEmpty() || count < 2)
        return false;
    const int segments = cSplineTable::SegmentCount(count, closed);
    const float step = table.TotalLength() / float(segments);
    const float tangentScale = 1.0f / float(segments) / 3.0f;
    out.Resize(count);
    for (int i = 0; i < count; ++i) {
        const cSplineParameter at = table.ParameterAtDistance(float(i) * step);
        const cSplineSegment& s = table.At(at.segment);
        cSplinePoints& node = out[i];
        node.ep = PointOf(s, at.u);
        const cVec3 tangent = table.TangentAt(at.segment, at.u) * tangentScale;
        node.cv0 = node.ep - tangent;
        node.cv1 = node.ep + tangent;
    }
    return true;
}

bool SubdividePieces(cList<cBezierPiece>& pieces, float limit, int maxPieces) {
    // Level by level, so that a cap leaves the curve evenly coarse rather than
    // fine at its start and untouched at its end.
    cList<cBezierPiece> next;
    for (int depth = 0; depth < kMaxSubdivisionDepth; ++depth) {
        int room = maxPieces - pieces.Count();
        bool split = false;
        next.DestroyItems();
        for (const cBezierPiece& piece : pieces) {
            if (room > 0 && NeedsSplit(piece, limit)) {
                Split(piece, next);
                --room;
                split = true;
            } else {
                next.PushBack(piece);
            }
        }
        if (!split)
            break;
        std::swap(pieces, next);
    }
    for (const cBezierPiece& piece : pieces)
        if (!WithinLimit(FlatnessError(piece), limit))
            return false;
    return true;
}

bool ResampleAdaptive(const cSplineTable& table, bool closed, float limit, int maxNodes, cList<cSplinePoints>& out,
                      bool* coarse) {
    out.Free();
    if (coarse)
        *coarse = false;
    if (table.IsEmpty())
        return false;
    cList<cBezierPiece> pieces;
    for (int i = 0; i < table.Count(); ++i) {
        const cSplineSegment& s = table.At(i);
        pieces.PushBack({s.p0, s.c0, s.c1, s.p1});
    }
    // k pieces make k + 1 nodes open and k closed.
    const bool within = SubdividePieces(pieces, limit, closed ? maxNodes : maxNodes - 1);
    if (coarse)
        *coarse = !within;
    const int k = pieces.Count();
    const cBezierPiece& first = pieces[0];
    const cBezierPiece& last = pieces[k - 1];
    out.Resize(closed ? k : k + 1);
    out[0].ep = first.p0;
    out[0].cv1 = first.c0;
    out[0].cv0 = closed ? last.c1 : first.p0 * 2.0f - first.c0;
    for (int j = 1; j < k; ++j) {
        out[j].ep = pieces[j - 1].p1;
        out[j].cv0 = pieces[j - 1].c1;
        out[j].cv1 = pieces[j].c0;
    }
    if (!closed) {
        cSplinePoints& end = out[k];
        end.ep = last.p1;
        end.cv0 = last.c1;
        end.cv1 = last.p1 * 2.0f - last.c1;
    }
    return true;
}

cVec3 CenterNodes(cSplinePoints* nodes, int count, const cMat4& m) {
    if (!nodes || count <= 0)
        return kZeroVec3;
    cBounds box;
    for (int i = 0; i < count; ++i)
        box.Add(m.TransformPoint(nodes[i].ep));
    const cVec3 centre = box.Centre();
    for (int i = 0; i < count; ++i) {
        cSplinePoints& n = nodes[i];
        n.cv0 = m.TransformPoint(n.cv0) - centre;
        n.ep = m.TransformPoint(n.ep) - centre;
        n.cv1 = m.TransformPoint(n.cv1) - centre;
    }
    return centre;
}

}  // namespace tovan
