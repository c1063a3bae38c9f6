// The ways a run of DXT blocks is copied with its texel rows reversed
// (internal to io/image). The portable copy works everywhere; the vector
// copies exist only where the build targets x86 and the processor has the
// instructions, and give the same bytes. Tests hold every way to that.
#pragma once
#include <cstdint>

#include "io/image/format.h"

namespace tovan::dxt {

// As CopyFlippedBlocks: `count` blocks of four texel rows; dst may be src, but
// no other overlap. `next` is where the following call's source starts (null
// when none): a copy that walks rows against the memory order reads it ahead,
// since the processor's own read-ahead stops at every row.
using FlipCopy = void (*)(ImageFormat format, uint8_t* dst, const uint8_t* src, int count, const uint8_t* next);

struct FlipCopyPath {
    const char* name;
    FlipCopy copy;
};

// Block by block in 64-bit words, in plain C++.
void CopyFlippedBlocksPlain(ImageFormat format, uint8_t* dst, const uint8_t* src, int count, const uint8_t* next);

// The vector copies this processor can run, fastest first; fills at most
// `max` entries and returns how many. None when the build or the processor
// has no byte shuffle.
int GetVectorFlipCopies(FlipCopyPath* out, int max);

}  // namespace tovan::dxt
