// What the native model, animation and camera codecs share (internal to
// io/codecs): the 16-bit quantisation of their values, a writer that fills a
// gap opened in the output stream field by field, and the decode frame that
// clears the record on failure.
#pragma once
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

#include "core/little_endian.h"
#include "core/stream.h"
#include "io/codecs/reader.h"

namespace tovan::native {

// A unit value v is stored as trunc(v x 32767); a "p16" value (positions,
// scales, bounds, camera values) as trunc(v x 32767 / 256).
inline constexpr double kUnitScale = 32767.0;
inline constexpr double kP16Scale = 32767.0 / 256.0;

// The stored form of v x scale: truncated toward zero, clamped to +-32767 (the
// value saturates, the file stays readable), NaN as 0. A product within a few
// float roundings of a whole number (a relative 2^-22) is taken as that
// number: the value a decoder made of a stored v, which may land a rounding
// below v, is then written back as v, not one step nearer zero, so loading
// and saving a file again loses nothing more.
inline int16_t Quantize(float v, double scale) {
    const double q = double(v) * scale;
    if (!(q == q))
        return 0;
    if (q >= 32767)
        return 32767;
    if (q <= -32767)
        return -32767;
    const int t = int(q);  // toward zero
    const double rest = q - t;
    const double tolerance = std::fabs(q) * 0x1p-22;
    return int16_t(rest > 1 - tolerance ? t + 1 : rest < tolerance - 1 ? t - 1 : t);
}

inline float UnitValue(int16_t v) { return float(v) / 32767.0f; }
inline float P16Value(int16_t v) { return float(v) * 256.0f / 32767.0f; }

// A joint index held as a float, as its stored byte.
inline uint8_t JointByte(float v) {
    if (!(v > 0))
        return 0;
    return v >= 255 ? 255 : uint8_t(v);
}

// The w of a unit rotation from its stored x, y, z (w >= 0).
inline float RotationW(float x, float y, float z) {
    const float w2 = 1 - (x * x + y * y + z * z);
    return std::sqrt(w2 < 0 ? 0 : w2 > 1 ? 1 : w2);
}

// Writes little-endian fields one after the other into bytes it was given
// room for (the encoder sized the file before it writes).
class cByteWriter {
public:
    explicit cByteWriter(uint8_t* at) : m_At(at) {}

    void U8(uint8_t v) { *m_At++ = v; }
    void U16(uint16_t v) {
        StoreU16(m_At, v);
        m_At += 2;
    }
    void I16(int16_t v) { U16(uint16_t(v)); }
    void U32(uint32_t v) {
        StoreU32(m_At, v);
        m_At += 4;
    }
    void I32(int32_t v) { U32(uint32_t(v)); }
    void F32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        U32(bits);
    }
    void Bytes(const void* p, int n) {
        if (n > 0)
            std::memcpy(m_At, p, size_t(n));
        m_At += n;
    }
    // The next n bytes, for a caller that fills a run of fixed records itself.
    uint8_t* Take(int64_t n) {
        uint8_t* at = m_At;
        m_At += n;
        return at;
    }

private:
    uint8_t* m_At;
};

// A text field: an i16 length then the bytes. A text the decoders would refuse
// (longer than 32767 bytes, or holding a 0 byte) is not written.
inline bool TextFits(const cStr& text) {
    return text.Length() <= 32767 && (text.Length() == 0 || !std::memchr(text.GetText(), 0, size_t(text.Length())));
}
inline void Text(cByteWriter& w, const cStr& text) {
    w.U16(uint16_t(text.Length()));
    w.Bytes(text.GetText(), text.Length());
}

// Clears `out`, runs `read` on a reader at the stream's position, and clears
// `out` again when it or an allocation on the way fails.
template <class Record, class Read>
bool RunDecode(cStream& in, Record& out, Read read) {
    out.Clear();
    bool ok = false;
    try {
        cReader reader(in);
        ok = reader.Ok() && read(reader, out) && reader.Ok();
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    if (!ok)
        out.Clear();
    return ok;
}

// Runs an encoder; an allocation that fails on the way makes it false.
template <class Write>
bool RunEncode(Write write) {
    try {
        return write();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace tovan::native
