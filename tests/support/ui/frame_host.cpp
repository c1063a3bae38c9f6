#include "tests/support/ui/frame_host.h"

#include "core/frame_clock.h"
#include "ui/input_internal.h"
#include "ui/widget.h"
#include "ui/widget_registry_internal.h"

namespace tovan::test {

namespace {
void ResetInputGlobals() {
    ClearInputEvents();
    input_detail::ResetGestureTracker();
    CursorPosition = RotatedCursorPosition = MouseDelta = {0, 0};
    WheelDelta = 0;
    DoubleClick = false;
    InitInput();
    for (int code = 0; code < kKeyboardCodeCount; ++code)
        KeyStates.m_Down[code] = 0;
    for (bool& down : PadDown)
        down = false;
    for (int code = 0; code < KeyPressTimes.Count(); ++code)
        KeyPressTimes[code] = 0;
}

void RemoveAllWidgets() {
    cList<WidgetEntry> all;
    CollectWidgets(all, true);
    for (const WidgetEntry& entry : all)
        if (IsLive(entry))
            RemoveWidget(entry.handle, true);  // a window also takes its children
}
}  // namespace

FrameHost::FrameHost() : m_SavedTotal(FrameClock.m_TotalSeconds), m_SavedDelta(FrameClock.m_FrameDelta) {
    ResetInputGlobals();
    CapturedWidget = -1;
    registry_detail::ForgetEmptyLayers();
    SetClock(0, 0);
}

FrameHost::~FrameHost() {
    RemoveAllWidgets();
    registry_detail::ForgetEmptyLayers();
    CapturedWidget = -1;
    ResetInputGlobals();
    FrameClock.m_TotalSeconds = m_SavedTotal;
    FrameClock.m_FrameDelta = m_SavedDelta;
}

void FrameHost::SetClock(float totalSeconds, float frameDelta) {
    FrameClock.m_TotalSeconds = totalSeconds;
    FrameClock.m_FrameDelta = frameDelta;
}

void FrameHost::Advance(float delta) {
    SetClock(FrameClock.m_TotalSeconds + delta, delta);
    Frame();
}

void FrameHost::Frame() {
    BeginWidgetDispatch();
    m_EventsOffered = 0;
    while (InputEvent* event = PopInputEvent()) {
        Offer(*event);
        delete event;
    }
    OfferChars();
    HoverPass();
    CollectWidgets(m_Walk, false);
    for (const WidgetEntry& entry : m_Walk)
        if (IsLive(entry))
            entry.widget->Update();
    EndWidgetDispatch();
}

void FrameHost::Offer(const InputEvent& event) {
    if (event.m_Kind != kInputDevice)
        return;  // touches and gestures reach no widget of the toolkit
    ++m_EventsOffered;
    m_LastConsumer = nullptr;
    const DeviceInput& d = event.m_Device;
    CollectWidgets(m_Walk, true);
    for (const WidgetEntry& entry : m_Walk) {
        if (!IsLive(entry))
            continue;
        cWidget* w = entry.widget;
        const bool consumed = d.m_SubKind == kDeviceMotion ? w->OnMouseMove()
                              : d.m_Pressed                ? w->OnKeyDown(d.m_Code)
                                                           : w->OnKeyUp(d.m_Code);
        if (consumed) {
            m_LastConsumer = w;
            return;
        }
    }
}

void FrameHost::OfferChars() {
    for (const TypedChar& typed : m_Typed) {
        CollectWidgets(m_Walk, true);
        for (const WidgetEntry& entry : m_Walk)
            if (IsLive(entry) && entry.widget->OnChar(typed.character, typed.code))
                break;
    }
    m_Typed.DestroyItems();
}

void FrameHost::HoverPass() {
    m_Hovered = nullptr;
    bool covered = false;
    CollectWidgets(m_Walk, true);
    for (const WidgetEntry& entry : m_Walk) {
        if (IsLive(entry) && entry.widget->UpdateHover(covered) && !covered) {
            covered = true;
            m_Hovered = entry.widget;
        }
    }
    m_CursorShape = -1;
    m_Tooltip.Clear();
    cWidget* asked = CapturedWidget != -1 && GetWidget(CapturedWidget) ? GetWidget(CapturedWidget) : m_Hovered;
    if (!asked)
        return;
    int shape = -1;
    if (asked->GetCursorShape(&shape))
        m_CursorShape = shape;
    WidgetStyle* style = nullptr;
    cStr text;
    if (asked->GetTooltip(&text, &style))
        m_Tooltip = text;
}

void FrameHost::MoveCursor(float x, float y) {
    PushInputEvent(NewMotionEvent(x, y, x - m_Cursor.x, y - m_Cursor.y), false);
    m_Cursor = {x, y};
}

void FrameHost::Press(KeyCode code) { PushInputEvent(NewKeyEvent(code, true, m_Cursor.x, m_Cursor.y), false); }

void FrameHost::Release(KeyCode code) { PushInputEvent(NewKeyEvent(code, false, m_Cursor.x, m_Cursor.y), false); }

void FrameHost::Wheel(float notches) {
    InputEvent* event = NewKeyEvent(notches > 0 ? kKeyWheelUp : kKeyWheelDown, true, m_Cursor.x, m_Cursor.y);
    event->m_Device.m_Wheel = notches;
    PushInputEvent(event, false);
}

void FrameHost::Type(int character, KeyCode code) { m_Typed.PushBack({character, code}); }

}  // namespace tovan::test
