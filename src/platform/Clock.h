// Millisecond clocks standing in for the tick counter and the C runtime clock, and the calendar time.
#pragma once

#include <cstdint>

namespace platform {

// A moment of the local calendar, to the second.
struct LocalTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since some fixed start, wrapping at 2^32 (the frame loop's tick counter).
    virtual uint32_t TickCount() = 0;
    // Milliseconds of the process clock (the level's world steps and the frame-rate sample).
    virtual int32_t ClockMs() = 0;
    // The date and time of day where the player is (names of screenshots; never the game's timing).
    virtual LocalTime Now() = 0;
};

}  // namespace platform
