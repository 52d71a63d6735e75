// Text drawn with SDL_ttf in a plain dialog-sized font onto our surfaces.
#pragma once

#include <memory>
#include <string>

#include "platform/TextRenderer.h"

namespace platform {

class SdlTextRenderer : public ITextRenderer {
public:
    static constexpr const char* kDefaultFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    static constexpr int kDefaultPointSize = 16;

    // The font is opened on the first DrawText. Needs no video subsystem.
    explicit SdlTextRenderer(std::string fontPath = kDefaultFont, int pointSize = kDefaultPointSize);
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
