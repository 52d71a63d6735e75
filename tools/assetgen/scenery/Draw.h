// Drawing helpers of the scenery: paths, outlined two-tone shapes and a seeded random generator.
// Light falls from the upper left, as in the rest of the game's art.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "Canvas.h"

namespace scenery {

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
// The point at distance r from o in direction deg: 0 is up, 90 to the right, 180 down.
Pt Dir(Pt o, double r, double deg);

using PathFn = std::function<void(cairo_t*)>;

// How a shape is inked: base colour, the shade on the side away from the light, the outline.
struct Ink {
    Colour base;
    Colour shade;
    Colour line;
    double width = 1.6;
};

void SetColour(cairo_t* cr, const Colour& c);
// Two-tone fill (the shade is the rim left when the base is shifted toward the light by dx, dy)
// and an outline of ink.width (none when 0).
void Shaded(cairo_t* cr, const PathFn& path, const Ink& ink, double dx = 1.6, double dy = 1.6);
void Filled(cairo_t* cr, const PathFn& path, const Colour& fill);
void Stroked(cairo_t* cr, const PathFn& path, const Colour& line, double width);

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry, double deg = 0);
void Circle(cairo_t* cr, double cx, double cy, double r);
void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
// A smooth curve through the points (Catmull-Rom turned into Bezier segments).
void Smooth(cairo_t* cr, const std::vector<Pt>& pts, bool closed, double tension = 1.0);
void Poly(cairo_t* cr, const std::vector<Pt>& pts, bool closed);
// A lump: a closed smooth outline around (cx, cy) of radii rx, ry whose radius wobbles by up to
// wobble (a fraction) at n points.
std::vector<Pt> LumpPoints(double cx, double cy, double rx, double ry, int n, double wobble, uint64_t seed);
// A tapering stroke from a to b (a leaf, a spike, an icicle): width wa at a, a point at b, bent by bend.
void Spike(cairo_t* cr, Pt a, Pt b, double wa, double bend = 0);
// A band of even width along the points, outlined and two-tone (stems, trunks, vines).
void Tube(cairo_t* cr, const std::vector<Pt>& pts, double width, const Ink& ink);

// A small deterministic generator: scattered details are the same on every run.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x51ED27ull) {}
    uint64_t Next();
    double Uniform(double a, double b);  // [a, b)
    int Int(int a, int b);               // [a, b]
    bool Chance(double p) { return Uniform(0, 1) < p; }

private:
    uint64_t state_;
};

// A hash of small integers into [0, 1): textures that must be the same wherever they are sampled.
double Hash01(int a, int b, int c = 0);

}  // namespace scenery
