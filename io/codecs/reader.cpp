#include "io/codecs/reader.h"

#include <cstring>

namespace tovan {

cReader::cReader(cStream& stream) : m_Stream(stream), m_Start(stream.m_Position) {
    if (m_Start < 0 || m_Start > stream.Count()) {
        m_Start = stream.Count();
        m_Ok = false;
    }
}

int64_t cReader::Remaining() const { return m_Ok ? m_Stream.Remaining() : 0; }

int64_t cReader::Offset() const { return int64_t(m_Stream.m_Position) - m_Start; }

// A failed reader reads nothing more and hands out zero values.
template <class T, class Read>
bool cReader::Field(T& out, Read read) {
    if (!m_Ok) {
        out = T();
        return false;
    }
    return Check(read());
}

bool cReader::U8(uint8_t& out) {
    return Field(out, [&] { return m_Stream.ReadU8(out); });
}
bool cReader::I8(int8_t& out) {
    return Field(out, [&] { return m_Stream.ReadI8(out); });
}
bool cReader::U16(uint16_t& out) {
    return Field(out, [&] { return m_Stream.ReadU16(out); });
}
bool cReader::I16(int16_t& out) {
    return Field(out, [&] { return m_Stream.ReadI16(out); });
}
bool cReader::U32(uint32_t& out) {
    return Field(out, [&] { return m_Stream.ReadU32(out); });
}
bool cReader::I32(int32_t& out) {
    return Field(out, [&] { return m_Stream.ReadI32(out); });
}
bool cReader::F32(float& out) {
    return Field(out, [&] { return m_Stream.ReadF32(out); });
}
bool cReader::Vec3(cVec3& out) {
    return Field(out, [&] { return m_Stream.ReadVec3(out); });
}
bool cReader::Text(int n, cStr& out) {
    return Field(out, [&] { return m_Stream.ReadText(n, out); });
}
bool cReader::String(cStr& out) {
    return Field(out, [&] { return m_Stream.ReadString(out); });
}

const uint8_t* cReader::Take(int64_t n) {
    if (!Check(n >= 0 && n <= Remaining()))
        return nullptr;
    const uint8_t* at = m_Stream.Data() + m_Stream.m_Position;
    m_Stream.m_Position += int(n);
    return at;
}

bool cReader::Block(void* out, int64_t n) {
    const uint8_t* p = Take(n);
    if (p && n > 0)
        std::memcpy(out, p, size_t(n));
    return p != nullptr;
}

bool cReader::Skip(int64_t n) { return Take(n) != nullptr; }

bool cReader::SeekTo(int64_t offset) {
    if (!Check(offset >= 0 && offset <= m_Stream.Count() - m_Start))
        return false;
    m_Stream.m_Position = int(m_Start + offset);
    return true;
}

bool cReader::Fits(int64_t count, int64_t recordBytes) const {
    if (!m_Ok || count < 0 || recordBytes < 0)
        return false;
    return recordBytes == 0 || count <= Remaining() / recordBytes;
}

bool cReader::Count(int32_t& out, int64_t recordBytes) {
    if (!I32(out))
        return false;
    if (!Check(Fits(out, recordBytes))) {
        out = 0;
        return false;
    }
    return true;
}

}  // namespace tovan
