// UTF-8 to UTF-16 with the table-driven decoding automaton: byte classes, then
// transitions between states 0 (accept), 12 (reject) and the states inside a
// sequence, in steps of 12.
#include "core/str.h"

namespace tovan {

namespace {

constexpr int kAccept = 0;
constexpr int kReject = 12;

struct ByteClasses {
    uint8_t of[256];
    constexpr ByteClasses() : of() {
        struct Range {
            int first, last, type;
        };
        constexpr Range ranges[] = {{0x00, 0x7f, 0}, {0x80, 0x8f, 1}, {0x90, 0x9f, 9},  {0xa0, 0xbf, 7},
                                    {0xc0, 0xc1, 8}, {0xc2, 0xdf, 2}, {0xe0, 0xe0, 10}, {0xe1, 0xec, 3},
                                    {0xed, 0xed, 4}, {0xee, 0xef, 3}, {0xf0, 0xf0, 11}, {0xf1, 0xf3, 6},
                                    {0xf4, 0xf4, 5}, {0xf5, 0xff, 8}};
        for (const Range& r : ranges)
            for (int b = r.first; b <= r.last; ++b)
                of[b] = uint8_t(r.type);
    }
};
constexpr ByteClasses kClasses;

// Rows are states 0, 12, ..., 96; columns the twelve byte classes.
constexpr uint8_t kTransitions[9 * 12] = {
    0,  12, 24, 36, 60, 96, 84, 12, 12, 12, 48, 72,  // start
    12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12,  // reject
    12, 0,  12, 12, 12, 12, 12, 0,  12, 0,  12, 12,  // one continuation left
    12, 24, 12, 12, 12, 12, 12, 24, 12, 24, 12, 12,  // two left
    12, 12, 12, 12, 12, 12, 12, 24, 12, 12, 12, 12,  // after E0: A0..BF only
    12, 24, 12, 12, 12, 12, 12, 12, 12, 24, 12, 12,  // after ED: 80..9F only (no surrogates)
    12, 12, 12, 12, 12, 12, 12, 36, 12, 36, 12, 12,  // after F0: 90..BF only
    12, 36, 12, 12, 12, 12, 12, 36, 12, 36, 12, 12,  // three left
    12, 36, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12,  // after F4: 80..8F only
};

}  // namespace

bool cStr::ToUtf16(cList<uint16_t>& out) const {
    out.DestroyItems();
    out.Grow(m_Length);
    int state = kAccept;
    uint32_t codePoint = 0;
    for (int i = 0; i < m_Length && state != kReject; ++i) {
        const uint8_t byte = uint8_t(m_Data[i]);
        const int type = kClasses.of[byte];
        codePoint = state != kAccept ? (byte & 0x3fu) | (codePoint << 6) : (0xffu >> type) & byte;
        state = kTransitions[state + type];
        if (state != kAccept)
            continue;
        if (codePoint <= 0xffff) {
            out.PushBack(uint16_t(codePoint));
        } else {
            out.PushBack(uint16_t((codePoint >> 10) + 0xd7c0));
            out.PushBack(uint16_t(0xdc00 | (codePoint & 0x3ff)));
        }
    }
    return state == kAccept;
}

}  // namespace tovan
