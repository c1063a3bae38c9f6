#include "io/codecs/md5_text.h"

#include <cmath>

namespace tovan::md5 {

namespace {

enum : uint8_t { kPart = 0, kCut = 1, kEnd = 2, kQuote = 3 };

// What each byte is to a line's tokens.
struct Separators {
    uint8_t of[256] = {};
    constexpr Separators(const char* set, bool quotes) {
        for (; *set; ++set)
            of[uint8_t(*set)] = kCut;
        if (quotes)
            of[uint8_t('"')] = kQuote;
        of[0] = kEnd;
    }
};
constexpr Separators kTopLevel(" \t", false);
constexpr Separators kInBlock(" ()\t", true);

// The fixed transform: rows are where x, y and z go (row vectors).
cMat4 MakeSpace() {
    cMat4 m;
    m.SetZero();
    m.m[0][0] = 0.5f;
    m.m[1][2] = -0.5f;
    m.m[2][1] = 0.5f;
    m.m[3][3] = 1;
    return m;
}

const cMat4& Space() {
    static const cMat4 space = MakeSpace();
    return space;
}

const cQuat& SpaceRotation() {
    static const cQuat rotation = Space().GetUpper3x3().ToQuat();
    return rotation;
}

// The line up to a "//" that no quote opened before it.
text::cSpan WithoutComment(text::cSpan line) {
    bool quoted = false;
    for (const char* p = line.begin; p < line.end && *p; ++p) {
        if (*p == '"')
            quoted = !quoted;
        else if (!quoted && *p == '/' && p + 1 < line.end && p[1] == '/')
            return {line.begin, p};
    }
    return line;
}

}  // namespace

cMd5Lines::cMd5Lines(const cStream& in) : m_Lines(in) {}

bool cMd5Lines::Next(bool inBlock) {
    const Separators& cut = inBlock ? kInBlock : kTopLevel;
    text::cSpan line;
    while (m_Lines.Next(line)) {
        line = WithoutComment(line);
        m_Tokens.Resize(0);
        const char* p = line.begin;
        while (p < line.end) {
            const uint8_t kind = cut.of[uint8_t(*p)];
            text::cSpan token{p, p};
            if (kind == kPart) {
                while (token.end < line.end && cut.of[uint8_t(*token.end)] == kPart)
                    ++token.end;
            } else if (kind == kCut) {
                ++p;
                continue;
            } else if (kind == kEnd) {
                break;
            } else {
                token.begin = token.end = p + 1;
                while (token.end < line.end && *token.end != '"' && *token.end != 0)
                    ++token.end;
                if (token.end == line.end || *token.end != '"') {
                    m_Tokens.Resize(0);
                    return false;
                }
            }
            m_Tokens.PushBack(token);
            p = token.end + (kind == kQuote);  // past a closing quote
        }
        if (!m_Tokens.IsEmpty())
            return true;
    }
    m_Tokens.Resize(0);
    return false;
}

cStr cMd5Lines::Text(int i) const { return i < Count() ? cStr(m_Tokens[i].begin, m_Tokens[i].Length()) : cStr(); }

bool cMd5Lines::Int(int i, int32_t& out) const {
    out = 0;
    if (i >= Count())
        return false;
    const char* at = m_Tokens[i].begin;
    return text::ScanInt(at, m_Tokens[i].end, out);
}

bool cMd5Lines::Float(int i, float& out) const {
    out = 0;
    if (i >= Count())
        return false;
    const char* at = m_Tokens[i].begin;
    return text::ScanFloat(at, m_Tokens[i].end, out);
}

bool cMd5Lines::ItemCount(int i, int lineBytes, int32_t& out) const {
    return Int(i, out) && out >= 0 && int64_t(out) <= m_Lines.Remaining() / lineBytes;
}

float RotationW(float x, float y, float z) {
    const float t = 1 - x * x - y * y - z * z;
    return t < 0 ? 0 : -std::sqrt(t);
}

cVec3 Rotate(const cQuat& q, const cVec3& v) {
    // v + 2w (u x v) + 2 u x (u x v), u the vector part: q v q* for a unit q.
    const cVec3 u{q.x, q.y, q.z};
    const cVec3 t = Cross(u, v) * 2.0f;
    return v + t * q.w + Cross(u, t);
}

cVec3 ToSpace(const cVec3& position) { return Space().TransformPoint(position); }

cQuat ToSpace(const cQuat& rotation) { return SpaceRotation() * rotation; }

}  // namespace tovan::md5
