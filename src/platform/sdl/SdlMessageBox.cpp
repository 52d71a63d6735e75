// Message boxes through SDL2.
#include "platform/sdl/SdlMessageBox.h"

#include <SDL.h>

#include <cstdio>

#include "platform/Cp1250.h"
#include "platform/sdl/SdlDisplay.h"

namespace platform {

void SdlMessageBox::Show(const std::string& textCp1250, const std::string& captionCp1250) {
    const std::string text = Cp1250ToUtf8(textCp1250);
    const std::string caption = Cp1250ToUtf8(captionCp1250);
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    // Without a video subsystem there is no screen to put a box on: the line above is all there is.
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    SDL_Window* window = display_ ? static_cast<SDL_Window*>(display_->NativeWindow()) : nullptr;
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(), window) != 0 && window) {
        // Some window managers refuse a box tied to a full-screen window; a free-standing one still shows.
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(), nullptr);
    }
}

}  // namespace platform
