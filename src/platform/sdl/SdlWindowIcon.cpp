// The window icon through SDL_image and SDL_SetWindowIcon.
#include "platform/sdl/SdlWindowIcon.h"

#include <SDL.h>
#include <SDL_image.h>

#include "platform/sdl/SdlDisplay.h"

namespace platform {

bool SetWindowIcon(SdlDisplay& display, const std::string& pngPath) {
    auto* window = static_cast<SDL_Window*>(display.NativeWindow());
    if (!window) return false;
    SDL_Surface* icon = IMG_Load(pngPath.c_str());
    if (!icon) return false;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
    return true;
}

}  // namespace platform
