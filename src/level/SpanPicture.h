// A keyed picture drawn by its runs of visible pixels, worked out once when the picture is filled.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Surface.h"

// The scenery draws thousands of keyed copies per frame, mostly of pictures that are largely
// transparent (branches, the near background) or not at all (the static plan). Copying only the
// runs of pixels that differ from the key, each with one memcpy, gives exactly the picture a keyed
// copy gives, at a fraction of the cost of testing every pixel.
class CSpanPicture {
public:
    // Reads the surface's pixels and colour key as they are now; fill the surface first. The surface
    // must outlive this object, and a refill of the surface needs a new one.
    explicit CSpanPicture(const platform::Surface* surface);

    // Copies srcRect of the picture to (x, y) of the target, leaving key pixels out: the same rules
    // and result as platform::BltFast with the key (no clipping; a lost surface draws nothing).
    platform::BlitResult Draw(platform::Surface* target, int x, int y, const platform::Rect& srcRect) const;

    // Cuts a destination rectangle to the screen (0, 0, width, height) and the source alike, then
    // draws; a rectangle wholly off the screen draws nothing.
    platform::BlitResult DrawClipped(platform::Surface* target, platform::Rect dst, platform::Rect src, int width,
                                     int height) const;

    const platform::Surface* Surface() const { return surface_; }

private:
    struct Run {
        uint16_t begin;
        uint16_t end;
    };
    const platform::Surface* surface_;
    // Runs of row y are runs_[rowStart_[y]] up to runs_[rowStart_[y + 1]].
    std::vector<uint32_t> rowStart_;
    std::vector<Run> runs_;
};
