// Shapes shared by the worlds' pictures.
#include "Shapes.h"

#include <algorithm>
#include <cmath>

namespace scenery {

std::vector<Pt> LumpPoints(double cx, double cy, double rx, double ry, int n, double wobble, uint64_t seed) {
    Rng rng(seed);
    std::vector<Pt> pts;
    for (int i = 0; i < n; ++i) {
        double a = 2 * M_PI * i / n;
        double k = 1.0 + rng.Uniform(-wobble, wobble);
        pts.push_back({cx + std::cos(a) * rx * k, cy + std::sin(a) * ry * k});
    }
    return pts;
}

void VerticalGradient(cairo_t* cr, double y0, double y1, const Colour& top, const Colour& bottom, double x0,
                      double width) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r / 255.0, top.g / 255.0, top.b / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r / 255.0, bottom.g / 255.0, bottom.b / 255.0);
    cairo_rectangle(cr, x0, y0, width, y1 - y0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

Range MakeRange(Rng& rng, double x0, double x1, double base, double topMin, double topMax, double spacing) {
    Range r;
    r.outline.push_back({x0, base});
    double x = x0 + rng.Uniform(0.2, 0.6) * spacing;
    while (x < x1) {
        Pt peak{x, rng.Uniform(topMin, topMax)};
        double next = x + spacing * rng.Uniform(0.7, 1.3);
        Pt valley{(x + next) / 2 + rng.Uniform(-0.15, 0.15) * spacing,
                  std::min(base, peak.y + (base - peak.y) * rng.Uniform(0.35, 0.8))};
        // A shoulder halfway up each slope keeps the ridges from looking like a saw.
        Pt prev = r.outline.back();
        Pt s1 = Lerp(prev, peak, 0.55) + Pt{rng.Uniform(-6, 6), rng.Uniform(-10, 4)};
        Pt s2 = Lerp(peak, valley, 0.45) + Pt{rng.Uniform(-6, 6), rng.Uniform(-4, 10)};
        r.outline.push_back(s1);
        r.outline.push_back(peak);
        r.outline.push_back(s2);
        r.outline.push_back(valley);
        r.peaks.push_back(peak);
        r.valleys.push_back(valley);
        x = next;
    }
    r.outline.push_back({x1, r.outline.back().y});
    r.outline.push_back({x1, base});
    return r;
}

void DrawRange(cairo_t* cr, const Range& r, double bottom, const Ink& ink, const Colour& snow, const Colour& snowShade,
               double snowLine, uint64_t seed) {
    auto body = [&](cairo_t* c) {
        PolyPath(c, r.outline, false);
        cairo_line_to(c, r.outline.back().x, bottom);
        cairo_line_to(c, r.outline.front().x, bottom);
        cairo_close_path(c);
    };
    Filled(cr, body, ink.base);
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    Rng rng(seed);
    for (size_t i = 0; i < r.peaks.size(); ++i) {
        const Pt p = r.peaks[i], v = r.valleys[i];
        // The face turned away from the light.
        std::vector<Pt> face = {p, v, {v.x, bottom}, {p.x + (v.x - p.x) * 0.15, bottom}};
        Filled(
            cr, [&](cairo_t* c) { PolyPath(c, face, true); }, ink.shade);
        if (snowLine > 0) {
            const double drop = (v.y - p.y) * snowLine;
            const double half = drop * 0.9;
            std::vector<Pt> cap = {{p.x - half * 1.1, p.y + drop}};
            int n = 5;
            for (int k = 1; k < n; ++k) {
                double t = double(k) / n;
                double x = p.x - half * 1.1 + t * half * 2.2;
                double y = p.y + drop * (k % 2 ? rng.Uniform(0.55, 0.8) : rng.Uniform(1.0, 1.3));
                cap.push_back({x, y});
            }
            cap.push_back({p.x + half * 1.1, p.y + drop});
            cap.push_back({p.x, p.y - 40});
            Filled(
                cr, [&](cairo_t* c) { PolyPath(c, cap, true); }, snow);
            // The snow's shaded side, inside the mountain's shaded face.
            cairo_save(cr);
            cairo_new_path(cr);
            PolyPath(cr, cap, true);
            cairo_clip(cr);
            Filled(
                cr, [&](cairo_t* c) { PolyPath(c, face, true); }, snowShade);
            cairo_restore(cr);
        }
    }
    cairo_restore(cr);
    if (ink.width > 0)
        Stroke(
            cr, [&](cairo_t* c) { PolyPath(c, r.outline, false); }, ink.line, ink.width);
}

std::vector<Pt> HillLine(Rng& rng, double x0, double x1, double base, double amp, double spacing) {
    std::vector<Pt> pts;
    for (double x = x0 - spacing; x <= x1 + spacing; x += spacing * rng.Uniform(0.7, 1.3)) {
        pts.push_back({x, base + rng.Uniform(-amp, amp)});
    }
    return pts;
}

void DrawHills(cairo_t* cr, const std::vector<Pt>& line, double bottom, const Ink& ink, double shadeShift) {
    auto path = [&](cairo_t* c) {
        SmoothPath(c, line, false);
        cairo_line_to(c, line.back().x, bottom + 20);
        cairo_line_to(c, line.front().x, bottom + 20);
        cairo_close_path(c);
    };
    Ink in = ink;
    in.width = 0;
    Shaded(cr, path, in, shadeShift, -shadeShift * 0.6);
    if (ink.width > 0)
        Stroke(
            cr, [&](cairo_t* c) { SmoothPath(c, line, false); }, ink.line, ink.width);
}

void Cloud(cairo_t* cr, double cx, double cy, double width, const Ink& ink, uint64_t seed) {
    Rng rng(seed);
    const int n = 4 + int(width / 60);
    std::vector<Pt> puffs;
    std::vector<double> radii;
    for (int i = 0; i < n; ++i) {
        double t = (i + 0.5) / n;
        double x = cx - width / 2 + t * width;
        double r = width / n * rng.Uniform(0.75, 1.1) * (1.0 - 0.6 * std::abs(t - 0.5));
        puffs.push_back({x, cy - r * rng.Uniform(0.3, 0.8)});
        radii.push_back(r);
    }
    auto path = [&](cairo_t* c) {
        for (size_t i = 0; i < puffs.size(); ++i) CirclePath(c, puffs[i].x, puffs[i].y, radii[i]);
        RoundRectPath(c, cx - width / 2, cy - width * 0.08, width, width * 0.16, width * 0.08);
    };
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    Stroke(cr, path, ink.line, ink.width * 2);
    Filled(cr, path, ink.shade);
    cairo_save(cr);
    cairo_translate(cr, -width * 0.02, -width * 0.05);
    Filled(cr, path, ink.base);
    cairo_restore(cr);
}

void Smoke(cairo_t* cr, double cx, double cy, double width, double height, const Ink& ink, uint64_t seed) {
    Rng rng(seed);
    std::vector<Pt> puffs;
    std::vector<double> radii;
    double y = cy, x = cx;
    while (y > cy - height) {
        double t = (cy - y) / height;
        double r = width * (0.25 + 0.35 * t) * rng.Uniform(0.8, 1.15);
        puffs.push_back({x + rng.Uniform(-r, r) * 0.4, y});
        radii.push_back(r);
        y -= r * rng.Uniform(0.7, 1.0);
        x += rng.Uniform(-0.2, 0.5) * r;
    }
    auto path = [&](cairo_t* c) {
        for (size_t i = 0; i < puffs.size(); ++i) CirclePath(c, puffs[i].x, puffs[i].y, radii[i]);
    };
    Stroke(cr, path, ink.line, ink.width * 2);
    Filled(cr, path, ink.shade);
    cairo_save(cr);
    cairo_new_path(cr);
    path(cr);
    cairo_clip(cr);
    for (size_t i = 0; i < puffs.size(); ++i) {
        Filled(
            cr,
            [&](cairo_t* c) {
                CirclePath(c, puffs[i].x - radii[i] * 0.22, puffs[i].y - radii[i] * 0.22, radii[i] * 0.78);
            },
            ink.base);
    }
    cairo_restore(cr);
}

void Frond(cairo_t* cr, Pt a, double length, double deg, double bend, double leaflet, const Ink& leaf) {
    // The spine: a gentle curve; leaflets on both sides shrink toward the tip.
    std::vector<Pt> spine;
    const int n = std::max(4, int(length / std::max(3.0, leaflet * 0.8)));
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        spine.push_back(Dir(a, length * t, deg + bend * t * t));
    }
    Ink thin = leaf;
    for (int i = 1; i < n; ++i) {
        double t = double(i) / n;
        double heading = deg + bend * t * t;
        double size = leaflet * (1.0 - 0.7 * t);
        for (int side : {-1, 1}) {
            Pt b = Dir(spine[i], size, heading + side * 55);
            auto path = [&](cairo_t* c) { Spike(c, spine[i], b, size * 0.55, side * size * 0.15); };
            Shaded(cr, path, thin, 0.6, 0.6);
        }
    }
    Stroke(
        cr, [&](cairo_t* c) { SmoothPath(c, spine, false); }, leaf.line, std::min(3.5, std::max(1.2, leaflet * 0.28)));
    Stroke(
        cr, [&](cairo_t* c) { SmoothPath(c, spine, false); }, leaf.shade, std::min(1.5, std::max(0.5, leaflet * 0.12)));
}

void Fern(cairo_t* cr, Pt base, double size, int fronds, double spreadDeg, const Ink& leaf, uint64_t seed) {
    Rng rng(seed);
    for (int i = 0; i < fronds; ++i) {
        double t = fronds == 1 ? 0.5 : double(i) / (fronds - 1);
        double deg = -spreadDeg / 2 + t * spreadDeg + rng.Uniform(-6, 6);
        double len = size * rng.Uniform(0.75, 1.0) * (1.0 - 0.25 * std::abs(t - 0.5) * 2);
        Frond(cr, base, len, deg, deg * 0.9 + (deg >= 0 ? 25 : -25), size * 0.16, leaf);
    }
}

void Palm(cairo_t* cr, Pt base, double h, double lean, const Ink& trunk, const Ink& leaf, const Ink& nut,
          uint64_t seed) {
    Rng rng(seed);
    const Pt top{base.x + lean, base.y - h};
    const Pt mid{base.x + lean * 0.2, base.y - h * 0.5};
    std::vector<Pt> spine = {base, mid, top};
    const double w = std::max(5.0, h * 0.07);
    // Trunk: a tapering band with ring marks.
    std::vector<Pt> left, right;
    const int n = 16;
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        Pt p{base.x + lean * (0.2 * 2 * t * (1 - t) + t * t), base.y - h * t};
        double ww = w * (1.0 - 0.35 * t);
        left.push_back({p.x - ww / 2, p.y});
        right.push_back({p.x + ww / 2, p.y});
    }
    std::vector<Pt> body = left;
    body.insert(body.end(), right.rbegin(), right.rend());
    auto bodyPath = [&](cairo_t* c) { PolyPath(c, body, true); };
    Shaded(cr, bodyPath, trunk, w * 0.3, 0);
    cairo_save(cr);
    cairo_new_path(cr);
    bodyPath(cr);
    cairo_clip(cr);
    for (int i = 1; i < n; ++i) {
        Stroke(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, left[i].x - 1, left[i].y);
                cairo_curve_to(c, left[i].x + 2, left[i].y + 3, right[i].x - 2, right[i].y + 3, right[i].x + 1,
                               right[i].y);
            },
            trunk.line, 1.0);
    }
    cairo_restore(cr);
    // Crown: drooping leaves all round, then the nuts.
    const int fronds = 7;
    for (int i = 0; i < fronds; ++i) {
        double deg = -120 + 240.0 * i / (fronds - 1) + rng.Uniform(-8, 8);
        double len = h * rng.Uniform(0.24, 0.32);
        double droop = deg < 0 ? -rng.Uniform(40, 70) : rng.Uniform(40, 70);
        if (std::abs(deg) < 30) droop *= 0.5;
        PalmLeaf(cr, top, len, deg, droop, len * 0.15, leaf);
    }
    for (int i = 0; i < 3; ++i) {
        Ink in = nut;
        const double r = std::min(w * 0.45, 9.0);
        Shaded(
            cr, [&](cairo_t* c) { CirclePath(c, top.x + (i - 1) * r * 1.3, top.y + r * (1 + (i % 2) * 0.6), r); }, in,
            r * 0.2, r * 0.2);
    }
}

void PalmLeaf(cairo_t* cr, Pt a, double len, double deg, double droop, double width, const Ink& ink) {
    const int n = 14;
    std::vector<Pt> spine;
    std::vector<Pt> normals;
    Pt p = a;
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        double heading = deg + droop * t * t * 1.6;
        spine.push_back(p);
        Pt d = Dir({0, 0}, 1, heading);
        normals.push_back({-d.y, d.x});
        p = Dir(p, len / n, heading);
    }
    // One edge smooth, the other cut into teeth; widest a third of the way along.
    std::vector<Pt> edge;
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        double ww = width * std::sin(std::min(1.0, t * 1.5) * M_PI * 0.5) * (1.0 - t * 0.85) + 0.5;
        edge.push_back(spine[i] + normals[i] * ww);
    }
    for (int i = n; i >= 0; --i) {
        double t = double(i) / n;
        double ww = width * std::sin(std::min(1.0, t * 1.5) * M_PI * 0.5) * (1.0 - t * 0.85) + 0.5;
        edge.push_back(spine[i] - normals[i] * ww * (i % 2 ? 0.45 : 1.0));
    }
    Shaded(
        cr, [&](cairo_t* c) { PolyPath(c, edge, true); }, ink, width * 0.18, width * 0.18);
    Stroke(
        cr, [&](cairo_t* c) { SmoothPath(c, spine, false); }, ink.shade, std::max(1.0, width * 0.12));
}

void LeafBall(cairo_t* cr, Pt c, double rx, double ry, const Ink& ink, uint64_t seed) {
    auto pts = LumpPoints(c.x, c.y, rx, ry, 11, 0.18, seed);
    auto path = [&](cairo_t* cc) { SmoothPath(cc, pts, true); };
    Shaded(cr, path, ink, rx * 0.18, ry * 0.22);
    // A few leaf marks on the lit side.
    Rng rng(seed + 7);
    for (int i = 0; i < 4; ++i) {
        double a = rng.Uniform(-2.6, -0.6);
        Pt p{c.x + std::cos(a) * rx * 0.55, c.y + std::sin(a) * ry * 0.55};
        Stroke(
            cr, [&](cairo_t* cc) { cairo_arc(cc, p.x, p.y, rx * 0.16, 0.3, 2.6); }, ink.shade,
            std::max(1.0, ink.width * 0.8));
    }
}

void Flower(cairo_t* cr, Pt c, double r, const Colour& petal, const Colour& heart, const Colour& line) {
    for (int i = 0; i < 5; ++i) {
        Pt p = Dir(c, r * 0.6, i * 72);
        Filled(
            cr, [&](cairo_t* cc) { CirclePath(cc, p.x, p.y, r * 0.5); }, line);
    }
    for (int i = 0; i < 5; ++i) {
        Pt p = Dir(c, r * 0.6, i * 72);
        Filled(
            cr, [&](cairo_t* cc) { CirclePath(cc, p.x, p.y, r * 0.5 - 1); }, petal);
    }
    Filled(
        cr, [&](cairo_t* cc) { CirclePath(cc, c.x, c.y, r * 0.32); }, heart);
}

void Boulder(cairo_t* cr, double cx, double ground, double rx, double ry, const Ink& ink, uint64_t seed) {
    auto pts = LumpPoints(cx, ground - ry, rx, ry, 9, 0.12, seed);
    for (Pt& p : pts) p.y = std::min(p.y, ground - 0.5);
    auto path = [&](cairo_t* c) { SmoothPath(c, pts, true, 0.9); };
    Shaded(cr, path, ink, rx * 0.22, ry * 0.25);
    // A crack and a highlight.
    Rng rng(seed);
    Pt a{cx + rx * rng.Uniform(-0.1, 0.3), ground - ry * 1.7};
    Stroke(
        cr,
        [&](cairo_t* c) {
            PolyPath(c, {a, a + Pt{rx * 0.12, ry * 0.25}, a + Pt{rx * 0.04, ry * 0.45}}, false);
        },
        ink.line, std::max(1.0, ink.width * 0.7));
    Filled(
        cr, [&](cairo_t* c) { EllipsePath(c, cx - rx * 0.45, ground - ry * 1.45, rx * 0.16, ry * 0.09, -30); },
        ink.base.Lighter(0.35));
}

void Bone(cairo_t* cr, Pt a, Pt b, double r, const Ink& ink) {
    Pt d = b - a;
    double len = std::hypot(d.x, d.y);
    Pt n{-d.y / len * r * 0.75, d.x / len * r * 0.75};
    auto path = [&](cairo_t* c) {
        CirclePath(c, a.x + n.x, a.y + n.y, r);
        CirclePath(c, a.x - n.x, a.y - n.y, r);
        CirclePath(c, b.x + n.x, b.y + n.y, r);
        CirclePath(c, b.x - n.x, b.y - n.y, r);
        PolyPath(c, {a + n * 0.8, b + n * 0.8, b - n * 0.8, a - n * 0.8}, true);
    };
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    Stroke(cr, path, ink.line, ink.width * 2);
    Filled(cr, path, ink.shade);
    cairo_save(cr);
    cairo_translate(cr, -r * 0.2, -r * 0.25);
    cairo_scale(cr, 1, 1);
    Filled(
        cr,
        [&](cairo_t* c) {
            CirclePath(c, a.x + n.x, a.y + n.y, r * 0.8);
            CirclePath(c, b.x + n.x, b.y + n.y, r * 0.8);
            PolyPath(c, {a + n * 0.7, b + n * 0.7, b - n * 0.3, a - n * 0.3}, true);
        },
        ink.base);
    cairo_restore(cr);
}

void Skull(cairo_t* cr, Pt c, double size, int dir, const Ink& ink, const Colour& hole) {
    cairo_save(cr);
    cairo_translate(cr, c.x, c.y);
    cairo_scale(cr, dir * size / 40.0, size / 40.0);
    // A long-snouted skull, 40 units long, resting on its jaw at y = 0.
    std::vector<Pt> head = {{-20, 0}, {-22, -10}, {-16, -20}, {-4, -22}, {8, -17}, {20, -12}, {22, -6}, {18, 0}};
    Ink in = ink;
    in.width = ink.width * 40.0 / size;
    Shaded(
        cr, [&](cairo_t* cc) { SmoothPath(cc, head, true, 0.8); }, in, 2.5, 2.5);
    Filled(
        cr, [&](cairo_t* cc) { EllipsePath(cc, -8, -12, 5, 4.5); }, hole);
    Filled(
        cr, [&](cairo_t* cc) { EllipsePath(cc, 14, -9, 2, 1.5); }, hole);
    for (int i = 0; i < 4; ++i) {
        double x = 0 + i * 5;
        Filled(
            cr,
            [&](cairo_t* cc) {
                PolyPath(cc, {{x, -1}, {x + 3, -1}, {x + 1.5, -4.5}}, true);
            },
            ink.line);
    }
    Stroke(
        cr,
        [&](cairo_t* cc) {
            PolyPath(cc, {{-12, -2}, {18, -2}}, false);
        },
        ink.line, in.width * 0.8);
    cairo_restore(cr);
}

void Tusk(cairo_t* cr, Pt a, double len, double deg, double curl, double width, const Ink& ink) {
    std::vector<Pt> l, r;
    const int n = 12;
    Pt p = a;
    double heading = deg;
    std::vector<Pt> spine;
    for (int i = 0; i <= n; ++i) {
        spine.push_back(p);
        p = Dir(p, len / n, heading);
        heading += curl / n;
    }
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        Pt q = spine[std::min(i + 1, n)] - spine[std::max(i - 1, 0)];
        double ql = std::hypot(q.x, q.y);
        Pt nn{-q.y / ql, q.x / ql};
        double ww = width * (1.0 - 0.85 * t) / 2;
        l.push_back(spine[i] + nn * ww);
        r.push_back(spine[i] - nn * ww);
    }
    std::vector<Pt> body = l;
    body.insert(body.end(), r.rbegin(), r.rend());
    Shaded(
        cr, [&](cairo_t* c) { SmoothPath(c, body, true, 0.6); }, ink, width * 0.15, width * 0.15);
}

void Cone(cairo_t* cr, Pt base, double len, double width, double deg, const Ink& ink, double wobble, uint64_t seed) {
    Rng rng(seed);
    Pt tip = Dir(base, len, deg);
    Pt side = Dir({0, 0}, width / 2, deg + 90);
    std::vector<Pt> pts;
    const int n = 4;
    // Left side down to the tip, then back up the right side, with a little wobble.
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        Pt p = Lerp(base + side, tip, t);
        if (i > 0 && i < n) p = p + Dir({0, 0}, rng.Uniform(-wobble, wobble) * width, deg + 90);
        pts.push_back(p);
    }
    for (int i = n - 1; i >= 0; --i) {
        double t = double(i) / n;
        Pt p = Lerp(base - side, tip, t);
        if (i > 0) p = p + Dir({0, 0}, rng.Uniform(-wobble, wobble) * width, deg + 90);
        pts.push_back(p);
    }
    auto path = [&](cairo_t* c) { SmoothPath(c, pts, true, 0.5); };
    Shaded(cr, path, ink, width * 0.25, width * 0.1);
}

void Crystal(cairo_t* cr, Pt base, double len, double width, double deg, const Ink& ink, const Colour& shine) {
    Pt tip = Dir(base, len, deg);
    Pt shoulderL = Dir(base, len * 0.75, deg) + Dir({0, 0}, width / 2, deg - 90);
    Pt shoulderR = Dir(base, len * 0.75, deg) + Dir({0, 0}, width / 2, deg + 90);
    Pt baseL = base + Dir({0, 0}, width / 2, deg - 90);
    Pt baseR = base + Dir({0, 0}, width / 2, deg + 90);
    std::vector<Pt> body = {baseL, shoulderL, tip, shoulderR, baseR};
    Filled(
        cr, [&](cairo_t* c) { PolyPath(c, body, true); }, ink.base);
    Pt midBase = Lerp(baseL, baseR, 0.55), midShoulder = Lerp(shoulderL, shoulderR, 0.55);
    Filled(
        cr,
        [&](cairo_t* c) {
            PolyPath(c, {midBase, midShoulder, tip, shoulderR, baseR}, true);
        },
        ink.shade);
    Filled(
        cr,
        [&](cairo_t* c) {
            PolyPath(c,
                     {Lerp(baseL, midBase, 0.3), Lerp(shoulderL, midShoulder, 0.3), Lerp(shoulderL, tip, 0.3),
                      Lerp(shoulderL, midShoulder, 0.6), Lerp(baseL, midBase, 0.6)},
                     true);
        },
        shine);
    Stroke(
        cr, [&](cairo_t* c) { PolyPath(c, body, true); }, ink.line, ink.width);
}

void Pillar(cairo_t* cr, double x, double y0, double y1, double w, double waist, const Ink& ink, uint64_t seed) {
    Rng rng(seed);
    std::vector<Pt> l, r;
    const int n = 10;
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        double k = 1.0 - (1.0 - waist) * std::sin(t * M_PI);
        double ww = w * k / 2 * rng.Uniform(0.92, 1.08);
        double y = y0 + (y1 - y0) * t;
        double cx = x + std::sin(t * 5 + seed) * w * 0.06;
        l.push_back({cx - ww, y});
        r.push_back({cx + ww, y});
    }
    std::vector<Pt> body = l;
    body.insert(body.end(), r.rbegin(), r.rend());
    Ink in = ink;
    Shaded(
        cr, [&](cairo_t* c) { SmoothPath(c, body, true, 0.7); }, in, -w * 0.28, 0);
    // Drip ridges down the lit side.
    for (int k = 0; k < 2; ++k) {
        std::vector<Pt> ridge;
        for (int i = 1; i < n; ++i) ridge.push_back(Lerp(l[i], r[i], 0.25 + 0.3 * k));
        Stroke(
            cr, [&](cairo_t* c) { SmoothPath(c, ridge, false); }, k == 0 ? ink.base.Lighter(0.2) : ink.shade, 1.5);
    }
}

void Prism(cairo_t* cr, double x, double top, double bottom, double w, const Ink& ink, const Colour& topFace) {
    const double h = w * 0.28;
    std::vector<Pt> body = {{x - w / 2, top}, {x - w / 4, top - h / 2}, {x + w / 4, top - h / 2},
                            {x + w / 2, top}, {x + w / 2, bottom},      {x - w / 2, bottom}};
    Filled(
        cr, [&](cairo_t* c) { PolyPath(c, body, true); }, ink.base);
    Filled(
        cr,
        [&](cairo_t* c) {
            PolyPath(c, {{x + w / 6, top + h / 2}, {x + w / 2, top}, {x + w / 2, bottom}, {x + w / 6, bottom}}, true);
        },
        ink.shade);
    std::vector<Pt> face = {{x - w / 2, top}, {x - w / 4, top - h / 2}, {x + w / 4, top - h / 2},
                            {x + w / 2, top}, {x + w / 4, top + h / 2}, {x - w / 4, top + h / 2}};
    Filled(
        cr, [&](cairo_t* c) { PolyPath(c, face, true); }, topFace);
    Stroke(
        cr,
        [&](cairo_t* c) {
            PolyPath(c, face, true);
            cairo_move_to(c, x - w / 2, top);
            cairo_line_to(c, x - w / 2, bottom);
            cairo_move_to(c, x + w / 2, top);
            cairo_line_to(c, x + w / 2, bottom);
            cairo_move_to(c, x + w / 6, top + h / 2);
            cairo_line_to(c, x + w / 6, bottom);
        },
        ink.line, ink.width);
}

void Fir(cairo_t* cr, Pt base, double h, const Ink& needle, const Ink& trunk, const Colour& snow) {
    Shaded(
        cr, [&](cairo_t* c) { RoundRectPath(c, base.x - h * 0.04, base.y - h * 0.18, h * 0.08, h * 0.18, 1); }, trunk,
        -1, 0);
    const int tiers = 4;
    for (int i = 0; i < tiers; ++i) {
        double t = double(i) / tiers;
        double y1 = base.y - h * (0.12 + 0.2 * t), y0 = base.y - h * (0.45 + 0.18 * t) - h * 0.12;
        if (i == tiers - 1) y0 = base.y - h;
        double hw = h * 0.34 * (1.0 - 0.75 * t);
        std::vector<Pt> tier = {{base.x, y0},
                                {base.x + hw, y1},
                                {base.x + hw * 0.5, y1 - h * 0.03},
                                {base.x, y1 + h * 0.01},
                                {base.x - hw * 0.5, y1 - h * 0.03},
                                {base.x - hw, y1}};
        Shaded(
            cr, [&](cairo_t* c) { PolyPath(c, tier, true); }, needle, -hw * 0.3, 0);
        std::vector<Pt> cap = {{base.x, y0},
                               {base.x + hw * 0.45, y0 + (y1 - y0) * 0.45},
                               {base.x + hw * 0.15, y0 + (y1 - y0) * 0.38},
                               {base.x - hw * 0.1, y0 + (y1 - y0) * 0.5},
                               {base.x - hw * 0.5, y0 + (y1 - y0) * 0.42}};
        Filled(
            cr, [&](cairo_t* c) { PolyPath(c, cap, true); }, snow);
    }
}

void Glow(cairo_t* cr, Pt c, double r, const Colour& core, const Colour& halo) {
    Filled(
        cr, [&](cairo_t* cc) { CirclePath(cc, c.x, c.y, r * 2.2); }, halo);
    Filled(
        cr, [&](cairo_t* cc) { CirclePath(cc, c.x, c.y, r); }, core);
}

}  // namespace scenery
