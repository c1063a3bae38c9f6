// What the md5mesh and md5anim readers share (internal to io/codecs): lines
// cut into tokens, numbers that must parse, counts checked against the bytes
// left, the md5 rotation rules and the transform into the framework's space.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/mat.h"
#include "core/quat.h"
#include "core/str.h"
#include "core/stream.h"
#include "io/codecs/text_scan.h"

namespace tovan::md5 {

// The lines of an md5 file, each cut into tokens: at spaces and tabs on the
// top level, at any of " ()\t" inside a block (so parentheses vanish), where a
// quoted string is one token up to its closing quote, blanks included. A "//"
// outside quotes, or a zero byte, ends what is read of a line. Lines without a
// token are passed over.
class cMd5Lines {
public:
    explicit cMd5Lines(const cStream& in);

    // The next line; false at the end of the bytes, and inside a block at a
    // quote its line does not close.
    bool Next(bool inBlock);

    int Count() const { return m_Tokens.Count(); }
    bool Is(int i, const char* word) const { return i < Count() && m_Tokens[i].Is(word); }
    cStr Text(int i) const;
    // False when the token is missing or does not begin with a number.
    bool Int(int i, int32_t& out) const;
    bool Float(int i, float& out) const;
    bool Vec3(int i, cVec3& out) const { return Float(i, out.x) && Float(i + 1, out.y) && Float(i + 2, out.z); }
    // A count that sizes a list: at least 0 and no more items than the bytes
    // left could hold, with each item a line of at least lineBytes bytes.
    bool ItemCount(int i, int lineBytes, int32_t& out) const;

private:
    text::cLines m_Lines;
    cList<text::cSpan> m_Tokens;
};

// The w of an md5 rotation: -sqrt(1 - x^2 - y^2 - z^2), or 0 when that is
// below 0. Rotations near half a turn have it just above 0, and their w
// still counts.
float RotationW(float x, float y, float z);
inline cQuat Rotation(const cVec3& v) { return {v.x, v.y, v.z, RotationW(v.x, v.y, v.z)}; }

// v turned by the rotation q.
cVec3 Rotate(const cQuat& q, const cVec3& v);

// Into the framework's space: (x, y, z) becomes (0.5 x, 0.5 z, -0.5 y), a
// turn of -90 degrees about x and a scale of 0.5; rotations are turned by the
// same -90 degrees on the left.
cVec3 ToSpace(const cVec3& position);
cQuat ToSpace(const cQuat& rotation);

}  // namespace tovan::md5
