// Real clocks: SDL's millisecond ticks, a monotonic process clock and the local calendar time.
#pragma once

#include "platform/Clock.h"

namespace platform {

class SdlClock : public IClock {
public:
    SdlClock();
    uint32_t TickCount() override;
    // Wall-clock milliseconds since start: the level's steps must follow real time, not CPU time.
    int32_t ClockMs() override;
    // The system's local time.
    LocalTime Now() override;

private:
    uint64_t start_;
};

}  // namespace platform
