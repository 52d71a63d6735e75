// The level's grid of solid 16-pixel cells: the box test and the two movement resolvers.
#include "actors/CollisionMap.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "actors/Arithmetic.h"
#include "core/Messages.h"
#include "platform/Files.h"
#include "platform/Platform.h"

namespace {

// Only this many bytes of a collision file are ever used: one per cell, then two that never count.
constexpr long kUsefulFileBytes = CCollisionMap::kCellCount + 2;
// How far the lift-out and the stuck searches look, and how far a body is pushed off a platform.
constexpr int kLiftLimit = 20;
constexpr int kPlatformPushLimit = 5;

// Positions worked out during a move stay within this many pixels, so that a wild speed can overflow
// neither the conversion nor the sums made with the result; NaN counts as far up or left.
constexpr int32_t kMoveRange = 1000000000;

int Trunc(double value) {
    return TruncateWithin(value, -kMoveRange, kMoveRange, -kMoveRange);
}

}  // namespace

CCollisionMap::CCollisionMap(GameDlgFields*, int32_t levelNumber) : moveResult(std::make_unique<MoveResult>()) {
    char name[64];
    std::snprintf(name, sizeof(name), "LevelDescriptions\\Level%ld.dat", static_cast<long>(levelNumber));
    std::FILE* file = std::fopen(platform::ResolveGamePath(name).c_str(), "rb");
    long length = 0;
    if (file && std::fseek(file, 0, SEEK_END) == 0) {
        length = std::ftell(file);
        std::rewind(file);
    }
    if (!file || length <= 0) {
        if (file) std::fclose(file);
        ShowGameMessage(messages::kCollisionFileRead);
        return;
    }
    // A longer file is fine, but nothing past the cells and the two spare bytes is ever looked at.
    std::vector<unsigned char> bytes(static_cast<size_t>(std::min(length, kUsefulFileBytes)));
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    // The two spare bytes belong to the file's length, not to what we managed to read.
    const long usable = std::min(length - 2, static_cast<long>(kCellCount));
    if (usable > 0) FillFromFileBytes(bytes.data(), std::min(static_cast<size_t>(usable), got) + 2);
}

CCollisionMap::~CCollisionMap() = default;

void CCollisionMap::FillFromFileBytes(const unsigned char* bytes, size_t size) {
    // A file of one or two bytes holds no cell at all.
    if (size <= 2) return;
    const size_t count = std::min(size - 2, static_cast<size_t>(kCellCount));
    for (size_t k = 0; k < count; ++k) {
        // Blocks of 16x16 cells, left to right and top to bottom inside each block column; each block
        // holds its columns left to right, each column its cells top to bottom.
        const int bx = static_cast<int>(k / 2048);
        const int by = static_cast<int>((k / 256) % 8);
        const int i = static_cast<int>((k / 16) % 16);
        const int j = static_cast<int>(k % 16);
        cells[(16 * bx + i) * kRows + 16 * by + j] = static_cast<int32_t>(static_cast<signed char>(bytes[k]));
    }
}

int32_t CCollisionMap::TestBox(int x, int y, int w, int h) const {
    const int32_t grid = TestGrid(x, y, w, h);
    if (grid == kSolid) return kSolid;
    return TouchesPlatform(x, y, w, h) ? kPlatform : kFree;
}

int32_t CCollisionMap::TestGrid(int x, int y, int w, int h) const {
    // Sums in 64 bits: positions and sizes come from description files and may be anything.
    const int64_t left = static_cast<int64_t>(x) + kSideInset;
    const int64_t right = static_cast<int64_t>(x) + w - kSideInset;
    const int64_t bottomEdge = static_cast<int64_t>(y) + h;
    if (bottomEdge > kWorldHeight || y < 20 || left < 44 || left > kWorldWidth) return kSolid;

    // The outline of the narrowed box: its top and bottom rows across the columns of pixels
    // left .. x + w - 21, then its left and right columns down the rows of pixels y .. y + h - 1.
    // Walking cell by cell visits exactly the cells a pixel-by-pixel walk would. Columns past the
    // grid count as solid, so a walk never runs far beyond it.
    if (static_cast<int64_t>(w) - 41 >= 0) {
        const int top = y / 16;
        const int bottom = static_cast<int>(bottomEdge / 16);
        const int lastColumn = static_cast<int>((static_cast<int64_t>(x) + w - 21) / 16);
        for (int cx = static_cast<int>(left / 16); cx <= lastColumn; ++cx) {
            if (OutlineCellSolid(cx, top) || OutlineCellSolid(cx, bottom)) return kSolid;
        }
    }
    if (h - 1 >= 0) {
        const int leftColumn = static_cast<int>(left / 16);
        const int rightColumn = static_cast<int>(right / 16);
        const int lastRow = static_cast<int>((bottomEdge - 1) / 16);
        for (int cy = y / 16; cy <= lastRow; ++cy) {
            if (OutlineCellSolid(leftColumn, cy) || OutlineCellSolid(rightColumn, cy)) return kSolid;
        }
    }

    return kFree;
}

bool CCollisionMap::TouchesPlatform(int x, int y, int w, int h) const {
    const int64_t left = static_cast<int64_t>(x) + kSideInset;
    const int64_t right = static_cast<int64_t>(x) + w - kSideInset;
    const int64_t bottomEdge = static_cast<int64_t>(y) + h;
    auto overlaps = [&](const PlatformBox& p) {
        const int64_t px = p.x;
        const int64_t py = p.y;
        const bool across = left <= px + kPlatformWidth && px <= right;
        // Only the platform's top and bottom edges are looked for inside the box: a box lying wholly
        // between them does not see the platform.
        const bool down =
            (py >= y && py <= bottomEdge) || (py + kPlatformHeight >= y && py + kPlatformHeight <= bottomEdge);
        return across && down;
    };
    if (!platforms) return false;
    const int count = platforms->PlatformCount();
    for (int i = 0; i < count; ++i) {
        if (overlaps(BoxOf(platforms->PlatformAt(i)))) return true;
    }
    return false;
}

PlatformBox CCollisionMap::BoxOf(const PlatformPosition& platform) {
    return PlatformBox{ClampCoordinate(TruncateToInt(platform.x)), ClampCoordinate(TruncateToInt(platform.y))};
}

const MoveResult& CCollisionMap::Move(int x, int y, float vx, float vy, int w, int h) {
    return Resolve(x, y, vx, vy, w, h, true);
}

const MoveResult& CCollisionMap::MoveIgnoringPlatforms(int x, int y, float vx, float vy, int w, int h) {
    return Resolve(x, y, vx, vy, w, h, false);
}

const MoveResult& CCollisionMap::Resolve(int x, int y, float vx, float vy, int w, int h, bool platformsAreSolid) {
    MoveResult& r = *moveResult;
    r.x = static_cast<float>(x);
    r.y = static_cast<float>(y);
    r.vx = vx;
    r.vy = vy;
    r.blockedSideways = 0.0f;
    r.onStep = 0.0f;

    // Only the hero's resolver tells platforms from air (the step rule below excepted), so the
    // enemies' one skips looking for them.
    auto test = [&](int bx, int by) { return platformsAreSolid ? TestBox(bx, by, w, h) : TestGrid(bx, by, w, h); };
    // Where a body may be. For the enemies a platform is as good as air.
    auto open = [&](int bx, int by) {
        const int32_t t = test(bx, by);
        return platformsAreSolid ? t == kFree : t != kSolid;
    };
    auto solid = [&](int bx, int by) { return test(bx, by) == kSolid; };
    // Lifts the body out of the ground after a step: the first height within the limit that is not
    // solid; no such height leaves it where the step put it.
    auto liftOut = [&]() {
        for (int d = 0; d < kLiftLimit; ++d) {
            if (!solid(Trunc(std::floor(r.x)), Trunc(std::floor(r.y - static_cast<float>(d))))) {
                r.y -= static_cast<float>(d);
                return;
            }
        }
    };

    // A single solid cell ahead with room above it is a 45-degree slope: the body's height follows
    // its position inside the cell, one pixel up per pixel forward.
    if (open(x, y) && solid(x + 16, y) && solid(x, y + 16) && TestBox(x + 16, y - 16, w, h) == kFree &&
        open(x, y - 16)) {
        r.x = static_cast<float>(x) + vx;
        const int s = Trunc(std::fmod(static_cast<double>(r.x), 16.0));
        if (s != 15 && vx >= -1.0f) r.y = static_cast<float>(16 * Trunc(y / 16.0) + 15 - s);
        r.vy = 0.0f;
        liftOut();
        r.onStep = 1.0f;
        return r;
    }
    if (open(x, y) && solid(x - 16, y) && solid(x, y + 16) && open(x - 16, y - 16)) {
        r.x = static_cast<float>(x) + vx;
        const int s = Trunc(15.0 - std::fmod(static_cast<double>(r.x), 16.0));
        if (s != 0 && vx <= 1.0f) r.y = static_cast<float>(16 * Trunc(y / 16.0) + 15 - s);
        r.vy = 0.0f;
        liftOut();
        r.onStep = 1.0f;
        return r;
    }

    const int nx = Trunc(static_cast<double>(x) + vx);
    const int ny = Trunc(static_cast<double>(y) + vy);
    if (open(nx, ny)) {
        r.x = static_cast<float>(x) + vx;
        r.y = static_cast<float>(y) + vy;
        return r;
    }
    if (open(x, ny)) {
        r.y = static_cast<float>(y) + vy;
        r.vx = 0.0f;
        r.blockedSideways = 1.0f;
        return r;
    }
    if (open(nx, y)) {
        r.x = static_cast<float>(x) + vx;
        r.vy = 0.0f;
        return r;
    }

    // Stuck: the nearest open height above, else below, within the limit.
    bool lifted = false;
    for (int d = 0; d < kLiftLimit; ++d) {
        if (open(x, y - d)) {
            r.y = static_cast<float>(y - d);
            lifted = true;
            break;
        }
    }
    if (!lifted) {
        for (int d = 0; d < kLiftLimit; ++d) {
            if (open(x, y + d)) {
                r.y = static_cast<float>(y + d);
                break;
            }
        }
    }
    if (platformsAreSolid) {
        // Off a platform sideways, left first.
        const int yNow = Trunc(r.y);
        bool pushed = false;
        for (int k = 0; k < kPlatformPushLimit; ++k) {
            if (test(x - k, yNow) != kPlatform) {
                r.x -= static_cast<float>(k);
                pushed = true;
                break;
            }
        }
        if (!pushed) {
            for (int m = 0; m < kPlatformPushLimit; ++m) {
                if (test(x + m, yNow) != kPlatform) {
                    r.x += static_cast<float>(m);
                    break;
                }
            }
        }
    }
    if (open(nx, Trunc(r.y))) r.x = static_cast<float>(x) + vx;
    r.vx = 0.0f;
    r.vy = 0.0f;
    return r;
}

std::string CCollisionMap::NeighbourKey(int cx, int cy) const {
    std::string key;
    if (!IsSolid(cx, cy)) return key;
    if (IsSolid(cx + 1, cy)) key += '2';
    if (IsSolid(cx, cy + 1)) key += '4';
    if (IsSolid(cx - 1, cy)) key += '6';
    if (IsSolid(cx, cy - 1)) key += '8';
    return key;
}
