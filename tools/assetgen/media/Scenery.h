// Scenery for the video pictures: sky, sun, clouds, hills, plants, the cave, the volcano, fire and the crystal.
#pragma once

#include "Cartoon.h"

namespace media::cartoon {

void Sky(cairo_t* cr, Rgb top, Rgb bottom);
void Stars(cairo_t* cr, double alpha, double time);
void Sun(cairo_t* cr, double x, double y, double radius, double time, Rgb colour);
void Cloud(cairo_t* cr, double x, double y, double scale, double alpha);
// A wavy ridge filled down to the bottom of the frame; scroll moves it left. seed picks its shape.
void Hills(cairo_t* cr, double scroll, double baseY, double amplitude, double wavelength, Rgb fill, uint32_t seed);
void Ground(cairo_t* cr, double y, Rgb fill, double scroll);
void Palm(cairo_t* cr, double x, double groundY, double height, double sway);
void Fern(cairo_t* cr, double x, double groundY, double size, double sway);
void Boulder(cairo_t* cr, double x, double groundY, double size, Rgb colour);
void Cave(cairo_t* cr, double x, double groundY, double size);
void Volcano(cairo_t* cr, double x, double groundY, double size, double time, Rgb rock);
void Fire(cairo_t* cr, double x, double groundY, double scale, double time);
void Crystal(cairo_t* cr, double x, double y, double size, double time, double glow);
void Pedestal(cairo_t* cr, double x, double groundY);
void Bird(cairo_t* cr, double x, double y, double size, double time);
void Sparkle(cairo_t* cr, double x, double y, double size, Rgb colour, double alpha);
void Firework(cairo_t* cr, double x, double y, double age, Rgb colour);

}  // namespace media::cartoon
