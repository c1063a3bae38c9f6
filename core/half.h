// IEEE 754 binary16 ("half float") conversion, used by the 16-bit float pixel
// formats of the image record.
#pragma once
#include <cstdint>

namespace tovan {

// Rounds half up (0x1000 added to the mantissa before it loses its 13 low bits);
// too large gives signed infinity, too small a subnormal or signed zero, NaN stays NaN.
uint16_t FloatToHalf(float value);

// Exact: every half, subnormals included, is a float.
float HalfToFloat(uint16_t half);

}  // namespace tovan
