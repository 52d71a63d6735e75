// Drawing helpers shared by the generators: outlined two-tone shapes, organic paths and limbs.
// Light always falls from the upper left.
#pragma once

#include <cairo.h>

#include <functional>
#include <vector>

#include "common/Colour.h"

namespace gen {

struct Pt {
    double x = 0;
    double y = 0;
};
inline Pt operator+(Pt a, Pt b) {
    return {a.x + b.x, a.y + b.y};
}
inline Pt operator-(Pt a, Pt b) {
    return {a.x - b.x, a.y - b.y};
}
inline Pt operator*(Pt a, double k) {
    return {a.x * k, a.y * k};
}
Pt Lerp(Pt a, Pt b, double t);

double Radians(double deg);
// The point length away from o in direction angle, in degrees: 0 points down, 90 forward (+x),
// 180 up, -90 back. Rig joints are posed with these angles.
Pt Polar(Pt o, double length, double angleDeg);
// The same with compass angles: 0 is up, 90 to the right, 180 down (plants, spikes and rays are
// aimed this way). Polar mirrored rather than Polar(o, r, 180 - deg), which would round differently.
inline Pt Dir(Pt o, double r, double deg) {
    const Pt d = Polar({}, r, deg);
    return {o.x + d.x, o.y - d.y};
}

using PathFn = std::function<void(cairo_t*)>;

// How a shape is inked: base colour, shade on the side away from the light, outline.
struct Ink {
    Colour base;
    Colour shade;
    Colour line;
    double width = 1.6;
};

// Two-tone fill (the shade is the rim left uncovered when the base is shifted toward the
// light by (dx, dy)) and an outline of ink.width (none when 0).
void Shaded(cairo_t* cr, const PathFn& path, const Ink& ink, double dx = 1.6, double dy = 1.6);
void Filled(cairo_t* cr, const PathFn& path, const Colour& fill);
void Outlined(cairo_t* cr, const PathFn& path, const Colour& fill, const Colour& line, double width);
void Stroke(cairo_t* cr, const PathFn& path, const Colour& line, double width);

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double angleDeg = 0);
void CirclePath(cairo_t* cr, double cx, double cy, double r);
// A limb from a to b, round at both ends, radius ra at a and rb at b.
void CapsulePath(cairo_t* cr, Pt a, Pt b, double ra, double rb);
// A smooth curve through the points (Catmull-Rom turned into Bezier segments).
void SmoothPath(cairo_t* cr, const std::vector<Pt>& pts, bool closed, double tension = 1.0);
void PolyPath(cairo_t* cr, const std::vector<Pt>& pts, bool closed);
void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r);
// A star or burst: n points alternating between rOuter and rInner.
void StarPath(cairo_t* cr, double cx, double cy, double rOuter, double rInner, int n, double rotDeg);

// A tapering stroke from a to b (a leaf, a spike, an icicle): width wa at a, a point at b, bent by bend.
void Spike(cairo_t* cr, Pt a, Pt b, double wa, double bend = 0);

// A limb along the points, of even thickness, outlined and two-tone, with round ends and joints
// (no seam at the joints, unlike two capsules).
void Tube(cairo_t* cr, const std::vector<Pt>& pts, double radius, const Ink& ink);
// A band of even width along a smooth curve through the points, outlined (unless ink.width is 0),
// with a highlight toward the light (stems, trunks, vines).
void Stem(cairo_t* cr, const std::vector<Pt>& pts, double width, const Ink& ink);

// Mirrors everything drawn afterwards about the vertical line x = axis.
void MirrorX(cairo_t* cr, double axis);

}  // namespace gen
