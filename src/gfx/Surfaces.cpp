// Making, filling and keying the off-screen pictures every screen and actor draws from.
#include "gfx/Surfaces.h"

#include <algorithm>

#include "core/Messages.h"
#include "platform/Platform.h"

bool LoadPictureSurface(const std::string& gamePath, SurfacePtr& out) {
    platform::Image image;
    if (!platform::DecodeGamePicture(gamePath, image)) return false;
    out = platform::Surface::Create(image.width, image.height);
    if (!out) {
        ShowGameMessage(messages::kIconSurface);
        return true;
    }
    CopyBitmapToSurface(out.get(), &image, 0, 0, image.width, image.height);
    return true;
}

void ReloadPictureSurface(const std::string& gamePath, platform::Surface* surface) {
    platform::Image image;
    if (!platform::DecodeGamePicture(gamePath, image)) return;
    CopyBitmapToSurface(surface, &image, 0, 0, image.width, image.height);
}

int32_t CopyBitmapToSurface(platform::Surface* surface, const platform::Image* bitmap, int sx, int sy, int sw, int sh) {
    if (!surface || !bitmap || bitmap->width <= 0 || bitmap->height <= 0) return kSurfaceFail;
    surface->Restore();
    if (sw == 0) sw = bitmap->width;
    if (sh == 0) sh = bitmap->height;
    // Keep the source part inside the picture.
    sx = std::clamp(sx, 0, bitmap->width - 1);
    sy = std::clamp(sy, 0, bitmap->height - 1);
    sw = std::clamp(sw, 1, bitmap->width - sx);
    sh = std::clamp(sh, 1, bitmap->height - sy);
    const int dw = surface->Width();
    const int dh = surface->Height();
    for (int y = 0; y < dh; ++y) {
        const int srcY = sy + static_cast<int>((static_cast<int64_t>(y) * sh) / dh);
        const uint32_t* src = bitmap->pixels.data() + static_cast<size_t>(srcY) * bitmap->width;
        uint32_t* dst = surface->Row(y);
        if (dw == sw) {
            for (int x = 0; x < dw; ++x) dst[x] = src[sx + x] & 0x00FFFFFFu;
        } else {
            for (int x = 0; x < dw; ++x) {
                dst[x] = src[sx + static_cast<int>((static_cast<int64_t>(x) * sw) / dw)] & 0x00FFFFFFu;
            }
        }
    }
    return kSurfaceOk;
}

uint32_t MatchSurfaceColour(platform::Surface* surface, uint32_t colorRef) {
    if (!surface) return 0xFFFFFFFFu;
    const uint32_t remembered = surface->GetPixel(0, 0);
    if (colorRef != CLR_INVALID) surface->SetPixel(0, 0, platform::PixelFromColorRef(colorRef));
    const uint32_t value = surface->GetPixel(0, 0);
    if (colorRef != CLR_INVALID) surface->SetPixel(0, 0, remembered);
    return value;
}

int32_t SetSourceColourKey(platform::Surface* surface, uint32_t colorRef) {
    if (!surface) return kSurfaceFail;
    // Only the low end of the key range is used: one exact colour is transparent.
    surface->SetColourKey(MatchSurfaceColour(surface, colorRef));
    return kSurfaceOk;
}

SurfacePtr MakePictureSurface(platform::Image&& image) {
    SurfacePtr surface = platform::Surface::Create(image.width, image.height, std::move(image.pixels));
    return surface ? std::move(surface) : MakePictureSurface(static_cast<const platform::Image&>(image));
}

SurfacePtr MakePictureSurface(const platform::Image& image) {
    SurfacePtr surface = platform::Surface::Create(image.width, image.height);
    if (surface) CopyBitmapToSurface(surface.get(), &image, 0, 0, image.width, image.height);
    return surface;
}
