// Tests of the collision map: the file reader, the box test, platforms and the two movement resolvers.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "LevelFixture.h"
#include "actors/CollisionMap.h"

namespace {

using levelfixture::CollisionFileBytes;
using levelfixture::WriteFile;

const char kReadError[] = "B\xb3\xb9\x64 Odczytu Pliku Kolizji";

class CollisionMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.ok());
        map_ = std::make_unique<CCollisionMap>(nullptr, 0);  // no file: every cell free
        services_.messages.shown.clear();
    }

    // Solid cells over a rectangle of cells (inclusive).
    void Solid(int cx0, int cy0, int cx1, int cy1) {
        for (int cx = cx0; cx <= cx1; ++cx) {
            for (int cy = cy0; cy <= cy1; ++cy) map_->SetCell(cx, cy, 1);
        }
    }

    testing_support::TempGameFolder folder_;
    testing_support::HeadlessServices services_;
    std::unique_ptr<CCollisionMap> map_;
};

// ---- the file ----

TEST_F(CollisionMapTest, FileBytesGoToTheirCellsInBlockOrder) {
    std::string bytes(CCollisionMap::kCellCount + 2, '\0');
    // Byte k -> cell, worked out by hand from the block layout.
    const std::tuple<size_t, int, int> cases[] = {
        {0, 0, 0},       {1, 0, 1},     {15, 0, 15},        {16, 1, 0},        {255, 15, 15},         {256, 0, 16},
        {2047, 15, 127}, {2048, 16, 0}, {2048 + 17, 17, 1}, {32767, 255, 127}, {256 * 9 + 5, 16, 21},
    };
    for (const auto& [k, cx, cy] : cases) bytes[k] = 1;
    WriteFile("LevelDescriptions/Level3.dat", bytes);
    CCollisionMap map(nullptr, 3);
    int solidCount = 0;
    for (int32_t v : map.cells) solidCount += v != 0;
    EXPECT_EQ(solidCount, static_cast<int>(std::size(cases)));
    for (const auto& [k, cx, cy] : cases) EXPECT_TRUE(map.IsSolid(cx, cy)) << "byte " << k;
    EXPECT_TRUE(services_.messages.shown.empty());
}

TEST_F(CollisionMapTest, CellValuesAreSignedBytes) {
    std::string bytes = CollisionFileBytes([](int cx, int cy) -> int8_t {
        if (cx == 1 && cy == 2) return -1;
        if (cx == 3 && cy == 4) return -128;
        if (cx == 5 && cy == 6) return 127;
        return 0;
    });
    WriteFile("LevelDescriptions/Level0.dat", bytes);
    CCollisionMap map(nullptr, 0);
    EXPECT_EQ(map.Cell(1, 2), -1);
    EXPECT_EQ(map.Cell(3, 4), -128);
    EXPECT_EQ(map.Cell(5, 6), 127);
    EXPECT_EQ(map.Cell(0, 0), 0);
}

TEST_F(CollisionMapTest, OnlyTheFirstLengthMinusTwoBytesCount) {
    // Every byte solid: the length alone decides how many cells are filled.
    const std::tuple<size_t, int> cases[] = {{1, 0},         {2, 0},         {3, 1},        {18, 16},
                                             {32769, 32767}, {32770, 32768}, {40000, 32768}};
    for (const auto& [length, filled] : cases) {
        WriteFile("LevelDescriptions/Level1.dat", std::string(length, '\x05'));
        services_.messages.shown.clear();
        CCollisionMap map(nullptr, 1);
        int solidCount = 0;
        for (int32_t v : map.cells) solidCount += v != 0;
        EXPECT_EQ(solidCount, filled) << "length " << length;
        EXPECT_TRUE(services_.messages.shown.empty()) << "length " << length;
    }
    // 17 bytes fill cells (0,0) to (0,14) of the first block column.
    WriteFile("LevelDescriptions/Level1.dat", std::string(17, '\x05'));
    CCollisionMap map(nullptr, 1);
    EXPECT_TRUE(map.IsSolid(0, 14));
    EXPECT_FALSE(map.IsSolid(0, 15));
}

TEST_F(CollisionMapTest, MissingOrEmptyFileIsReportedAndLeavesEverythingFree) {
    for (const bool empty : {false, true}) {
        if (empty) WriteFile("LevelDescriptions/Level2.dat", "");
        services_.messages.shown.clear();
        CCollisionMap map(nullptr, 2);
        ASSERT_EQ(services_.messages.shown.size(), 1u);
        EXPECT_EQ(services_.messages.shown[0], kReadError);
        for (int32_t v : map.cells) ASSERT_EQ(v, 0);
        // The map works all the same.
        EXPECT_EQ(map.TestBox(100, 100, 60, 40), CCollisionMap::kFree);
    }
}

TEST_F(CollisionMapTest, FileNameIsFoundWhateverItsLetterCase) {
    WriteFile("leveldescriptions/LEVEL7.DAT",
              CollisionFileBytes([](int cx, int cy) -> int8_t { return cx == 9 && cy == 9; }));
    CCollisionMap map(nullptr, 7);
    EXPECT_TRUE(map.IsSolid(9, 9));
    EXPECT_TRUE(services_.messages.shown.empty());
}

// ---- the box test ----

TEST_F(CollisionMapTest, WorldEdgesAreSolid) {
    // The grid is 4096 x 2048; an outline naming row 128 or column 256 counts as solid.
    const std::tuple<int, int, int, int, int32_t> cases[] = {
        {100, 19, 60, 40, CCollisionMap::kSolid},    {100, 20, 60, 40, CCollisionMap::kFree},
        {23, 100, 60, 40, CCollisionMap::kSolid},    {24, 100, 60, 40, CCollisionMap::kFree},
        {100, 2009, 60, 40, CCollisionMap::kSolid},  // bottom edge at 2049
        {100, 2008, 60, 40, CCollisionMap::kSolid},  // bottom edge exactly 2048
        {100, 2007, 60, 40, CCollisionMap::kFree},   // bottom edge at 2047
        {4077, 100, 60, 40, CCollisionMap::kSolid},  // inset left edge at 4097
        {4076, 100, 60, 40, CCollisionMap::kSolid},  // inset 4096 .. 4116
        {4040, 100, 76, 40, CCollisionMap::kSolid},  // inset 4060 .. 4096
        {4040, 100, 75, 40, CCollisionMap::kFree},   // inset 4060 .. 4095
        {-1000, 100, 60, 40, CCollisionMap::kSolid}, {100, -500, 60, 40, CCollisionMap::kSolid},
    };
    for (const auto& [x, y, w, h, expected] : cases) {
        EXPECT_EQ(map_->TestBox(x, y, w, h), expected) << x << "," << y << " " << w;
    }
}

TEST_F(CollisionMapTest, BoxesAtTheGridsEdgesNeverLeaveIt) {
    // Every cell solid except a free border band, so any cell read decides something; run under the
    // sanitizers this also shows that no read falls outside the grid.
    Solid(0, 0, 255, 127);
    for (int x : {-30, 0, 23, 24, 4000, 4039, 4040, 4056, 4076, 4077, 4100}) {
        for (int y : {-20, 19, 20, 1980, 2000, 2008, 2009, 2047, 2048}) {
            for (int w : {-10, 0, 10, 40, 41, 56, 100}) {
                for (int h : {-40, -1, 0, 1, 32, 48}) {
                    const int32_t t = map_->TestBox(x, y, w, h);
                    ASSERT_TRUE(t == CCollisionMap::kFree || t == CCollisionMap::kSolid) << x << "," << y;
                }
            }
        }
    }
    for (int cx = -2; cx <= 257; ++cx) {
        for (int cy : {-2, -1, 0, 127, 128, 129}) EXPECT_LE(map_->NeighbourKey(cx, cy).size(), 4u);
    }
}

TEST_F(CollisionMapTest, TheOutlineFindsSolidCellsOnItsEdgesOnly) {
    Solid(10, 10, 10, 10);  // pixels 160..175 both ways
    // Bodies 60 wide (inset 40) and 40 tall unless said otherwise.
    const std::tuple<int, int, int, int, int32_t, const char*> cases[] = {
        {130, 150, 60, 40, CCollisionMap::kSolid, "the cell on the inset's right column"},
        {130, 100, 60, 59, CCollisionMap::kFree, "bottom edge at 159: one pixel above the cell"},
        {130, 100, 60, 60, CCollisionMap::kSolid, "bottom edge on the cell's first pixel row"},
        {130, 176, 60, 40, CCollisionMap::kFree, "top at 176: just below"},
        {130, 175, 60, 40, CCollisionMap::kSolid, "top on the cell's last pixel row"},
        {155, 150, 60, 40, CCollisionMap::kSolid, "inset left edge at 175"},
        {156, 150, 60, 40, CCollisionMap::kFree, "inset left edge at 176"},
        {120, 150, 60, 40, CCollisionMap::kSolid, "inset right edge at 160"},
        {119, 150, 60, 40, CCollisionMap::kFree, "inset right edge at 159"},
        {100, 120, 120, 100, CCollisionMap::kFree, "the cell lies inside the outline"},
    };
    for (const auto& [x, y, w, h, expected, why] : cases) EXPECT_EQ(map_->TestBox(x, y, w, h), expected) << why;
}

TEST_F(CollisionMapTest, PlatformsAreFoundByTheirEdgesInsideTheBox) {
    CPlatformList platforms({{200, 300}});  // 200..264 across, 300..316 down
    map_->platforms = &platforms;
    const std::tuple<int, int, int, int, int32_t, const char*> cases[] = {
        {200, 280, 60, 40, CCollisionMap::kPlatform, "top edge inside"},
        {200, 310, 60, 40, CCollisionMap::kPlatform, "bottom edge inside"},
        {200, 260, 60, 40, CCollisionMap::kPlatform, "box bottom exactly on the platform's top"},
        {200, 316, 60, 40, CCollisionMap::kPlatform, "box top exactly on the platform's bottom"},
        {200, 317, 60, 40, CCollisionMap::kFree, "below"},
        {200, 259, 60, 40, CCollisionMap::kFree, "above"},
        {200, 307, 60, 2, CCollisionMap::kFree, "a thin probe between the edges does not see it"},
        {200, 299, 60, 2, CCollisionMap::kPlatform, "a thin probe over the top edge does"},
        {244, 290, 60, 40, CCollisionMap::kPlatform, "inset left edge 264 on the platform's right end"},
        {245, 290, 60, 40, CCollisionMap::kFree, "inset left edge 265"},
        {160, 290, 60, 40, CCollisionMap::kPlatform, "inset right edge 200 on the platform's left end"},
        {159, 290, 60, 40, CCollisionMap::kFree, "inset right edge 199"},
    };
    for (const auto& [x, y, w, h, expected, why] : cases) EXPECT_EQ(map_->TestBox(x, y, w, h), expected) << why;

    // A solid cell wins over a platform.
    Solid(13, 18, 13, 18);  // on the outline's left column
    EXPECT_EQ(map_->TestBox(200, 280, 60, 40), CCollisionMap::kSolid);
}

// ---- neighbour keys ----

TEST_F(CollisionMapTest, NeighbourKeys) {
    Solid(10, 10, 12, 10);  // a run of three
    Solid(20, 5, 20, 7);    // a column of three
    Solid(30, 30, 32, 32);  // a 3x3 block
    map_->SetCell(40, 40, 1);
    map_->SetCell(0, 0, 1);
    map_->SetCell(1, 0, 1);
    map_->SetCell(255, 127, 1);
    map_->SetCell(255, 126, 1);
    const std::tuple<int, int, const char*> cases[] = {
        {10, 10, "2"},   {11, 10, "26"},  {12, 10, "6"},    {20, 5, "4"},    {20, 6, "48"},
        {20, 7, "8"},    {30, 30, "24"},  {31, 31, "2468"}, {32, 31, "468"}, {31, 30, "246"},
        {31, 32, "268"}, {30, 31, "248"}, {40, 40, ""},     {41, 40, ""},    {0, 0, "2"},
        {1, 0, "6"},     {255, 127, "8"}, {255, 126, "4"},  {-1, 0, ""},     {256, 127, ""},
    };
    for (const auto& [cx, cy, key] : cases) EXPECT_EQ(map_->NeighbourKey(cx, cy), key) << cx << "," << cy;
}

// ---- the resolvers ----
// A body 56 wide (inset 16) and 32 tall standing on ground that starts at row 20 (pixel 320):
// y = 287, its bottom edge on pixel row 319. A single solid cell at column 10 (pixels 160..175).

// A move's result as one value: {x, y, vx, vy, onStep, blockedSideways}.
std::array<float, 6> All(const MoveResult& r) {
    return {r.x, r.y, r.vx, r.vy, r.onStep, r.blockedSideways};
}

class ResolverTest : public CollisionMapTest {
protected:
    static constexpr int kW = 56;
    static constexpr int kH = 32;
    void SetUp() override {
        CollisionMapTest::SetUp();
        Solid(0, 20, 255, 127);
    }
};

TEST_F(ResolverTest, StepUpFollowsThePositionInsideTheCell) {
    map_->SetCell(10, 19, 1);
    const std::tuple<int, float, float, float, float, const char*> cases[] = {
        {120, 2.0f, 3.0f, 122.0f, 277.0f, "s = 10: y = 272 + 15 - 10"},
        {109, 2.0f, 3.0f, 111.0f, 287.0f, "s = 15: y stays"},
        {120, -2.0f, 3.0f, 118.0f, 287.0f, "moving back faster than 1: y stays"},
        {120, 10.0f, 3.0f, 130.0f, 271.0f, "a fast body is lifted out onto the cell (285 - 14)"},
        {120, 0.0f, 3.0f, 120.0f, 279.0f, "s = 8, standing still"},
        {160, -2.0f, 0.0f, 158.0f, 286.0f, "to the left, s = 1: y = 272 + 14"},
        {161, -2.0f, 0.0f, 159.0f, 287.0f, "to the left, s = 0: y stays"},
        {160, 2.0f, 0.0f, 162.0f, 287.0f, "moving away faster than 1: y stays"},
        {120, -1.0f, 3.0f, 119.0f, 280.0f, "moving back at exactly 1 still follows: s = 7"},
        {160, 1.0f, 0.0f, 161.0f, 273.0f, "moving away at exactly 1 still follows: s = 14"},
    };
    for (const auto& [x, vx, vy, x2, y2, why] : cases) {
        EXPECT_EQ(All(map_->Move(x, 287, vx, vy, kW, kH)), All({x2, y2, vx, 0.0f, 0.0f, 1.0f})) << why;
    }
    // A taller body (40) whose step height would sink it 8 pixels into the ground: 287 from the step, then 8 up.
    EXPECT_EQ(All(map_->Move(110, 279, 2.0f, 0.0f, kW, 40)), All({112.0f, 279.0f, 2.0f, 0.0f, 0.0f, 1.0f}));
    // A wall two cells high has no room above: blocked, inset right edge 158 -> 160.
    map_->SetCell(10, 18, 1);
    EXPECT_EQ(All(map_->Move(122, 287, 2.0f, 0.0f, kW, kH)), All({122.0f, 287.0f, 0.0f, 0.0f, 1.0f, 0.0f}));
}

TEST_F(ResolverTest, FreeMoveWallAndLanding) {
    Solid(30, 0, 30, 19);  // a wall at pixels 480..495
    const std::tuple<int, int, float, float, MoveResult, const char*> cases[] = {
        {300, 100, 3.5f, -2.5f, {303.5f, 97.5f, 3.5f, -2.5f, 0.0f, 0.0f}, "in the air"},
        {424, 100, 8.0f, 4.0f, {432.0f, 104.0f, 8.0f, 4.0f, 0.0f, 0.0f}, "inset right edge 460 -> 468: clear"},
        {440, 100, 8.0f, 4.0f, {440.0f, 104.0f, 0.0f, 4.0f, 1.0f, 0.0f}, "476 -> 484: the fall goes on, not across"},
        {300, 285, 3.0f, 5.0f, {303.0f, 285.0f, 3.0f, 0.0f, 0.0f, 0.0f}, "landing keeps the move across"},
        // 5 pixels into the ground and moving right: pushed up, then the move across is kept.
        {300, 292, 4.0f, 3.0f, {304.0f, 287.0f, 0.0f, 0.0f, 0.0f, 0.0f}, "stuck, pushed up, then across"},
    };
    for (const auto& [x, y, vx, vy, expected, why] : cases)
        EXPECT_EQ(All(map_->Move(x, y, vx, vy, kW, kH)), All(expected)) << why;
}

TEST_F(ResolverTest, StuckBodiesArePushedUpThenDownWithinTwentyPixels) {
    // Ground from pixel 320: a 32-tall body is free while its bottom edge is at most 319; up 5, up 19,
    // and 20 or more in stays where it is.
    const std::tuple<int, float> up[] = {{292, 287.0f}, {306, 287.0f}, {307, 307.0f}, {312, 312.0f}};
    for (const auto& [y, expectedY] : up) {
        EXPECT_EQ(All(map_->Move(300, y, 0.0f, 0.0f, kW, kH)), All({300.0f, expectedY, 0.0f, 0.0f})) << y;
    }
    // A slab from pixel 160 to 351 with air below: a body whose top is in it and whose way up is
    // long drops out below.
    Solid(0, 10, 255, 21);
    for (int cx = 0; cx < 256; ++cx) {
        for (int cy = 22; cy < 128; ++cy) map_->SetCell(cx, cy, 0);
    }
    const std::tuple<int, float> down[] = {{345, 352.0f}, {333, 352.0f}, {332, 332.0f}};
    for (const auto& [y, expectedY] : down) {
        const MoveResult r = map_->Move(300, y, 1.0f, 1.0f, kW, kH);
        EXPECT_EQ(std::tuple(r.y, r.vx, r.vy), std::tuple(expectedY, 0.0f, 0.0f)) << y;
    }
}

class PlatformResolverTest : public CollisionMapTest {
protected:
    void SetUp() override {
        CollisionMapTest::SetUp();
        map_->platforms = &platforms_;
    }
    CPlatformList platforms_{{{400, 500}}};  // 400..464 across, 500..516 down
};

TEST_F(PlatformResolverTest, BodyCaughtInAPlatformIsPushedOffSideways) {
    // Top 10 above the platform, bottom 6 below it: no height within 20 is free either way. The body
    // is 56 wide: its inset runs from x + 20 to x + 36.
    const int y = 490;
    const std::tuple<int, float, const char*> cases[] = {
        {366, 363.0f, "inset right edge 2 inside the left end: 3 to the left"},
        {364, 363.0f, "inset right edge on the left end: 1 to the left"},
        {442, 445.0f, "inset left edge 2 inside the right end: 3 to the right"},
        {410, 410.0f, "deep inside: no way out within 5 pixels"},
    };
    for (const auto& [x, expectedX, why] : cases) {
        EXPECT_EQ(All(map_->Move(x, y, 0.0f, 0.0f, 56, 32)), All({expectedX, 1.0f * y, 0.0f, 0.0f})) << why;
    }
    // The enemies' resolver never pushes off platforms.
    EXPECT_FLOAT_EQ(map_->MoveIgnoringPlatforms(366, y, 0.0f, 0.0f, 56, 32).x, 366.0f);
}

TEST_F(PlatformResolverTest, EnemiesWalkThroughPlatformsTheHeroDoesNot) {
    const MoveResult hero = map_->Move(380, 466, 6.0f, 8.0f, 56, 32);
    EXPECT_EQ(std::tuple(hero.x, hero.y, hero.vy), std::tuple(386.0f, 466.0f, 0.0f)) << "landed on the platform";
    const MoveResult enemy = map_->MoveIgnoringPlatforms(380, 466, 6.0f, 8.0f, 56, 32);
    EXPECT_EQ(std::tuple(enemy.x, enemy.y, enemy.vy), std::tuple(386.0f, 474.0f, 8.0f));
    // Inside a platform, an enemy is not stuck at all.
    const MoveResult inside = map_->MoveIgnoringPlatforms(410, 490, 0.0f, 2.0f, 56, 32);
    EXPECT_EQ(std::pair(inside.y, inside.vy), std::pair(492.0f, 2.0f));
}

TEST_F(PlatformResolverTest, StepRulesAndPlatforms) {
    // Ground and a single step as in the resolver tests; the body at x = 120, y = 287 would step.
    Solid(0, 20, 255, 127);
    map_->SetCell(10, 19, 1);
    ASSERT_FLOAT_EQ(map_->Move(120, 287, 2.0f, 0.0f, 56, 32).onStep, 1.0f);

    // A platform where the body would stand after the step: neither resolver steps.
    platforms_.platforms = {{160, 260}};
    ASSERT_EQ(map_->TestBox(136, 271, 56, 32), CCollisionMap::kPlatform);
    ASSERT_EQ(map_->TestBox(120, 271, 56, 32), CCollisionMap::kFree);
    EXPECT_FLOAT_EQ(map_->Move(120, 287, 2.0f, 0.0f, 56, 32).onStep, 0.0f);
    EXPECT_FLOAT_EQ(map_->MoveIgnoringPlatforms(120, 287, 2.0f, 0.0f, 56, 32).onStep, 0.0f);

    // A platform over the body's own head: the hero does not step, an enemy does.
    platforms_.platforms = {{80, 260}};
    ASSERT_EQ(map_->TestBox(120, 271, 56, 32), CCollisionMap::kPlatform);
    ASSERT_EQ(map_->TestBox(136, 271, 56, 32), CCollisionMap::kFree);
    EXPECT_FLOAT_EQ(map_->Move(120, 287, 2.0f, 0.0f, 56, 32).onStep, 0.0f);
    EXPECT_FLOAT_EQ(map_->MoveIgnoringPlatforms(120, 287, 2.0f, 0.0f, 56, 32).onStep, 1.0f);
}

}  // namespace
