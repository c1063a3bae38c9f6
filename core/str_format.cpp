// Formatting into cStr: printf-style texts and numbers, all through the
// framework's own formatter so that every build writes the same bytes.
#include "core/float_text.h"
#include "core/format.h"
#include "core/str.h"

#include <charconv>

namespace tovan {

namespace {

template <int kBuffer>
cStr FormatInto(const char* fmt, va_list args) {
    char buffer[kBuffer];
    const int n = FormatTextV(buffer, kBuffer, fmt, args);
    cStr out;
    if (n > 0)
        out.Assign(buffer, 0, n);
    return out;
}

}  // namespace

cStr cStr::Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    cStr out = FormatInto<kFormatLimit + 1>(fmt, args);
    va_end(args);
    return out;
}

cStr cStr::FormatV(const char* fmt, va_list args) { return FormatInto<kFormatVLimit + 1>(fmt, args); }

void cStr::AppendFormat(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    AppendFormatV(fmt, args);
    va_end(args);
}

void cStr::AppendFormatV(const char* fmt, va_list args) {
    char buffer[kFormatVLimit + 1];
    Append(buffer, FormatTextV(buffer, sizeof buffer, fmt, args));
}

void cStr::AppendInt(int value) {
    char digits[16];
    Append(digits, int(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
}

cStr cStr::FromFloat(float value, int decimals) {
    char text[kFloatTextMax];
    return cStr(text, FloatToFixed(text, value, decimals));
}

cStr IntsToString(const int* values, int count) {
    cStr out;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out.AppendChar(' ');
        out.AppendInt(values[i]);
    }
    return out;
}

cStr FloatsToString(const float* values, int count) {
    cStr out;
    char text[kFloatTextMax];
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out.AppendChar(' ');
        out.Append(text, FloatToFixed(text, values[i], 3));
    }
    return out;
}

}  // namespace tovan
