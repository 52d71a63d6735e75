// RGB pictures, sprite strips built from cairo drawings, and PNG encoding.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Colour.h"

namespace art {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row

    Picture() = default;
    Picture(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    uint32_t& At(int x, int y) { return pixels[size_t(y) * width + x]; }
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// PNG bytes of an opaque RGB picture (colour type 2, no alpha). Same picture, same bytes.
std::vector<unsigned char> EncodePng(const Picture& picture);
// False when the file is missing or not a PNG.
bool DecodePng(const std::string& path, Picture& out);

// An opaque picture drawn with cairo (backgrounds): draw receives a context on a w x h surface.
Picture DrawOpaque(int w, int h, const std::function<void(cairo_t*)>& draw);

// Where frame i of a strip lies: strips up to 32 pixels high are one row, taller ones four
// equal rows (the frame count must then be a multiple of four). One frame is a plain picture.
struct StripLayout {
    int frameWidth = 0;
    int frameHeight = 0;
    int frames = 0;

    int Width() const;
    int Height() const;
    void Origin(int frame, int& x, int& y) const;
};

// What the clean-up of a strip changed, for the generator's log.
struct StripReport {
    int keyNudged = 0;       // figure pixels whose colour fell in the key's range
    int borderCleared = 0;   // figure pixels on a frame's outer edge
    std::string edges;       // which edges: t, b, l, r
    std::string frames;      // which frames, for the log
    int pinholesFilled = 0;  // small enclosed transparent islands filled
    int holes = 0;           // larger enclosed transparent areas left (real gaps in a figure)
};

// True when a pixel would be transparent under key k: the game keys the range k .. k + 100.
inline bool InKeyRange(uint32_t pixel, uint32_t key) {
    return pixel >= key && pixel <= key + 100;
}

// Moves a figure colour out of the key's range by changing its green a little.
uint32_t NudgeFromKey(uint32_t pixel, uint32_t key);

using FrameDrawer = std::function<void(cairo_t* cr, int frame)>;

// Draws every frame anti-aliased on a transparent surface, then puts it on the key colour with a
// hard alpha threshold, so no edge pixel blends into the key. The frame's outer edge is left as
// key, figure colours are moved out of the key range, and small enclosed holes are filled.
Picture RenderStrip(const StripLayout& layout, const Colour& key, const FrameDrawer& draw,
                    StripReport* report = nullptr);

// The same clean-up for one frame already on the key, at (x0, y0) of a picture.
void CleanFrame(Picture& p, int x0, int y0, int w, int h, uint32_t key, bool clearBorder, StripReport& report);

}  // namespace art
