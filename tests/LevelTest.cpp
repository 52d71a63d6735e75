// Tests of the running level: construction, the player record, steps, the camera, Escape, music, draw order.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "LevelFixture.h"
#include "data/UnitType.h"
#include "gfx/Animation.h"
#include "level/Background.h"
#include "level/TileLayer.h"
#include "platform/PicturePrefetch.h"

namespace {

using levelfixture::TestWindow;
using levelfixture::WriteCollisionFile;
using levelfixture::WriteFile;
using levelfixture::WriteFlatPicture;
using levelfixture::WritePicture;

constexpr uint32_t kSentinel = 0x123456;

class LevelTest : public levelfixture::ActorTest {
protected:
    void SetUp() override {
        ActorTest::SetUp();
        for (int n = 0; n < 8; ++n) {
            WriteCollisionFile(n, [](int, int cy) { return cy >= 110; });
            levelfixture::WriteLevelDescription(n, 500, 1600);
        }
    }
    // Level `levelNumber` in the window made for the first level, which stays.
    void Start(int levelNumber, bool nearLayer = false) {
        level_.reset();
        if (!window_) window_ = std::make_unique<TestWindow>();
        Window().nearLayerOption = nearLayer ? 1 : 0;
        MakeCollisionMap(levelNumber);
        level_ = std::make_unique<CLevel>(&Window(), levelNumber, nearLayer);
    }
};

TEST_F(LevelTest, StartsWithItsFieldsSetAndTheHeroAtTheStart) {
    services_.clock.Set(5000, 777);
    Start(3);
    EXPECT_EQ(GameGlobals::level, level_.get());
    EXPECT_EQ(level_->levelNumber, 3);
    EXPECT_EQ(level_->cameraX, 10);
    EXPECT_EQ(level_->cameraY, 20);
    EXPECT_EQ(level_->backgroundColumns, 3);
    EXPECT_EQ(level_->backgroundRows, 2);
    EXPECT_EQ(level_->lastStepClock, 777);
    ASSERT_TRUE(level_->hero);
    EXPECT_EQ(std::tuple(Hero().x, Hero().y, Hero().startX, Hero().startY), std::tuple(500, 1600, 500, 1600));
    EXPECT_TRUE(level_->tileLayer);
    EXPECT_TRUE(level_->farBackground);
    EXPECT_FALSE(level_->nearBackground);
}

TEST_F(LevelTest, UnitTypesFollowTheDescriptionUpToFifty) {
    std::string xml = "<LEVEL><HERO><START_POS X=\"100\" Y=\"100\"/></HERO>\r\n";
    for (int i = 0; i < 53; ++i) {
        xml += "<ENEMY><ENEMY_TYPE T=\"u" + std::to_string(i) + "\"/><START_POS X=\"1\" Y=\"2\"/></ENEMY>\r\n";
    }
    // A repeated type is made once.
    xml += "<ENEMY><ENEMY_TYPE T=\"u0\"/><START_POS X=\"1\" Y=\"2\"/></ENEMY>\r\n</LEVEL>\r\n";
    WriteFile("LevelDescriptions/Level2.xml", xml);
    Start(2);
    EXPECT_EQ(level_->unitTypeCount, CLevel::kMaxTypes);
    for (int i = 0; i < CLevel::kMaxTypes; ++i) EXPECT_NE(level_->unitTypes[i], nullptr) << i;

    // Deleting the level deletes them: nothing is left behind.
    level_.reset();
    EXPECT_EQ(GameGlobals::level, nullptr);
}

TEST_F(LevelTest, PlayerRecordGoesToTheHeroExceptTheLevel) {
    Start(0);
    PlayerRecord record;
    record.nextLevel = 6;
    record.health = 55;
    record.lives = 4;
    record.score = 1234;
    record.money = 77;
    record.strength = 35;
    level_->ApplyPlayerRecord(record);
    const CHero& hero = Hero();
    EXPECT_EQ(std::tuple(hero.health, hero.lives, hero.score, hero.money, hero.strength),
              std::tuple(55, 4, 1234, 77, 35));
    EXPECT_EQ(level_->levelNumber, 0);
}

TEST_F(LevelTest, StepsComeFromTheClockInWholeTwentyMilliseconds) {
    services_.clock.Set(1000, 1000);
    Start(0);
    const std::tuple<int32_t, int32_t, const char*> cases[] = {
        {59, 2, "59 ms: two steps, 19 lost"},
        {21, 1, "the lost 19 do not come back"},
        {19, 0, "less than a step"},
        {20, 1, "exactly one"},
        {0, 0, "no time"},
        {199, 9, "nine"},
        {10000, CLevel::kMaxStepsPerFrame, "a stall is capped"},
        {-500, 0, "a clock that goes back runs nothing"},
        {40, 2, "and then it goes on as before"},
    };
    for (const auto& [advance, steps, why] : cases) {
        services_.clock.Advance(static_cast<uint32_t>(advance));
        EXPECT_EQ(level_->TakeSteps(), steps) << why;
        EXPECT_EQ(level_->lastStepClock, services_.clock.ClockMs()) << why;
    }
}

TEST_F(LevelTest, UpdateTakesTheStepsOfItsFrame) {
    Start(0);
    services_.clock.Advance(1000);
    level_->Update(&Window());
    EXPECT_EQ(level_->lastStepClock, services_.clock.ClockMs());
    EXPECT_EQ(level_->TakeSteps(), 0);
}

TEST_F(LevelTest, CameraFollowsTheHero) {
    Start(0);
    CHero& hero = Hero();
    const std::tuple<int, int, int, int, int, const char*> cases[] = {
        {100, 320, 20, 16, 20, "near the left end: clamped to 16"},
        {400, 320, 20, 16, 20, "d = 0 is not above 0"},
        {401, 320, 20, 16, 20, "d = 1 is clamped"},
        {1000, 320, 20, 600, 20, "centred across"},
        {3800, 320, 20, 3040, 20, "near the right end: 3840 - 800"},
        {3440, 320, 20, 3040, 20, "d = 3040"},
        {3441, 320, 20, 3040, 20, "d = 3041 is clamped"},
        {1000, 1000, 20, 600, 88, "a tenth of the gap: 20 + 680 / 10"},
        {1000, 805, 500, 600, 500, "5 below the centre line: no move"},
        {1000, 809, 500, 600, 500, "9 below: no move"},
        {1000, 810, 500, 600, 501, "10 below: one pixel"},
        {1000, 791, 500, 600, 500, "9 above: no move"},
        {1000, 790, 500, 600, 499, "10 above: one pixel up"},
        {1000, 0, 20, 600, 16, "clamped at the top"},
        {1000, 2000, 1490, 600, 1492, "clamped at 1792 - 300"},
    };
    for (const auto& [heroX, heroY, cameraYBefore, cameraX, cameraY, why] : cases) {
        hero.x = heroX;
        hero.y = heroY;
        level_->cameraY = cameraYBefore;
        level_->UpdateCamera(&Window());
        EXPECT_EQ(level_->cameraX, cameraX) << why;
        EXPECT_EQ(level_->cameraY, cameraY) << why;
    }
}

TEST_F(LevelTest, CameraEasesDownAndSettlesShortOfCentred) {
    Start(0);
    Hero().x = 1000;
    Hero().y = 1100;
    level_->cameraY = 20;
    std::vector<int> path;
    for (int i = 0; i < 60; ++i) {
        level_->UpdateCamera(&Window());
        path.push_back(level_->cameraY);
    }
    EXPECT_EQ(path[0], 98);   // 20 + 780 / 10
    EXPECT_EQ(path[1], 168);  // 98 + 702 / 10
    // Settles where the gap is below 10: 791, 9 short of the centring 800.
    EXPECT_EQ(path.back(), 791);
    for (size_t i = 1; i < path.size(); ++i) EXPECT_GE(path[i], path[i - 1]);
}

TEST_F(LevelTest, EscapeAsksForTheBestScoresAndTheFrameIsStillDrawn) {
    WriteFlatPicture("LevelDescriptions/Level0/Level0_3.png", 800, 600, 0x405060);
    Start(0);
    Window().requestedState = Level;
    Window().currentState = Level;
    Target().Fill(kSentinel);
    level_->Update(&Window());
    EXPECT_EQ(Window().requestedState, Level);

    input_.escapePressed = true;
    Target().Fill(kSentinel);
    level_->Update(&Window());
    EXPECT_EQ(Window().requestedState, Highscore);
    EXPECT_FALSE(input_.escapePressed);
    EXPECT_FALSE(Window().outroPending);
    EXPECT_EQ(Target().GetPixel(400, 300), 0x405060u);
}

TEST_F(LevelTest, MusicTrackPerLevel) {
    for (int n = 0; n < 10; ++n) WriteFile("Music/Track" + std::to_string(n) + ".MP3", "not really music");
    window_ = std::make_unique<TestWindow>();
    Window().musicOption = 1;
    MakeSound();
    const std::vector<std::string>& calls = services_.audio.calls;
    const int expected[8] = {0, 1, 2, 3, 4, 0, 1, 2};
    for (int n = 0; n < 8; ++n) {
        SCOPED_TRACE(n);
        const std::string track = "Track" + std::to_string(expected[n]) + ".MP3";
        Start(n);
        EXPECT_EQ(sound_->lastTrack, expected[n]);
        EXPECT_TRUE(sound_->MusicPlaying());
        ASSERT_FALSE(calls.empty());
        EXPECT_TRUE(calls.back().rfind("play:", 0) == 0 && calls.back().find(track) != std::string::npos)
            << calls.back();
        level_.reset();
        EXPECT_TRUE(calls.back().rfind("stop:", 0) == 0 && calls.back().find(track) != std::string::npos)
            << calls.back();
        EXPECT_FALSE(sound_->MusicPlaying());
    }
}

TEST_F(LevelTest, WithoutASoundSystemThereIsNoMusicAndNoTrouble) {
    ASSERT_EQ(GameGlobals::sound, nullptr);
    Start(4);
    level_.reset();
    EXPECT_TRUE(services_.audio.calls.empty());
}

TEST_F(LevelTest, NearLayerThatCannotBeMadeIsSwitchedOffForGood) {
    // Set 0 has no background pictures at all.
    Start(0, true);
    EXPECT_FALSE(level_->nearBackground);
    EXPECT_FALSE(level_->nearLayerOption);
    EXPECT_EQ(Window().nearLayerOption, 0);
    EXPECT_EQ(level_->message, "t37");
    // The far layer gave up too, silently: it stays and draws nothing.
    ASSERT_TRUE(level_->farBackground);
    EXPECT_TRUE(level_->farBackground->creationFailed);

    // With its pictures there, the near layer stays and nothing is said.
    levelfixture::WriteSceneryFixture();
    Window().nearLayerOption = 1;
    Start(1, true);
    EXPECT_TRUE(level_->nearBackground);
    EXPECT_TRUE(level_->nearLayerOption);
    EXPECT_EQ(Window().nearLayerOption, 1);
    EXPECT_TRUE(level_->message.empty());
}

TEST_F(LevelTest, TheMainWindowMakesAndDeletesTheLevel) {
    window_ = std::make_unique<TestWindow>();
    Window().player.lives = 6;
    Window().player.strength = 40;
    Window().requestedLevel = 5;
    Window().requestedState = Level;
    const int surfacesBefore = platform::LiveSurfaceCount();
    Window().SwitchScreen();
    ASSERT_NE(GameGlobals::level, nullptr);
    ASSERT_NE(GameGlobals::collisionMap, nullptr);
    EXPECT_EQ(GameGlobals::level->levelNumber, 5);
    EXPECT_EQ(GameGlobals::level->hero->lives, 6);
    EXPECT_EQ(GameGlobals::level->hero->strength, 40);
    EXPECT_TRUE(GameGlobals::collisionMap->IsSolid(3, 115));

    Window().requestedState = 5;  // a state that makes nothing
    Window().SwitchScreen();
    EXPECT_EQ(GameGlobals::level, nullptr);
    EXPECT_EQ(GameGlobals::collisionMap, nullptr);
    EXPECT_EQ(platform::LiveSurfaceCount(), surfacesBefore);
}

TEST_F(LevelTest, DrawOrderBackToFront) {
    const std::string set = "LevelDescriptions/Level0/";
    WriteFlatPicture(set + "Level0_3.png", 800, 600, 0x101010);
    for (int a = 0; a <= 2; ++a) {
        for (int b = 0; b <= 1; ++b) {
            WriteFlatPicture(set + "Background/Bk_2_" + std::to_string(a) + "_" + std::to_string(b) + ".png", 512, 512,
                             0x202020);
        }
    }
    WriteFlatPicture(set + "48_0.png", 16, 16, 0x303030);
    for (int n = 0; n < 12; ++n) WriteFlatPicture(set + "Artefact" + std::to_string(n) + ".png", 80, 80, 0x404040);
    // Branches: only an 8x8 square over the middle of their cell is not transparent.
    WritePicture(set + "Branch0.png", 80, 80, [](int x, int y) {
        return (x >= 36 && x < 44 && y >= 36 && y < 44) ? 0x505050u : levelfixture::kSet0DecorationKey;
    });
    // A run at row 40, and a lone cell two rows above the cell that carries an artefact.
    int artefactCell = -1;
    {
        WriteCollisionFile(0, [](int cx, int cy) { return cy == 40 && cx >= 2 && cx <= 200; });
        Start(0);
        for (int x = 30; x < 200 && artefactCell < 0; ++x) {
            if (CTileLayer::HasArtefact(0, x, 40, true, GameGlobals::collisionMap->NeighbourKey(x, 40))) {
                artefactCell = x;
            }
        }
        ASSERT_GE(artefactCell, 0);
    }
    WriteCollisionFile(
        0, [&](int cx, int cy) { return (cy == 40 && cx >= 2 && cx <= 200) || (cx == artefactCell && cy == 38); });
    Start(0);
    // Camera with the artefact's cell in the middle; the hero where the camera stays put.
    const int camX = 16 * artefactCell - 400;
    const int camY = 16 * 40 - 300;
    level_->cameraY = camY;
    Hero().x = camX + 400;
    Hero().y = camY + 300;
    Target().Fill(kSentinel);
    level_->Update(&Window());
    ASSERT_EQ(level_->cameraX, camX);
    ASSERT_EQ(level_->cameraY, camY);
    auto at = [&](int worldX, int worldY) { return Target().GetPixel(worldX - camX, worldY - camY); };
    EXPECT_EQ(at(16 * artefactCell + 1, 16 * 30), 0x202020u) << "far background over the static plan";
    EXPECT_EQ(at(16 * artefactCell - 20, 16 * 37), 0x404040u) << "artefact over the background";
    EXPECT_EQ(at(16 * artefactCell + 1, 16 * 38 + 1), 0x303030u) << "tile over the artefact";
    // Run cells on even columns carry a branch: its middle covers the tile.
    const int branchCell = artefactCell % 2 == 0 ? artefactCell : artefactCell + 1;
    EXPECT_EQ(at(16 * branchCell + 8, 16 * 40 + 8), 0x505050u) << "branch over the tile";
    EXPECT_EQ(at(16 * branchCell + 1, 16 * 40 + 1), 0x303030u) << "the tile around it";
}

TEST_F(LevelTest, DeletingTheLevelReleasesEverySurface) {
    levelfixture::WriteSceneryFixture();
    WriteCollisionFile(0, levelfixture::FixtureCell);
    window_ = std::make_unique<TestWindow>();
    const int before = platform::LiveSurfaceCount();
    Start(0, true);
    EXPECT_GT(platform::LiveSurfaceCount(), before + 100);
    level_.reset();
    EXPECT_EQ(platform::LiveSurfaceCount(), before);
}

// Counts the pictures decoded, by file; safe to call from several threads.
class CountingDecoder : public platform::IImageDecoder {
public:
    explicit CountingDecoder(platform::IImageDecoder& inner) : inner_(inner) {}
    bool DecodePng(const std::string& realPath, platform::Image& out) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            decoded.push_back(realPath);
        }
        return inner_.DecodePng(realPath, out);
    }
    bool WritePng(const std::string& realPath, const platform::Surface& picture) override {
        return inner_.WritePng(realPath, picture);
    }
    void ThreadEnds() override { inner_.ThreadEnds(); }
    std::vector<std::string> decoded;

private:
    platform::IImageDecoder& inner_;
    std::mutex mutex_;
};

// Size, key and pixels of a surface, or "none".
std::string Digest(const platform::Surface* surface) {
    if (!surface) return "none";
    uint64_t hash = 14695981039346656037ull;
    for (int i = 0; i < surface->Width() * surface->Height(); ++i)
        hash = (hash ^ surface->Pixels()[i]) * 1099511628211ull;
    return std::to_string(surface->Width()) + "x" + std::to_string(surface->Height()) + " key " +
           (surface->HasColourKey() ? std::to_string(surface->ColourKey()) : "-") + " " + std::to_string(hash);
}

TEST_F(LevelTest, PicturesDecodedOnWorkerThreadsMakeTheSameLevel) {
    levelfixture::WriteSceneryFixture();
    WriteCollisionFile(0, levelfixture::FixtureCell);
    // Failures the level reports, in their order: a tile that is no picture, the static plan and two status
    // icons missing, the near layer without its pieces and their fall-back; and an enemy with its pictures.
    WriteFile("LevelDescriptions/Level0/48_1.png", "not a picture");
    std::filesystem::remove("LevelDescriptions/Level0/Level0_3.png");
    std::filesystem::remove("Graphics/Life.png");
    std::filesystem::remove("Graphics/Moneta.png");
    for (const auto& entry : std::filesystem::directory_iterator("LevelDescriptions/Level0/Background")) {
        if (entry.path().filename().string().rfind("Bk_1_", 0) == 0) std::filesystem::remove(entry.path());
    }
    WriteFile(
        "LevelDescriptions/Level0.xml",
        levelfixture::LevelXml(500, 1600, 4000, 100, levelfixture::EnemyXml("WOLF", {{900, 1600}, {1200, 1600}})));
    WriteFile("Units/wolf.xml", levelfixture::UnitXml("WOLF", 4, 10, 64));
    for (const char* name : {"MOVELEFT", "MOVERIGHT", "TURNLEFT"}) {
        WriteFlatPicture(std::string("Units/WOLF/") + name + ".png", 128, 384, 0x8090A0);
    }

    struct Made {
        std::vector<std::string> decoded;
        std::vector<std::string> messages;
        std::string levelMessage;
        std::vector<std::string> surfaces;
    };
    auto make = [&](bool workers) {
        CountingDecoder counting(services_.images);
        platform::Current().images = &counting;
        services_.messages.shown.clear();
        Made made;
        {
            // A prefetch in force already leaves the level none of its own: every picture decoded here.
            std::optional<platform::PicturePrefetch> none;
            if (!workers) none.emplace(std::vector<std::string>{"LevelDescriptions/none.png"});
            Start(0, true);
        }
        platform::Current().images = &services_.images;
        for (const std::string& path : counting.decoded) {
            if (path.find("none.png") == std::string::npos) made.decoded.push_back(path);
        }
        std::sort(made.decoded.begin(), made.decoded.end());
        made.messages = services_.messages.shown;
        made.levelMessage = level_->message;
        const CTileLayer& tiles = *level_->tileLayer;
        for (const SurfacePtr& s : tiles.tiles) made.surfaces.push_back(Digest(s.get()));
        for (const SurfacePtr& s : tiles.branches) made.surfaces.push_back(Digest(s.get()));
        for (const SurfacePtr& s : tiles.artefacts) made.surfaces.push_back(Digest(s.get()));
        made.surfaces.push_back(Digest(level_->staticPlan.get()));
        for (const CBackground* layer : {level_->farBackground.get(), level_->nearBackground.get()}) {
            if (!layer) continue;
            for (const auto& column : layer->pieces) {
                for (const SurfacePtr& piece : column) made.surfaces.push_back(Digest(piece.get()));
            }
        }
        for (const UnitType* type : {level_->unitTypes[0], level_->hero->type.get()}) {
            for (const auto& animation : type->animations) {
                made.surfaces.push_back(animation ? Digest(animation->surface.get()) : "no animation");
            }
        }
        for (const auto& status : level_->hero->statusPictures) made.surfaces.push_back(Digest(status.surface.get()));
        level_.reset();
        return made;
    };
    const Made alone = make(false);
    const Made withWorkers = make(true);
    // Each picture the level asks for is decoded as often as without the workers; a listed one that a layer
    // given up never asks for may have been decoded once in vain.
    std::map<std::string, int> aloneCounts;
    std::map<std::string, int> workerCounts;
    for (const std::string& path : alone.decoded) ++aloneCounts[path];
    for (const std::string& path : withWorkers.decoded) ++workerCounts[path];
    for (const auto& [path, count] : workerCounts) {
        const auto asked = aloneCounts.find(path);
        EXPECT_EQ(count, asked == aloneCounts.end() ? 1 : asked->second) << path;
    }
    for (const auto& [path, count] : aloneCounts) EXPECT_EQ(workerCounts.count(path), 1u) << path;
    EXPECT_EQ(withWorkers.messages, alone.messages);
    EXPECT_EQ(withWorkers.levelMessage, alone.levelMessage);
    EXPECT_EQ(withWorkers.surfaces, alone.surfaces);
    // The level did meet the failures and the pictures the test is about.
    EXPECT_EQ(alone.messages.size(), 3u);
    EXPECT_EQ(alone.levelMessage, "t37");
    EXPECT_NE(std::find(alone.surfaces.begin(), alone.surfaces.end(), "none"), alone.surfaces.end());
    EXPECT_TRUE(std::count_if(alone.decoded.begin(), alone.decoded.end(),
                              [](const std::string& p) { return p.find("WOLF") != std::string::npos; }) == 4);
}

}  // namespace
