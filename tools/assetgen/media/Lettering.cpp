// Lettering of the videos: captions, the golden title and the stone-tablet cards (UTF-8, DejaVu fonts).
#include "Lettering.h"

#include <cmath>
#include <sstream>
#include <vector>

#include "Dsp.h"
#include "Scenery.h"

namespace media::cartoon {
namespace {

const char* const kFont = "DejaVu Sans";

// Splits on '|' and wraps words so no line is wider than maxWidth in the current font.
std::vector<std::string> WrapText(cairo_t* cr, const std::string& text, double maxWidth) {
    std::vector<std::string> lines;
    std::stringstream paragraphs(text);
    std::string paragraph;
    while (std::getline(paragraphs, paragraph, '|')) {
        std::stringstream words(paragraph);
        std::string word, line;
        while (words >> word) {
            std::string candidate = line.empty() ? word : line + " " + word;
            cairo_text_extents_t extents;
            cairo_text_extents(cr, candidate.c_str(), &extents);
            if (!line.empty() && extents.x_advance > maxWidth) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

double TextWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

}  // namespace

void Caption(cairo_t* cr, const std::string& text, double alpha) {
    if (alpha <= 0.0) return;
    cairo_save(cr);
    cairo_select_font_face(cr, kFont, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 27);
    std::vector<std::string> lines = WrapText(cr, text, 700);
    const double lineHeight = 36;
    double boxHeight = lines.size() * lineHeight + 22;
    double top = kHeight - 24 - boxHeight;
    RoundedRectangle(cr, 40, top, kWidth - 80, boxHeight, 14);
    SetColour(cr, {0.1, 0.07, 0.05}, 0.62 * alpha);
    cairo_fill_preserve(cr);
    SetColour(cr, {0.95, 0.75, 0.35}, 0.8 * alpha);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    for (size_t i = 0; i < lines.size(); ++i) {
        double w = TextWidth(cr, lines[i]);
        double baseline = top + 11 + lineHeight * (i + 0.78);
        SetColour(cr, {0, 0, 0}, 0.7 * alpha);
        cairo_move_to(cr, (kWidth - w) / 2 + 2, baseline + 2);
        cairo_show_text(cr, lines[i].c_str());
        SetColour(cr, {1.0, 0.97, 0.88}, alpha);
        cairo_move_to(cr, (kWidth - w) / 2, baseline);
        cairo_show_text(cr, lines[i].c_str());
    }
    cairo_restore(cr);
}

void Title(cairo_t* cr, const std::string& text, double centreY, double size, double alpha) {
    if (alpha <= 0.0) return;
    cairo_save(cr);
    cairo_select_font_face(cr, kFont, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_push_group(cr);
    std::vector<std::string> lines = WrapText(cr, text, 760);
    for (size_t i = 0; i < lines.size(); ++i) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, lines[i].c_str(), &extents);
        double x = (kWidth - extents.x_advance) / 2;
        double baseline = centreY + size * 0.35 + (i - (lines.size() - 1) / 2.0) * size * 1.1;
        cairo_move_to(cr, x + 5, baseline + 6);
        cairo_text_path(cr, lines[i].c_str());
        SetColour(cr, {0, 0, 0}, 0.45);
        cairo_fill(cr);
        cairo_move_to(cr, x, baseline);
        cairo_text_path(cr, lines[i].c_str());
        SetColour(cr, {0.25, 0.12, 0.04});
        cairo_set_line_width(cr, size * 0.14);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        cairo_pattern_t* gradient = cairo_pattern_create_linear(0, baseline - size * 0.8, 0, baseline);
        cairo_pattern_add_color_stop_rgb(gradient, 0.0, 1.0, 0.93, 0.45);
        cairo_pattern_add_color_stop_rgb(gradient, 1.0, 0.95, 0.5, 0.1);
        cairo_set_source(cr, gradient);
        cairo_fill(cr);
        cairo_pattern_destroy(gradient);
    }
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

void StoneCard(cairo_t* cr, const std::string& text, double alpha, double time) {
    Sky(cr, {0.16, 0.10, 0.07}, {0.30, 0.19, 0.11});
    cairo_save(cr);
    // The tablet sways in gently.
    double settle = std::exp(-time * 2.5);
    cairo_translate(cr, kWidth / 2.0, kHeight / 2.0 + 30.0 * settle);
    cairo_rotate(cr, 0.04 * settle);
    const double w = 620, h = 330;
    cairo_move_to(cr, -w / 2 + 20, -h / 2);
    cairo_line_to(cr, w / 2 - 30, -h / 2 + 8);
    cairo_line_to(cr, w / 2, -h / 2 + 40);
    cairo_line_to(cr, w / 2 - 10, h / 2 - 20);
    cairo_line_to(cr, w / 2 - 40, h / 2);
    cairo_line_to(cr, -w / 2 + 30, h / 2 - 6);
    cairo_line_to(cr, -w / 2, h / 2 - 40);
    cairo_line_to(cr, -w / 2 + 6, -h / 2 + 30);
    cairo_close_path(cr);
    cairo_pattern_t* stone = cairo_pattern_create_linear(0, -h / 2, 0, h / 2);
    cairo_pattern_add_color_stop_rgb(stone, 0.0, 0.72, 0.69, 0.64);
    cairo_pattern_add_color_stop_rgb(stone, 1.0, 0.52, 0.49, 0.45);
    cairo_set_source(cr, stone);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(stone);
    SetColour(cr, kOutline);
    cairo_set_line_width(cr, 5.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // Cracks and chips.
    SetColour(cr, {0.35, 0.33, 0.3});
    cairo_set_line_width(cr, 2.0);
    cairo_move_to(cr, w / 2 - 30, -h / 2 + 8);
    cairo_line_to(cr, w / 2 - 60, -h / 2 + 40);
    cairo_line_to(cr, w / 2 - 52, -h / 2 + 62);
    cairo_move_to(cr, -w / 2 + 30, h / 2 - 6);
    cairo_line_to(cr, -w / 2 + 60, h / 2 - 34);
    cairo_stroke(cr);
    cairo_select_font_face(cr, kFont, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 36);
    std::vector<std::string> lines = WrapText(cr, text, w - 90);
    const double lineHeight = 48;
    for (size_t i = 0; i < lines.size(); ++i) {
        double tw = TextWidth(cr, lines[i]);
        double baseline = (i - (lines.size() - 1) / 2.0) * lineHeight + 13;
        // Carved: a light edge below, the dark groove above it.
        SetColour(cr, {0.86, 0.84, 0.8});
        cairo_move_to(cr, -tw / 2 + 1.5, baseline + 1.5);
        cairo_show_text(cr, lines[i].c_str());
        SetColour(cr, {0.22, 0.17, 0.13});
        cairo_move_to(cr, -tw / 2, baseline);
        cairo_show_text(cr, lines[i].c_str());
    }
    cairo_restore(cr);
    if (alpha < 1.0) {
        SetColour(cr, {0, 0, 0}, 1.0 - alpha);
        cairo_paint(cr);
    }
}

}  // namespace media::cartoon
