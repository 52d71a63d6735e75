// Pictures of the scenery generator: keyed compositing, cropping, stretching and PNG files.
#include "Canvas.h"

#include <algorithm>
#include <cstdlib>

namespace scenery {

Colour Colour::Mix(const Colour& o, double t) const {
    auto mix = [t](int a, int b) {
        int v = int(a + (b - a) * t + 0.5);
        return std::clamp(v, 0, 255);
    };
    return {mix(r, o.r), mix(g, o.g), mix(b, o.b)};
}

bool ParseColour(const std::string& text, Colour& out) {
    if (text.size() != 7 || text[0] != '#') return false;
    char* end = nullptr;
    unsigned long v = std::strtoul(text.c_str() + 1, &end, 16);
    if (*end != 0) return false;
    out = Colour::FromPixel(uint32_t(v));
    return true;
}

uint32_t NudgeFromKey(uint32_t pixel, uint32_t key) {
    while (InKeyRange(pixel, key)) {
        uint32_t g = (pixel >> 8) & 255;
        g = g < 128 ? g + 3 : g - 3;
        pixel = (pixel & 0xFF00FF) | (g << 8);
    }
    return pixel;
}

Sketch::Sketch(int w, int h) : width_(w), height_(h) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cr_ = cairo_create(surface_);
}

Sketch::~Sketch() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

namespace {

// The colour of a pixel at least half covered, or false.
bool Covered(uint32_t v, uint32_t& rgb) {
    uint32_t a = v >> 24;
    if (a < 128) return false;
    auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
    rgb = (un((v >> 16) & 255) << 16) | (un((v >> 8) & 255) << 8) | un(v & 255);
    return true;
}

}  // namespace

Picture Sketch::Keyed(uint32_t key, int* nudged) const {
    cairo_surface_flush(surface_);
    Picture p(width_, height_, key);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < width_; ++x) {
            uint32_t rgb;
            if (!Covered(row[x], rgb)) continue;
            if (InKeyRange(rgb, key)) {
                rgb = NudgeFromKey(rgb, key);
                if (nudged) ++*nudged;
            }
            p.At(x, y) = rgb;
        }
    }
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
            if (tx < 0 || tx >= under.width || !Covered(row[x], rgb)) continue;
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

namespace {

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<unsigned char>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::vector<unsigned char> EncodePng(const Picture& picture) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
    cairo_surface_flush(s);
    const int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < picture.width; ++x) row[x] = 0xFF000000u | picture.At(x, y);
    }
    cairo_surface_mark_dirty(s);
    std::vector<unsigned char> bytes;
    cairo_surface_write_to_png_stream(s, AppendBytes, &bytes);
    cairo_surface_destroy(s);
    return bytes;
}

bool DecodePng(const std::string& path, Picture& out, bool* translucent) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    bool ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        cairo_surface_flush(s);
        const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const bool alpha = cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32;
        const unsigned char* data = cairo_image_surface_get_data(s);
        out = Picture(w, h);
        if (translucent) *translucent = false;
        for (int y = 0; y < h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
            for (int x = 0; x < w; ++x) {
                out.At(x, y) = row[x] & 0xFFFFFF;
                if (alpha && (row[x] >> 24) != 255 && translucent) *translucent = true;
            }
        }
    }
    cairo_surface_destroy(s);
    return ok;
}

}  // namespace scenery
