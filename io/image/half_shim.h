// Stand-in for the foundation's half floats until they land; same names.
#pragma once
#include <cstdint>
#include <cstring>

namespace tovan {

inline uint16_t FloatToHalf(float value) {
    uint32_t f;
    std::memcpy(&f, &value, 4);
    const uint32_t sign = (f >> 16) & 0x8000u;
    const int exponent = int((f >> 23) & 0xFF);
    uint32_t mantissa = f & 0x7FFFFFu;
    if (exponent == 255)
        return uint16_t(sign | 0x7C00u | (mantissa ? 0x200u | (mantissa >> 13) : 0u));
    int e = exponent - 127 + 15;
    if (e >= 31)
        return uint16_t(sign | 0x7C00u);
    if (e <= 0) {
        if (e < -10)
            return uint16_t(sign);
        mantissa |= 0x800000u;
        const int shift = 14 - e;
        return uint16_t(sign | ((mantissa + (1u << (shift - 1))) >> shift));
    }
    uint32_t h = (uint32_t(e) << 10) + ((mantissa + 0x1000u) >> 13);
    if (h >= 0x7C00u)
        h = 0x7C00u;
    return uint16_t(sign | h);
}

inline float HalfToFloat(uint16_t half) {
    const uint32_t sign = uint32_t(half & 0x8000u) << 16;
    int exponent = (half >> 10) & 31;
    uint32_t mantissa = half & 0x3FFu;
    uint32_t f;
    if (exponent == 31) {
        f = sign | 0x7F800000u | (mantissa << 13);
    } else if (exponent == 0) {
        if (!mantissa) {
            f = sign;
        } else {
            exponent = 1;
            while (!(mantissa & 0x400u)) {
                mantissa <<= 1;
                --exponent;
            }
            f = sign | (uint32_t(exponent - 15 + 127) << 23) | ((mantissa & 0x3FFu) << 13);
        }
    } else {
        f = sign | (uint32_t(exponent - 15 + 127) << 23) | (mantissa << 13);
    }
    float value;
    std::memcpy(&value, &f, 4);
    return value;
}

}  // namespace tovan
