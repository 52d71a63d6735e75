// A clock that only moves when told to: tests and the headless driver step it.
#pragma once

#include "platform/Clock.h"

namespace platform {

class VirtualClock : public IClock {
public:
    uint32_t TickCount() override { return tick_; }
    int32_t ClockMs() override { return clock_; }
    void Advance(uint32_t ms) {
        tick_ += ms;
        clock_ += static_cast<int32_t>(ms);
    }
    void Set(uint32_t tick, int32_t clock) {
        tick_ = tick;
        clock_ = clock;
    }

private:
    uint32_t tick_ = 1000;
    int32_t clock_ = 1000;
};

}  // namespace platform
