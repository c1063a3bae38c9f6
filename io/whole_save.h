// Whole-file saves that never lose the old file: the bytes go to a temporary
// beside the target, which replaces the target only once every byte is written
// and flushed to the disk, so that a crash leaves the old file or the new one.
#pragma once
#include "core/str.h"

#include <cstdint>

namespace tovan {

// The ANSI file calls take paths of at most this many characters.
constexpr int kSavePathLimit = 259;

// target + ".~tmp" + process id + "-" + a number of that process: no two live
// saves share a name, and a leftover of a killed save tells whose it was. The
// target's file name is cut where the temporary would pass kSavePathLimit.
cStr SaveTemporaryName(const char* target, uint32_t process, uint32_t number);

// Writes the file whole or not at all: on false the target is as it was and no
// temporary is left; the temporary is never more readable than the target. A
// link is followed, so the file it leads to is replaced and the link stays;
// natively a path whose links lead out of the drive is refused. A save that
// succeeds removes the temporaries of its target that saves of ended processes
// left more than a minute ago.
bool SaveWhole(const char* target, const uint8_t* data, int32_t length);

}  // namespace tovan
