// One level being played: what it is made of, its 20 ms world steps, its camera and its draw order.
#include "level/Level.h"

#include <algorithm>
#include <cstdio>

#include "actors/Arithmetic.h"
#include "actors/Hero.h"
#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "core/Messages.h"
#include "data/GameData.h"
#include "data/LevelDescription.h"
#include "data/ObjectType.h"
#include "data/UnitType.h"
#include "gfx/Animation.h"
#include "level/Background.h"
#include "level/SpanPicture.h"
#include "level/TileLayer.h"
#include "media/SoundSystem.h"
#include "media/SpriteFont.h"
#include "platform/PicturePrefetch.h"
#include "platform/Platform.h"

namespace {

constexpr int32_t kMusicTracksPerLevelCycle = 5;
constexpr int32_t kBackgroundPieceStep = 256;

// The camera keeps the world's outermost cells out of view: its corner stays a cell in from the left
// and top edges, the view's right edge stops 16 columns short of the world's, and the view's middle
// 16 rows above the world's bottom.
constexpr int32_t kCameraMinX = 16;
constexpr int32_t kCameraMinY = 16;
constexpr int32_t kViewRightLimit = CCollisionMap::kWorldWidth - 256;
constexpr int32_t kViewMiddleBottomLimit = CCollisionMap::kWorldHeight - 256;
// Across, the camera follows the hero at once; up and down it closes 1/kVerticalEasing of the gap
// each frame, so a gap under that many pixels moves nothing and the view settles a little short.
constexpr int32_t kVerticalEasing = 10;

const LevelDescription* DescriptionOf(const GameDlgFields* window, int32_t levelNumber) {
    if (!window || !window->gameData || levelNumber < 0 || levelNumber >= CGameData::kLevelCount) return nullptr;
    return window->gameData->levels[levelNumber].get();
}

std::string StaticPlanPath(int32_t set) {
    char path[80];
    std::snprintf(path, sizeof(path), "LevelDescriptions\\Level%ld\\Level%ld_3.png", static_cast<long>(set),
                  static_cast<long>(set));
    return path;
}

// The pictures a level loads, in its order: the enemies' and objects' animations, tiles, branches and
// artefacts, the static plan, the hero's pictures, the far layer and, when it is on, the near layer (the
// platforms' few small pictures are left to the level itself).
std::vector<std::string> LevelPicturePaths(const LevelDescription* description, int32_t levelNumber, bool nearLayer) {
    std::vector<std::string> paths;
    auto add = [&paths](std::vector<std::string> more) {
        for (std::string& path : more) paths.push_back(std::move(path));
    };
    if (description) {
        for (size_t i = 0; i < description->enemyTypes.size() && i < CLevel::kMaxTypes; ++i) {
            add(UnitType::PicturePaths(description->enemyTypes[i]));
        }
        for (size_t i = 0; i < description->objectTypes.size() && i < CLevel::kMaxTypes; ++i) {
            paths.push_back(ObjectType::PicturePath(description->objectTypes[i]));
        }
    }
    add(CTileLayer::PicturePaths(levelNumber));
    paths.push_back(StaticPlanPath(CLevel::ScenerySet(levelNumber)));
    add(CHero::PicturePaths());
    add(CBackground::PicturePaths(levelNumber, CBackground::kFarLayer, CLevel::kFarFactor));
    if (nearLayer) add(CBackground::PicturePaths(levelNumber, CBackground::kNearLayer, CLevel::kNearFactor));
    return paths;
}

}  // namespace

CLevel::CLevel(GameDlgFields* window, int32_t number, bool nearLayer) : nearLayerOption(nearLayer), mainWindow(window) {
    platform::Services& services = platform::Current();
    lastStepClock = services.clock ? services.clock->ClockMs() : 0;
    // Decoding pictures is most of the work of making a level: worker threads decode them in the order they
    // are needed while the level is made here, and hand each one over when it is asked for.
    const platform::PicturePrefetch prefetch(LevelPicturePaths(DescriptionOf(window, number), number, nearLayer));
    // Everything built below may look at the level it belongs to.
    GameGlobals::level = this;

    levelNumber = number;
    cameraX = 10;
    cameraY = 20;
    if (window) {
        backgroundColumns = window->screenWidth / kBackgroundPieceStep;
        backgroundRows = window->screenHeight / kBackgroundPieceStep;
    }

    const LevelDescription* description = DescriptionOf(window, levelNumber);
    if (description) {
        // The tables hold 50; a description naming more is cut there.
        for (const std::string& name : description->enemyTypes) {
            if (unitTypeCount >= kMaxTypes) break;
            unitTypes[unitTypeCount++] = new UnitType(name);
        }
    }
    if (description) {
        for (const std::string& name : description->objectTypes) {
            if (objectTypeCount >= kMaxTypes) break;
            objectTypes[objectTypeCount++] = new ObjectType(name);
        }
    }

    tileLayer = std::make_unique<CTileLayer>(window, levelNumber);
    CreateStaticPlan(window);

    CreateEnemies(levelNumber, window);
    CreateObjects(levelNumber, window);
    movableElements = std::make_unique<CMovableElementList>(levelNumber, window);
    // The hero and the collision map meet the platforms through the map.
    if (GameGlobals::collisionMap) GameGlobals::collisionMap->platforms = movableElements.get();

    hero = std::make_unique<CHero>(window, this);

    CreateBackgrounds();

    if (description) {
        hero->x = hero->startX = ClampCoordinate(description->heroStartX);
        hero->y = hero->startY = ClampCoordinate(description->heroStartY);
    }

    if (GameGlobals::sound) GameGlobals::sound->PlayMusic(levelNumber % kMusicTracksPerLevelCycle);
}

CLevel::~CLevel() {
    // A level left while paused lets the sounds go before its music stops.
    SetPaused(false);
    if (GameGlobals::sound) GameGlobals::sound->StopMusic(levelNumber % kMusicTracksPerLevelCycle);
    if (GameGlobals::collisionMap && GameGlobals::collisionMap->platforms == movableElements.get()) {
        GameGlobals::collisionMap->platforms = nullptr;
    }
    // The actors point at the types: they go first.
    enemies.clear();
    objects.clear();
    movableElements.reset();
    floatingTexts.clear();
    for (int i = 0; i < unitTypeCount; ++i) {
        delete unitTypes[i];
        unitTypes[i] = nullptr;
    }
    for (int i = 0; i < objectTypeCount; ++i) {
        delete objectTypes[i];
        objectTypes[i] = nullptr;
    }
    nearBackground.reset();
    farBackground.reset();
    tileLayer.reset();
    staticPlanSpans.reset();
    staticPlan.reset();
    hero.reset();
    message.clear();
    if (GameGlobals::level == this) GameGlobals::level = nullptr;
}

void CLevel::CreateBackgrounds() {
    farBackground = std::make_unique<CBackground>(levelNumber, mainWindow, CBackground::kFarLayer, kFarFactor);
    if (!nearLayerOption) return;
    nearBackground = std::make_unique<CBackground>(levelNumber, mainWindow, CBackground::kNearLayer, kNearFactor);
    if (nearBackground->creationFailed) {
        // The option goes off for good (Config.dat keeps it off) and the player is told why.
        nearLayerOption = false;
        if (mainWindow) mainWindow->nearLayerOption = 0;
        nearBackground.reset();
        if (mainWindow && mainWindow->gameData) message = mainWindow->gameData->Text(kNearLayerFailedText);
    }
}

void CLevel::ApplyPlayerRecord(PlayerRecord record) {
    if (!hero) return;
    hero->lives = record.lives;
    hero->health = record.health;
    hero->score = record.score;
    hero->money = record.money;
    hero->strength = record.strength;
}

int32_t CLevel::TakeSteps() {
    platform::IClock* clock = platform::Current().clock;
    if (!clock) return 0;
    const int32_t elapsed =
        static_cast<int32_t>(static_cast<uint32_t>(clock->ClockMs()) - static_cast<uint32_t>(lastStepClock));
    lastStepClock = clock->ClockMs();
    if (elapsed <= 0) return 0;
    const int32_t steps = elapsed / kStepMs;
    return steps > kMaxStepsPerFrame ? kMaxStepsPerFrame : steps;
}

void CLevel::Update(GameDlgFields* window) {
    InputState* input = GameGlobals::input;
    if (input && input->escapePressed) {
        // The frame still runs; the best scores come up in the next one.
        if (window) window->requestedState = Highscore;
        input->escapePressed = false;
    }

    if (paused) {
        DrawPaused(window);
        return;
    }

    const int32_t steps = TakeSteps();
    // The picture of this frame uses the camera from where the hero stood after the last frame.
    UpdateCamera(window);
    if (hero) hero->HandleInput();

    for (int32_t i = 0; i < steps; ++i) {
        if (hero) {
            for (CEnemy& enemy : enemies) enemy.Step(*hero);
        }
        for (CGameObject& object : objects) object.Step();
        if (movableElements) movableElements->Step();
        if (hero) hero->Step();
        StepFloatingTexts();
    }

    DrawFrame(window);
}

void CLevel::SetPaused(bool pause) {
    if (pause == paused) return;
    paused = pause;
    if (GameGlobals::sound) GameGlobals::sound->SetPaused(pause);
    if (!pause) {
        pausePicture_.reset();
        // The world carries on from now: the paused time is not made up for.
        if (platform::IClock* clock = platform::Current().clock) lastStepClock = clock->ClockMs();
    }
}

void CLevel::DrawPaused(GameDlgFields* window) {
    platform::Surface* target = window ? window->drawTarget : nullptr;
    if (!target) return;
    const platform::Rect whole{0, 0, target->Width(), target->Height()};
    if (pausePicture_ && pausePicture_->IsLost()) pausePicture_.reset();
    if (!pausePicture_) {
        // The back buffer still holds the last frame shown.
        pausePicture_ = platform::Surface::Create(target->Width(), target->Height());
        if (!pausePicture_) return;
        if (target->IsLost()) {
            target->Restore();
            DrawFrame(window);
        }
        platform::BltFast(pausePicture_.get(), 0, 0, target, whole, false);
        for (int y = 0; y < pausePicture_->Height(); ++y) {
            uint32_t* row = pausePicture_->Row(y);
            for (int x = 0; x < pausePicture_->Width(); ++x) row[x] = (row[x] >> 1) & 0x7F7F7Fu;
        }
    }
    platform::BltFast(target, 0, 0, pausePicture_.get(), whole, false);
    if (CSpriteFont* font = GameGlobals::font) {
        const char* notice = MessageInLanguage(messages::kPausedNotice);
        const int32_t width = font->PenAfter(notice, 0, 1.0f);
        font->DrawText(notice, (target->Width() - width) / 2, (target->Height() - CSpriteFont::kDrawnHeight) / 2,
                       1.0f);
    }
}

void CLevel::UpdateCamera(GameDlgFields* window) {
    if (!hero || !window) return;
    const int32_t w = window->screenWidth;
    const int32_t h = window->screenHeight;
    const int32_t d = hero->x - w / 2;
    cameraX = d > 0 ? d : kCameraMinX;
    cameraY = cameraY + (hero->y - cameraY - h / 2) / kVerticalEasing;
    if (cameraX < kCameraMinX) cameraX = kCameraMinX;
    if (cameraY < kCameraMinY) cameraY = kCameraMinY;
    if (cameraY > kViewMiddleBottomLimit - h / 2) cameraY = kViewMiddleBottomLimit - h / 2;
    if (cameraX > kViewRightLimit - w) cameraX = kViewRightLimit - w;
}

void CLevel::DrawFrame(GameDlgFields* window) {
    DrawScenery(window);
    // DrawScenery may have rebuilt the tile layer.
    if (tileLayer) tileLayer->DrawArtefacts();
    if (movableElements) movableElements->Draw(cameraX, cameraY);
    DrawObjects(window);
    if (tileLayer) tileLayer->DrawTiles();
    DrawEnemies(window);
    if (hero) hero->Draw();
    // Branches hang in front of everyone.
    if (tileLayer) tileLayer->DrawBranches();
    if (hero) hero->DrawStatusPictures();
    DrawStatusNumbers();
    DrawFloatingTexts();
    DrawEndMessages();
}

void CLevel::CreateStaticPlan(GameDlgFields*) {
    platform::Image image;
    if (!platform::DecodeGamePicture(StaticPlanPath(ScenerySet(levelNumber)), image) &&
        !platform::DecodeGamePicture(StaticPlanPath(0), image)) {
        image = platform::Image{};
    }
    // A missing picture ends here too: no surface can be made for nothing.
    staticPlan = MakePictureSurface(std::move(image));
    if (!staticPlan) {
        ShowGameMessage(messages::kStaticPlan);
        return;
    }
    SetSourceColourKey(staticPlan.get(), staticPlanColourKey);
    staticPlanSpans = std::make_unique<CSpanPicture>(staticPlan.get());
}

bool CLevel::SceneryLost() const {
    if (staticPlan) return staticPlan->IsLost();
    // Without a static plan the other scenery pictures tell.
    return (tileLayer && tileLayer->AnySurfaceLost()) || (farBackground && farBackground->AnySurfaceLost()) ||
           (nearBackground && nearBackground->AnySurfaceLost());
}

void CLevel::DrawScenery(GameDlgFields* window) {
    if (SceneryLost()) RestoreScenery();
    platform::Surface* target = window ? window->drawTarget : nullptr;
    if (target && staticPlanSpans) {
        // Whole, at the origin, keyed and not clipped: a picture larger than the screen draws nothing.
        staticPlanSpans->Draw(target, 0, 0, platform::Rect{0, 0, staticPlan->Width(), staticPlan->Height()});
    }
    if (farBackground) farBackground->Draw();
    if (nearLayerOption && nearBackground) nearBackground->Draw();
}

void CLevel::RestoreScenery() {
    if (staticPlan) {
        staticPlan->Restore();
        // Only the set's own picture: a static plan borrowed from set 0 is not looked for again.
        ReloadPictureSurface(StaticPlanPath(ScenerySet(levelNumber)), staticPlan.get());
        staticPlanSpans = std::make_unique<CSpanPicture>(staticPlan.get());
    }
    nearBackground.reset();
    farBackground.reset();
    tileLayer.reset();
    tileLayer = std::make_unique<CTileLayer>(mainWindow, levelNumber);
    CreateBackgrounds();
}

void CLevel::CreateEnemies(int32_t number, GameDlgFields* window) {
    const LevelDescription* description = DescriptionOf(window, number);
    if (!description) return;
    for (const EnemyPlacement& placement : description->enemies) {
        for (int i = 0; i < unitTypeCount; ++i) {
            if (unitTypes[i] && unitTypes[i]->unitClass == placement.type) {
                enemies.emplace_back(unitTypes[i], placement.route);
            }
        }
    }
}

void CLevel::CreateObjects(int32_t number, GameDlgFields* window) {
    const LevelDescription* description = DescriptionOf(window, number);
    if (!description) return;
    for (const ObjectPlacement& placement : description->objects) {
        for (int i = 0; i < objectTypeCount; ++i) {
            const ObjectType* type = objectTypes[i];
            // A type whose file was missing has no class and takes no placement.
            if (type && !type->objectClass.empty() && type->objectClass == placement.type) {
                objects.emplace_back(type, placement.x, placement.y);
            }
        }
    }
}

void CLevel::ApplyObject(CGameObject& object) {
    if (!hero || !object.type) return;
    CHero& h = *hero;
    const ObjectType& type = *object.type;
    // Nothing is taken while the hero blinks after a hit.
    if (h.hurtTimer <= CHero::kBlinkFrames) return;
    auto text = [&](const std::string& words, int32_t iconType) {
        AddFloatingText(h.x + CHero::kTextOffsetX, h.y, words, iconType >= 0 ? h.IconOfType(iconType) : nullptr);
    };

    if (type.mace > 0) {
        h.strength = Wrap32(static_cast<int64_t>(h.strength) + type.mace);
        text("+" + std::to_string(type.mace), h.maceTypeIndex);
        PlaySample("POWER");
    }
    if (type.objectClass == "jumper") {
        h.vy = -30.0f;
        PlaySample("JUMPER");
    }
    if (type.objectClass == "mine") {
        h.Hurt(Magnitude(type.health));
        PlaySample("MINE");
        // A mine goes off once, pickable or not.
        object.collected = true;
        return;
    }
    if (type.checkpoint && h.respawnX != h.x) {
        h.respawnX = h.x;
        h.respawnY = h.y;
        PlaySample("CHECKPOINT");
        text("CHECKPOINT", h.checkpointTypeIndex);
    }
    if (type.money > 0) {
        h.money = Wrap32(static_cast<int64_t>(h.money) + type.money);
        PlaySample("MONEY_COLLECTED");
        text("+" + std::to_string(type.money), h.coinTypeIndex);
    }
    if (type.point > 0) {
        // Points count more with a stronger club.
        const int32_t points = Wrap32(static_cast<int64_t>(type.point) * h.strength / 10);
        PlaySample("POINTS_COLLECTED");
        text("+" + std::to_string(points), -1);
        h.score = Wrap32(static_cast<int64_t>(h.score) + points);
    }
    if (type.health < 0) h.Hurt(Magnitude(type.health));
    if (type.health > 0) {
        // At full energy an energy object is left for later.
        if (h.health == 100) return;
        h.health = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(h.health) + type.health, 100));
        PlaySample("ENERGY_COLLECTED");
        // The text shows the energy the hero now has, not what was added.
        text("+" + std::to_string(h.health), h.healthTypeIndex);
    }
    if (type.pickable) object.collected = true;
}

void CLevel::AddFloatingText(int32_t x, int32_t y, const std::string& text, CAnimation* icon) {
    floatingTexts.emplace_back(x, y, text, icon);
}

void CLevel::StepFloatingTexts() {
    CFloatingText::StepQueue(floatingTexts);
}

void CLevel::DrawObjects(GameDlgFields* window) {
    if (!window) return;
    for (const CGameObject& object : objects) {
        object.Draw(cameraX, cameraY, window->screenWidth, window->screenHeight);
    }
}

void CLevel::DrawEnemies(GameDlgFields* window) {
    if (!window) return;
    for (CEnemy& enemy : enemies) enemy.Draw(cameraX, cameraY, window->screenWidth, window->screenHeight);
}

void CLevel::DrawFloatingTexts() {
    for (const CFloatingText& text : floatingTexts) text.Draw(GameGlobals::font, cameraX, cameraY);
}

void CLevel::DrawStatusNumbers() {
    CSpriteFont* font = GameGlobals::font;
    if (!hero || !font) return;
    // Right-aligned by a fixed width per character, whatever the glyphs' own widths.
    constexpr int32_t kRightEdge = 750;
    constexpr int32_t kCharacterWidth = 30;
    const std::string score = std::to_string(hero->score);
    const std::string money = std::to_string(hero->money);
    font->DrawText(score, kRightEdge - kCharacterWidth * static_cast<int32_t>(score.size()), 10, 1.0f);
    font->DrawText(money, kRightEdge - kCharacterWidth * static_cast<int32_t>(money.size()), 540, 1.0f);
    font->DrawText(std::to_string(hero->strength), 100, 540, 1.0f);
}

void CLevel::DrawEndMessages() {
    CSpriteFont* font = GameGlobals::font;
    if (!hero || !font || !mainWindow || !mainWindow->gameData) return;
    auto typeOut = [&](int textIndex, int32_t timer) {
        if (timer < 0) return;
        const std::string& whole = mainWindow->gameData->Text(textIndex);
        const size_t letters = std::min<size_t>(static_cast<size_t>(timer / CHero::kStepsPerLetter), whole.size());
        font->DrawText(whole.substr(0, letters), 100, 100, 1.0f);
    };
    typeOut(CHero::kLevelCompletedText, hero->levelEndTimer);
    typeOut(CHero::kGameOverText, hero->gameOverTimer);
}
