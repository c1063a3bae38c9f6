#include "ui/key_codes.h"

namespace tovan {

namespace {
// In code order; the position in this table is the code.
const char* const kKeyNames[kKeyCodeCount] = {
    "Esc",
    "F1",
    "F2",
    "F3",
    "F4",
    "F5",
    "F6",
    "F7",
    "F8",
    "F9",
    "F10",
    "F11",
    "F12",  // 0-12
    "0",
    "1",
    "2",
    "3",
    "4",
    "5",
    "6",
    "7",
    "8",
    "9",
    "-",
    "=",  // 13-24
    "BackSpace",
    "Tab",
    "CapsLock",
    "Insert",
    "Delete",
    "Home",
    "End",
    "PageUp",
    "PageDown",
    "Up",
    "Down",  // 25-35
    "Left",
    "Right",  // 36-37
    "\\",
    "Enter",
    "[",
    "]",
    ";",
    "'",
    ",",
    ".",
    "/",  // 38-46
    "Shift",
    "Control",
    "Alt",
    "Space",
    "~",  // 47-51
    "A",
    "B",
    "C",
    "D",
    "E",
    "F",
    "G",
    "H",
    "I",
    "J",
    "K",
    "L",
    "M",  // 52-64
    "N",
    "O",
    "P",
    "Q",
    "R",
    "S",
    "T",
    "U",
    "V",
    "W",
    "X",
    "Y",
    "Z",  // 65-77
    "NumPad0",
    "NumPad1",
    "NumPad2",
    "NumPad3",
    "NumPad4",  // 78-82
    "NumPad5",
    "NumPad6",
    "NumPad7",
    "NumPad8",
    "NumPad9",  // 83-87
    "Add",
    "Subtract",
    "Multiply",
    "Divide",
    "Decimal",  // 88-92
    "LeftButton",
    "RightButton",
    "MiddleButton",
    "WheelUp",
    "WheelDown",
    "XButton1",
    "XButton2",  // 93-99
    "DpadUp",
    "DpadDown",
    "DpadLeft",
    "DpadRight",
    "Start",
    "Back",  // 100-105
    "LeftThumb",
    "LeftThumbUp",
    "LeftThumbDown",
    "LeftThumbLeft",
    "LeftThumbRight",  // 106-110
    "RightThumb",
    "RightThumbUp",
    "RightThumbDown",
    "RightThumbLeft",
    "RightThumbRight",  // 111-115
    "LeftShoulder",
    "RightShoulder",
    "(A)",
    "(B)",
    "(X)",
    "(Y)",
    "LeftTrigger",
    "RightTrigger",  // 116-123
};
}  // namespace

const char* GetKeyName(KeyCode code) { return code >= 0 && code < kKeyCodeCount ? kKeyNames[code] : nullptr; }

}  // namespace tovan
