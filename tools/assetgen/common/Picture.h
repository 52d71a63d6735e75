// RGB pictures of the generators: cairo drawings put onto colour keys, and PNG files.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace gen {

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
// Moves a figure colour out of the key's range by changing its green a little, greenStep at a time.
uint32_t NudgeFromKey(uint32_t pixel, uint32_t key, uint32_t greenStep);

// The hard alpha threshold that puts anti-aliased drawings onto a key: a pixel (premultiplied ARGB)
// at least half covered keeps its own un-premultiplied colour; false for anything less.
bool CoveredColour(uint32_t argb, uint32_t& rgb);
// Puts an ARGB image surface onto dst at (x0, y0) (it must fit) with that threshold: covered pixels
// replace what is there, figure colours in the key's range are nudged out of it. Returns how many were.
int PutOnKey(cairo_surface_t* surface, Picture& dst, int x0, int y0, uint32_t key, uint32_t greenStep);

// The colours of an image surface, alpha dropped.
Picture PictureFromSurface(cairo_surface_t* surface);
// An opaque picture drawn with cairo (backgrounds): draw receives a context on a black w x h surface.
Picture DrawOpaque(int w, int h, const std::function<void(cairo_t*)>& draw);

// PNG bytes of an opaque RGB picture (colour type 2, no alpha). Same picture, same bytes.
std::vector<unsigned char> EncodePng(const Picture& picture);
// Writes the PNG to a file outside the game folder (previews, sheets); false when it cannot.
bool SavePng(const Picture& picture, const std::string& path);
// False when the file is missing or not a PNG. translucent, when given, tells whether some pixel is
// not fully opaque (the game ignores alpha, so such a file would look different in the game than in
// a viewer).
bool DecodePng(const std::string& path, Picture& out, bool* translucent = nullptr);

}  // namespace gen
