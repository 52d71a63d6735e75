// Fuzz target: a collision file (LevelDescriptions\Level<N>.dat) read by CCollisionMap, then moved through.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "actors/CollisionMap.h"

using fuzz_support::Require;

namespace {

// Takes the bodies' numbers from the start of the same bytes (zero past the end), so that one input
// both fills the grid and says where to move in it.
class ByteTaker {
public:
    ByteTaker(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint32_t Take32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(Take8()) << (8 * i);
        return v;
    }
    uint8_t Take8() { return at_ < size_ ? data_[at_++] : 0; }
    // Anywhere on the world and somewhat around it.
    int TakePosition() { return static_cast<int>(Take32() % 6144u) - 1024; }
    // Raw bits: any float at all, infinities and NaN included.
    float TakeSpeed() {
        const uint32_t bits = Take32();
        float v;
        std::memcpy(&v, &bits, sizeof(v));
        return v;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

bool SameCells(const CCollisionMap& a, const CCollisionMap& b) {
    return std::memcmp(a.cells, b.cells, sizeof(a.cells)) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    fuzz_support::WriteGameFile("LevelDescriptions/Level5.dat", data, size);

    // The grid must hold exactly what the in-memory fill makes of the same bytes. (Made once: it is
    // large, and its own missing file is reported before the count below starts.)
    static CCollisionMap& expected = *new CCollisionMap(nullptr, -1);
    fuzz_support::TakeMessageCount();
    CCollisionMap map(nullptr, 5);
    std::memset(expected.cells, 0, sizeof(expected.cells));
    expected.FillFromFileBytes(data, size);
    Require(SameCells(map, expected), "the file and the in-memory fill disagree");
    const size_t messages = fuzz_support::TakeMessageCount();
    Require((messages == 1) == (size == 0), "an empty file must be reported once, and only it");

    const CPlatformList platforms({{200, 300}, {1000, 1500}, {4000, 2000}});
    map.platforms = &platforms;
    ByteTaker take(data, size);
    for (int round = 0; round < 3; ++round) {
        const int x = take.TakePosition();
        const int y = take.TakePosition();
        const float vx = take.TakeSpeed();
        const float vy = take.TakeSpeed();
        const int w = take.Take8();
        const int h = take.Take8();
        map.TestBox(x, y, w, h);
        const MoveResult hero = map.Move(x, y, vx, vy, w, h);
        const MoveResult enemy = map.MoveIgnoringPlatforms(x, y, vx, vy, w, h);
        // With finite speeds the result is a finite place.
        if (std::isfinite(vx) && std::isfinite(vy) && std::fabs(vx) < 1e6f && std::fabs(vy) < 1e6f) {
            Require(std::isfinite(hero.x) && std::isfinite(hero.y) && std::isfinite(enemy.x) && std::isfinite(enemy.y),
                    "a finite move ended at an infinite place");
        }
        for (int cx = -1; cx <= 1; ++cx) map.NeighbourKey(x / 16 + cx, y / 16);
    }
    fuzz_support::TakeMessageCount();
    return 0;
}
