// Drawing helpers of the scenery.
#include "Draw.h"

#include <algorithm>
#include <cmath>

namespace scenery {

Pt Lerp(Pt a, Pt b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

Pt Dir(Pt o, double r, double deg) {
    double a = deg * M_PI / 180.0;
    return {o.x + std::sin(a) * r, o.y - std::cos(a) * r};
}

void SetColour(cairo_t* cr, const Colour& c) {
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

void Shaded(cairo_t* cr, const PathFn& path, const Ink& ink, double dx, double dy) {
    cairo_save(cr);
    cairo_new_path(cr);
    path(cr);
    SetColour(cr, ink.shade);
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    cairo_translate(cr, -dx, -dy);
    cairo_new_path(cr);
    path(cr);
    SetColour(cr, ink.base);
    cairo_fill(cr);
    cairo_restore(cr);
    if (ink.width > 0) Stroked(cr, path, ink.line, ink.width);
}

void Filled(cairo_t* cr, const PathFn& path, const Colour& fill) {
    cairo_new_path(cr);
    path(cr);
    SetColour(cr, fill);
    cairo_fill(cr);
}

void Stroked(cairo_t* cr, const PathFn& path, const Colour& line, double width) {
    cairo_new_path(cr);
    path(cr);
    SetColour(cr, line);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry, double deg) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, deg * M_PI / 180.0);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void Circle(cairo_t* cr, double cx, double cy, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_close_path(cr);
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void Smooth(cairo_t* cr, const std::vector<Pt>& p, bool closed, double tension) {
    const size_t n = p.size();
    if (n < 2) return;
    auto at = [&](long i) -> Pt {
        if (closed) return p[size_t((i % long(n) + long(n)) % long(n))];
        return p[size_t(std::clamp(i, 0L, long(n) - 1))];
    };
    cairo_new_sub_path(cr);
    cairo_move_to(cr, p[0].x, p[0].y);
    const size_t segs = closed ? n : n - 1;
    const double k = tension / 6.0;
    for (size_t i = 0; i < segs; ++i) {
        Pt p0 = at(long(i) - 1), p1 = at(long(i)), p2 = at(long(i) + 1), p3 = at(long(i) + 2);
        Pt c1 = p1 + (p2 - p0) * k;
        Pt c2 = p2 - (p3 - p1) * k;
        cairo_curve_to(cr, c1.x, c1.y, c2.x, c2.y, p2.x, p2.y);
    }
    if (closed) cairo_close_path(cr);
}

void Poly(cairo_t* cr, const std::vector<Pt>& pts, bool closed) {
    if (pts.empty()) return;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, pts[0].x, pts[0].y);
    for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x, pts[i].y);
    if (closed) cairo_close_path(cr);
}

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

void Spike(cairo_t* cr, Pt a, Pt b, double wa, double bend) {
    Pt d = b - a;
    double len = std::hypot(d.x, d.y);
    if (len < 1e-6) return;
    Pt n{-d.y / len, d.x / len};
    Pt mid = Lerp(a, b, 0.45) + n * bend;
    Pt l = a + n * (wa / 2), r = a - n * (wa / 2);
    cairo_new_sub_path(cr);
    cairo_move_to(cr, l.x, l.y);
    Pt ml = mid + n * (wa * 0.32);
    Pt mr = mid - n * (wa * 0.32);
    cairo_curve_to(cr, ml.x, ml.y, ml.x, ml.y, b.x, b.y);
    cairo_curve_to(cr, mr.x, mr.y, mr.x, mr.y, r.x, r.y);
    cairo_close_path(cr);
}

void Tube(cairo_t* cr, const std::vector<Pt>& pts, double width, const Ink& ink) {
    auto path = [&](cairo_t* c) { Smooth(c, pts, false); };
    if (ink.width > 0) Stroked(cr, path, ink.line, width + 2 * ink.width);
    Stroked(cr, path, ink.shade, width);
    cairo_save(cr);
    cairo_translate(cr, -width * 0.18, -width * 0.18);
    Stroked(cr, path, ink.base, width * 0.55);
    cairo_restore(cr);
}

uint64_t Rng::Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
}

double Rng::Uniform(double a, double b) {
    return a + (b - a) * double(Next() >> 11) / double(1ull << 53);
}

int Rng::Int(int a, int b) {
    return a + int(Next() % uint64_t(b - a + 1));
}

double Hash01(int a, int b, int c) {
    uint64_t h = uint64_t(uint32_t(a)) * 0x9E3779B97F4A7C15ull ^ uint64_t(uint32_t(b)) * 0xC2B2AE3D27D4EB4Full ^
                 uint64_t(uint32_t(c)) * 0x165667B19E3779F9ull;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return double(h >> 11) / double(1ull << 53);
}

}  // namespace scenery
