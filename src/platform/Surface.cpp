// Pixel-buffer surfaces and the copy operations every picture of the game goes through.
#include "platform/Surface.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace platform {
namespace {

std::unordered_set<Surface*>& Registry() {
    static std::unordered_set<Surface*> registry;
    return registry;
}

bool Inside(const Rect& r, int w, int h) {
    return r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h && r.left < r.right && r.top < r.bottom;
}

}  // namespace

std::unique_ptr<Surface> Surface::Create(int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
    if (static_cast<int64_t>(width) * height > kMaxPixels) return nullptr;
    return std::unique_ptr<Surface>(new Surface(width, height));
}

std::unique_ptr<Surface> Surface::Create(int width, int height, std::vector<uint32_t>&& pixels) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
    if (static_cast<int64_t>(width) * height > kMaxPixels) return nullptr;
    if (pixels.size() != static_cast<size_t>(width) * height) return nullptr;
    return std::unique_ptr<Surface>(new Surface(width, height, std::move(pixels)));
}

Surface::Surface(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, 0u) {
    Registry().insert(this);
}

Surface::Surface(int width, int height, std::vector<uint32_t>&& pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {
    for (uint32_t& p : pixels_) p &= 0x00FFFFFFu;
    Registry().insert(this);
}

Surface::~Surface() { Registry().erase(this); }

void Surface::Fill(uint32_t pixel) { std::fill(pixels_.begin(), pixels_.end(), pixel & 0x00FFFFFFu); }

void MarkAllSurfacesLost() {
    for (Surface* s : Registry()) s->SetLost(true);
}

int LiveSurfaceCount() { return static_cast<int>(Registry().size()); }

BlitResult BltFast(Surface* dst, int x, int y, const Surface* src, const Rect& srcRect, bool useKey) {
    if (!dst || !src) return BlitResult::NoSurface;
    if (dst->IsLost() || src->IsLost()) return BlitResult::SurfaceLost;
    if (!Inside(srcRect, src->Width(), src->Height())) return BlitResult::InvalidRect;
    const int w = srcRect.Width();
    const int h = srcRect.Height();
    if (x < 0 || y < 0 || x > dst->Width() - w || y > dst->Height() - h) return BlitResult::InvalidRect;
    const bool keyed = useKey && src->HasColourKey();
    const uint32_t key = src->ColourKey();
    for (int row = 0; row < h; ++row) {
        const uint32_t* s = src->Row(srcRect.top + row) + srcRect.left;
        uint32_t* d = dst->Row(y + row) + x;
        if (!keyed) {
            std::memcpy(d, s, static_cast<size_t>(w) * sizeof(uint32_t));
        } else {
            // A select instead of a conditional store lets the compiler copy several pixels at once.
            for (int i = 0; i < w; ++i) {
                const uint32_t p = s[i];
                d[i] = p == key ? d[i] : p;
            }
        }
    }
    return BlitResult::Ok;
}

BlitResult Blt(Surface* dst, const Rect& dstRect, const Surface* src, const Rect& srcRect, bool useKey) {
    if (!dst || !src) return BlitResult::NoSurface;
    if (dst->IsLost() || src->IsLost()) return BlitResult::SurfaceLost;
    if (!Inside(srcRect, src->Width(), src->Height())) return BlitResult::InvalidRect;
    if (!Inside(dstRect, dst->Width(), dst->Height())) return BlitResult::InvalidRect;
    const int dw = dstRect.Width();
    const int dh = dstRect.Height();
    const int sw = srcRect.Width();
    const int sh = srcRect.Height();
    if (dw == sw && dh == sh) return BltFast(dst, dstRect.left, dstRect.top, src, srcRect, useKey);
    const bool keyed = useKey && src->HasColourKey();
    const uint32_t key = src->ColourKey();
    // Nearest source pixel for each destination column, sampled at the pixel centre.
    thread_local std::vector<int> columns;
    columns.resize(static_cast<size_t>(dw));
    for (int i = 0; i < dw; ++i) {
        columns[i] = srcRect.left + static_cast<int>((static_cast<int64_t>(2 * i + 1) * sw) / (2 * dw));
    }
    for (int row = 0; row < dh; ++row) {
        const int sy = srcRect.top + static_cast<int>((static_cast<int64_t>(2 * row + 1) * sh) / (2 * dh));
        const uint32_t* s = src->Row(sy);
        uint32_t* d = dst->Row(dstRect.top + row) + dstRect.left;
        if (keyed) {
            for (int i = 0; i < dw; ++i) {
                const uint32_t p = s[columns[i]];
                d[i] = p == key ? d[i] : p;
            }
        } else {
            for (int i = 0; i < dw; ++i) d[i] = s[columns[i]];
        }
    }
    return BlitResult::Ok;
}

void ClipToArea(Rect& dst, Rect& src, int width, int height) {
    if (dst.left < 0) {
        src.left -= dst.left;
        dst.left = 0;
    }
    if (dst.top < 0) {
        src.top -= dst.top;
        dst.top = 0;
    }
    if (dst.right > width) {
        src.right -= dst.right - width;
        dst.right = width;
    }
    if (dst.bottom > height) {
        src.bottom -= dst.bottom - height;
        dst.bottom = height;
    }
}

void FillRect(Surface* dst, const Rect& rect, uint32_t pixel) {
    if (!dst) return;
    const int l = std::max(rect.left, 0);
    const int t = std::max(rect.top, 0);
    const int r = std::min(rect.right, dst->Width());
    const int b = std::min(rect.bottom, dst->Height());
    for (int y = t; y < b; ++y) std::fill(dst->Row(y) + l, dst->Row(y) + std::max(l, r), pixel & 0x00FFFFFFu);
}

}  // namespace platform
