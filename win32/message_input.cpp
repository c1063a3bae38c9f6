#include "win32/message_input.h"

#include "win32/key_tables.h"
#include "win32/window_helpers.h"

namespace tovan {

namespace {

struct KeyMessage {
    uint32_t message;
    bool pressed;
};
constexpr KeyMessage kKeyMessages[] = {
    {kMsgKeyDown, true}, {kMsgKeyUp, false}, {kMsgSysKeyDown, true}, {kMsgSysKeyUp, false}};

struct ButtonMessage {
    uint32_t message;
    KeyCode code;  // -1: the X button that the message's high word names
    bool pressed, doubleClick;
};
constexpr ButtonMessage kButtonMessages[] = {
    {kMsgLeftButtonDown, kKeyLeftButton, true, false},
    {kMsgLeftButtonUp, kKeyLeftButton, false, false},
    {kMsgLeftButtonDoubleClick, kKeyLeftButton, true, true},
    {kMsgRightButtonDown, kKeyRightButton, true, false},
    {kMsgRightButtonUp, kKeyRightButton, false, false},
    {kMsgRightButtonDoubleClick, kKeyRightButton, true, true},
    {kMsgMiddleButtonDown, kKeyMiddleButton, true, false},
    {kMsgMiddleButtonUp, kKeyMiddleButton, false, false},
    {kMsgMiddleButtonDoubleClick, kKeyMiddleButton, true, true},
    {kMsgXButtonDown, -1, true, false},
    {kMsgXButtonUp, -1, false, false},
    {kMsgXButtonDoubleClick, -1, true, true},
};

constexpr float kWheelStep = 120;  // WHEEL_DELTA: one notch

// A point is two signed 16-bit halves of the low word pair.
int32_t LowX(int64_t lParam) { return int16_t(lParam & 0xFFFF); }
int32_t LowY(int64_t lParam) { return int16_t(lParam >> 16 & 0xFFFF); }
int HighWord(uint64_t wParam) { return int16_t(wParam >> 16 & 0xFFFF); }

}  // namespace

InputEvent* cMessageInput::Translate(const WindowRect& clientArea, uint32_t message, uint64_t wParam, int64_t lParam) {
    for (const KeyMessage& key : kKeyMessages) {
        if (key.message != message)
            continue;
        const KeyCode code = wParam <= 0xFF ? KeyCodeOfVirtualKey(uint32_t(wParam)) : -1;
        if (code < 0)
            return nullptr;
        const cVec2 at = ClientToGui(clientArea, m_ClientX, m_ClientY);
        return NewKeyEvent(code, key.pressed, at.x, at.y);
    }
    for (const ButtonMessage& button : kButtonMessages) {
        if (button.message != message)
            continue;
        KeyCode code = button.code;
        if (code < 0) {
            const int which = HighWord(wParam);  // XBUTTON1 or XBUTTON2
            if (which != 1 && which != 2)
                return nullptr;
            code = which == 1 ? kKeyXButton1 : kKeyXButton2;
        }
        m_ClientX = LowX(lParam);
        m_ClientY = LowY(lParam);
        const cVec2 at = ClientToGui(clientArea, m_ClientX, m_ClientY);
        InputEvent* event = NewKeyEvent(code, button.pressed, at.x, at.y);
        event->m_Device.m_DoubleClick = button.doubleClick ? 1 : 0;
        return event;
    }
    if (message == kMsgMouseMove) {
        const int32_t fromX = m_ClientX, fromY = m_ClientY;
        m_ClientX = LowX(lParam);
        m_ClientY = LowY(lParam);
        const cVec2 to = ClientToGui(clientArea, m_ClientX, m_ClientY);
        // GUI y runs the other way.
        return NewMotionEvent(to.x, to.y, float(m_ClientX - fromX), float(fromY - m_ClientY));
    }
    if (message == kMsgMouseWheel) {
        const float notches = float(HighWord(wParam)) / kWheelStep;
        if (notches == 0)
            return nullptr;
        // The wheel's point is on the screen, not in the client area.
        const cVec2 at = ScreenToGui(clientArea, LowX(lParam), LowY(lParam));
        InputEvent* event = NewKeyEvent(notches > 0 ? kKeyWheelUp : kKeyWheelDown, true, at.x, at.y);
        event->m_Device.m_Wheel = notches;
        return event;
    }
    return nullptr;
}

cStr DescribeInputEvent(const InputEvent& event) {
    if (event.m_Kind != kInputDevice)
        return cStr::Format("Input: event of kind %d", event.m_Kind);
    const DeviceInput& d = event.m_Device;
    if (d.m_SubKind == kDeviceMotion)
        return cStr::Format("Input: cursor at %.0f,%.0f moved by %.0f,%.0f", d.m_X, d.m_Y, d.m_DeltaX, d.m_DeltaY);
    const char* name = GetKeyName(d.m_Code);
    if (IsWheelCode(d.m_Code))
        return cStr::Format("Input: %s %g notches at %.0f,%.0f", name, d.m_Wheel, d.m_X, d.m_Y);
    if (IsMouseButton(d.m_Code))
        return cStr::Format("Input: %s %s at %.0f,%.0f", name,
                            d.m_DoubleClick ? "double-click"
                            : d.m_Pressed   ? "down"
                                            : "up",
                            d.m_X, d.m_Y);
    return cStr::Format("Input: %s %s at %.0f,%.0f", name ? name : "?", d.m_Pressed ? "down" : "up", d.m_X, d.m_Y);
}

}  // namespace tovan
