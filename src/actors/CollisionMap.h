// The level's grid of solid 16-pixel cells: the box test and the two movement resolvers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct GameDlgFields;

// What a resolver did with a body. One record per map, overwritten by every call: copy what you
// need before the next call.
struct MoveResult {
    float x = 0.0f;
    float y = 0.0f;
    float vx = 0.0f;
    float vy = 0.0f;
    float blockedSideways = 0.0f;  // 1.0: only the vertical part of the move could be made
    float onStep = 0.0f;           // 1.0: the step rule lifted the body
};

// The top-left corner of a platform (a movable element) in world pixels; every platform is a
// 64x16 box for collisions, whatever its picture.
struct PlatformBox {
    int32_t x = 0;
    int32_t y = 0;
};

// A platform where the physics meets it: its top-left corner and how far it moved across in its
// last step (what a rider is carried by).
struct PlatformPosition {
    float x = 0.0f;
    float y = 0.0f;
    float vx = 0.0f;
};

// The level's platforms, in the order of the level's list, as the collision map and the hero see
// them: the level's movable elements, or a fixed list in their place.
class IPlatformSource {
public:
    virtual int PlatformCount() const = 0;
    // An index outside the list gives a platform at 0,0 standing still.
    virtual PlatformPosition PlatformAt(int index) const = 0;

protected:
    ~IPlatformSource() = default;
};

// Platforms that stay where they are put: tests and the solver stand these in for a level's.
class CPlatformList final : public IPlatformSource {
public:
    CPlatformList() = default;
    explicit CPlatformList(std::vector<PlatformPosition> list) : platforms(std::move(list)) {}
    int PlatformCount() const override { return static_cast<int>(platforms.size()); }
    PlatformPosition PlatformAt(int index) const override {
        return index >= 0 && index < PlatformCount() ? platforms[static_cast<size_t>(index)] : PlatformPosition{};
    }
    std::vector<PlatformPosition> platforms;
};

class CCollisionMap {
public:
    static constexpr int kColumns = 256;
    static constexpr int kRows = 128;
    static constexpr int kCellCount = kColumns * kRows;
    static constexpr int kWorldWidth = 4096;
    static constexpr int kWorldHeight = 2048;
    static constexpr int kPlatformWidth = 64;
    static constexpr int kPlatformHeight = 16;
    // A body is narrowed by this much on each side for every collision test.
    static constexpr int kSideInset = 20;

    // Test results of TestBox.
    static constexpr int32_t kFree = 0;
    static constexpr int32_t kSolid = 1;
    static constexpr int32_t kPlatform = 2;

    // Reads "LevelDescriptions\Level<N>.dat". A missing or empty file is reported and leaves every
    // cell free; the level still starts.
    CCollisionMap(GameDlgFields* window, int32_t levelNumber);
    ~CCollisionMap();
    CCollisionMap(const CCollisionMap&) = delete;
    CCollisionMap& operator=(const CCollisionMap&) = delete;

    // Fills the cells from the bytes of a collision file, in block order. Only the first
    // size - 2 bytes count, and at most one per cell; cells the bytes do not reach stay as they are.
    void FillFromFileBytes(const unsigned char* bytes, size_t size);

    // 0 free, 1 solid (a solid cell or outside the world), 2 touching a platform.
    int32_t TestBox(int x, int y, int w, int h) const;
    // The hero's resolver: platforms are obstacles.
    const MoveResult& Move(int x, int y, float vx, float vy, int w, int h);
    // The enemies' resolver: platforms are air.
    const MoveResult& MoveIgnoringPlatforms(int x, int y, float vx, float vy, int w, int h);

    // Which of the four neighbours of a solid cell are solid: "2" right, "4" below, "6" left,
    // "8" above, in that order; empty for a free cell. Cells off the grid count as free.
    std::string NeighbourKey(int cx, int cy) const;

    // The cell's value; 0 (free) off the grid.
    int32_t Cell(int cx, int cy) const {
        return (cx >= 0 && cx < kColumns && cy >= 0 && cy < kRows) ? cells[cx * kRows + cy] : 0;
    }
    bool IsSolid(int cx, int cy) const { return Cell(cx, cy) != 0; }
    void SetCell(int cx, int cy, int32_t value) {
        if (cx >= 0 && cx < kColumns && cy >= 0 && cy < kRows) cells[cx * kRows + cy] = value;
    }

    // Column by column: cell (cx, cy) is element cx * 128 + cy. 0 is free, anything else solid.
    int32_t cells[kCellCount] = {};
    int32_t cellSize = 16;
    int32_t blocksAcross = 16;
    int32_t blocksDown = 8;
    std::unique_ptr<MoveResult> moveResult;

    // The platforms the box test and the hero see: the running level's movable elements, set by the
    // level for its lifetime; none when null.
    const IPlatformSource* platforms = nullptr;

    // A platform's collision box: its corner truncated and kept within the actors' range.
    static PlatformBox BoxOf(const PlatformPosition& platform);

private:
    const MoveResult& Resolve(int x, int y, float vx, float vy, int w, int h, bool platformsAreSolid);
    // A cell that the outline walk names: cells off the grid (row 128, column 256 and beyond)
    // are solid, like the world's edges.
    bool OutlineCellSolid(int cx, int cy) const {
        return cx < 0 || cx >= kColumns || cy < 0 || cy >= kRows || cells[cx * kRows + cy] != 0;
    }
    bool TouchesPlatform(int x, int y, int w, int h) const;
    // TestBox without the platforms: kSolid or kFree.
    int32_t TestGrid(int x, int y, int w, int h) const;
};
