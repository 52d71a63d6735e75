// RGB pictures, sprite strips built from cairo drawings, and PNG encoding.
#include "Picture.h"

#include <algorithm>
#include <cstring>

namespace art {

namespace {

// Enclosed transparent areas below this many pixels are filled; larger ones are real gaps.
constexpr size_t kLargestFilledHole = 32;

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<unsigned char>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

Picture FromSurface(cairo_surface_t* s) {
    cairo_surface_flush(s);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    Picture p(w, h);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; ++x) p.At(x, y) = row[x] & 0xFFFFFF;
    }
    return p;
}

}  // namespace

std::vector<unsigned char> EncodePng(const Picture& picture) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
    cairo_surface_flush(s);
    int stride = cairo_image_surface_get_stride(s);
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

bool DecodePng(const std::string& path, Picture& out) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    bool ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        // A PNG with alpha decodes premultiplied; the game ignores alpha, and ours have none.
        out = FromSurface(s);
    }
    cairo_surface_destroy(s);
    return ok;
}

Picture DrawOpaque(int w, int h, const std::function<void(cairo_t*)>& draw) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    draw(cr);
    cairo_destroy(cr);
    Picture p = FromSurface(s);
    cairo_surface_destroy(s);
    return p;
}

int StripLayout::Width() const {
    if (frames == 1) return frameWidth;
    if (frameHeight <= 32) return frameWidth * frames;
    return frameWidth * (frames / 4);
}

int StripLayout::Height() const {
    if (frames == 1) return frameHeight;
    return frameHeight <= 32 ? frameHeight : frameHeight * 4;
}

void StripLayout::Origin(int frame, int& x, int& y) const {
    if (frames == 1 || frameHeight <= 32) {
        x = frame * frameWidth;
        y = 0;
        return;
    }
    int perRow = frames / 4;
    x = (frame % perRow) * frameWidth;
    y = (frame / perRow) * frameHeight;
}

uint32_t NudgeFromKey(uint32_t pixel, uint32_t key) {
    while (InKeyRange(pixel, key)) {
        uint32_t g = (pixel >> 8) & 255;
        g = g < 128 ? g + 2 : g - 2;
        pixel = (pixel & 0xFF00FF) | (g << 8);
    }
    return pixel;
}

void CleanFrame(Picture& p, int x0, int y0, int w, int h, uint32_t key, bool clearBorder, StripReport& report) {
    auto at = [&](int x, int y) -> uint32_t& { return p.At(x0 + x, y0 + y); };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t& v = at(x, y);
            if (v == key) continue;
            bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            if (clearBorder && edge) {
                v = key;
                ++report.borderCleared;
                const char* e = y == 0 ? "t" : (y == h - 1 ? "b" : (x == 0 ? "l" : "r"));
                if (report.edges.find(e) == std::string::npos) report.edges += e;
            } else if (InKeyRange(v, key)) {
                v = NudgeFromKey(v, key);
                ++report.keyNudged;
            }
        }
    }
    // Transparent areas not reachable from the frame's edge are holes in the figure. Small ones
    // are leftovers between two outlines (an arm against the head, a stalk against a berry) and
    // would show as specks of background: fill them with the outline around them.
    std::vector<int> mark(size_t(w) * h, 0);  // 0 unvisited, 1 reachable, 2+ island ids
    std::vector<int> stack;
    auto flood = [&](int sx, int sy, int id, std::vector<int>* cells) {
        stack.assign(1, sy * w + sx);
        mark[size_t(sy) * w + sx] = id;
        while (!stack.empty()) {
            int c = stack.back();
            stack.pop_back();
            if (cells) cells->push_back(c);
            int cx = c % w, cy = c / w;
            const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
            for (int k = 0; k < 4; ++k) {
                int nx = cx + dx[k], ny = cy + dy[k];
                if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                size_t n = size_t(ny) * w + nx;
                if (mark[n] || at(nx, ny) != key) continue;
                mark[n] = id;
                stack.push_back(int(n));
            }
        }
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            if (edge && at(x, y) == key && !mark[size_t(y) * w + x]) flood(x, y, 1, nullptr);
        }
    }
    int id = 2;
    std::vector<int> cells;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (at(x, y) != key || mark[size_t(y) * w + x]) continue;
            cells.clear();
            flood(x, y, id++, &cells);
            if (cells.size() >= kLargestFilledHole) {
                ++report.holes;
                continue;
            }
            ++report.pinholesFilled;
            for (int c : cells) {
                int cx = c % w, cy = c / w;
                // Take the darkest figure neighbour: the hole sits between outlines.
                uint32_t best = 0xFFFFFFFF;
                int bestSum = 1 << 30;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        int nx = cx + dx, ny = cy + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                        uint32_t v = at(nx, ny);
                        if (v == key) continue;
                        int sum = int((v >> 16) & 255) + int((v >> 8) & 255) + int(v & 255);
                        if (sum < bestSum) bestSum = sum, best = v;
                    }
                }
                if (best != 0xFFFFFFFF) at(cx, cy) = best;
            }
        }
    }
}

Picture RenderStrip(const StripLayout& layout, const Colour& key, const FrameDrawer& draw, StripReport* report) {
    StripReport local;
    StripReport& rep = report ? *report : local;
    const uint32_t k = key.Pixel();
    Picture strip(layout.Width(), layout.Height(), k);
    const int w = layout.frameWidth, h = layout.frameHeight;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    for (int f = 0; f < layout.frames; ++f) {
        cairo_t* cr = cairo_create(s);
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        cairo_paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        draw(cr, f);
        cairo_destroy(cr);
        cairo_surface_flush(s);
        int x0, y0;
        layout.Origin(f, x0, y0);
        const unsigned char* data = cairo_image_surface_get_data(s);
        int stride = cairo_image_surface_get_stride(s);
        for (int y = 0; y < h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
            for (int x = 0; x < w; ++x) {
                uint32_t v = row[x];
                uint32_t a = v >> 24;
                if (a < 128) continue;
                auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
                uint32_t rgb = (un((v >> 16) & 255) << 16) | (un((v >> 8) & 255) << 8) | un(v & 255);
                if (InKeyRange(rgb, k)) {
                    rgb = NudgeFromKey(rgb, k);
                    ++rep.keyNudged;
                }
                strip.At(x0 + x, y0 + y) = rgb;
            }
        }
        int before = rep.borderCleared;
        CleanFrame(strip, x0, y0, w, h, k, true, rep);
        if (rep.borderCleared != before) rep.frames += " " + std::to_string(f);
    }
    cairo_surface_destroy(s);
    return strip;
}

}  // namespace art
