// Made-up SDL events for tests.
#include "platform/sdl/SdlEventInjector.h"

#include <SDL.h>

#include <map>

namespace platform {
namespace {

bool Push(SDL_Event& event) {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return false;
    event.common.timestamp = SDL_GetTicks();
    return SDL_PushEvent(&event) == 1;
}

// The virtual pads attached, by device index, held open so their state can be set.
std::map<int, SDL_Joystick*>& VirtualPads() {
    static std::map<int, SDL_Joystick*> pads;
    return pads;
}

SDL_Joystick* VirtualPad(int index) {
    const auto found = VirtualPads().find(index);
    return found == VirtualPads().end() ? nullptr : found->second;
}

}  // namespace

bool SdlEventInjector::Focus(bool gained) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    return Push(event);
}

int SdlEventInjector::PadAttach() {
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) return -1;
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
    if (index < 0) return -1;
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    if (!joystick) return -1;
    VirtualPads()[index] = joystick;
    return index;
}

bool SdlEventInjector::PadDetach(int index) {
    SDL_Joystick* joystick = VirtualPad(index);
    if (!joystick) return false;
    SDL_JoystickClose(joystick);
    VirtualPads().erase(index);
    return SDL_JoystickDetachVirtual(index) == 0;
}

bool SdlEventInjector::PadButton(int index, int sdlButton, bool down) {
    SDL_Joystick* joystick = VirtualPad(index);
    if (!joystick || SDL_JoystickSetVirtualButton(joystick, sdlButton, down ? 1 : 0) != 0) return false;
    SDL_JoystickUpdate();
    return true;
}

bool SdlEventInjector::PadAxis(int index, int sdlAxis, int value) {
    SDL_Joystick* joystick = VirtualPad(index);
    if (!joystick || SDL_JoystickSetVirtualAxis(joystick, sdlAxis, static_cast<Sint16>(value)) != 0) return false;
    SDL_JoystickUpdate();
    return true;
}

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
