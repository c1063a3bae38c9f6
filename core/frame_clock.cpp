#include "core/frame_clock.h"

namespace tovan {

cFrameClock FrameClock;

namespace {

class cSystemTimeSource final : public cTimeSource {
public:
    double Seconds() override {
        const int64_t frequency = os::PerformanceFrequency();
        return frequency > 0 ? double(os::PerformanceCounter()) / double(frequency) : 0.0;
    }
    void LocalTime(os::DateTime* time) override { os::LocalTime(time); }
};

// Sunday is stored after Saturday: day 0 reads the last entry.
constexpr char kWeekdays[7][10] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
constexpr char kMonths[12][10] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};

const char* WeekdayName(int day) { return day >= 0 && day <= 6 ? kWeekdays[(day + 6) % 7] : ""; }
const char* MonthName(int month) { return month >= 1 && month <= 12 ? kMonths[month - 1] : ""; }

char Digit(int value) { return char('0' + value % 10); }

}  // namespace

cTimeSource& SystemTimeSource() {
    static cSystemTimeSource source;
    return source;
}

void cFrameClock::UpdateClockStrings() {
    os::DateTime now{};
    Source().LocalTime(&now);
    const char clock[9] = {Digit(now.hour / 10),   Digit(now.hour),   ':',
                           Digit(now.minute / 10), Digit(now.minute), ':',
                           Digit(now.second / 10), Digit(now.second), 0};
    m_ClockText.SetText(clock);
    m_DateText = cStr::Format("%s, %d%d %s %d", WeekdayName(now.dayOfWeek), now.day / 10 % 10, now.day % 10,
                              MonthName(now.month), int(now.year));
}

void cFrameClock::Tick() {
    UpdateClockStrings();
    cTimeSource& source = Source();
    const bool paused = IsPaused();

    const double now = source.Seconds();
    const double reference = (m_LastTick == 0 || paused) ? now : m_LastTick;
    m_LastTick = now;
    const float delta = float((now - reference) * m_TimeScale);
    m_FrameDelta = delta > 0 ? delta : 0;  // never negative, and a NaN scale gives 0
    m_Total += m_FrameDelta;
    m_TotalSeconds = float(m_Total);
    m_TotalMilliseconds = float(m_Total * 1000);

    const double t = source.Seconds();
    if (m_FrameCounter < 0) {
        m_FrameCounter = 0;
        m_FpsWindowStart = m_LastFpsStamp = t;
    } else if (!paused) {
        ++m_FrameCounter;
        m_LastFpsStamp = t;
        if (m_FrameCounter >= kFpsWindow) {
            // A counter that stood still gives no rate rather than an infinite one.
            if (t > m_FpsWindowStart)
                m_Fps = float(kFpsWindow / (t - m_FpsWindowStart));
            m_FpsWindowStart = t;
            m_FrameCounter = 0;
        }
    } else {
        // The paused time does not count against the window.
        m_FpsWindowStart = t - (m_LastFpsStamp - m_FpsWindowStart);
        m_LastFpsStamp = t;
    }
}

}  // namespace tovan
