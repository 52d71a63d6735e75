// The hero: speeds and friction, jumping, falling out, riding, state choice, attack cycle and drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "GameRun.h"
#include "LevelFixture.h"
#include "data/UnitType.h"
#include "gfx/Animation.h"

namespace {

using levelfixture::WriteFlatPicture;

// The floor: solid cell row 40 (pixels 640..655) across the whole map. A 64-high hero rests at y 575.
constexpr int kFloorRow = 40;
constexpr int kRestY = 575;
constexpr uint32_t kBackground = 0x101010;
constexpr uint32_t kStayRightColour = 0x336699;
constexpr uint32_t kStayLeftColour = 0x996633;

class HeroTest : public ::testing::Test {
protected:
    HeroTest() {
        levelfixture::WriteCollisionFile(0, [](int, int cy) { return cy == kFloorRow; });
        map = std::make_unique<CCollisionMap>(&window, 0);
        target->Fill(kBackground);
        window.drawTarget = target.get();
        globals.Set(GameGlobals::mainWindow, &window);
        globals.Set(GameGlobals::collisionMap, map.get());
        globals.Set(GameGlobals::input, &input);
    }
    ~HeroTest() override {
        hero.reset();
        globals.Restore();
        sound.reset();
        delete window.gameData;
        window.gameData = nullptr;
        window.destroyed = true;  // nothing of the game was started
    }

    // A hero of the given speed and jump standing on the floor at x 400, facing right, running.
    void MakeHero(int speed = 8, int jump = 15) {
        levelfixture::WriteFile("Units/hero.xml", levelfixture::UnitXml("HERO", speed, jump, 64));
        hero = std::make_unique<CHero>(&window);
        hero->x = hero->prevX = hero->startX = 400;
        hero->y = hero->prevY = hero->startY = kRestY;
        hero->running = true;
    }
    // The hero standing right at (x, y) with its picture, past the blinking after a hit.
    void StandForDrawing(int x, int y) {
        WriteFlatPicture("Units/HERO/STAYRIGHT.png", 64, 32, kStayRightColour);
        WriteFlatPicture("Units/HERO/STAYLEFT.png", 64, 32, kStayLeftColour);
        MakeHero();
        hero->x = x;
        hero->y = y;
        hero->animIndex = 5;
        hero->state = "STAYRIGHT";
        hero->hurtTimer = 101;
        window.frameCounter = 1;
    }
    // One displayed frame with one world step, as the level runs them.
    void Frame() {
        hero->HandleInput();
        hero->Step();
    }
    // The x moves of the next n frames.
    std::vector<int> Moves(int n) {
        std::vector<int> moves;
        for (int i = 0; i < n; ++i) {
            const int before = hero->x;
            Frame();
            moves.push_back(hero->x - before);
        }
        return moves;
    }

    testing_support::TempGameFolder folder;
    testing_support::HeadlessServices services;
    CGameDlg window;
    InputState input;
    SurfacePtr target = platform::Surface::Create(800, 600);
    std::unique_ptr<CCollisionMap> map;
    std::unique_ptr<CSoundSystem> sound;
    std::unique_ptr<CHero> hero;
    testing_support::GlobalsGuard globals;
};

TEST_F(HeroTest, RestsOnTheFloor) {
    MakeHero();
    hero->y = 500;
    for (int i = 0; i < 40; ++i) Frame();
    EXPECT_EQ(hero->y, kRestY);
    EXPECT_EQ(hero->vy, 0.0f);
    EXPECT_TRUE(hero->GroundBelow());
    EXPECT_EQ(hero->x, 400);
}

TEST_F(HeroTest, RunningAndStoppingOnOrdinaryGround) {
    // The key sets the speed each frame; friction takes 2 before the move, and a speed below 2 is
    // snapped to a stop, except that to the left -1 stays for a step.
    const std::tuple<int, bool, std::vector<int>, std::vector<int>> cases[] = {
        {8, true, {6, 6, 6, 6}, {4, 2, 0, 0}},
        {8, false, {-6, -6}, {-4, -2, 0, 0}},
        {5, true, {3, 3, 3}, {0, 0}},
        {5, false, {-3, -3}, {-1, 0, 0}},
    };
    for (const auto& [speed, right, pressed, released] : cases) {
        SCOPED_TRACE(testing::Message() << speed << (right ? " right" : " left"));
        MakeHero(speed);
        KeySlot& key = right ? input.right : input.left;
        key.pressed = true;
        EXPECT_EQ(Moves(static_cast<int>(pressed.size())), pressed);
        key.pressed = false;
        EXPECT_EQ(Moves(static_cast<int>(released.size())), released);
        EXPECT_EQ(hero->vx, 0.0f);
        EXPECT_EQ(hero->facing, right ? 1 : -1);
    }
}

TEST_F(HeroTest, TheWalkKeyHalvesTheSpeedFromTheNextFrame) {
    MakeHero(8);
    input.right.pressed = true;
    input.walk.pressed = true;
    // The first frame still uses the running flag of the frame before.
    EXPECT_EQ(Moves(3), (std::vector<int>{6, 2, 2}));
    EXPECT_FALSE(hero->running);
    hero->ChooseState();
    EXPECT_EQ(hero->state, "MOVERIGHT");
    input.walk.pressed = false;
    EXPECT_EQ(Moves(2), (std::vector<int>{2, 6}));
}

TEST_F(HeroTest, NoFrictionInTheAir) {
    MakeHero(8);
    hero->y = 200;
    hero->vy = 1.0f;
    input.right.pressed = true;
    EXPECT_EQ(Moves(3), (std::vector<int>{8, 8, 8}));
}

TEST_F(HeroTest, FrictionByLevel) {
    const std::tuple<int, float> cases[] = {{0, 6.0f}, {3, 6.0f}, {4, 7.75f}, {5, 7.75f}, {6, 6.0f}, {7, 6.0f}};
    MakeHero(8);
    for (const auto& [level, vxAfterOneStep] : cases) {
        hero->levelNumber = level;
        hero->vx = 8.0f;
        hero->vy = 0.0f;
        hero->ApplyFrictionAndGravity();
        EXPECT_EQ(hero->vx, vxAfterOneStep) << "level " << level;
        EXPECT_EQ(hero->vy, 1.0f);
    }
}

TEST_F(HeroTest, SlidesOnIce) {
    MakeHero(8);
    hero->levelNumber = 4;
    input.right.pressed = true;
    for (int i = 0; i < 3; ++i) Frame();
    EXPECT_EQ(hero->vx, 7.75f);
    EXPECT_EQ(hero->state, "RUNRIGHT");
    input.right.pressed = false;
    const int releasedAt = hero->x;
    std::vector<float> speeds;
    std::vector<std::string> states;
    while (hero->vx != 0.0f && speeds.size() < 100) {
        Frame();
        speeds.push_back(hero->vx);
        states.push_back(hero->state);
    }
    // Down by a quarter a step; 0.25 itself is snapped to a stop, so 0.5 is the last speed.
    ASSERT_EQ(speeds.size(), 30u);
    for (size_t i = 0; i + 1 < speeds.size(); ++i) EXPECT_EQ(speeds[i], 7.5f - 0.25f * static_cast<float>(i));
    // Still running above 6; at exactly 6 the state stays; standing below 6 though he slides on.
    EXPECT_EQ(states[5], "RUNRIGHT");   // 6.25
    EXPECT_EQ(states[6], "RUNRIGHT");   // 6.0
    EXPECT_EQ(states[7], "STAYRIGHT");  // 5.75
    EXPECT_GT(hero->x - releasedAt, 90);
}

TEST_F(HeroTest, JumpsOnlyWhenStanding) {
    MakeHero(8, 15);
    input.jump.pressed = true;
    hero->HandleInput();
    EXPECT_EQ(hero->vy, -15.0f);
    EXPECT_EQ(hero->y, kRestY - 15);  // at once, before the step
    hero->Step();
    EXPECT_EQ(hero->y, kRestY - 29);
    EXPECT_EQ(hero->state, "STANDJUMPUPRIGHT");
    // In the air the held key does nothing.
    for (int i = 0; i < 5; ++i) {
        const float vyBefore = hero->vy;
        const int yBefore = hero->y;
        hero->HandleInput();
        EXPECT_EQ(hero->vy, vyBefore);
        EXPECT_EQ(hero->y, yBefore);
        hero->Step();
    }
    // Held, it jumps again as soon as he stands.
    int jumps = 0;
    for (int i = 0; i < 80; ++i) {
        hero->HandleInput();
        if (hero->vy == -15.0f) ++jumps;
        hero->Step();
    }
    EXPECT_GE(jumps, 2);
}

TEST_F(HeroTest, AttackStopsOnTheGroundOnly) {
    MakeHero(8);
    input.right.pressed = true;
    input.attack.pressed = true;
    hero->HandleInput();
    EXPECT_EQ(hero->vx, 0.0f);
    EXPECT_EQ(hero->facing, 1);

    // Jump and attack together: the jump lifts him first, so nothing is under the feet any more.
    input.jump.pressed = true;
    hero->HandleInput();
    EXPECT_EQ(hero->vx, 8.0f);
    EXPECT_EQ(hero->vy, -15.0f);

    input.jump.pressed = false;
    hero->Step();
    hero->HandleInput();
    EXPECT_EQ(hero->vx, 8.0f);  // in the air the speed stays
}

TEST_F(HeroTest, AttackCycleAndItsSound) {
    levelfixture::WriteSamples({"JUMP", "HIT"});
    window.gameData = new CGameData();
    sound = std::make_unique<CSoundSystem>(&window);
    globals.Set(GameGlobals::sound, sound.get());
    MakeHero(8);
    input.attack.pressed = true;
    std::vector<int> frames;
    std::vector<int> soundsAt;
    for (int i = 0; i < 19; ++i) {
        const size_t callsBefore = services.audio.calls.size();
        hero->HandleInput();
        if (services.audio.calls.size() > callsBefore) soundsAt.push_back(i);
        frames.push_back(static_cast<int>(hero->attackProgress * 15.0));
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 3, 4, 6, 7, 9, 10, 12, 13, 1, 3, 4, 6, 7, 9, 10, 12, 13, 1}));
    // The swing sounds on the frames that start at 0.3 and at 0.4.
    EXPECT_EQ(soundsAt, (std::vector<int>{3, 4, 12, 13}));
    input.attack.pressed = false;
    hero->HandleInput();
    EXPECT_EQ(hero->attackProgress, 0.0f);
}

TEST_F(HeroTest, NoControlRightAfterAHit) {
    MakeHero(8);
    hero->hurtTimer = 0;
    input.right.pressed = true;
    for (int i = 0; i < 10; ++i) {
        hero->HandleInput();
        EXPECT_EQ(hero->vx, 0.0f) << "frame " << i;
    }
    EXPECT_EQ(hero->hurtTimer, 10);
    hero->HandleInput();
    EXPECT_EQ(hero->vx, 8.0f);

    hero->vx = 0.0f;
    hero->dead = true;
    hero->HandleInput();
    EXPECT_EQ(hero->vx, 0.0f);
}

TEST_F(HeroTest, FallingOutOfTheMapReturnsToTheStart) {
    MakeHero(8);
    hero->startX = 300;
    hero->startY = 100;
    hero->x = 1000;
    hero->y = 2049;
    hero->vx = 0.0f;
    hero->vy = 5.0f;
    const int lives = hero->lives;
    const int health = hero->health;
    hero->Step();
    EXPECT_EQ(hero->x, 300);
    EXPECT_EQ(hero->y, 106);  // moved from the start with the speed he had, plus gravity
    EXPECT_EQ(hero->vy, 6.0f);
    EXPECT_EQ(hero->lives, lives);
    EXPECT_EQ(hero->health, health);

    hero->y = 2048;  // not yet out
    hero->vy = 0.0f;
    hero->Move();
    EXPECT_NE(hero->y, 106);
}

TEST_F(HeroTest, StateRules) {
    const std::tuple<float, float, int, float, bool, int, bool, const char*> cases[] = {
        {0, 1, 1, 0, true, 0, false, "STANDJUMPDOWNRIGHT"},
        {0, 1, -1, 0, true, 0, false, "STANDJUMPDOWNLEFT"},
        {-3, 1, 1, 0, true, 0, false, "JUMPDOWNLEFT"},
        {3, 1, -1, 0, true, 0, false, "JUMPDOWNRIGHT"},
        {0, -1, 1, 0, true, 0, false, "STANDJUMPUPRIGHT"},
        {0, -1, -1, 0, true, 0, false, "STANDJUMPUPLEFT"},
        {-3, -1, 1, 0, true, 0, false, "JUMPUPLEFT"},
        {3, -1, -1, 0, true, 0, false, "JUMPUPRIGHT"},
        {3, 0, 1, 0, true, 0, false, "RUNRIGHT"},
        {3, 0, 1, 0, false, 0, false, "MOVERIGHT"},
        {-3, 0, -1, 0, true, 0, false, "RUNLEFT"},
        {-3, 0, -1, 0, false, 0, false, "MOVELEFT"},
        {0.5f, 0, -1, 0, true, 0, false, "STAYLEFT"},  // moving, yet below 1: standing wins
        {0, 0, 1, 0, true, 0, false, "STAYRIGHT"},
        {0, 0, -1, 0, true, 0, false, "STAYLEFT"},
        {7, 0, 1, 0, true, 4, false, "RUNRIGHT"},
        {5, 0, 1, 0, true, 4, false, "STAYRIGHT"},
        {6, 0, 1, 0, true, 4, false, "BEFORE"},  // neither moving nor standing on ice: unchanged
        {-6, 0, -1, 0, true, 5, false, "BEFORE"},
        {-6.5f, 0, -1, 0, false, 5, false, "MOVELEFT"},
        {3, 0, 1, 0, true, 3, false, "RUNRIGHT"},
        {3, 1, 1, 0.3f, true, 0, false, "ATACKRIGHT"},
        {0, 0, -1, 0.1f, true, 0, false, "ATACKLEFT"},
        {0, 0, 1, 0.5f, true, 0, true, "DEATHRIGHT"},
        {3, -1, -1, 0, true, 0, true, "DEATHLEFT"},
    };
    MakeHero();
    for (const auto& [vx, vy, facing, attack, running, level, dead, state] : cases) {
        hero->state = "BEFORE";
        hero->vx = vx;
        hero->vy = vy;
        hero->facing = facing;
        hero->attackProgress = attack;
        hero->running = running;
        hero->levelNumber = level;
        hero->dead = dead;
        hero->idleSteps = 0;
        hero->ChooseState();
        EXPECT_EQ(hero->state, state) << "vx " << vx << " vy " << vy << " facing " << facing << " attack " << attack
                                      << " level " << level;
    }
}

TEST_F(HeroTest, NewAnimationAfterTwoEqualSteps) {
    MakeHero();
    auto choose = [&](float vx, float vy, float attack) {
        hero->vx = vx;
        hero->vy = vy;
        hero->attackProgress = attack;
        hero->x += 1;  // never idle
        hero->ChooseState();
    };
    EXPECT_EQ(hero->animIndex, 0);
    choose(0, 0, 0);
    EXPECT_EQ(hero->state, "STAYRIGHT");
    EXPECT_EQ(hero->animIndex, 0);
    choose(0, 0, 0);
    EXPECT_EQ(hero->animIndex, 5);
    choose(3, 0, 0);
    EXPECT_EQ(hero->animIndex, 5);
    choose(3, 0, 0);
    EXPECT_EQ(hero->animIndex, 7);  // the first RUNRIGHT
    // A state held for one step only never shows.
    choose(3, 1, 0);
    choose(3, 0, 0);
    EXPECT_EQ(hero->animIndex, 7);
    choose(3, 1, 0);
    choose(0, 0, 0);
    EXPECT_EQ(hero->animIndex, 7);
    choose(0, 0, 0);
    EXPECT_EQ(hero->animIndex, 5);
    // After an attack the next state shows at once.
    choose(0, 0, 0.1f);
    EXPECT_EQ(hero->state, "ATACKRIGHT");
    EXPECT_EQ(hero->animIndex, 5);
    choose(3, 0, 0);
    EXPECT_EQ(hero->state, "RUNRIGHT");
    EXPECT_EQ(hero->animIndex, 7);
}

TEST_F(HeroTest, GetsBoredWhenStandingStill) {
    MakeHero();
    hero->facing = -1;
    std::vector<std::string> states;
    for (int i = 0; i < 230; ++i) {
        Frame();
        states.push_back(hero->state);
    }
    ASSERT_EQ(hero->x, 400);
    ASSERT_EQ(hero->y, kRestY);
    // Still from the first step: the 101st still step is the first bored one.
    EXPECT_EQ(states[99], "STAYLEFT");
    EXPECT_EQ(states[100], "BOREDLEFT");
    EXPECT_EQ(states[148], "BOREDLEFT");
    EXPECT_EQ(states[149], "STAYLEFT");
    EXPECT_EQ(states[199], "BOREDLEFT");
    EXPECT_EQ(hero->animIndex, 19);
    input.right.pressed = true;
    Frame();
    EXPECT_EQ(hero->idleSteps, 0);
    EXPECT_EQ(hero->state, "RUNRIGHT");
}

TEST_F(HeroTest, StepCopiesTheScoreToThePlayerRecord) {
    MakeHero();
    hero->score = 1234;
    hero->Step();
    EXPECT_EQ(window.player.score, 1234);
    EXPECT_EQ(hero->prevX, hero->x);
    EXPECT_EQ(hero->prevY, hero->y);
}

TEST_F(HeroTest, RidesAPlatform) {
    MakeHero();
    // A platform 64 wide at (300, 400) moving right by 3 per step; the hero stands on it.
    CPlatformList platforms({{300.0f, 400.0f, 3.0f}});
    map->platforms = &platforms;
    hero->x = 290;
    hero->y = 336;
    hero->vx = 0.0f;
    hero->vy = 0.0f;
    std::vector<int> xs;
    for (int i = 0; i < 5; ++i) {
        Frame();
        xs.push_back(hero->x);
        // The platform moves on with the world.
        for (auto& p : platforms.platforms) p.x += p.vx;
        EXPECT_EQ(hero->vy, 0.0f);
    }
    EXPECT_EQ(xs, (std::vector<int>{293, 296, 299, 302, 305}));
    EXPECT_EQ(hero->y, 335);

    // Walking on it adds his own speed, halved each step by the ride.
    input.right.pressed = true;
    Frame();
    EXPECT_EQ(hero->x, 305 + 3 + 6);
    EXPECT_EQ(hero->vx, 3.0f);
}

TEST_F(HeroTest, BlinksAfterAHit) {
    StandForDrawing(300, 300);
    const std::tuple<int, bool, bool> cases[] = {{0, false, false}, {5, false, false},   {6, false, true},
                                                 {9, false, true},  {10, false, false},  {95, false, false},
                                                 {96, false, true}, {100, false, false}, {101, false, true},
                                                 {0, true, true},   {300, false, true}};
    for (const auto& [hurtTimer, dead, drawn] : cases) {
        target->Fill(kBackground);
        window.frameCounter += 1;
        hero->hurtTimer = hurtTimer;
        hero->dead = dead;
        hero->Draw();
        EXPECT_EQ(target->GetPixel(310, 310) == kStayRightColour, drawn) << "hurtTimer " << hurtTimer;
    }
}

TEST_F(HeroTest, DrawnBelowItsBoxAndOnlyOnTheScreen) {
    StandForDrawing(300, 300);
    hero->Draw();
    EXPECT_EQ(target->GetPixel(300, 304), kBackground);
    EXPECT_EQ(target->GetPixel(300, 305), kStayRightColour);
    EXPECT_EQ(target->GetPixel(363, 336), kStayRightColour);
    EXPECT_EQ(target->GetPixel(300, 337), kBackground);
    for (auto [x, y] : {std::pair{0, 300}, {300, 0}, {800, 300}, {300, 600}, {-10, 300}}) {
        target->Fill(kBackground);
        hero->x = x;
        hero->y = y;
        window.frameCounter += 1;
        hero->Draw();
        EXPECT_EQ(std::count(target->Pixels(), target->Pixels() + 800 * 600, kBackground), 800 * 600) << x << "," << y;
    }
}

TEST_F(HeroTest, MissingPictureFallsBackToStandingByFacing) {
    StandForDrawing(300, 300);
    hero->state = "MOVELEFT";
    hero->animIndex = 0;  // no picture
    hero->facing = -1;
    hero->Draw();
    EXPECT_EQ(target->GetPixel(310, 310), kStayLeftColour);
    hero->facing = 1;
    window.frameCounter = 2;
    hero->Draw();
    EXPECT_EQ(target->GetPixel(310, 310), kStayRightColour);
}

TEST_F(HeroTest, AttackShowsItsFramesFromTheCycle) {
    WriteFlatPicture("Units/HERO/ATACKRIGHT.png", 1800, 32, 0x00AA00);
    WriteFlatPicture("Units/HERO/ATACKLEFT.png", 1800, 32, 0xAA0000);
    MakeHero();
    hero->x = 300;
    input.attack.pressed = true;
    CAnimation& right = *hero->type->animations[17];
    ASSERT_EQ(right.frameCount, 15);
    // One frame: the keys, two world steps (so a new state shows), the picture.
    auto frame = [&] {
        window.frameCounter += 1;
        hero->HandleInput();
        hero->Step();
        hero->Step();
        hero->Draw();
    };
    std::vector<int> shown;
    for (int i = 0; i < 9; ++i) {
        frame();
        shown.push_back(right.currentFrame);
    }
    EXPECT_EQ(hero->state, "ATACKRIGHT");
    EXPECT_EQ(hero->x, 300);
    // The cycle picks the frame; drawing moves it on by one.
    EXPECT_EQ(shown, (std::vector<int>{2, 4, 5, 7, 8, 10, 11, 13, 14}));
    // Drawn 16 pixels higher than the box.
    EXPECT_EQ(target->GetPixel(300 + 119, kRestY - 16), 0x00AA00u);
    EXPECT_EQ(target->GetPixel(300, kRestY - 17), kBackground);

    // Facing left the club reaches out to the left of the box.
    target->Fill(kBackground);
    input.left.pressed = true;
    frame();
    EXPECT_EQ(hero->state, "ATACKLEFT");
    EXPECT_EQ(hero->animIndex, 16);  // at once after an attack
    EXPECT_EQ(hero->x, 300);
    EXPECT_EQ(target->GetPixel(300 - 64, kRestY - 16), 0xAA0000u);
    EXPECT_EQ(target->GetPixel(300 - 65, kRestY - 16), kBackground);
}

TEST_F(HeroTest, DeathAnimationStopsOnItsLastFrame) {
    WriteFlatPicture("Units/HERO/DEATHRIGHT.png", 1000, 32, 0x777777);
    MakeHero();
    hero->x = 300;
    hero->y = 300;
    hero->dead = true;
    hero->state = "DEATHRIGHT";
    hero->animIndex = 22;
    CAnimation& death = *hero->type->animations[22];
    ASSERT_EQ(death.frameCount, 10);
    for (int i = 0; i < 30; ++i) {
        window.frameCounter = i + 1;
        hero->Draw();
    }
    EXPECT_EQ(death.currentFrame, 9);
    window.frameCounter += 1;
    hero->Draw();
    EXPECT_EQ(death.currentFrame, 9);
}

// The real game in the headless driver: into level 0 of a fixture folder, then run, walk and jump.
TEST(HeroDriverTest, RunsWalksAndJumpsThroughAFixtureLevel) {
    testing_support::TempGameFolder folder;
    levelfixture::WriteFile("Units/hero.xml", levelfixture::UnitXml("HERO", 8, 15, 64));
    levelfixture::WriteFile("LevelDescriptions/Level0.xml", levelfixture::LevelXml(400, 500, 3000, 560));
    // Something that starts like a film, so the intro is there to be closed (a missing one gives way by itself).
    levelfixture::WriteFile("intro.avi", "RIFF....AVI ");
    // A floor, a one-cell step to climb at column 50 and a two-cell wall at column 60 (x 960).
    levelfixture::WriteCollisionFile(0, [](int cx, int cy) {
        return cy == kFloorRow || (cx == 50 && cy == 39) || (cx == 60 && (cy == 38 || cy == 39));
    });
    const gamerun::RunResult run = gamerun::Run(
        {KVB_PLAY_EXE, "--quiet", "--data", folder.Path(), "-e",
         "press RETURN; frames 3; press RETURN; frames 3; press RETURN; frames 60; state; "
         "down RIGHT; frames 20; state; frames 80; state; up RIGHT; down SHIFT; down LEFT; frames 10; state; "
         "up LEFT; up SHIFT; down UP; frames 1; state; up UP; frames 60; state"});
    std::vector<nlohmann::json> hero;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        const nlohmann::json state = nlohmann::json::parse(line, nullptr, false);
        if (state.contains("/level/hero"_json_pointer)) hero.push_back(state.at("/level/hero"_json_pointer));
    }
    ASSERT_EQ(hero.size(), 6u) << run.Describe() << "\n" << run.out;
    auto at = [&](size_t i, const char* key) { return hero[i].at(key).get<int>(); };

    // Fallen from the start onto the floor.
    EXPECT_EQ(at(0, "x"), 400);
    EXPECT_EQ(at(0, "y"), kRestY);
    EXPECT_EQ(hero[0].at("state"), "STAYRIGHT");
    // Running: 6 pixels a step.
    EXPECT_GE(at(1, "x"), 400 + 6 * 18);
    EXPECT_LE(at(1, "x"), 400 + 6 * 20);
    EXPECT_EQ(hero[1].at("state"), "RUNRIGHT");
    // Over the step and up to the wall, whose cells begin at x 960: the box's right inset edge stops short.
    EXPECT_GE(at(2, "x"), 900);
    EXPECT_LE(at(2, "x"), 960 - 64 + 20 - 1);
    EXPECT_EQ(at(2, "y"), kRestY);
    // Walking left with the walk key: 2 pixels a step after the first.
    EXPECT_GE(at(2, "x") - at(3, "x"), 6 + 2 * 8);
    EXPECT_LE(at(2, "x") - at(3, "x"), 6 + 2 * 9);
    EXPECT_EQ(at(3, "facing"), -1);
    EXPECT_EQ(hero[3].at("state"), "MOVELEFT");
    // The jump lifts him at once and in the step; then he lands again.
    EXPECT_EQ(at(4, "y"), kRestY - 15 - 14);
    EXPECT_EQ(hero[4].at("vy"), -14.0);
    EXPECT_EQ(at(5, "y"), kRestY);
    EXPECT_EQ(hero[5].at("vy"), 0.0);
}

}  // namespace
