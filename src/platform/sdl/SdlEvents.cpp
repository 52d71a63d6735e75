// Keyboard and window events from SDL2.
#include "platform/sdl/SdlEvents.h"

#include <SDL.h>

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
        default:
            break;
    }
    // The key's own symbol, not the typed text: a letter is the same key with or without Shift.
    if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + (sym - SDLK_0);
    return 0;
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
    if (impl_->started) SDL_QuitSubSystem(SDL_INIT_EVENTS);
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
