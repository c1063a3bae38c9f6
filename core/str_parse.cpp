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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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
    for (; p < end && IsDigit(*p); ++p, ++digits)
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
    uint64_t mantissa;  // the first kMantissaDigits significant digits
    int significant;    // significant digits in all
};

// A double within a few units in its last place of the decimal: the first 19
// digits times at most three exact powers of ten, each step rounded once. A float
// keeps 24 of its 53 bits; unless the 29 it drops lie that close to a halfway
// point between two floats, the double and the decimal round to the same float.
// Near halfway points, subnormals and overflow this answers false: not sure.
bool ReadQuick(const DecimalText& d, float& magnitude) {
    int64_t exponent = d.exponent + (d.significant > kMantissaDigits ? d.significant - kMantissaDigits : 0);
    if (exponent < -kMaxQuickSteps * kMaxExactPower || exponent > kMaxQuickSteps * kMaxExactPower)
        return false;
    double value = double(d.mantissa);
    while (exponent != 0) {
        const int64_t step = exponent < -kMaxExactPower  ? -kMaxExactPower
                             : exponent > kMaxExactPower ? kMaxExactPower
                                                         : exponent;
        value = step < 0 ? value / kExactPowers[-step] : value * kExactPowers[step];
        exponent -= step;
    }
    constexpr double kSmallestSafe = FLT_MIN;  // below it floats keep fewer bits
    constexpr uint64_t kDropped = (uint64_t(1) << 29) - 1;
    constexpr uint64_t kHalfway = uint64_t(1) << 28;
    constexpr uint64_t kMargin = 64;  // units of the double; the steps stray by a few
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const uint64_t dropped = bits & kDropped;
    if (value < kSmallestSafe || (dropped > kHalfway - kMargin && dropped < kHalfway + kMargin))
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
    text[n++] = 'e';
    n = int(std::to_chars(text + n, text + sizeof text, d.exponent).ptr - text);
    float value = 0;
    const std::from_chars_result r = std::from_chars(text, text + n, value);
    if (r.ec == std::errc::result_out_of_range)
        return d.exponent + d.significant <= 0;  // below every float: zero, else above
    magnitude = value;
    return r.ec == std::errc();
}

void TakeDigit(DecimalText& d, int digit) {
    if (d.significant == 0 && digit == 0)
        return;
    if (d.significant < kMantissaDigits)
        d.mantissa = d.mantissa * 10u + uint64_t(digit);
    ++d.significant;
}

bool ParseFloatRange(const char* text, const char* end, float& out) {
    out = 0;
    if (!text)
        return false;
    bool negative;
    const char* p = SkipSpacesAndSign(text, end, negative);
    DecimalText d{p, p, p, p, 0, 0, 0};
    for (; p < end && IsDigit(*p); ++p)
        TakeDigit(d, *p - '0');
    d.wholeEnd = d.fraction = d.fractionEnd = p;
    if (p < end && (*p == '.' || *p == ',')) {
        d.fraction = ++p;
        for (; p < end && IsDigit(*p); ++p)
            TakeDigit(d, *p - '0');
        d.fractionEnd = p;
        d.exponent = -(d.fractionEnd - d.fraction);
    }
    if (d.wholeEnd == d.whole && d.fractionEnd == d.fraction)
        return false;
    if (p < end && (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D')) {
        ++p;
        bool down = false;
        if (p < end && (*p == '+' || *p == '-'))
            down = *p++ == '-';
        int e = 0;
        for (; p < end && IsDigit(*p); ++p)
            e = e < kExponentCap ? e * 10 + (*p - '0') : kExponentCap;
        d.exponent += down ? -e : e;
    }
    if (d.exponent < -125 || d.exponent > 128)
        return false;
    if (d.significant > kMaxSignificant)
        return false;
    float magnitude = 0;
    if (d.significant != 0 && !ReadQuick(d, magnitude) && !ReadExact(d, magnitude))
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
