// Canvases of the scenery generator: cairo sketches put onto colour keys, cropping and stretching.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "Toolkit.h"

namespace scenery {

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

}  // namespace scenery
