#include "win32/key_tables.h"

namespace tovan {

cList<int32_t> KeyCodeTable;
cList<int32_t> KeyCodeByVirtualKey;

namespace {

constexpr int kVirtualKeyCount = 256;

// In key-code order. Where it differs from the Windows numbering: minus before
// plus, backslash before Enter, page up and down after End, arrows Up, Down,
// Left, Right, and the pad operators Add, Subtract, Multiply, Divide, Decimal.
constexpr int32_t kVirtualKeys[kKeyboardCodeCount] = {
    27,                                                          // Esc
    112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123,  // F1-F12
    48,  49,  50,  51,  52,  53,  54,  55,  56,  57,             // '0'-'9'
    189, 187,                                                    // - =
    8,   9,   20,  45,  46,  36,  35,  33,  34,   // BackSpace Tab CapsLock Insert Delete Home End PageUp PageDown
    38,  40,  37,  39,                            // Up Down Left Right
    220, 13,  219, 221, 186, 222, 188, 190, 191,  // \ Enter [ ] ; ' , . /
    16,  17,  18,  32,  192,                      // Shift Control Alt Space ~
    65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,  // 'A'-'M'
    78,  79,  80,  81,  82,  83,  84,  85,  86,  87,  88,  89,  90,  // 'N'-'Z'
    96,  97,  98,  99,  100, 101, 102, 103, 104, 105,                // NumPad0-9
    107, 109, 106, 111, 110,                                         // Add Subtract Multiply Divide Decimal
};

}  // namespace

void BuildKeyCodeTables() {
    KeyCodeTable.Resize(0);
    for (int32_t virtualKey : kVirtualKeys)
        KeyCodeTable.PushBack(virtualKey);
    KeyCodeByVirtualKey.Resize(0);
    KeyCodeByVirtualKey.Resize(kVirtualKeyCount, -1);
    for (int code = 0; code < KeyCodeTable.Count(); ++code)
        KeyCodeByVirtualKey[KeyCodeTable[code]] = code;
}

KeyCode KeyCodeOfVirtualKey(uint32_t virtualKey) {
    if (virtualKey >= uint32_t(KeyCodeByVirtualKey.Count()))
        return -1;
    return KeyCodeByVirtualKey[int(virtualKey)];
}

}  // namespace tovan
