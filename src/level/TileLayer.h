// The level's scenery drawn from the collision grid: tiles, branches and artefacts.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Messages.h"
#include "gfx/Surfaces.h"
#include "level/SpanPicture.h"

struct GameDlgFields;

// The scenery's pseudo-random numbers: one generator for the whole program, reseeded from a cell's
// coordinates before every choice, so a cell looks the same in every frame.
void SeedSceneryRandom(uint32_t seed);
// state = state * 214013 + 2531011; the result is bits 16 to 30 of the new state (0 to 32767).
int32_t NextSceneryRandom();

class CTileLayer {
public:
    static constexpr int kTileSlots = 200;
    static constexpr int kBranchSlots = 50;
    static constexpr int kArtefactSlots = 30;
    static constexpr int kKeyCount = 15;
    static constexpr int kCellSize = 16;
    static constexpr int kBranchSize = 80;
    static constexpr int kArtefactWidth = 64;
    static constexpr int kArtefactHeight = 80;
    // Variants of a key that are drawn; the pictures above them are loaded but never shown.
    static constexpr int kDrawnVariants = 4;

    // Loads the tile, branch and artefact pictures of the level's scenery set.
    CTileLayer(GameDlgFields* window, int32_t levelNumber);
    // The game paths of the pictures the constructor loads, in its order: tiles, branches, artefacts.
    static std::vector<std::string> PicturePaths(int32_t levelNumber);
    ~CTileLayer();
    CTileLayer(const CTileLayer&) = delete;
    CTileLayer& operator=(const CTileLayer&) = delete;

    // Each draws onto the main window's target with the current level's camera and the collision
    // map's cells (both from GameGlobals).
    void DrawTiles();
    void DrawBranches();
    void DrawArtefacts();

    // Position of a neighbour key in the key table; -1 for a key not in it (only the empty key).
    int TileIndexOfKey(const std::string& key) const;
    // Two draws of the scenery generator seeded from a and b.
    static int32_t CellHash(int32_t a, int32_t b);
    // Which tile variant (0 to 3) a cell shows.
    static int32_t TileVariant(int32_t x, int32_t y);
    // The branch picture a cell would show, before the fall-back to slot 0.
    static int32_t BranchPicture(int32_t levelNumber, int32_t x, int32_t y, const std::string& key);
    // Whether a branch hangs on this cell (solidity and grid limits included).
    static bool HasBranch(int32_t levelNumber, int32_t x, int32_t y, bool solid, const std::string& key);
    // The artefact picture a cell would show, and whether one stands on it.
    static int32_t ArtefactPicture(int32_t levelNumber, int32_t x, int32_t y);
    static bool HasArtefact(int32_t levelNumber, int32_t x, int32_t y, bool solid, const std::string& key);

    // Whether the display lost any of these pictures since they were filled.
    bool AnySurfaceLost() const;

    std::array<SurfacePtr, kTileSlots> tiles;
    std::array<SurfacePtr, kBranchSlots> branches;
    std::array<SurfacePtr, kArtefactSlots> artefacts;
    // The tiles and branches as runs of visible pixels, for drawing (artefacts are stretched).
    std::array<std::unique_ptr<CSpanPicture>, kTileSlots> tileSpans;
    std::array<std::unique_ptr<CSpanPicture>, kBranchSlots> branchSpans;
    static const std::array<const char*, kKeyCount> kKeys;
    uint32_t colourKey = 0;
    int32_t sceneryNumber = 0;
    GameDlgFields* mainWindow = nullptr;

private:
    // Loads one picture into a slot; a missing picture leaves it empty, a surface that cannot be
    // made is reported with the layer's text.
    void LoadSlot(const std::string& gamePath, SurfacePtr& slot, const MessageText& failureText);
    // Copies the top-left of a picture into a destination rectangle cut to the screen; the
    // source loses as many pixels on each side as the destination.
    void DrawClipped(const platform::Surface* picture, int left, int top, int width, int height, int sourceWidth,
                     int sourceHeight);
    // The same for a picture drawn at its own size.
    void DrawSpans(const CSpanPicture* picture, int left, int top, int size);
};
