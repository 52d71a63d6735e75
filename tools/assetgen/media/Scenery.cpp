// Scenery for the video pictures: sky, sun, clouds, hills, plants, the cave, the volcano, fire and the crystal.
#include "Scenery.h"

#include <algorithm>
#include <cmath>

#include "Dsp.h"

namespace media::cartoon {
namespace {

const Rgb kWood{0.62, 0.40, 0.20};

}  // namespace

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

}  // namespace media::cartoon
