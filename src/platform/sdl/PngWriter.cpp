// Saving a surface as a PNG file.
#include "platform/sdl/PngWriter.h"

#include <SDL.h>
#include <SDL_image.h>

namespace platform {

bool SavePng(const std::string& realPath, const Surface& surface) {
    SDL_Surface* rgb = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(surface.Pixels()), surface.Width(),
                                                          surface.Height(), 32, surface.Width() * 4,
                                                          SDL_PIXELFORMAT_RGB888);
    if (!rgb) return false;
    const bool ok = IMG_SavePNG(rgb, realPath.c_str()) == 0;
    SDL_FreeSurface(rgb);
    return ok;
}

}  // namespace platform
