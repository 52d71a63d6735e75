// A running level of the real game, headless, stepped one frame at a time, with snapshots of its state.
#include "SolverWorld.h"

#include "actors/Hero.h"
#include "app/GameDlg.h"
#include "core/GameGlobals.h"
#include "core/GameState.h"
#include "core/InputState.h"
#include "level/Level.h"

SolverWorld::SolverWorld(const Replay& header) {
    driver_ = std::make_unique<Driver>(sink_);
    driver_->SetQuiet(true);
    driver_->Start();
    Replay entry = header;
    entry.frames.assign(1, 0);
    // The entry frame alone cannot finish the level; what matters is that the level now runs.
    std::string ignored;
    driver_->PlayReplay(entry, ignored);
    CGameDlg& window = driver_->App().window;
    if (!GameGlobals::level || !GameGlobals::level->hero || !GameGlobals::collisionMap ||
        window.currentState != ::Level || GameGlobals::level->levelNumber != header.level) {
        error_ = "level " + std::to_string(header.level) + " could not be entered";
        return;
    }
    // Sounds would only pile up in the recorder.
    window.soundOption = 0;
    frames = 1;
    ready_ = true;
}

SolverWorld::~SolverWorld() = default;

CLevel& SolverWorld::Level() const {
    return *GameGlobals::level;
}
CHero& SolverWorld::Hero() const {
    return *GameGlobals::level->hero;
}
CGameDlg& SolverWorld::Window() const {
    return driver_->App().window;
}

void SolverWorld::Frame(uint8_t keys) {
    InputState& input = *GameGlobals::input;
    input.left.pressed = keys & kReplayLeft;
    input.right.pressed = keys & kReplayRight;
    input.jump.pressed = keys & kReplayUp;
    input.down.pressed = keys & kReplayDown;
    input.attack.pressed = keys & kReplaySpace;
    input.walk.pressed = keys & kReplayShift;
    CLevel& level = Level();
    CHero& hero = *level.hero;
    // CLevel::Update without the picture: with the driver's clock every frame runs one world step.
    level.UpdateCamera(&Window());
    hero.HandleInput();
    for (CEnemy& enemy : level.enemies) enemy.Step(hero);
    for (CGameObject& object : level.objects) object.Step();
    if (level.movableElements) level.movableElements->Step();
    hero.Step();
    level.StepFloatingTexts();
    ++frames;
}

void SolverWorld::Save(WorldSnapshot& s) const {
    const CLevel& level = Level();
    const CHero& h = *level.hero;
    s.hero = WorldSnapshot::HeroValues{
        h.x,        h.y,         h.respawnX,      h.respawnY,      h.gravity,        h.vy,         h.vx,
        h.state,    h.animIndex, h.idleSteps,     h.prevX,         h.prevY,          h.finishX,    h.finishY,
        h.startX,   h.startY,    h.lives,         h.health,        h.score,          h.money,      h.reach,
        h.strength, h.weapon,    h.hitX,          h.hitY,          h.attackProgress, h.flashFrame, h.facing,
        h.onStep,   h.hurtTimer, h.levelEndTimer, h.gameOverTimer, h.running,        h.dead,       h.prevState};
    s.enemies = level.enemies;
    s.objects = level.objects;
    if (level.movableElements) s.platforms = level.movableElements->elements;
    s.floatingTexts = level.floatingTexts;
    s.cameraX = level.cameraX;
    s.cameraY = level.cameraY;
    const CGameDlg& window = Window();
    s.player = window.player;
    s.requestedState = window.requestedState;
    s.requestedLevel = window.requestedLevel;
    s.outroPending = window.outroPending;
    s.frames = frames;
}

void SolverWorld::Load(const WorldSnapshot& s) {
    CLevel& level = Level();
    CHero& h = *level.hero;
    const WorldSnapshot::HeroValues& v = s.hero;
    h.x = v.x;
    h.y = v.y;
    h.respawnX = v.respawnX;
    h.respawnY = v.respawnY;
    h.gravity = v.gravity;
    h.vy = v.vy;
    h.vx = v.vx;
    h.state = v.state;
    h.animIndex = v.animIndex;
    h.idleSteps = v.idleSteps;
    h.prevX = v.prevX;
    h.prevY = v.prevY;
    h.finishX = v.finishX;
    h.finishY = v.finishY;
    h.startX = v.startX;
    h.startY = v.startY;
    h.lives = v.lives;
    h.health = v.health;
    h.score = v.score;
    h.money = v.money;
    h.reach = v.reach;
    h.strength = v.strength;
    h.weapon = v.weapon;
    h.hitX = v.hitX;
    h.hitY = v.hitY;
    h.attackProgress = v.attackProgress;
    h.flashFrame = v.flashFrame;
    h.facing = v.facing;
    h.onStep = v.onStep;
    h.hurtTimer = v.hurtTimer;
    h.levelEndTimer = v.levelEndTimer;
    h.gameOverTimer = v.gameOverTimer;
    h.running = v.running;
    h.dead = v.dead;
    h.prevState = v.prevState;
    level.enemies = s.enemies;
    level.objects = s.objects;
    if (level.movableElements) level.movableElements->elements = s.platforms;
    level.floatingTexts = s.floatingTexts;
    level.cameraX = s.cameraX;
    level.cameraY = s.cameraY;
    CGameDlg& window = Window();
    window.player = s.player;
    window.requestedState = s.requestedState;
    window.requestedLevel = s.requestedLevel;
    window.outroPending = s.outroPending;
    frames = s.frames;
}
