// How the default driver of a framework-only build turns window messages into
// input events: keys through the virtual-key table (a key without a code is
// dropped), mouse buttons, wheel notches and cursor motion, every position in
// GUI space (y up from the client area's bottom). The translation is plain
// arithmetic on the message's numbers and the window's client area.
#pragma once
#include <cstdint>

#include "core/str.h"
#include "core/window_utils.h"
#include "ui/input.h"

namespace tovan {

// The window messages it reads, by their Windows numbers.
enum WindowMessage : uint32_t {
    kMsgKeyDown = 0x100,
    kMsgKeyUp = 0x101,
    kMsgSysKeyDown = 0x104,
    kMsgSysKeyUp = 0x105,
    kMsgMouseMove = 0x200,
    kMsgLeftButtonDown = 0x201,
    kMsgLeftButtonUp = 0x202,
    kMsgLeftButtonDoubleClick = 0x203,
    kMsgRightButtonDown = 0x204,
    kMsgRightButtonUp = 0x205,
    kMsgRightButtonDoubleClick = 0x206,
    kMsgMiddleButtonDown = 0x207,
    kMsgMiddleButtonUp = 0x208,
    kMsgMiddleButtonDoubleClick = 0x209,
    kMsgMouseWheel = 0x20A,
    kMsgXButtonDown = 0x20B,
    kMsgXButtonUp = 0x20C,
    kMsgXButtonDoubleClick = 0x20D,
};

class cMessageInput {
public:
    // A new event for the message to a window whose client area lies at
    // `clientArea` on the screen, for the caller to push; null when the message
    // carries no input or names a key without a code.
    InputEvent* Translate(const WindowRect& clientArea, uint32_t message, uint64_t wParam, int64_t lParam);

private:
    // The last client point a mouse message gave; keys happen there. Kept in
    // client coordinates so that a resized window still places it right.
    int32_t m_ClientX = 0, m_ClientY = 0;
};

// One line for the log, e.g. "Input: A down at 5,7", "Input: LeftButton down at 30,40".
cStr DescribeInputEvent(const InputEvent& event);

}  // namespace tovan
