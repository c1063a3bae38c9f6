// cReader: the bounded reader that every binary decoder reads its file with.
// It reads from a cStream at its position, checks what remains before every
// field, and computes sizes in 64 bits. A count taken from a file is accepted
// only when count x the smallest record it counts fits in what remains, so a
// lying header is refused before anything is allocated for it.
//
// The first failed read marks the reader failed; every later read then fails
// too, so a decoder may read a run of fields and test once.
#pragma once
#include <cstdint>

#include "core/little_endian.h"
#include "core/stream.h"

namespace tovan {

class cReader {
public:
    // Reads from the stream's position, which becomes offset 0 of SeekTo.
    explicit cReader(cStream& stream);

    bool Ok() const { return m_Ok; }
    bool Fail() { return m_Ok = false; }  // marks the read failed; false

    int64_t Remaining() const;
    int64_t Offset() const;  // bytes past where the reader began

    bool U8(uint8_t& out);
    bool I8(int8_t& out);
    bool U16(uint16_t& out);
    bool I16(int16_t& out);
    bool U32(uint32_t& out);
    bool I32(int32_t& out);
    bool F32(float& out);
    bool Vec3(cVec3& out);
    bool Text(int n, cStr& out);  // n bytes, none of them 0; a negative n fails
    bool String(cStr& out);       // i16 length, then the text

    // n bytes copied out, or passed over, or handed out in place (valid while
    // the stream is unchanged; null when fewer remain).
    bool Block(void* out, int64_t n);
    bool Skip(int64_t n);
    const uint8_t* Take(int64_t n);
    // Moves to an offset from where the reader began, up to the stream's end.
    bool SeekTo(int64_t offset);

    // True when count >= 0 and count records of recordBytes each fit in what
    // remains; the check a decoder makes before it allocates for a count.
    bool Fits(int64_t count, int64_t recordBytes) const;
    // An i32 count that Fits with records of at least recordBytes each.
    bool Count(int32_t& out, int64_t recordBytes);

private:
    template <class T, class Read>
    bool Field(T& out, Read read);
    bool Check(bool ok) { return m_Ok = m_Ok && ok; }

    cStream& m_Stream;
    int64_t m_Start;
    bool m_Ok = true;
};

}  // namespace tovan
