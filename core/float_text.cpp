#include "core/float_text.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace tovan {

namespace {

int Clamp(int precision) {
    if (precision < 0)
        return 0;
    return precision > kFloatMaxDecimals ? kFloatMaxDecimals : precision;
}

// Non-finite values: the same spelling in every build.
int NonFinite(char* out, double value, bool upper) {
    const char* text = std::isnan(value) ? (upper ? "NAN" : "nan") : (upper ? "INF" : "inf");
    int n = 0;
    if (std::signbit(value))
        out[n++] = '-';
    std::memcpy(out + n, text, 3);
    return n + 3;
}

void Upper(char* text, int n) {
    for (int i = 0; i < n; ++i)
        if (text[i] == 'e')
            text[i] = 'E';
}

int Convert(char* out, double value, std::chars_format style, int precision, bool upper) {
    if (!std::isfinite(value))
        return NonFinite(out, value, upper);
    std::to_chars_result r = std::to_chars(out, out + kFloatTextMax, value, style, Clamp(precision));
    int n = int(r.ptr - out);
    if (upper)
        Upper(out, n);
    return n;
}

}  // namespace

int FloatToFixed(char* out, double value, int decimals, bool upper) {
    return Convert(out, value, std::chars_format::fixed, decimals, upper);
}

int FloatToScientific(char* out, double value, int decimals, bool upper) {
    return Convert(out, value, std::chars_format::scientific, decimals, upper);
}

int FloatToGeneral(char* out, double value, int significant, bool upper, bool alt) {
    if (!std::isfinite(value))
        return NonFinite(out, value, upper);
    const int p = significant <= 0 ? 1 : Clamp(significant);
    // The exponent of the rounded scientific form decides between the styles.
    int n = FloatToScientific(out, value, p - 1, upper);
    const char* e = static_cast<const char*>(std::memchr(out, upper ? 'E' : 'e', size_t(n)));
    int x = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), out + n, x);
    if (x < p && x >= -4)
        n = FloatToFixed(out, value, p - 1 - x, upper);
    if (alt) {
        if (!std::memchr(out, '.', size_t(n))) {  // '#' always shows the point
            char* at = static_cast<char*>(std::memchr(out, upper ? 'E' : 'e', size_t(n)));
            int pos = at ? int(at - out) : n;
            std::memmove(out + pos + 1, out + pos, size_t(n - pos));
            out[pos] = '.';
            ++n;
        }
        return n;
    }
    // Drop trailing zeros of the fraction, and the point when nothing follows it.
    char* point = static_cast<char*>(std::memchr(out, '.', size_t(n)));
    if (!point)
        return n;
    char* exp = static_cast<char*>(std::memchr(out, upper ? 'E' : 'e', size_t(n)));
    char* stop = exp ? exp : out + n;
    char* cut = stop;
    while (cut > point + 1 && cut[-1] == '0')
        --cut;
    if (cut == point + 1)
        cut = point;
    const int tail = int(out + n - stop);
    std::memmove(cut, stop, size_t(tail));
    return int(cut - out) + tail;
}

}  // namespace tovan
