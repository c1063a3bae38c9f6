// Rectangle helpers the toolkit shares: clipping and whole-pixel rounding.
#pragma once
#include <cmath>

#include "core/rect.h"

namespace tovan {

// The common part of two rectangles; empty when they do not meet or either is empty.
inline cRect Intersect(const cRect& a, const cRect& b) {
    return {a.x0 > b.x0 ? a.x0 : b.x0, a.y0 > b.y0 ? a.y0 : b.y0, a.x1 < b.x1 ? a.x1 : b.x1, a.y1 < b.y1 ? a.y1 : b.y1};
}

inline float RoundPixel(float v) { return std::floor(v + 0.5f); }

}  // namespace tovan
