// Red and blue change places in every texel of the blue-first formats. Four-
// byte texels are words whose bytes 0 and 2 trade places. Three-byte texels go
// a few at a time through a wider register: each piece swaps the whole texels
// it holds and writes the bytes past them back as they were read, for the next
// piece to write again.
#include "io/codecs/codec_support.h"
#include "io/codecs/swap_red_blue.h"

#include <cstring>

namespace tovan::codec {

namespace {

void SwapRgbBytes(uint8_t* dst, const uint8_t* src, int64_t n) {
    for (int64_t i = 0; i < n; ++i, dst += 3, src += 3) {
        const uint8_t b = src[0];
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = b;
    }
}

// Two texels per 8-byte word: bytes 0 and 2, 3 and 5 swap; 1, 4, 6 and 7 stay.
void SwapRgbPlain(uint8_t* dst, const uint8_t* src, int64_t n) {
    int64_t i = 0;
    for (; i + 3 <= n; i += 2) {  // the word's 8 bytes lie inside the n texels
        uint64_t v;
        std::memcpy(&v, src + 3 * i, 8);
        v = (v & 0xFFFF00FF0000FF00u) | (v >> 16 & 0x00000000FF0000FFu) | (v << 16 & 0x0000FF0000FF0000u);
        std::memcpy(dst + 3 * i, &v, 8);
    }
    SwapRgbBytes(dst + 3 * i, src + 3 * i, n - i);
}

}  // namespace
}  // namespace tovan::codec

// The one place that asks for the processor's 16-byte shifts; without them the
// plain swap serves alone.
#if defined(__SSE2__)
#include <emmintrin.h>

namespace tovan::codec {
namespace {

// Five texels per 16 bytes, shifted two bytes either way into place; byte 15
// stays.
void SwapRgbSse2(uint8_t* dst, const uint8_t* src, int64_t n) {
    const __m128i first = _mm_setr_epi8(-1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0);
    const __m128i third = _mm_slli_si128(first, 2);
    const __m128i kept = _mm_xor_si128(_mm_or_si128(first, third), _mm_set1_epi8(-1));
    int64_t i = 0;
    for (; i + 6 <= n; i += 5) {  // the 16 bytes lie inside the n texels
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * i));
        const __m128i swapped =
            _mm_or_si128(_mm_and_si128(_mm_srli_si128(v, 2), first), _mm_and_si128(_mm_slli_si128(v, 2), third));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 3 * i), _mm_or_si128(_mm_and_si128(v, kept), swapped));
    }
    SwapRgbPlain(dst + 3 * i, src + 3 * i, n - i);
}

constexpr RgbSwapper kSwappers[] = {{"plain", SwapRgbPlain}, {"sse2", SwapRgbSse2}};
constexpr int kSwapperCount = 2;
inline void SwapRgb(uint8_t* dst, const uint8_t* src, int64_t n) { SwapRgbSse2(dst, src, n); }

}  // namespace
}  // namespace tovan::codec
#else
namespace tovan::codec {
namespace {
constexpr RgbSwapper kSwappers[] = {{"plain", SwapRgbPlain}};
constexpr int kSwapperCount = 1;
inline void SwapRgb(uint8_t* dst, const uint8_t* src, int64_t n) { SwapRgbPlain(dst, src, n); }
}  // namespace
}  // namespace tovan::codec
#endif

namespace tovan::codec {

const RgbSwapper* RgbSwappers(int* count) {
    *count = kSwapperCount;
    return kSwappers;
}

void SwapRedBlue(uint8_t* texels, int64_t n, int stride) { SwapRedBlue(texels, texels, n, stride); }

// Four-byte texels as little-endian words, which compilers turn into vector
// shifts and masks: a copy at memory speed on every target.
void SwapRedBlue(uint8_t* dst, const uint8_t* src, int64_t n, int stride) {
    if (stride == 3) {
        SwapRgb(dst, src, n);
        return;
    }
    for (int64_t i = 0; i < n; ++i) {
        uint32_t v;
        std::memcpy(&v, src + 4 * i, 4);
        v = (v & 0xFF00FF00u) | (v >> 16 & 0xFFu) | (v & 0xFFu) << 16;
        std::memcpy(dst + 4 * i, &v, 4);
    }
}

}  // namespace tovan::codec
