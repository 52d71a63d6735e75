// A fixture level's scenery, every layer drawn headless, compared pixel for pixel with a stored picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "LevelFixture.h"
#include "actors/CollisionMap.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "level/Level.h"
#include "level/TileLayer.h"

namespace {

// KVB_UPDATE_GOLDEN=1 writes the picture instead of comparing with it.
const char kGoldenPath[] = KVB_SOURCE_DIR "/tests/golden/level_scenery.png";

TEST(LevelGoldenTest, SceneryOfAFixtureLevel) {
    testing_support::TempGameFolder folder;
    testing_support::HeadlessServices services;
    InputState input;
    testing_support::GlobalsGuard globals;
    globals.Set(GameGlobals::input, &input);
    levelfixture::WriteSceneryFixture();
    levelfixture::WriteCollisionFile(0, levelfixture::FixtureCell);
    levelfixture::TestWindow window;
    const platform::Surface& drawn = *window.target;

    auto map = std::make_unique<CCollisionMap>(&window.window, 0);
    globals.Set(GameGlobals::collisionMap, map.get());
    auto level = std::make_unique<CLevel>(&window.window, 0, true);
    ASSERT_TRUE(level->nearBackground);
    // Not on whole cells, so every layer is cut at the screen's edges somewhere.
    level->cameraX = 203;
    level->cameraY = 1307;
    window.target->Fill(0);
    // The scenery's layers in the level's order.
    level->DrawScenery(&window.window);
    level->tileLayer->DrawArtefacts();
    level->tileLayer->DrawTiles();
    level->tileLayer->DrawBranches();
    level.reset();
    globals.Restore();
    EXPECT_TRUE(services.messages.shown.empty());

    const char* update = std::getenv("KVB_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        ASSERT_TRUE(platform::SavePng(kGoldenPath, drawn));
        GTEST_SKIP() << "wrote " << kGoldenPath;
    }
    platform::Image golden;
    ASSERT_TRUE(services.images.DecodePng(kGoldenPath, golden)) << kGoldenPath;
    ASSERT_EQ(std::pair(golden.width, golden.height), std::pair(800, 600));
    int differing = 0;
    for (int i = 0; i < 800 * 600; ++i) {
        if (drawn.Pixels()[i] != golden.pixels[i] && differing++ == 0) {
            ADD_FAILURE() << "first difference at " << i % 800 << "," << i / 800 << ": drawn " << std::hex
                          << drawn.Pixels()[i] << ", stored " << golden.pixels[i];
        }
    }
    EXPECT_EQ(differing, 0);

    // The picture holds every layer: the sky, both backgrounds, the fall-back piece, tiles, branches
    // and artefacts each leave some of their colours.
    auto count = [&](uint32_t rgb) { return std::count(drawn.Pixels(), drawn.Pixels() + 800 * 600, rgb); };
    EXPECT_GT(count(0x607080), 0) << "far background";
    EXPECT_GT(count(0x2E8B3C), 0) << "near background";
    EXPECT_GT(count(levelfixture::Mix(999)), 0) << "branch middles";
    EXPECT_GT(count(levelfixture::Mix(100)), 0) << "tile borders of key 48";
    EXPECT_GT(count(0xC040C0), 0) << "the fall-back piece in place of a missing far piece";
    int artefactPixels = 0;
    for (int n = 0; n < 12; ++n) artefactPixels += count(levelfixture::Mix(400 + n));
    EXPECT_GT(artefactPixels, 0) << "artefacts";
}

}  // namespace
