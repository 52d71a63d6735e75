// Real clocks: SDL's millisecond ticks and a monotonic process clock.
#pragma once

#include "platform/Clock.h"

namespace platform {

class SdlClock : public IClock {
public:
    SdlClock();
    uint32_t TickCount() override;
    // Wall-clock milliseconds since start: the level's steps must follow real time, not CPU time.
    int32_t ClockMs() override;

private:
    uint64_t start_;
};

}  // namespace platform
