// The input event queue. Producers on any thread (the host's window procedure,
// the drop target) push InputEvent records; the frame loop pops them one at a
// time, and each pop updates the input globals below that widgets read while
// that event is delivered. Touch events also pass through a gesture tracker
// that queues pan and two-touch gesture events ahead of them.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/str.h"
#include "core/vec.h"
#include "ui/key_codes.h"

namespace tovan {

enum InputKind : int32_t { kInputDevice = 0, kInputTouch = 1, kInputGesture = 3 };
enum DeviceSubKind : int32_t { kDeviceKey = 1, kDeviceMotion = 2 };
enum TouchPhase : int32_t { kTouchDown = 1, kTouchUp = 2, kTouchMove = 3 };
enum GestureKind : int32_t { kGesturePan = 1, kGestureTwoTouch = 2 };
enum GesturePhase : int32_t { kGestureBegin = 1, kGestureChange = 2, kGestureEnd = 3 };

// Kind 0: a key, button, wheel notch or pad control (sub-kind 1), or cursor
// motion (sub-kind 2, code -1). Positions are in GUI space.
struct DeviceInput {
    int32_t m_SubKind;
    int32_t m_Code;
    uint8_t m_Pressed;
    uint8_t m_DoubleClick;  // set by the producer on button presses
    float m_X, m_Y;
    float m_DeltaX, m_DeltaY;  // motion only
    float m_Wheel;             // notches, codes 96 and 97
    int32_t m_Extra;           // producers set -1; the toolkit never reads it
};

// Kind 1: one touch; the leading fields of the gesture layout.
struct TouchInput {
    int32_t m_Id;
    int32_t m_Phase;
    float m_X, m_Y;
};

// Kind 3: a gesture the tracker derived from touches.
struct GestureInput {
    int32_t m_Gesture;
    int32_t m_Phase;
    float m_X, m_Y;  // the touch (pan) or the midpoint of the two touches
    float m_DeltaX, m_DeltaY;
    float m_Rotation;  // degrees
    float m_Scale;     // 1 unless set
};

// A heap record owned by the queue while queued and by whoever popped it after.
struct InputEvent {
    int32_t m_Kind;
    union {
        DeviceInput m_Device;
        TouchInput m_Touch;
        GestureInput m_Gesture;
    };
};

// A zeroed event of a kind (gesture scale 1, device trailing int -1); every
// creation counts in cDebug's InputEventsCount.
InputEvent* NewInputEvent(int32_t kind);
InputEvent* NewKeyEvent(KeyCode code, bool pressed, float x, float y);
InputEvent* NewMotionEvent(float x, float y, float deltaX, float deltaY);
InputEvent* NewTouchEvent(int32_t id, int32_t phase, float x, float y);

// Sizes the tables below; later calls return at once. Safe from any thread.
void InitInput();
// Takes the event. A key event with a code outside 0-123 is dropped; a touch
// first feeds the gesture tracker, whose events go to the back ahead of it.
void PushInputEvent(InputEvent* event, bool atFront);
// The oldest event, or null; the caller deletes it. Zeroes the mouse delta, the
// wheel delta and the double-click flag first, then copies the event's state.
InputEvent* PopInputEvent();
// Drops every queued event and lifts every mouse button.
void ClearInputEvents();

// Whether a code is down: keyboard codes by KeyStates, mouse buttons by their
// flags, pad codes by PadDown; wheel codes and unknown codes never are.
bool IsKeyDown(KeyCode code);

// --- input globals: written by PopInputEvent on the frame thread, read there ---
extern cVec2 CursorPosition;
extern cVec2 RotatedCursorPosition;  // the cursor for a screen turned by a quarter
extern cVec2 MouseDelta;
extern float WheelDelta;
extern bool DoubleClick;
extern bool MouseButtonDown[7];  // codes 93-99 (the wheel entries stay false)
extern bool PadDown[24];         // codes 100-123; kept by the host

// The keyboard codes 0-92: down flags kept by PopInputEvent, and an int per key (-1).
struct cKeyStates {
    cList<uint8_t> m_Down;
    cList<int32_t> m_Values;
};
extern cKeyStates KeyStates;
extern cList<float> KeyPressTimes;  // per code: the clock's total seconds at the last pushed press
extern cList<cStr> KeyNames;        // per code, as GetKeyName

// Which side of a turned screen the home button is on: the settings fill it
// later; without one (null) the screen is upright.
class cHomeButtonSides {
public:
    virtual bool HomeButtonOnTheRight() const = 0;
    virtual bool HomeButtonOnTheLeft() const = 0;

protected:
    ~cHomeButtonSides() = default;
};
extern const cHomeButtonSides* HomeButtonSides;

// Recomputes RotatedCursorPosition from CursorPosition and the view's viewport.
void UpdateRotatedCursor();

}  // namespace tovan
