// Loading and storing single components of uncompressed texels (internal to
// the image operations). 16-bit and float components are little-endian, as
// on every target the framework builds for.
#pragma once
#include <cstdint>

#include "core/half.h"
#include "core/little_endian.h"
#include "io/image/format.h"

namespace tovan::texel {

inline int ComponentBytes(const ImageFormatInfo& info) { return info.texelBytes / info.components; }

// A half or float component as a float (the two types the mip chain sums as floats).
inline float LoadFloat(ComponentType type, const uint8_t* p) {
    return type == ComponentType::Half ? HalfToFloat(LoadU16(p)) : LoadF32(p);
}

}  // namespace tovan::texel
