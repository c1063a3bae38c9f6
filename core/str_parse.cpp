// Number parsing and splitting. The float parser is the framework's own, so a
// file reads to the same values in every build.
#include "core/str.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace tovan {

namespace {

constexpr char kListSeparators[] = " ,;\t";
constexpr int kExponentCap = 100000;  // exponent digits saturate here, far outside the range

// 10, 10^2, 10^4, ... 10^128 in float, each the square of the one before;
// from 10^64 on they overflow.
struct Powers {
    float of[8];
    constexpr Powers() : of() {
        of[0] = 10.0f;
        for (int i = 1; i < 6; ++i)
            of[i] = of[i - 1] * of[i - 1];
        of[6] = of[7] = std::numeric_limits<float>::infinity();
    }
};
constexpr Powers kPowerTable;
constexpr const float* kPowers = kPowerTable.of;

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

// A large value written with all its digits and decimals ("%.3f" of 3.4e38 has 42)
// overflows the float sum although the value fits: such texts are scaled in
// double and rounded to float once.
bool ScaleWide(double value, int exponent, float& out) {
    const bool down = exponent < 0;
    double scale = 1.0;
    double power = 10.0;
    for (int e = down ? -exponent : exponent; e != 0; e >>= 1, power *= power)
        if (e & 1)
            scale *= power;
    const float result = float(down ? value / scale : value * scale);
    if (!std::isfinite(result))
        return false;
    out = result;
    return true;
}

bool ParseFloatRange(const char* text, const char* end, float& out) {
    out = 0;
    if (!text)
        return false;
    bool negative;
    const char* p = SkipSpacesAndSign(text, end, negative);
    float sum = 0;
    double wide = 0;  // the same digits, for texts too long for a float sum
    int exponent = 0;
    int digits = 0;
    for (; p < end && IsDigit(*p); ++p, ++digits) {
        sum = sum * 10.0f + float(*p - '0');
        wide = wide * 10.0 + double(*p - '0');
    }
    if (p < end && (*p == '.' || *p == ',')) {
        for (++p; p < end && IsDigit(*p); ++p, ++digits, --exponent) {
            sum = sum * 10.0f + float(*p - '0');
            wide = wide * 10.0 + double(*p - '0');
        }
    }
    if (digits == 0)
        return false;
    if (p < end && (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D')) {
        ++p;
        bool down = false;
        if (p < end && (*p == '+' || *p == '-'))
            down = *p++ == '-';
        int e = 0;
        for (; p < end && IsDigit(*p); ++p)
            e = e < kExponentCap ? e * 10 + (*p - '0') : kExponentCap;
        exponent += down ? -e : e;
    }
    if (exponent < -125 || exponent > 128)
        return false;
    if (!std::isfinite(sum))
        return ScaleWide(negative ? -wide : wide, exponent, out);
    float value = negative ? -sum : sum;
    // One multiplication or division by the whole power of ten rounds once.
    // Where that power overflows a float, the steps are applied one by one so
    // that small results near the bottom of the range survive. A zero mantissa
    // stays zero (an overflowed factor would make a NaN of it).
    const bool down = exponent < 0;
    const int magnitude = down ? -exponent : exponent;
    float scale = 1.0f;
    for (int e = magnitude, factor = 0; e != 0; e >>= 1, ++factor)
        if (e & 1)
            scale *= kPowers[factor];
    if (sum != 0 && std::isfinite(scale)) {
        value = down ? value / scale : value * scale;
    } else if (sum != 0) {
        for (int e = magnitude, factor = 0; e != 0; e >>= 1, ++factor)
            if (e & 1)
                value = down ? value / kPowers[factor] : value * kPowers[factor];
    }
    if (!std::isfinite(value))
        return false;
    out = value;
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
