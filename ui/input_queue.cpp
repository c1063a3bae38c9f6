#include "classes/debug.h"
#include "core/frame_clock.h"
#include "core/memory.h"
#include "core/view.h"
#include "ui/input.h"
#include "ui/input_internal.h"

#include <mutex>

namespace tovan {

cVec2 CursorPosition;
cVec2 RotatedCursorPosition;
cVec2 MouseDelta;
float WheelDelta = 0;
bool DoubleClick = false;
bool MouseButtonDown[7] = {};
bool PadDown[24] = {};
cKeyStates KeyStates;
cList<float> KeyPressTimes;
cList<cStr> KeyNames;
const cHomeButtonSides* HomeButtonSides = nullptr;

namespace {

constexpr int kInputQueueLock = 4;  // of the global lock set

cList<InputEvent*>& Queue() {
    static cList<InputEvent*> queue;
    return queue;
}

struct QueueLock {
    QueueLock() { GetGlobalLocks().Lock(kInputQueueLock); }
    ~QueueLock() { GetGlobalLocks().Unlock(kInputQueueLock); }
    QueueLock(const QueueLock&) = delete;
    QueueLock& operator=(const QueueLock&) = delete;
};

bool IsKeyEvent(const InputEvent& event) {
    return event.m_Kind == kInputDevice && event.m_Device.m_SubKind == kDeviceKey;
}

}  // namespace

namespace input_detail {
// Producers push from any thread, so the counter moves under the queue lock.
void CountInputEvents(int delta) { cDebug::Instance()->m_InputEventsCount += delta; }
}  // namespace input_detail

InputEvent* NewInputEvent(int32_t kind) {
    InputEvent* event = new InputEvent{};
    event->m_Kind = kind;
    if (kind == kInputGesture)
        event->m_Gesture.m_Scale = 1.0f;
    else if (kind == kInputDevice)
        event->m_Device.m_Extra = -1;
    QueueLock lock;
    input_detail::CountInputEvents(1);
    return event;
}

InputEvent* NewKeyEvent(KeyCode code, bool pressed, float x, float y) {
    InputEvent* event = NewInputEvent(kInputDevice);
    DeviceInput& d = event->m_Device;
    d.m_SubKind = kDeviceKey;
    d.m_Code = code;
    d.m_Pressed = pressed ? 1 : 0;
    d.m_X = x;
    d.m_Y = y;
    return event;
}

InputEvent* NewMotionEvent(float x, float y, float deltaX, float deltaY) {
    InputEvent* event = NewInputEvent(kInputDevice);
    DeviceInput& d = event->m_Device;
    d.m_SubKind = kDeviceMotion;
    d.m_Code = -1;
    d.m_X = x;
    d.m_Y = y;
    d.m_DeltaX = deltaX;
    d.m_DeltaY = deltaY;
    return event;
}

InputEvent* NewTouchEvent(int32_t id, int32_t phase, float x, float y) {
    InputEvent* event = NewInputEvent(kInputTouch);
    event->m_Touch = {id, phase, x, y};
    return event;
}

void InitInput() {
    // Producers on other threads call this too, so it runs exactly once.
    static std::once_flag done;
    std::call_once(done, [] {
        KeyNames.DestroyItems();
        for (int code = 0; code < kKeyCodeCount; ++code)
            KeyNames.PushBack(cStr(GetKeyName(code)));
        KeyPressTimes.Resize(0);
        KeyPressTimes.Resize(kKeyCodeCount, 0.0f);
        KeyStates.m_Down.Resize(0);
        KeyStates.m_Down.Resize(kKeyboardCodeCount, 0);
        KeyStates.m_Values.Resize(0);
        KeyStates.m_Values.Resize(kKeyboardCodeCount, -1);
        for (bool& down : MouseButtonDown)
            down = false;
        for (bool& down : PadDown)
            down = false;
    });
}

void PushInputEvent(InputEvent* event, bool atFront) {
    InitInput();
    if (!event)
        return;
    if (IsKeyEvent(*event) && (event->m_Device.m_Code < 0 || event->m_Device.m_Code >= kKeyCodeCount)) {
        {
            QueueLock lock;
            input_detail::CountInputEvents(-1);
        }
        delete event;
        return;
    }
    if (event->m_Kind == kInputTouch)
        input_detail::TrackGesture(*event);
    // The frame thread may pop and free the event as soon as the lock is
    // released, so what the press stamp needs is read while it is held.
    KeyCode pressedCode = -1;
    {
        QueueLock lock;
        cList<InputEvent*>& queue = Queue();
        if (atFront)
            queue.Insert(0, event);
        else
            queue.PushBack(event);
        if (IsKeyEvent(*event) && event->m_Device.m_Pressed == 1)
            pressedCode = event->m_Device.m_Code;
    }
    if (pressedCode >= 0)
        KeyPressTimes[pressedCode] = FrameClock.m_TotalSeconds;
}

InputEvent* PopInputEvent() {
    InitInput();
    MouseDelta = {0, 0};
    WheelDelta = 0;
    DoubleClick = false;
    InputEvent* event = nullptr;
    {
        QueueLock lock;
        cList<InputEvent*>& queue = Queue();
        if (queue.IsEmpty())
            return nullptr;
        event = queue[0];
        queue.RemoveAt(0);
    }
    if (event->m_Kind != kInputDevice)
        return event;
    const DeviceInput& d = event->m_Device;
    if (d.m_SubKind == kDeviceMotion) {
        CursorPosition = {d.m_X, d.m_Y};
        UpdateRotatedCursor();
        MouseDelta = {d.m_DeltaX, d.m_DeltaY};
    } else if (d.m_SubKind == kDeviceKey) {
        const KeyCode code = d.m_Code;
        if (code >= 0 && code < kKeyboardCodeCount) {
            KeyStates.m_Down[code] = d.m_Pressed;
        } else if (IsMouseButton(code)) {
            if (d.m_Pressed)
                DoubleClick = d.m_DoubleClick != 0;
            MouseButtonDown[code - kKeyLeftButton] = d.m_Pressed != 0;
            CursorPosition = {d.m_X, d.m_Y};
            UpdateRotatedCursor();
        } else if (IsWheelCode(code)) {
            WheelDelta = d.m_Wheel;
        }
    }
    return event;
}

void ClearInputEvents() {
    {
        QueueLock lock;
        cList<InputEvent*>& queue = Queue();
        for (InputEvent* event : queue) {
            input_detail::CountInputEvents(-1);
            delete event;
        }
        queue.DestroyItems();
    }
    for (bool& down : MouseButtonDown)
        down = false;
}

bool IsKeyDown(KeyCode code) {
    InitInput();
    if (code >= 0 && code < kKeyboardCodeCount)
        return KeyStates.m_Down[code] != 0;
    if (IsMouseButton(code))
        return MouseButtonDown[code - kKeyLeftButton];
    if (IsPadCode(code))
        return PadDown[code - kKeyFirstPad];
    return false;
}

void UpdateRotatedCursor() {
    const cHomeButtonSides* sides = HomeButtonSides;
    const bool right = sides && sides->HomeButtonOnTheRight();
    const bool left = !right && sides && sides->HomeButtonOnTheLeft();
    if (!(right || left) || !CurrentView) {
        RotatedCursorPosition = CursorPosition;
        return;
    }
    const cRect& viewport = CurrentView->m_Viewport;
    if (right)
        RotatedCursorPosition = {viewport.Height() - CursorPosition.y, CursorPosition.x};
    else
        RotatedCursorPosition = {CursorPosition.y, viewport.Width() - CursorPosition.x};
}

}  // namespace tovan
