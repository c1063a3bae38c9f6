// Turns touches into gestures: one touch pans, a second one starts a
// two-touch gesture (move, scale and turn), lifting one of two goes back to a
// pan with the other.
#include "ui/input.h"
#include "ui/input_internal.h"

#include <cmath>
#include <mutex>

namespace tovan::input_detail {

namespace {

struct Touch {
    int32_t id = -1;  // -1: free
    cVec2 position;
};

struct GestureState {
    std::mutex lock;  // touches may come from any producer thread
    Touch a, b;
    cVec2 lastMidpoint;
};

GestureState& State() {
    static GestureState state;
    return state;
}

struct Emitted {
    int32_t gesture, phase;
    cVec2 position, delta;
    float rotation = 0, scale = 1;
};

// At most three gestures come of one touch; they are queued after the
// tracker's lock is released, so pushing never waits on it.
struct EmitList {
    Emitted items[3];
    int count = 0;
    void Add(int32_t gesture, int32_t phase, cVec2 position, cVec2 delta = {}) {
        items[count++] = {gesture, phase, position, delta};
    }
};

// Degrees from v to n: positive counter-clockwise.
float TurnDegrees(const cVec2& v, const cVec2& n) {
    const float cosine = Dot(n, v) / (Length(v) * Length(n));
    float degrees;
    if (cosine <= -1)
        degrees = 3.1415927f * 57.295776f;
    else if (cosine >= 1)
        degrees = 0;
    else
        degrees = std::acos(cosine) * 57.295776f;
    return v.x * n.y - v.y * n.x < 0 ? -degrees : degrees;
}

void Down(GestureState& s, const TouchInput& t, EmitList& out) {
    const cVec2 at{t.m_X, t.m_Y};
    if (s.a.id == -1) {
        s.a = {t.m_Id, at};
        out.Add(kGesturePan, kGestureBegin, at);
    } else if (s.b.id == -1) {
        out.Add(kGesturePan, kGestureEnd, {});
        s.b = {t.m_Id, at};
        s.lastMidpoint = (s.a.position + s.b.position) * 0.5f;
        out.Add(kGestureTwoTouch, kGestureBegin, s.lastMidpoint);
    }
}

void Move(GestureState& s, const TouchInput& t, EmitList& out) {
    const cVec2 at{t.m_X, t.m_Y};
    if (t.m_Id == s.a.id && s.b.id == -1) {
        out.Add(kGesturePan, kGestureChange, at, at - s.a.position);
        s.a.position = at;
        return;
    }
    if (s.a.id == -1 || s.b.id == -1 || (t.m_Id != s.a.id && t.m_Id != s.b.id))
        return;
    const cVec2 before = s.b.position - s.a.position;
    (t.m_Id == s.a.id ? s.a : s.b).position = at;
    const cVec2 now = s.b.position - s.a.position;
    const cVec2 midpoint = (s.a.position + s.b.position) * 0.5f;
    out.Add(kGestureTwoTouch, kGestureChange, midpoint, midpoint - s.lastMidpoint);
    if (Dot(now, now) > 1 && Dot(before, before) > 1) {
        Emitted& e = out.items[out.count - 1];
        e.scale = Dot(now, now) / Dot(before, before);
        e.rotation = TurnDegrees(before, now);
    }
    s.lastMidpoint = midpoint;
}

void Up(GestureState& s, const TouchInput& t, EmitList& out) {
    if (t.m_Id == s.a.id && s.b.id == -1) {
        out.Add(kGesturePan, kGestureEnd, {});
        s.a = {};
        s.b = {};
        s.lastMidpoint = {};
        return;
    }
    if (s.a.id == -1 || s.b.id == -1 || (t.m_Id != s.a.id && t.m_Id != s.b.id))
        return;
    out.Add(kGestureTwoTouch, kGestureEnd, {});
    if (t.m_Id == s.a.id)
        s.a = s.b;
    s.b = {};
    s.lastMidpoint = {};
    out.Add(kGesturePan, kGestureBegin, s.a.position);
}

}  // namespace

void TrackGesture(const InputEvent& touch) {
    if (touch.m_Kind != kInputTouch)
        return;
    EmitList out;
    {
        GestureState& s = State();
        std::lock_guard<std::mutex> guard(s.lock);
        switch (touch.m_Touch.m_Phase) {
        case kTouchDown: Down(s, touch.m_Touch, out); break;
        case kTouchMove: Move(s, touch.m_Touch, out); break;
        case kTouchUp: Up(s, touch.m_Touch, out); break;
        default: break;  // unknown phases are ignored
        }
    }
    for (int i = 0; i < out.count; ++i) {
        const Emitted& e = out.items[i];
        InputEvent* event = NewInputEvent(kInputGesture);
        event->m_Gesture = {e.gesture, e.phase, e.position.x, e.position.y, e.delta.x, e.delta.y, e.rotation, e.scale};
        PushInputEvent(event, false);
    }
}

void ResetGestureTracker() {
    GestureState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.a = {};
    s.b = {};
    s.lastMidpoint = {};
}

}  // namespace tovan::input_detail
