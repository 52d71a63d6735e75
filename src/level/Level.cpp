// One level being played: what it is made of, its 20 ms world steps, its camera and its draw order.
#include "level/Level.h"

#include <cstdio>

#include "actors/Hero.h"
#include "app/GameDlg.h"
#include "app/GameGlobals.h"
#include "app/InputState.h"
#include "data/GameData.h"
#include "data/LevelDescription.h"
#include "data/UnitType.h"
#include "level/Background.h"
#include "level/SpanPicture.h"
#include "level/TileLayer.h"
#include "media/SoundSystem.h"
#include "platform/Platform.h"

namespace {

constexpr int32_t kMusicTracksPerLevelCycle = 5;
constexpr int32_t kBackgroundPieceStep = 256;

const LevelDescription* DescriptionOf(const CGameDlg* window, int32_t levelNumber) {
    if (!window || !window->gameData || levelNumber < 0 || levelNumber >= CGameData::kLevelCount) return nullptr;
    return window->gameData->levels[levelNumber].get();
}

std::string StaticPlanPath(int32_t set) {
    char path[80];
    std::snprintf(path, sizeof(path), "LevelDescriptions\\Level%ld\\Level%ld_3.png", static_cast<long>(set),
                  static_cast<long>(set));
    return path;
}

}  // namespace

CLevel::CLevel(CGameDlg* window, int32_t number, bool nearLayer) : nearLayerOption(nearLayer), mainWindow(window) {
    platform::Services& services = platform::Current();
    lastStepClock = services.clock ? services.clock->ClockMs() : 0;
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
    // Object types: made here from the description's object-type list once objects exist.

    tileLayer = std::make_unique<CTileLayer>(window, levelNumber);
    CreateStaticPlan(window);

    // Enemies (CreateEnemies), objects (CreateObjects) and movable elements are made here, in that
    // order, once they exist.

    hero = std::make_unique<CHero>(window);

    CreateBackgrounds();

    if (description) {
        hero->x = description->heroStartX;
        hero->y = description->heroStartY;
        hero->startX = description->heroStartX;
        hero->startY = description->heroStartY;
    }

    if (GameGlobals::sound) GameGlobals::sound->PlayMusic(levelNumber % kMusicTracksPerLevelCycle);
}

CLevel::~CLevel() {
    if (GameGlobals::sound) GameGlobals::sound->StopMusic(levelNumber % kMusicTracksPerLevelCycle);
    for (int i = 0; i < unitTypeCount; ++i) {
        delete unitTypes[i];
        unitTypes[i] = nullptr;
    }
    // Object types go here once they exist.
    nearBackground.reset();
    farBackground.reset();
    tileLayer.reset();
    staticPlanSpans.reset();
    staticPlan.reset();
    // The enemy list goes before the hero, the object and movable-element lists after it.
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

void CLevel::Update(CGameDlg* window) {
    InputState* input = GameGlobals::input;
    if (input && input->escapePressed) {
        // The frame still runs; the best scores come up in the next one.
        if (window) window->requestedState = Highscore;
        input->escapePressed = false;
    }

    const int32_t steps = TakeSteps();
    // The picture of this frame uses the camera from where the hero stood after the last frame.
    UpdateCamera(window);
    if (hero) hero->HandleInput();

    for (int32_t i = 0; i < steps; ++i) {
        // Enemies, objects and movable elements step here, in that order, once they exist.
        if (hero) hero->Step();
        // Floating texts step here once they exist.
    }

    DrawFrame(window);
}

void CLevel::UpdateCamera(CGameDlg* window) {
    if (!hero || !window) return;
    const int32_t w = window->screenWidth;
    const int32_t h = window->screenHeight;
    const int32_t d = hero->x - w / 2;
    cameraX = d > 0 ? d : 16;
    // A gap under ten pixels moves nothing: the view settles up to nine pixels short of centred.
    cameraY = cameraY + (hero->y - cameraY - h / 2) / 10;
    if (cameraX < 16) cameraX = 16;
    if (cameraY < 16) cameraY = 16;
    if (cameraY > 1792 - h / 2) cameraY = 1792 - h / 2;
    if (cameraX > 3840 - w) cameraX = 3840 - w;
}

void CLevel::DrawFrame(CGameDlg* window) {
    DrawScenery(window);
    // DrawScenery may have rebuilt the tile layer.
    if (tileLayer) tileLayer->DrawArtefacts();
    // Movable elements, then objects, are drawn here once they exist.
    if (tileLayer) tileLayer->DrawTiles();
    // Enemies are drawn here once they exist.
    if (hero) hero->Draw();
    // Branches hang in front of everyone.
    if (tileLayer) tileLayer->DrawBranches();
    if (hero) hero->DrawStatusPictures();
    // The status numbers, the floating texts (oldest first) and the end messages follow here once
    // they exist.
}

void CLevel::CreateStaticPlan(CGameDlg*) {
    platform::Image image;
    if (!platform::DecodeGamePicture(StaticPlanPath(ScenerySet(levelNumber)), image) &&
        !platform::DecodeGamePicture(StaticPlanPath(0), image)) {
        image = platform::Image{};
    }
    // A missing picture ends here too: no surface can be made for nothing.
    staticPlan = MakePictureSurface(image);
    if (!staticPlan) {
        platform::ShowMessage("B\xb3\xb9\x64 Tworzenia statycznego planu");
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

void CLevel::DrawScenery(CGameDlg* window) {
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

int CLevel::PlatformCount() const {
    // The movable-element list answers here once it exists.
    return 0;
}

PlatformBox CLevel::PlatformBoxAt(int) const {
    return PlatformBox{};
}
