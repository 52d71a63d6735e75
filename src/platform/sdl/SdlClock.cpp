// Real clocks.
#include "platform/sdl/SdlClock.h"

#include <SDL.h>

#include <ctime>

namespace platform {

SdlClock::SdlClock() : start_(SDL_GetTicks64()) {}

uint32_t SdlClock::TickCount() {
    return static_cast<uint32_t>(SDL_GetTicks64());
}

int32_t SdlClock::ClockMs() {
    return static_cast<int32_t>(SDL_GetTicks64() - start_);
}

LocalTime SdlClock::Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local)) return LocalTime{};
    return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace platform
