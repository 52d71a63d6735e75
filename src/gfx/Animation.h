// A strip of sprite frames on one surface, drawn at a screen position and scale.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/Surfaces.h"

// One picture file holding every frame of one animation side by side, either in a single row
// (pictures up to 32 pixels high) or in four equal rows. It moves on by one frame in every
// displayed frame in which it is drawn; owners wanting a given frame write currentFrame first.
// It draws onto the main window's drawTarget (GameGlobals::mainWindow).
class CAnimation {
public:
    // Pictures at most this high hold one row of frames; taller ones hold four rows.
    static constexpr int32_t kSingleRowMaxHeight = 32;
    static constexpr int32_t kRows = 4;
    // The colour-key range runs from the key's pixel value to this much above it.
    static constexpr uint32_t kKeyRange = 100;

    // Picture "<folder>\<subfolder>\<name>.png"; colourKey is a GDI colour (0x00BBGGRR).
    CAnimation(const std::string& folder, const std::string& subfolder, const std::string& name, int32_t frameWidth,
               uint32_t colourKey);
    ~CAnimation();
    CAnimation(const CAnimation&) = delete;
    CAnimation& operator=(const CAnimation&) = delete;

    // The game path of the picture Load reads.
    static std::string PicturePath(const std::string& folder, const std::string& subfolder, const std::string& name);
    // Decodes the strip, makes its surface and works out the frame geometry. A missing picture
    // leaves the surface empty (every draw then draws nothing).
    void Load(const std::string& folder, const std::string& subfolder, const std::string& name, int32_t frameWidth,
              uint32_t colourKey);

    // Moves the frame on (once per displayed frame) and draws it with its top-left corner at the
    // screen position (x, y), stretched by scale.
    void Draw(int32_t x, int32_t y, float scale);

    // Refills a lost surface from the picture file; key and geometry stay as they are.
    void Restore();

    // Top-left corner of a frame inside the strip.
    void FrameOrigin(int32_t frame, int32_t& sx, int32_t& sy) const;

    SurfacePtr surface;
    uint32_t colourKey = 0;
    int32_t lastResult = 0;
    int32_t frameCount = 15;
    int32_t currentFrame = 0;
    int32_t frameWidth = 32;
    int32_t frameHeight = 32;
    bool singleRow = false;
    bool advancedThisFrame = false;
    int32_t lastFrameStamp = 0;
    std::string path;

    // Which copy the last draw used (for tests and the driver): true for the unclipped one.
    bool lastDrawFast = false;
};
