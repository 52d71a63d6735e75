// Text drawn with SDL_ttf in a plain dialog-sized font onto our surfaces.
#pragma once

#include <memory>
#include <string>

#include "platform/TextRenderer.h"

namespace platform {

class SdlTextRenderer : public ITextRenderer {
public:
    // The font shipped with the game data (a game path); without it, fontconfig's match for kFontFamily.
    static constexpr const char* kGameFont = "Fonts\\DejaVuSans.ttf";
    static constexpr const char* kFontFamily = "DejaVu Sans";
    static constexpr int kDefaultPointSize = 16;

    // The font is opened on the first DrawText ("" for the game's own font). Needs no video subsystem.
    explicit SdlTextRenderer(std::string fontPath = "", int pointSize = kDefaultPointSize);
    ~SdlTextRenderer() override;
    SdlTextRenderer(const SdlTextRenderer&) = delete;
    SdlTextRenderer& operator=(const SdlTextRenderer&) = delete;

    // Anti-aliased text blended onto the surface; nothing is drawn when the font cannot be opened
    // (said once on stderr).
    void DrawText(Surface& target, int x, int y, const std::string& textCp1250, uint32_t rgb) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
