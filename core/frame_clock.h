// The frame clock: the running program's time base, ticked once per frame. It
// publishes the scaled frame delta, running totals and a frame rate, and keeps two
// display texts with the local time and date. While either pause flag is set every
// tick yields delta 0, so the first frame after a modal dialog sees no jump.
#pragma once
#include <cstdint>

#include "core/os.h"
#include "core/str.h"

namespace tovan {

// Where the clock reads time. Tests put their own source in; the default one
// reads the performance counter and the local time through the OS seam.
class cTimeSource {
public:
    virtual double Seconds() = 0;  // monotonic
    virtual void LocalTime(os::DateTime* time) = 0;

protected:
    ~cTimeSource() = default;
};

cTimeSource& SystemTimeSource();

class cFrameClock {
public:
    static constexpr int kFpsWindow = 100;  // frames per frame-rate measurement

    void Tick();                // once per frame, on the frame loop's thread
    void UpdateClockStrings();  // HH:MM:SS and "Weekday, DD Month YYYY"
    bool IsPaused() const { return m_PausedForDialog || m_PausedForFileDialog; }
    void SetTimeSource(cTimeSource* source) { m_Source = source; }  // null: the system's

    // Read directly by the rest of the framework; the pausing callers and the
    // settings write the flags and the scale.
    float m_TimeScale = 1.0f;
    bool m_PausedForDialog = false;
    bool m_PausedForFileDialog = false;
    double m_LastTick = 0;  // seconds; 0 before the first tick
    float m_FrameDelta = 0;
    double m_Total = 0;
    float m_TotalSeconds = 0;
    float m_TotalMilliseconds = 0;
    int32_t m_FrameCounter = -1;  // frames in the current window; -1 before the first tick
    double m_FpsWindowStart = 0;
    double m_LastFpsStamp = 0;
    float m_Fps = 0;
    cStr m_ClockText;
    cStr m_DateText;

private:
    cTimeSource& Source() { return m_Source ? *m_Source : SystemTimeSource(); }

    cTimeSource* m_Source = nullptr;
};

extern cFrameClock FrameClock;

inline void TickFrameClock() { FrameClock.Tick(); }
inline void UpdateClockStrings() { FrameClock.UpdateClockStrings(); }

}  // namespace tovan
