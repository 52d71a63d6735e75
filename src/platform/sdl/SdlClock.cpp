// Real clocks.
#include "platform/sdl/SdlClock.h"

#include <SDL.h>

namespace platform {

SdlClock::SdlClock() : start_(SDL_GetTicks64()) {}

uint32_t SdlClock::TickCount() { return static_cast<uint32_t>(SDL_GetTicks64()); }

int32_t SdlClock::ClockMs() { return static_cast<int32_t>(SDL_GetTicks64() - start_); }

}  // namespace platform
