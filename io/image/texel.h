// Loading and storing single components of uncompressed texels (internal to
// the image operations). 16-bit and float components are little-endian, as
// on every target the framework builds for.
#pragma once
#include <cstdint>
#include <cstring>

#include "io/image/format.h"
#include "core/half.h"

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

inline int ComponentBytes(ComponentType type) {
    switch (type) {
    case ComponentType::Byte: return 1;
    case ComponentType::Short:
    case ComponentType::Half: return 2;
    case ComponentType::Float: return 4;
    default: return 0;
    }
}

// The stored value as a number: bytes 0..255, shorts 0..65535, halves widened.
inline float Load(ComponentType type, const uint8_t* p) {
    switch (type) {
    case ComponentType::Byte: return float(*p);
    case ComponentType::Short: return float(LoadU16(p));
    case ComponentType::Half: return HalfToFloat(LoadU16(p));
    default: return LoadF32(p);
    }
}

}  // namespace tovan::texel
