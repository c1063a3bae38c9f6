// A host frame loop for tests and benchmarks. Frame() runs one frame as the
// toolkit relies on it: with the dispatching flag set it pops every queued
// input event and offers it front first until a widget consumes it (then the
// typed characters queued here), runs the hover pass front first and asks the
// captured or hovered widget for its cursor shape and tooltip, calls Update
// back first, then clears the flag and carries out the deferred work.
//
// The frame clock is the test's: SetClock and Advance write the time and the
// frame delta that widgets read. While it lives the input queue and globals
// start clean, and empty layers start from slot 0; on destruction it deletes
// every widget still registered and restores the clock.
#pragma once
#include "core/list.h"
#include "core/str.h"
#include "ui/input.h"
#include "ui/widget_registry.h"

namespace tovan::test {

class FrameHost {
public:
    FrameHost();
    ~FrameHost();
    FrameHost(const FrameHost&) = delete;
    FrameHost& operator=(const FrameHost&) = delete;

    void SetClock(float totalSeconds, float frameDelta);
    // Moves the clock on by delta seconds and runs one frame.
    void Advance(float delta);
    void Frame();

    // Queue input as a host's window procedure would (at the back).
    void MoveCursor(float x, float y);  // a motion event; the delta from the last queued position
    void Press(KeyCode code);           // at the last queued cursor position
    void Release(KeyCode code);
    void Click(KeyCode code) { Press(code), Release(code); }
    void Wheel(float notches);  // WheelUp for positive notches, WheelDown otherwise
    void Type(int character, KeyCode code);

    // What the last frame found.
    int CursorShape() const { return m_CursorShape; }  // -1: none wanted
    const cStr& Tooltip() const { return m_Tooltip; }
    cWidget* Hovered() const { return m_Hovered; }  // the widget that took the hover, or null
    int EventsOffered() const { return m_EventsOffered; }
    cWidget* LastConsumer() const { return m_LastConsumer; }  // of the last event offered

private:
    void Offer(const InputEvent& event);
    void OfferChars();
    void HoverPass();

    struct TypedChar {
        int character;
        KeyCode code;
    };
    cList<WidgetEntry> m_Walk;  // reused snapshot
    cList<TypedChar> m_Typed;
    cVec2 m_Cursor;
    int m_CursorShape = -1;
    cStr m_Tooltip;
    cWidget* m_Hovered = nullptr;
    cWidget* m_LastConsumer = nullptr;
    int m_EventsOffered = 0;
    float m_SavedTotal, m_SavedDelta;
};

}  // namespace tovan::test
