// KeyCode: one numbering for keyboard keys (0-92), mouse buttons and wheel
// notches (93-99) and game-pad controls (100-123), with the name of each.
// Hosts map their platform keys onto 0-92; the names are what key-binding
// buttons show and settings files store.
#pragma once

namespace tovan {

using KeyCode = int;

enum : KeyCode {
    kKeyEsc = 0,
    kKeyBackSpace = 25,
    kKeyTab = 26,
    kKeyDelete = 29,
    kKeyHome = 30,
    kKeyEnd = 31,
    kKeyUp = 34,
    kKeyDown = 35,
    kKeyLeft = 36,
    kKeyRight = 37,
    kKeyEnter = 39,
    kKeyShift = 47,
    kKeyControl = 48,
    kKeySpace = 50,
    kKeyA = 52,  // the letters follow in alphabetical order
    kKeyC = 54,
    kKeyV = 73,
    kKeyX = 75,
    kKeyZ = 77,
    kKeyAdd = 88,
    kKeySubtract = 89,
    kKeyboardCodeCount = 93,  // codes below this are keyboard keys
    kKeyLeftButton = 93,
    kKeyRightButton = 94,
    kKeyMiddleButton = 95,
    kKeyWheelUp = 96,
    kKeyWheelDown = 97,
    kKeyXButton1 = 98,
    kKeyXButton2 = 99,
    kKeyFirstPad = 100,
    kKeyStart = 104,
    kKeyBack = 105,
    kKeyLeftThumbUp = 107,
    kKeyLeftThumbDown = 108,
    kKeyLeftThumbLeft = 109,
    kKeyLeftThumbRight = 110,
    kKeyRightThumbUp = 112,
    kKeyRightThumbDown = 113,
    kKeyRightThumbLeft = 114,
    kKeyRightThumbRight = 115,
    kKeyPadA = 118,
    kKeyPadB = 119,
    kKeyCodeCount = 124,
};

inline bool IsMouseButton(KeyCode code) {
    return (code >= kKeyLeftButton && code <= kKeyMiddleButton) || code == kKeyXButton1 || code == kKeyXButton2;
}
inline bool IsWheelCode(KeyCode code) { return code == kKeyWheelUp || code == kKeyWheelDown; }
inline bool IsPadCode(KeyCode code) { return code >= kKeyFirstPad && code < kKeyCodeCount; }

// The name of a code ("Esc", "LeftButton", "(A)"); null outside 0-123.
const char* GetKeyName(KeyCode code);

}  // namespace tovan
