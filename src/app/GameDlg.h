// The main window: start-up, the frame, screen switches, keys and shut-down.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/GameState.h"
#include "app/PlayerRecord.h"

class CGameData;

namespace platform {
class IDisplay;
class Surface;
}  // namespace platform

class CGameDlg {
public:
    CGameDlg();
    ~CGameDlg();
    CGameDlg(const CGameDlg&) = delete;
    CGameDlg& operator=(const CGameDlg&) = delete;

    // Start-up: game data, display, sound, font, main menu, input, player, Config.dat, intro.
    bool OnInitDialog();
    // One frame, at most every 20 ms of the tick clock.
    void RunFrame();
    // Deletes the current screen's object and makes the requested one when they differ.
    void SwitchScreen();
    void OnKeyDown(int vk);
    void OnKeyUp(int vk);
    // The window is going away: writes Config.dat and deletes every game-wide object.
    void OnDestroy();

    // Display set-up; reports the first failing step in a message box.
    bool SetUpDisplay();
    bool ReportDisplayFailure(const std::string& textCp1250);

    // Config.dat.
    void ReadConfig();
    void WriteConfig();

    // True once the window was destroyed (the quit item, or closed from outside).
    bool destroyed = false;
    // Set by the frame that destroyed the window: the message loop ends.
    bool quitPosted = false;

    platform::IDisplay* directDraw = nullptr;
    platform::Surface* drawTarget = nullptr;
    int32_t currentState = MainMenu;
    int32_t requestedState = MainMenu;
    int32_t requestedLevel = 0;
    int32_t screenWidth = 800;
    int32_t screenHeight = 600;
    // Options as stored in Config.dat: one byte each, 0 off and anything else on.
    uint8_t nearLayerOption = 0;
    uint8_t musicOption = 1;
    uint8_t soundOption = 1;
    uint8_t spareOption = 0;
    int32_t difficulty = 2;
    // Set before start-up to begin a new game straight in this level (0..7), without intro or menu;
    // -1 starts as usual.
    int32_t startLevel = -1;
    bool introPlaying = false;
    bool outroPending = false;
    int32_t fpsSampleTime = 0;
    int32_t framesThisSecond = 0;
    float framesPerSecond = 0.0f;
    int32_t frameCounter = 0;
    CGameData* gameData = nullptr;
    PlayerRecord player;

private:
    void DeleteScreen(int32_t state);
    void MakeScreen(int32_t state);
    void DrawMessageOverlay();
};
