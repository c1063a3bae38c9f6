#include "core/half.h"

#include <cstring>

namespace tovan {

namespace {
uint32_t FloatBits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float BitsFloat(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
}  // namespace

uint16_t FloatToHalf(float value) {
    const uint32_t bits = FloatBits(value);
    const uint16_t sign = uint16_t((bits >> 16) & 0x8000u);
    const int floatExponent = int((bits >> 23) & 0xFF);
    const uint32_t mantissa = bits & 0x7FFFFFu;

    if (floatExponent == 0xFF) {
        if (mantissa == 0)
            return uint16_t(sign | 0x7C00u);
        // Keep the top payload bits; a payload living only in the low bits must
        // still leave a non-zero mantissa or the NaN would turn into infinity.
        uint32_t payload = mantissa >> 13;
        return uint16_t(sign | 0x7C00u | (payload ? payload : 0x200u));
    }

    const int exponent = floatExponent - 127 + 15;
    if (exponent >= 31)
        return uint16_t(sign | 0x7C00u);
    if (exponent <= 0) {
        // Below 2^-25 even rounding up cannot reach the smallest subnormal, and the
        // shift below would reach 32.
        if (exponent < -10)
            return sign;
        const uint32_t full = mantissa | 0x800000u;
        const int shift = 14 - exponent;  // 14..24
        return uint16_t(sign | ((full + (1u << (shift - 1))) >> shift));
    }
    // A carry out of the mantissa lands in the exponent, and from 30 in infinity.
    return uint16_t(sign | ((uint32_t(exponent) << 10) + ((mantissa + 0x1000u) >> 13)));
}

float HalfToFloat(uint16_t half) {
    const uint32_t sign = uint32_t(half & 0x8000u) << 16;
    int exponent = (half >> 10) & 0x1F;
    uint32_t mantissa = half & 0x3FFu;

    if (exponent == 0x1F)
        return BitsFloat(sign | 0x7F800000u | (mantissa << 13));
    if (exponent == 0) {
        if (mantissa == 0)
            return BitsFloat(sign);
        exponent = 1;
        while (!(mantissa & 0x400u)) {
            mantissa <<= 1;
            --exponent;
        }
        mantissa &= 0x3FFu;
    }
    return BitsFloat(sign | (uint32_t(exponent - 15 + 127) << 23) | (mantissa << 13));
}

}  // namespace tovan
