// A clock that only moves when told to: tests and the headless driver step it.
#pragma once

#include <ctime>

#include "platform/Clock.h"

namespace platform {

class VirtualClock : public IClock {
public:
    uint32_t TickCount() override { return tick_; }
    int32_t ClockMs() override { return clock_; }
    // A fixed day (2024-05-01 12:00:00) moved on by the ticks since the start, so names made from the
    // time repeat from run to run.
    LocalTime Now() override {
        const std::time_t at = kStartOfDay + static_cast<std::time_t>((tick_ - kFirstTick) / 1000);
        std::tm utc{};
        gmtime_r(&at, &utc);
        return LocalTime{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec};
    }
    void Advance(uint32_t ms) {
        tick_ += ms;
        clock_ += static_cast<int32_t>(ms);
    }
    void Set(uint32_t tick, int32_t clock) {
        tick_ = tick;
        clock_ = clock;
    }

private:
    static constexpr uint32_t kFirstTick = 1000;
    static constexpr std::time_t kStartOfDay = 1714564800;  // 2024-05-01 12:00:00 UTC
    uint32_t tick_ = kFirstTick;
    int32_t clock_ = 1000;
};

}  // namespace platform
