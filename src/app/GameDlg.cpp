// The main window: start-up, the frame, screen switches, keys and shut-down.
#include "app/GameDlg.h"

#include <string>
#include <type_traits>

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
#include "platform/GameFolders.h"
#include "platform/Platform.h"

namespace {

constexpr int32_t kFrameIntervalMs = 20;
constexpr int32_t kMessageFrames = 400;
// The music of the main menu, and after the intro or the outro.
constexpr int32_t kMenuTrack = 9;
const char kTitle[] = "Kolvenbrook 3D";
const char kSettingsFile[] = "settings.ini";

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

using WindowStep = void (*)(GameDlgFields& window);

// One screen of the game flow: an object that lives in its GameGlobals field exactly as long as its
// state is the current one.
struct Screen {
    int32_t state;
    // Traced as "+name" when made and "-name" when deleted.
    const char* name;
    // Makes the object into its field.
    WindowStep make;
    // One frame of the screen; null for a part that has no frame of its own.
    WindowStep run;
    // Deletes the object and clears its field.
    void (*remove)();
    // A part made just before this screen and deleted just after it.
    const Screen* under;
};

// The usual steps of a screen in Field: made from the window alone, run by its Run.
template <auto Field>
void MakeFromWindow(GameDlgFields& window) {
    using Object = std::remove_pointer_t<std::remove_reference_t<decltype(*Field)>>;
    *Field = new Object(&window);
}
template <auto Field>
void RunEachFrame(GameDlgFields& window) {
    if (*Field) (*Field)->Run(&window);
}
template <auto Field>
void DeleteField() {
    DeleteGlobal(*Field);
}

template <auto Field>
constexpr Screen ScreenIn(int32_t state, const char* name, WindowStep make = MakeFromWindow<Field>,
                          WindowStep run = RunEachFrame<Field>, const Screen* under = nullptr) {
    return Screen{state, name, make, run, DeleteField<Field>, under};
}

void MakeMainMenu(GameDlgFields& window) {
    GameGlobals::mainMenu = new CMainMenu(&window);
    if (GameGlobals::sound) GameGlobals::sound->PlayMusic(kMenuTrack);
}

void MakeCollisionMap(GameDlgFields& window) {
    GameGlobals::collisionMap = new CCollisionMap(&window, window.requestedLevel);
}

void MakeLevel(GameDlgFields& window) {
    // The level publishes itself in GameGlobals while it is being built.
    new CLevel(&window, window.requestedLevel, window.nearLayerOption != 0);
    GameGlobals::level->ApplyPlayerRecord(window.player);
}

void RunLevel(GameDlgFields& window) {
    if (GameGlobals::level) GameGlobals::level->Update(&window);
}

void MakeBriefing(GameDlgFields& window) {
    GameGlobals::briefing = new CBriefing(&window, window.requestedLevel);
}

// The level's collision map is made before the level and deleted after it: the level uses it while
// it is built and while it goes.
constexpr Screen kCollisionMapPart =
    ScreenIn<&GameGlobals::collisionMap>(-1, "CollisionMap", MakeCollisionMap, nullptr);

constexpr Screen kScreens[] = {
    ScreenIn<&GameGlobals::mainMenu>(MainMenu, "MainMenu", MakeMainMenu),
    ScreenIn<&GameGlobals::loadGameMenu>(LoadGame, "LoadGame"),
    ScreenIn<&GameGlobals::optionsMenu>(Options, "Options"),
    ScreenIn<&GameGlobals::aboutScreen>(About, "About"),
    ScreenIn<&GameGlobals::level>(Level, "Level", MakeLevel, RunLevel, &kCollisionMapPart),
    ScreenIn<&GameGlobals::briefing>(Briefing, "Briefing", MakeBriefing),
    ScreenIn<&GameGlobals::highscore>(Highscore, "Highscore"),
};

// The screen of a state; null for a state without one.
const Screen* ScreenOf(int32_t state) {
    for (const Screen& screen : kScreens) {
        if (screen.state == state) return &screen;
    }
    return nullptr;
}

void TraceScreen(char sign, const char* name) {
    GameGlobals::Trace((sign + std::string(name)).c_str());
}

void MakeScreen(const Screen& screen, GameDlgFields& window) {
    if (screen.under) MakeScreen(*screen.under, window);
    TraceScreen('+', screen.name);
    screen.make(window);
}

void DeleteScreen(const Screen& screen) {
    screen.remove();
    TraceScreen('-', screen.name);
    if (screen.under) DeleteScreen(*screen.under);
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

    settings.Load(platform::UserConfigPath(kSettingsFile));
    gameData = new CGameData();
    SetUpDisplay();

    GameGlobals::sound = new CSoundSystem(this);
    GameGlobals::font = new CSpriteFont(this);
    GameGlobals::mainMenu = new CMainMenu(this);
    GameGlobals::Trace("+MainMenu");
    GameGlobals::input = new InputState();

    player.Reset(difficulty);
    ReadConfig();
    ApplySettings();

    if (startLevel >= 0 && startLevel < CGameData::kLevelCount) {
        // A level maker trying a level: a new game's record at the chosen difficulty, entered as the
        // briefing enters a level, with no film and no menu in the way.
        player.Reset(difficulty);
        player.nextLevel = startLevel;
        requestedLevel = startLevel;
        requestedState = Level;
    } else {
        // The films carry captions, so each language has its own.
        GameGlobals::PlayVideo(LocalisedGamePath("intro.avi"), this);
        introPlaying = true;
    }
    if (services.display) services.display->SetTitle(kTitle);
    return true;
}

void CGameDlg::ApplySettings() {
    platform::Services& services = platform::Current();
    if (InputState* input = GameGlobals::input) {
        input->left.key = settings.keyLeft;
        input->right.key = settings.keyRight;
        input->jump.key = settings.keyJump;
        input->down.key = settings.keyDown;
        input->attack.key = settings.keyAttack;
        input->walk.key = settings.keyWalk;
    }
    if (services.audio) services.audio->SetVolumes(settings.soundVolume, settings.musicVolume);
    if (settings.gamepads && services.events)
        services.events->StartPads(platform::UserConfigPath("gamecontrollerdb.txt"));
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

    // The intro, or the outro over the best scores, ends by a key; one that cannot be shown (its file
    // missing or broken) ends at once, so the player is not left before a black screen.
    const bool filmMayEnd = introPlaying || (outroPending && currentState == Highscore);
    auto endFilm = [this] {
        GameGlobals::StopVideo();
        introPlaying = false;
        outroPending = false;
        if (musicOption && GameGlobals::sound) GameGlobals::sound->PlayMusic(kMenuTrack);
    };
    if (filmMayEnd && services.video && services.video->Failed()) endFilm();

    if (introPlaying || outroPending) {
        if (services.video) services.video->KeepVisible();
        InputState* input = GameGlobals::input;
        if (input && (input->enterPressed || input->escapePressed)) {
            if (filmMayEnd) endFilm();
            input->enterPressed = false;
            input->escapePressed = false;
        }
        return;
    }

    if (const Screen* screen = ScreenOf(currentState); screen && screen->run) screen->run(*this);

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
    // A paused level shows its last picture, the message included, and its count stands still.
    if (!level || level->message.empty() || level->paused) return;
    const int32_t taken = level->messageFrames++;
    if (taken >= kMessageFrames) return;
    platform::ITextRenderer* text = platform::Current().text;
    if (text && drawTarget) text->DrawText(*drawTarget, 20, 100, level->message, 0xFFFF00u);
}

void CGameDlg::SwitchScreen() {
    if (currentState == requestedState) return;
    if (const Screen* leaving = ScreenOf(currentState)) DeleteScreen(*leaving);
    if (const Screen* entering = ScreenOf(requestedState)) MakeScreen(*entering, *this);
    currentState = requestedState;
}

CLevel* CGameDlg::PlayingLevel() const {
    if (currentState != Level || requestedState != Level || introPlaying || outroPending) return nullptr;
    return GameGlobals::level;
}

void CGameDlg::OnFocusLost() {
    CLevel* level = PlayingLevel();
    if (level && settings.pauseOnFocusLoss) level->SetPaused(true);
}

void CGameDlg::OnKeyDown(int vk) {
    InputState* input = GameGlobals::input;
    if (!input) return;
    const bool repeat = vk >= 0 && vk < 256 && heldKeys_.test(vk);
    if (vk >= 0 && vk < 256) heldKeys_.set(vk);
    if (!repeat && (vk == settings.keyPause || vk == platform::VK_PAUSE)) {
        if (CLevel* level = PlayingLevel()) level->SetPaused(!level->paused);
    }
    if (!repeat && vk == settings.keyScreenshot) TakeScreenshot();
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
    if (vk >= 0 && vk < 256) heldKeys_.reset(vk);
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
    settings.Save(platform::UserConfigPath(kSettingsFile));
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
    platform::DisplayOptions options;
    options.fullscreen = settings.fullscreen;
    options.windowWidth = settings.windowWidth;
    options.windowHeight = settings.windowHeight;
    options.integerScaling = settings.scaling == CSettings::Scaling::Integer;
    options.nearestFilter = settings.filter == CSettings::Filter::Nearest;
    options.vsync = settings.vsync;
    display->SetOptions(options);
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
