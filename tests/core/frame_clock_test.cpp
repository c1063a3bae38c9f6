// The frame clock driven by a scripted time source.
#include "core/frame_clock.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

class FakeTime : public cTimeSource {
public:
    double Seconds() override { return now; }
    void LocalTime(os::DateTime* time) override { *time = date; }

    double now = 1000.0;
    os::DateTime date{2023, 3, 3, 1, 9, 5, 7, 0};  // Wednesday 1 March 2023, 09:05:07
};

class FrameClockTest : public ::testing::Test {
protected:
    FrameClockTest() { clock.SetTimeSource(&time); }

    void TickAfter(double seconds) {
        time.now += seconds;
        clock.Tick();
    }

    FakeTime time;
    cFrameClock clock;
};

TEST_F(FrameClockTest, StartsAtZero) {
    EXPECT_EQ(clock.m_TimeScale, 1.0f);
    EXPECT_EQ(clock.m_FrameCounter, -1);
    EXPECT_EQ(clock.m_FrameDelta, 0);
    EXPECT_EQ(clock.m_Fps, 0);
    EXPECT_EQ(clock.m_LastTick, 0);
    EXPECT_TRUE(clock.m_ClockText.IsEmpty());
    // The global one starts the same way before any entry point runs.
    EXPECT_EQ(FrameClock.m_TimeScale, 1.0f);
    EXPECT_EQ(FrameClock.m_FrameCounter, -1);
}

TEST_F(FrameClockTest, FirstTickPublishesZeroAndStartsTheWindow) {
    clock.Tick();
    EXPECT_EQ(clock.m_FrameDelta, 0);
    EXPECT_EQ(clock.m_Total, 0);
    EXPECT_EQ(clock.m_LastTick, 1000.0);
    EXPECT_EQ(clock.m_FrameCounter, 0);
    EXPECT_EQ(clock.m_FpsWindowStart, 1000.0);
    for (int i = 0; i < 99; ++i)
        TickAfter(0.01);
    EXPECT_EQ(clock.m_Fps, 0);
    TickAfter(0.01);  // the 100th counted frame
    EXPECT_NEAR(clock.m_Fps, 100, 1e-3);
    EXPECT_EQ(clock.m_FrameCounter, 0);
}

TEST_F(FrameClockTest, TimeScaleAndTotals) {
    clock.m_TimeScale = 0.5f;
    clock.Tick();
    TickAfter(0.020);
    EXPECT_NEAR(clock.m_FrameDelta, 0.01f, 1e-6);
    EXPECT_NEAR(clock.m_Total, 0.01, 1e-6);
    TickAfter(0.020);
    EXPECT_NEAR(clock.m_Total, 0.02, 1e-6);
    EXPECT_EQ(clock.m_TotalSeconds, float(clock.m_Total));
    EXPECT_EQ(clock.m_TotalMilliseconds, float(clock.m_Total * 1000));

    clock.m_TimeScale = -1;
    TickAfter(0.020);
    EXPECT_EQ(clock.m_FrameDelta, 0);  // never negative
    EXPECT_NEAR(clock.m_Total, 0.02, 1e-6);
}

TEST_F(FrameClockTest, PauseYieldsZeroAndRebases) {
    clock.Tick();
    TickAfter(0.016);
    clock.m_PausedForFileDialog = true;
    TickAfter(3.0);
    EXPECT_EQ(clock.m_FrameDelta, 0);
    TickAfter(2.0);
    EXPECT_EQ(clock.m_FrameDelta, 0);
    clock.m_PausedForFileDialog = false;
    TickAfter(0.016);  // measured from the last paused tick only
    EXPECT_NEAR(clock.m_FrameDelta, 0.016f, 1e-6);
    EXPECT_NEAR(clock.m_Total, 0.032, 1e-6);

    clock.m_PausedForDialog = true;
    TickAfter(1.0);
    EXPECT_EQ(clock.m_FrameDelta, 0);
}

TEST_F(FrameClockTest, PauseDoesNotLowerTheFrameRate) {
    clock.Tick();
    for (int i = 0; i < 50; ++i)
        TickAfter(0.02);
    clock.m_PausedForDialog = true;
    for (int i = 0; i < 5; ++i)
        TickAfter(1.0);  // five seconds in a modal dialog
    const int counted = clock.m_FrameCounter;
    clock.m_PausedForDialog = false;
    EXPECT_EQ(counted, 50);  // the counter stands still while paused
    for (int i = 0; i < 50; ++i)
        TickAfter(0.02);
    // 100 frames of 20 ms: the first frame after the pause counts as one 20 ms frame.
    EXPECT_NEAR(clock.m_Fps, 50, 1e-3);
}

TEST_F(FrameClockTest, StandingCounterGivesNoInfiniteRate) {
    clock.Tick();
    for (int i = 0; i < 100; ++i)
        clock.Tick();
    EXPECT_EQ(clock.m_Fps, 0);
    EXPECT_EQ(clock.m_FrameCounter, 0);
}

TEST_F(FrameClockTest, ClockAndDateTexts) {
    clock.Tick();
    EXPECT_EQ(clock.m_ClockText, "09:05:07");
    EXPECT_EQ(clock.m_DateText, "Wednesday, 01 March 2023");

    time.date = {1999, 12, 0, 31, 23, 59, 58, 999};
    clock.UpdateClockStrings();
    EXPECT_EQ(clock.m_ClockText, "23:59:58");
    EXPECT_EQ(clock.m_DateText, "Sunday, 31 December 1999");
}

TEST_F(FrameClockTest, WeekdayAndMonthTables) {
    const char* weekdays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    const char* months[12] = {"January", "February", "March",     "April",   "May",      "June",
                              "July",    "August",   "September", "October", "November", "December"};
    for (int d = 0; d < 7; ++d) {
        time.date.dayOfWeek = uint16_t(d);
        clock.UpdateClockStrings();
        EXPECT_EQ(clock.m_DateText, cStr::Format("%s, 01 March 2023", weekdays[d])) << d;
    }
    time.date.dayOfWeek = 1;
    for (int m = 1; m <= 12; ++m) {
        time.date.month = uint16_t(m);
        clock.UpdateClockStrings();
        EXPECT_EQ(clock.m_DateText, cStr::Format("Monday, 01 %s 2023", months[m - 1])) << m;
    }
    // Out-of-range fields from a broken source stay inside the tables.
    time.date = {2023, 13, 7, 40, 99, 60, 61, 0};
    clock.UpdateClockStrings();
    EXPECT_EQ(clock.m_DateText, ", 40  2023");
    EXPECT_EQ(clock.m_ClockText, "99:60:61");
}

}  // namespace
}  // namespace tovan
