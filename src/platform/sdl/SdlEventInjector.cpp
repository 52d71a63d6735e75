// Made-up SDL events for tests.
#include "platform/sdl/SdlEventInjector.h"

#include <SDL.h>

namespace platform {
namespace {

bool Push(SDL_Event& event) {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return false;
    event.common.timestamp = SDL_GetTicks();
    return SDL_PushEvent(&event) == 1;
}

}  // namespace

bool SdlEventInjector::Key(bool down, const std::string& keyName, bool alt, bool shift, bool repeat) {
    const SDL_Keycode key = SDL_GetKeyFromName(keyName.c_str());
    if (key == SDLK_UNKNOWN) return false;
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = static_cast<Uint16>((alt ? KMOD_LALT : 0) | (shift ? KMOD_LSHIFT : 0));
    return Push(event);
}

bool SdlEventInjector::Quit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return Push(event);
}

bool SdlEventInjector::WindowExposed() {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_EXPOSED;
    return Push(event);
}

bool SdlEventInjector::RenderDeviceReset() {
    SDL_Event event{};
    event.type = SDL_RENDER_DEVICE_RESET;
    return Push(event);
}

void SdlEventInjector::Flush() {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

}  // namespace platform
