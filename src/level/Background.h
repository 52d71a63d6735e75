// One scrolling background layer: a grid of 512x512 pieces that moves slower than the camera.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Surfaces.h"
#include "level/SpanPicture.h"

struct GameDlgFields;

class CBackground {
public:
    static constexpr int kPieceColumns = 9;
    static constexpr int kPieceRows = 5;
    static constexpr int kPieceSize = 512;
    static constexpr int32_t kNearLayer = 1;
    static constexpr int32_t kFarLayer = 2;

    // Loads the layer's pieces of the level's scenery set. The caller looks at creationFailed.
    CBackground(int32_t levelNumber, GameDlgFields* window, int32_t layer, float factor);
    // The game paths of the pieces the constructor loads, in its order (fall-backs left out).
    static std::vector<std::string> PicturePaths(int32_t levelNumber, int32_t layer, float factor);
    ~CBackground();
    CBackground(const CBackground&) = delete;
    CBackground& operator=(const CBackground&) = delete;

    // Draws the visible pieces with the current level's camera and piece counts (GameGlobals).
    void Draw();

    // Where a piece column or row starts on the screen for a camera position, and which piece is
    // the first visible one (both exposed for tests).
    struct Placement {
        int32_t firstColumn = 0;
        int32_t firstRow = 0;
        int32_t offsetX = 0;  // zero or negative: how far the first piece starts left of the screen
        int32_t offsetY = 0;
    };
    Placement PlaceFor(int32_t cameraX, int32_t cameraY) const;

    // Whether the display lost any of the pieces since they were filled.
    bool AnySurfaceLost() const;

    // pieces[column][row]; any entry may be empty.
    std::array<std::array<SurfacePtr, kPieceRows>, kPieceColumns> pieces;
    // The same pieces as runs of visible pixels, for drawing.
    std::array<std::array<std::unique_ptr<CSpanPicture>, kPieceRows>, kPieceColumns> pieceSpans;
    int32_t layer = kFarLayer;
    // The layer's size as a fraction of the level's, and the basis of its scroll speed.
    float factor = 0.0f;
    float verticalSlowdown = 0.8f;
    // The last piece column and row that drawing accepts.
    int32_t lastColumn = 0;
    int32_t lastRow = 0;
    uint32_t colourKey = 0;
    bool allLoaded = false;
    bool creationFailed = false;
    GameDlgFields* mainWindow = nullptr;
};
