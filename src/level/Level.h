// One level being played: what it is made of, its 20 ms world steps, its camera and its draw order.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "actors/ActorWorld.h"
#include "actors/CollisionMap.h"
#include "actors/FloatingText.h"
#include "actors/MovableElement.h"
#include "core/PlayerRecord.h"
#include "gfx/Surfaces.h"

struct GameDlgFields;
class CHero;
class CTileLayer;
class CBackground;
class CSpanPicture;
class CAnimation;
struct UnitType;
struct ObjectType;

class CLevel final : public CActorWorld {
public:
    static constexpr int32_t kStepMs = 20;
    // A frame runs at most this many world steps: after a stall (a debugger, a suspended machine)
    // the world carries on instead of running for seconds to catch up.
    static constexpr int32_t kMaxStepsPerFrame = 10;
    static constexpr uint32_t kStaticPlanColourKey = 0x4B37;
    static constexpr float kFarFactor = 0.26f;
    static constexpr float kNearFactor = 0.75f;
    // TEXT entry shown when the near background cannot be made.
    static constexpr int kNearLayerFailedText = 37;

    // Builds the level from its description. GameGlobals::level points at it from the start, so the
    // parts it builds can reach it.
    CLevel(GameDlgFields* window, int32_t levelNumber, bool nearLayerOption);
    ~CLevel();
    CLevel(const CLevel&) = delete;
    CLevel& operator=(const CLevel&) = delete;

    // The carried values the hero starts with (not the level number).
    void ApplyPlayerRecord(PlayerRecord record);
    // Once per displayed frame: Escape, the camera, the keys, the world steps, the picture.
    void Update(GameDlgFields* window);
    // The view follows the hero: at once across, by a tenth of the gap up and down.
    void UpdateCamera(GameDlgFields* window);
    // The world steps one frame runs for the time since the last one (the rest of the time is lost).
    int32_t TakeSteps();
    // The whole picture, back to front, with the camera as it stands.
    void DrawFrame(GameDlgFields* window);
    // Stops the world or lets it go on. While paused nothing steps, moves or counts, the music and
    // the sounds hold, and the last picture stays on show, dimmed, under a notice. Going on runs no
    // steps for the paused time.
    void SetPaused(bool pause);

    // The picture drawn first, fixed on the screen.
    void CreateStaticPlan(GameDlgFields* window);
    // The static plan and the backgrounds; rebuilds the scenery when the display lost its surfaces.
    void DrawScenery(GameDlgFields* window);
    // Refills the static plan and makes the tile layer and the backgrounds anew.
    void RestoreScenery();

    // The actors of the level's description: an enemy for every placement whose type is a loaded
    // unit class, an object for every placement whose type is a loaded object class.
    void CreateEnemies(int32_t levelNumber, GameDlgFields* window);
    void CreateObjects(int32_t levelNumber, GameDlgFields* window);
    // What touching an object does to the hero, in a fixed order of effects.
    void ApplyObject(CGameObject& object) override;
    // A text rising from (x, y) for two seconds, with an object type's picture beside it (or none).
    void AddFloatingText(int32_t x, int32_t y, const std::string& text, CAnimation* icon) override;
    void StepFloatingTexts();
    void DrawObjects(GameDlgFields* window);
    void DrawEnemies(GameDlgFields* window);
    void DrawFloatingTexts();
    // The score, money and strength beside the hero's status icons.
    void DrawStatusNumbers();
    // "Level completed" or "game over", typing itself letter by letter.
    void DrawEndMessages();

    // Scenery set of a level: levels 2k and 2k+1 share set 2k.
    static int32_t ScenerySet(int32_t levelNumber) { return levelNumber - levelNumber % 2; }

    std::array<UnitType*, kMaxTypes> unitTypes{};
    std::unique_ptr<CHero> hero;
    std::unique_ptr<CMovableElementList> movableElements;
    std::unique_ptr<CTileLayer> tileLayer;
    std::unique_ptr<CBackground> nearBackground;
    std::unique_ptr<CBackground> farBackground;
    SurfacePtr staticPlan;
    // The static plan as runs of visible pixels, for drawing; made again whenever it is refilled.
    std::unique_ptr<CSpanPicture> staticPlanSpans;
    uint32_t staticPlanColourKey = kStaticPlanColourKey;
    // Shown by the main window in yellow at (20, 100) for 400 frames.
    std::string message;
    // Oldest first.
    std::deque<CFloatingText> floatingTexts;
    int32_t unitTypeCount = 0;
    // Extra piece columns and rows a background visits beyond the first: screen size div 256.
    int32_t backgroundColumns = 0;
    int32_t backgroundRows = 0;
    int32_t messageFrames = 0;
    bool nearLayerOption = false;
    int32_t lastStepClock = 0;
    GameDlgFields* mainWindow = nullptr;
    bool paused = false;

private:
    // The paused frame: the last picture, dimmed once, and the notice over it.
    void DrawPaused(GameDlgFields* window);
    // The far background, and the near one when the option is on; a near background that cannot
    // be made switches the option off for good and says so.
    void CreateBackgrounds();
    // Whether the display lost the scenery's surfaces since they were filled.
    bool SceneryLost() const;

    // The picture the level showed when it was paused (made by the first paused frame).
    SurfacePtr pausePicture_;
};
