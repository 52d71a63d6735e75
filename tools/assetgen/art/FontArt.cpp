// Graphics\Spritelitery.png.
#include <cstdio>

#include "FontSheet.h"
#include "Generators.h"

namespace art {

bool WriteFontSheet(const Content& content, GameFolder& out) {
    // The layout is fixed by the game; make sure the table still breaks rows where it must.
    const auto& g = FontGlyphs();
    const int rowStarts[] = {0, 13, 25, 39, 55, 68};
    for (int r = 0; r < 6; ++r) {
        if (g[size_t(rowStarts[r])].x != 0 || g[size_t(rowStarts[r])].y != r * kFontRowHeight) {
            std::fprintf(stderr, "assetgen-art: font layout broken at glyph %d\n", rowStarts[r]);
            return false;
        }
    }
    Picture sheet;
    std::string error;
    if (!DrawFontSheet(content.palette, sheet, error)) {
        std::fprintf(stderr, "assetgen-art: %s\n", error.c_str());
        return false;
    }
    return out.WritePng("Graphics/Spritelitery.png", sheet);
}

}  // namespace art
