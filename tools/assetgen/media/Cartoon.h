// Cartoon pieces for the videos, drawn with cairo: sky, hills, plants, the caveman, the pterodactyl, texts.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

namespace media::cartoon {

constexpr int kWidth = 800, kHeight = 600;

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t);
void SetColour(cairo_t* cr, Rgb colour, double alpha = 1.0);
// Fills the current path with the colour and strokes it with the near-black outline.
void FillOutlined(cairo_t* cr, Rgb colour, double lineWidth);

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

struct CavemanPose {
    double facing = 1.0;  // 1 right, -1 left
    double walk = 0.0;    // walk cycle phase in cycles
    bool walking = false;
    bool sitting = false;
    double frontArm = 0.3;  // radians from hanging down, forward positive
    double backArm = -0.2;
    bool club = true;
    double clubAngle = 0.6;  // relative to the front arm
    bool crystal = false;    // held up in the front hand
    int face = 0;            // 0 glad, 1 determined, 2 startled
    double bob = 0.0;        // body raised by this many units
    bool blink = false;
};
// Feet at (x, groundY); about 160 units tall at scale 1.
void Caveman(cairo_t* cr, double x, double groundY, double scale, const CavemanPose& pose);
// The club alone, lying on the ground.
void Club(cairo_t* cr, double x, double y, double angle, double scale);

// Body centre at (x, y); flap is the wing phase in cycles; about 170 units long at scale 1.
void Pterodactyl(cairo_t* cr, double x, double y, double scale, double flap, double facing, bool carrying, double time,
                 bool dizzy);

// Texts: captions in a band at the bottom, the big title, and the stone-tablet card. UTF-8; '|' breaks lines.
void Caption(cairo_t* cr, const std::string& text, double alpha);
void Title(cairo_t* cr, const std::string& text, double centreY, double size, double alpha);
void StoneCard(cairo_t* cr, const std::string& text, double alpha, double time);

}  // namespace media::cartoon
