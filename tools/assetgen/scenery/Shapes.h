// Shapes shared by the worlds' pictures: mountain ranges, hills, clouds, plants, rocks, bones,
// spikes, crystals, columns and smoke. All are outlined two-tone cartoon shapes.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "Toolkit.h"

namespace scenery {

// A lump: the points of a closed outline around (cx, cy) of radii rx, ry whose radius wobbles by up
// to wobble (a fraction) at n points; draw it with SmoothPath.
std::vector<Pt> LumpPoints(double cx, double cy, double rx, double ry, int n, double wobble, uint64_t seed);

void VerticalGradient(cairo_t* cr, double y0, double y1, const Colour& top, const Colour& bottom, double x0,
                      double width);

// A jagged mountain range between x0 and x1: peaks between topMin and topMax, valleys near base.
struct Range {
    std::vector<Pt> outline;  // from (x0, base) over every peak and valley to (x1, base)
    std::vector<Pt> peaks;
    std::vector<Pt> valleys;  // valleys[i] lies right of peaks[i]
};
Range MakeRange(Rng& rng, double x0, double x1, double base, double topMin, double topMax, double spacing);
// Fills the range down to bottom; the right face of every peak in shade; snow above snowLine
// (a fraction of each peak's height, 0 for none).
void DrawRange(cairo_t* cr, const Range& r, double bottom, const Ink& ink, const Colour& snow, const Colour& snowShade,
               double snowLine, uint64_t seed);

// A smooth band of hills whose top wanders around base by amp; filled down to bottom.
std::vector<Pt> HillLine(Rng& rng, double x0, double x1, double base, double amp, double spacing);
void DrawHills(cairo_t* cr, const std::vector<Pt>& line, double bottom, const Ink& ink, double shadeShift);

void Cloud(cairo_t* cr, double cx, double cy, double width, const Ink& ink, uint64_t seed);
void Smoke(cairo_t* cr, double cx, double cy, double width, double height, const Ink& ink, uint64_t seed);

// A palm: curved trunk from base, height h, leaning by lean (pixels at the top).
void Palm(cairo_t* cr, Pt base, double h, double lean, const Ink& trunk, const Ink& leaf, const Ink& nut,
          uint64_t seed);
// A fern tuft: fronds fanning up from base.
void Fern(cairo_t* cr, Pt base, double size, int fronds, double spreadDeg, const Ink& leaf, uint64_t seed);
// A frond (or hanging vine leaflets) along a curved spine from a in direction deg.
void Frond(cairo_t* cr, Pt a, double length, double deg, double bend, double leaflet, const Ink& leaf);
// A long drooping palm leaf from a, toothed on one edge.
void PalmLeaf(cairo_t* cr, Pt a, double len, double deg, double droop, double width, const Ink& ink);
// A round leafy crown of a tree or bush centred at c.
void LeafBall(cairo_t* cr, Pt c, double rx, double ry, const Ink& ink, uint64_t seed);
void Flower(cairo_t* cr, Pt c, double r, const Colour& petal, const Colour& heart, const Colour& line);

// A boulder standing on the line y = ground.
void Boulder(cairo_t* cr, double cx, double ground, double rx, double ry, const Ink& ink, uint64_t seed);
// A bone from a to b with knobbed ends.
void Bone(cairo_t* cr, Pt a, Pt b, double r, const Ink& ink);
// A big skull (dinosaur or mammoth), facing right when dir is 1.
void Skull(cairo_t* cr, Pt c, double size, int dir, const Ink& ink, const Colour& hole);
// A curved tusk or rib from a, length len, curling by curl degrees.
void Tusk(cairo_t* cr, Pt a, double len, double deg, double curl, double width, const Ink& ink);

// A cone from a base centre in direction deg (0 up, 180 down): stalactites, stalagmites, icicles, spires.
void Cone(cairo_t* cr, Pt base, double len, double width, double deg, const Ink& ink, double wobble = 0,
          uint64_t seed = 0);
// A faceted crystal from base, in direction deg, with a highlight facet.
void Crystal(cairo_t* cr, Pt base, double len, double width, double deg, const Ink& ink, const Colour& shine);
// A column from y0 to y1 around x, width changing along it (a cave pillar), two-tone.
void Pillar(cairo_t* cr, double x, double y0, double y1, double w, double waist, const Ink& ink, uint64_t seed);
// A basalt prism: a vertical hexagonal column with a lit top face.
void Prism(cairo_t* cr, double x, double top, double bottom, double w, const Ink& ink, const Colour& topFace);
// A snowy fir tree standing on base.
void Fir(cairo_t* cr, Pt base, double h, const Ink& needle, const Ink& trunk, const Colour& snow);
// A round glow: a bright core and a ring of glow colour (opaque; no blending on keyed pictures).
void Glow(cairo_t* cr, Pt c, double r, const Colour& core, const Colour& halo);

}  // namespace scenery
