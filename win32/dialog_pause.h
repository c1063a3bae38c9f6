// The Win32 layer's modal windows stop the frame clock while they are open, so
// that the first frame after one sees no jump. The flag goes back to what it was
// when the window returns: a question asked alone lets the clock run on again,
// and one asked while something else holds the pause leaves it held.
#pragma once
#include "core/frame_clock.h"

namespace tovan {

class cDialogPause {
public:
    cDialogPause() : m_Was(FrameClock.m_PausedForDialog) { FrameClock.m_PausedForDialog = true; }
    ~cDialogPause() { FrameClock.m_PausedForDialog = m_Was; }
    cDialogPause(const cDialogPause&) = delete;
    cDialogPause& operator=(const cDialogPause&) = delete;

private:
    bool m_Was;
};

}  // namespace tovan
