#include "core/rect.h"

#include <algorithm>
#include <cmath>

namespace tovan {

namespace {
// Position of each anchor along its axis, 0 at x0 / y0 and 1 at x1 / y1; -1 marks
// codes that name no anchor.
constexpr float kHorizontal[4] = {0.0f, 0.5f, 1.0f, -1.0f};
constexpr float kVertical[4] = {1.0f, 0.5f, 0.0f, -1.0f};  // by code / 4: top, middle, bottom

bool Split(int code, float* h, float* v) {
    if (code < 0 || code > 10)
        return false;
    *h = kHorizontal[code & 3];
    *v = kVertical[code >> 2];
    return *h >= 0 && *v >= 0;
}

// a at t = 0, b at t = 1, exact at both ends.
float Along(float a, float b, float t) { return a * (1 - t) + b * t; }

// Nearest of near edge (0), centre (1) and far edge (2) on one axis.
int NearestOnAxis(float centreDistance, float nearDistance, float farDistance) {
    if (centreDistance > nearDistance)
        return nearDistance < farDistance ? 0 : 2;
    return centreDistance < farDistance ? 1 : 2;
}

// The band [from, to] on one axis: q - r wide at an edge, twice that about the middle.
void Band(float lo, float hi, float t, float half, float* from, float* to) {
    if (t == 0) {
        *from = lo, *to = lo + half;
    } else if (t == 1) {
        *from = hi - half, *to = hi;
    } else {
        const float middle = Along(lo, hi, 0.5f);
        *from = middle - half, *to = middle + half;
    }
}
}  // namespace

bool cRect::IsValidAnchor(int code) {
    float h, v;
    return Split(code, &h, &v);
}

cVec2 cRect::GetAnchorPoint(int code) const {
    float h, v;
    if (!Split(code, &h, &v))
        return kZeroVec2;
    return {Along(x0, x1, h), Along(y0, y1, v)};
}

void cRect::MoveAnchorTo(int code, float x, float y) {
    if (!IsValidAnchor(code))
        return;
    const cVec2 at = GetAnchorPoint(code);
    Move(x - at.x, y - at.y);
}

void cRect::AlignTo(const cRect& other, int code) {
    const cVec2 at = other.GetAnchorPoint(code);
    MoveAnchorTo(code, at.x, at.y);
}

cRect cRect::GetAnchorZone(const cRect& inner, int code) const {
    float h, v;
    if (!Split(code, &h, &v))
        return Empty();
    const float qx = Width() * 0.25f, qy = Height() * 0.25f;
    const float halfX = qx - std::min(inner.Width() * 0.25f, qx);
    const float halfY = qy - std::min(inner.Height() * 0.25f, qy);
    cRect zone;
    Band(x0, x1, h, halfX, &zone.x0, &zone.x1);
    Band(y0, y1, v, halfY, &zone.y0, &zone.y1);
    return zone;
}

int cRect::FindNearestAnchor(const cRect& inner, cRect* zone, cVec2* offset) const {
    const cVec2 centre = Centre(), innerCentre = inner.Centre();
    static constexpr int kVerticalCode[3] = {kAnchorTop, kAnchorMiddle, kAnchorBottom};
    const int h = NearestOnAxis(std::fabs(centre.x - innerCentre.x), inner.x0 - x0, x1 - inner.x1);
    const int v = NearestOnAxis(std::fabs(centre.y - innerCentre.y), y1 - inner.y1, inner.y0 - y0);
    const int code = h + kVerticalCode[v];
    if (zone)
        *zone = GetAnchorZone(inner, code);
    if (offset)
        *offset = inner.GetAnchorPoint(code) - GetAnchorPoint(code);
    return code;
}

}  // namespace tovan
