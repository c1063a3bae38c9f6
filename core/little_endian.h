// Little-endian numbers in byte buffers, the order of every file format the
// framework reads or writes, whatever the processor. cStream's fields, the
// fixed headers that decoders take through cReader, and the texel operations
// all go through these.
#pragma once
#include <cstdint>
#include <cstring>

namespace tovan {

inline uint16_t LoadU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t LoadU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline int16_t LoadI16(const uint8_t* p) { return int16_t(LoadU16(p)); }
inline int32_t LoadI32(const uint8_t* p) { return int32_t(LoadU32(p)); }
inline float LoadF32(const uint8_t* p) {  // the IEEE single with these bytes
    const uint32_t bits = LoadU32(p);
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

inline void StoreU16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void StoreI16(uint8_t* p, int16_t v) { StoreU16(p, uint16_t(v)); }
inline void StoreU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}
inline void StoreF32(uint8_t* p, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    StoreU32(p, bits);
}

}  // namespace tovan
