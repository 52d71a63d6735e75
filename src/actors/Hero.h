// The player's caveman: keys, physics, states and drawing; combat and the level end; the status display.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "actors/CollisionMap.h"
#include "gfx/Surfaces.h"

class CActorWorld;
class CAnimation;
struct GameDlgFields;
struct UnitType;

class CHero {
public:
    // Levels 4 and 5 are icy: little friction, and small speeds count as standing.
    static constexpr float kIceFriction = 0.25f;
    static constexpr float kIceSnap = 0.25f;
    static constexpr float kFriction = 2.0f;
    static constexpr float kSnap = 1.0f;
    static constexpr float kIceMovingSpeed = 6.0f;
    static constexpr float kMaxFallSpeed = 19.0f;
    // How far below the feet something counts as ground for jumping, striking and friction.
    static constexpr int32_t kGroundProbe = 5;
    // Below this depth the hero has left the world and is put back at the start.
    static constexpr int32_t kWorldBottom = 2048;
    // Frames after a hit without control, and frames of blinking.
    static constexpr int32_t kNoControlFrames = 10;
    static constexpr int32_t kBlinkFrames = 100;
    // Still steps before the hero gets bored, and the length of one bored/standing phase.
    static constexpr int32_t kBoredAfterSteps = 100;
    static constexpr int32_t kBoredPhaseSteps = 50;
    // The hit flash shows this many frames after a kill.
    static constexpr int32_t kFlashFrames = 8;
    // The finish counts as reached within these distances of FINISH_POS.
    static constexpr int32_t kFinishRangeX = 32;
    static constexpr int32_t kFinishRangeY = 128;
    // TEXT entries of the end messages; each types at one character per kStepsPerLetter steps and
    // stays whole for kMessageHoldSteps more before the level ends.
    static constexpr int kLevelCompletedText = 18;
    static constexpr int kGameOverText = 19;
    static constexpr int32_t kStepsPerLetter = 3;
    static constexpr int32_t kMessageHoldSteps = 30;
    // Frames after a hit at which the death animation starts and the hero reappears.
    static constexpr int32_t kDeathStartFrame = 10;
    static constexpr int32_t kRespawnFrame = 99;
    // The last level: finishing it ends the game.
    static constexpr int32_t kLastLevel = 7;
    // Floating texts rise from this far right of the hero's corner.
    static constexpr int32_t kTextOffsetX = 32;

    // Loads the unit type "hero" and the hit flash. The level number (low friction on 4 and 5)
    // and the finish are taken from the level being built (his world), when there is one.
    explicit CHero(GameDlgFields* window, CActorWorld* world = nullptr);
    ~CHero();
    // The unit file (Units\<name>.xml) of the hero's numbers and animations.
    static constexpr const char* kUnitName = "hero";
    // The game paths of the pictures the constructor loads, in its order.
    static std::vector<std::string> PicturePaths();
    CHero(const CHero&) = delete;
    CHero& operator=(const CHero&) = delete;

    // Once per displayed frame, before the steps: reads the held keys.
    void HandleInput();
    // One 20 ms world step.
    void Step();
    void ApplyFrictionAndGravity();
    void Move();
    void ChooseState();
    // Once per displayed frame, after the enemies.
    void Draw();
    // The life, energy, club and coin icons of the status display: made with the hero, restored
    // at the start of Draw, drawn by the level after the front scenery. Empty until the status
    // display is built.
    void CreateStatusPictures();
    void RestoreStatusPictures();
    void DrawStatusPictures();

    // The finish and the two end timers: the slot save and the next briefing, or the end of the
    // game with its bonus.
    void CheckLevelEnd();
    // Live enemies touching the hero hurt him; after a lost life he dies and reappears.
    void CheckEnemyContact();
    // Every object the hero touches is applied by the level.
    void CollectObjects();
    // Enemies within their sight range of the hero take notice.
    void AlertEnemies();
    // The club's swing and landing on enemies kill those the hero's strength can overcome.
    void StrikeEnemies();
    // Takes damage unless still blinking from the last hit: energy, then a life, then the game.
    void Hurt(int32_t damage);
    // End-of-game bonus: the money is paid out as score at the club's strength.
    void PayOutMoney();
    // Copies the hero's lasting values into the main window's player record.
    void StoreIntoPlayerRecord(int32_t nextLevel);
    // The hit flash, drawn at the end of Draw whether or not the hero is shown.
    void DrawHitFlash();
    // The animation of the level's object type at a position (an icon of floating texts); null
    // when there is none.
    CAnimation* IconOfType(int32_t typeIndex) const;

    // A platform the hero may ride: its top-left corner and horizontal speed per step.
    using RideablePlatform = PlatformPosition;
    // The platforms of the collision map (the running level's movable elements), in the level's order.
    std::vector<RideablePlatform> Platforms() const;
    // The first platform carrying the hero; false when none does.
    bool FindCarryingPlatform(RideablePlatform& carrier) const;

    // True when the level number has low friction (4 and 5).
    bool LowFriction() const { return levelNumber == 4 || levelNumber == 5; }
    // Something solid or a platform within kGroundProbe pixels under the feet.
    bool GroundBelow() const;

    std::unique_ptr<UnitType> type;
    int32_t x = 0;
    int32_t y = 0;
    int32_t respawnX = 0;
    int32_t respawnY = 0;
    float gravity = 1.0f;
    float vy = 0.0f;
    float vx = 0.0f;
    std::string state = "STAY";
    int32_t animIndex = 0;
    int32_t idleSteps = 0;
    int32_t prevX = 0;
    int32_t prevY = 0;
    int32_t finishX = 0;
    int32_t finishY = 0;
    int32_t startX = 0;
    int32_t startY = 0;
    int32_t lives = 5;
    int32_t health = 100;
    int32_t score = 0;
    int32_t money = 0;
    int32_t reach = 64;
    int32_t strength = 10;
    std::string weapon = "maczuga";
    float hitX = 0.0f;
    float hitY = 0.0f;
    float attackProgress = 0.0f;
    int32_t flashFrame = 8;
    int32_t facing = 1;
    int32_t onStep = 0;
    int32_t hurtTimer = 100;
    int32_t levelEndTimer = -1;
    int32_t gameOverTimer = -1;
    bool running = false;
    bool dead = false;
    std::string prevState;
    GameDlgFields* mainWindow = nullptr;
    // The level the hero plays in; null for a hero on his own (tests).
    CActorWorld* world = nullptr;
    std::unique_ptr<CAnimation> hitFlash;
    // The status display's icons: life, energy, club and coin, in that order.
    enum StatusIcon { kLifeIcon, kEnergyIcon, kClubIcon, kCoinIcon, kStatusIconCount };
    struct StatusPicture {
        const char* file = "";
        uint32_t colorKey = 0;  // GDI colour
        SurfacePtr surface;
    };
    std::array<StatusPicture, kStatusIconCount> statusPictures;
    // Positions in the level's object-type table of the last types of the classes HEALTH10, MACE,
    // SILVERCOIN and CHECKPOINT, whose pictures are the icons of floating texts; 0 when absent.
    int32_t healthTypeIndex = 0;
    int32_t maceTypeIndex = 0;
    int32_t coinTypeIndex = 0;
    int32_t checkpointTypeIndex = 0;

    // The level this hero plays (from his world at construction; tests set it).
    int32_t levelNumber = 0;
};
