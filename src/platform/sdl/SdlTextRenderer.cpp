// Text drawn with SDL_ttf.
#include "platform/sdl/SdlTextRenderer.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/Cp1250.h"
#include "platform/Files.h"

namespace platform {
namespace {

// The game's own copy of the font when its data has one, else the system's best match for the family.
std::string DefaultFontPath() {
    bool shipped = false;
    std::string path = ResolveGamePathUnder(".", SdlTextRenderer::kGameFont, &shipped);
    if (shipped) return path;
    path.clear();
    if (!FcInit()) return path;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(SdlTextRenderer::kFontFamily));
    if (!pattern) return path;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
            path = reinterpret_cast<const char*>(file);
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return path;
}

}  // namespace

struct SdlTextRenderer::Impl {
    std::string fontPath;
    int pointSize = 0;
    bool ttfStarted = false;
    bool triedOpen = false;
    TTF_Font* font = nullptr;
    // The last text drawn, as coverage per pixel: the level message is the same text frame after frame.
    std::string cachedText;
    int cachedWidth = 0;
    int cachedHeight = 0;
    std::vector<uint8_t> coverage;

    bool EnsureFont() {
        if (font) return true;
        if (triedOpen) return false;
        triedOpen = true;
        // TTF_Init counts its callers, so each renderer starts and stops it for itself.
        if (TTF_Init() != 0) {
            std::fprintf(stderr, "Text: cannot start SDL_ttf: %s\n", TTF_GetError());
            return false;
        }
        ttfStarted = true;
        if (fontPath.empty()) fontPath = DefaultFontPath();
        if (fontPath.empty()) {
            std::fprintf(stderr, "Text: no font: neither %s in the game data nor %s through fontconfig\n",
                         SdlTextRenderer::kGameFont, SdlTextRenderer::kFontFamily);
            return false;
        }
        font = TTF_OpenFont(fontPath.c_str(), pointSize);
        if (!font) {
            std::fprintf(stderr, "Text: cannot open the font %s: %s\n", fontPath.c_str(), TTF_GetError());
            return false;
        }
        return true;
    }

    // Renders text in white and keeps how much of each pixel the glyphs cover.
    bool Rasterise(const std::string& textCp1250) {
        if (textCp1250 == cachedText && !coverage.empty()) return true;
        coverage.clear();
        cachedText.clear();
        std::string text = textCp1250;
        // The no-break space is a plain space on screen.
        std::replace(text.begin(), text.end(), '\xa0', ' ');
        const std::string utf8 = Cp1250ToUtf8(text);
        SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, utf8.c_str(), SDL_Color{255, 255, 255, 255});
        if (!rendered) return false;
        SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(rendered);
        if (!argb) return false;
        cachedWidth = argb->w;
        cachedHeight = argb->h;
        coverage.resize(static_cast<size_t>(argb->w) * argb->h);
        SDL_LockSurface(argb);
        for (int y = 0; y < argb->h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const unsigned char*>(argb->pixels) +
                                                                static_cast<size_t>(y) * argb->pitch);
            for (int x = 0; x < argb->w; ++x) coverage[static_cast<size_t>(y) * argb->w + x] = row[x] >> 24;
        }
        SDL_UnlockSurface(argb);
        SDL_FreeSurface(argb);
        cachedText = textCp1250;
        return !coverage.empty();
    }
};

SdlTextRenderer::SdlTextRenderer(std::string fontPath, int pointSize) : impl_(std::make_unique<Impl>()) {
    impl_->fontPath = std::move(fontPath);
    impl_->pointSize = pointSize;
}

SdlTextRenderer::~SdlTextRenderer() {
    if (impl_->font) TTF_CloseFont(impl_->font);
    if (impl_->ttfStarted) TTF_Quit();
}

void SdlTextRenderer::DrawText(Surface& target, int x, int y, const std::string& textCp1250, uint32_t rgb) {
    Impl& d = *impl_;
    if (textCp1250.empty() || !d.EnsureFont() || !d.Rasterise(textCp1250)) return;
    const int x0 = std::max(0, x);
    const int y0 = std::max(0, y);
    const int x1 = static_cast<int>(std::min<int64_t>(target.Width(), int64_t{x} + d.cachedWidth));
    const int y1 = static_cast<int>(std::min<int64_t>(target.Height(), int64_t{y} + d.cachedHeight));
    const uint32_t r = (rgb >> 16) & 0xFF;
    const uint32_t g = (rgb >> 8) & 0xFF;
    const uint32_t b = rgb & 0xFF;
    for (int ty = y0; ty < y1; ++ty) {
        const uint8_t* cover = d.coverage.data() + static_cast<size_t>(ty - y) * d.cachedWidth;
        uint32_t* row = target.Row(ty);
        for (int tx = x0; tx < x1; ++tx) {
            const uint32_t a = cover[tx - x];
            if (a == 0) continue;
            const uint32_t p = row[tx];
            if (a == 255) {
                row[tx] = (r << 16) | (g << 8) | b;
                continue;
            }
            const uint32_t pr = (p >> 16) & 0xFF;
            const uint32_t pg = (p >> 8) & 0xFF;
            const uint32_t pb = p & 0xFF;
            const uint32_t nr = (r * a + pr * (255 - a) + 127) / 255;
            const uint32_t ng = (g * a + pg * (255 - a) + 127) / 255;
            const uint32_t nb = (b * a + pb * (255 - a) + 127) / 255;
            row[tx] = (nr << 16) | (ng << 8) | nb;
        }
    }
}

}  // namespace platform
