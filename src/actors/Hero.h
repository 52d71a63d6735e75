// The player's caveman: keys, physics, state and animation choice, drawing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CAnimation;
class CGameDlg;
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
    // A platform's box.
    static constexpr int32_t kPlatformWidth = 64;
    static constexpr int32_t kPlatformHeight = 16;

    // Loads the unit type "hero" and the hit flash. The level number (low friction on 4 and 5)
    // and the finish are taken from the level being built (GameGlobals::level), when there is one.
    explicit CHero(CGameDlg* window);
    ~CHero();
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

    // Parts of the step that belong to the level end, fighting, pickups and enemies; each is
    // empty until those are built.
    void CheckLevelEnd();
    void CheckEnemyContact();
    void CollectObjects();
    void AlertEnemies();
    void StrikeEnemies();
    // The hit flash, drawn at the end of Draw whether or not the hero is shown. Empty until
    // fighting is built.
    void DrawHitFlash();

    // A platform the hero may ride: its top-left corner and horizontal speed per step.
    struct RideablePlatform {
        float x = 0.0f;
        float y = 0.0f;
        float vx = 0.0f;
    };
    // The movable elements of the running level, in the level's order (none until moving
    // platforms are built), or platformOverride when set.
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
    CGameDlg* mainWindow = nullptr;
    std::unique_ptr<CAnimation> hitFlash;
    // Positions in the level's object-type table of the icons of floating texts; 0 until pickups
    // are built.
    int32_t healthTypeIndex = 0;
    int32_t maceTypeIndex = 0;
    int32_t coinTypeIndex = 0;
    int32_t checkpointTypeIndex = 0;

    // The level this hero plays (from GameGlobals::level at construction; tests set it).
    int32_t levelNumber = 0;
    // When set, the platforms the hero looks at instead of the level's (tests).
    const std::vector<RideablePlatform>* platformOverride = nullptr;
};
