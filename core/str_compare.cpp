// CompareStrings: signed-byte order of zero-terminated texts, scanned in
// blocks: within the known lengths of cStr, in aligned blocks for plain texts.
#include "core/str_compare.h"

#include "core/str.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace tovan {

namespace {

int CompareBytes(char a, char b) {
    const signed char x = static_cast<signed char>(a), y = static_cast<signed char>(b);
    return (x > y) - (x < y);
}

constexpr uint64_t kLow7 = 0x7f7f7f7f7f7f7f7full;
constexpr uint64_t kHigh = 0x8080808080808080ull;
constexpr bool kLittleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

// The high bit of each byte of x that is 0. The byte tests carry nothing
// into the next byte, so every flag is exact.
uint64_t ZeroFlags(uint64_t x) { return ~(((x & kLow7) + kLow7) | x | kLow7); }

// The high bit of each byte that differs between x and y or is 0 in x.
uint64_t StopFlags(uint64_t x, uint64_t y) {
    const uint64_t d = x ^ y;
    return ((((d & kLow7) + kLow7) | d) & kHigh) | ZeroFlags(x);
}

uint64_t WordStops(const char* a, const char* b) {
    uint64_t x, y;
    std::memcpy(&x, a, 8);
    std::memcpy(&y, b, 8);
    return StopFlags(x, y);
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

// Eight bytes in one word, flags in the high bit of each byte, in text order
// from the low end.
struct PlainBlocks {
    using Vec = uint64_t;
    using Mask = uint64_t;
    static constexpr size_t kWidth = 8;
    // Always inlined, so that they are as uninstrumented as their caller.
    __attribute__((always_inline)) static Vec Load(const char* p) {
        Vec v;
        std::memcpy(&v, p, 8);
        return v;
    }
    __attribute__((always_inline)) static Vec LoadU(const char* p) { return Load(p); }
    static Mask InOrder(uint64_t flags) { return kLittleEndian ? flags : __builtin_bswap64(flags); }
    static Mask Stops(Vec x, Vec y) { return InOrder(StopFlags(x, y)); }
    static Mask Zeros(Vec v) { return InOrder(ZeroFlags(v)); }
    static Vec ShiftDown(Vec v, size_t bytes) { return kLittleEndian ? v >> (8 * bytes) : v << (8 * bytes); }
    static Mask BytesFrom(size_t at) { return ~Mask(0) << (8 * at); }
    static Mask BytesBelow(size_t count) { return count >= kWidth ? ~Mask(0) : (Mask(1) << (8 * count)) - 1; }
    static size_t FirstByte(Mask m) { return size_t(__builtin_ctzll(m)) / 8; }
};

// Texts of unknown length, compared in one pass over aligned blocks of W::kWidth
// bytes. An aligned block never crosses a page: a block that holds a byte of
// a text may be read whole, and one past it only when the block before holds
// no terminator. The text that starts further into its block is b; a's block
// at each step is matched by the bytes of b at the same distance from its
// start, loaded unaligned across b's two blocks once the first of them is
// known to end inside b's text, else shifted out of that first block alone.
// The reads before a text's first byte or past its terminator (or its limit)
// stay inside that byte's block: the address sanitizer would see them, so it
// and the thread sanitizer leave this one function alone.
template <class W>
__attribute__((no_sanitize("address", "thread"))) int CompareTextBlocks(const char* a, const char* b, size_t limit) {
    using Mask = typename W::Mask;
    constexpr size_t kWidth = W::kWidth;
    size_t da = uintptr_t(a) % kWidth, db = uintptr_t(b) % kWidth;
    int sign = 1;
    if (da > db) {
        std::swap(a, b);
        std::swap(da, db);
        sign = -1;
    }
    // Positions in the blocks of a (0 is the first byte of a's block) that lie
    // before the limit.
    size_t left = limit < SIZE_MAX - kWidth ? limit + da : SIZE_MAX;
    Mask valid = W::BytesFrom(da);
    if (__builtin_expect(da == db, 1)) {
        // Blocks side by side, each read once the pair before held no stop.
        // The likely case: whole buffers from the pools and the heap start alike.
        const char* pa = reinterpret_cast<const char*>(uintptr_t(a) - da);
        const char* pb = reinterpret_cast<const char*>(uintptr_t(b) - da);
        Mask stops = W::Stops(W::Load(pa), W::Load(pb)) & valid;
        if (left == SIZE_MAX) {
            while (!stops) {
                pa += kWidth;
                pb += kWidth;
                stops = W::Stops(W::Load(pa), W::Load(pb));
            }
        } else {
            for (; left > kWidth && !stops; left -= kWidth) {
                pa += kWidth;
                pb += kWidth;
                stops = W::Stops(W::Load(pa), W::Load(pb));
            }
            if (left <= kWidth && !(stops &= W::BytesBelow(left)))
                return 0;
        }
        const size_t at = W::FirstByte(stops);
        return CompareBytes(pa[at], pb[at]);
    }
    const size_t shift = db - da;
    const char* pa = reinterpret_cast<const char*>(uintptr_t(a) - da);
    const char* pb = reinterpret_cast<const char*>(uintptr_t(b) - db);
    typename W::Vec low = W::Load(pb);
    Mask lowZeros = W::Zeros(low) & W::BytesFrom(db);
    // While b's block holds no terminator and the limit lies past a's, b's
    // bytes for a's block lie in that block and the next, which may be read.
    while (lowZeros == 0 && left > kWidth) {
        const typename W::Vec high = W::Load(pb + kWidth);
        if (const Mask stops = W::Stops(W::Load(pa), W::LoadU(pb + shift)) & valid) {
            const size_t at = W::FirstByte(stops);
            return sign * CompareBytes(pa[at], pb[shift + at]);
        }
        valid = W::BytesFrom(0);
        left -= kWidth;
        pa += kWidth;
        pb += kWidth;
        low = high;
        lowZeros = W::Zeros(high);  // its first `shift` bytes were just compared
    }
    // The last block: b's next block is read only when the limit reaches into
    // it and b's terminator is not in the one before; else b's bytes are
    // shifted out of that one, and its terminator (or the limit) comes before
    // the bytes that the shift fills in.
    const bool next = lowZeros == 0 && left > kWidth - shift;
    const typename W::Vec y = next ? W::LoadU(pb + shift) : W::ShiftDown(low, shift);
    Mask stops = W::Stops(W::Load(pa), y) & valid;
    if (left <= kWidth)
        stops &= W::BytesBelow(left);
    if (!stops)
        return 0;
    const size_t at = W::FirstByte(stops);
    return sign * CompareBytes(pa[at], pb[shift + at]);
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

// Sixteen bytes in one register, one flag bit per byte.
struct Sse2Blocks {
    using Vec = __m128i;
    using Mask = uint32_t;
    static constexpr size_t kWidth = 16;
    __attribute__((always_inline)) static Vec Load(const char* p) {
        return _mm_load_si128(reinterpret_cast<const __m128i*>(p));
    }
    __attribute__((always_inline)) static Vec LoadU(const char* p) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    }
    static Mask Stops(Vec x, Vec y) { return ZeroBytes(_mm_min_epu8(x, _mm_cmpeq_epi8(x, y))); }
    static Mask Zeros(Vec v) { return ZeroBytes(v); }
    // The byte shift takes only constants: whole halves first, then bits
    // within and across the two 64-bit halves.
    static Vec ShiftDown(Vec v, size_t bytes) {
        if (bytes >= 8) {
            v = _mm_srli_si128(v, 8);
            bytes -= 8;
        }
        const __m128i down = _mm_cvtsi32_si128(int(8 * bytes));
        const __m128i up = _mm_cvtsi32_si128(int(64 - 8 * bytes));
        return _mm_or_si128(_mm_srl_epi64(v, down), _mm_sll_epi64(_mm_srli_si128(v, 8), up));
    }
    static Mask BytesFrom(size_t at) { return 0xffffu << at & 0xffffu; }
    static Mask BytesBelow(size_t count) { return (1u << count) - 1; }
    static size_t FirstByte(Mask m) { return size_t(__builtin_ctz(m)); }
};

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

constexpr str_compare::Scanner kScanners[] = {{"plain", FirstStopPlain, CompareTextBlocks<PlainBlocks>},
                                              {"sse2", FirstStopSse2, CompareTextBlocks<Sse2Blocks>}};
constexpr int kScannerCount = 2;
inline size_t FirstStop(const char* a, const char* b, size_t count) { return FirstStopSse2(a, b, count); }
inline int CompareTexts(const char* a, const char* b, size_t limit) {
    return CompareTextBlocks<Sse2Blocks>(a, b, limit);
}

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
constexpr str_compare::Scanner kScanners[] = {{"plain", FirstStopPlain, CompareTextBlocks<PlainBlocks>}};
constexpr int kScannerCount = 1;
inline size_t FirstStop(const char* a, const char* b, size_t count) { return FirstStopPlain(a, b, count); }
inline int CompareTexts(const char* a, const char* b, size_t limit) {
    return CompareTextBlocks<PlainBlocks>(a, b, limit);
}
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

// Lengths are unknown: one pass over aligned blocks of both texts.
int CompareStrings(const char* a, const char* b, int n) {
    if (n == 0)
        return 0;
    return CompareTexts(a ? a : "", b ? b : "", n < 0 ? SIZE_MAX : size_t(n));
}

}  // namespace tovan
