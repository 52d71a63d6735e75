// The hero's dealings with the world: enemies, objects, damage, the hit flash and the level end.
#include <cmath>
#include <cstdlib>
#include <string>

#include "actors/ActorWorld.h"
#include "actors/Arithmetic.h"
#include "actors/CollisionMap.h"
#include "actors/Enemy.h"
#include "actors/GameObject.h"
#include "actors/Hero.h"
#include "core/GameDlgFields.h"
#include "data/GameData.h"
#include "data/LevelDescription.h"
#include "data/ObjectType.h"
#include "data/SaveSlots.h"
#include "data/UnitType.h"
#include "gfx/Animation.h"
#include "media/SoundSystem.h"

namespace {

// The hit flash is drawn this far left of and above the hit point.
constexpr Point kFlashOffset{64, 96};
// A stomp's flash stands at the hero's middle and below the enemy's top.
constexpr Point kStompFlash{44, 48};
// Feet up to this far above an enemy's top still land on it.
constexpr int32_t kStompReach = 10;

}  // namespace

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
        level->AddFloatingText(x + kTextOffsetX, y, "-" + std::to_string(damage), IconOfType(healthTypeIndex));
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
        level->AddFloatingText(x + kTextOffsetX, y, "+" + std::to_string(gain), nullptr);
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
            hitX = static_cast<float>(left + kStompFlash.x);
            hitY = static_cast<float>(aboveTop + kStompFlash.y);
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
    hitFlash->Draw(TruncateToInt(static_cast<double>(hitX) - cameraX - kFlashOffset.x),
                   TruncateToInt(static_cast<double>(hitY) - cameraY - kFlashOffset.y), 1.0f);
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
