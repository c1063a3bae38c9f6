// Loading and storing single components of uncompressed texels (internal to
// the image operations). 16-bit and float components are little-endian, as
// on every target the framework builds for.
#pragma once
#include <cstdint>
#include <cstring>

#include "core/half.h"
#include "io/image/format.h"

namespace tovan::texel {

inline uint16_t LoadU16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
inline void StoreU16(uint8_t* p, uint16_t v) { std::memcpy(p, &v, 2); }
inline float LoadF32(const uint8_t* p) {
    float v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void StoreF32(uint8_t* p, float v) { std::memcpy(p, &v, 4); }

inline int ComponentBytes(const ImageFormatInfo& info) { return info.texelBytes / info.components; }

// A half or float component as a float (the two types the mip chain sums as floats).
inline float LoadFloat(ComponentType type, const uint8_t* p) {
    return type == ComponentType::Half ? HalfToFloat(LoadU16(p)) : LoadF32(p);
}

}  // namespace tovan::texel
