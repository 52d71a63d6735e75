// Sprite strips built from cairo drawings: frames put onto the key and cleaned up.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

#include "Toolkit.h"

namespace art {

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

using FrameDrawer = std::function<void(cairo_t* cr, int frame)>;

// Draws every frame anti-aliased on a transparent surface, then puts it on the key colour with a
// hard alpha threshold, so no edge pixel blends into the key. The frame's outer edge is left as
// key, figure colours are moved out of the key range, and small enclosed holes are filled.
Picture RenderStrip(const StripLayout& layout, const Colour& key, const FrameDrawer& draw,
                    StripReport* report = nullptr);

// The same clean-up for one frame already on the key, at (x0, y0) of a picture.
void CleanFrame(Picture& p, int x0, int y0, int w, int h, uint32_t key, bool clearBorder, StripReport& report);

}  // namespace art
