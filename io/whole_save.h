// Whole-file saves that never lose the old file: the bytes go to a temporary
// beside the target, which replaces the target only once every byte is written.
#pragma once
#include "core/str.h"

#include <cstdint>

namespace tovan {

// Temporaries are named target + ".~tmp" + a number below this; a name that is
// taken (a user's file, another save's temporary) is skipped and never touched.
constexpr int kSaveTemporaryNames = 16;
cStr SaveTemporaryName(const char* target, int number);

// Writes the file whole or not at all: on false the target is as it was and no
// temporary is left.
bool SaveWhole(const char* target, const uint8_t* data, int32_t length);

}  // namespace tovan
