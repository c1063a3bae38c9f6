// cStream: an in-memory file with a cursor. File reads fill one; codecs read
// and write their formats through one. Every read checks that its whole width
// remains before the count and then advances; a failed fixed-width read leaves
// the position where it was. Every write inserts at the position and advances
// it, so writing at the end appends. Numbers are little-endian.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/str.h"
#include "core/vec.h"

namespace tovan {

class cStream {
public:
    cStr m_Name;  // the path the bytes came from, or the path to write
    cList<uint8_t> m_Bytes;
    int m_Position = 0;  // 0 <= position <= count

    int Count() const { return m_Bytes.Count(); }
    int Remaining() const;  // bytes after the position, 0 when the position is off the end
    const uint8_t* Data() const { return m_Bytes.Data(); }
    void Clear();  // no bytes, position 0; the name stays

    bool ReadU8(uint8_t& out);
    bool ReadI8(int8_t& out);
    bool ReadU16(uint16_t& out);
    bool ReadI16(int16_t& out);
    bool ReadU32(uint32_t& out);
    bool ReadI32(int32_t& out);
    bool ReadF32(float& out);  // the IEEE single with these bytes
    // x, y, z in turn; values read before a shortage stay in out.
    bool ReadVec3(cVec3& out);
    // n bytes as they stand.
    bool ReadBlock(void* out, int n);
    // Text of n bytes: fails on a negative n, on a 0 byte or when fewer remain;
    // a short text is still copied and passed over.
    bool ReadText(int n, cStr& out);
    bool ReadString(cStr& out);  // i16 length, then the text
    // The next line without its end: skips blank lines, stops at '\r' or '\n'
    // and passes over that one byte. False only when the position is at the end.
    bool ReadLine(cStr& out);

    void WriteU8(uint8_t v);
    void WriteU16(uint16_t v);
    void WriteI16(int16_t v) { WriteU16(uint16_t(v)); }
    void WriteU32(uint32_t v);
    void WriteI32(int32_t v) { WriteU32(uint32_t(v)); }
    void WriteF32(float v);
    void WriteBlock(const void* bytes, int n);
    // i16 length and the bytes; false (nothing written) above 32767 bytes.
    bool WriteString(const cStr& text);

private:
    bool Take(int n, const uint8_t** at);  // the next n bytes and advance; false when fewer remain
};

}  // namespace tovan
