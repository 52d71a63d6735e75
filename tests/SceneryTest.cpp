// Tests of the scenery: tile keys and variants, branches, artefacts, the static plan and the backgrounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "LevelFixture.h"
#include "actors/CollisionMap.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "level/Background.h"
#include "level/Level.h"
#include "level/SpanPicture.h"
#include "level/TileLayer.h"

namespace {

using levelfixture::HeadlessServices;
using levelfixture::Mix;
using levelfixture::TempGameFolder;
using levelfixture::TestWindow;
using levelfixture::WriteCollisionFile;
using levelfixture::WriteFlatPicture;
using levelfixture::WritePicture;

constexpr uint32_t kSentinel = 0x123456;
constexpr uint32_t kTileKey0 = levelfixture::kSet0TileKey;
constexpr uint32_t kDecorationKey0 = levelfixture::kSet0DecorationKey;

std::string SetFolder(int set) {
    return "LevelDescriptions/Level" + std::to_string(set) + "/";
}

// A collision grid without a solid cell.
void WriteEmptyMap(int levelNumber) {
    WriteCollisionFile(levelNumber, [](int, int) { return false; });
}

// A 16x16 tile of one colour whose top-left pixel is the set's key.
void WriteTile(int set, const std::string& name, uint32_t colour, uint32_t key = kTileKey0) {
    WritePicture(SetFolder(set) + name + ".png", 16, 16, [=](int x, int y) { return x == 0 && y == 0 ? key : colour; });
}

class SceneryTest : public levelfixture::ActorTest {
protected:
    void SetUp() override {
        ActorTest::SetUp();
        levelfixture::WriteStatusIcons();
    }

    // Makes the window, the collision map and the level from the files written so far.
    void Start(int levelNumber, bool nearLayer = false) {
        MakeLevel(levelNumber, false, nearLayer);
        ASSERT_EQ(GameGlobals::level, level_.get());
    }
    CCollisionMap& Map() { return *GameGlobals::collisionMap; }
    void Clear() { Target().Fill(kSentinel); }
    void Camera(int x, int y) {
        level_->cameraX = x;
        level_->cameraY = y;
    }
    uint32_t At(int x, int y) { return Target().GetPixel(x, y); }
    void StartEmpty(int levelNumber) {
        WriteEmptyMap(levelNumber);
        Start(levelNumber);
    }
    void DrawScenery() {
        Clear();
        level_->DrawScenery(&window_->window);
    }
    // The display loses every surface; the main window restores its own target.
    void LoseSurfaces() {
        platform::MarkAllSurfacesLost();
        Target().Restore();
    }
};

// ---- keys, the generator and the per-cell choices ----

TEST(SceneryRulesTest, KeyTable) {
    const char* keys[] = {"48", "26", "4", "8", "2", "6", "46", "24", "68", "28", "2468", "268", "468", "248", "246"};
    // The table needs no pictures: a layer of a folder without any.
    TempGameFolder folder;
    HeadlessServices services;
    TestWindow window;
    CTileLayer layer(&window.window, 0);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(layer.TileIndexOfKey(keys[i]), i) << keys[i];
    for (const char* other : {"", "42", "86", "2468 ", "0", "24689"})
        EXPECT_EQ(layer.TileIndexOfKey(other), -1) << other;
}

TEST(SceneryRulesTest, GeneratorHashAndVariantValues) {
    // Cell (3, 5): seed 3*5+3 = 18 gives 97; seed 97*3 = 291 gives 988; 988 mod 4 = 0.
    // Cell (10, 20): seed 210 gives 724; seed 7240 gives 23681; 23681 mod 4 = 1.
    for (auto [seed, value] : {std::pair{18, 97}, {291, 988}, {210, 724}, {7240, 23681}}) {
        SeedSceneryRandom(seed);
        EXPECT_EQ(NextSceneryRandom(), value) << seed;
    }
    EXPECT_EQ(CTileLayer::TileVariant(3, 5), 0);
    EXPECT_EQ(CTileLayer::TileVariant(10, 20), 1);
    EXPECT_EQ(CTileLayer::CellHash(10, 20), 23910);
    EXPECT_EQ(CTileLayer::CellHash(20, 10), 11225);
    // Level 0: branch 23910 mod 25 = 10 at cell (10, 20).
    EXPECT_EQ(CTileLayer::BranchPicture(0, 10, 20, "26"), 10);
    EXPECT_EQ(CTileLayer::BranchPicture(0, 10, 20, "2468"), 10);

    // Draws go on from the state left behind: the runtime generator's known sequence from seed 1.
    SeedSceneryRandom(1);
    for (int value : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(NextSceneryRandom(), value);
}

TEST(SceneryRulesTest, HashesWrapLikeThirtyTwoBitArithmetic) {
    // Large coordinates overflow the products; the result is still a draw of the generator.
    for (int a : {65536, 100000, -7}) {
        const int32_t h = CTileLayer::CellHash(a, 12345);
        EXPECT_TRUE(h >= 0 && h <= 32767) << a << ": " << h;
    }
}

TEST(SceneryRulesTest, BranchPicturesPerLevel) {
    // Cell (10, 20) hashes to 10 before the level's rules.
    const struct {
        int level;
        const char* key;
        int expected;
    } cases[] = {
        {0, "48", 10}, {1, "26", 10}, {2, "26", 10}, {2, "48", 15},   {3, "48", 15}, {2, "246", 10},
        {4, "26", 2},  {4, "48", 10}, {5, "26", 2},  {5, "2468", 10}, {6, "48", 10}, {7, "26", 10},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CTileLayer::BranchPicture(c.level, 10, 20, c.key), c.expected) << c.level << " " << c.key;
    }
    // Over many cells: horizontal runs of levels 2 and 3 use 0 to 14, vertical runs 15 to 24; levels 4
    // and 5 use 0 to 7 and 8 to 15; the other levels all of 0 to 24.
    const struct {
        int level;
        const char* key;
        int low, high;
    } runs[] = {{2, "26", 0, 14}, {3, "48", 15, 24}, {4, "26", 0, 7}, {5, "48", 8, 15}, {0, "48", 0, 24}};
    for (const auto& run : runs) {
        std::set<int> used;
        for (int x = 1; x < 120; ++x) {
            for (int y = 1; y < 60; ++y) used.insert(CTileLayer::BranchPicture(run.level, x, y, run.key));
        }
        EXPECT_EQ(std::pair(*used.begin(), *used.rbegin()), std::pair(run.low, run.high)) << run.level;
        if (run.level == 0) EXPECT_EQ(used.size(), 25u);
    }
}

TEST(SceneryRulesTest, WhereBranchesHang) {
    const struct {
        int level, x, y;
        bool solid;
        const char* key;
        bool expected;
        const char* why;
    } cases[] = {
        {0, 4, 6, true, "2468", true, "both even"},
        {0, 5, 6, true, "2468", false, "odd column"},
        {0, 4, 7, true, "2468", false, "odd row"},
        {0, 4, 6, false, "", false, "free cell"},
        {0, 5, 7, true, "48", false, "vertical run: row must be even"},
        {0, 5, 6, true, "48", true, "vertical run: any column"},
        {0, 5, 7, true, "26", false, "horizontal run: column must be even"},
        {0, 4, 7, true, "26", true, "horizontal run: any row"},
        {2, 6, 9, true, "2468", true, "levels 2 and 3 space by three"},
        {3, 4, 6, true, "2468", false, "4 is no multiple of 3"},
        {3, 7, 9, true, "48", true, "vertical run, row a multiple of 3"},
        {4, 4, 6, true, "2468", true, "levels 4 and 5 space by two"},
        {0, 0, 2, true, "48", false, "column 0"},
        {0, 254, 2, true, "48", true, "column 254"},
        {0, 256, 2, true, "48", false, "column 256"},
        {0, 2, 0, true, "26", false, "row 0"},
        {0, 2, 126, true, "26", true, "row 126"},
        {0, 2, 128, true, "26", false, "row 128"},
        {1, 4, 6, true, "", true, "a lone cell on even coordinates"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CTileLayer::HasBranch(c.level, c.x, c.y, c.solid, c.key), c.expected) << c.why;
    }
}

TEST(SceneryRulesTest, WhereArtefactsStand) {
    // Find, for level 0 (step 8, divisor 4), a cell on the diagonal whose hash divides by 4, and one
    // whose hash does not.
    int goodX = -1, goodY = -1, badX = -1, badY = -1;
    for (int x = 8; x < 200 && (goodX < 0 || badX < 0); ++x) {
        const int y = 16 - x % 8 + 8 * (x / 64);  // (x + y) mod 8 = 0
        if (y < 1 || y > 126) continue;
        if (CTileLayer::CellHash(x, y) % 4 == 0) {
            if (goodX < 0) goodX = x, goodY = y;
        } else if (badX < 0) {
            badX = x, badY = y;
        }
    }
    ASSERT_GE(goodX, 0);
    ASSERT_GE(badX, 0);
    EXPECT_TRUE(CTileLayer::HasArtefact(0, goodX, goodY, true, "26"));
    EXPECT_FALSE(CTileLayer::HasArtefact(0, badX, badY, true, "26"));
    EXPECT_FALSE(CTileLayer::HasArtefact(0, goodX + 1, goodY, true, "26")) << "off the diagonal";
    for (const char* key : {"2", "6", "268", "246", "2468", "", "48"}) {
        EXPECT_FALSE(CTileLayer::HasArtefact(0, goodX, goodY, true, key)) << key;
    }
    EXPECT_FALSE(CTileLayer::HasArtefact(0, goodX, goodY, false, "26"));

    // Every level: never on the outermost cells, always a picture below the level's count.
    const int counts[8] = {12, 12, 13, 13, 17, 17, 10, 10};
    for (int level = 0; level < 8; ++level) {
        for (int y : {0, 127, 128}) {
            for (int x = 0; x < 256; ++x) EXPECT_FALSE(CTileLayer::HasArtefact(level, x, y, true, "26"));
        }
        for (int x : {0, 255, 256}) {
            for (int y = 0; y < 128; ++y) EXPECT_FALSE(CTileLayer::HasArtefact(level, x, y, true, "26"));
        }
        std::set<int> pictures;
        int standing = 0, tried = 0;
        for (int x = 1; x < 255; ++x) {
            for (int y = 1; y < 127; ++y) {
                pictures.insert(CTileLayer::ArtefactPicture(level, x, y));
                ++tried;
                standing += CTileLayer::HasArtefact(level, x, y, true, "26");
            }
        }
        EXPECT_EQ(static_cast<int>(pictures.size()), counts[level]) << "level " << level;
        EXPECT_EQ(*pictures.rbegin(), counts[level] - 1);
        // Diagonal step and hash divisor: 1/32 of the cells on levels 0 and 1, 1/16, 1/8, 1/6 on the others.
        const double share = static_cast<double>(standing) / tried;
        const double expected[8] = {1.0 / 32, 1.0 / 32, 1.0 / 16, 1.0 / 16, 1.0 / 8, 1.0 / 8, 1.0 / 6, 1.0 / 6};
        EXPECT_NEAR(share, expected[level], expected[level] * 0.2) << "level " << level;
    }
}

// ---- loading ----

TEST_F(SceneryTest, PictureFilesGoToTheirSlots) {
    WriteTile(0, "26_1", 0xA0B0C0);    // slot 16
    WriteTile(0, "48_13", 0xA0B0C1);   // slot 195
    WriteTile(0, "246_13", 0xA0B0C2);  // slot 209: past the table, never loaded
    WriteTile(0, "26_14", 0xA0B0C3);   // slot 211: never loaded
    WriteFlatPicture(SetFolder(0) + "Branch12.png", 80, 80, 0xB0B0B0);
    WriteFlatPicture(SetFolder(0) + "Branch50.png", 80, 80, 0xB0B0B1);
    WriteFlatPicture(SetFolder(0) + "Artefact29.png", 80, 80, 0xC0C0C0);
    WriteFlatPicture(SetFolder(0) + "Artefact30.png", 80, 80, 0xC0C0C1);
    WriteFlatPicture(SetFolder(1) + "Branch0.png", 80, 80, 0xD0D0D0);  // set 1 does not exist
    WriteFlatPicture(SetFolder(0) + "Level0_3.png", 800, 600, 0x405060);
    StartEmpty(1);
    const CTileLayer& layer = *level_->tileLayer;
    EXPECT_EQ(layer.sceneryNumber, 0);
    auto loaded = [](const auto& slots) {
        std::vector<int> list;
        for (size_t i = 0; i < std::size(slots); ++i) {
            if (slots[i]) list.push_back(static_cast<int>(i));
        }
        return list;
    };
    EXPECT_EQ(loaded(layer.tiles), (std::vector<int>{16, 195}));
    EXPECT_EQ(loaded(layer.branches), (std::vector<int>{12}));
    EXPECT_EQ(loaded(layer.artefacts), (std::vector<int>{29}));
    EXPECT_EQ(layer.tiles[16]->GetPixel(5, 5), 0xA0B0C0u);
    EXPECT_EQ(layer.tiles[195]->GetPixel(5, 5), 0xA0B0C1u);
    // Missing pictures are not reported.
    EXPECT_TRUE(services_.messages.shown.empty());
}

TEST_F(SceneryTest, ColourKeysPerSet) {
    const struct {
        int set;
        uint32_t tile, decoration;
    } cases[] = {{0, 0x432000, 0x374B00}, {2, 0, 0}, {4, 0, 0}, {6, 0x403900, 0}};
    for (const auto& c : cases) {
        WriteFlatPicture(SetFolder(c.set) + "48_0.png", 16, 16, 0x808080);
        WriteFlatPicture(SetFolder(c.set) + "Branch0.png", 80, 80, 0x909090);
        WriteFlatPicture(SetFolder(c.set) + "Artefact0.png", 80, 80, 0xA0A0A0);
    }
    StartEmpty(0);
    for (const auto& c : cases) {
        for (int level : {c.set, c.set + 1}) {
            CTileLayer layer(&window_->window, level);
            ASSERT_TRUE(layer.tiles[0] && layer.branches[0] && layer.artefacts[0]) << level;
            EXPECT_TRUE(layer.tiles[0]->HasColourKey());
            EXPECT_EQ(layer.tiles[0]->ColourKey(), c.tile) << level;
            EXPECT_EQ(layer.branches[0]->ColourKey(), c.decoration) << level;
            EXPECT_EQ(layer.artefacts[0]->ColourKey(), c.decoration) << level;
            // The key was found through pixel (0, 0), which shows its own colour again.
            EXPECT_EQ(layer.tiles[0]->GetPixel(0, 0), 0x808080u);
        }
    }
}

// ---- drawing ----

// A run of three cells at row 20 (columns 9 to 11), so cell (10, 20) has key "26" and variant 1.
class TileDrawTest : public SceneryTest {
protected:
    void SetUp() override {
        SceneryTest::SetUp();
        WriteCollisionFile(0,
                           [](int cx, int cy) { return (cy == 20 && cx >= 9 && cx <= 11) || (cx == 30 && cy == 30); });
    }
    // The colour drawn inside cell (cx, cy) with the camera at (16, 16).
    uint32_t CellColour(int cx, int cy) { return At(16 * cx - 16 + 8, 16 * cy - 16 + 8); }
    // Makes the level from the files as they are now and draws its tiles.
    void DrawTilesAt16() {
        Start(0);
        Clear();
        Camera(16, 16);
        level_->tileLayer->DrawTiles();
    }
};

TEST_F(TileDrawTest, VariantThenVariantZeroThenTheLoneTile) {
    WriteTile(0, "48_0", 0x900001);
    WriteTile(0, "26_0", 0x900002);
    WriteTile(0, "26_1", 0x900003);
    DrawTilesAt16();
    EXPECT_EQ(CellColour(10, 20), 0x900003u) << "variant 1 of key 26";
    EXPECT_EQ(CellColour(30, 30), 0x900001u) << "a lone cell shows 48_0";
    EXPECT_EQ(CellColour(9, 20), 0x900001u) << "key 2: no picture of its own, so 48_0";
    // The keyed corner lets the sentinel through.
    EXPECT_EQ(At(16 * 10 - 16, 16 * 20 - 16), kSentinel);
    EXPECT_EQ(At(16 * 10 - 16 + 1, 16 * 20 - 16), 0x900003u);
    EXPECT_EQ(CellColour(12, 20), kSentinel) << "free cell";

    // Without 26_1 the cell shows variant 0 of its key; without that too, 48_0; then nothing at all.
    for (auto [removed, shown] : {std::pair{"26_1", 0x900002u}, {"26_0", 0x900001u}, {"48_0", kSentinel}}) {
        std::filesystem::remove(SetFolder(0) + removed + ".png");
        DrawTilesAt16();
        EXPECT_EQ(CellColour(10, 20), shown) << "without " << removed;
    }
    EXPECT_EQ(CellColour(30, 30), kSentinel);
}

TEST_F(TileDrawTest, KeyTwoUsesItsOwnPictureWhenThere) {
    WriteTile(0, "48_0", 0x900001);
    for (int v = 0; v < 4; ++v) WriteTile(0, "2_" + std::to_string(v), 0x910000 + v);
    DrawTilesAt16();
    EXPECT_EQ(CellColour(9, 20), 0x910000u + CTileLayer::TileVariant(9, 20));
    EXPECT_EQ(CellColour(11, 20), 0x900001u) << "key 6 has no picture";
}

TEST_F(TileDrawTest, TilesAreCutAtTheScreenEdges) {
    // Each column of the picture its own colour.
    WritePicture(SetFolder(0) + "48_0.png", 16, 16, [](int x, int) { return 0xA00000u + static_cast<uint32_t>(x); });
    Start(0);
    // Cell (30, 30) starts at world 480: camera 488 puts it 8 pixels left of the screen.
    Clear();
    Camera(488, 16 * 30 - 100);
    level_->tileLayer->DrawTiles();
    for (int x = 0; x < 8; ++x) EXPECT_EQ(At(x, 100), 0xA00008u + x) << x;
    EXPECT_EQ(At(8, 100), kSentinel);
    // 8 pixels past the right edge.
    Clear();
    Camera(480 - 792, 16 * 30 - 100);
    level_->tileLayer->DrawTiles();
    for (int x = 792; x < 800; ++x) EXPECT_EQ(At(x, 100), 0xA00000u + (x - 792)) << x;
}

TEST_F(TileDrawTest, ACellLooksTheSameWhereverTheCameraIs) {
    levelfixture::WriteSceneryFixture();
    Start(0);
    auto cellPixels = [&](int camX, int camY) {
        Clear();
        Camera(camX, camY);
        level_->tileLayer->DrawTiles();
        std::vector<uint32_t> pixels;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) pixels.push_back(At(16 * 10 - camX + x, 16 * 20 - camY + y));
        }
        return pixels;
    };
    const std::vector<uint32_t> first = cellPixels(16, 16);
    EXPECT_EQ(cellPixels(100, 250), first);
    EXPECT_EQ(cellPixels(16, 16), first);
    EXPECT_NE(first[17], kSentinel);
}

class DecorationTest : public SceneryTest {};

TEST_F(DecorationTest, BranchesAreCentredOnTheirCellAndFallBackToPictureZero) {
    // A lone cell at (10, 20): on level 0 it shows branch 10.
    WriteCollisionFile(0, [](int cx, int cy) { return cx == 10 && cy == 20; });
    WritePicture(SetFolder(0) + "Branch10.png", 80, 80, [](int x, int y) {
        return x == 0 && y == 0 ? kDecorationKey0 : 0xB00000u + static_cast<uint32_t>(x);
    });
    WriteFlatPicture(SetFolder(0) + "Branch0.png", 80, 80, 0xB10000);
    auto draw = [&] {
        Start(0);
        Clear();
        Camera(16, 16);
        level_->tileLayer->DrawBranches();
    };
    draw();
    // Top-left at 16 * (10 - 2) - 16 = 112, 16 * (20 - 2) - 16 = 272.
    EXPECT_EQ(At(112, 272), kSentinel) << "keyed corner";
    EXPECT_EQ(At(113, 272), 0xB00001u);
    EXPECT_EQ(At(191, 351), 0xB00000u + 79);
    EXPECT_EQ(At(192, 300), kSentinel);
    EXPECT_EQ(At(150, 352), kSentinel);

    std::filesystem::remove(SetFolder(0) + "Branch10.png");
    draw();
    EXPECT_EQ(At(150, 300), 0xB10000u);
}

TEST_F(DecorationTest, BranchSpacingOnBlocksAndRuns) {
    // A 4x4 block at columns 20..23, rows 40..43; a run at odd row 51, columns 20..29.
    WriteCollisionFile(0, [](int cx, int cy) {
        return (cx >= 20 && cx <= 23 && cy >= 40 && cy <= 43) || (cy == 51 && cx >= 20 && cx <= 29);
    });
    Start(0);
    std::vector<std::pair<int, int>> hanging;
    for (int x = 15; x < 35; ++x) {
        for (int y = 35; y < 56; ++y) {
            if (CTileLayer::HasBranch(0, x, y, Map().IsSolid(x, y), Map().NeighbourKey(x, y)))
                hanging.push_back({x, y});
        }
    }
    const std::vector<std::pair<int, int>> expected = {{20, 40}, {20, 42}, {22, 40}, {22, 42},
                                                       {22, 51}, {24, 51}, {26, 51}, {28, 51}};
    EXPECT_EQ(hanging, expected);
}

// A long run at row 40 on level 0, and a cell of it that carries an artefact. Artefact n shows its
// columns 0..79 in 80 colours 0xC0nnxx, so a squeeze or a cut shows which source columns were taken.
class ArtefactTest : public SceneryTest {
protected:
    void SetUp() override {
        SceneryTest::SetUp();
        WriteCollisionFile(0, [](int cx, int cy) { return cy == 40 && cx >= 2 && cx <= 200; });
        for (int n = 0; n < 12; ++n) {
            WritePicture(SetFolder(0) + "Artefact" + std::to_string(n) + ".png", 80, 80,
                         [n](int x, int) { return 0xC00000u + static_cast<uint32_t>(n) * 0x100u + x; });
        }
        Start(0);
        for (int x = 3; x < 200 && cell < 0; ++x) {
            if (CTileLayer::HasArtefact(0, x, 40, true, Map().NeighbourKey(x, 40))) cell = x;
        }
        ASSERT_GE(cell, 0);
    }
    int cell = -1;
};

TEST_F(ArtefactTest, ArtefactsStandOnTheRunSqueezedToSixtyFourPixels) {
    const uint32_t picture = CTileLayer::ArtefactPicture(0, cell, 40);
    Clear();
    Camera(16 * (cell - 2) - 100, 16 * 35 - 50);  // the artefact's left edge at screen x 100, its top at y 50
    level_->tileLayer->DrawArtefacts();
    // 64 wide from 100, 80 tall from 50 (its bottom on the run's top edge).
    EXPECT_EQ(At(99, 60), kSentinel);
    EXPECT_EQ(At(164, 60), kSentinel);
    EXPECT_EQ(At(120, 49), kSentinel);
    EXPECT_EQ(At(120, 130), kSentinel);
    std::set<uint32_t> columns;
    for (int x = 100; x < 164; ++x) {
        const uint32_t p = At(x, 60);
        ASSERT_EQ(p & 0xFFFF00u, 0xC00000u + picture * 0x100u) << x;
        columns.insert(p & 0xFFu);
        EXPECT_EQ(At(x, 129), p);
    }
    EXPECT_EQ(columns.size(), 64u);
    EXPECT_EQ(*columns.begin(), 0u);
    EXPECT_EQ(*columns.rbegin(), 79u);
}

TEST_F(ArtefactTest, ArtefactsCutAtTheLeftEdgeLoseTheSamePixelsOfTheSource) {
    // Cut by 32 on the left: 32 screen columns remain, showing source columns 32..79 squeezed.
    Clear();
    Camera(16 * (cell - 2) + 32, 16 * 35 - 50);
    level_->tileLayer->DrawArtefacts();
    EXPECT_EQ(At(0, 60) & 0xFFu, 32u);
    EXPECT_EQ(At(31, 60) & 0xFFu, 79u);
    EXPECT_EQ(At(32, 60), kSentinel);
}

TEST_F(DecorationTest, PairedLevelsLookTheSame) {
    levelfixture::WriteSceneryFixture();
    for (int set : {2, 4, 6}) {
        for (const auto& entry : std::filesystem::directory_iterator(SetFolder(0))) {
            if (entry.is_regular_file()) {
                std::filesystem::create_directories(SetFolder(set));
                std::filesystem::copy_file(entry.path(), SetFolder(set) + entry.path().filename().string());
            }
        }
    }
    WriteCollisionFile(0, levelfixture::FixtureCell);
    Start(0);
    auto picture = [&](int levelNumber) {
        CTileLayer layer(&window_->window, levelNumber);
        level_->levelNumber = levelNumber;
        Clear();
        Camera(200, 1300);
        layer.DrawArtefacts();
        layer.DrawTiles();
        layer.DrawBranches();
        return std::vector<uint32_t>(Target().Pixels(), Target().Pixels() + 800 * 600);
    };
    std::vector<std::vector<uint32_t>> pictures;
    for (int level = 0; level < 8; ++level) pictures.push_back(picture(level));
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(pictures[2 * k] == pictures[2 * k + 1]) << "levels " << 2 * k;
    // And the sets do differ from each other (their rules and keys do).
    EXPECT_FALSE(pictures[0] == pictures[2]);
    EXPECT_FALSE(pictures[2] == pictures[4]);
}

// ---- the static plan ----

TEST_F(SceneryTest, StaticPlanFallsBackToSetZeroOnlyAtTheStart) {
    WriteFlatPicture(SetFolder(0) + "Level0_3.png", 800, 600, 0x405060);
    StartEmpty(2);
    ASSERT_TRUE(level_->staticPlan);
    EXPECT_EQ(level_->staticPlan->ColourKey(), 0x374B00u);
    DrawScenery();
    EXPECT_EQ(At(400, 300), 0x405060u);
    EXPECT_TRUE(services_.messages.shown.empty());

    // After a loss the set's own picture is looked for, not set 0's.
    WriteFlatPicture(SetFolder(0) + "Level0_3.png", 800, 600, 0x708090);
    LoseSurfaces();
    DrawScenery();
    EXPECT_FALSE(level_->staticPlan->IsLost());
    EXPECT_EQ(At(400, 300), 0x405060u);

    // With a picture of its own, a restore reads it again.
    WriteFlatPicture(SetFolder(2) + "Level2_3.png", 800, 600, 0x102030);
    Start(3);
    DrawScenery();
    EXPECT_EQ(At(400, 300), 0x102030u);
    WriteFlatPicture(SetFolder(2) + "Level2_3.png", 800, 600, 0x203040);
    LoseSurfaces();
    DrawScenery();
    EXPECT_EQ(At(400, 300), 0x203040u);
}

TEST_F(SceneryTest, StaticPlanIsKeyedAndNotClipped) {
    WritePicture(SetFolder(0) + "Level0_3.png", 800, 600, [](int x, int) { return x < 400 ? 0x374B00u : 0x112233u; });
    StartEmpty(0);
    DrawScenery();
    EXPECT_EQ(At(100, 100), kSentinel);
    EXPECT_EQ(At(500, 100), 0x112233u);
    // A picture larger than the screen is not drawn at all.
    WriteFlatPicture(SetFolder(0) + "Level0_3.png", 801, 600, 0x445566);
    Start(0);
    DrawScenery();
    EXPECT_EQ(At(500, 100), kSentinel);
}

TEST_F(SceneryTest, MissingStaticPlanIsReportedAndTheLevelGoesOn) {
    WriteCollisionFile(0, [](int cx, int cy) { return cx == 30 && cy == 30; });
    WriteTile(0, "48_0", 0x900001);
    Start(0);
    ASSERT_EQ(services_.messages.shown.size(), 1u);
    EXPECT_EQ(services_.messages.shown[0], "B\xb3\xb9\x64 Tworzenia statycznego planu");
    EXPECT_FALSE(level_->staticPlan);
    Clear();
    level_->Update(&window_->window);

    // Without a static plan a loss of the display is still noticed and the scenery rebuilt.
    LoseSurfaces();
    level_->DrawScenery(&window_->window);
    ASSERT_TRUE(level_->tileLayer->tiles[0]);
    EXPECT_FALSE(level_->tileLayer->AnySurfaceLost());
    Clear();
    Camera(16 * 30 - 100, 16 * 30 - 100);
    level_->tileLayer->DrawTiles();
    EXPECT_EQ(At(105, 105), 0x900001u);
}

TEST_F(SceneryTest, LostSurfacesRebuildTheWholeScenery) {
    levelfixture::WriteSceneryFixture();
    WriteCollisionFile(0, levelfixture::FixtureCell);
    Start(0, true);
    ASSERT_TRUE(level_->nearBackground);
    Camera(200, 1300);
    Clear();
    level_->DrawFrame(&window_->window);
    const std::vector<uint32_t> before(Target().Pixels(), Target().Pixels() + 800 * 600);

    platform::MarkAllSurfacesLost();
    // The frame after the loss draws into a lost target (nothing shows) but rebuilds the scenery;
    // the main window restores its target at the end of that frame.
    level_->DrawFrame(&window_->window);
    Target().Restore();
    EXPECT_FALSE(level_->staticPlan->IsLost());
    EXPECT_FALSE(level_->tileLayer->AnySurfaceLost());
    EXPECT_FALSE(level_->farBackground->AnySurfaceLost());
    ASSERT_TRUE(level_->nearBackground);
    EXPECT_FALSE(level_->nearBackground->AnySurfaceLost());
    Clear();
    level_->DrawFrame(&window_->window);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), Target().Pixels()));
}

TEST_F(SceneryTest, NearLayerThatFailsAfterARestoreIsSwitchedOff) {
    levelfixture::WriteSceneryFixture();
    levelfixture::WriteTextTable(40);
    WriteCollisionFile(0, levelfixture::FixtureCell);
    Start(0, true);
    ASSERT_TRUE(level_->nearBackground);
    EXPECT_TRUE(level_->message.empty());
    // The near layer's pictures vanish while the level runs; then the display loses its surfaces.
    std::filesystem::remove(SetFolder(0) + "Background/Bk_1_5_2.png");
    std::filesystem::remove(SetFolder(0) + "Background/Bk_1_4_3.png");
    // The far layer's own pieces are all there now, so only the near one is missing something.
    WriteFlatPicture(SetFolder(0) + "Background/Bk_2_1_1.png", 512, 512, 0x506070);
    platform::MarkAllSurfacesLost();
    level_->DrawScenery(&window_->window);
    EXPECT_FALSE(level_->nearBackground);
    EXPECT_FALSE(level_->nearLayerOption);
    EXPECT_EQ(window_->window.nearLayerOption, 0);
    EXPECT_EQ(level_->message, "t37");
    EXPECT_TRUE(level_->farBackground->allLoaded);
}

// ---- backgrounds ----

class BackgroundTest : public SceneryTest {
protected:
    // Every piece of both layers of a set, each pixel telling its piece and place:
    // bits 21..23 the column, 18..20 the row, 9..17 x, 0..8 y.
    void WriteCodedPieces(int set) {
        for (int layer = 1; layer <= 2; ++layer) {
            for (int a = 0; a <= 6; ++a) {
                for (int b = 0; b <= 2; ++b) {
                    WritePicture(SetFolder(set) + "Background/Bk_" + std::to_string(layer) + "_" + std::to_string(a) +
                                     "_" + std::to_string(b) + ".png",
                                 512, 512, [=](int x, int y) { return Code(a, b, x, y); });
                }
            }
        }
    }
    static uint32_t Code(int a, int b, int x, int y) {
        return (static_cast<uint32_t>(a) << 21) | (static_cast<uint32_t>(b) << 18) | (static_cast<uint32_t>(x) << 9) |
               static_cast<uint32_t>(y);
    }
};

TEST_F(BackgroundTest, PiecePositionsForTheCamera) {
    StartEmpty(0);
    CBackground far(0, &window_->window, CBackground::kFarLayer, 0.26f);
    CBackground near(0, &window_->window, CBackground::kNearLayer, 0.75f);
    const struct {
        const CBackground* layer;
        int camX, camY;
        int column, row, offsetX, offsetY;
        const char* why;
    } cases[] = {
        {&far, 0, 0, 0, 0, 0, 0, "far at the origin"},
        {&near, 0, 0, 0, 0, 0, 0, "near at the origin"},
        {&near, 1000, 0, 1, 0, -238, 0, "near: column 1 from -238"},
        {&far, 100, 0, 0, 0, -22, 0, "far: column 0 from -22"},
        {&far, 0, 1000, 0, 0, 0, -207, "0.26 is stored as 0.25999999: 207.99 is cut to 207"},
        {&near, 0, 1000, 0, 1, 0, -88, "near down: 600 is row 1 at -88"},
        {&far, 3040, 1492, 1, 0, -159, -310, "far at the far corner"},
        {&near, 3040, 1492, 4, 1, -232, -383, "near at the far corner"},
    };
    for (const auto& c : cases) {
        const CBackground::Placement p = c.layer->PlaceFor(c.camX, c.camY);
        EXPECT_EQ(std::tuple(p.firstColumn, p.firstRow, p.offsetX, p.offsetY),
                  std::tuple(c.column, c.row, c.offsetX, c.offsetY))
            << c.why;
    }
    EXPECT_EQ(far.lastColumn, 2);
    EXPECT_EQ(far.lastRow, 1);
    EXPECT_EQ(near.lastColumn, 6);
    EXPECT_EQ(near.lastRow, 3);
}

TEST_F(BackgroundTest, LoadsItsPiecesWithTheSetsKeys) {
    WriteCodedPieces(2);
    StartEmpty(3);
    CBackground far(3, &window_->window, CBackground::kFarLayer, 0.26f);
    CBackground near(3, &window_->window, CBackground::kNearLayer, 0.75f);
    auto loaded = [](const CBackground& layer) {
        std::vector<std::pair<int, int>> list;
        for (int a = 0; a < CBackground::kPieceColumns; ++a) {
            for (int b = 0; b < CBackground::kPieceRows; ++b) {
                if (layer.pieces[a][b]) list.push_back({a, b});
            }
        }
        return list;
    };
    EXPECT_EQ(loaded(far).size(), 6u);
    EXPECT_EQ(loaded(far).back(), std::make_pair(2, 1));
    EXPECT_EQ(loaded(near).size(), 21u);
    EXPECT_EQ(loaded(near).back(), std::make_pair(6, 2));
    EXPECT_TRUE(far.allLoaded && near.allLoaded);
    EXPECT_FALSE(far.creationFailed || near.creationFailed);
    // Caves: the near layer is cut out of white, the far one out of black.
    EXPECT_EQ(near.pieces[0][0]->ColourKey(), 0xFFFFFFu);
    EXPECT_EQ(far.pieces[0][0]->ColourKey(), 0u);
    EXPECT_EQ(near.pieces[3][2]->GetPixel(7, 9), Code(3, 2, 7, 9));

    for (const auto& [set, key] : std::vector<std::pair<int, uint32_t>>{{0, 0x374B00}, {4, 0}, {6, 0x403900}}) {
        WriteFlatPicture(SetFolder(set) + "Background/Bk_1_4_3.png", 512, 512, 0x777777);
        CBackground layer(set + 1, &window_->window, CBackground::kNearLayer, 0.75f);
        ASSERT_TRUE(layer.allLoaded) << set;
        EXPECT_EQ(layer.pieces[0][0]->ColourKey(), key) << set;
    }
}

TEST_F(BackgroundTest, MissingPieceTakesTheFallBack) {
    WriteCodedPieces(0);
    std::filesystem::remove(SetFolder(0) + "Background/Bk_2_1_1.png");
    WriteFlatPicture(SetFolder(0) + "Background/Bk_1_4_3.png", 512, 512, 0x777777);
    StartEmpty(0);
    const CBackground& far = *level_->farBackground;
    ASSERT_TRUE(far.allLoaded);
    EXPECT_EQ(far.pieces[1][1]->GetPixel(10, 10), 0x777777u);
    EXPECT_EQ(far.pieces[1][0]->GetPixel(10, 10), Code(1, 0, 10, 10));
}

TEST_F(BackgroundTest, OnePieceThatCannotBeMadeDropsTheLayer) {
    WriteCodedPieces(0);
    // No piece (3, 1) of the near layer and no fall-back: nothing to make a surface from.
    std::filesystem::remove(SetFolder(0) + "Background/Bk_1_3_1.png");
    StartEmpty(0);
    services_.messages.shown.clear();
    const int before = platform::LiveSurfaceCount();
    CBackground near(0, &window_->window, CBackground::kNearLayer, 0.75f);
    EXPECT_TRUE(near.creationFailed);
    EXPECT_FALSE(near.allLoaded);
    for (const auto& column : near.pieces) {
        for (const SurfacePtr& piece : column) EXPECT_FALSE(piece);
    }
    EXPECT_EQ(platform::LiveSurfaceCount(), before);
    Clear();
    near.Draw();
    for (int y = 0; y < 600; y += 50) {
        for (int x = 0; x < 800; x += 50) ASSERT_EQ(At(x, y), kSentinel);
    }
    // Nothing is said: the level decides.
    EXPECT_TRUE(services_.messages.shown.empty());
}

TEST_F(BackgroundTest, PiecesLandWhereTheCameraSays) {
    WriteCodedPieces(0);
    StartEmpty(0);
    CBackground near(0, &window_->window, CBackground::kNearLayer, 0.75f);
    CBackground far(0, &window_->window, CBackground::kFarLayer, 0.26f);
    const struct {
        CBackground* layer;
        int camX, x, y;
        uint32_t shown;
    } cases[] = {
        {&near, 1000, 0, 0, Code(1, 0, 238, 0)}, {&near, 1000, 273, 5, Code(1, 0, 511, 5)},
        {&near, 1000, 274, 5, Code(2, 0, 0, 5)}, {&near, 1000, 799, 599, Code(3, 1, 13, 87)},
        {&far, 100, 0, 0, Code(0, 0, 22, 0)},    {&far, 100, 489, 3, Code(0, 0, 511, 3)},
        {&far, 100, 490, 3, Code(1, 0, 0, 3)},
    };
    for (const auto& c : cases) {
        Clear();
        Camera(c.camX, 0);
        c.layer->Draw();
        EXPECT_EQ(At(c.x, c.y), c.shown) << "camera " << c.camX << ", " << c.x << "," << c.y;
    }
}

TEST_F(BackgroundTest, BothLayersCoverTheViewEverywhereInTheLevel) {
    WriteCodedPieces(0);
    StartEmpty(0);
    for (float factor : {0.26f, 0.75f}) {
        CBackground layer(0, &window_->window, factor < 0.5f ? CBackground::kFarLayer : CBackground::kNearLayer,
                          factor);
        for (int camX : {16, 700, 1500, 2222, 3040}) {
            for (int camY : {16, 511, 1000, 1492}) {
                Clear();
                Camera(camX, camY);
                layer.Draw();
                int uncovered = 0;
                for (int y = 0; y < 600; ++y) {
                    for (int x = 0; x < 800; ++x) uncovered += At(x, y) == kSentinel;
                }
                EXPECT_EQ(uncovered, 0) << factor << " at " << camX << "," << camY;
            }
        }
    }
}

// ---- drawing by runs ----

TEST(SpanPictureTest, DrawsExactlyWhatAKeyedCopyDraws) {
    uint32_t seed = 12345;
    auto next = [&]() {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    for (int round = 0; round < 60; ++round) {
        const int w = 1 + static_cast<int>(next() % 90);
        const int h = 1 + static_cast<int>(next() % 40);
        auto picture = platform::Surface::Create(w, h);
        const uint32_t key = 0x374B00;
        // Mostly runs of key and of colour, with lone pixels of each.
        bool inKey = next() % 2;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (next() % 7 == 0) inKey = !inKey;
                picture->SetPixel(x, y, inKey ? key : (next() & 0xFFFFFF) | 0x010101);
            }
        }
        if (round % 5 != 0) picture->SetColourKey(key);  // some without a key: every pixel counts
        const CSpanPicture spans(picture.get());
        auto viaSpans = platform::Surface::Create(120, 70);
        auto viaBlit = platform::Surface::Create(120, 70);
        for (int trial = 0; trial < 20; ++trial) {
            platform::Rect src;
            src.left = static_cast<int>(next() % (w + 2)) - 1;
            src.top = static_cast<int>(next() % (h + 2)) - 1;
            src.right = src.left + static_cast<int>(next() % (w + 2));
            src.bottom = src.top + static_cast<int>(next() % (h + 2));
            const int x = static_cast<int>(next() % 130) - 5;
            const int y = static_cast<int>(next() % 80) - 5;
            viaSpans->Fill(kSentinel);
            viaBlit->Fill(kSentinel);
            const platform::BlitResult a = spans.Draw(viaSpans.get(), x, y, src);
            const platform::BlitResult b = platform::BltFast(viaBlit.get(), x, y, picture.get(), src, true);
            ASSERT_EQ(a, b) << "round " << round << " trial " << trial;
            ASSERT_TRUE(std::equal(viaSpans->Pixels(), viaSpans->Pixels() + 120 * 70, viaBlit->Pixels()))
                << "round " << round << " trial " << trial;
        }
        // A lost picture draws nothing, as a keyed copy does.
        picture->SetLost(true);
        viaSpans->Fill(kSentinel);
        EXPECT_EQ(spans.Draw(viaSpans.get(), 0, 0, platform::Rect{0, 0, w, h}), platform::BlitResult::SurfaceLost);
        EXPECT_EQ(viaSpans->GetPixel(0, 0), kSentinel);
    }
}

}  // namespace
