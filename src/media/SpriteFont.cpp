// The bitmap font every text of the game is drawn with.
#include "media/SpriteFont.h"

#include "core/GameDlgFields.h"
#include "core/Messages.h"
#include "platform/Platform.h"

namespace {

const char kSheetFile[] = "Graphics\\Spritelitery.png";

// Glyph characters (Windows-1250) and widths, in sheet order.
const struct {
    unsigned char code;
    int width;
} kGlyphTable[CSpriteFont::kGlyphCount] = {
    {0x61, 38}, {0x62, 38}, {0x63, 38}, {0x64, 37}, {0x65, 34}, {0x66, 34}, {0x67, 42}, {0x68, 40}, {0x69, 15},
    {0x6A, 31}, {0x6B, 39}, {0x6C, 32}, {0x6D, 47}, {0x6E, 42}, {0x6F, 46}, {0x70, 37}, {0x71, 43}, {0x72, 36},
    {0x73, 36}, {0x74, 37}, {0x75, 38}, {0x76, 38}, {0x77, 54}, {0x78, 36}, {0x79, 36}, {0x7A, 36}, {0xB9, 39},
    {0xEA, 34}, {0xE6, 38}, {0xB3, 38}, {0xF1, 42}, {0x9C, 36}, {0x9F, 36}, {0xBF, 36}, {0x31, 24}, {0x32, 31},
    {0x33, 31}, {0x34, 30}, {0x35, 32}, {0x36, 36}, {0x37, 32}, {0x38, 32}, {0x39, 32}, {0x30, 34}, {0x2E, 11},
    {0x2C, 10}, {0x3A, 11}, {0x3B, 11}, {0x2B, 25}, {0x2D, 21}, {0x3D, 25}, {0xE4, 38}, {0xF6, 46}, {0xFC, 38},
    {0xF3, 46}, {0xFD, 36}, {0xF2, 42}, {0x9A, 36}, {0xE9, 34}, {0x9E, 36}, {0xE1, 38}, {0xF8, 36}, {0xE8, 38},
    {0xF9, 38}, {0xED, 15}, {0x9D, 37}, {0xBE, 32}, {0xFA, 38}, {0xFB, 38}, {0xF5, 46},
};

// Windows-1250 capitals and their small letters.
const unsigned char kCapitals[][2] = {
    {0xA5, 0xB9}, {0xCA, 0xEA}, {0xC6, 0xE6}, {0xA3, 0xB3}, {0xD1, 0xF1}, {0x8C, 0x9C}, {0x8F, 0x9F},
    {0xAF, 0xBF}, {0xD3, 0xF3}, {0xC4, 0xE4}, {0xD6, 0xF6}, {0xDC, 0xFC}, {0xDD, 0xFD}, {0xD2, 0xF2},
    {0x8A, 0x9A}, {0xC9, 0xE9}, {0x8E, 0x9E}, {0xC1, 0xE1}, {0xD8, 0xF8}, {0xC8, 0xE8}, {0xD9, 0xF9},
    {0xCD, 0xED}, {0x8D, 0x9D}, {0xBC, 0xBE}, {0xDA, 0xFA}, {0xDB, 0xFB}, {0xD5, 0xF5},
};

}  // namespace

CSpriteFont::CSpriteFont(GameDlgFields* window) : mainWindow_(window) {
    platform::Image image;
    if (platform::DecodeGamePicture(kSheetFile, image)) {
        sheet_ = platform::Surface::Create(image.width, image.height);
        if (!sheet_) {
            ShowGameMessage(messages::kFontSurface);
        } else {
            CopyBitmapToSurface(sheet_.get(), &image, 0, 0, image.width, image.height);
            SetSourceColourKey(sheet_.get(), kColourKey);
        }
    }
    // Glyphs run left to right; one that would pass the sheet's right edge starts the next row
    // without the 2-pixel gap the others carry on their left.
    int x = 0;
    int row = 0;
    for (int i = 0; i < kGlyphCount; ++i) {
        const int width = kGlyphTable[i].width;
        int left = x;
        int right = x + (i == 0 ? width : width + 2);
        if (right > kSheetWidth) {
            ++row;
            left = 0;
            right = width;
        }
        glyphs[i].code = static_cast<char>(kGlyphTable[i].code);
        glyphs[i].source = platform::Rect{left, row * kRowHeight, right, (row + 1) * kRowHeight};
        x = right;
    }
}

std::string CSpriteFont::Lower(const std::string& text) {
    std::string lowered = text;
    for (char& c : lowered) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 'A' && u <= 'Z') {
            c = static_cast<char>(u - 'A' + 'a');
            continue;
        }
        for (const auto& pair : kCapitals) {
            if (pair[0] == u) {
                c = static_cast<char>(pair[1]);
                break;
            }
        }
    }
    return lowered;
}

int CSpriteFont::GlyphIndex(char c) const {
    for (int i = 0; i < kGlyphCount; ++i) {
        if (glyphs[i].code == c) return i;
    }
    return -1;
}

void CSpriteFont::LookUp(const std::string& lowered) {
    if (cacheValid_ && lowered == lastText_) return;
    ++lookupCount;
    lastIndices_.resize(lowered.size());
    for (size_t i = 0; i < lowered.size(); ++i) lastIndices_[i] = GlyphIndex(lowered[i]);
    lastText_ = lowered;
    cacheValid_ = true;
}

int32_t CSpriteFont::PenAfter(const std::string& text, int32_t x, float scale) {
    LookUp(Lower(text));
    int32_t pen = x;
    for (int index : lastIndices_) {
        const float advance = index >= 0 ? static_cast<float>(glyphs[index].source.Width()) : 32.0f;
        pen = static_cast<int32_t>(advance * scale + static_cast<float>(pen));
    }
    return pen;
}

void CSpriteFont::DrawText(std::string text, int32_t x, int32_t y, float scale) {
    if (sheet_ && sheet_->IsLost()) {
        sheet_->Restore();
        ReloadPictureSurface(kSheetFile, sheet_.get());
    }
    if (drawnTexts) drawnTexts->push_back(text);
    LookUp(Lower(text));
    platform::Surface* target = mainWindow_ ? mainWindow_->drawTarget : nullptr;
    int32_t pen = x;
    for (int index : lastIndices_) {
        if (index < 0) {
            pen = static_cast<int32_t>(32.0f * scale + static_cast<float>(pen));
            continue;
        }
        const platform::Rect& source = glyphs[index].source;
        const float sw = static_cast<float>(source.Width());
        const platform::Rect dest{pen, y, static_cast<int32_t>(static_cast<float>(pen) + sw * scale),
                                  static_cast<int32_t>(static_cast<float>(y) + kDrawnHeight * scale)};
        // A glyph reaching past the screen is dropped by the blit, as the display would.
        if (sheet_ && target) platform::Blt(target, dest, sheet_.get(), source, true);
        pen = static_cast<int32_t>(sw * scale + static_cast<float>(pen));
    }
}
