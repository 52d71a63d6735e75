// Hero combat: damage and lives, enemy contact, dying and reappearing, club and stomp, the hit flash,
// the level's end with its save, the end of the game and the typed end messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "LevelFixture.h"
#include "actors/Enemy.h"
#include "data/SaveSlots.h"
#include "gfx/Animation.h"
#include "platform/Files.h"

namespace {

using levelfixture::WriteFile;

constexpr int kRestY = 575;
// A message of L letters ends the level 3 * L + 30 steps after it starts typing: "BRAVO" and "KONIEC".
constexpr int kCompletedSteps = 3 * 5 + 30;
constexpr int kGameOverSteps = 3 * 6 + 30;

class CombatTest : public levelfixture::ActorTest {
protected:
    void SetUp() override {
        ActorTest::SetUp();
        std::string texts;  // entries 18 and 19: the level-completed and game-over messages
        for (int i = 0; i < 40; ++i)
            texts += "<T TEXT=\"" + (i == 18 ? "BRAVO" : i == 19 ? "KONIEC" : "t" + std::to_string(i)) + "\"/>\r\n";
        WriteFile("Data/Text.xml", texts);
        levelfixture::WriteSamples({"HERO_HIT", "MONSTER_HIT", "LEVEL_COMPLETED"});
        // A 48x48 walker that costs 20 energy on touch and needs strength 10 to kill.
        WriteFile("Units/BEAR.xml", levelfixture::UnitXml("BEAR", 0, 5, 48, 20));
        for (int n = 0; n < 8; ++n) levelfixture::WriteCollisionFile(n, [](int, int cy) { return cy == 40; });
    }

    // Level `number` with the hero at (400, 575), the finish far away unless given, and `enemies`
    // bears parked far off (tests move them where they want them).
    void Start(int number, int enemies = 0, int finishX = 4000, int finishY = 100) {
        std::string bears;
        for (int i = 0; i < enemies; ++i) bears += levelfixture::EnemyXml("BEAR", {{3000, 100}});
        WriteFile("LevelDescriptions/Level" + std::to_string(number) + ".xml",
                  levelfixture::LevelXml(400, kRestY, finishX, finishY, bears));
        MakeLevel(number, true);
        Hero().hurtTimer = 200;
        Window().requestedState = Level;
        Window().requestedLevel = number;
    }
    CEnemy& Enemy(size_t i) { return level_->enemies.at(i); }
    void PlaceEnemy(size_t i, float x, float y) {
        Enemy(i).x = Enemy(i).prevX = x;
        Enemy(i).y = Enemy(i).prevY = y;
    }
    // A frame with one step, as the level runs them.
    void Frame() {
        Hero().HandleInput();
        Hero().Step();
    }
    // The record stored in a slot file.
    PlayerRecord Slot(int n) const {
        std::string bytes;
        EXPECT_TRUE(platform::ReadWholeFile("SAVE" + std::to_string(n), bytes));
        PlayerRecord record;
        record.nextLevel = -1;
        DecodeSlot(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), record);
        return record;
    }
};

// ---- damage ----

TEST_F(CombatTest, DamageTakesEnergyThenALifeThenTheGame) {
    const std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t> cases[] = {
        {50, 3, 20, 30, 3, -1},  {20, 3, 20, 100, 2, -1},  // equal damage already costs a life
        {5, 0, 3, 2, 0, -1},     {5, 0, 5, 0, 0, 0},       // no life left: the game is lost
        {20, 1, 50, 100, 0, -1}, {100, 0, 0, 100, 0, -1},
    };
    Start(0);
    for (const auto& [health, lives, damage, healthAfter, livesAfter, gameOverTimer] : cases) {
        SCOPED_TRACE(testing::Message() << health << " " << lives << " " << damage);
        Hero().health = health;
        Hero().lives = lives;
        Hero().hurtTimer = 101;
        Hero().gameOverTimer = -1;
        Hero().vy = 0.0f;
        level_->floatingTexts.clear();
        Hero().Hurt(damage);
        EXPECT_EQ(Hero().health, healthAfter);
        EXPECT_EQ(Hero().lives, livesAfter);
        EXPECT_EQ(Hero().gameOverTimer, gameOverTimer);
        EXPECT_EQ(Hero().hurtTimer, 0);
        EXPECT_EQ(Hero().vy, -15.0f) << "knocked up as high as a jump";
        EXPECT_EQ(Texts(), (std::vector<std::string>{"-" + std::to_string(damage)}));
        EXPECT_EQ(Sounds(), (std::vector<std::string>{"HERO_HIT"}));
    }
    // Within 100 frames of a hit nothing hurts.
    Hero().health = 50;
    Hero().hurtTimer = 100;
    Hero().Hurt(30);
    EXPECT_EQ(Hero().health, 50);
    EXPECT_TRUE(Sounds().empty());
}

TEST_F(CombatTest, LiveEnemiesTouchingTheHeroHurtHimOncePerStep) {
    Start(0, 2);
    Hero().health = 90;
    // Both overlap the hero's narrowed box; the second would hurt too if the first had not.
    PlaceEnemy(0, 410.0f, 591.0f);
    PlaceEnemy(1, 420.0f, 591.0f);
    Hero().CheckEnemyContact();
    EXPECT_EQ(Hero().health, 70);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"HERO_HIT"}));

    // A killed enemy is harmless.
    Hero().hurtTimer = 200;
    Enemy(0).energy = 0;
    Enemy(1).energy = -5;
    Hero().CheckEnemyContact();
    EXPECT_EQ(Hero().health, 70);

    // The spans: the hero's box narrowed by 20 across, the enemy's top or bottom inside it down.
    const std::tuple<float, float, bool> cases[] = {
        {372.0f, 591.0f, true},  {371.0f, 591.0f, false}, {444.0f, 591.0f, true},
        {445.0f, 591.0f, false}, {420.0f, 639.0f, true},  {420.0f, 640.0f, false},
        {420.0f, 527.0f, true},  {420.0f, 526.0f, false}, {420.0f, 580.0f, true},
    };
    Enemy(0).energy = 10;
    for (const auto& [ex, ey, hurts] : cases) {
        SCOPED_TRACE(testing::Message() << ex << "," << ey);
        PlaceEnemy(0, ex, ey);
        Hero().hurtTimer = 200;
        Hero().health = 90;
        Hero().CheckEnemyContact();
        EXPECT_EQ(Hero().health, hurts ? 70 : 90);
    }
}

TEST_F(CombatTest, ALostLifePlaysTheDeathAndTheHeroReappearsAtTheCheckpoint) {
    Start(0, 1);
    Hero().health = 20;
    Hero().lives = 3;
    Hero().respawnX = 1000;
    Hero().respawnY = kRestY;
    PlaceEnemy(0, 420.0f, 591.0f);
    Frame();
    ASSERT_EQ(Hero().lives, 2);
    ASSERT_EQ(Hero().health, 100);
    ASSERT_EQ(Hero().hurtTimer, 0);
    for (int frame = 1; frame < 99; ++frame) {
        Frame();
        ASSERT_EQ(Hero().hurtTimer, frame);
        ASSERT_EQ(Hero().dead, frame >= 10) << "frame " << frame;
    }
    EXPECT_EQ(Hero().state, "DEATHRIGHT");
    Frame();
    EXPECT_FALSE(Hero().dead);
    EXPECT_EQ(Hero().x, 1000);
    EXPECT_EQ(Hero().y, kRestY);
    EXPECT_EQ(Hero().hurtTimer, 100);
    // Still blinking for one frame more, then the enemy far behind cannot reach him.
    Frame();
    EXPECT_EQ(Hero().hurtTimer, 101);
    EXPECT_EQ(Hero().lives, 2);
    EXPECT_FALSE(Hero().dead);
}

TEST_F(CombatTest, FramesWithoutStepsCannotLeaveTheHeroDead) {
    // A frame without a world step moves the frame counter past a value the step would have seen.
    Start(0);
    Hero().health = 20;
    Hero().lives = 3;
    Hero().respawnX = 1000;
    Hero().Hurt(30);
    Hero().hurtTimer = 9;
    Hero().HandleInput();
    Hero().HandleInput();  // 9 -> 11: the tenth frame ran no step
    Hero().Step();
    EXPECT_TRUE(Hero().dead);
    Hero().hurtTimer = 98;
    Hero().HandleInput();
    Hero().HandleInput();
    Hero().HandleInput();  // 98 -> 101: neither 99 nor 100 ran a step
    Hero().Step();
    EXPECT_FALSE(Hero().dead);
    EXPECT_EQ(Hero().x, 1000);
    EXPECT_EQ(Hero().hurtTimer, 100);
    // Reappearing happens once: later steps leave him where he walks.
    Hero().x = 1100;
    Hero().HandleInput();
    Hero().Step();
    EXPECT_EQ(Hero().x, 1100);
}

// ---- club and stomp ----

TEST_F(CombatTest, TheClubKillsWhatTheStrengthOvercomes) {
    const std::tuple<int32_t, int32_t, bool, int32_t> cases[] = {
        {15, 10, false, 0}, {10, 10, true, 10}, {10, 20, true, 20}, {7, 15, true, 10}, {1, 10, true, 1}};
    for (const auto& [energy, strength, killed, score] : cases) {
        SCOPED_TRACE(testing::Message() << energy << " vs " << strength);
        Start(0, 1);
        Hero().strength = strength;
        Hero().attackProgress = 0.1f;
        PlaceEnemy(0, 470.0f, 591.0f);
        Enemy(0).energy = energy;
        Hero().StrikeEnemies();
        EXPECT_EQ(Enemy(0).energy, killed ? 0 : energy);
        EXPECT_EQ(Hero().score, score);
        EXPECT_EQ(Hero().flashFrame, killed ? 0 : 8);
        EXPECT_EQ(Sounds(), killed ? std::vector<std::string>{"MONSTER_HIT"} : std::vector<std::string>{});
        EXPECT_EQ(Texts(), killed ? std::vector<std::string>{"+" + std::to_string(score)} : std::vector<std::string>{});
        if (killed) {
            EXPECT_EQ(level_->floatingTexts[0].icon, nullptr);
            EXPECT_EQ(Hero().hitX, 400.0f + 32.0f + 64.0f);
            EXPECT_EQ(Hero().hitY, 575.0f + 64.0f);
        }
    }
}

TEST_F(CombatTest, TheClubReachesFromTheHerosFrontToTheHitPoint) {
    const std::tuple<int, float, float, bool> cases[] = {
        // Facing right, the reach is [x + W, x + W/2 + 64] = [464, 496] across, [575, 639] down.
        {1, 464.0f, 591.0f, true},
        {1, 496.0f, 591.0f, true},
        {1, 497.0f, 591.0f, false},
        {1, 416.0f, 591.0f, true},
        {1, 415.0f, 591.0f, false},  // its right edge at 464
        {1, 470.0f, 639.0f, true},
        {1, 470.0f, 640.0f, false},
        {1, 470.0f, 527.0f, true},
        {1, 470.0f, 526.0f, false},
        // Facing left, [x + W/2 - 64, x + W] = [368, 464]: the hero's own box is in it.
        {-1, 320.0f, 591.0f, true},
        {-1, 319.0f, 591.0f, false},
        {-1, 464.0f, 591.0f, true},
        {-1, 465.0f, 591.0f, false},
    };
    for (const auto& [facing, ex, ey, killed] : cases) {
        SCOPED_TRACE(testing::Message() << facing << " " << ex << "," << ey);
        Start(0, 1);
        Hero().facing = facing;
        Hero().attackProgress = 0.5f;
        PlaceEnemy(0, ex, ey);
        Hero().StrikeEnemies();
        EXPECT_EQ(Enemy(0).energy == 0, killed);
    }
    // No swing, no blow; another weapon does not strike either.
    Start(0, 1);
    PlaceEnemy(0, 470.0f, 591.0f);
    Hero().attackProgress = 0.0f;
    Hero().StrikeEnemies();
    EXPECT_EQ(Enemy(0).energy, 10);
    Hero().attackProgress = 0.3f;
    Hero().weapon = "kamien";
    Hero().StrikeEnemies();
    EXPECT_EQ(Enemy(0).energy, 10);
}

TEST_F(CombatTest, LandingOnAnEnemyKillsItOnlyWhileFalling) {
    const std::tuple<float, int, float, float, bool> cases[] = {
        {5.0f, 200, 400.0f, 570.0f, true},  // top in the strip under the feet [564, 574]
        {5.0f, 200, 400.0f, 584.0f, true},  // ten above the top in it
        {5.0f, 200, 400.0f, 585.0f, false}, {5.0f, 200, 400.0f, 563.0f, false},
        {0.0f, 200, 400.0f, 570.0f, false}, {-3.0f, 200, 400.0f, 570.0f, false},  // not falling
        {5.0f, 100, 400.0f, 570.0f, false},                                       // blinking
        {5.0f, 200, 464.0f, 570.0f, true},  {5.0f, 200, 465.0f, 570.0f, false},   // across: ends included
    };
    for (const auto& [vy, hurtTimer, ex, ey, killed] : cases) {
        SCOPED_TRACE(testing::Message() << vy << " " << hurtTimer << " " << ex << "," << ey);
        Start(0, 1);
        Hero().y = 500;
        Hero().vy = vy;
        Hero().hurtTimer = hurtTimer;
        PlaceEnemy(0, ex, ey);
        Hero().StrikeEnemies();
        EXPECT_EQ(Enemy(0).energy == 0, killed);
        if (killed) {
            EXPECT_EQ(Hero().score, 10);
            EXPECT_EQ(Hero().hitX, 444.0f);
            EXPECT_EQ(Hero().hitY, static_cast<float>(static_cast<int>(ey - 10.0f) + 48));
            EXPECT_EQ(Sounds(), (std::vector<std::string>{"MONSTER_HIT"}));
        }
    }
}

TEST_F(CombatTest, TheHitFlashShowsEightFramesAroundTheHitPoint) {
    // Eight frames of 128 in four rows of 16.
    levelfixture::WriteFlatPicture("Graphics/Bang/Bang.png", 256, 64, 0xFFAA00);
    Start(0, 1);
    ASSERT_EQ(Hero().hitFlash->frameCount, 8);
    Hero().attackProgress = 0.2f;
    PlaceEnemy(0, 470.0f, 591.0f);
    Hero().StrikeEnemies();
    ASSERT_EQ(Hero().flashFrame, 0);
    level_->cameraX = 100;
    level_->cameraY = 300;
    // The hit point (496, 639) less the camera, 64 left and 96 up: (332, 243).
    platform::Surface& target = Target();
    for (int frame = 0; frame < 8; ++frame) {
        target.Fill(0);
        Window().frameCounter += 1;
        Hero().DrawHitFlash();
        EXPECT_EQ(target.GetPixel(332, 243), 0xFFAA00u) << frame;
        EXPECT_EQ(target.GetPixel(331, 243), 0u);
        EXPECT_EQ(target.GetPixel(332, 242), 0u);
    }
    EXPECT_EQ(Hero().flashFrame, 8);
    target.Fill(0);
    Hero().DrawHitFlash();
    EXPECT_EQ(target.GetPixel(332, 243), 0u);
}

// ---- the end of a level and of the game ----

auto Fields(const PlayerRecord& r) {
    return std::tuple(r.nextLevel, r.health, r.lives, r.score, r.money, r.strength);
}

TEST_F(CombatTest, FinishingALevelBelowSevenSavesAndAsksForTheNextBriefing) {
    Start(3, 0, 420, 600);
    Hero().money = 7;
    Hero().strength = 10;
    Hero().score = 500;
    Hero().lives = 4;
    Hero().health = 60;
    Hero().Step();
    EXPECT_EQ(Hero().levelEndTimer, 1);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"LEVEL_COMPLETED"}));
    for (int i = 1; i < kCompletedSteps; ++i) Hero().Step();
    EXPECT_EQ(Window().requestedState, Level) << "the message is still typing";
    EXPECT_FALSE(std::filesystem::exists("SAVE3"));
    Hero().Step();
    EXPECT_EQ(Window().requestedState, Briefing);
    EXPECT_EQ(Window().requestedLevel, 4);
    EXPECT_FALSE(Window().outroPending);
    EXPECT_EQ(Hero().levelEndTimer, 0);
    EXPECT_EQ(Hero().money, 7) << "the money stays for the briefing";
    EXPECT_EQ(Hero().score, 500);
    EXPECT_EQ(Fields(Window().player), std::tuple(4, 60, 4, 500, 7, 10));
    // All eight slots are written; the level's own holds the record, byte for byte.
    for (int n = 0; n < 8; ++n) EXPECT_TRUE(std::filesystem::exists("SAVE" + std::to_string(n))) << n;
    EXPECT_EQ(Fields(Slot(3)), std::tuple(4, 60, 4, 500, 7, 10));
    unsigned char expected[kSaveRecordSize];
    EncodeSlot(Window().player, expected);
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile("SAVE3", bytes));
    EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(expected), kSaveRecordSize));
}

TEST_F(CombatTest, TheGamesEndPaysTheBonusOnlyForSomeStrength) {
    // The last level finished, or the last life lost: money * strength / 10 is added to the score.
    const std::tuple<const char*, int, bool, int32_t, int32_t, int32_t> cases[] = {
        {"game lost", 2, true, 10, 1070, 0},  // first: the others write the save slots
        {"last level", 7, false, 10, 1070, 0},
        {"no strength: no bonus and no division by it", 7, false, 0, 1000, 7},
    };
    for (const auto& [what, level, lost, strength, scoreAfter, moneyAfter] : cases) {
        SCOPED_TRACE(what);
        Start(level, 0, lost ? 4000 : 400, lost ? 100 : 575);
        Hero().money = 7;
        Hero().strength = strength;
        Hero().score = 1000;
        if (lost) {
            Hero().health = 5;
            Hero().lives = 0;
            Hero().Hurt(5);
            ASSERT_EQ(Hero().gameOverTimer, 0);
        }
        const int steps = lost ? kGameOverSteps : kCompletedSteps;
        for (int i = 0; i < steps; ++i) Hero().Step();
        EXPECT_EQ(Window().requestedState, Level);
        Hero().Step();
        EXPECT_EQ(Window().requestedState, Highscore);
        EXPECT_EQ(Window().outroPending, !lost);
        EXPECT_EQ(Hero().score, scoreAfter);
        EXPECT_EQ(Hero().money, moneyAfter);
        EXPECT_EQ(Window().player.score, scoreAfter);
        EXPECT_EQ(Window().player.money, moneyAfter);
        if (lost) {
            for (int n = 0; n < 8; ++n) EXPECT_FALSE(std::filesystem::exists("SAVE" + std::to_string(n))) << n;
        } else {
            EXPECT_EQ(Window().player.nextLevel, 8);
            const PlayerRecord saved = Slot(7);  // the values from before the bonus
            EXPECT_EQ(std::tuple(saved.nextLevel, saved.score, saved.money), std::tuple(8, 1000, 7));
        }
    }
}

TEST_F(CombatTest, TheFinishWinsOverAPendingGameOver) {
    Start(1, 0, 400, 575);
    Hero().lives = 0;
    Hero().health = 1;
    Hero().money = 7;
    Hero().Hurt(1);
    // Both messages become complete in the same step.
    Hero().gameOverTimer = kGameOverSteps - kCompletedSteps;
    for (int i = 0; i < kCompletedSteps; ++i) Hero().Step();
    EXPECT_EQ(Window().requestedState, Level);
    Hero().Step();
    EXPECT_EQ(Hero().gameOverTimer, kGameOverSteps + 1);
    EXPECT_EQ(Window().requestedState, Briefing) << "the level end is looked at first";
    EXPECT_EQ(Window().requestedLevel, 2);
    EXPECT_EQ(Hero().money, 7) << "and no bonus is paid";
}

TEST_F(CombatTest, TheEndMessagesTypeThemselvesLetterByLetter) {
    // A sheet painted all over: every glyph is a solid block, so the drawn width shows the letters.
    auto sheet = platform::Surface::Create(512, 342);
    sheet->Fill(0x00FF00);
    std::filesystem::create_directories("Graphics");
    ASSERT_TRUE(platform::SavePng("Graphics/Spritelitery.png", *sheet));
    Start(0);
    MakeFont();
    platform::Surface& target = Target();
    auto drawnRight = [&]() {
        int right = -1;
        for (int x = 0; x < 800; ++x) {
            if (target.GetPixel(x, 120) == 0x00FF00u) right = x;
        }
        return right;
    };
    const std::tuple<int32_t, int32_t, std::string> cases[] = {
        {-1, -1, ""},      {0, -1, ""},        {2, -1, ""},  {3, -1, "B"},        {8, -1, "BR"},
        {15, -1, "BRAVO"}, {200, -1, "BRAVO"}, {-1, 3, "K"}, {-1, 100, "KONIEC"},
    };
    for (const auto& [levelEndTimer, gameOverTimer, shown] : cases) {
        SCOPED_TRACE(testing::Message() << levelEndTimer << " " << gameOverTimer);
        Hero().levelEndTimer = levelEndTimer;
        Hero().gameOverTimer = gameOverTimer;
        target.Fill(0);
        level_->DrawEndMessages();
        if (shown.empty()) {
            EXPECT_EQ(drawnRight(), -1);
        } else {
            EXPECT_EQ(target.GetPixel(100, 100), 0x00FF00u);
            EXPECT_EQ(target.GetPixel(99, 120), 0u);
            EXPECT_EQ(drawnRight(), font_->PenAfter(shown, 100, 1.0f) - 1);
        }
    }
}

}  // namespace
