// The copies behind codec::SwapRedBlue for three-byte texels (internal to
// io/codecs). Each build has the plain one and, where the processor has
// 16-byte shifts, a faster one that gives the same bytes; tests run every one.
#pragma once
#include <cstdint>

namespace tovan::codec {

// n three-byte texels from src to dst with their first and third bytes
// swapped; dst may be src, but no other overlap. Reads src[0, 3n) and writes
// dst[0, 3n) only.
using SwapRgbFn = void (*)(uint8_t* dst, const uint8_t* src, int64_t n);

struct RgbSwapper {
    const char* name;
    SwapRgbFn swap;
};

// Every swapper of this build, the plain one first; SwapRedBlue uses the last.
const RgbSwapper* RgbSwappers(int* count);

}  // namespace tovan::codec
