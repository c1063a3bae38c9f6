// The two tables between Windows virtual-key codes and the framework's key
// codes, built once by the windowed program's start-up and read-only after it.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "ui/key_codes.h"

namespace tovan {

// Entry i is the virtual key that keyboard code i (0-92) stands for.
extern cList<int32_t> KeyCodeTable;
// Entry v is the key code of virtual key v (0-255), or -1 where it has none.
extern cList<int32_t> KeyCodeByVirtualKey;

// Fills both tables (93 and 256 entries); calling it again builds them afresh.
void BuildKeyCodeTables();

// The key code of a virtual key, or -1 for one without a code, outside 0-255,
// or before the tables are built.
KeyCode KeyCodeOfVirtualKey(uint32_t virtualKey);

}  // namespace tovan
