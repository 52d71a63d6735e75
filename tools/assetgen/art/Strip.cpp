// Sprite strips built from cairo drawings.
#include "Strip.h"

#include <string>
#include <vector>

namespace art {

namespace {

// Enclosed transparent areas below this many pixels are filled; larger ones are real gaps.
constexpr size_t kLargestFilledHole = 32;

}  // namespace

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
        int x0, y0;
        layout.Origin(f, x0, y0);
        rep.keyNudged += PutOnKey(s, strip, x0, y0, k, kNudgeStep);
        int before = rep.borderCleared;
        CleanFrame(strip, x0, y0, w, h, k, true, rep);
        if (rep.borderCleared != before) rep.frames += " " + std::to_string(f);
    }
    cairo_surface_destroy(s);
    return strip;
}

}  // namespace art
