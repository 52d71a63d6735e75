// Cartoon pieces for the videos, drawn with cairo: sky, hills, plants, the caveman, the pterodactyl, texts.
#include "Cartoon.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "Dsp.h"

namespace media::cartoon {
namespace {

const Rgb kOutline{12 / 255.0, 10 / 255.0, 8 / 255.0};
const Rgb kSkin{0.96, 0.76, 0.55};
const Rgb kHair{0.28, 0.15, 0.07};
const Rgb kTunic{0.80, 0.47, 0.18};
const Rgb kTunicSpot{0.55, 0.28, 0.10};
const Rgb kWood{0.62, 0.40, 0.20};
const char* const kFont = "DejaVu Sans";

void Circle(cairo_t* cr, double x, double y, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0.0, 2.0 * kPi);
}

void Ellipse(cairo_t* cr, double x, double y, double rx, double ry, double angle = 0.0) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0.0, 0.0, 1.0, 0.0, 2.0 * kPi);
    cairo_restore(cr);
}

// A limb: an outlined thick line with round ends.
void Limb(cairo_t* cr, double x0, double y0, double x1, double y1, double width, Rgb colour) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    SetColour(cr, kOutline);
    cairo_set_line_width(cr, width + 5.0);
    cairo_stroke_preserve(cr);
    SetColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

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

void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

// Cheap deterministic pseudo-random numbers for scenery shapes.
double Hash01(uint32_t seed, int index) {
    uint32_t h = seed * 747796405u + static_cast<uint32_t>(index) * 2891336453u;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777216.0;
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void SetColour(cairo_t* cr, Rgb colour, double alpha) {
    if (alpha >= 1.0)
        cairo_set_source_rgb(cr, colour.r, colour.g, colour.b);
    else
        cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

void FillOutlined(cairo_t* cr, Rgb colour, double lineWidth) {
    SetColour(cr, colour);
    cairo_fill_preserve(cr);
    SetColour(cr, kOutline);
    cairo_set_line_width(cr, lineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void Sky(cairo_t* cr, Rgb top, Rgb bottom) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, kHeight);
    cairo_pattern_add_color_stop_rgb(gradient, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(gradient, 0.75, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);
}

void Stars(cairo_t* cr, double alpha, double time) {
    if (alpha <= 0.0) return;
    for (int i = 0; i < 70; ++i) {
        double x = Hash01(7, i) * kWidth;
        double y = Hash01(11, i) * 330.0;
        double twinkle = 0.6 + 0.4 * std::sin(time * (1.5 + Hash01(13, i) * 3.0) + i);
        SetColour(cr, {1.0, 0.97, 0.85}, alpha * twinkle);
        Circle(cr, x, y, 0.8 + Hash01(17, i) * 1.3);
        cairo_fill(cr);
    }
}

void Sun(cairo_t* cr, double x, double y, double radius, double time, Rgb colour) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, radius * 0.8, x, y, radius * 3.0);
    cairo_pattern_add_color_stop_rgba(glow, 0.0, colour.r, colour.g, colour.b, 0.45);
    cairo_pattern_add_color_stop_rgba(glow, 1.0, colour.r, colour.g, colour.b, 0.0);
    cairo_set_source(cr, glow);
    Circle(cr, x, y, radius * 3.0);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    SetColour(cr, Mix(colour, {1, 1, 1}, 0.3), 0.7);
    for (int i = 0; i < 12; ++i) {
        double angle = time * 0.25 + i * kPi / 6.0;
        double inner = radius * 1.2, outer = radius * (i % 2 ? 1.55 : 1.8);
        cairo_move_to(cr, x + std::cos(angle - 0.09) * inner, y + std::sin(angle - 0.09) * inner);
        cairo_line_to(cr, x + std::cos(angle) * outer, y + std::sin(angle) * outer);
        cairo_line_to(cr, x + std::cos(angle + 0.09) * inner, y + std::sin(angle + 0.09) * inner);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    Circle(cr, x, y, radius);
    FillOutlined(cr, colour, 3.0);
}

void Cloud(cairo_t* cr, double x, double y, double scale, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_push_group(cr);
    const double puffs[5][3] = {{-40, 0, 22}, {-15, -14, 28}, {15, -10, 26}, {40, 2, 20}, {0, 6, 24}};
    for (const auto& p : puffs) Circle(cr, p[0], p[1], p[2]);
    SetColour(cr, kOutline);
    cairo_set_line_width(cr, 5.0);
    cairo_stroke_preserve(cr);
    SetColour(cr, {1.0, 1.0, 1.0});
    cairo_fill(cr);
    SetColour(cr, {0.82, 0.88, 0.95});
    Ellipse(cr, 0, 14, 45, 8);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

void Hills(cairo_t* cr, double scroll, double baseY, double amplitude, double wavelength, Rgb fill, uint32_t seed) {
    double phase1 = Hash01(seed, 1) * 2 * kPi, phase2 = Hash01(seed, 2) * 2 * kPi, phase3 = Hash01(seed, 3) * 2 * kPi;
    auto height = [&](double x) {
        double u = (x + scroll) / wavelength * 2.0 * kPi;
        return baseY - amplitude * (0.6 * std::sin(u + phase1) + 0.3 * std::sin(2.3 * u + phase2) +
                                    0.1 * std::sin(5.1 * u + phase3));
    };
    cairo_move_to(cr, -10, kHeight + 10);
    for (int x = -10; x <= kWidth + 10; x += 6) cairo_line_to(cr, x, height(x));
    cairo_line_to(cr, kWidth + 10, kHeight + 10);
    cairo_close_path(cr);
    SetColour(cr, fill);
    cairo_fill_preserve(cr);
    // Shade: a lighter band along the crest gives the two-tone look.
    cairo_save(cr);
    cairo_clip(cr);
    cairo_move_to(cr, -10, kHeight + 10);
    for (int x = -10; x <= kWidth + 10; x += 6) cairo_line_to(cr, x, height(x) + 14.0);
    cairo_line_to(cr, kWidth + 10, kHeight + 10);
    cairo_close_path(cr);
    SetColour(cr, Mix(fill, {0, 0, 0}, 0.12));
    cairo_fill(cr);
    cairo_restore(cr);
    for (int x = -10; x <= kWidth + 10; x += 6) {
        if (x == -10)
            cairo_move_to(cr, x, height(x));
        else
            cairo_line_to(cr, x, height(x));
    }
    SetColour(cr, kOutline);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);
}

void Ground(cairo_t* cr, double y, Rgb fill, double scroll) {
    cairo_rectangle(cr, -10, y, kWidth + 20, kHeight - y + 10);
    FillOutlined(cr, fill, 3.0);
    SetColour(cr, Mix(fill, {0, 0, 0}, 0.25));
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double spacing = 53.0;
    double offset = std::fmod(scroll, spacing);
    for (int i = -1; i < 18; ++i) {
        double x = i * spacing - offset;
        int id = static_cast<int>(std::floor((x + scroll) / spacing));
        double tuftY = y + 22 + Hash01(5, id) * 90.0;
        cairo_move_to(cr, x, tuftY);
        cairo_line_to(cr, x - 4, tuftY - 9);
        cairo_move_to(cr, x + 4, tuftY);
        cairo_line_to(cr, x + 6, tuftY - 11);
        cairo_move_to(cr, x + 8, tuftY);
        cairo_line_to(cr, x + 14, tuftY - 7);
    }
    cairo_stroke(cr);
}

void Palm(cairo_t* cr, double x, double groundY, double height, double sway) {
    double topX = x + sway * 12.0 + height * 0.12, topY = groundY - height;
    // Trunk: a curved tapering band with rings.
    cairo_move_to(cr, x - 10, groundY);
    cairo_curve_to(cr, x - 6, groundY - height * 0.5, topX - 10, topY + height * 0.3, topX - 5, topY);
    cairo_line_to(cr, topX + 5, topY);
    cairo_curve_to(cr, topX + 2, topY + height * 0.3, x + 8, groundY - height * 0.5, x + 12, groundY);
    cairo_close_path(cr);
    FillOutlined(cr, {0.55, 0.38, 0.22}, 3.0);
    SetColour(cr, {0.38, 0.25, 0.13});
    cairo_set_line_width(cr, 2.0);
    for (int i = 1; i < 8; ++i) {
        double t = i / 8.0;
        double cx = x + (topX - x) * t * t + 1.0, cy = groundY - height * t;
        double w = 10.0 - 5.0 * t;
        cairo_move_to(cr, cx - w, cy + 2);
        cairo_line_to(cr, cx + w, cy - 2);
    }
    cairo_stroke(cr);
    // Fronds.
    for (int i = 0; i < 6; ++i) {
        double angle = -kPi / 2 + (i - 2.5) * 0.55 + sway * 0.08;
        double length = height * (0.42 + 0.06 * (i % 2));
        double ex = topX + std::cos(angle) * length, ey = topY + std::sin(angle) * length * 0.5 + length * 0.45;
        double mx = topX + std::cos(angle) * length * 0.5, my = topY + std::sin(angle) * length * 0.6 - 10;
        double nx = -std::sin(angle) * 13, ny = std::cos(angle) * 13;
        cairo_move_to(cr, topX, topY);
        cairo_curve_to(cr, mx + nx, my + ny, ex, ey - 6, ex, ey);
        cairo_curve_to(cr, ex, ey + 2, mx - nx, my - ny + 8, topX, topY);
        cairo_close_path(cr);
        FillOutlined(cr, i % 2 ? Rgb{0.20, 0.62, 0.22} : Rgb{0.15, 0.52, 0.18}, 2.5);
    }
    Circle(cr, topX, topY + 6, 6);
    FillOutlined(cr, {0.45, 0.30, 0.15}, 2.0);
    Circle(cr, topX + 9, topY + 9, 5);
    FillOutlined(cr, {0.45, 0.30, 0.15}, 2.0);
}

void Fern(cairo_t* cr, double x, double groundY, double size, double sway) {
    for (int i = 0; i < 5; ++i) {
        double angle = -kPi / 2 + (i - 2) * 0.45 + sway * 0.05;
        double ex = x + std::cos(angle) * size, ey = groundY + std::sin(angle) * size;
        double nx = -std::sin(angle) * size * 0.16, ny = std::cos(angle) * size * 0.16;
        cairo_move_to(cr, x, groundY);
        cairo_curve_to(cr, x + nx + (ex - x) * 0.5, groundY + ny + (ey - groundY) * 0.5, ex, ey, ex, ey);
        cairo_curve_to(cr, ex, ey, x - nx + (ex - x) * 0.5, groundY - ny + (ey - groundY) * 0.5, x, groundY);
        cairo_close_path(cr);
        FillOutlined(cr, i % 2 ? Rgb{0.27, 0.66, 0.25} : Rgb{0.22, 0.56, 0.2}, 2.0);
    }
}

void Boulder(cairo_t* cr, double x, double groundY, double size, Rgb colour) {
    cairo_move_to(cr, x - size, groundY);
    cairo_curve_to(cr, x - size * 1.05, groundY - size * 0.8, x - size * 0.4, groundY - size * 1.05, x + size * 0.1,
                   groundY - size);
    cairo_curve_to(cr, x + size * 0.8, groundY - size * 0.95, x + size * 1.05, groundY - size * 0.4, x + size, groundY);
    cairo_close_path(cr);
    FillOutlined(cr, colour, 3.0);
    Ellipse(cr, x - size * 0.35, groundY - size * 0.7, size * 0.22, size * 0.12, -0.5);
    SetColour(cr, Mix(colour, {1, 1, 1}, 0.35));
    cairo_fill(cr);
}

void Cave(cairo_t* cr, double x, double groundY, double size) {
    cairo_move_to(cr, x - size * 1.3, groundY);
    cairo_curve_to(cr, x - size * 1.2, groundY - size * 1.1, x - size * 0.3, groundY - size * 1.4, x + size * 0.4,
                   groundY - size * 1.1);
    cairo_curve_to(cr, x + size * 1.0, groundY - size * 0.9, x + size * 1.3, groundY - size * 0.4, x + size * 1.25,
                   groundY);
    cairo_close_path(cr);
    FillOutlined(cr, {0.52, 0.50, 0.48}, 3.5);
    // Opening.
    cairo_move_to(cr, x - size * 0.45, groundY);
    cairo_curve_to(cr, x - size * 0.5, groundY - size * 0.75, x + size * 0.45, groundY - size * 0.8, x + size * 0.5,
                   groundY);
    cairo_close_path(cr);
    FillOutlined(cr, {0.14, 0.11, 0.10}, 3.0);
    SetColour(cr, {0.62, 0.60, 0.57});
    Ellipse(cr, x - size * 0.6, groundY - size * 0.95, size * 0.25, size * 0.1, -0.3);
    cairo_fill(cr);
}

void Volcano(cairo_t* cr, double x, double groundY, double size, double time, Rgb rock) {
    // Smoke rises from the crater and thins out as it goes.
    for (int i = 0; i < 7; ++i) {
        double age = std::fmod(time * 0.35 + i / 7.0, 1.0);
        double px = x + std::sin(age * 3.0 + i) * size * 0.12 + age * size * 0.35;
        double py = groundY - size * 0.95 - age * size * 0.9;
        SetColour(cr, {0.35, 0.32, 0.32}, 0.55 * (1.0 - age));
        Circle(cr, px, py, size * (0.1 + 0.22 * age));
        cairo_fill(cr);
    }
    cairo_move_to(cr, x - size * 1.2, groundY);
    cairo_line_to(cr, x - size * 0.22, groundY - size * 0.95);
    cairo_curve_to(cr, x - size * 0.08, groundY - size * 0.9, x + size * 0.08, groundY - size * 0.9, x + size * 0.22,
                   groundY - size * 0.95);
    cairo_line_to(cr, x + size * 1.2, groundY);
    cairo_close_path(cr);
    FillOutlined(cr, rock, std::max(2.0, size * 0.02));
    // Lava streaks glowing with the time.
    double glow = 0.75 + 0.25 * std::sin(time * 2.3);
    SetColour(cr, Mix({0.95, 0.35, 0.05}, {1.0, 0.8, 0.2}, glow - 0.5));
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, x + side * size * 0.12, groundY - size * 0.92);
        cairo_curve_to(cr, x + side * size * 0.2, groundY - size * 0.7, x + side * size * 0.1, groundY - size * 0.5,
                       x + side * size * 0.3, groundY - size * 0.3);
        cairo_line_to(cr, x + side * size * 0.34, groundY - size * 0.32);
        cairo_curve_to(cr, x + side * size * 0.16, groundY - size * 0.5, x + side * size * 0.26, groundY - size * 0.7,
                       x + side * size * 0.18, groundY - size * 0.92);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
    cairo_pattern_t* crater =
        cairo_pattern_create_radial(x, groundY - size * 0.93, 0, x, groundY - size * 0.93, size * 0.45);
    cairo_pattern_add_color_stop_rgba(crater, 0.0, 1.0, 0.7, 0.2, 0.8 * glow);
    cairo_pattern_add_color_stop_rgba(crater, 1.0, 1.0, 0.3, 0.0, 0.0);
    cairo_set_source(cr, crater);
    Circle(cr, x, groundY - size * 0.93, size * 0.45);
    cairo_fill(cr);
    cairo_pattern_destroy(crater);
}

void Fire(cairo_t* cr, double x, double groundY, double scale, double time) {
    cairo_save(cr);
    cairo_translate(cr, x, groundY);
    cairo_scale(cr, scale, scale);
    cairo_pattern_t* glow = cairo_pattern_create_radial(0, -20, 5, 0, -20, 90);
    cairo_pattern_add_color_stop_rgba(glow, 0.0, 1.0, 0.7, 0.2, 0.35 + 0.05 * std::sin(time * 13));
    cairo_pattern_add_color_stop_rgba(glow, 1.0, 1.0, 0.5, 0.1, 0.0);
    cairo_set_source(cr, glow);
    Circle(cr, 0, -20, 90);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    Limb(cr, -22, -2, 20, -8, 9, kWood);
    Limb(cr, -20, -8, 22, -2, 9, {0.55, 0.34, 0.17});
    const Rgb colours[3] = {{0.95, 0.3, 0.08}, {1.0, 0.6, 0.1}, {1.0, 0.9, 0.4}};
    for (int layer = 0; layer < 3; ++layer) {
        double h = (46 - layer * 13) * (1.0 + 0.12 * std::sin(time * (11 + layer * 3) + layer));
        double w = 18 - layer * 5;
        double lean = 4 * std::sin(time * 7 + layer);
        cairo_move_to(cr, -w, -6);
        cairo_curve_to(cr, -w - 2, -h * 0.5, lean - 2, -h * 0.7, lean, -h);
        cairo_curve_to(cr, lean + 2, -h * 0.7, w + 2, -h * 0.5, w, -6);
        cairo_close_path(cr);
        if (layer == 0)
            FillOutlined(cr, colours[layer], 2.5);
        else {
            SetColour(cr, colours[layer]);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

void Crystal(cairo_t* cr, double x, double y, double size, double time, double glow) {
    double pulse = 0.8 + 0.2 * std::sin(time * 4.0);
    cairo_pattern_t* halo = cairo_pattern_create_radial(x, y, size * 0.3, x, y, size * 3.2);
    cairo_pattern_add_color_stop_rgba(halo, 0.0, 1.0, 0.65, 0.2, 0.6 * glow * pulse);
    cairo_pattern_add_color_stop_rgba(halo, 1.0, 1.0, 0.4, 0.1, 0.0);
    cairo_set_source(cr, halo);
    Circle(cr, x, y, size * 3.2);
    cairo_fill(cr);
    cairo_pattern_destroy(halo);
    const double points[6][2] = {{0, -1.25}, {0.62, -0.45}, {0.5, 0.75}, {0, 1.1}, {-0.5, 0.75}, {-0.62, -0.45}};
    for (int i = 0; i < 6; ++i) {
        double px = x + points[i][0] * size, py = y + points[i][1] * size;
        if (i == 0)
            cairo_move_to(cr, px, py);
        else
            cairo_line_to(cr, px, py);
    }
    cairo_close_path(cr);
    FillOutlined(cr, {0.95, 0.42, 0.1}, std::max(2.0, size * 0.12));
    // Facets.
    SetColour(cr, {1.0, 0.75, 0.25});
    cairo_move_to(cr, x, y - 1.25 * size);
    cairo_line_to(cr, x + 0.62 * size, y - 0.45 * size);
    cairo_line_to(cr, x + 0.15 * size, y - 0.1 * size);
    cairo_line_to(cr, x - 0.3 * size, y - 0.45 * size);
    cairo_close_path(cr);
    cairo_fill(cr);
    SetColour(cr, {1.0, 0.97, 0.8}, 0.9);
    Ellipse(cr, x - 0.2 * size, y - 0.55 * size, 0.1 * size, 0.22 * size, 0.5);
    cairo_fill(cr);
    Sparkle(cr, x + size * 0.7 * std::cos(time * 2), y - size * 0.9, size * 0.35 * pulse, {1, 1, 0.8}, glow);
}

void Pedestal(cairo_t* cr, double x, double groundY) {
    cairo_move_to(cr, x - 26, groundY);
    cairo_line_to(cr, x - 18, groundY - 40);
    cairo_line_to(cr, x + 18, groundY - 40);
    cairo_line_to(cr, x + 26, groundY);
    cairo_close_path(cr);
    FillOutlined(cr, {0.6, 0.58, 0.55}, 3.0);
    RoundedRectangle(cr, x - 28, groundY - 50, 56, 12, 4);
    FillOutlined(cr, {0.7, 0.68, 0.64}, 3.0);
}

void Bird(cairo_t* cr, double x, double y, double size, double time) {
    double flap = std::sin(time * 9.0) * size * 0.5;
    cairo_move_to(cr, x - size, y - flap);
    cairo_curve_to(cr, x - size * 0.5, y - size * 0.5, x - size * 0.2, y - size * 0.3, x, y);
    cairo_curve_to(cr, x + size * 0.2, y - size * 0.3, x + size * 0.5, y - size * 0.5, x + size, y - flap);
    SetColour(cr, kOutline);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
}

void Sparkle(cairo_t* cr, double x, double y, double size, Rgb colour, double alpha) {
    if (alpha <= 0.0 || size <= 0.0) return;
    SetColour(cr, colour, std::min(alpha, 1.0));
    cairo_move_to(cr, x, y - size);
    cairo_curve_to(cr, x + size * 0.1, y - size * 0.1, x + size * 0.1, y - size * 0.1, x + size, y);
    cairo_curve_to(cr, x + size * 0.1, y + size * 0.1, x + size * 0.1, y + size * 0.1, x, y + size);
    cairo_curve_to(cr, x - size * 0.1, y + size * 0.1, x - size * 0.1, y + size * 0.1, x - size, y);
    cairo_curve_to(cr, x - size * 0.1, y - size * 0.1, x - size * 0.1, y - size * 0.1, x, y - size);
    cairo_fill(cr);
}

void Firework(cairo_t* cr, double x, double y, double age, Rgb colour) {
    if (age < 0.0 || age > 1.6) return;
    double radius = 90.0 * (1.0 - std::exp(-age * 3.0));
    double alpha = age < 1.0 ? 1.0 : 1.0 - (age - 1.0) / 0.6;
    for (int i = 0; i < 14; ++i) {
        double angle = i * 2.0 * kPi / 14.0;
        double px = x + std::cos(angle) * radius, py = y + std::sin(angle) * radius + age * age * 18.0;
        Sparkle(cr, px, py, 7.0 * (1.2 - age * 0.5), colour, alpha);
        SetColour(cr, colour, alpha * 0.35);
        cairo_set_line_width(cr, 2.0);
        cairo_move_to(cr, x + std::cos(angle) * radius * 0.6, y + std::sin(angle) * radius * 0.6);
        cairo_line_to(cr, px, py);
        cairo_stroke(cr);
    }
}

void Club(cairo_t* cr, double x, double y, double angle, double scale) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, scale, scale);
    // Along +y: handle at 0, heavy knobbed end at about 70.
    cairo_move_to(cr, -4, -8);
    cairo_line_to(cr, 4, -8);
    cairo_curve_to(cr, 6, 20, 14, 40, 14, 58);
    cairo_curve_to(cr, 14, 74, -14, 74, -14, 58);
    cairo_curve_to(cr, -14, 40, -6, 20, -4, -8);
    cairo_close_path(cr);
    FillOutlined(cr, kWood, 3.0);
    SetColour(cr, {0.45, 0.27, 0.12});
    Circle(cr, 5, 50, 3.2);
    Circle(cr, -6, 60, 2.6);
    Circle(cr, 3, 66, 2.2);
    cairo_fill(cr);
    SetColour(cr, {0.78, 0.56, 0.32});
    Ellipse(cr, -6, 44, 2.5, 9, 0.15);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Caveman(cairo_t* cr, double x, double groundY, double scale, const CavemanPose& pose) {
    cairo_save(cr);
    cairo_translate(cr, x, groundY);
    cairo_scale(cr, scale * pose.facing, scale);
    const double swing = pose.walking ? 0.5 * std::sin(2.0 * kPi * pose.walk) : 0.14;  // standing: feet apart
    const double lift = pose.walking ? 3.0 * std::fabs(std::sin(2.0 * kPi * pose.walk)) : 0.0;
    cairo_translate(cr, 0, -pose.bob - lift);
    const double hipY = pose.sitting ? -30.0 : -56.0;

    // Legs, feet pointing forward.
    auto leg = [&](double angle, Rgb shade) {
        double footX, footY;
        if (pose.sitting) {
            Limb(cr, 0, hipY, 22, hipY - 2, 13, shade);
            footX = 26;
            footY = lift + pose.bob;
            Limb(cr, 22, hipY - 2, footX, footY - 6, 12, shade);
        } else {
            footX = std::sin(angle) * 54.0;
            footY = hipY + std::cos(angle) * 54.0;
            Limb(cr, 0, hipY, footX, footY - 5, 13, shade);
        }
        Ellipse(cr, footX + 6, footY - 4, 13, 6.5);
        FillOutlined(cr, Mix(shade, {0.5, 0.3, 0.2}, 0.3), 2.5);
    };
    leg(-swing, Mix(kSkin, {0, 0, 0}, 0.12));

    // The back arm swings against the front leg.
    double backAngle = pose.backArm - (pose.walking ? swing * 0.8 : 0.0);
    double shoulderBackX = -7, shoulderY = -102;
    Limb(cr, shoulderBackX, shoulderY, shoulderBackX + std::sin(backAngle) * 38, shoulderY + std::cos(backAngle) * 38,
         11, Mix(kSkin, {0, 0, 0}, 0.12));
    leg(swing, kSkin);

    // Fur tunic with a ragged hem and one shoulder strap.
    cairo_move_to(cr, -19, -108);
    cairo_curve_to(cr, -26, -90, -26, -70, -24, -52);
    for (int i = 0; i < 6; ++i) {
        cairo_line_to(cr, -24 + i * 8 + 4, -44 - (i % 2) * 2);
        cairo_line_to(cr, -24 + (i + 1) * 8, -52);
    }
    cairo_curve_to(cr, 26, -70, 24, -92, 16, -106);
    cairo_curve_to(cr, 8, -112, -10, -113, -19, -108);
    cairo_close_path(cr);
    FillOutlined(cr, kTunic, 3.0);
    SetColour(cr, kTunicSpot);
    Ellipse(cr, -10, -90, 5, 3.5, 0.4);
    Ellipse(cr, 8, -70, 6, 4, -0.3);
    Ellipse(cr, -12, -62, 4, 3, 0.2);
    Ellipse(cr, 12, -96, 3.5, 2.5, 0.1);
    cairo_fill(cr);
    // Bare shoulder on the front side.
    Ellipse(cr, 9, -104, 9, 7);
    FillOutlined(cr, kSkin, 2.5);

    // Front arm with the club (or the crystal). Raised high it goes behind the head, so it never hides the face.
    const double armLength = 42.0;
    double frontAngle = pose.frontArm + (pose.walking ? swing * 0.8 : 0.0);
    auto frontArm = [&] {
        double shoulderX = 8;
        double handX = shoulderX + std::sin(frontAngle) * armLength,
               handY = shoulderY + std::cos(frontAngle) * armLength;
        if (pose.club) Club(cr, handX, handY, -(frontAngle + pose.clubAngle), 1.0);
        Limb(cr, shoulderX, shoulderY, handX, handY, 11, kSkin);
        Circle(cr, handX, handY, 7);
        FillOutlined(cr, kSkin, 2.5);
        if (pose.crystal) {
            cairo_save(cr);
            cairo_scale(cr, pose.facing, 1.0);  // keep the crystal's sparkle the same way round
            Crystal(cr, handX * pose.facing, handY - 22, 17, pose.walk, 1.0);
            cairo_restore(cr);
        }
    };
    const bool armBehindHead = frontAngle > 1.9;
    if (armBehindHead) frontArm();

    // Head: hair behind, face, fringe in front.
    const double headX = 4, headY = -128;
    const double hairBlobs[6][3] = {{-10, -140, 13}, {2, -150, 12},  {14, -146, 10},
                                    {-18, -128, 10}, {-14, -116, 8}, {-4, -146, 11}};
    for (const auto& b : hairBlobs) Circle(cr, b[0], b[1], b[2]);
    cairo_set_line_width(cr, 5.0);
    SetColour(cr, kOutline);
    cairo_stroke_preserve(cr);
    SetColour(cr, kHair);
    cairo_fill(cr);
    Circle(cr, headX, headY, 20);
    FillOutlined(cr, kSkin, 3.0);
    // Stubbly jaw.
    cairo_move_to(cr, -12, -118);
    cairo_curve_to(cr, -6, -104, 18, -104, 24, -116);
    cairo_curve_to(cr, 18, -111, -2, -110, -12, -118);
    cairo_close_path(cr);
    SetColour(cr, Mix(kSkin, kHair, 0.35));
    cairo_fill(cr);
    // Fringe.
    cairo_move_to(cr, -14, -140);
    for (int i = 0; i < 5; ++i) {
        cairo_line_to(cr, -10 + i * 7, -134 + (i % 2) * 3);
        cairo_line_to(cr, -6 + i * 7, -144);
    }
    cairo_curve_to(cr, 14, -154, -8, -156, -14, -140);
    cairo_close_path(cr);
    FillOutlined(cr, kHair, 2.0);
    // Eye and brow.
    const double eyeX = 13, eyeY = -128;
    if (pose.blink) {
        cairo_move_to(cr, eyeX - 5, eyeY);
        cairo_line_to(cr, eyeX + 5, eyeY);
        SetColour(cr, kOutline);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    } else {
        double eyeSize = pose.face == 2 ? 7.5 : 6.0;
        Ellipse(cr, eyeX, eyeY, eyeSize * 0.8, eyeSize);
        FillOutlined(cr, {1, 1, 1}, 2.0);
        Circle(cr, eyeX + 2, eyeY + 0.5, pose.face == 2 ? 2.2 : 2.8);
        SetColour(cr, kOutline);
        cairo_fill(cr);
    }
    SetColour(cr, kHair);
    cairo_set_line_width(cr, 4.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (pose.face == 1) {
        cairo_move_to(cr, eyeX - 7, eyeY - 12);
        cairo_line_to(cr, eyeX + 7, eyeY - 7);
    } else if (pose.face == 2) {
        cairo_move_to(cr, eyeX - 7, eyeY - 13);
        cairo_curve_to(cr, eyeX - 3, eyeY - 18, eyeX + 3, eyeY - 18, eyeX + 7, eyeY - 14);
    } else {
        cairo_move_to(cr, eyeX - 7, eyeY - 10);
        cairo_curve_to(cr, eyeX - 3, eyeY - 13, eyeX + 3, eyeY - 13, eyeX + 7, eyeY - 10);
    }
    cairo_stroke(cr);
    // Nose and mouth.
    Ellipse(cr, 24, -122, 6.5, 5.5);
    FillOutlined(cr, Mix(kSkin, {0.9, 0.4, 0.3}, 0.2), 2.5);
    SetColour(cr, kOutline);
    cairo_set_line_width(cr, 2.5);
    if (pose.face == 2) {
        Ellipse(cr, 15, -111, 3.5, 4.5);
        cairo_fill(cr);
    } else if (pose.face == 1) {
        cairo_move_to(cr, 9, -111);
        cairo_line_to(cr, 20, -113);
        cairo_stroke(cr);
    } else {
        cairo_move_to(cr, 8, -114);
        cairo_curve_to(cr, 11, -108, 18, -108, 21, -113);
        cairo_stroke(cr);
    }
    // Ear.
    Ellipse(cr, -5, -126, 4.5, 6);
    FillOutlined(cr, kSkin, 2.0);
    if (!armBehindHead) frontArm();

    cairo_restore(cr);
}

void Pterodactyl(cairo_t* cr, double x, double y, double scale, double flap, double facing, bool carrying, double time,
                 bool dizzy) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale * facing, scale);
    const double f = std::sin(2.0 * kPi * flap);
    const Rgb skin{0.42, 0.52, 0.33}, membrane{0.55, 0.33, 0.52}, farMembrane{0.42, 0.24, 0.40};
    auto wing = [&](double lift, double shift, Rgb colour) {
        double tipX = -78 + shift, tipY = -80 * lift - 6;
        double elbowX = -22 + shift * 0.5, elbowY = -36 * lift - 14;
        cairo_move_to(cr, 8, -8);
        cairo_curve_to(cr, -4, -14 - 10 * lift, elbowX + 8, elbowY, elbowX, elbowY);
        cairo_line_to(cr, tipX, tipY);
        cairo_curve_to(cr, tipX + 20, tipY * 0.4 + 10, -30, 6, -22, 6);
        cairo_close_path(cr);
        FillOutlined(cr, colour, 3.0);
        SetColour(cr, Mix(colour, {0, 0, 0}, 0.25));
        cairo_set_line_width(cr, 2.0);
        cairo_move_to(cr, elbowX, elbowY);
        cairo_line_to(cr, -26, 4);
        cairo_stroke(cr);
    };
    wing(f * 0.9 + 0.1, 14, farMembrane);
    // Tail.
    cairo_move_to(cr, -30, 2);
    cairo_curve_to(cr, -50, 6, -60, 4, -70, 12);
    SetColour(cr, kOutline);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    cairo_move_to(cr, -70, 6);
    cairo_line_to(cr, -78, 14);
    cairo_line_to(cr, -68, 18);
    cairo_close_path(cr);
    FillOutlined(cr, membrane, 2.0);
    // Feet.
    Limb(cr, -6, 10, -2, 26, 4, skin);
    Limb(cr, 6, 10, 8, 26, 4, skin);
    if (carrying) Crystal(cr, 3, 38, 14, time, 0.8);
    // Body, neck and head.
    Ellipse(cr, 0, 0, 36, 14, -0.1);
    FillOutlined(cr, skin, 3.0);
    Ellipse(cr, 2, 6, 22, 6, -0.1);
    SetColour(cr, {0.72, 0.74, 0.5});
    cairo_fill(cr);
    Limb(cr, 26, -6, 46, -16, 9, skin);
    cairo_move_to(cr, 46, -28);
    cairo_line_to(cr, 18, -44);
    cairo_line_to(cr, 40, -14);
    cairo_close_path(cr);
    FillOutlined(cr, membrane, 2.5);
    Ellipse(cr, 50, -18, 13, 9, -0.15);
    FillOutlined(cr, skin, 3.0);
    cairo_move_to(cr, 58, -24);
    cairo_line_to(cr, 104, -12);
    cairo_line_to(cr, 58, -11);
    cairo_close_path(cr);
    FillOutlined(cr, {0.92, 0.8, 0.45}, 2.5);
    Circle(cr, 53, -21, 4.0);
    FillOutlined(cr, {1.0, 0.95, 0.5}, 1.5);
    if (dizzy) {
        SetColour(cr, kOutline);
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, 51, -23);
        cairo_line_to(cr, 55, -19);
        cairo_move_to(cr, 55, -23);
        cairo_line_to(cr, 51, -19);
        cairo_stroke(cr);
    } else {
        Circle(cr, 54, -21, 1.8);
        SetColour(cr, {0.7, 0.05, 0.05});
        cairo_fill(cr);
        // A mean brow.
        SetColour(cr, kOutline);
        cairo_set_line_width(cr, 2.5);
        cairo_move_to(cr, 47, -28);
        cairo_line_to(cr, 59, -24);
        cairo_stroke(cr);
    }
    wing(f, 0, membrane);
    if (dizzy) {
        for (int i = 0; i < 3; ++i) {
            double angle = time * 5.0 + i * 2.0 * kPi / 3.0;
            Sparkle(cr, 50 + std::cos(angle) * 22, -42 + std::sin(angle) * 7, 6, {1.0, 0.9, 0.2}, 1.0);
        }
    }
    cairo_restore(cr);
}

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
