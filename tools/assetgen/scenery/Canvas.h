// Pictures of the scenery generator: RGB pixel grids, cairo sketches put onto colour keys, PNG files.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace scenery {

struct Colour {
    int r = 0;
    int g = 0;
    int b = 0;

    uint32_t Pixel() const { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b); }
    static Colour FromPixel(uint32_t p) { return {int((p >> 16) & 255), int((p >> 8) & 255), int(p & 255)}; }
    // t = 0 keeps this colour, t = 1 gives the other one.
    Colour Mix(const Colour& o, double t) const;
    Colour Darker(double t) const { return Mix({0, 0, 0}, t); }
    Colour Lighter(double t) const { return Mix({255, 255, 255}, t); }
};

// Parses "#RRGGBB"; false for anything else.
bool ParseColour(const std::string& text, Colour& out);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row

    Picture() = default;
    Picture(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    uint32_t& At(int x, int y) { return pixels[size_t(y) * width + x]; }
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// The game makes a key transparent together with the 100 pixel values above it (an old display
// driver habit), so a figure must keep clear of the whole range, not only of the key itself.
inline bool InKeyRange(uint32_t pixel, uint32_t key) {
    return pixel >= key && pixel <= key + 100;
}
// Moves a figure colour out of the key range by a small change of its green.
uint32_t NudgeFromKey(uint32_t pixel, uint32_t key);

// A drawing in progress: an anti-aliased ARGB cairo surface, transparent at the start.
class Sketch {
public:
    Sketch(int w, int h);
    ~Sketch();
    Sketch(const Sketch&) = delete;
    Sketch& operator=(const Sketch&) = delete;

    cairo_t* Cr() const { return cr_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Onto the key with a hard alpha threshold: a pixel at least half covered keeps its own
    // (un-premultiplied) colour, anything less becomes the key, so no edge blends into the key.
    // Figure pixels that fall into the key range are nudged out; the count goes to nudged.
    Picture Keyed(uint32_t key, int* nudged = nullptr) const;
    // Over an opaque picture (a backdrop): the same threshold, the backdrop shows where nothing was drawn.
    void PutOver(Picture& under, int x0, int y0) const;

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// Replaces every pixel in the key range (including the key) by a nudged colour: for opaque pictures.
int ClearKeyRange(Picture& p, uint32_t key);

Picture Crop(const Picture& p, int x, int y, int w, int h);
// Stretches the columns to a new width so that the game's narrowing blit (nearest pixel, sampled at
// the pixel centre) gives back the original columns.
Picture StretchColumns(const Picture& p, int newWidth);

std::vector<unsigned char> EncodePng(const Picture& picture);
// translucent, when given, tells whether some pixel is not fully opaque (the game ignores alpha,
// so such a file would look different in the game than in a viewer).
bool DecodePng(const std::string& path, Picture& out, bool* translucent = nullptr);

}  // namespace scenery
