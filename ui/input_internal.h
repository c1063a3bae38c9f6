// Parts of the input queue shared between its own files and the test host.
#pragma once
#include "ui/input.h"

namespace tovan::input_detail {

// Feeds one touch to the gesture tracker; the gesture events it derives are
// pushed at the back before the caller queues the touch itself.
void TrackGesture(const InputEvent& touch);
// Forgets every tracked touch, as at start.
void ResetGestureTracker();
// Moves cDebug's InputEventsCount; the caller holds the input-queue lock.
void CountInputEvents(int delta);

}  // namespace tovan::input_detail
