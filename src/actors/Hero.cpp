// The player's caveman: construction, keys, physics, movement, state and animation choice, drawing.
#include "actors/Hero.h"

#include "actors/ActorWorld.h"
#include "actors/Arithmetic.h"
#include "actors/CollisionMap.h"
#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "data/GameData.h"
#include "data/ObjectType.h"
#include "data/UnitType.h"
#include "gfx/Animation.h"
#include "media/SoundSystem.h"

namespace {

const char kAttackLeft[] = "ATACKLEFT";
const char kAttackRight[] = "ATACKRIGHT";

// The attack cycle: one tenth per frame while the key is held, from 0.1 up to 0.9 and round again.
constexpr float kAttackStep = 0.1f;
constexpr float kAttackWrap = 1.0f - 0.1f;
// The club's swing sound starts on these two frames of the cycle.
constexpr double kHitSoundFrom = 0.3;
constexpr double kHitSoundTo = 0.5;
// The attack strip holds 15 frames; the cycle picks every second-or-so one of them.
constexpr double kAttackFrames = 15.0;
// The attack frames are 120 wide and drawn higher than the hero's box.
constexpr int32_t kAttackRaise = 16;
// The hero's frames stand a few pixels lower than his box.
constexpr int32_t kDrawDrop = 5;

}  // namespace

CHero::CHero(GameDlgFields* window, CActorWorld* levelWorld)
    : type(std::make_unique<UnitType>(kUnitName)), mainWindow(window), world(levelWorld) {
    if (const CActorWorld* level = world) levelNumber = level->levelNumber;
    if (window && window->gameData && levelNumber >= 0 && levelNumber < CGameData::kLevelCount) {
        if (const LevelDescription* description = window->gameData->levels[levelNumber].get()) {
            finishX = description->finishX;
            finishY = description->finishY;
            // The level puts the hero at the start as well; the checkpoint and the previous
            // position start there too. Kept in the placed actors' range, like every position.
            x = startX = respawnX = prevX = ClampCoordinate(description->heroStartX);
            y = startY = respawnY = prevY = ClampCoordinate(description->heroStartY);
        }
    }
    // The icons of floating texts: the last type of each class in the level's table.
    if (const CActorWorld* level = world) {
        for (int32_t i = 0; i < level->objectTypeCount && i < CActorWorld::kMaxTypes; ++i) {
            const ObjectType* objectType = level->objectTypes[i];
            if (!objectType) continue;
            if (objectType->objectClass == "HEALTH10") healthTypeIndex = i;
            if (objectType->objectClass == "MACE") maceTypeIndex = i;
            if (objectType->objectClass == "SILVERCOIN") coinTypeIndex = i;
            if (objectType->objectClass == "CHECKPOINT") checkpointTypeIndex = i;
        }
    }
    CreateStatusPictures();
    hitFlash = std::make_unique<CAnimation>("Graphics", "Bang", "Bang", 128, 0);
}

CHero::~CHero() = default;

bool CHero::GroundBelow() const {
    const CCollisionMap* map = GameGlobals::collisionMap;
    return map &&
           map->TestBox(x, y, type->maxWidth, Saturate32(static_cast<int64_t>(type->maxHeight) + kGroundProbe)) !=
               CCollisionMap::kFree;
}

void CHero::HandleInput() {
    const int32_t oldHurtTimer = hurtTimer;
    hurtTimer += 1;
    if (oldHurtTimer < kNoControlFrames) return;
    if (dead) return;
    const InputState* input = GameGlobals::input;
    if (!input) return;

    // Negated as floats: the unit file may give the most negative integer, which has no positive twin.
    const float speed = static_cast<float>(running ? type->speed : type->speed / 2);
    if (input->left.pressed) {
        facing = -1;
        vx = -speed;
    }
    if (input->right.pressed) {
        facing = 1;
        vx = speed;
    }
    if (input->jump.pressed && (onStep == 1 || GroundBelow())) {
        vy = -static_cast<float>(type->jump);
        y = ClampCoordinate(TruncateToInt(static_cast<float>(y) + vy));
    }
    if (input->attack.pressed) {
        // On the ground the hero stops to strike; in the air he keeps his speed.
        if (onStep == 1 || GroundBelow()) vx = 0.0f;
        if (kHitSoundFrom < attackProgress && attackProgress < kHitSoundTo) PlaySample("HIT");
        if (attackProgress >= kAttackWrap) {
            attackProgress = kAttackStep;
        } else {
            attackProgress = attackProgress + kAttackStep;
        }
    } else {
        attackProgress = 0.0f;
    }
    // Read last, so the speeds above still use the previous frame's choice.
    running = !input->walk.pressed;
}

void CHero::Step() {
    ApplyFrictionAndGravity();
    Move();
    CheckLevelEnd();
    CheckEnemyContact();
    CollectObjects();
    ChooseState();
    AlertEnemies();
    StrikeEnemies();
    prevX = x;
    prevY = y;
    if (mainWindow) mainWindow->player.score = score;
}

void CHero::ApplyFrictionAndGravity() {
    const bool standing = vy == 0.0f || GroundBelow();
    if (standing) {
        const float friction = LowFriction() ? kIceFriction : kFriction;
        const float snap = LowFriction() ? kIceSnap : kSnap;
        if (vx > 0.0f) vx -= friction;
        if (vx < 0.0f) vx += friction;
        if (vx == snap) vx = 0.0f;
    }
    if (vy < kMaxFallSpeed) vy += gravity;
}

std::vector<CHero::RideablePlatform> CHero::Platforms() const {
    std::vector<RideablePlatform> platforms;
    const CCollisionMap* map = GameGlobals::collisionMap;
    if (!map || !map->platforms) return platforms;
    const int count = map->platforms->PlatformCount();
    platforms.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) platforms.push_back(map->platforms->PlatformAt(i));
    return platforms;
}

bool CHero::FindCarryingPlatform(RideablePlatform& carrier) const {
    const CCollisionMap* map = GameGlobals::collisionMap;
    if (!map) return false;
    const int32_t width = type->maxWidth;
    const int32_t height = type->maxHeight;
    for (const RideablePlatform& platform : Platforms()) {
        const int32_t ex = static_cast<int32_t>(platform.x);
        const int32_t ey = static_cast<int32_t>(platform.y);
        const bool acrossOverlap = x + CCollisionMap::kSideInset <= ex + CCollisionMap::kPlatformWidth &&
                                   ex <= static_cast<int64_t>(x) + width - CCollisionMap::kSideInset;
        // Sizes come from the unit file and may be anything: sums in 64 bits.
        auto withinHeight = [&](int32_t v) { return v >= y && v <= static_cast<int64_t>(y) + height + kGroundProbe; };
        if (!acrossOverlap || !(withinHeight(ey) || withinHeight(ey + CCollisionMap::kPlatformHeight))) continue;
        // Only a platform right under the feet carries; the first one considered decides.
        if (map->TestBox(x, Saturate32(static_cast<int64_t>(y) + height), width, 2) != CCollisionMap::kFree) {
            carrier = platform;
            return true;
        }
    }
    return false;
}

void CHero::Move() {
    CCollisionMap* map = GameGlobals::collisionMap;
    if (y > kWorldBottom) {
        // Fell out of the world: back to the start, speeds kept, nothing lost.
        x = startX;
        y = startY;
    }
    if (!map) return;
    const int32_t width = type->maxWidth;
    const int32_t height = type->maxHeight;

    RideablePlatform carrier;
    if (FindCarryingPlatform(carrier)) {
        const MoveResult& result = map->Move(x, y, vx + carrier.vx, vy, width, height);
        x = ClampCoordinate(TruncateToInt(result.x));
        y = ClampCoordinate(TruncateToInt(result.y));
        onStep = static_cast<int32_t>(result.onStep);
        vx = vx / 2.0f;
        vy = 0.0f;
        return;
    }
    const MoveResult& result = map->Move(x, y, vx, vy, width, height);
    // A wild speed can carry the body anywhere; it stays in the placed actors' range.
    x = ClampCoordinate(TruncateToInt(result.x));
    y = ClampCoordinate(TruncateToInt(result.y));
    vx = result.vx;
    vy = result.vy;
    onStep = static_cast<int32_t>(result.onStep);
}

void CHero::ChooseState() {
    const bool low = LowFriction();
    const bool right = facing == 1;
    const bool still = attackProgress == 0.0f;
    auto byFacing = [&](const char* rightName, const char* leftName) { return right ? rightName : leftName; };

    if (still && vy > 0.0f && vx == 0.0f) state = byFacing("STANDJUMPDOWNRIGHT", "STANDJUMPDOWNLEFT");
    if (still && vy > 0.0f && vx < 0.0f) state = "JUMPDOWNLEFT";
    if (still && vy > 0.0f && vx > 0.0f) state = "JUMPDOWNRIGHT";
    if (still && vy < 0.0f && vx == 0.0f) state = byFacing("STANDJUMPUPRIGHT", "STANDJUMPUPLEFT");
    if (still && vy < 0.0f && vx < 0.0f) state = "JUMPUPLEFT";
    if (still && vy < 0.0f && vx > 0.0f) state = "JUMPUPRIGHT";
    // On ice slow sliding still counts as standing.
    if (still && vy == 0.0f && (low ? vx > kIceMovingSpeed : vx > 0.0f)) state = running ? "RUNRIGHT" : "MOVERIGHT";
    if (still && vy == 0.0f && (low ? vx < -kIceMovingSpeed : vx < 0.0f)) state = running ? "RUNLEFT" : "MOVELEFT";
    const float speed = vx < 0.0f ? -vx : vx;
    if (still && vy == 0.0f && (low ? speed < kIceMovingSpeed : speed < 1.0f)) {
        state = byFacing("STAYRIGHT", "STAYLEFT");
    }
    if (still) {
        if (x == prevX && y == prevY) {
            idleSteps += 1;
        } else {
            idleSteps = 0;
        }
        if (idleSteps > kBoredAfterSteps) {
            state = idleSteps % kBoredAfterSteps < kBoredPhaseSteps ? byFacing("BOREDRIGHT", "BOREDLEFT")
                                                                    : byFacing("STAYRIGHT", "STAYLEFT");
        }
    }
    if (!still) state = byFacing(kAttackRight, kAttackLeft);
    if (dead) state = byFacing("DEATHRIGHT", "DEATHLEFT");

    // A new state shows only once it held for two steps, so one-step flickers between states do
    // not restart animations; after an attack the next state shows at once.
    if (state == prevState || prevState == kAttackLeft || prevState == kAttackRight) {
        const int index = type->FindAnimation(state);
        if (index >= 0) animIndex = index;
    }
    prevState = state;
}

void CHero::Draw() {
    RestoreStatusPictures();
    const GameDlgFields* window = mainWindow ? mainWindow : GameGlobals::mainWindow;
    const CActorWorld* level = world;
    const int32_t cameraX = level ? level->cameraX : 0;
    const int32_t cameraY = level ? level->cameraY : 0;
    const int32_t sx = x - cameraX;
    const int32_t sy = y - cameraY;
    const bool onScreen = window && sx > 0 && sx < window->screenWidth && sy > 0 && sy < window->screenHeight;
    // After a hit the hero blinks: hidden 6 frames out of every 10.
    const bool hidden = hurtTimer <= kBlinkFrames && hurtTimer % 10 < 6 && !dead;

    if (onScreen && !hidden) {
        CAnimation* current =
            animIndex >= 0 && animIndex < UnitType::kAnimationSlots ? type->animations[animIndex].get() : nullptr;
        const bool attacking = state == kAttackLeft || state == kAttackRight;
        if (!attacking) {
            if (dead) {
                if (current) {
                    // The death animation stops on its last frame.
                    if (current->currentFrame == current->frameCount - 1) {
                        current->currentFrame = current->frameCount - 2;
                    }
                    current->Draw(sx, sy + kDrawDrop, 1.0f);
                }
            } else {
                if (!current || !current->surface) {
                    const int standing = type->FindAnimation(facing == -1 ? "STAYLEFT" : "STAYRIGHT");
                    current = standing >= 0 ? type->animations[standing].get() : nullptr;
                }
                if (current) current->Draw(sx, sy + kDrawDrop, 1.0f);
            }
        } else {
            if (current) current->currentFrame = static_cast<int32_t>(attackProgress * kAttackFrames);
            const bool left = state == kAttackLeft;
            const int attackIndex = type->FindAnimation(left ? kAttackLeft : kAttackRight);
            CAnimation* attack = attackIndex >= 0 ? type->animations[attackIndex].get() : nullptr;
            if (attack) attack->Draw(left ? sx - reach : sx, sy - kAttackRaise, 1.0f);
        }
    }
    DrawHitFlash();
}
