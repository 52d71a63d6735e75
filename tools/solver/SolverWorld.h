// A running level of the real game, headless, stepped one frame at a time, with snapshots of its state.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "actors/Enemy.h"
#include "actors/FloatingText.h"
#include "actors/GameObject.h"
#include "actors/MovableElement.h"
#include "core/PlayerRecord.h"
#include "play/Driver.h"
#include "play/Replay.h"

class CLevel;
class CHero;
class CGameDlg;

// Everything of a level that changes while it runs. Pictures, types and the collision map do not.
struct WorldSnapshot {
    // The hero's changing values (his type, pictures and window stay).
    struct HeroValues {
        int32_t x, y, respawnX, respawnY;
        float gravity, vy, vx;
        std::string state;
        int32_t animIndex, idleSteps, prevX, prevY, finishX, finishY, startX, startY;
        int32_t lives, health, score, money, reach, strength;
        std::string weapon;
        float hitX, hitY, attackProgress;
        int32_t flashFrame, facing, onStep, hurtTimer, levelEndTimer, gameOverTimer;
        bool running, dead;
        std::string prevState;
    } hero{};
    std::vector<CEnemy> enemies;
    std::vector<CGameObject> objects;
    std::vector<CMovableElement> platforms;
    std::deque<CFloatingText> floatingTexts;
    int32_t cameraX = 0, cameraY = 0;
    PlayerRecord player;
    int32_t requestedState = 0, requestedLevel = 0;
    bool outroPending = false;
    int32_t frames = 0;
};

class SolverWorld {
public:
    // Starts the game in the working directory (a game folder) and enters the replay header's level with
    // its record and difficulty; the level's first frame (the one that builds it) runs without keys.
    explicit SolverWorld(const Replay& header);
    ~SolverWorld();
    SolverWorld(const SolverWorld&) = delete;
    SolverWorld& operator=(const SolverWorld&) = delete;

    bool Ready() const { return ready_; }
    const std::string& Error() const { return error_; }

    // One frame with these keys held, as the level's own frame runs it (camera, keys, one 20 ms world
    // step) but without drawing.
    void Frame(uint8_t keys);

    void Save(WorldSnapshot& snapshot) const;
    void Load(const WorldSnapshot& snapshot);

    CLevel& Level() const;
    CHero& Hero() const;
    CGameDlg& Window() const;
    // Frames run since the level was entered, its first frame included.
    int32_t frames = 0;

private:
    std::ostringstream sink_;
    std::unique_ptr<Driver> driver_;
    bool ready_ = false;
    std::string error_;
};
