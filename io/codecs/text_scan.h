// Reading the text formats (internal to io/codecs): lines as cStream::ReadLine
// cuts them and numbers as the framework's ParseInt and ParseFloat accept them,
// read in place from a file's bytes without copying a line or a token.
#pragma once
#include <cstdint>
#include <new>

#include "core/stream.h"

namespace tovan::text {

// A run of bytes of the file: [begin, end).
struct cSpan {
    const char* begin = nullptr;
    const char* end = nullptr;

    int Length() const { return int(end - begin); }
    bool Is(const char* word) const;  // the whole span equals the word
};

// The lines of a stream's bytes from its position: a line ends at '\r' or
// '\n', and runs of line ends (blank lines) are passed over.
class cLines {
public:
    explicit cLines(const cStream& in);

    // The next line without its end; false at the end of the bytes.
    bool Next(cSpan& line);
    // Bytes after the line handed out last.
    int64_t Remaining() const { return m_End - m_At; }

private:
    const char* m_At;
    const char* m_End;
};

// Number scanning. Each reads at `at` (no blanks are passed over first) up to
// `end` at the latest, moves `at` past what it accepted and stops at the first
// byte it does not accept, as ParseInt and ParseFloat do; false (out 0) when no
// digit was found.
//
// Integers: an optional sign, then digits. A value beyond the 32-bit range
// saturates to INT_MAX or INT_MIN instead of wrapping to an unrelated number.
bool ScanInt(const char*& at, const char* end, int32_t& out);
// Floats: an optional sign, digits, '.' or ',' and more digits, an exponent
// after 'e', 'E', 'd' or 'D' with an optional sign. The value is the float
// nearest the decimal text (ties to even). A value beyond the float range
// fails; one below the smallest float becomes 0 of its sign.
bool ScanFloat(const char*& at, const char* end, float& out);

// Clears `out`, runs `read` (stream, record) and clears `out` again when it
// or an allocation on the way fails.
template <class Record, class Read>
bool RunDecode(cStream& in, Record& out, Read read) {
    out.Clear();
    bool ok = false;
    try {
        ok = read(in, out);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    if (!ok)
        out.Clear();
    return ok;
}

}  // namespace tovan::text
