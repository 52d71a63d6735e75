// The sprite font sheet.
#include "FontSheet.h"

#include <cairo-ft.h>

#include <algorithm>
#include <cmath>

#include "Cp1250.h"
#include "Strip.h"
#include "Toolkit.h"

namespace art {

namespace {

struct GlyphSpec {
    unsigned char code;
    int width;
};

// Sheet order and widths; the game finds glyphs by this table, so it must not change.
const GlyphSpec kGlyphTable[70] = {
    {0x61, 38}, {0x62, 38}, {0x63, 38}, {0x64, 37}, {0x65, 34}, {0x66, 34}, {0x67, 42}, {0x68, 40}, {0x69, 15},
    {0x6A, 31}, {0x6B, 39}, {0x6C, 32}, {0x6D, 47}, {0x6E, 42}, {0x6F, 46}, {0x70, 37}, {0x71, 43}, {0x72, 36},
    {0x73, 36}, {0x74, 37}, {0x75, 38}, {0x76, 38}, {0x77, 54}, {0x78, 36}, {0x79, 36}, {0x7A, 36}, {0xB9, 39},
    {0xEA, 34}, {0xE6, 38}, {0xB3, 38}, {0xF1, 42}, {0x9C, 36}, {0x9F, 36}, {0xBF, 36}, {0x31, 24}, {0x32, 31},
    {0x33, 31}, {0x34, 30}, {0x35, 32}, {0x36, 36}, {0x37, 32}, {0x38, 32}, {0x39, 32}, {0x30, 34}, {0x2E, 11},
    {0x2C, 10}, {0x3A, 11}, {0x3B, 11}, {0x2B, 25}, {0x2D, 21}, {0x3D, 25}, {0xE4, 38}, {0xF6, 46}, {0xFC, 38},
    {0xF3, 46}, {0xFD, 36}, {0xF2, 42}, {0x9A, 36}, {0xE9, 34}, {0x9E, 36}, {0xE1, 38}, {0xF8, 36}, {0xE8, 38},
    {0xF9, 38}, {0xED, 15}, {0x9D, 37}, {0xBE, 32}, {0xFA, 38}, {0xFB, 38}, {0xF5, 46}};

std::vector<FontGlyph> BuildGlyphs() {
    std::vector<FontGlyph> glyphs;
    int x = 0, y = 0;
    for (int i = 0; i < 70; ++i) {
        FontGlyph g;
        g.code = kGlyphTable[i].code;
        g.inkWidth = kGlyphTable[i].width;
        if (i == 0) {
            g.gap = 0;
        } else if (x + 2 + g.inkWidth > kFontSheetWidth) {
            x = 0;
            y += kFontRowHeight;
            g.gap = 0;
        } else {
            g.gap = 2;
        }
        g.x = x;
        g.y = y;
        g.rectWidth = g.gap + g.inkWidth;
        x += g.rectWidth;
        glyphs.push_back(g);
    }
    return glyphs;
}

}  // namespace

const std::vector<FontGlyph>& FontGlyphs() {
    static const std::vector<FontGlyph> glyphs = BuildGlyphs();
    return glyphs;
}

int FontSheetHeight() {
    return FontGlyphs().back().y + kFontRowHeight;
}

unsigned char FontLower(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    // The Windows-1250 capitals whose small letters have glyphs.
    static const unsigned char pairs[][2] = {
        {0xA5, 0xB9}, {0xCA, 0xEA}, {0xC6, 0xE6}, {0xA3, 0xB3}, {0xD1, 0xF1}, {0x8C, 0x9C}, {0x8F, 0x9F},
        {0xAF, 0xBF}, {0xD3, 0xF3}, {0xC4, 0xE4}, {0xD6, 0xF6}, {0xDC, 0xFC}, {0xDD, 0xFD}, {0xD2, 0xF2},
        {0x8A, 0x9A}, {0xC9, 0xE9}, {0x8E, 0x9E}, {0xC1, 0xE1}, {0xD8, 0xF8}, {0xC8, 0xE8}, {0xD9, 0xF9},
        {0xCD, 0xED}, {0x8D, 0x9D}, {0xBC, 0xBE}, {0xDA, 0xFA}, {0xDB, 0xFB}, {0xD5, 0xF5}};
    for (const auto& p : pairs) {
        if (p[0] == c) return p[1];
    }
    return c;
}

const FontGlyph* FindGlyph(unsigned char c) {
    c = FontLower(c);
    for (const auto& g : FontGlyphs()) {
        if (g.code == c) return &g;
    }
    return nullptr;
}

int TextAdvance(const std::string& text, double scale) {
    float pen = 0;
    const float s = float(scale);
    for (unsigned char c : text) {
        const FontGlyph* g = FindGlyph(c);
        pen = std::trunc((g ? float(g->rectWidth) : 32.0f) * s + pen);
    }
    return int(pen);
}

bool DrawFontSheet(const Palette& palette, Picture& out, std::string& error) {
    const auto& glyphs = FontGlyphs();
    const int sheetH = FontSheetHeight();
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kFontSheetWidth, sheetH);
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    // Outlines as designed: no hinting, no metric rounding (which would also make the sizes
    // measured below coarse).
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    constexpr double kMeasureSize = 100.0;  // glyphs are measured large and scaled down
    cairo_set_font_size(cr, kMeasureSize);
    {
        // Insist on the real DejaVu Sans Bold: a substitute would change every glyph.
        cairo_scaled_font_t* sf = cairo_get_scaled_font(cr);
        FT_Face face = cairo_ft_scaled_font_lock_face(sf);
        std::string family = face && face->family_name ? face->family_name : "";
        std::string style = face && face->style_name ? face->style_name : "";
        cairo_ft_scaled_font_unlock_face(sf);
        if (family != "DejaVu Sans" || style != "Bold") {
            error = "the font sheet needs DejaVu Sans Bold (fonts-dejavu-core); found '" + family + " " + style + "'";
            cairo_destroy(cr);
            cairo_surface_destroy(surface);
            return false;
        }
    }
    // One size and baseline for every glyph, so letters line up: the tallest accent and the
    // deepest descender must both fit the row with their outline. The row is drawn squeezed
    // to 48/57 of its height, so glyphs are stretched by 57/48 here to look right on screen.
    const double outline = 2.6, stretchY = double(kFontRowHeight) / kFontDrawnHeight, widen = 1.18;
    double top = 0, bottom = 0;
    std::vector<std::string> utf8(glyphs.size());
    std::vector<cairo_text_extents_t> ext(glyphs.size());
    for (size_t i = 0; i < glyphs.size(); ++i) {
        utf8[i] = CodePointToUtf8(Cp1250ToUnicode(glyphs[i].code));
        cairo_text_extents(cr, utf8[i].c_str(), &ext[i]);
        ext[i].x_bearing /= kMeasureSize;
        ext[i].y_bearing /= kMeasureSize;
        ext[i].width /= kMeasureSize;
        ext[i].height /= kMeasureSize;
        top = std::min(top, ext[i].y_bearing);
        bottom = std::max(bottom, ext[i].y_bearing + ext[i].height);
    }
    const double size = (kFontRowHeight - 2.0 - 2 * outline) / ((bottom - top) * stretchY);
    const double baseline = 1.0 + outline - top * size * stretchY;
    const Colour line = palette["font.outline"], upper = palette["font.light"], lower = palette["font.warm"];
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const FontGlyph& g = glyphs[i];
        const double inkW = ext[i].width * size * widen + 2 * outline;
        const double sx = std::min(widen, widen * (g.inkWidth - 1.0) / inkW) * size;
        const double drawnW = ext[i].width * sx + 2 * outline;
        const double left = g.x + g.gap + (g.inkWidth - drawnW) / 2.0 + outline - ext[i].x_bearing * sx;
        cairo_save(cr);
        cairo_rectangle(cr, g.x + g.gap, g.y, g.inkWidth, kFontRowHeight);
        cairo_clip(cr);
        cairo_save(cr);
        cairo_translate(cr, left, g.y + baseline);
        cairo_scale(cr, sx / kMeasureSize, size * stretchY / kMeasureSize);
        cairo_new_path(cr);
        cairo_move_to(cr, 0, 0);
        cairo_text_path(cr, utf8[i].c_str());
        cairo_restore(cr);
        cairo_path_t* path = cairo_copy_path(cr);
        // Outline first, twice as wide as it shows: the fill covers its inner half.
        SetColour(cr, line);
        cairo_set_line_width(cr, 2 * outline);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
        cairo_append_path(cr, path);
        SetColour(cr, upper);
        cairo_fill_preserve(cr);
        cairo_clip(cr);
        // The lower part of every letter is warmer: the two tones split a little under the
        // middle of the small letters.
        SetColour(cr, lower);
        cairo_rectangle(cr, g.x, g.y + baseline - 0.24 * size * stretchY, g.rectWidth, kFontRowHeight);
        cairo_fill(cr);
        cairo_path_destroy(path);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    const uint32_t key = kFontKey.Pixel();
    Picture sheet(kFontSheetWidth, sheetH, key);
    PutOnKey(surface, sheet, 0, 0, key, kNudgeStep);
    cairo_surface_destroy(surface);
    StripReport report;
    for (const auto& g : glyphs) CleanFrame(sheet, g.x + g.gap, g.y, g.inkWidth, kFontRowHeight, key, false, report);
    out = std::move(sheet);
    return true;
}

}  // namespace art
