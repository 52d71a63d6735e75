// Colours of the generated pictures: 8-bit RGB triples, their mixing and their text forms.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

namespace gen {

struct Colour {
    int r = 0;
    int g = 0;
    int b = 0;

    uint32_t Pixel() const { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b); }
    static Colour FromPixel(uint32_t p) { return {int((p >> 16) & 255), int((p >> 8) & 255), int(p & 255)}; }
    // Mixes toward another colour; t = 0 keeps this one, t = 1 gives the other.
    Colour Mix(const Colour& o, double t) const;
    Colour Darker(double t) const { return Mix({0, 0, 0}, t); }
    Colour Lighter(double t) const { return Mix({255, 255, 255}, t); }
    bool operator==(const Colour&) const = default;
};

void SetColour(cairo_t* cr, const Colour& c, double alpha = 1.0);

// Parses "#RRGGBB"; false for anything else.
bool ParseHexColour(const std::string& text, Colour& out);
// Parses "#RRGGBB" or "r g b"; false when the text is neither.
bool ParseColour(const std::string& text, Colour& out);

}  // namespace gen
