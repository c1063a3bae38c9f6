// Float rectangles {x0, y0, x1, y1} with y growing upwards (y1 is the top edge),
// and the anchor codes that place one rectangle relative to another.
#pragma once
#include "core/vec.h"

namespace tovan {

// Anchor code = horizontal + vertical: left 0, centre 1, right 2; top 0, middle 4,
// bottom 8. Valid codes: 0, 1, 2, 4, 5, 6, 8, 9, 10.
enum AnchorCode {
    kAnchorLeft = 0,
    kAnchorCentre = 1,
    kAnchorRight = 2,
    kAnchorTop = 0,
    kAnchorMiddle = 4,
    kAnchorBottom = 8,
};

class cRect {
public:
    float x0 = kFloatMax, y0 = kFloatMax, x1 = -kFloatMax, y1 = -kFloatMax;  // empty

    static constexpr cRect Empty() { return {}; }
    static bool IsValidAnchor(int code);

    bool IsEmpty() const { return x0 > x1 || y0 > y1; }
    float Width() const { return x1 - x0; }
    float Height() const { return y1 - y0; }
    cVec2 Centre() const { return {(x0 + x1) * 0.5f, (y0 + y1) * 0.5f}; }
    bool Contains(const cVec2& p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
    void Move(float dx, float dy) { x0 += dx, x1 += dx, y0 += dy, y1 += dy; }

    // The point at the anchor code; the zero vector for an unknown code.
    cVec2 GetAnchorPoint(int code) const;
    // Moves the rect, size kept, so its anchor point lies at (x, y); unknown codes do nothing.
    void MoveAnchorTo(int code, float x, float y);
    // Moves the rect so its anchor point meets the same anchor point of other.
    void AlignTo(const cRect& other, int code);
    // The band of this rect in which inner's anchor snaps to `code`; empty for unknown codes.
    cRect GetAnchorZone(const cRect& inner, int code) const;
    // Code of the anchor of this rect nearest to inner, per axis the nearest of near
    // edge, centre and far edge; optionally that code's zone and the offset from
    // this rect's anchor point to inner's.
    int FindNearestAnchor(const cRect& inner, cRect* zone = nullptr, cVec2* offset = nullptr) const;

    constexpr bool operator==(const cRect& b) const { return x0 == b.x0 && y0 == b.y0 && x1 == b.x1 && y1 == b.y1; }
    constexpr bool operator!=(const cRect& b) const { return !(*this == b); }
};

}  // namespace tovan
