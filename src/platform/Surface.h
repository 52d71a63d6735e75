// Off-screen pictures in one 32-bit XRGB pixel format, with a single-colour source key and blits.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// Half-open rectangle: right and bottom are one past the last pixel.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

enum class BlitResult {
    Ok = 0,
    SurfaceLost,   // one of the surfaces was lost and must be restored first
    InvalidRect,   // a rectangle is empty or lies outside its surface (nothing drawn)
    NoSurface,
};

// A picture in ordinary memory. Pixels are 0x00RRGGBB; the top byte is always 0.
// Surfaces of 0x0 (or absurd sizes) cannot be made: Create returns null.
class Surface {
public:
    static constexpr int kMaxSide = 16384;
    static constexpr int64_t kMaxPixels = 64ll * 1024 * 1024;

    static std::unique_ptr<Surface> Create(int width, int height);
    // The same, taking over width * height pixels instead of clearing a new buffer (their top bytes are
    // cleared); null, with the pixels left alone, when Create would refuse the size or the count is wrong.
    static std::unique_ptr<Surface> Create(int width, int height, std::vector<uint32_t>&& pixels);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t* Pixels() { return pixels_.data(); }
    const uint32_t* Pixels() const { return pixels_.data(); }
    uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
    uint32_t GetPixel(int x, int y) const { return Row(y)[x]; }
    void SetPixel(int x, int y, uint32_t p) { Row(y)[x] = p & 0x00FFFFFFu; }

    // Source colour key: pixels equal to the key are not copied by keyed blits.
    void SetColourKey(uint32_t pixel) { key_ = pixel & 0x00FFFFFFu; hasKey_ = true; }
    void ClearColourKey() { hasKey_ = false; }
    bool HasColourKey() const { return hasKey_; }
    uint32_t ColourKey() const { return key_; }

    // A surface is lost when its device reset; it keeps its key but its owner refills it.
    bool IsLost() const { return lost_; }
    void SetLost(bool lost) { lost_ = lost; }
    void Restore() { lost_ = false; }

    void Fill(uint32_t pixel);

private:
    Surface(int width, int height);
    Surface(int width, int height, std::vector<uint32_t>&& pixels);
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
    uint32_t key_ = 0;
    bool hasKey_ = false;
    bool lost_ = false;
};

// Marks every live surface lost, as a device reset does. Used by the display backends and tests.
void MarkAllSurfacesLost();
// Number of live surfaces (for leak checks in tests).
int LiveSurfaceCount();

// Copies srcRect of src to (x, y) of dst without stretching. No clipping: a rectangle that does
// not lie wholly inside both surfaces draws nothing and gives InvalidRect.
BlitResult BltFast(Surface* dst, int x, int y, const Surface* src, const Rect& srcRect, bool useKey);

// Stretches srcRect of src over dstRect of dst (nearest pixel). Both rectangles must lie inside
// their surfaces and be non-empty, else nothing is drawn and the result is InvalidRect.
BlitResult Blt(Surface* dst, const Rect& dstRect, const Surface* src, const Rect& srcRect, bool useKey);

// Cuts a destination rectangle to 0..width x 0..height and its source rectangle by the same number of
// pixels on the same sides (for unscaled copies).
void ClipToArea(Rect& dst, Rect& src, int width, int height);

// Fills a rectangle (clipped to the surface).
void FillRect(Surface* dst, const Rect& rect, uint32_t pixel);

// GDI colour 0x00BBGGRR to our pixel 0x00RRGGBB and back.
inline uint32_t PixelFromColorRef(uint32_t colorRef) {
    return ((colorRef & 0xFFu) << 16) | (colorRef & 0xFF00u) | ((colorRef >> 16) & 0xFFu);
}
inline uint32_t ColorRefFromPixel(uint32_t pixel) { return PixelFromColorRef(pixel); }

}  // namespace platform
