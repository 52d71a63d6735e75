// Making, filling and keying the off-screen pictures every screen and actor draws from.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Image.h"
#include "platform/Surface.h"

using SurfacePtr = std::unique_ptr<platform::Surface>;

// Results in the style of the display calls: 0 is success.
constexpr int32_t kSurfaceOk = 0;
constexpr int32_t kSurfaceFail = -1;
// "No colour" for MatchSurfaceColour.
constexpr uint32_t CLR_INVALID = 0xFFFFFFFFu;

// Decodes a picture (game path) and makes a surface of its size holding it. False when the file
// is missing or not a picture (nothing is shown). When the surface cannot be made a message box
// says so and the result is still true, with `out` left empty.
bool LoadPictureSurface(const std::string& gamePath, SurfacePtr& out);

// Decodes the picture again and copies it into an existing surface (after a loss).
void ReloadPictureSurface(const std::string& gamePath, platform::Surface* surface);

// Restores the surface, then stretches the part (sx, sy, sw, sh) of the picture over the whole
// surface; a width or height of 0 means the picture's own.
int32_t CopyBitmapToSurface(platform::Surface* surface, const platform::Image* bitmap, int sx, int sy, int sw,
                            int sh);

// The surface's own pixel value for a GDI colour (0x00BBGGRR), found by writing it to pixel (0,0)
// and reading it back; pixel (0,0) is put back afterwards. CLR_INVALID reads pixel (0,0) as it is.
uint32_t MatchSurfaceColour(platform::Surface* surface, uint32_t colorRef);

// Sets the source colour key from a GDI colour.
int32_t SetSourceColourKey(platform::Surface* surface, uint32_t colorRef);

// Decodes a picture and makes a surface of its size, filled; null when either step fails. For the
// owners that report failures in their own words.
SurfacePtr MakePictureSurface(const platform::Image& image);
// The same, the surface taking over the picture's pixels instead of copying them.
SurfacePtr MakePictureSurface(platform::Image&& image);
