#include "core/os.h"
#include "core/os_headless.h"
#include "core/os_headless_state.h"

#include <time.h>

namespace tovan::os {

int64_t PerformanceCounter() {
    headless::State& s = headless::GetState();
    {
        std::lock_guard<std::mutex> guard(s.lock);
        if (s.counterScripted)
            return s.counter;
    }
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

int64_t PerformanceFrequency() {
    headless::State& s = headless::GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.counterScripted ? s.frequency : 1000000000;
}

void LocalTime(DateTime* time) {
    headless::State& s = headless::GetState();
    {
        std::lock_guard<std::mutex> guard(s.lock);
        if (s.localTimeScripted) {
            *time = s.localTime;
            return;
        }
    }
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    tm local;
    localtime_r(&now.tv_sec, &local);
    *time = {uint16_t(local.tm_year + 1900), uint16_t(local.tm_mon + 1),     uint16_t(local.tm_wday),
             uint16_t(local.tm_mday),        uint16_t(local.tm_hour),        uint16_t(local.tm_min),
             uint16_t(local.tm_sec),         uint16_t(now.tv_nsec / 1000000)};
}

uint64_t SystemFileTime() {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return headless::FileTimeOf(now.tv_sec, now.tv_nsec);
}

}  // namespace tovan::os

namespace tovan::os::headless {

uint64_t FileTimeOf(int64_t seconds, int64_t nanoseconds) {
    constexpr int64_t kUnixEpoch = 11644473600;  // seconds from 1601 to 1970
    return uint64_t(seconds + kUnixEpoch) * 10000000u + uint64_t(nanoseconds / 100);
}

void SetPerformanceCounter(int64_t ticks, int64_t frequency) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.counterScripted = true;
    s.counter = ticks;
    s.frequency = frequency;
}

void SetLocalTime(const DateTime& time) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.localTimeScripted = true;
    s.localTime = time;
}

}  // namespace tovan::os::headless
