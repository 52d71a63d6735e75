// Colour arithmetic and colour texts.
#include "common/Colour.h"

#include <cstdlib>
#include <sstream>

namespace gen {

Colour Colour::Mix(const Colour& o, double t) const {
    auto mix = [t](int a, int b) {
        int v = int(a + (b - a) * t + 0.5);
        return v < 0 ? 0 : (v > 255 ? 255 : v);
    };
    return {mix(r, o.r), mix(g, o.g), mix(b, o.b)};
}

void SetColour(cairo_t* cr, const Colour& c, double alpha) {
    if (alpha >= 1.0) {
        cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
    } else {
        cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
    }
}

bool ParseHexColour(const std::string& text, Colour& out) {
    if (text.size() != 7 || text[0] != '#') return false;
    char* end = nullptr;
    unsigned long v = std::strtoul(text.c_str() + 1, &end, 16);
    if (*end != 0) return false;
    out = Colour::FromPixel(uint32_t(v));
    return true;
}

bool ParseColour(const std::string& text, Colour& out) {
    if (text.size() == 7 && text[0] == '#') return ParseHexColour(text, out);
    std::istringstream in(text);
    int r, g, b;
    if (!(in >> r >> g >> b) || r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255) return false;
    std::string rest;
    if (in >> rest) return false;
    out = {r, g, b};
    return true;
}

}  // namespace gen
