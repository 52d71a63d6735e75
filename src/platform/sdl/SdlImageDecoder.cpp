// Picture files decoded with SDL_image.
#include "platform/sdl/SdlImageDecoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <mutex>
#include <vector>

#include "platform/Files.h"
#include "platform/Surface.h"
#include "platform/sdl/PngWriter.h"

namespace platform {
namespace {

// Pictures are a few megabytes at most; anything far larger is not a picture of ours.
constexpr size_t kMaxFileBytes = 64u * 1024 * 1024;

uint32_t Be32(const unsigned char* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
uint32_t Be16(const unsigned char* p) {
    return (uint32_t{p[0]} << 8) | p[1];
}
uint32_t Le16(const unsigned char* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8);
}
int32_t Le32(const unsigned char* p) {
    return static_cast<int32_t>(uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) |
                                (uint32_t{p[3]} << 24));
}

// The picture size its header promises; false when the header is not one we read or is cut short.
bool HeaderSize(const std::string& data, int64_t& width, int64_t& height) {
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    const size_t n = data.size();
    static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (n >= 8 && std::memcmp(p, kPng, 8) == 0) {
        // The first chunk must be IHDR: length 13, then width and height.
        if (n < 24 || Be32(p + 8) != 13 || std::memcmp(p + 12, "IHDR", 4) != 0) return false;
        width = Be32(p + 16);
        height = Be32(p + 20);
        return true;
    }
    if (n >= 10 && (std::memcmp(p, "GIF87a", 6) == 0 || std::memcmp(p, "GIF89a", 6) == 0)) {
        width = Le16(p + 6);
        height = Le16(p + 8);
        return true;
    }
    if (n >= 26 && p[0] == 'B' && p[1] == 'M') {
        const int32_t infoSize = Le32(p + 14);
        if (infoSize == 12) {  // the old OS/2 header with 16-bit sizes
            width = Le16(p + 18);
            height = Le16(p + 20);
        } else {
            width = Le32(p + 18);
            const int64_t h = Le32(p + 22);
            height = h < 0 ? -h : h;  // negative height: rows stored top-down
        }
        return true;
    }
    if (n >= 4 && p[0] == 0xFF && p[1] == 0xD8) {
        // Walk the JPEG markers up to the frame header that carries the size.
        size_t i = 2;
        while (i + 4 <= n) {
            if (p[i] != 0xFF) return false;
            const unsigned char marker = p[i + 1];
            if (marker == 0xFF) {
                ++i;
                continue;
            }
            if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
                i += 2;
                continue;
            }
            const size_t len = Be16(p + i + 2);
            if (len < 2) return false;
            const bool frameHeader =
                marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
            if (frameHeader) {
                if (i + 9 > n) return false;
                height = Be16(p + i + 5);
                width = Be16(p + i + 7);
                return true;
            }
            i += 2 + len;
        }
        return false;
    }
    return false;
}

bool SizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= Surface::kMaxSide && height <= Surface::kMaxSide &&
           width * height <= Surface::kMaxPixels;
}

}  // namespace

SdlImageDecoder::SdlImageDecoder() {
    // SDL_image sets its loaders up on first use, without a lock; done here, before any worker thread
    // decodes, every later load only reads that state.
    static std::once_flag loadersReady;
    std::call_once(loadersReady, [] { IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG); });
}

bool SdlImageDecoder::DecodePng(const std::string& realPath, Image& out) {
    std::string data;
    if (!ReadWholeFile(realPath, data, kMaxFileBytes)) return false;
    int64_t width = 0;
    int64_t height = 0;
    if (!HeaderSize(data, width, height) || !SizeAllowed(width, height)) return false;

    SDL_RWops* rw = SDL_RWFromConstMem(data.data(), static_cast<int>(data.size()));
    if (!rw) return false;
    SDL_Surface* decoded = IMG_Load_RW(rw, 1);
    if (!decoded) return false;
    if (decoded->w != width || decoded->h != height) {
        SDL_FreeSurface(decoded);
        return false;
    }
    // Only the colours count: no key, no blending, alpha thrown away by a plain copy into XRGB, made
    // straight into the picture's own pixels.
    SDL_SetColorKey(decoded, SDL_FALSE, 0);
    SDL_SetSurfaceBlendMode(decoded, SDL_BLENDMODE_NONE);
    std::vector<uint32_t> pixels(static_cast<size_t>(decoded->w) * decoded->h);
    SDL_Surface* rgb =
        SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), decoded->w, decoded->h, 32,
                                           decoded->w * static_cast<int>(sizeof(uint32_t)), SDL_PIXELFORMAT_RGB888);
    const bool copied = rgb && SDL_BlitSurface(decoded, nullptr, rgb, nullptr) == 0;
    if (rgb) SDL_FreeSurface(rgb);
    const int w = decoded->w;
    const int h = decoded->h;
    SDL_FreeSurface(decoded);
    if (!copied) return false;
    for (uint32_t& p : pixels) p &= 0x00FFFFFFu;
    out.width = w;
    out.height = h;
    out.pixels = std::move(pixels);
    return true;
}

bool SdlImageDecoder::WritePng(const std::string& realPath, const Surface& picture) {
    return SavePng(realPath, picture);
}

void SdlImageDecoder::ThreadEnds() {
    SDL_TLSCleanup();
}

}  // namespace platform
