// The sprite font: its fixed glyph table and sheet layout, text measuring as the game draws,
// and the sheet picture drawn from DejaVu Sans Bold.
#pragma once

#include <string>
#include <vector>

#include "Palette.h"
#include "Toolkit.h"

namespace art {

struct FontGlyph {
    unsigned char code = 0;  // Windows-1250
    int inkWidth = 0;        // the glyph's own width
    int x = 0, y = 0;        // top-left of its rectangle on the sheet
    int rectWidth = 0;       // inkWidth plus the 2-pixel gap, except at the start of a row
    int gap = 0;             // 0 or 2: blank columns on the rectangle's left
};

constexpr int kFontSheetWidth = 512;
constexpr int kFontRowHeight = 57;
constexpr int kFontDrawnHeight = 48;  // the game squeezes each 57-pixel row to 48
const Colour kFontKey{0xFF, 0x62, 0x00};

const std::vector<FontGlyph>& FontGlyphs();
int FontSheetHeight();
// Lowers a Windows-1250 character the way the font does before looking it up.
unsigned char FontLower(unsigned char c);
// The glyph for a Windows-1250 character after lowering, or nullptr (drawn as a 32-pixel gap).
const FontGlyph* FindGlyph(unsigned char c);
// How far the pen moves when the game draws text (Windows-1250) at scale.
int TextAdvance(const std::string& text, double scale);

// Draws the sheet. False with a message when DejaVu Sans Bold is not the font cairo found.
bool DrawFontSheet(const Palette& palette, Picture& out, std::string& error);

}  // namespace art
