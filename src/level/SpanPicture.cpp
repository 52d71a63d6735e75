// A keyed picture drawn by its runs of visible pixels, worked out once when the picture is filled.
#include "level/SpanPicture.h"

#include <algorithm>
#include <cstring>

CSpanPicture::CSpanPicture(const platform::Surface* surface) : surface_(surface) {
    if (!surface_) return;
    const int width = surface_->Width();
    const int height = surface_->Height();
    const bool keyed = surface_->HasColourKey();
    const uint32_t key = surface_->ColourKey();
    rowStart_.reserve(static_cast<size_t>(height) + 1);
    for (int y = 0; y < height; ++y) {
        rowStart_.push_back(static_cast<uint32_t>(runs_.size()));
        const uint32_t* row = surface_->Row(y);
        int x = 0;
        while (x < width) {
            while (x < width && keyed && row[x] == key) ++x;
            const int begin = x;
            while (x < width && !(keyed && row[x] == key)) ++x;
            if (x > begin) runs_.push_back(Run{static_cast<uint16_t>(begin), static_cast<uint16_t>(x)});
        }
    }
    rowStart_.push_back(static_cast<uint32_t>(runs_.size()));
}

platform::BlitResult CSpanPicture::Draw(platform::Surface* target, int x, int y, const platform::Rect& src) const {
    if (!target || !surface_) return platform::BlitResult::NoSurface;
    if (target->IsLost() || surface_->IsLost()) return platform::BlitResult::SurfaceLost;
    if (src.left < 0 || src.top < 0 || src.right > surface_->Width() || src.bottom > surface_->Height() ||
        src.left >= src.right || src.top >= src.bottom) {
        return platform::BlitResult::InvalidRect;
    }
    if (x < 0 || y < 0 || x > target->Width() - src.Width() || y > target->Height() - src.Height()) {
        return platform::BlitResult::InvalidRect;
    }
    for (int row = src.top; row < src.bottom; ++row) {
        const uint32_t* from = surface_->Row(row);
        uint32_t* to = target->Row(y + row - src.top) + x - src.left;
        for (uint32_t r = rowStart_[row]; r < rowStart_[row + 1]; ++r) {
            const int begin = std::max<int>(runs_[r].begin, src.left);
            const int end = std::min<int>(runs_[r].end, src.right);
            if (begin < end) std::memcpy(to + begin, from + begin, static_cast<size_t>(end - begin) * sizeof(uint32_t));
        }
    }
    return platform::BlitResult::Ok;
}

platform::BlitResult CSpanPicture::DrawClipped(platform::Surface* target, platform::Rect dst, platform::Rect src,
                                               int width, int height) const {
    platform::ClipToArea(dst, src, width, height);
    if (dst.left >= dst.right || dst.top >= dst.bottom) return platform::BlitResult::InvalidRect;
    return Draw(target, dst.left, dst.top, src);
}
