// The main window: start-up, the frame, screen switches, keys and shut-down.
#include "app/GameDlg.h"

#include "actors/CollisionMap.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "core/Language.h"
#include "core/Messages.h"
#include "data/GameData.h"
#include "frontend/AboutScreen.h"
#include "frontend/Briefing.h"
#include "frontend/Highscore.h"
#include "frontend/LoadGameMenu.h"
#include "frontend/MainMenu.h"
#include "frontend/OptionsMenu.h"
#include "level/Level.h"
#include "media/SoundSystem.h"
#include "media/SpriteFont.h"
#include "platform/Platform.h"

namespace {

constexpr int32_t kFrameIntervalMs = 20;
constexpr int32_t kMessageFrames = 400;
const char kTitle[] = "Kolvenbrook 3D";

struct StepText {
    platform::DisplayStep step;
    const MessageText& text;
};

// In the order the steps are taken.
const StepText kStepTexts[] = {
    {platform::DisplayStep::CreateDevice, messages::kDisplayDevice},
    {platform::DisplayStep::QueryInterface, messages::kDisplayInterface},
    {platform::DisplayStep::Exclusive, messages::kDisplayExclusive},
    {platform::DisplayStep::Resolution, messages::kDisplayResolution},
    {platform::DisplayStep::PrimarySurface, messages::kDisplayFrontSurface},
    {platform::DisplayStep::BackBuffer, messages::kDisplayBackSurface},
};

template <typename T>
void DeleteGlobal(T*& pointer) {
    delete pointer;
    pointer = nullptr;
}

}  // namespace

CGameDlg::CGameDlg() = default;

CGameDlg::~CGameDlg() {
    if (!destroyed) OnDestroy();
    if (GameGlobals::mainWindow == this) GameGlobals::mainWindow = nullptr;
}

bool CGameDlg::OnInitDialog() {
    platform::Services& services = platform::Current();
    // Start values (the field initialisers hold them); the window becomes reachable to all.
    GameGlobals::mainWindow = this;
    GameGlobals::lastFrameTick = 0;

    gameData = new CGameData();
    SetUpDisplay();

    GameGlobals::sound = new CSoundSystem(this);
    GameGlobals::font = new CSpriteFont(this);
    GameGlobals::mainMenu = new CMainMenu(this);
    GameGlobals::Trace("+MainMenu");
    GameGlobals::input = new InputState();

    player.Reset(difficulty);
    ReadConfig();

    // The films carry captions, so each language has its own.
    GameGlobals::PlayVideo(LocalisedGamePath("intro.avi"), this);
    introPlaying = true;
    if (services.display) services.display->SetTitle(kTitle);
    return true;
}

void CGameDlg::RunFrame() {
    platform::Services& services = platform::Current();
    const uint32_t now = services.clock->TickCount();
    if (static_cast<int32_t>(now - GameGlobals::lastFrameTick) <= kFrameIntervalMs) return;
    GameGlobals::lastFrameTick = now;

    ++frameCounter;
    ++framesThisSecond;
    if (services.clock->ClockMs() - fpsSampleTime > 1000) {
        fpsSampleTime = services.clock->ClockMs();
        framesPerSecond = static_cast<float>(framesThisSecond);
        framesThisSecond = 0;
    }

    SwitchScreen();

    if (introPlaying || outroPending) {
        if (services.video) services.video->KeepVisible();
        InputState* input = GameGlobals::input;
        if (input && (input->enterPressed || input->escapePressed)) {
            if (introPlaying || (outroPending && currentState == Highscore)) {
                GameGlobals::StopVideo();
                introPlaying = false;
                outroPending = false;
                if (musicOption && GameGlobals::sound) GameGlobals::sound->PlayMusic(9);
            }
            input->enterPressed = false;
            input->escapePressed = false;
        }
        return;
    }

    switch (currentState) {
        case MainMenu:
            if (GameGlobals::mainMenu) GameGlobals::mainMenu->Run(this);
            break;
        case LoadGame:
            if (GameGlobals::loadGameMenu) GameGlobals::loadGameMenu->Run(this);
            break;
        case Options:
            if (GameGlobals::optionsMenu) GameGlobals::optionsMenu->Run(this);
            break;
        case About:
            if (GameGlobals::aboutScreen) GameGlobals::aboutScreen->Run(this);
            break;
        case Level:
            if (GameGlobals::level) GameGlobals::level->Update(this);
            break;
        case Briefing:
            if (GameGlobals::briefing) GameGlobals::briefing->Run(this);
            break;
        case Highscore:
            if (GameGlobals::highscore) GameGlobals::highscore->Run(this);
            break;
        default:
            break;
    }

    DrawMessageOverlay();

    if (drawTarget && drawTarget->IsLost()) drawTarget->Restore();
    if (services.display) services.display->Present();

    if (GameGlobals::mainMenu && GameGlobals::mainMenu->quitRequested) {
        OnDestroy();
        quitPosted = true;
    }
}

void CGameDlg::DrawMessageOverlay() {
    CLevel* level = GameGlobals::level;
    if (!level || level->message.empty()) return;
    const int32_t taken = level->messageFrames++;
    if (taken >= kMessageFrames) return;
    platform::ITextRenderer* text = platform::Current().text;
    if (text && drawTarget) text->DrawText(*drawTarget, 20, 100, level->message, 0xFFFF00u);
}

void CGameDlg::SwitchScreen() {
    if (currentState == requestedState) return;
    DeleteScreen(currentState);
    MakeScreen(requestedState);
    currentState = requestedState;
}

void CGameDlg::DeleteScreen(int32_t state) {
    switch (state) {
        case MainMenu:
            DeleteGlobal(GameGlobals::mainMenu);
            GameGlobals::Trace("-MainMenu");
            break;
        case LoadGame:
            DeleteGlobal(GameGlobals::loadGameMenu);
            GameGlobals::Trace("-LoadGame");
            break;
        case Options:
            DeleteGlobal(GameGlobals::optionsMenu);
            GameGlobals::Trace("-Options");
            break;
        case About:
            DeleteGlobal(GameGlobals::aboutScreen);
            GameGlobals::Trace("-About");
            break;
        case Level:
            // The level first: it still uses the collision map while it goes.
            DeleteGlobal(GameGlobals::level);
            GameGlobals::Trace("-Level");
            DeleteGlobal(GameGlobals::collisionMap);
            GameGlobals::Trace("-CollisionMap");
            break;
        case Briefing:
            DeleteGlobal(GameGlobals::briefing);
            GameGlobals::Trace("-Briefing");
            break;
        case Highscore:
            DeleteGlobal(GameGlobals::highscore);
            GameGlobals::Trace("-Highscore");
            break;
        default:
            break;
    }
}

void CGameDlg::MakeScreen(int32_t state) {
    switch (state) {
        case MainMenu:
            GameGlobals::Trace("+MainMenu");
            GameGlobals::mainMenu = new CMainMenu(this);
            if (GameGlobals::sound) GameGlobals::sound->PlayMusic(9);
            break;
        case LoadGame:
            GameGlobals::Trace("+LoadGame");
            GameGlobals::loadGameMenu = new CLoadGameMenu(this);
            break;
        case Options:
            GameGlobals::Trace("+Options");
            GameGlobals::optionsMenu = new COptionsMenu(this);
            break;
        case About:
            GameGlobals::Trace("+About");
            GameGlobals::aboutScreen = new CAboutScreen(this);
            break;
        case Level:
            GameGlobals::Trace("+CollisionMap");
            GameGlobals::collisionMap = new CCollisionMap(this, requestedLevel);
            GameGlobals::Trace("+Level");
            // The level publishes itself in GameGlobals while it is being built.
            new CLevel(this, requestedLevel, nearLayerOption != 0);
            GameGlobals::level->ApplyPlayerRecord(player);
            break;
        case Briefing:
            GameGlobals::Trace("+Briefing");
            GameGlobals::briefing = new CBriefing(this, requestedLevel);
            break;
        case Highscore:
            GameGlobals::Trace("+Highscore");
            GameGlobals::highscore = new CHighscore(this);
            break;
        default:
            break;
    }
}

void CGameDlg::OnKeyDown(int vk) {
    InputState* input = GameGlobals::input;
    if (!input) return;
    for (KeySlot* slot : input->Slots) {
        if (slot->key == vk) slot->pressed = true;
    }
    if (vk == 13) input->enterPressed = true;
    if (vk == 27) input->escapePressed = true;
    if (vk == 8) input->backspacePressed = true;
    if (vk >= 65 && vk <= 90) {
        input->letterTyped = true;
        input->lastLetter = vk;
    }
}

void CGameDlg::OnKeyUp(int vk) {
    InputState* input = GameGlobals::input;
    if (!input) return;
    for (KeySlot* slot : input->Slots) {
        if (slot->key == vk) slot->pressed = false;
    }
    if (vk == 13) input->enterPressed = false;
    if (vk == 27) input->escapePressed = false;
    if (vk == 8) input->backspacePressed = false;
}

void CGameDlg::OnDestroy() {
    if (destroyed) return;
    destroyed = true;
    WriteConfig();
    GameGlobals::StopVideo();
    if (directDraw) directDraw->Close();
    directDraw = nullptr;
    drawTarget = nullptr;

    if (GameGlobals::mainMenu) GameGlobals::Trace("-MainMenu");
    DeleteGlobal(GameGlobals::mainMenu);
    if (GameGlobals::level) GameGlobals::Trace("-Level");
    DeleteGlobal(GameGlobals::level);
    DeleteGlobal(GameGlobals::loadGameMenu);
    DeleteGlobal(GameGlobals::briefing);
    DeleteGlobal(GameGlobals::optionsMenu);
    DeleteGlobal(GameGlobals::sound);
    if (GameGlobals::collisionMap) GameGlobals::Trace("-CollisionMap");
    DeleteGlobal(GameGlobals::collisionMap);
    delete gameData;
    gameData = nullptr;
    DeleteGlobal(GameGlobals::font);
    DeleteGlobal(GameGlobals::input);
    DeleteGlobal(GameGlobals::highscore);
    DeleteGlobal(GameGlobals::aboutScreen);
    currentState = -1;
}

bool CGameDlg::ReportDisplayFailure(const MessageText& text) {
    platform::Services& services = platform::Current();
    if (services.display) services.display->ShowArrowCursor();
    ShowGameMessage(text);
    return false;
}

bool CGameDlg::SetUpDisplay() {
    platform::IDisplay* display = platform::Current().display;
    if (!display) return ReportDisplayFailure(kStepTexts[0].text);
    display->HideCursor();
    const platform::DisplayStep failed = display->Open(screenWidth, screenHeight, "Kolvenbrook 3D");
    if (failed != platform::DisplayStep::Ok) {
        for (const StepText& entry : kStepTexts) {
            if (entry.step == failed) return ReportDisplayFailure(entry.text);
        }
        return ReportDisplayFailure(kStepTexts[0].text);
    }
    directDraw = display;
    drawTarget = display->BackBuffer();
    return true;
}
