#include "core/stream.h"

#include "core/little_endian.h"

#include <cstring>

namespace tovan {

int cStream::Remaining() const {
    const int count = Count();
    return m_Position >= 0 && m_Position <= count ? count - m_Position : 0;
}

void cStream::Clear() {
    m_Bytes.DestroyItems();
    m_Position = 0;
}

// Compares n with what remains, never position + n, which a length taken from
// a file could overflow.
bool cStream::Take(int n, const uint8_t** at) {
    if (n < 0 || n > Remaining())
        return false;
    *at = m_Bytes.Data() + m_Position;  // null for an empty stream; then n is 0
    m_Position += n;
    return true;
}

bool cStream::ReadU8(uint8_t& out) {
    const uint8_t* p = nullptr;
    const bool ok = Take(1, &p);
    out = ok ? p[0] : 0;
    return ok;
}

bool cStream::ReadI8(int8_t& out) {
    uint8_t v;
    const bool ok = ReadU8(v);
    out = int8_t(v);
    return ok;
}

bool cStream::ReadU16(uint16_t& out) {
    const uint8_t* p = nullptr;
    const bool ok = Take(2, &p);
    out = ok ? LoadU16(p) : 0;
    return ok;
}

bool cStream::ReadI16(int16_t& out) {
    uint16_t v;
    const bool ok = ReadU16(v);
    out = int16_t(v);
    return ok;
}

bool cStream::ReadU32(uint32_t& out) {
    const uint8_t* p = nullptr;
    const bool ok = Take(4, &p);
    out = ok ? LoadU32(p) : 0;
    return ok;
}

bool cStream::ReadI32(int32_t& out) {
    uint32_t v;
    const bool ok = ReadU32(v);
    out = int32_t(v);
    return ok;
}

bool cStream::ReadF32(float& out) {
    uint32_t bits;
    const bool ok = ReadU32(bits);
    std::memcpy(&out, &bits, 4);  // bit for bit: no float register may quieten a NaN
    return ok;
}

bool cStream::ReadVec3(cVec3& out) { return ReadF32(out.x) && ReadF32(out.y) && ReadF32(out.z); }

bool cStream::ReadBlock(void* out, int n) {
    const uint8_t* p = nullptr;
    if (!Take(n, &p))
        return false;
    if (n > 0)
        std::memcpy(out, p, size_t(n));
    return true;
}

bool cStream::ReadText(int n, cStr& out) {
    out.Clear();
    if (n < 0)
        return false;
    const int remaining = Remaining();
    const int k = n < remaining ? n : remaining;
    const uint8_t* text = nullptr;
    if (Take(k, &text) && k > 0)
        out.Assign(reinterpret_cast<const char*>(text), 0, k);
    return k == n && !std::memchr(out.GetText(), 0, size_t(k));
}

bool cStream::ReadString(cStr& out) {
    int16_t n;
    if (!ReadI16(n)) {
        out.Clear();
        return false;
    }
    return ReadText(n, out);
}

bool cStream::ReadLine(cStr& out) {
    out.Clear();
    const int count = Count();
    if (m_Position < 0 || m_Position >= count)
        return false;
    const char* bytes = reinterpret_cast<const char*>(m_Bytes.Data());
    int p = m_Position;
    while (p < count && (bytes[p] == '\r' || bytes[p] == '\n'))
        ++p;
    const int start = p;
    while (p < count && bytes[p] != '\r' && bytes[p] != '\n')
        ++p;
    if (p > start)
        out.Assign(bytes, start, p - start);
    if (p < count)
        ++p;  // one line end
    m_Position = p;
    return true;
}

void cStream::WriteBlock(const void* bytes, int n) {
    if (n <= 0)
        return;
    if (m_Position < 0 || m_Position > Count())
        m_Position = Count();
    m_Bytes.InsertRange(m_Position, static_cast<const uint8_t*>(bytes), n);
    m_Position += n;
}

void cStream::WriteU8(uint8_t v) { WriteBlock(&v, 1); }

void cStream::WriteU16(uint16_t v) {
    uint8_t b[2];
    StoreU16(b, v);
    WriteBlock(b, 2);
}

void cStream::WriteU32(uint32_t v) {
    uint8_t b[4];
    StoreU32(b, v);
    WriteBlock(b, 4);
}

void cStream::WriteF32(float v) {
    uint8_t b[4];
    StoreF32(b, v);
    WriteBlock(b, 4);
}

bool cStream::WriteString(const cStr& text) {
    if (text.Length() > 32767)
        return false;
    WriteI16(int16_t(text.Length()));
    WriteBlock(text.GetText(), text.Length());
    return true;
}

}  // namespace tovan
