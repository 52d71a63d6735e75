// The bitmap font every text of the game is drawn with.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/Surfaces.h"

struct GameDlgFields;

class CSpriteFont {
public:
    static constexpr int kGlyphCount = 70;
    static constexpr int kSheetWidth = 512;
    static constexpr int kRowHeight = 57;
    static constexpr int kDrawnHeight = 48;
    static constexpr uint32_t kColourKey = 0x62FF;  // GDI colour: red 0xFF, green 0x62

    struct Glyph {
        char code;
        platform::Rect source;
    };

    explicit CSpriteFont(GameDlgFields* window);
    ~CSpriteFont() = default;
    CSpriteFont(const CSpriteFont&) = delete;
    CSpriteFont& operator=(const CSpriteFont&) = delete;

    // Draws text lowered to small letters with its first glyph's top-left at (x, y); characters
    // without a glyph leave a gap of 32 * scale.
    void DrawText(std::string text, int32_t x, int32_t y, float scale);

    // Small letters for the capitals the font knows (A-Z and the Windows-1250 capitals).
    static std::string Lower(const std::string& text);
    // Index of the glyph for a character, or -1.
    int GlyphIndex(char c) const;
    // Where the pen stands after drawing text at x (nothing is drawn).
    int32_t PenAfter(const std::string& text, int32_t x, float scale);

    std::array<Glyph, kGlyphCount> glyphs{};
    // How often the characters of a new text were looked up (the cache saves repeats).
    int lookupCount = 0;
    // When set, each text drawn is added here as given (for the headless driver's state).
    std::vector<std::string>* drawnTexts = nullptr;

private:
    void LookUp(const std::string& lowered);

    GameDlgFields* mainWindow_;
    SurfacePtr sheet_;
    std::string lastText_;
    std::vector<int> lastIndices_;
    bool cacheValid_ = false;
};
