// The shared body of the native model, animation and camera decoder fuzz
// targets: any bytes either fail cleanly (record cleared) or decode; a decoded
// record always encodes, reads back, and writes the same bytes again.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "io/codecs/model_codecs.h"

namespace tovan::fuzz {

inline bool SameBytes(const cStream& a, const cStream& b) {
    return a.Count() == b.Count() && (a.Count() == 0 || std::memcmp(a.Data(), b.Data(), size_t(a.Count())) == 0);
}

// Returns the decoded record through `out` when the bytes decode; aborts on
// any broken rule.
template <class Codec, class Record>
bool DecodeAndRoundTrip(const uint8_t* data, size_t size, Record& out, bool (*cleared)(const Record&)) {
    const Codec codec;
    cStream in;
    in.m_Bytes.AppendRange(data, int(size));
    if (!codec.Decode(in, out)) {
        if (!cleared(out))
            std::abort();  // a failed decode must leave the record cleared
        return false;
    }
    cStream first, second;
    Record again;
    if (!codec.Encode(out, first))
        std::abort();  // whatever the decoder accepts, the encoder stores
    first.m_Position = 0;
    if (!codec.Decode(first, again) || first.m_Position != first.Count())
        std::abort();
    if (!codec.Encode(again, second) || !SameBytes(first, second))
        std::abort();  // a decoded value writes back as itself
    return true;
}

}  // namespace tovan::fuzz
