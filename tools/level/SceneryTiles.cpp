// Building the scenery tileset's picture from the game folder's ground tiles.
#include "SceneryTiles.h"

#include <cstdint>
#include <cstdio>

#include "LevelSource.h"
#include "platform/Platform.h"
#include "platform/Surface.h"
#include "platform/sdl/PngWriter.h"

namespace levels {

namespace {

const char* const kKeys[] = {"48", "26", "4",    "8",   "2",   "6",   "46", "24",
                             "68", "28", "2468", "268", "468", "248", "246"};

// The colour the ground pictures of a set leave out: brown in the valley, olive in the volcano, black
// elsewhere.
std::uint32_t ColourKeyOfSet(int scenery) {
    if (scenery == 0) return 0x432000;
    if (scenery == 6) return 0x403900;
    return 0x000000;
}

std::string Hex(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "%06x", rgb & 0xFFFFFFu);
    return text;
}

}  // namespace

bool WriteSceneryTiles(int scenery, const std::string& pngPath, SceneryTiles& tiles) {
    const std::string folder = "LevelDescriptions\\Level" + std::to_string(scenery) + "\\";
    const std::uint32_t key = ColourKeyOfSet(scenery);
    tiles.tileCount = 15;
    tiles.transparent = Hex(key);
    auto surface = platform::Surface::Create(kCell * tiles.tileCount, kCell);
    if (!surface) return false;
    for (int k = 0; k < tiles.tileCount; ++k) {
        platform::Image image;
        const bool have = platform::DecodeGamePicture(folder + kKeys[k] + "_0.png", image) && image.width >= kCell &&
                          image.height >= kCell;
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x) {
                const std::uint32_t plain = (x == 0 || y == 0) ? 0x5a3a1a : 0x8a5a2a;
                surface->SetPixel(k * kCell + x, y,
                                  have ? image.pixels[static_cast<size_t>(y) * image.width + x] : plain);
            }
        }
    }
    platform::Image sky;
    if (platform::DecodeGamePicture(folder + "Level" + std::to_string(scenery) + "_3.png", sky) &&
        !sky.pixels.empty()) {
        std::uint64_t r = 0, g = 0, b = 0;
        for (std::uint32_t p : sky.pixels) {
            r += p >> 16 & 0xFF;
            g += p >> 8 & 0xFF;
            b += p & 0xFF;
        }
        const std::uint64_t n = sky.pixels.size();
        tiles.background = "#" + Hex(static_cast<std::uint32_t>((r / n) << 16 | (g / n) << 8 | (b / n)));
    }
    return platform::SavePng(pngPath, *surface);
}

}  // namespace levels
