// Window messages to input events, as the default driver translates them.
#include "ui/input.h"
#include "win32/key_tables.h"
#include "win32/message_input.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace tovan {
namespace {

int64_t Point(int x, int y) { return int64_t(uint16_t(int16_t(x))) | int64_t(uint16_t(int16_t(y))) << 16; }
uint64_t High(int value) { return uint64_t(uint16_t(int16_t(value))) << 16; }

struct Expected {
    bool made;
    int32_t subKind, code;
    int pressed, doubleClick;
    float x, y, deltaX, deltaY, wheel;
};
constexpr Expected kNone = {false, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // no event

// A client area 640 x 453 whose top-left corner is at 100, 200 on the screen.
constexpr WindowRect kClient = {100, 200, 740, 653};

class MessageInput : public ::testing::Test {
protected:
    void SetUp() override {
        BuildKeyCodeTables();
        ClearInputEvents();
    }
    void TearDown() override { ClearInputEvents(); }

    void Check(uint32_t message, uint64_t wParam, int64_t lParam, const Expected& e, const char* what) {
        InputEvent* event = input.Translate(kClient, message, wParam, lParam);
        ASSERT_EQ(event != nullptr, e.made) << what;
        if (!event)
            return;
        EXPECT_EQ(event->m_Kind, kInputDevice) << what;
        const DeviceInput& d = event->m_Device;
        EXPECT_EQ(d.m_SubKind, e.subKind) << what;
        EXPECT_EQ(d.m_Code, e.code) << what;
        EXPECT_EQ(d.m_Pressed, e.pressed) << what;
        EXPECT_EQ(d.m_DoubleClick, e.doubleClick) << what;
        EXPECT_EQ(d.m_X, e.x) << what;
        EXPECT_EQ(d.m_Y, e.y) << what;
        EXPECT_EQ(d.m_DeltaX, e.deltaX) << what;
        EXPECT_EQ(d.m_DeltaY, e.deltaY) << what;
        EXPECT_EQ(d.m_Wheel, e.wheel) << what;
        EXPECT_EQ(d.m_Extra, -1) << what;
        delete event;
    }

    cMessageInput input;
};

TEST_F(MessageInput, KeysButtonsWheelAndMotionInOrder) {
    struct Case {
        uint32_t message;
        uint64_t wParam;
        int64_t lParam;
        Expected expected;
        const char* what;
    };
    const Case cases[] = {
        {kMsgKeyDown, 'A', 0x1E0001, {true, kDeviceKey, 52, 1, 0, 0, 453, 0, 0, 0}, "A down, before any motion"},
        {kMsgMouseMove, 0, Point(10, 20), {true, kDeviceMotion, -1, 0, 0, 10, 433, 10, -20, 0}, "first motion"},
        {kMsgMouseMove, 0, Point(7, 25), {true, kDeviceMotion, -1, 0, 0, 7, 428, -3, -5, 0}, "by the difference"},
        {kMsgKeyUp, 'A', 0, {true, kDeviceKey, 52, 0, 0, 7, 428, 0, 0, 0}, "A up, at the cursor"},
        {kMsgSysKeyDown, 18, 0, {true, kDeviceKey, 49, 1, 0, 7, 428, 0, 0, 0}, "Alt down"},
        {kMsgSysKeyUp, 121, 0, {true, kDeviceKey, 10, 0, 0, 7, 428, 0, 0, 0}, "F10 up"},
        {kMsgKeyDown, 13, 0, {true, kDeviceKey, 39, 1, 0, 7, 428, 0, 0, 0}, "Enter"},
        {kMsgKeyDown, 91, 0, kNone, "the Windows key has no code"},
        {kMsgKeyDown, 124, 0, kNone, "F13 has no code"},
        {kMsgKeyUp, 0x141, 0, kNone, "not a virtual key"},
        {kMsgLeftButtonDown, 1, Point(30, 40), {true, kDeviceKey, 93, 1, 0, 30, 413, 0, 0, 0}, "left down"},
        {kMsgLeftButtonUp, 0, Point(31, 41), {true, kDeviceKey, 93, 0, 0, 31, 412, 0, 0, 0}, "left up"},
        {kMsgLeftButtonDoubleClick, 1, Point(31, 41), {true, kDeviceKey, 93, 1, 1, 31, 412, 0, 0, 0}, "left double"},
        {kMsgRightButtonDown,
         2,
         Point(-5, -6),
         {true, kDeviceKey, 94, 1, 0, -5, 459, 0, 0, 0},
         "right, above and left of the client"},
        {kMsgRightButtonDoubleClick, 2, Point(5, 6), {true, kDeviceKey, 94, 1, 1, 5, 447, 0, 0, 0}, "right double"},
        {kMsgMiddleButtonUp, 0, Point(8, 9), {true, kDeviceKey, 95, 0, 0, 8, 444, 0, 0, 0}, "middle up"},
        {kMsgXButtonDown, High(1), Point(1, 2), {true, kDeviceKey, 98, 1, 0, 1, 451, 0, 0, 0}, "X button 1"},
        {kMsgXButtonUp, High(2), Point(3, 4), {true, kDeviceKey, 99, 0, 0, 3, 449, 0, 0, 0}, "X button 2"},
        {kMsgXButtonDown, High(3), Point(3, 4), kNone, "an X button that does not exist"},
        {kMsgMouseMove, 0, Point(50, 60), {true, kDeviceMotion, -1, 0, 0, 50, 393, 47, -56, 0}, "50,60 of 453 high"},
        {kMsgMouseWheel,
         High(120),
         Point(150, 260),
         {true, kDeviceKey, 96, 1, 0, 50, 393, 0, 0, 1},
         "wheel up one notch, on the screen"},
        {kMsgMouseWheel, High(-240), Point(103, 204), {true, kDeviceKey, 97, 1, 0, 3, 449, 0, 0, -2}, "wheel down two"},
        {kMsgMouseWheel, High(60), Point(100, 653), {true, kDeviceKey, 96, 1, 0, 0, 0, 0, 0, 0.5f}, "half a notch"},
        {kMsgKeyUp, 13, 0, {true, kDeviceKey, 39, 0, 0, 50, 393, 0, 0, 0}, "a key where the mouse last was"},
        {kMsgMouseWheel, 0, 0, kNone, "no turn"},
        {0x000F, 0, 0, kNone, "WM_PAINT carries no input"},
        {0x0102, 'a', 0, kNone, "WM_CHAR carries no input"},
    };
    for (const Case& c : cases)
        Check(c.message, c.wParam, c.lParam, c.expected, c.what);
}

TEST_F(MessageInput, DescribesEventsForTheLog) {
    struct Case {
        uint32_t message;
        uint64_t wParam;
        int64_t lParam;
        const char* text;
    };
    const Case cases[] = {
        {kMsgMouseMove, 0, Point(10, 20), "Input: cursor at 10,433 moved by 10,-20"},
        {kMsgKeyDown, 'A', 0, "Input: A down at 10,433"},
        {kMsgKeyUp, 107, 0, "Input: Add up at 10,433"},
        {kMsgLeftButtonDown, 0, Point(30, 40), "Input: LeftButton down at 30,413"},
        {kMsgRightButtonDoubleClick, 0, Point(5, 6), "Input: RightButton double-click at 5,447"},
        {kMsgMouseWheel, High(-240), Point(150, 260), "Input: WheelDown -2 notches at 50,393"},
    };
    for (const Case& c : cases) {
        InputEvent* event = input.Translate(kClient, c.message, c.wParam, c.lParam);
        ASSERT_NE(event, nullptr) << c.text;
        EXPECT_EQ(std::string(DescribeInputEvent(*event).GetText()), c.text);
        delete event;
    }
}

}  // namespace
}  // namespace tovan
