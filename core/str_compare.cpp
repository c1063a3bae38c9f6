// CompareStrings: signed-byte order of zero-terminated texts, scanned in
// blocks that never reach past either text's own bytes.
#include "core/str_compare.h"

#include "core/str.h"

#include <cstdint>
#include <cstring>

namespace tovan {

namespace {

int CompareBytes(char a, char b) {
    const signed char x = static_cast<signed char>(a), y = static_cast<signed char>(b);
    return (x > y) - (x < y);
}

constexpr uint64_t kLow7 = 0x7f7f7f7f7f7f7f7full;
constexpr uint64_t kHigh = 0x8080808080808080ull;
constexpr bool kLittleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

// The high bit of each of the 8 bytes at a and b that differs or is 0 in a.
// The byte tests carry nothing into the next byte, so every flag is exact.
uint64_t WordStops(const char* a, const char* b) {
    uint64_t x, y;
    std::memcpy(&x, a, 8);
    std::memcpy(&y, b, 8);
    const uint64_t d = x ^ y;
    const uint64_t differs = (((d & kLow7) + kLow7) | d) & kHigh;
    const uint64_t zero = ~(((x & kLow7) + kLow7) | x | kLow7);
    return differs | zero;
}

size_t FirstFlagged(uint64_t stops) {
    return size_t(kLittleEndian ? __builtin_ctzll(stops) : __builtin_clzll(stops)) / 8;
}

// Eight bytes at a time; the last word of a count that is not a multiple of 8
// overlaps bytes already passed (they agree and are not 0, so never stop it).
__attribute__((always_inline)) inline size_t FirstStopPlain(const char* a, const char* b, size_t count) {
    size_t i = 0;
    for (; i + 8 <= count; i += 8)
        if (const uint64_t stops = WordStops(a + i, b + i))
            return i + FirstFlagged(stops);
    if (i == count)
        return count;
    if (count >= 8) {
        const size_t at = count - 8;
        const uint64_t stops = WordStops(a + at, b + at);
        return stops ? at + FirstFlagged(stops) : count;
    }
    for (; i < count; ++i)
        if (a[i] != b[i] || a[i] == 0)
            return i;
    return count;
}

}  // namespace
}  // namespace tovan

// The one place that asks for the processor's wide compares; without them the
// plain scanner serves alone.
#if defined(__SSE2__)
#include <emmintrin.h>

namespace tovan {
namespace {

// Per byte of the 16 at a and b: a's byte where both agree, 0 where they differ
// or a holds 0 (the equality mask is 0 where they differ).
__m128i KeptBytes(const char* a, const char* b) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
    return _mm_min_epu8(x, _mm_cmpeq_epi8(x, y));
}

uint32_t ZeroBytes(__m128i v) { return uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_setzero_si128()))); }

// 32 bytes per step, then 16, then one block ending at count. Inlined into
// the comparisons: for short texts a call would cost as much as the scan.
__attribute__((always_inline)) inline size_t FirstStopSse2(const char* a, const char* b, size_t count) {
    if (count < 16)
        return FirstStopPlain(a, b, count);
    size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const uint32_t stops = ZeroBytes(KeptBytes(a + i, b + i)) | ZeroBytes(KeptBytes(a + i + 16, b + i + 16)) << 16;
        if (stops)
            return i + size_t(__builtin_ctz(stops));
    }
    if (count - i >= 16) {
        if (const uint32_t stops = ZeroBytes(KeptBytes(a + i, b + i)))
            return i + size_t(__builtin_ctz(stops));
        i += 16;
    }
    if (i == count)
        return count;
    const size_t at = count - 16;
    const uint32_t stops = ZeroBytes(KeptBytes(a + at, b + at));
    return stops ? at + size_t(__builtin_ctz(stops)) : count;
}

constexpr str_compare::Scanner kScanners[] = {{"plain", FirstStopPlain}, {"sse2", FirstStopSse2}};
constexpr int kScannerCount = 2;
inline size_t FirstStop(const char* a, const char* b, size_t count) { return FirstStopSse2(a, b, count); }

// The first 32 bytes of texts that have them, with nothing before them; 32
// when all agree and none is 0.
inline size_t FirstStop32(const char* a, const char* b) {
    const uint32_t stops = ZeroBytes(KeptBytes(a, b)) | ZeroBytes(KeptBytes(a + 16, b + 16)) << 16;
    return stops ? size_t(__builtin_ctz(stops)) : 32;
}

}  // namespace
}  // namespace tovan
#else
namespace tovan {
namespace {
constexpr str_compare::Scanner kScanners[] = {{"plain", FirstStopPlain}};
constexpr int kScannerCount = 1;
inline size_t FirstStop(const char* a, const char* b, size_t count) { return FirstStopPlain(a, b, count); }
inline size_t FirstStop32(const char* a, const char* b) { return FirstStopPlain(a, b, 32); }
}  // namespace
}  // namespace tovan
#endif

namespace tovan {

const str_compare::Scanner* str_compare::Scanners(int* count) {
    *count = kScannerCount;
    return kScanners;
}

// Both texts are known to hold their lengths plus a terminator: the scan stops
// within the shorter one, at its terminator, or earlier at a 0 inside it, as
// the zero-terminated texts would.
int CompareStrings(const cStr& a, const cStr& b) {
    const size_t shorter = size_t(a.Length() < b.Length() ? a.Length() : b.Length());
    const char* x = a.Data();
    const char* y = b.Data();
    size_t at;
    if (__builtin_expect(shorter >= 32, 1)) {
        at = FirstStop32(x, y);
        if (at == 32)
            at += FirstStop(x + 32, y + 32, shorter - 32);
    } else if (shorter > 0) {
        at = FirstStop(x, y, shorter);
    } else {
        return CompareBytes(*a.GetText(), *b.GetText());  // a side may have no buffer
    }
    return CompareBytes(x[at], y[at]);
}

// Lengths are unknown: each chunk is first measured on a (up to its 0) and
// then on b (up to a's chunk), so that only bytes of the texts are read. Chunks
// grow, so long texts pay few measurements and early differences little.
int CompareStrings(const char* a, const char* b, int n) {
    a = a ? a : "";
    b = b ? b : "";
    size_t left = n < 0 ? SIZE_MAX : size_t(n);
    size_t chunk = 64;
    while (left > 0) {
        const size_t want = chunk < left ? chunk : left;
        const void* endA = std::memchr(a, 0, want);
        const size_t lengthA = endA ? size_t(static_cast<const char*>(endA) - a) : want;
        const void* endB = std::memchr(b, 0, lengthA);
        const size_t both = endB ? size_t(static_cast<const char*>(endB) - b) : lengthA;
        const size_t at = FirstStop(a, b, both);
        if (at < both || both < want)
            return CompareBytes(a[at], b[at]);
        a += both;
        b += both;
        left -= both;
        if (chunk < 4096)
            chunk *= 2;
    }
    return 0;
}

}  // namespace tovan
