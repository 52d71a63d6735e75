// Keyboard, window and gamepad events from SDL2.
#include "platform/sdl/SdlEvents.h"

#include <SDL.h>
#include <sys/stat.h>

#include <cstdio>
#include <map>

#include "platform/KeyNames.h"
#include "platform/sdl/SdlDisplay.h"

namespace platform {
namespace {

// The virtual-key code the game binds for an SDL key, 0 for keys the game does not know.
int VirtualKeyOf(SDL_Keycode sym) {
    switch (sym) {
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_PAUSE:
            return VK_PAUSE;
        default:
            break;
    }
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return VK_F1 + (sym - SDLK_F1);
    // The key's own symbol, not the typed text: a letter is the same key with or without Shift.
    if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + (sym - SDLK_0);
    // Any other key a player may bind, by its SDL name.
    const int vk = VirtualKeyFromName(SDL_GetKeyName(sym));
    return vk > 0 ? vk : 0;
}

// The game's pad button for an SDL controller button; Count for buttons the game does not use.
PadButton PadButtonOf(Uint8 button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_A:
            return PadButton::A;
        case SDL_CONTROLLER_BUTTON_B:
            return PadButton::B;
        case SDL_CONTROLLER_BUTTON_X:
            return PadButton::X;
        case SDL_CONTROLLER_BUTTON_Y:
            return PadButton::Y;
        case SDL_CONTROLLER_BUTTON_BACK:
            return PadButton::Back;
        case SDL_CONTROLLER_BUTTON_START:
            return PadButton::Start;
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
            return PadButton::LeftShoulder;
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
            return PadButton::RightShoulder;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return PadButton::DpadUp;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return PadButton::DpadDown;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return PadButton::DpadLeft;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return PadButton::DpadRight;
        default:
            return PadButton::Count;
    }
}

bool IsEnter(SDL_Keycode sym) {
    return sym == SDLK_RETURN || sym == SDLK_KP_ENTER;
}

}  // namespace

struct SdlEvents::Impl {
    SdlDisplay* display = nullptr;
    bool started = false;
    SDL_Event pending{};
    bool hasPending = false;
    // Enter keys whose press switched the screen mode: their release is not delivered either.
    bool enterSwallowed[2] = {false, false};
    bool padsStarted = false;
    // The open pads by their joystick instance id.
    std::map<SDL_JoystickID, SDL_GameController*> pads;

    PlatformEvent PadEvent(PlatformEvent::Type type, SDL_JoystickID pad, int control = 0, int value = 0) {
        PlatformEvent out{type};
        out.pad = static_cast<int>(pad);
        out.control = control;
        out.value = value;
        return out;
    }

    bool OpenPad(int deviceIndex, PlatformEvent& out) {
        SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
        if (!controller) return false;
        const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
        // A pad already open (announced twice) keeps its one handle.
        if (pads.count(id)) {
            SDL_GameControllerClose(controller);
            return false;
        }
        pads[id] = controller;
        out = PadEvent(PlatformEvent::Type::PadAdded, id);
        return true;
    }

    bool ClosePad(SDL_JoystickID id, PlatformEvent& out) {
        const auto found = pads.find(id);
        if (found == pads.end()) return false;
        SDL_GameControllerClose(found->second);
        pads.erase(found);
        out = PadEvent(PlatformEvent::Type::PadRemoved, id);
        return true;
    }

    bool Translate(const SDL_Event& e, PlatformEvent& out) {
        switch (e.type) {
            case SDL_QUIT:
                out = {PlatformEvent::Type::Quit, 0};
                return true;
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                const SDL_Keycode sym = e.key.keysym.sym;
                const bool down = e.type == SDL_KEYDOWN;
                if (IsEnter(sym)) {
                    bool& swallowed = enterSwallowed[sym == SDLK_KP_ENTER ? 1 : 0];
                    if (down && (e.key.keysym.mod & KMOD_ALT) != 0) {
                        if (!e.key.repeat) {
                            swallowed = true;
                            if (display) display->ToggleFullscreen();
                        }
                        return false;
                    }
                    if (!down && swallowed) {
                        swallowed = false;
                        return false;
                    }
                }
                const int vk = VirtualKeyOf(sym);
                if (vk == 0) return false;
                out = {down ? PlatformEvent::Type::KeyDown : PlatformEvent::Type::KeyUp, vk};
                return true;
            }
            case SDL_WINDOWEVENT:
                switch (e.window.event) {
                    case SDL_WINDOWEVENT_FOCUS_LOST:
                    case SDL_WINDOWEVENT_MINIMIZED:
                        out = {PlatformEvent::Type::FocusLost};
                        return true;
                    case SDL_WINDOWEVENT_FOCUS_GAINED:
                        out = {PlatformEvent::Type::FocusGained};
                        return true;
                    case SDL_WINDOWEVENT_EXPOSED:
                    case SDL_WINDOWEVENT_SHOWN:
                    case SDL_WINDOWEVENT_RESTORED:
                    case SDL_WINDOWEVENT_SIZE_CHANGED:
                        if (display) display->PresentAgain();
                        break;
                    default:
                        break;
                }
                return false;
            case SDL_CONTROLLERDEVICEADDED:
                return padsStarted && OpenPad(e.cdevice.which, out);
            case SDL_CONTROLLERDEVICEREMOVED:
                return ClosePad(e.cdevice.which, out);
            case SDL_CONTROLLERBUTTONDOWN:
            case SDL_CONTROLLERBUTTONUP: {
                const PadButton button = PadButtonOf(e.cbutton.button);
                if (button == PadButton::Count || !pads.count(e.cbutton.which)) return false;
                out = PadEvent(e.type == SDL_CONTROLLERBUTTONDOWN ? PlatformEvent::Type::PadButtonDown
                                                                  : PlatformEvent::Type::PadButtonUp,
                               e.cbutton.which, static_cast<int>(button));
                return true;
            }
            case SDL_CONTROLLERAXISMOTION: {
                const Uint8 axis = e.caxis.axis;
                if ((axis != SDL_CONTROLLER_AXIS_LEFTX && axis != SDL_CONTROLLER_AXIS_LEFTY) ||
                    !pads.count(e.caxis.which)) {
                    return false;
                }
                out = PadEvent(PlatformEvent::Type::PadAxisMoved, e.caxis.which,
                               static_cast<int>(axis == SDL_CONTROLLER_AXIS_LEFTX ? PadAxis::LeftX : PadAxis::LeftY),
                               e.caxis.value);
                return true;
            }
            case SDL_RENDER_DEVICE_RESET:
            case SDL_RENDER_TARGETS_RESET:
                if (display) display->HandleDeviceReset();
                return false;
            default:
                return false;
        }
    }
};

SdlEvents::SdlEvents(SdlDisplay* display) : impl_(std::make_unique<Impl>()) {
    impl_->display = display;
    impl_->started = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
}

SdlEvents::~SdlEvents() {
    for (auto& [id, controller] : impl_->pads) SDL_GameControllerClose(controller);
    impl_->pads.clear();
    if (impl_->padsStarted) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    if (impl_->started) SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

void SdlEvents::StartPads(const std::string& mappingFile) {
    Impl& d = *impl_;
    if (d.padsStarted) return;
    // Mappings added before the subsystem starts already count for the pads plugged in now.
    struct stat st;
    if (!mappingFile.empty() && ::stat(mappingFile.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        SDL_GameControllerAddMappingsFromFile(mappingFile.c_str()) < 0) {
        std::fprintf(stderr, "Kolvenbrook 3D: %s: %s; the built-in pad layouts are used\n", mappingFile.c_str(),
                     SDL_GetError());
    }
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "Kolvenbrook 3D: gamepads are not available: %s\n", SDL_GetError());
        return;
    }
    d.padsStarted = true;
}

bool SdlEvents::Poll(PlatformEvent& event) {
    Impl& d = *impl_;
    if (!d.started) return false;
    SDL_Event e;
    for (;;) {
        if (d.hasPending) {
            e = d.pending;
            d.hasPending = false;
        } else if (!SDL_PollEvent(&e)) {
            return false;
        }
        if (d.Translate(e, event)) return true;
    }
}

void SdlEvents::WaitForEvent(int timeoutMs) {
    Impl& d = *impl_;
    if (!d.started || d.hasPending) return;
    // The event is kept for the next Poll, so nothing is lost by waiting here.
    if (SDL_WaitEventTimeout(&d.pending, timeoutMs > 0 ? timeoutMs : 0) == 1) d.hasPending = true;
}

}  // namespace platform
