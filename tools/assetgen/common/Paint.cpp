// Drawing helpers shared by the generators.
#include "common/Paint.h"

#include <algorithm>
#include <cmath>

namespace gen {

Pt Lerp(Pt a, Pt b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

double Radians(double deg) {
    return deg * M_PI / 180.0;
}

Pt Polar(Pt o, double length, double angleDeg) {
    double a = Radians(angleDeg);
    return {o.x + std::sin(a) * length, o.y + std::cos(a) * length};
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
    if (ink.width > 0) Stroke(cr, path, ink.line, ink.width);
}

void Filled(cairo_t* cr, const PathFn& path, const Colour& fill) {
    cairo_new_path(cr);
    path(cr);
    SetColour(cr, fill);
    cairo_fill(cr);
}

void Outlined(cairo_t* cr, const PathFn& path, const Colour& fill, const Colour& line, double width) {
    Filled(cr, path, fill);
    if (width > 0) Stroke(cr, path, line, width);
}

void Stroke(cairo_t* cr, const PathFn& path, const Colour& line, double width) {
    cairo_new_path(cr);
    path(cr);
    SetColour(cr, line);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double angleDeg) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, Radians(angleDeg));
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void CirclePath(cairo_t* cr, double cx, double cy, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_close_path(cr);
}

void CapsulePath(cairo_t* cr, Pt a, Pt b, double ra, double rb) {
    double ang = std::atan2(b.y - a.y, b.x - a.x);
    double len = std::hypot(b.x - a.x, b.y - a.y);
    // Tangent correction for unequal radii keeps the sides straight and joined.
    double s = len > 1e-6 ? std::asin(std::max(-1.0, std::min(1.0, (ra - rb) / len))) : 0.0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, b.x, b.y, rb, ang - M_PI / 2 + s, ang + M_PI / 2 - s);
    cairo_arc(cr, a.x, a.y, ra, ang + M_PI / 2 - s, ang + 3 * M_PI / 2 + s);
    cairo_close_path(cr);
}

void SmoothPath(cairo_t* cr, const std::vector<Pt>& p, bool closed, double tension) {
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

void PolyPath(cairo_t* cr, const std::vector<Pt>& pts, bool closed) {
    if (pts.empty()) return;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, pts[0].x, pts[0].y);
    for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x, pts[i].y);
    if (closed) cairo_close_path(cr);
}

void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, double rOuter, double rInner, int n, double rotDeg) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < 2 * n; ++i) {
        double a = Radians(rotDeg) + M_PI * i / n;
        double r = (i % 2) ? rInner : rOuter;
        double x = cx + std::sin(a) * r, y = cy - std::cos(a) * r;
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
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

void Tube(cairo_t* cr, const std::vector<Pt>& pts, double radius, const Ink& ink) {
    auto path = [&](cairo_t* c) { PolyPath(c, pts, false); };
    // Like the outlined shapes: the outline straddles the edge.
    Stroke(cr, path, ink.line, 2 * radius + ink.width);
    Stroke(cr, path, ink.shade, 2 * radius - ink.width);
    cairo_save(cr);
    cairo_translate(cr, -0.55, -0.55);
    Stroke(cr, path, ink.base, 2 * radius - ink.width - 1.3);
    cairo_restore(cr);
}

void Stem(cairo_t* cr, const std::vector<Pt>& pts, double width, const Ink& ink) {
    auto path = [&](cairo_t* c) { SmoothPath(c, pts, false); };
    if (ink.width > 0) Stroke(cr, path, ink.line, width + 2 * ink.width);
    Stroke(cr, path, ink.shade, width);
    cairo_save(cr);
    cairo_translate(cr, -width * 0.18, -width * 0.18);
    Stroke(cr, path, ink.base, width * 0.55);
    cairo_restore(cr);
}

void MirrorX(cairo_t* cr, double axis) {
    cairo_translate(cr, 2 * axis, 0);
    cairo_scale(cr, -1, 1);
}

}  // namespace gen
