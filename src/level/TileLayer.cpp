// The level's scenery drawn from the collision grid: tiles, branches and artefacts.
#include "level/TileLayer.h"

#include <algorithm>
#include <cstdio>

#include "actors/CollisionMap.h"
#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "core/Messages.h"
#include "level/Level.h"
#include "platform/Platform.h"

namespace {

uint32_t sceneryRandomState = 1;

uint32_t TileColourKey(int32_t set) {
    if (set == 0) return 0x2043;
    if (set == 6) return 0x3940;
    return 0;
}

// Branches and artefacts share their key.
uint32_t DecorationColourKey(int32_t set) {
    return set == 0 ? 0x4B37 : 0;
}

std::string SceneryFolder(int32_t set) {
    char folder[64];
    std::snprintf(folder, sizeof(folder), "LevelDescriptions\\Level%ld\\", static_cast<long>(set));
    return folder;
}

// Branches: levels 2 and 3 space them by three cells, every other level by two.
int32_t BranchSpacing(int32_t levelNumber) {
    return (levelNumber == 2 || levelNumber == 3) ? 3 : 2;
}

struct ArtefactRule {
    int32_t pictures;  // c: how many pictures the set has
    int32_t divisor;   // d: a cell's hash must divide by it
    int32_t diagonal;  // g: (x + y) must divide by it
};

ArtefactRule ArtefactRuleOf(int32_t levelNumber) {
    if (levelNumber == 2 || levelNumber == 3) return {13, 2, 8};
    if (levelNumber == 4 || levelNumber == 5) return {17, 2, 4};
    if (levelNumber == 6 || levelNumber == 7) return {10, 2, 3};
    return {12, 4, 8};
}

// Decorations are never anchored on the grid's outermost cells.
bool InsideDecorationArea(int32_t x, int32_t y) {
    return x >= 1 && x <= 254 && y >= 1 && y <= 126;
}

}  // namespace

void SeedSceneryRandom(uint32_t seed) {
    sceneryRandomState = seed;
}

int32_t NextSceneryRandom() {
    sceneryRandomState = sceneryRandomState * 214013u + 2531011u;
    return static_cast<int32_t>((sceneryRandomState >> 16) & 0x7FFFu);
}

const std::array<const char*, CTileLayer::kKeyCount> CTileLayer::kKeys = {
    "48", "26", "4", "8", "2", "6", "46", "24", "68", "28", "2468", "268", "468", "248", "246",
};

std::vector<std::string> CTileLayer::PicturePaths(int32_t levelNumber) {
    const std::string folder = SceneryFolder(CLevel::ScenerySet(levelNumber));
    std::vector<std::string> paths;
    paths.reserve(kTileSlots + kBranchSlots + kArtefactSlots);
    char name[64];
    for (int i = 0; i < kTileSlots; ++i) {
        std::snprintf(name, sizeof(name), "%s_%d.png", kKeys[i % kKeyCount], i / kKeyCount);
        paths.push_back(folder + name);
    }
    for (int i = 0; i < kBranchSlots; ++i) {
        std::snprintf(name, sizeof(name), "Branch%d.png", i);
        paths.push_back(folder + name);
    }
    for (int i = 0; i < kArtefactSlots; ++i) {
        std::snprintf(name, sizeof(name), "Artefact%d.png", i);
        paths.push_back(folder + name);
    }
    return paths;
}

CTileLayer::CTileLayer(GameDlgFields* window, int32_t levelNumber)
    : sceneryNumber(CLevel::ScenerySet(levelNumber)), mainWindow(window) {
    const std::vector<std::string> paths = PicturePaths(levelNumber);

    colourKey = TileColourKey(sceneryNumber);
    for (int i = 0; i < kTileSlots; ++i) {
        LoadSlot(paths[i], tiles[i], messages::kTileSurface);
        if (tiles[i]) tileSpans[i] = std::make_unique<CSpanPicture>(tiles[i].get());
    }
    colourKey = DecorationColourKey(sceneryNumber);
    for (int i = 0; i < kBranchSlots; ++i) {
        LoadSlot(paths[kTileSlots + i], branches[i], messages::kBranchSurface);
        if (branches[i]) branchSpans[i] = std::make_unique<CSpanPicture>(branches[i].get());
    }
    for (int i = 0; i < kArtefactSlots; ++i) {
        LoadSlot(paths[kTileSlots + kBranchSlots + i], artefacts[i], messages::kArtefactSurface);
    }
}

CTileLayer::~CTileLayer() = default;

void CTileLayer::LoadSlot(const std::string& gamePath, SurfacePtr& slot, const MessageText& failureText) {
    platform::Image image;
    if (!platform::DecodeGamePicture(gamePath, image)) return;
    slot = MakePictureSurface(std::move(image));
    if (!slot) {
        ShowGameMessage(failureText);
        return;
    }
    SetSourceColourKey(slot.get(), colourKey);
}

int CTileLayer::TileIndexOfKey(const std::string& key) const {
    for (int i = 0; i < kKeyCount; ++i) {
        if (key == kKeys[i]) return i;
    }
    return -1;
}

int32_t CTileLayer::CellHash(int32_t a, int32_t b) {
    // Products and sums wrap as 32-bit values do.
    const uint32_t ua = static_cast<uint32_t>(a);
    SeedSceneryRandom(ua * ua);
    const uint32_t r = static_cast<uint32_t>(NextSceneryRandom());
    SeedSceneryRandom(r * static_cast<uint32_t>(b) + ua);
    return NextSceneryRandom();
}

int32_t CTileLayer::TileVariant(int32_t x, int32_t y) {
    const uint32_t ux = static_cast<uint32_t>(x);
    SeedSceneryRandom(ux * static_cast<uint32_t>(y) + ux);
    const uint32_t r1 = static_cast<uint32_t>(NextSceneryRandom());
    SeedSceneryRandom(r1 * ux);
    return NextSceneryRandom() % kDrawnVariants;
}

int32_t CTileLayer::BranchPicture(int32_t levelNumber, int32_t x, int32_t y, const std::string& key) {
    int32_t n = CellHash(x, y) % 25;
    if (levelNumber == 2 || levelNumber == 3) {
        // Horizontal runs take pictures 0 to 14, vertical runs 15 to 24.
        if (key == "26" && n >= 15) n %= 15;
        if (key == "48" && n <= 14) n = n % 10 + 15;
    } else if (levelNumber == 4 || levelNumber == 5) {
        if (key == "26") n %= 8;
        if (key == "48") n = n % 8 + 8;
    }
    return n;
}

bool CTileLayer::HasBranch(int32_t levelNumber, int32_t x, int32_t y, bool solid, const std::string& key) {
    const int32_t s = BranchSpacing(levelNumber);
    // A vertical run carries one on every s-th row, a horizontal run on every s-th column, any other
    // cell only where both coordinates are multiples of s.
    return solid && (x % s == 0 || key == "48") && (y % s == 0 || key == "26") && InsideDecorationArea(x, y);
}

int32_t CTileLayer::ArtefactPicture(int32_t levelNumber, int32_t x, int32_t y) {
    // The arguments are swapped on purpose: the picture and the place are chosen independently.
    return CellHash(y, x) % ArtefactRuleOf(levelNumber).pictures;
}

bool CTileLayer::HasArtefact(int32_t levelNumber, int32_t x, int32_t y, bool solid, const std::string& key) {
    const ArtefactRule rule = ArtefactRuleOf(levelNumber);
    // Only the inside of a flat run carries one: the run's end cells and cells under others do not.
    return solid && (x + y) % rule.diagonal == 0 && CellHash(x, y) % rule.divisor == 0 && key == "26" &&
           InsideDecorationArea(x, y);
}

void CTileLayer::DrawClipped(const platform::Surface* picture, int left, int top, int width, int height,
                             int sourceWidth, int sourceHeight) {
    platform::Surface* target = mainWindow ? mainWindow->drawTarget : nullptr;
    if (!target || !picture) return;
    platform::Rect dst{left, top, left + width, top + height};
    platform::Rect src{0, 0, sourceWidth, sourceHeight};
    const int screenWidth = mainWindow->screenWidth;
    const int screenHeight = mainWindow->screenHeight;
    platform::ClipToArea(dst, src, screenWidth, screenHeight);
    // Wholly off the screen, or a picture smaller than the part asked for: nothing is drawn.
    platform::Blt(target, dst, picture, src, true);
}

void CTileLayer::DrawSpans(const CSpanPicture* picture, int left, int top, int size) {
    platform::Surface* target = mainWindow ? mainWindow->drawTarget : nullptr;
    if (!target || !picture) return;
    picture->DrawClipped(target, platform::Rect{left, top, left + size, top + size}, platform::Rect{0, 0, size, size},
                         mainWindow->screenWidth, mainWindow->screenHeight);
}

void CTileLayer::DrawTiles() {
    const CLevel* level = GameGlobals::level;
    const CCollisionMap* map = GameGlobals::collisionMap;
    if (!level || !map || !mainWindow) return;
    const int camX = level->cameraX;
    const int camY = level->cameraY;
    const int lastX = (camX + mainWindow->screenWidth) / kCellSize;
    const int lastY = (camY + mainWindow->screenHeight) / kCellSize;
    for (int x = camX / kCellSize; x <= lastX; ++x) {
        for (int y = camY / kCellSize; y <= lastY; ++y) {
            if (x < 0 || x >= CCollisionMap::kColumns || y < 0 || y >= CCollisionMap::kRows) continue;
            if (!map->IsSolid(x, y)) continue;
            const int k = TileIndexOfKey(map->NeighbourKey(x, y));
            int slot = 0;
            if (k >= 0) {
                const int v = TileVariant(x, y);
                if (tiles[v * kKeyCount + k]) {
                    slot = v * kKeyCount + k;
                } else if (tiles[k]) {
                    slot = k;
                }
            }
            DrawSpans(tileSpans[slot].get(), kCellSize * x - camX, kCellSize * y - camY, kCellSize);
        }
    }
}

void CTileLayer::DrawBranches() {
    const CLevel* level = GameGlobals::level;
    const CCollisionMap* map = GameGlobals::collisionMap;
    if (!level || !map || !mainWindow) return;
    const int camX = level->cameraX;
    const int camY = level->cameraY;
    // A branch reaches two cells beyond its own, so one more row and column are visited.
    const int lastX = (camX + mainWindow->screenWidth) / kCellSize + 1;
    const int lastY = (camY + mainWindow->screenHeight) / kCellSize + 1;
    for (int x = camX / kCellSize; x <= lastX; ++x) {
        for (int y = camY / kCellSize; y <= lastY; ++y) {
            const std::string key = map->NeighbourKey(x, y);
            int n = BranchPicture(level->levelNumber, x, y, key);
            if (!HasBranch(level->levelNumber, x, y, map->IsSolid(x, y), key)) continue;
            if (!branches[n]) n = 0;
            DrawSpans(branchSpans[n].get(), kCellSize * (x - 2) - camX, kCellSize * (y - 2) - camY, kBranchSize);
        }
    }
}

void CTileLayer::DrawArtefacts() {
    const CLevel* level = GameGlobals::level;
    const CCollisionMap* map = GameGlobals::collisionMap;
    if (!level || !map || !mainWindow) return;
    const int camX = level->cameraX;
    const int camY = level->cameraY;
    // An artefact stands up to five cells above its run and two to the left of its cell.
    const int lastX = (camX + mainWindow->screenWidth) / kCellSize + 2;
    const int lastY = (camY + mainWindow->screenHeight) / kCellSize + 5;
    for (int x = camX / kCellSize; x <= lastX; ++x) {
        for (int y = camY / kCellSize; y <= lastY; ++y) {
            int n = ArtefactPicture(level->levelNumber, x, y);
            if (!HasArtefact(level->levelNumber, x, y, map->IsSolid(x, y), map->NeighbourKey(x, y))) continue;
            if (!artefacts[n]) n = 0;
            // The picture's top-left 80x80 is narrowed to 64 pixels, its bottom on the run's top edge.
            DrawClipped(artefacts[n].get(), kCellSize * (x - 2) - camX, kCellSize * (y - 5) - camY, kArtefactWidth,
                        kArtefactHeight, kBranchSize, kBranchSize);
        }
    }
}

bool CTileLayer::AnySurfaceLost() const {
    for (const SurfacePtr& s : tiles) {
        if (s && s->IsLost()) return true;
    }
    for (const SurfacePtr& s : branches) {
        if (s && s->IsLost()) return true;
    }
    for (const SurfacePtr& s : artefacts) {
        if (s && s->IsLost()) return true;
    }
    return false;
}
