// Drawing basics shared by the video pictures: colours, the near-black outline, round shapes and limbs.
#pragma once

#include <cairo.h>

#include <cstdint>

namespace media::cartoon {

constexpr int kWidth = 800, kHeight = 600;

struct Rgb {
    double r, g, b;
};

// Outlines are near-black rather than black, as everywhere in the game's pictures.
constexpr Rgb kOutline{12 / 255.0, 10 / 255.0, 8 / 255.0};

Rgb Mix(Rgb a, Rgb b, double t);
void SetColour(cairo_t* cr, Rgb colour, double alpha = 1.0);
// Fills the current path with the colour and strokes it with the outline.
void FillOutlined(cairo_t* cr, Rgb colour, double lineWidth);

void Circle(cairo_t* cr, double x, double y, double r);
void Ellipse(cairo_t* cr, double x, double y, double rx, double ry, double angle = 0.0);
// A limb: an outlined thick line with round ends.
void Limb(cairo_t* cr, double x0, double y0, double x1, double y1, double width, Rgb colour);
void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r);
// Cheap deterministic pseudo-random numbers 0..1 for scenery shapes.
double Hash01(uint32_t seed, int index);

}  // namespace media::cartoon
