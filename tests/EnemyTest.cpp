// Enemies: creation from the description, patrol and arrival, turning, chasing and sight, the flight of a
// killed enemy, drawing, and routes that are too short or absurd.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "LevelFixture.h"
#include "actors/Enemy.h"
#include "data/UnitType.h"
#include "gfx/Animation.h"

namespace {

using levelfixture::EnemyXml;
using levelfixture::UnitXml;
using levelfixture::WriteFile;

constexpr int kFloorRow = 40;

class EnemyTest : public levelfixture::ActorTest {
protected:
    void SetUp() override {
        ActorTest::SetUp();
        WriteFile("Units/WALKER.xml", UnitXml("WALKER", 3, 5, 48));
        WriteFile("Units/FLYER.xml", UnitXml("FLYER", 4, 0, 48));
        WriteFile("Units/FLYINGMINE.xml", UnitXml("FLYINGMINE", 4, 0, 48));
        WriteFile("Units/STILL.xml", UnitXml("STILL", 0, 0, 48));
    }

    // Level 0 with a floor, the given extra solid cells and enemies; the hero far away at (3000, 575).
    void Start(const std::string& enemies, const std::vector<std::pair<int, int>>& walls = {}) {
        WriteFile("LevelDescriptions/Level0.xml", levelfixture::LevelXml(3000, 575, 100, 100, enemies));
        levelfixture::WriteCollisionFile(0, [&](int cx, int cy) {
            return cy == kFloorRow || std::find(walls.begin(), walls.end(), std::pair(cx, cy)) != walls.end();
        });
        MakeLevel(0);
    }
    CEnemy& Enemy(size_t i) { return level_->enemies.at(i); }
    // A unit type of the level by class.
    UnitType* Type(const std::string& unitClass) {
        for (int i = 0; i < level_->unitTypeCount; ++i) {
            if (level_->unitTypes[i]->unitClass == unitClass) return level_->unitTypes[i];
        }
        return nullptr;
    }
};

// ---- creation ----

TEST_F(EnemyTest, PlacementsNameTheClassInCapitals) {
    Start(EnemyXml("WALKER", {{100, 200}, {300, 200}, {50, 60}}) + EnemyXml("walker", {{1, 2}, {3, 4}}) +
          EnemyXml("NOBODY", {{1, 2}, {3, 4}}) + EnemyXml("FLYER", {{700, 300}, {800, 310}}));
    // "walker" finds the file of WALKER, so the level has two types of class WALKER: the placement
    // WALKER makes an enemy of each, the placement walker none.
    ASSERT_EQ(level_->unitTypeCount, 4);
    ASSERT_EQ(level_->enemies.size(), 3u);
    EXPECT_EQ(Enemy(1).type, level_->unitTypes[1]);
    EXPECT_EQ(Enemy(1).type->unitClass, "WALKER");
    EXPECT_EQ(Enemy(2).type, Type("FLYER"));
    const CEnemy& walker = Enemy(0);
    EXPECT_EQ(walker.type, level_->unitTypes[0]);
    EXPECT_EQ(walker.state, "Stoi");
    // At the start point, heading for the second, with the type's energy.
    EXPECT_EQ(std::tuple(walker.x, walker.y, walker.targetX, walker.targetY), std::tuple(100.0f, 200.0f, 300, 200));
    EXPECT_EQ(walker.route.size(), 3u);
    EXPECT_EQ(walker.energy, 10);
    EXPECT_EQ(walker.turnCounter, 15);
    EXPECT_FALSE(walker.Flying());
    EXPECT_TRUE(Enemy(2).Flying()) << "JUMP 0 reads as -1: a flyer";
}

// ---- patrol ----

TEST_F(EnemyTest, ArrivalNeedsFivePixelsAcrossAndForAFlyerSixteenUpAndDown) {
    UnitType still("STILL");  // SPEED 0, a flyer: it stands where it is while the arrival rule is tried
    UnitType walking("STILL");
    walking.jump = 5;
    const std::tuple<bool, int, int, bool> cases[] = {
        {false, 4, 0, true}, {false, -4, 500, true}, {false, 5, 0, false}, {false, -5, 0, false},
        {true, 4, 15, true}, {true, 0, -15, true},   {true, 4, 16, false}, {true, 0, -16, false},
    };
    // No collision map: the rule alone, nothing moves.
    for (const auto& [flying, targetDx, targetDy, arrives] : cases) {
        SCOPED_TRACE(testing::Message() << flying << " " << targetDx << "," << targetDy);
        CEnemy enemy(flying ? &still : &walking, {{400, 300}, {400 + targetDx, 300 + targetDy}, {100, 100}});
        enemy.Patrol();
        EXPECT_EQ(enemy.routeIndex, arrives ? 1 : 0);
        // The first arrival targets the first route point once more.
        EXPECT_EQ(enemy.targetX, 400 + targetDx);
        EXPECT_EQ(enemy.targetY, 300 + targetDy);
        if (arrives) {
            enemy.Patrol();
            EXPECT_EQ(enemy.routeIndex, 2);
            EXPECT_EQ(enemy.targetX, 100);
        }
    }
}

TEST_F(EnemyTest, AWalkerArrivesAfterThreeStepsAndHeadsForTheNextPoint) {
    Start(EnemyXml("WALKER", {{400, 591}, {410, 591}, {300, 591}}));
    CEnemy& walker = Enemy(0);
    std::vector<int> xs;
    std::vector<int> indexes;
    for (int i = 0; i < 3; ++i) {
        walker.Step(Hero());
        xs.push_back(static_cast<int>(walker.x));
        indexes.push_back(walker.routeIndex);
    }
    EXPECT_EQ(xs, (std::vector<int>{403, 406, 409}));
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(walker.targetX, 300);
    EXPECT_EQ(walker.state, "MOVERIGHT");
    EXPECT_EQ(walker.animIndex, 1);
}

TEST_F(EnemyTest, AnOvershootDragsTheTargetAlong) {
    WriteFile("Units/WALKER.xml", UnitXml("WALKER", 10, 5, 48));
    Start(EnemyXml("WALKER", {{400, 591}, {403, 591}, {200, 591}}));
    CEnemy& walker = Enemy(0);
    walker.Patrol();
    // The target moved to 410 and counted as reached at once; the enemy went the whole 10 pixels.
    EXPECT_EQ(static_cast<int>(walker.x), 410);
    EXPECT_EQ(walker.routeIndex, 1);
    EXPECT_EQ(walker.targetX, 403);
}

TEST_F(EnemyTest, AReversalStandsForTheTurnAnimationThenWalksOn) {
    // A turn strip of six frames: the turn lasts four steps.
    levelfixture::WriteFlatPicture("Units/WALKER/TURNLEFT.png", 6 * 48, 32, 0x808080);
    Start(EnemyXml("WALKER", {{400, 591}, {430, 591}, {300, 591}}));
    CEnemy& walker = Enemy(0);
    ASSERT_EQ(walker.TurnFrames(), 6);
    std::vector<std::string> states;
    std::vector<int> moves;
    for (int i = 0; i < 22; ++i) {
        const float before = walker.x;
        walker.Step(Hero());
        states.push_back(walker.state);
        moves.push_back(static_cast<int>(std::lround(walker.x - before)));
    }
    // Right in steps of 3 to 430 (point 1 is reached at 427 and targeted once more), then the first
    // step left turns, four steps stand, and the walk goes on to the left.
    const auto turn = std::find(states.begin(), states.end(), "TURNLEFT") - states.begin();
    ASSERT_LT(turn, 16);
    EXPECT_EQ(moves[turn], -3) << "the step that reverses still moves";
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(states[turn + k], k < 4 ? "TURNLEFT" : "MOVELEFT") << k;
        EXPECT_EQ(moves[turn + k], 0) << k;
    }
    EXPECT_EQ(moves[turn + 5], -3);
    EXPECT_EQ(states[turn + 5], "MOVELEFT");
    EXPECT_EQ(walker.animIndex, 0);
    for (auto i = 0; i < turn; ++i) EXPECT_EQ(moves[i], 3) << i;
}

TEST_F(EnemyTest, TheStateFollowsTheMoveAndTurnsOnReversal) {
    Start(EnemyXml("STILL", {{400, 300}}));
    CEnemy& enemy = Enemy(0);
    ASSERT_EQ(enemy.TurnFrames(), 15) << "no turn picture: the default strip length";
    const std::tuple<const char*, const char*, float, const char*, bool> cases[] = {
        {"", "Stoi", 0.0f, "Stoi", false},
        {"", "Stoi", 1.0f, "MOVERIGHT", false},
        {"MOVERIGHT", "MOVERIGHT", -1.0f, "TURNLEFT", true},
        {"MOVELEFT", "MOVELEFT", 2.0f, "TURNRIGHT", true},
        {"TURNRIGHT", "TURNRIGHT", 0.0f, "MOVERIGHT", false},
        {"MOVELEFT", "MOVELEFT", 0.0f, "MOVELEFT", false},
    };
    for (const auto& [prevState, state, h, next, turns] : cases) {
        SCOPED_TRACE(testing::Message() << prevState << " " << h);
        enemy.prevState = prevState;
        enemy.state = state;
        enemy.turnCounter = 15;
        enemy.prevX = 400.0f;
        enemy.x = 400.0f + h;
        enemy.ChooseState();
        EXPECT_EQ(enemy.state, next);
        EXPECT_EQ(enemy.turnCounter, turns ? 0 : 15);
        EXPECT_EQ(enemy.prevState, next);
    }
    // "Stoi" is not in the list: the index stays at 0.
    enemy.animIndex = 0;
    enemy.state = "Stoi";
    enemy.prevState = "";
    enemy.x = enemy.prevX;
    enemy.ChooseState();
    EXPECT_EQ(enemy.animIndex, 0);
    // While the turn plays the state stays, whatever the move.
    enemy.state = "TURNLEFT";
    enemy.turnCounter = 5;
    enemy.x = enemy.prevX + 3.0f;
    enemy.ChooseState();
    EXPECT_EQ(enemy.state, "TURNLEFT");
    EXPECT_EQ(enemy.turnCounter, 6);
}

// ---- sight and chase ----

TEST_F(EnemyTest, AFlyerChasesAHeroItSeesAndPatrolsOtherwise) {
    Start(EnemyXml("FLYER", {{400, 300}, {400, 300}}) + EnemyXml("FLYINGMINE", {{400, 300}, {400, 300}}) +
          EnemyXml("WALKER", {{400, 300}, {400, 300}}));
    Hero().x = 500;
    Hero().y = 320;
    Hero().AlertEnemies();
    for (const CEnemy& enemy : level_->enemies) EXPECT_TRUE(enemy.alerted);
    for (CEnemy& enemy : level_->enemies) enemy.Step(Hero());
    // The flyer went 4 pixels along the line to the hero; the mine and the walker kept their places
    // across (the walker falls).
    const float length = std::sqrt(100.0f * 100.0f + 20.0f * 20.0f);
    EXPECT_NEAR(Enemy(0).x, 400.0f + 4.0f * 100.0f / length, 0.01f);
    EXPECT_NEAR(Enemy(0).y, 300.0f + 4.0f * 20.0f / length, 0.01f);
    EXPECT_FALSE(Enemy(0).alerted) << "a chase uses the alert up";
    EXPECT_EQ(std::pair(Enemy(1).x, Enemy(1).y), std::pair(400.0f, 300.0f));
    EXPECT_TRUE(Enemy(1).alerted) << "only a chase clears it";
    EXPECT_EQ(Enemy(2).x, 400.0f);
}

TEST_F(EnemyTest, SightEndsAtThreeHundredPixelsAndAtSolidCells) {
    const std::tuple<int, int, bool, bool> cases[] = {
        {699, 300, false, true}, {700, 300, false, false},  // sight range: |dx| < 300
        {400, 599, false, true}, {400, 1, false, false},    // up and down too (and the top edge)
        {600, 300, true, false}, {600, 420, false, true},
    };
    for (const auto& [heroX, heroY, wall, chases] : cases) {
        SCOPED_TRACE(testing::Message() << heroX << "," << heroY << " wall " << wall);
        // A wall of cells in column 31 (x 496..511) between the flyer and the hero.
        std::vector<std::pair<int, int>> walls;
        if (wall) {
            for (int cy = 0; cy < kFloorRow; ++cy) walls.emplace_back(31, cy);
        }
        Start(EnemyXml("FLYER", {{400, 300}, {400, 300}}), walls);
        Hero().x = heroX;
        Hero().y = heroY;
        Hero().AlertEnemies();
        Enemy(0).Step(Hero());
        EXPECT_EQ(Enemy(0).x != 400.0f || Enemy(0).y != 300.0f, chases);
    }
}

TEST_F(EnemyTest, AChaseWithoutSpeedOrDistanceEndsAtOnce) {
    Start(EnemyXml("STILL", {{400, 300}, {400, 300}}) + EnemyXml("FLYER", {{500, 300}, {500, 300}}));
    Hero().x = 450;
    Hero().y = 300;
    Enemy(0).alerted = true;
    EXPECT_FALSE(Enemy(0).Chase(Hero())) << "SPEED 0: the probe could never arrive";
    Hero().x = 500;
    EXPECT_FALSE(Enemy(1).Chase(Hero())) << "on top of the hero there is no direction";
    Enemy(1).alerted = true;
    Enemy(1).Step(Hero());
    EXPECT_EQ(Enemy(1).x, 500.0f);
    EXPECT_TRUE(std::isfinite(Enemy(1).y));
}

// ---- killed ----

TEST_F(EnemyTest, AKilledEnemyFliesOffGrowingThenLeavesTheMap) {
    Start(EnemyXml("WALKER", {{400, 592}, {500, 592}}));
    CEnemy& enemy = Enemy(0);
    enemy.energy = 0;
    for (int i = 0; i < 50; ++i) enemy.Step(Hero());
    EXPECT_EQ(std::pair(enemy.x, enemy.y), std::pair(400.0f + 50 * 15.0f, 592.0f - 50 * 20.0f));
    EXPECT_NEAR(enemy.scale, 1.0f + 50 * 0.15f, 0.001f);
    EXPECT_EQ(enemy.energy, -50);
    enemy.Step(Hero());
    EXPECT_EQ(std::pair(enemy.x, enemy.y), std::pair(-100.0f, 592.0f - 50 * 20.0f));
    enemy.x = 7.0f;
    enemy.Step(Hero());
    EXPECT_EQ(enemy.x, -100.0f) << "parked every step";

    // Flying off it cannot be struck again.
    enemy.x = 470.0f;
    enemy.y = 591.0f;
    Hero().x = 400;
    Hero().y = 575;
    Hero().attackProgress = 0.5f;
    Hero().score = 0;
    Hero().StrikeEnemies();
    EXPECT_EQ(Hero().score, 0);
}

// ---- drawing ----

TEST_F(EnemyTest, EnemiesAreDrawnSixPixelsLowAndTurningShowsTheTurnFrame) {
    levelfixture::WriteFlatPicture("Units/WALKER/MOVELEFT.png", 48, 32, 0x3050A0);
    // Six turn frames, each its own colour.
    levelfixture::WritePicture("Units/WALKER/TURNLEFT.png", 6 * 48, 32,
                               [](int x, int) { return 0x101010u * static_cast<uint32_t>(x / 48 + 1); });
    Start(EnemyXml("WALKER", {{400, 300}, {500, 300}}));
    CEnemy& enemy = Enemy(0);
    platform::Surface& target = Target();
    target.Fill(0);
    level_->cameraX = 100;
    level_->cameraY = 200;
    level_->DrawEnemies(&Window());
    EXPECT_EQ(target.GetPixel(300, 106), 0x3050A0u);
    EXPECT_EQ(target.GetPixel(300, 105), 0u);
    EXPECT_EQ(target.GetPixel(299, 106), 0u);

    enemy.state = "TURNLEFT";
    enemy.animIndex = 2;
    enemy.turnCounter = 2;
    target.Fill(0);
    Window().frameCounter += 1;
    level_->DrawEnemies(&Window());
    // The animation moves on by one before it shows: turn counter 2 shows the fourth frame.
    EXPECT_EQ(target.GetPixel(310, 110), 0x404040u);
}

// ---- routes the game cannot use ----

TEST_F(EnemyTest, ShortRoutesStandStill) {
    Start(EnemyXml("FLYER", {{400, 300}}) + EnemyXml("WALKER", {{600, 300}}) + EnemyXml("WALKER", {}));
    ASSERT_EQ(level_->enemies.size(), 3u);
    for (int i = 0; i < 30; ++i) {
        for (CEnemy& enemy : level_->enemies) enemy.Step(Hero());
    }
    const Point places[] = {{400, 300}, {600, 300}, {0, 0}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(std::pair(Enemy(i).x, Enemy(i).y), std::pair(1.0f * places[i].x, 1.0f * places[i].y)) << i;
    }
}

TEST_F(EnemyTest, AbsurdRoutesNeitherCrashNorHang) {
    WriteFile("Units/WALKER.xml", UnitXml("WALKER", 2000000000, 5, 48));
    Start(EnemyXml("WALKER", {{2147483647, -2147483647}, {-2147483647, 2147483647}, {5, 5}}) +
          EnemyXml("FLYER", {{2147483647, 2147483647}, {0, 0}}) +
          "<ENEMY>\r\n<ENEMY_TYPE T=\"FLYER\"/>\r\n<START_POS X=\"99999999999\" Y=\"-\"/>\r\n"
          "<ROUTE_PNT X=\"400\" Y=\"400\"/>\r\n</ENEMY>\r\n");
    ASSERT_EQ(level_->enemies.size(), 3u);
    std::vector<Point> huge(1000000);
    for (size_t i = 0; i < huge.size(); ++i) {
        huge[i] = Point{static_cast<int>(i * 7919 % 5000) - 500, static_cast<int>(i * 104729 % 3000) - 500};
    }
    level_->enemies.emplace_back(Type("FLYER"), huge);
    const auto start = std::chrono::steady_clock::now();
    Hero().x = 400;
    Hero().y = 400;
    for (int i = 0; i < 200; ++i) {
        Hero().AlertEnemies();
        for (CEnemy& enemy : level_->enemies) enemy.Step(Hero());
        level_->cameraX = 16;
        level_->DrawEnemies(&Window());
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    for (const CEnemy& enemy : level_->enemies) {
        // NaN fails these too.
        EXPECT_LE(std::fabs(enemy.x), 4.0e6f);
        EXPECT_LE(std::fabs(enemy.y), 4.0e6f);
    }
}

}  // namespace
