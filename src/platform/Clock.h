// Millisecond clocks standing in for the tick counter and the C runtime clock.
#pragma once

#include <cstdint>

namespace platform {

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since some fixed start, wrapping at 2^32 (the frame loop's tick counter).
    virtual uint32_t TickCount() = 0;
    // Milliseconds of the process clock (the level's world steps and the frame-rate sample).
    virtual int32_t ClockMs() = 0;
};

}  // namespace platform
