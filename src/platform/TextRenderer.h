// Drawing the level message in a TrueType font onto a surface.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Surface.h"

namespace platform {

class ITextRenderer {
public:
    virtual ~ITextRenderer() = default;
    // Draws Windows-1250 text with its top-left at (x, y) in colour 0x00RRGGBB, transparent
    // background, clipped to the surface.
    virtual void DrawText(Surface& target, int x, int y, const std::string& textCp1250, uint32_t rgb) = 0;
};

}  // namespace platform
