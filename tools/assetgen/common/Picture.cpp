// RGB pictures of the generators: keyed compositing and PNG files.
#include "common/Picture.h"

#include <algorithm>
#include <cstdio>

namespace gen {

uint32_t NudgeFromKey(uint32_t pixel, uint32_t key, uint32_t greenStep) {
    while (InKeyRange(pixel, key)) {
        uint32_t g = (pixel >> 8) & 255;
        g = g < 128 ? g + greenStep : g - greenStep;
        pixel = (pixel & 0xFF00FF) | (g << 8);
    }
    return pixel;
}

bool CoveredColour(uint32_t argb, uint32_t& rgb) {
    uint32_t a = argb >> 24;
    if (a < 128) return false;
    auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
    rgb = (un((argb >> 16) & 255) << 16) | (un((argb >> 8) & 255) << 8) | un(argb & 255);
    return true;
}

int PutOnKey(cairo_surface_t* surface, Picture& dst, int x0, int y0, uint32_t key, uint32_t greenStep) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int nudged = 0;
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; ++x) {
            uint32_t rgb;
            if (!CoveredColour(row[x], rgb)) continue;
            if (InKeyRange(rgb, key)) {
                rgb = NudgeFromKey(rgb, key, greenStep);
                ++nudged;
            }
            dst.At(x0 + x, y0 + y) = rgb;
        }
    }
    return nudged;
}

Picture PictureFromSurface(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    Picture p(w, h);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; ++x) p.At(x, y) = row[x] & 0xFFFFFF;
    }
    return p;
}

Picture DrawOpaque(int w, int h, const std::function<void(cairo_t*)>& draw) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    draw(cr);
    cairo_destroy(cr);
    Picture p = PictureFromSurface(s);
    cairo_surface_destroy(s);
    return p;
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

bool SavePng(const Picture& picture, const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const std::vector<unsigned char> bytes = EncodePng(picture);
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool DecodePng(const std::string& path, Picture& out, bool* translucent) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    const bool ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        // A PNG with alpha decodes premultiplied; the game ignores alpha, and ours have none.
        out = PictureFromSurface(s);
        if (translucent) {
            *translucent = false;
            if (cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32) {
                const int stride = cairo_image_surface_get_stride(s);
                const unsigned char* data = cairo_image_surface_get_data(s);
                for (int y = 0; y < out.height && !*translucent; ++y) {
                    const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
                    for (int x = 0; x < out.width; ++x) {
                        if ((row[x] >> 24) != 255) *translucent = true;
                    }
                }
            }
        }
    }
    cairo_surface_destroy(s);
    return ok;
}

}  // namespace gen
