// Canvases of the scenery generator: keyed compositing, cropping and stretching.
#include "Canvas.h"

#include <algorithm>

namespace scenery {

Sketch::Sketch(int w, int h) : width_(w), height_(h) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cr_ = cairo_create(surface_);
}

Sketch::~Sketch() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

Picture Sketch::Keyed(uint32_t key, int* nudged) const {
    Picture p(width_, height_, key);
    const int n = PutOnKey(surface_, p, 0, 0, key, kNudgeStep);
    if (nudged) *nudged += n;
    return p;
}

void Sketch::PutOver(Picture& under, int x0, int y0) const {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        int ty = y0 + y;
        if (ty < 0 || ty >= under.height) continue;
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < width_; ++x) {
            int tx = x0 + x;
            uint32_t rgb;
            if (tx < 0 || tx >= under.width || !CoveredColour(row[x], rgb)) continue;
            under.At(tx, ty) = rgb;
        }
    }
}

int ClearKeyRange(Picture& p, uint32_t key) {
    int n = 0;
    for (uint32_t& v : p.pixels) {
        if (InKeyRange(v, key)) {
            v = NudgeFromKey(v, key);
            ++n;
        }
    }
    return n;
}

Picture Crop(const Picture& p, int x, int y, int w, int h) {
    Picture out(w, h);
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) out.At(i, j) = p.At(x + i, y + j);
    }
    return out;
}

Picture StretchColumns(const Picture& p, int newWidth) {
    Picture out(newWidth, p.height);
    for (int c = 0; c < newWidth; ++c) {
        // Inverse of the game's sampling: column c holds the source column whose centre it covers.
        int src = std::min(p.width - 1, int((int64_t(2 * c + 1) * p.width) / (2 * newWidth)));
        for (int y = 0; y < p.height; ++y) out.At(c, y) = p.At(src, y);
    }
    return out;
}

}  // namespace scenery
