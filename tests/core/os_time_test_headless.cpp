// The headless double's clock: the host's until a test scripts it.
#include "core/frame_clock.h"
#include "core/os.h"
#include "core/os_headless.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

TEST(HeadlessTime, CounterRunsUntilScripted) {
    os::headless::Reset();
    EXPECT_EQ(os::PerformanceFrequency(), 1000000000);
    const int64_t a = os::PerformanceCounter();
    EXPECT_GE(os::PerformanceCounter(), a);

    os::headless::SetPerformanceCounter(3000, 1000);
    EXPECT_EQ(os::PerformanceCounter(), 3000);
    EXPECT_EQ(os::PerformanceFrequency(), 1000);
    EXPECT_EQ(SystemTimeSource().Seconds(), 3.0);
    os::headless::Reset();
    EXPECT_EQ(os::PerformanceFrequency(), 1000000000);
}

TEST(HeadlessTime, GlobalClockReadsTheSeam) {
    os::headless::SetLocalTime({2024, 2, 4, 29, 7, 8, 9, 0});
    os::headless::SetPerformanceCounter(5000, 1000);
    cFrameClock clock;
    clock.Tick();
    os::headless::SetPerformanceCounter(5250, 1000);
    clock.Tick();
    EXPECT_FLOAT_EQ(clock.m_FrameDelta, 0.25f);
    EXPECT_EQ(clock.m_ClockText, "07:08:09");
    EXPECT_EQ(clock.m_DateText, "Thursday, 29 February 2024");
    os::headless::Reset();
    os::DateTime now{};
    os::LocalTime(&now);
    EXPECT_GE(now.year, 2020);
    EXPECT_LE(now.dayOfWeek, 6);
}

}  // namespace
}  // namespace tovan
