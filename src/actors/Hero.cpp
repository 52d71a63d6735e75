// The player's caveman: keys, physics, state and animation choice, drawing.
#include "actors/Hero.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "actors/ActorWorld.h"
#include "actors/Arithmetic.h"
#include "actors/CollisionMap.h"
#include "actors/Enemy.h"
#include "actors/GameObject.h"
#include "actors/MovableElement.h"
#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "core/Messages.h"
#include "data/GameData.h"
#include "data/ObjectType.h"
#include "data/SaveSlots.h"
#include "data/UnitType.h"
#include "gfx/Animation.h"
#include "media/SoundSystem.h"
#include "platform/Platform.h"

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

// The hit flash is drawn this far left of and above the hit point.
constexpr int32_t kFlashOffsetX = 64;
constexpr int32_t kFlashOffsetY = 96;
// A stomp's flash stands at the hero's middle and below the enemy's top.
constexpr int32_t kStompFlashX = 44;
constexpr int32_t kStompFlashY = 48;
constexpr int32_t kStompReach = 10;

// The status display, in fixed screen pixels.
constexpr int32_t kEnergyIconStep = 32;
constexpr int32_t kLifeIconStep = 40;
constexpr int32_t kStatusLeft = 10;
constexpr int32_t kEnergyRow = 10;
constexpr int32_t kLifeRow = 50;
constexpr int32_t kBottomRow = 530;
constexpr int32_t kCoinRight = 680;
constexpr int32_t kDigitWidth = 30;
constexpr int32_t kEnergyPerIcon = 10;

std::string Decimal(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%ld", static_cast<long>(value));
    return text;
}

void PlaySample(const char* name) {
    if (GameGlobals::sound) GameGlobals::sound->PlaySound(name);
}

}  // namespace

CHero::CHero(GameDlgFields* window, CActorWorld* levelWorld)
    : type(std::make_unique<UnitType>("hero")), mainWindow(window), world(levelWorld) {
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
    return map && map->TestBox(x, y, type->maxWidth, type->maxHeight + kGroundProbe) != CCollisionMap::kFree;
}

void CHero::HandleInput() {
    const int32_t oldHurtTimer = hurtTimer;
    hurtTimer += 1;
    if (oldHurtTimer < kNoControlFrames) return;
    if (dead) return;
    const InputState* input = GameGlobals::input;
    if (!input) return;

    const int32_t speed = type->speed;
    if (input->left.pressed) {
        facing = -1;
        vx = static_cast<float>(running ? -speed : -(speed / 2));
    }
    if (input->right.pressed) {
        facing = 1;
        vx = static_cast<float>(running ? speed : speed / 2);
    }
    if (input->jump.pressed && (onStep == 1 || GroundBelow())) {
        vy = static_cast<float>(-type->jump);
        y = static_cast<int32_t>(static_cast<float>(y) + vy);
    }
    if (input->attack.pressed) {
        // On the ground the hero stops to strike; in the air he keeps his speed.
        if (onStep == 1 || GroundBelow()) vx = 0.0f;
        if (kHitSoundFrom < attackProgress && attackProgress < kHitSoundTo && GameGlobals::sound) {
            GameGlobals::sound->PlaySound("HIT");
        }
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
        const bool acrossOverlap =
            x + CCollisionMap::kSideInset <= ex + kPlatformWidth && ex <= x + width - CCollisionMap::kSideInset;
        auto withinHeight = [&](int32_t v) { return v >= y && v <= y + height + kGroundProbe; };
        if (!acrossOverlap || !(withinHeight(ey) || withinHeight(ey + kPlatformHeight))) continue;
        // Only a platform right under the feet carries; the first one considered decides.
        if (map->TestBox(x, y + height, width, 2) != CCollisionMap::kFree) {
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
        x = static_cast<int32_t>(result.x);
        y = static_cast<int32_t>(result.y);
        onStep = static_cast<int32_t>(result.onStep);
        vx = vx / 2.0f;
        vy = 0.0f;
        return;
    }
    const MoveResult& result = map->Move(x, y, vx, vy, width, height);
    x = static_cast<int32_t>(result.x);
    y = static_cast<int32_t>(result.y);
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

CAnimation* CHero::IconOfType(int32_t typeIndex) const {
    const CActorWorld* level = world;
    if (!level || typeIndex < 0 || typeIndex >= CActorWorld::kMaxTypes) return nullptr;
    const ObjectType* objectType = level->objectTypes[typeIndex];
    return objectType ? objectType->animation.get() : nullptr;
}

void CHero::Hurt(int32_t damage) {
    // Still blinking from the last hit: immune.
    if (hurtTimer <= kBlinkFrames) return;
    PlaySample("HERO_HIT");
    if (CActorWorld* level = world) {
        level->AddFloatingText(x + kTextOffsetX, y, "-" + Decimal(damage), IconOfType(healthTypeIndex));
    }
    if (health <= damage) {
        if (lives < 1) {
            health = 0;
            gameOverTimer = 0;
        } else {
            lives -= 1;
            health = 100;
        }
    } else {
        health = Wrap32(static_cast<int64_t>(health) - damage);
    }
    hurtTimer = 0;
    // Knocked up as high as a jump.
    vy = static_cast<float>(-type->jump);
}

void CHero::CheckEnemyContact() {
    const CActorWorld* level = world;
    const int32_t width = type->maxWidth;
    const int32_t height = type->maxHeight;
    if (level) {
        for (const CEnemy& enemy : level->enemies) {
            if (hurtTimer <= kBlinkFrames) break;
            if (enemy.energy <= 0 || !enemy.type) continue;
            const int64_t ex = TruncateToInt(enemy.x);
            const int64_t ey = TruncateToInt(enemy.y);
            const bool across = static_cast<int64_t>(x) + CCollisionMap::kSideInset <= ex + enemy.type->maxWidth &&
                                ex <= static_cast<int64_t>(x) + width - CCollisionMap::kSideInset;
            auto inside = [&](int64_t v) { return v >= y && v <= static_cast<int64_t>(y) + height; };
            if (across && (inside(ey) || inside(ey + enemy.type->maxHeight))) Hurt(enemy.type->strength);
        }
    }

    // Dying and reappearing after a lost life or a lost game. The timer counts frames and this runs
    // per step, so a frame without a step can pass over a value: the death starts anywhere in its
    // span, and the return comes as soon as the span is over, never leaving the hero dead.
    const bool dying = health == 100 || gameOverTimer >= 0;
    if (dying && hurtTimer >= kDeathStartFrame && hurtTimer < kRespawnFrame) dead = true;
    if (dead && hurtTimer >= kRespawnFrame) {
        x = respawnX;
        y = respawnY;
        dead = false;
        if (animIndex >= 0 && animIndex < UnitType::kAnimationSlots && type->animations[animIndex]) {
            type->animations[animIndex]->currentFrame = 0;
        }
        hurtTimer = kBlinkFrames;
    }
}

void CHero::CollectObjects() {
    CActorWorld* level = world;
    if (!level) return;
    const int32_t width = type->maxWidth;
    const int32_t height = type->maxHeight;
    // By index: applying an object never adds objects, but keep clear of iterator rules anyway.
    for (size_t i = 0; i < level->objects.size(); ++i) {
        CGameObject& object = level->objects[i];
        if (object.collected || !object.Touches(x, y, width, height)) continue;
        level->ApplyObject(object);
    }
}

void CHero::AlertEnemies() {
    CActorWorld* level = world;
    if (!level) return;
    for (CEnemy& enemy : level->enemies) {
        if (!enemy.type) continue;
        const int32_t range = enemy.type->sightRange;
        if (std::fabs(enemy.x - static_cast<float>(x)) < static_cast<float>(range) &&
            std::fabs(enemy.y - static_cast<float>(y)) < static_cast<float>(range)) {
            enemy.alerted = true;
        }
    }
}

void CHero::StrikeEnemies() {
    CActorWorld* level = world;
    if (!level) return;
    const int64_t width = type->maxWidth;
    const int64_t height = type->maxHeight;
    const int64_t left = x;
    const int64_t top = y;

    auto kill = [&](CEnemy& enemy) {
        const int32_t gain = Wrap32(static_cast<int64_t>(enemy.energy) * strength / 10);
        score = Wrap32(static_cast<int64_t>(score) + gain);
        level->AddFloatingText(x + kTextOffsetX, y, "+" + Decimal(gain), nullptr);
        enemy.energy = 0;
        flashFrame = 0;
        PlaySample("MONSTER_HIT");
    };
    // Only enemies the club's strength can overcome are harmed at all.
    auto killable = [&](const CEnemy& enemy) { return enemy.energy > 0 && enemy.energy <= strength; };

    // The club, in every step of the swing.
    if (attackProgress > 0.0f && weapon == "maczuga") {
        hitX = static_cast<float>(left + width / 2 + static_cast<int64_t>(facing) * reach);
        hitY = static_cast<float>(top + height);
        const int64_t hitRight = static_cast<int64_t>(hitX);
        const int64_t hitBottom = static_cast<int64_t>(hitY);
        for (CEnemy& enemy : level->enemies) {
            if (!enemy.type) continue;
            const int64_t ex = TruncateToInt(enemy.x);
            const int64_t ey = TruncateToInt(enemy.y);
            const int64_t exRight = ex + enemy.type->maxWidth;
            const int64_t eyBottom = ey + enemy.type->maxHeight;
            const int64_t from = facing == 1 ? left + width : hitRight;
            const int64_t to = facing == 1 ? hitRight : left + width;
            auto across = [&](int64_t v) { return v >= from && v <= to; };
            auto down = [&](int64_t v) { return v >= top && v <= hitBottom; };
            if ((across(ex) || across(exRight)) && (down(ey) || down(eyBottom)) && killable(enemy)) kill(enemy);
        }
    }

    // Landing on enemies.
    for (CEnemy& enemy : level->enemies) {
        if (!enemy.type) continue;
        const int64_t ex = TruncateToInt(enemy.x);
        const int64_t aboveTop = TruncateToInt(enemy.y - static_cast<float>(kStompReach));
        const int64_t enemyTop = TruncateToInt(enemy.y);
        const bool across = left <= ex + enemy.type->maxWidth && ex <= left + width;
        const int64_t feet = top + height;
        auto underFeet = [&](int64_t v) { return v >= feet && v <= feet + kStompReach; };
        if (across && (underFeet(aboveTop) || underFeet(enemyTop)) && hurtTimer > kBlinkFrames && killable(enemy) &&
            vy > 0.0f) {
            hitX = static_cast<float>(left + kStompFlashX);
            hitY = static_cast<float>(aboveTop + kStompFlashY);
            kill(enemy);
        }
    }
}

void CHero::DrawHitFlash() {
    if (!hitFlash) return;
    const CActorWorld* level = world;
    const int32_t cameraX = level ? level->cameraX : 0;
    const int32_t cameraY = level ? level->cameraY : 0;
    // One frame of the flash per displayed frame, eight in all.
    if (flashFrame >= kFlashFrames) return;
    hitFlash->currentFrame = flashFrame;
    hitFlash->Draw(TruncateToInt(static_cast<double>(hitX) - cameraX - kFlashOffsetX),
                   TruncateToInt(static_cast<double>(hitY) - cameraY - kFlashOffsetY), 1.0f);
    flashFrame += 1;
}

void CHero::StoreIntoPlayerRecord(int32_t nextLevel) {
    if (!mainWindow) return;
    PlayerRecord& record = mainWindow->player;
    record.nextLevel = nextLevel;
    record.health = health;
    record.lives = lives;
    record.score = score;
    record.money = money;
    record.strength = strength;
}

void CHero::PayOutMoney() {
    const int32_t bonus = Wrap32(static_cast<int64_t>(money) * strength);
    // Without strength there is nothing to pay out at, and nothing to divide by.
    if (strength != 0) money -= bonus / strength;
    score = Wrap32(static_cast<int64_t>(score) + bonus);
}

void CHero::CheckLevelEnd() {
    // In 64 bits: a finish far outside the world must not overflow the distance.
    const int64_t awayX = static_cast<int64_t>(x) - finishX;
    const int64_t awayY = static_cast<int64_t>(y) - finishY;
    if (std::llabs(awayX) < kFinishRangeX && std::llabs(awayY) < kFinishRangeY && levelEndTimer == -1) {
        levelEndTimer = 0;
        PlaySample("LEVEL_COMPLETED");
    }
    if (levelEndTimer >= 0) levelEndTimer += 1;
    if (gameOverTimer >= 0) gameOverTimer += 1;

    const CGameData* data = mainWindow ? mainWindow->gameData : nullptr;
    const int32_t completedLength = data ? static_cast<int32_t>(data->Text(kLevelCompletedText).size()) : 0;
    const int32_t gameOverLength = data ? static_cast<int32_t>(data->Text(kGameOverText).size()) : 0;

    if (levelEndTimer > kStepsPerLetter * completedLength + kMessageHoldSteps) {
        StoreIntoPlayerRecord(levelNumber + 1);
        if (mainWindow) StoreFinishedLevel(levelNumber, mainWindow->player, mainWindow->difficulty);
        levelEndTimer = 0;
        if (levelNumber < kLastLevel) {
            // The next level's briefing; the money is kept for it.
            if (mainWindow) {
                mainWindow->requestedLevel = levelNumber + 1;
                mainWindow->requestedState = Briefing;
            }
            return;
        }
        // The last level: the game ends with the bonus and the outro. The slot keeps the values
        // from before the bonus.
        PayOutMoney();
        StoreIntoPlayerRecord(levelNumber + 1);
        if (mainWindow) {
            mainWindow->outroPending = true;
            mainWindow->requestedState = Highscore;
        }
    } else if (gameOverTimer > kStepsPerLetter * gameOverLength + kMessageHoldSteps) {
        PayOutMoney();
        StoreIntoPlayerRecord(levelNumber + 1);
        if (mainWindow) mainWindow->requestedState = Highscore;
    }
}

void CHero::CreateStatusPictures() {
    statusPictures[kLifeIcon].file = "Graphics\\Life.png";
    statusPictures[kLifeIcon].colorKey = 205429;
    statusPictures[kEnergyIcon].file = "Graphics\\Energy.png";
    statusPictures[kEnergyIcon].colorKey = 0;
    statusPictures[kClubIcon].file = "Graphics\\Maczuga.png";
    statusPictures[kClubIcon].colorKey = 0;
    statusPictures[kCoinIcon].file = "Graphics\\Moneta.png";
    statusPictures[kCoinIcon].colorKey = 3848703;
    for (StatusPicture& picture : statusPictures) {
        platform::Image image;
        // A picture that cannot be read has no size, and no surface can be made of it.
        if (!platform::DecodeGamePicture(picture.file, image)) image = platform::Image{};
        picture.surface = MakePictureSurface(image);
        if (!picture.surface) {
            ShowGameMessage(messages::kStatusSurface);
            continue;
        }
        SetSourceColourKey(picture.surface.get(), picture.colorKey);
    }
}

void CHero::RestoreStatusPictures() {
    // The energy icon speaks for all four.
    const SurfacePtr& energy = statusPictures[kEnergyIcon].surface;
    if (!energy || !energy->IsLost()) return;
    for (StatusPicture& picture : statusPictures) {
        if (!picture.surface) continue;
        picture.surface->Restore();
        ReloadPictureSurface(picture.file, picture.surface.get());
    }
}

void CHero::DrawStatusPictures() {
    const GameDlgFields* window = mainWindow ? mainWindow : GameGlobals::mainWindow;
    platform::Surface* target = window ? window->drawTarget : nullptr;
    if (!target) return;
    auto draw = [&](StatusIcon icon, int32_t sx, int32_t sy) {
        const platform::Surface* picture = statusPictures[icon].surface.get();
        if (!picture) return;
        platform::BltFast(target, sx, sy, picture, platform::Rect{0, 0, picture->Width(), picture->Height()}, true);
    };
    // Icons past the right edge could never show; huge counts from a damaged save stop there.
    const int32_t right = window->screenWidth;
    const int32_t energyIcons = health / kEnergyPerIcon;
    for (int32_t i = 0; i < energyIcons && kStatusLeft + kEnergyIconStep * i < right; ++i) {
        draw(kEnergyIcon, kStatusLeft + kEnergyIconStep * i, kEnergyRow);
    }
    for (int32_t i = 0; i < lives && kStatusLeft + kLifeIconStep * i < right; ++i) {
        draw(kLifeIcon, kStatusLeft + kLifeIconStep * i, kLifeRow);
    }
    draw(kClubIcon, kStatusLeft, kBottomRow);
    const int32_t moneyLength = static_cast<int32_t>(Decimal(money).size());
    draw(kCoinIcon, kCoinRight - kDigitWidth * moneyLength, kBottomRow);
}
