// Loading and storing single components of uncompressed texels, and widening
// narrow packed components to bytes (internal to the image operations and
// codecs). 16-bit and float components are little-endian, as on every target
// the framework builds for.
#pragma once
#include <cstdint>

#include "core/half.h"
#include "core/little_endian.h"
#include "io/image/format.h"

namespace tovan::texel {

// 5- and 6-bit components to bytes by repeating their high bits in the low
// ones, so that the largest value becomes 255 and the steps stay even.
constexpr uint8_t Widen5(unsigned v) { return uint8_t(v << 3 | v >> 2); }
constexpr uint8_t Widen6(unsigned v) { return uint8_t(v << 2 | v >> 4); }

inline int ComponentBytes(const ImageFormatInfo& info) { return info.texelBytes / info.components; }

// A half or float component as a float (the two types the mip chain sums as floats).
inline float LoadFloat(ComponentType type, const uint8_t* p) {
    return type == ComponentType::Half ? HalfToFloat(LoadU16(p)) : LoadF32(p);
}

}  // namespace tovan::texel
