// Coins and meat.
#include "PropArt.h"

#include <cmath>

namespace art {

void DrawCoin(cairo_t* cr, const Palette& pal, const std::string& metal, Pt c, double r, double turn) {
    const std::string n = "coin." + metal;
    const Colour line = pal["outline"];
    const double lw = std::max(1.2, r * 0.12);
    double squeeze = std::cos(2 * M_PI * turn);
    double sx = std::max(0.12, std::fabs(squeeze));
    bool back = squeeze < 0;
    // The edge shows as a band beside the face while the coin is turned.
    double edge = r * 0.22 * std::sqrt(std::max(0.0, 1 - sx * sx));
    Ink rim{pal[n + ".shade"], pal[n + ".shade"].Darker(0.25), line, lw};
    if (edge > 0.3) {
        Shaded(
            cr, [&](cairo_t* k) { EllipsePath(k, c.x + edge * 0.6, c.y, r * sx + edge, r, 0); }, rim, 0.5, 0.5);
    }
    Ink face{pal[n], pal[n + ".shade"], line, lw};
    auto disc = [&](cairo_t* k) { EllipsePath(k, c.x - edge * 0.4, c.y, r * sx, r, 0); };
    Shaded(cr, disc, face, r * 0.14, r * 0.14);
    cairo_save(cr);
    cairo_new_path(cr);
    disc(cr);
    cairo_clip(cr);
    cairo_translate(cr, c.x - edge * 0.4, c.y);
    cairo_scale(cr, sx, 1);
    // An inner rim and a footprint of a three-toed beast struck into the face.
    Stroke(
        cr, [&](cairo_t* k) { CirclePath(k, 0, 0, r * 0.72); }, pal[n + ".shade"], std::max(1.0, r * 0.09));
    if (!back) {
        Colour mark = pal[n + ".shade"].Darker(0.1);
        Filled(
            cr, [&](cairo_t* k) { EllipsePath(k, 0, r * 0.18, r * 0.22, r * 0.2, 0); }, mark);
        for (int i = -1; i <= 1; ++i) {
            Filled(
                cr,
                [&](cairo_t* k) {
                    EllipsePath(k, i * r * 0.24, -r * 0.2 - (i == 0) * r * 0.08, r * 0.1, r * 0.16, i * 20);
                },
                mark);
        }
    }
    // A glint.
    Filled(
        cr, [&](cairo_t* k) { EllipsePath(k, -r * 0.42, -r * 0.42, r * 0.18, r * 0.1, -45); }, pal[n + ".shine"]);
    cairo_restore(cr);
    Stroke(cr, disc, line, lw);
}

void DrawMeat(cairo_t* cr, const Palette& pal, Pt c, double s, double angleDeg, bool big) {
    const Colour line = pal["outline"];
    const double lw = std::max(1.1, s * 0.05);
    cairo_save(cr);
    cairo_translate(cr, c.x, c.y);
    cairo_rotate(cr, Radians(angleDeg));
    double u = s / 32.0;
    Ink bone{pal["bone"], pal["bone.shade"], line, lw};
    Ink meat{pal["meat"], pal["meat.shade"], line, lw};
    auto knobs = [&](Pt end, double dir) {
        Pt side{-dir * 2.0 * u, 2.0 * u};
        Shaded(
            cr,
            [&](cairo_t* k) {
                CirclePath(k, end.x + side.x, end.y - side.y, 2.9 * u);
                CirclePath(k, end.x - side.x, end.y + side.y, 2.9 * u);
            },
            bone, 0.6 * u, 0.6 * u);
    };
    if (big) {
        // A whole roast with the bone right through it.
        Tube(cr, {{-14 * u, 8 * u}, {14 * u, -8 * u}}, 2.3 * u, bone);
        knobs({-14.5 * u, 8.5 * u}, -1);
        knobs({14.5 * u, -8.5 * u}, 1);
        auto body = [&](cairo_t* k) { EllipsePath(k, 0, 0, 11.5 * u, 8.5 * u, -30); };
        Shaded(cr, body, meat, 2.2 * u, 2.2 * u);
        Stroke(
            cr,
            [&](cairo_t* k) {
                cairo_move_to(k, -7 * u, 5 * u);
                cairo_curve_to(k, -3 * u, 1 * u, 2 * u, -1 * u, 6 * u, -6 * u);
            },
            pal["meat.fat"], 1.4 * u);
        Filled(
            cr, [&](cairo_t* k) { EllipsePath(k, -4 * u, -3 * u, 3.4 * u, 1.7 * u, -30); }, pal["meat.shine"]);
        cairo_restore(cr);
        return;
    }
    // A drumstick: the bone sticks out of the meat, with two knobs at its end.
    Tube(cr, {{2 * u, -2 * u}, {9 * u, -9 * u}}, 2.2 * u, bone);
    knobs({10.5 * u, -10.5 * u}, 1);
    auto body = [&](cairo_t* k) {
        std::vector<Pt> p = {{4 * u, -4 * u},  {2 * u, 3 * u},   {-5 * u, 9 * u}, {-11 * u, 8 * u},
                             {-12 * u, 1 * u}, {-7 * u, -6 * u}, {-1 * u, -8 * u}};
        SmoothPath(k, p, true, 1.0);
    };
    Shaded(cr, body, meat, 2.2 * u, 2.2 * u);
    Filled(
        cr, [&](cairo_t* k) { EllipsePath(k, -6 * u, -1 * u, 3.2 * u, 1.6 * u, -40); }, pal["meat.shine"]);
    cairo_restore(cr);
}

}  // namespace art
