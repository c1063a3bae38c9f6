// The vector copies of dxt_flip_paths.h: one byte shuffle per 16 bytes moves
// every row that is whole bytes; the Dxt5 index rows are 12 bits wide, so once
// the shuffle has swapped their 24-bit halves, shifts swap the rows inside
// each half. Built only for x86 targets (the one place that asks which
// instruction set the build has); the processor is asked at run time.
#include "io/image/dxt_flip_paths.h"

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace tovan::dxt {

#if defined(__SSE2__)

namespace {

// Byte order within one 16-byte piece (two Dxt1 blocks, or one of the others).
__attribute__((target("ssse3"))) __m128i ByteOrder(ImageFormat format) {
    return format == ImageFormat::Dxt1   ? _mm_setr_epi8(0, 1, 2, 3, 7, 6, 5, 4, 8, 9, 10, 11, 15, 14, 13, 12)
           : format == ImageFormat::Dxt3 ? _mm_setr_epi8(6, 7, 4, 5, 2, 3, 0, 1, 8, 9, 10, 11, 15, 14, 13, 12)
                                         : _mm_setr_epi8(0, 1, 5, 6, 7, 2, 3, 4, 8, 9, 10, 11, 15, 14, 13, 12);
}

// The low 12-bit row of each 24-bit half of a Dxt5 index field, and the bits
// the 12-bit swap leaves alone (end points and the colour block).
constexpr int64_t kLowRows = int64_t(0xFFF) << 16 | int64_t(0xFFF) << 40;
constexpr int64_t kKept = 0xFFFF;

int64_t Bytes(ImageFormat format, int count) { return int64_t(count) * (format == ImageFormat::Dxt1 ? 8 : 16); }

// The blocks past what the vectors did (a whole number of blocks).
void CopyTail(ImageFormat format, uint8_t* dst, const uint8_t* src, int count, int64_t done) {
    const int blockBytes = format == ImageFormat::Dxt1 ? 8 : 16;
    CopyFlippedBlocksPlain(format, dst + done, src + done, count - int(done / blockBytes), nullptr);
}

struct Sse {
    __m128i order, low, kept;
    bool twelve;
};

__attribute__((target("ssse3"))) inline void Flip16(const Sse& k, uint8_t* dst, const uint8_t* src) {
    __m128i v = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src)), k.order);
    if (k.twelve) {
        const __m128i up = _mm_slli_epi64(_mm_and_si128(v, k.low), 12);
        const __m128i down = _mm_and_si128(_mm_srli_epi64(v, 12), k.low);
        v = _mm_or_si128(_mm_and_si128(v, k.kept), _mm_or_si128(up, down));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), v);
}

__attribute__((target("ssse3"))) void CopyFlippedSsse3(ImageFormat format, uint8_t* dst, const uint8_t* src, int count,
                                                       const uint8_t* next) {
    const Sse k = {ByteOrder(format), _mm_set_epi64x(0, kLowRows), _mm_set_epi64x(-1, kKept),
                   format == ImageFormat::Dxt5};
    const uint8_t* ahead = next ? next : src;
    const int64_t bytes = Bytes(format, count);
    int64_t done = 0;
    for (; done + 64 <= bytes; done += 64) {
        __builtin_prefetch(ahead + done);
        for (int i = 0; i < 64; i += 16)
            Flip16(k, dst + done + i, src + done + i);
    }
    for (; done + 16 <= bytes; done += 16)
        Flip16(k, dst + done, src + done);
    CopyTail(format, dst, src, count, done);
}

struct Avx {
    __m256i order, low, kept;
    bool twelve;
};

__attribute__((target("avx2"))) inline void Flip32(const Avx& k, uint8_t* dst, const uint8_t* src) {
    __m256i v = _mm256_shuffle_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(src)), k.order);
    if (k.twelve) {
        const __m256i up = _mm256_slli_epi64(_mm256_and_si256(v, k.low), 12);
        const __m256i down = _mm256_and_si256(_mm256_srli_epi64(v, 12), k.low);
        v = _mm256_or_si256(_mm256_and_si256(v, k.kept), _mm256_or_si256(up, down));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), v);
}

__attribute__((target("avx2"))) void CopyFlippedAvx2(ImageFormat format, uint8_t* dst, const uint8_t* src, int count,
                                                     const uint8_t* next) {
    const Avx k = {_mm256_broadcastsi128_si256(ByteOrder(format)), _mm256_set_epi64x(0, kLowRows, 0, kLowRows),
                   _mm256_set_epi64x(-1, kKept, -1, kKept), format == ImageFormat::Dxt5};
    const uint8_t* ahead = next ? next : src;
    const int64_t bytes = Bytes(format, count);
    int64_t done = 0;
    for (; done + 64 <= bytes; done += 64) {
        __builtin_prefetch(ahead + done);
        Flip32(k, dst + done, src + done);
        Flip32(k, dst + done + 32, src + done + 32);
    }
    for (; done + 32 <= bytes; done += 32)
        Flip32(k, dst + done, src + done);
    CopyTail(format, dst, src, count, done);
}

}  // namespace

int GetVectorFlipCopies(FlipCopyPath* out, int max) {
    __builtin_cpu_init();  // in case this runs before the compiler's own start-up code
    const FlipCopyPath paths[] = {
        {"avx2", __builtin_cpu_supports("avx2") ? CopyFlippedAvx2 : nullptr},
        {"ssse3", __builtin_cpu_supports("ssse3") ? CopyFlippedSsse3 : nullptr},
    };
    int n = 0;
    for (const FlipCopyPath& path : paths)
        if (path.copy && n < max)
            out[n++] = path;
    return n;
}

#else

int GetVectorFlipCopies(FlipCopyPath*, int) { return 0; }

#endif

}  // namespace tovan::dxt
