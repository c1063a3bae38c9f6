// Number parsing and splitting. The float parser reads its own grammar and
// rounds correctly, so a saved value reads back to the same bits in every build.
#include "core/str.h"

#include <cfloat>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace tovan {

namespace {

constexpr char kListSeparators[] = " ,;\t";
constexpr int kExponentCap = 100000;  // exponent digits saturate here, far outside the range

const char* SkipSpacesAndSign(const char* p, const char* end, bool& negative) {
    while (p < end && (*p == ' ' || *p == '\t'))
        ++p;
    negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-'))
        ++p;
    return p;
}

// Parses from text up to end (or the terminator); stops at the first character
// it does not accept.
bool ParseIntRange(const char* text, const char* end, int& out) {
    out = 0;
    if (!text)
        return false;
    bool negative;
    const char* p = SkipSpacesAndSign(text, end, negative);
    // Unsigned arithmetic wraps like the 32-bit integers it stands for.
    uint32_t value = 0;
    int digits = 0;
    for (; p < end && IsAsciiDigit(*p); ++p, ++digits)
        value = value * 10u + uint32_t(*p - '0');
    if (digits == 0)
        return false;
    out = int32_t(negative ? 0u - value : value);
    return true;
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
constexpr int kMaxQuickSteps = 3;    // powers up to 10^66 in three exact factors
constexpr int kMantissaDigits = 19;  // what a uint64_t always holds
// With the decimal exponent at least -125, more significant digits than this make
// a value above every float.
constexpr int kMaxSignificant = 165;

// The digits the grammar accepted: value = digits x 10^exponent.
struct DecimalText {
    const char* whole;  // digits before the separator
    const char* wholeEnd;
    const char* fraction;  // digits after it
    const char* fractionEnd;
    int64_t exponent;   // wide: a hostile text may hold billions of decimals
    uint64_t mantissa;  // the first kMantissaDigits significant digits; 0 only for zero
    int dropped;        // significant digits after those
};

// Texts with more digits than a mantissa holds: leading zeros skipped, the first
// significant digits kept, the rest counted. False when there are so many that the
// value is above every float.
bool CountLongDigits(DecimalText& d) {
    d.mantissa = 0;
    int significant = 0;
    const char* const parts[2][2] = {{d.whole, d.wholeEnd}, {d.fraction, d.fractionEnd}};
    for (const auto& part : parts) {
        for (const char* p = part[0]; p < part[1]; ++p) {
            if (significant == 0 && *p == '0')
                continue;
            if (++significant > kMaxSignificant)
                return false;
            if (significant <= kMantissaDigits)
                d.mantissa = d.mantissa * 10u + uint64_t(*p - '0');
        }
    }
    d.dropped = significant > kMantissaDigits ? significant - kMantissaDigits : 0;
    return true;
}

// A double within a few units in its last place of the decimal: the first 19
// digits times at most three exact powers of ten, each step rounded once. A float
// keeps 24 of its 53 bits; unless the 29 it drops lie that close to a halfway
// point between two floats, the double and the decimal round to the same float.
// Near halfway points, subnormals and overflow this answers false: not sure.
bool ReadQuick(const DecimalText& d, float& magnitude) {
    int64_t exponent = d.exponent + d.dropped;
    double value = double(d.mantissa);
    if (exponent >= -kMaxExactPower && exponent <= kMaxExactPower) {
        value = exponent < 0 ? value / kExactPowers[-exponent] : value * kExactPowers[exponent];
    } else {
        if (exponent < -kMaxQuickSteps * kMaxExactPower || exponent > kMaxQuickSteps * kMaxExactPower)
            return false;
        while (exponent < 0) {
            const int64_t step = exponent < -kMaxExactPower ? kMaxExactPower : -exponent;
            value /= kExactPowers[step];
            exponent += step;
        }
        while (exponent > 0) {
            const int64_t step = exponent > kMaxExactPower ? kMaxExactPower : exponent;
            value *= kExactPowers[step];
            exponent -= step;
        }
    }
    constexpr double kSmallestSafe = FLT_MIN;  // below it floats keep fewer bits
    constexpr uint64_t kDroppedBits = (uint64_t(1) << 29) - 1;
    constexpr uint64_t kHalfway = uint64_t(1) << 28;
    constexpr uint64_t kMargin = 64;  // units of the double; the steps stray by a few
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const uint64_t low = bits & kDroppedBits;
    if (value < kSmallestSafe || (low > kHalfway - kMargin && low < kHalfway + kMargin))
        return false;
    const float rounded = float(value);
    if (rounded > FLT_MAX)
        return false;
    magnitude = rounded;
    return true;
}

// Correct rounding of any accepted text, by the standard library's exact
// conversion on the significant digits. False when the value is above every float.
bool ReadExact(const DecimalText& d, float& magnitude) {
    char text[kMaxSignificant + 16];
    int n = 0;
    for (const char* p = d.whole; p < d.wholeEnd; ++p)
        if (n > 0 || *p != '0')
            text[n++] = *p;
    for (const char* p = d.fraction; p < d.fractionEnd; ++p)
        if (n > 0 || *p != '0')
            text[n++] = *p;
    const int64_t magnitudeOrder = d.exponent + n;  // the value lies below 10^magnitudeOrder
    text[n++] = 'e';
    n = int(std::to_chars(text + n, text + sizeof text, d.exponent).ptr - text);
    float value = 0;
    const std::from_chars_result r = std::from_chars(text, text + n, value);
    if (r.ec == std::errc::result_out_of_range)
        return magnitudeOrder <= 0;  // below every float: zero, else above
    magnitude = value;
    return r.ec == std::errc();
}

const char* SkipDigits(const char* p, const char* end, uint64_t& mantissa) {
    for (; p < end && IsAsciiDigit(*p); ++p)
        mantissa = mantissa * 10u + uint64_t(*p - '0');  // wraps past 19 digits; then counted again
    return p;
}

bool ParseFloatRange(const char* text, const char* end, float& out) {
    out = 0;
    if (!text)
        return false;
    bool negative;
    const char* p = SkipSpacesAndSign(text, end, negative);
    DecimalText d{p, p, p, p, 0, 0, 0};
    p = d.wholeEnd = d.fraction = d.fractionEnd = SkipDigits(p, end, d.mantissa);
    if (p < end && (*p == '.' || *p == ',')) {
        d.fraction = p + 1;
        p = d.fractionEnd = SkipDigits(d.fraction, end, d.mantissa);
        d.exponent = -(d.fractionEnd - d.fraction);
    }
    const int64_t digits = (d.wholeEnd - d.whole) + (d.fractionEnd - d.fraction);
    if (digits == 0)
        return false;
    if (p < end && (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D')) {
        ++p;
        bool down = false;
        if (p < end && (*p == '+' || *p == '-'))
            down = *p++ == '-';
        int e = 0;
        for (; p < end && IsAsciiDigit(*p); ++p)
            e = e < kExponentCap ? e * 10 + (*p - '0') : kExponentCap;
        d.exponent += down ? -e : e;
    }
    if (d.exponent < -125 || d.exponent > 128)
        return false;
    if (digits > kMantissaDigits && !CountLongDigits(d))
        return false;
    float magnitude = 0;
    if (d.mantissa != 0 && !ReadQuick(d, magnitude) && !ReadExact(d, magnitude))
        return false;
    out = negative ? -magnitude : magnitude;
    return true;
}

// Calls piece(begin, end) for each maximal run of characters outside the set.
template <class Piece>
void ForEachPiece(const char* text, const char* separators, Piece piece) {
    bool cut[256] = {};
    for (const char* s = separators; *s; ++s)
        cut[uint8_t(*s)] = true;
    const char* p = text;
    while (*p) {
        while (*p && cut[uint8_t(*p)])
            ++p;
        const char* begin = p;
        while (*p && !cut[uint8_t(*p)])
            ++p;
        if (p > begin && !piece(begin, p))
            return;
    }
}

template <class T, class Parse>
bool ParseList(const char* text, cList<T>& out, Parse parse) {
    out.DestroyItems();
    if (!text)
        return true;
    bool ok = true;
    ForEachPiece(text, kListSeparators, [&](const char* begin, const char* end) {
        T value;
        ok = parse(begin, end, value);
        if (ok)
            out.PushBack(value);
        return ok;
    });
    return ok;
}

}  // namespace

bool ParseInt(const char* text, int& out) { return ParseIntRange(text, text + TextLength(text), out); }
bool ParseFloat(const char* text, float& out) { return ParseFloatRange(text, text + TextLength(text), out); }
bool ParseIntList(const char* text, cList<int>& out) { return ParseList(text, out, ParseIntRange); }
bool ParseFloatList(const char* text, cList<float>& out) { return ParseList(text, out, ParseFloatRange); }

void SplitString(const char* text, cList<cStr>& list, const char* separators) {
    list.DestroyItems();
    if (!text || !*text)
        return;
    if (!separators || !*separators) {
        list.PushBack(cStr(text));
        return;
    }
    ForEachPiece(text, separators, [&](const char* begin, const char* end) {
        list.PushBack(cStr(begin, int(end - begin)));
        return true;
    });
}

}  // namespace tovan
