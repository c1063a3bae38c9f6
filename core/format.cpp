#include "core/format.h"

#include "core/float_text.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tovan {

namespace {

// Output with silent truncation at the end of the caller's buffer.
struct Sink {
    char* at;
    char* end;  // last byte is kept for the terminator

    void Put(const char* text, int n) {
        if (n > end - at)
            n = int(end - at);
        if (n > 0) {
            std::memcpy(at, text, size_t(n));
            at += n;
        }
    }
    void Repeat(char ch, int n) {
        if (n > end - at)
            n = int(end - at);
        if (n > 0) {
            std::memset(at, ch, size_t(n));
            at += n;
        }
    }
};

struct Spec {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    int width = 0;
    int precision = -1;  // -1: none given
    enum Size { Int, Char, Short, Long, LongLong, IntMax, SizeT, PtrDiff, LongDouble } size = Int;
};

constexpr int kMaxWidth = 1 << 20;  // keeps hostile widths from overflowing

int ReadNumber(const char*& f) {
    int n = 0;
    while (*f >= '0' && *f <= '9') {
        if (n < kMaxWidth)
            n = n * 10 + (*f - '0');
        ++f;
    }
    return n < kMaxWidth ? n : kMaxWidth;
}

// Prefix (sign or "0x") and body, padded to the width.
void Emit(Sink& out, const Spec& s, const char* prefix, int prefixLen, int zeros, const char* body, int bodyLen,
          bool zeroPad) {
    int pad = s.width - prefixLen - zeros - bodyLen;
    if (pad < 0)
        pad = 0;
    if (!s.left && !zeroPad)
        out.Repeat(' ', pad);
    out.Put(prefix, prefixLen);
    if (!s.left && zeroPad)
        out.Repeat('0', pad);
    out.Repeat('0', zeros);
    out.Put(body, bodyLen);
    if (s.left)
        out.Repeat(' ', pad);
}

int64_t SignedArg(const Spec& s, va_list& args) {
    switch (s.size) {
    case Spec::Char: return static_cast<signed char>(va_arg(args, int));
    case Spec::Short: return static_cast<short>(va_arg(args, int));
    case Spec::Long: return va_arg(args, long);
    case Spec::LongLong: return va_arg(args, long long);
    case Spec::IntMax: return va_arg(args, intmax_t);
    case Spec::SizeT:
    case Spec::PtrDiff: return va_arg(args, ptrdiff_t);
    default: return va_arg(args, int);
    }
}

uint64_t UnsignedArg(const Spec& s, va_list& args) {
    switch (s.size) {
    case Spec::Char: return static_cast<unsigned char>(va_arg(args, unsigned));
    case Spec::Short: return static_cast<unsigned short>(va_arg(args, unsigned));
    case Spec::Long: return va_arg(args, unsigned long);
    case Spec::LongLong: return va_arg(args, unsigned long long);
    case Spec::IntMax: return va_arg(args, uintmax_t);
    case Spec::SizeT:
    case Spec::PtrDiff: return va_arg(args, size_t);
    default: return va_arg(args, unsigned);
    }
}

void EmitInteger(Sink& out, const Spec& s, char conv, uint64_t magnitude, bool negative) {
    const char* digits = conv == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    const unsigned base = conv == 'o' ? 8 : (conv == 'x' || conv == 'X' || conv == 'p') ? 16 : 10;
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* p = end;
    for (uint64_t v = magnitude; v != 0; v /= base)
        *--p = digits[v % base];
    if (magnitude == 0 && s.precision != 0)
        *--p = '0';
    int len = int(end - p);

    char prefix[2];
    int prefixLen = 0;
    if (negative)
        prefix[prefixLen++] = '-';
    else if (s.plus && (conv == 'd' || conv == 'i'))
        prefix[prefixLen++] = '+';
    else if (s.space && (conv == 'd' || conv == 'i'))
        prefix[prefixLen++] = ' ';
    if (conv == 'p' || (s.alt && magnitude != 0 && base == 16)) {
        prefix[prefixLen++] = '0';
        prefix[prefixLen++] = conv == 'X' ? 'X' : 'x';
    }
    int zeros = s.precision > len ? s.precision - len : 0;
    if (s.alt && base == 8 && zeros == 0 && (len == 0 || *p != '0'))
        zeros = 1;
    Emit(out, s, prefix, prefixLen, zeros, p, len, s.zero && s.precision < 0);
}

void EmitFloat(Sink& out, const Spec& s, char conv, double value) {
    char text[kFloatTextMax + 2];
    const bool upper = conv == 'F' || conv == 'E' || conv == 'G';
    const int precision = s.precision < 0 ? 6 : s.precision;
    int n;
    switch (conv) {
    case 'e':
    case 'E': n = FloatToScientific(text, value, precision, upper); break;
    case 'g':
    case 'G': n = FloatToGeneral(text, value, precision, upper, s.alt); break;
    default: n = FloatToFixed(text, value, precision, upper); break;
    }
    const char* body = text;
    char sign = 0;
    if (text[0] == '-') {
        sign = '-';
        ++body;
        --n;
    } else if (s.plus) {
        sign = '+';
    } else if (s.space) {
        sign = ' ';
    }
    const bool finite = body[0] >= '0' && body[0] <= '9';
    if (s.alt && finite && precision == 0 && conv != 'g' && conv != 'G') {
        // '#' keeps the point even without decimals: after the digits or the first digit.
        char* b = text + (body - text);
        int at = (conv == 'f' || conv == 'F') ? n : 1;
        std::memmove(b + at + 1, b + at, size_t(n - at));
        b[at] = '.';
        ++n;
    }
    Emit(out, s, &sign, sign ? 1 : 0, 0, body, n, s.zero && finite);
}

void EmitText(Sink& out, const Spec& s, const char* text) {
    if (!text)
        text = "(null)";
    int n = 0;
    if (s.precision >= 0) {
        const void* stop = std::memchr(text, 0, size_t(s.precision));
        n = stop ? int(static_cast<const char*>(stop) - text) : s.precision;
    } else {
        n = int(std::strlen(text));
    }
    Emit(out, s, nullptr, 0, 0, text, n, false);
}

// Reads flags, width, precision and size after a '%'.
void ReadSpec(const char*& f, Spec& s, va_list& args) {
    for (;; ++f) {
        if (*f == '-')
            s.left = true;
        else if (*f == '+')
            s.plus = true;
        else if (*f == ' ')
            s.space = true;
        else if (*f == '#')
            s.alt = true;
        else if (*f == '0')
            s.zero = true;
        else
            break;
    }
    if (*f == '*') {
        ++f;
        int w = va_arg(args, int);
        if (w < 0) {
            s.left = true;
            w = w == INT32_MIN ? kMaxWidth : -w;
        }
        s.width = w < kMaxWidth ? w : kMaxWidth;
    } else {
        s.width = ReadNumber(f);
    }
    if (*f == '.') {
        ++f;
        if (*f == '*') {
            ++f;
            int p = va_arg(args, int);
            s.precision = p < 0 ? -1 : (p < kMaxWidth ? p : kMaxWidth);
        } else {
            s.precision = ReadNumber(f);
        }
    }
    switch (*f) {
    case 'h':
        s.size = f[1] == 'h' ? Spec::Char : Spec::Short;
        f += f[1] == 'h' ? 2 : 1;
        break;
    case 'l':
        s.size = f[1] == 'l' ? Spec::LongLong : Spec::Long;
        f += f[1] == 'l' ? 2 : 1;
        break;
    case 'q':
        s.size = Spec::LongLong;
        ++f;
        break;
    case 'j':
        s.size = Spec::IntMax;
        ++f;
        break;
    case 'z':
        s.size = Spec::SizeT;
        ++f;
        break;
    case 't':
        s.size = Spec::PtrDiff;
        ++f;
        break;
    case 'L':
        s.size = Spec::LongDouble;
        ++f;
        break;
    case 'I':
        if (f[1] == '6' && f[2] == '4') {
            s.size = Spec::LongLong;
            f += 3;
        } else if (f[1] == '3' && f[2] == '2') {
            s.size = Spec::Int;
            f += 3;
        } else {
            s.size = Spec::SizeT;
            ++f;
        }
        break;
    default: break;
    }
}

}  // namespace

int FormatTextV(char* out, int size, const char* fmt, va_list argsIn) {
    if (size < 1 || !out)
        return 0;
    Sink sink{out, out + size - 1};
    if (!fmt) {
        *out = 0;
        return 0;
    }
    va_list args;
    va_copy(args, argsIn);
    const char* f = fmt;
    while (*f) {
        if (*f != '%') {
            const char* run = f;
            while (*f && *f != '%')
                ++f;
            sink.Put(run, int(f - run));
            continue;
        }
        const char* start = f++;
        Spec s;
        ReadSpec(f, s, args);
        const char conv = *f;
        if (conv)
            ++f;
        switch (conv) {
        case 'd':
        case 'i': {
            int64_t v = SignedArg(s, args);
            // The magnitude is taken unsigned so that the most negative value has one.
            uint64_t m = v < 0 ? 0 - uint64_t(v) : uint64_t(v);
            EmitInteger(sink, s, conv, m, v < 0);
            break;
        }
        case 'u':
        case 'o':
        case 'x':
        case 'X': EmitInteger(sink, s, conv, UnsignedArg(s, args), false); break;
        case 'p': EmitInteger(sink, s, 'p', uintptr_t(va_arg(args, void*)), false); break;
        case 'c': {
            char ch = char(va_arg(args, int));
            Emit(sink, s, nullptr, 0, 0, &ch, 1, false);
            break;
        }
        case 's': EmitText(sink, s, va_arg(args, const char*)); break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G': {
            double v = s.size == Spec::LongDouble ? double(va_arg(args, long double)) : va_arg(args, double);
            EmitFloat(sink, s, conv, v);
            break;
        }
        case 'n': (void)va_arg(args, void*); break;  // never written through: a format must not poke memory
        case '%': sink.Put("%", 1); break;
        default: sink.Put(start, int(f - start)); break;  // unknown: shown as written
        }
    }
    va_end(args);
    *sink.at = 0;
    return int(sink.at - out);
}

int FormatText(char* out, int size, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    int n = FormatTextV(out, size, fmt, args);
    va_end(args);
    return n;
}

}  // namespace tovan
