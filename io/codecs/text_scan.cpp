#include "io/codecs/text_scan.h"

#include "core/str.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cstring>
#include <string>

namespace tovan::text {

namespace {

constexpr int kExponentCap = 100000;  // exponent digits saturate here, far outside the range
constexpr int kExactDigits = 19;      // digits that always fit a u64
constexpr uint64_t kExactMantissa = uint64_t(1) << 53;

// The powers of ten a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kExactPower = 22;

// Where the digits of a number lie, and the exponent its text writes.
struct Decimal {
    const char* whole = nullptr;
    const char* wholeEnd = nullptr;
    const char* fraction = nullptr;
    const char* fractionEnd = nullptr;
    int64_t written = 0;  // after 'e'
};

// Where the fast way cannot be sure: the digits again, as from_chars reads
// them, which rounds correctly however many there are.
bool Slow(const Decimal& d, bool negative, float& out) {
    std::string digits(d.whole, d.wholeEnd);
    digits.append(d.fraction, d.fractionEnd);
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        out = negative ? -0.0f : 0.0f;
        return true;
    }
    digits.erase(0, first);
    const int64_t exponent = d.written - int64_t(d.fractionEnd - d.fraction);
    const std::string text = digits + 'e' + std::to_string(exponent);
    float value = 0;
    const std::from_chars_result r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec == std::errc::result_out_of_range) {
        // 0.d1d2... x 10^magnitude: too small rounds to zero, too large has no float.
        if (exponent + int64_t(digits.size()) > 0)
            return false;
        value = 0;
    } else if (r.ec != std::errc()) {
        return false;
    }
    out = negative ? -value : value;
    return true;
}

}  // namespace

bool cSpan::Is(const char* word) const {
    const size_t n = std::strlen(word);
    return size_t(end - begin) == n && std::memcmp(begin, word, n) == 0;
}

cLines::cLines(const cStream& in) {
    const char* bytes = reinterpret_cast<const char*>(in.Data());
    const int position = in.m_Position < 0 || in.m_Position > in.Count() ? in.Count() : in.m_Position;
    m_At = bytes ? bytes + position : nullptr;
    m_End = bytes ? bytes + in.Count() : nullptr;
}

bool cLines::Next(cSpan& line) {
    const char* p = m_At;
    while (p < m_End && (*p == '\r' || *p == '\n'))
        ++p;
    if (p == m_End) {
        m_At = p;
        return false;
    }
    const char* feed = static_cast<const char*>(std::memchr(p, '\n', size_t(m_End - p)));
    const char* stop = feed ? feed : m_End;
    const char* ret = static_cast<const char*>(std::memchr(p, '\r', size_t(stop - p)));
    line.begin = p;
    line.end = ret ? ret : stop;
    m_At = line.end < m_End ? line.end + 1 : m_End;
    return true;
}

bool ScanInt(const char*& at, const char* end, int32_t& out) {
    out = 0;
    const char* p = at;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+'))
        ++p;
    const char* digits = p;
    while (p < end && IsAsciiDigit(*p))
        ++p;
    if (p == digits)
        return false;
    at = p;
    while (digits < p && *digits == '0')
        ++digits;
    // Ten digits hold every 32-bit magnitude; more saturate at once.
    uint64_t value = p - digits > 10 ? UINT64_MAX : 0;
    for (const char* d = digits; value != UINT64_MAX && d < p; ++d)
        value = value * 10 + uint64_t(*d - '0');
    if (negative)
        out = value >= uint64_t(1) << 31 ? INT_MIN : -int32_t(value);
    else
        out = value > uint64_t(INT_MAX) ? INT_MAX : int32_t(value);
    return true;
}

bool ScanFloat(const char*& at, const char* end, float& out) {
    out = 0;
    const char* p = at;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+'))
        ++p;
    // Up to 19 digits the mantissa is exact; past that it wraps and is not used.
    uint64_t mantissa = 0;
    Decimal d;
    d.whole = p;
    while (p < end && IsAsciiDigit(*p))
        mantissa = mantissa * 10 + uint64_t(*p++ - '0');
    d.wholeEnd = d.fraction = d.fractionEnd = p;
    if (p < end && (*p == '.' || *p == ',')) {
        d.fraction = ++p;
        while (p < end && IsAsciiDigit(*p))
            mantissa = mantissa * 10 + uint64_t(*p++ - '0');
        d.fractionEnd = p;
    }
    const int64_t fractionDigits = d.fractionEnd - d.fraction;
    const int64_t digits = (d.wholeEnd - d.whole) + fractionDigits;
    if (digits == 0)
        return false;
    if (p < end && (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D')) {
        ++p;
        const bool down = p < end && *p == '-';
        if (p < end && (*p == '+' || *p == '-'))
            ++p;
        int e = 0;
        for (; p < end && IsAsciiDigit(*p); ++p)
            e = e < kExponentCap ? e * 10 + (*p - '0') : kExponentCap;
        d.written = down ? -e : e;
    }
    at = p;
    if (digits > kExactDigits)
        return Slow(d, negative, out);
    if (mantissa == 0) {
        out = negative ? -0.0f : 0.0f;
        return true;
    }
    const int64_t exponent = d.written - fractionDigits;
    // An exact mantissa divided or multiplied by an exact power of ten rounds
    // once, to the nearest double. Rounding that to float is right unless the
    // double lies exactly halfway between two floats: then the decimal may lie
    // on either side, and the slow way decides.
    if (mantissa <= kExactMantissa && exponent >= -kExactPower && exponent <= kExactPower) {
        const double m = double(mantissa);
        const double v = exponent < 0 ? m / kExactPowers[-exponent] : m * kExactPowers[exponent];
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        const uint64_t below = bits & ((uint64_t(1) << 29) - 1);
        if (v >= double(FLT_MIN) && v <= double(FLT_MAX) && below != uint64_t(1) << 28) {
            const float f = float(v);
            out = negative ? -f : f;
            return true;
        }
    }
    return Slow(d, negative, out);
}

}  // namespace tovan::text
