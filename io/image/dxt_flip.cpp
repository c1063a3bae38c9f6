// Row reversal inside DXT blocks. The end points stay; the four colour index
// bytes, the four Dxt3 alpha rows (16 bits each) and the four 12-bit Dxt5 index
// rows change places. Whole block rows are flipped while they are copied, with
// one byte shuffle per 16 bytes where the processor has it.
#include "io/image/dxt.h"

#include <cstring>
#include <utility>

#ifdef __SSE2__
#include <tmmintrin.h>
#endif

namespace tovan::dxt {

namespace {

uint64_t Load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);  // little-endian, as every target and the blocks
    return v;
}

void Store64(uint8_t* p, uint64_t v) { std::memcpy(p, &v, 8); }

// A colour block with its four index bytes (4 to 7) reversed.
uint64_t FlipColourRows(uint64_t c) { return (c & 0xFFFFFFFF) | __builtin_bswap64(c) << 32; }

// Dxt3 alpha: four 16-bit rows.
uint64_t FlipExplicitAlphaRows(uint64_t a) {
    a = a >> 32 | a << 32;
    return (a >> 16 & 0x0000FFFF0000FFFF) | (a & 0x0000FFFF0000FFFF) << 16;
}

// Dxt5 alpha: two end-point bytes, then four 12-bit index rows: swap the
// 24-bit halves, then the 12-bit rows within each half.
uint64_t FlipInterpolatedAlphaRows(uint64_t a) {
    uint64_t rows = a >> 16;
    rows = rows >> 24 | (rows & 0xFFFFFF) << 24;
    rows = (rows >> 12 & 0x000FFF000FFF) | (rows & 0x000FFF000FFF) << 12;
    return (a & 0xFFFF) | rows << 16;
}

// One block of four texel rows from src to dst (which may be src).
void CopyFlippedBlock(ImageFormat format, uint8_t* dst, const uint8_t* src) {
    if (format == ImageFormat::Dxt1) {
        Store64(dst, FlipColourRows(Load64(src)));
        return;
    }
    const uint64_t alpha = Load64(src), colour = Load64(src + 8);
    Store64(dst, format == ImageFormat::Dxt3 ? FlipExplicitAlphaRows(alpha) : FlipInterpolatedAlphaRows(alpha));
    Store64(dst + 8, FlipColourRows(colour));
}

#ifdef __SSE2__
bool HasByteShuffle() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

// The shuffle of one 16-byte piece: every row that moves whole bytes is one
// byte shuffle; the Dxt5 index rows are 12 bits wide, so once the shuffle has
// swapped their 24-bit halves a shift swaps the rows inside each half.
struct ShuffledFlip {
    __m128i order, low, keep;
    bool twelve;
};

__attribute__((target("ssse3"))) inline __m128i Flip16(const ShuffledFlip& f, const uint8_t* from) {
    __m128i v = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from)), f.order);
    if (f.twelve) {
        const __m128i up = _mm_slli_epi64(_mm_and_si128(v, f.low), 12);
        const __m128i down = _mm_and_si128(_mm_srli_epi64(v, 12), f.low);
        v = _mm_or_si128(_mm_and_si128(v, f.keep), _mm_or_si128(up, down));
    }
    return v;
}

// 32 bytes at a time (four Dxt1 blocks, two of the others); returns the bytes done.
__attribute__((target("ssse3"))) int CopyFlippedShuffled(ImageFormat format, uint8_t* dst, const uint8_t* src,
                                                         int bytes) {
    ShuffledFlip f;
    f.order = format == ImageFormat::Dxt1   ? _mm_setr_epi8(0, 1, 2, 3, 7, 6, 5, 4, 8, 9, 10, 11, 15, 14, 13, 12)
              : format == ImageFormat::Dxt3 ? _mm_setr_epi8(6, 7, 4, 5, 2, 3, 0, 1, 8, 9, 10, 11, 15, 14, 13, 12)
                                            : _mm_setr_epi8(0, 1, 5, 6, 7, 2, 3, 4, 8, 9, 10, 11, 15, 14, 13, 12);
    f.low = _mm_set_epi64x(0, int64_t(0xFFF) << 16 | int64_t(0xFFF) << 40);
    f.keep = _mm_set_epi64x(-1, 0xFFFF);
    f.twelve = format == ImageFormat::Dxt5;
    int done = 0;
    for (; done + 32 <= bytes; done += 32) {
        const __m128i a = Flip16(f, src + done), b = Flip16(f, src + done + 16);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + done), a);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + done + 16), b);
    }
    return done;
}
#endif

}  // namespace

void FlipBlockRows(ImageFormat format, uint8_t* block, int rows) {
    uint8_t* colour = block + (format == ImageFormat::Dxt1 ? 0 : 8);
    for (int i = 0; i < rows / 2; ++i)
        std::swap(colour[4 + i], colour[4 + rows - 1 - i]);
    if (format == ImageFormat::Dxt3) {
        for (int i = 0; i < rows / 2; ++i) {
            std::swap(block[2 * i], block[2 * (rows - 1 - i)]);
            std::swap(block[2 * i + 1], block[2 * (rows - 1 - i) + 1]);
        }
    } else if (format == ImageFormat::Dxt5) {
        const uint64_t a = Load64(block), bits = a >> 16;
        uint64_t flipped = bits;
        for (int r = 0; r < rows; ++r) {
            const int from = rows - 1 - r;
            flipped &= ~(uint64_t(0xFFF) << (12 * r));
            flipped |= ((bits >> (12 * from)) & 0xFFF) << (12 * r);
        }
        Store64(block, (a & 0xFFFF) | flipped << 16);
    }
}

void CopyFlippedBlocks(ImageFormat format, uint8_t* dst, const uint8_t* src, int count) {
    const int blockBytes = format == ImageFormat::Dxt1 ? 8 : 16;
    int done = 0;
#ifdef __SSE2__
    if (HasByteShuffle())
        done = CopyFlippedShuffled(format, dst, src, count * blockBytes) / blockBytes;
#endif
    for (int i = done; i < count; ++i)
        CopyFlippedBlock(format, dst + i * blockBytes, src + i * blockBytes);
}

}  // namespace tovan::dxt
