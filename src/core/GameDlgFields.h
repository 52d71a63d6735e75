// The main window's fields that the screens, the level and the actors read and write.
#pragma once

#include <cstdint>

#include "core/GameState.h"
#include "core/PlayerRecord.h"

class CGameData;

namespace platform {
class IDisplay;
class Surface;
}  // namespace platform

// CGameDlg is one of these: everything below the main window sees it through this record only, so
// nothing below the application shell can reach its start-up, frame or shut-down.
struct GameDlgFields {
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
    bool introPlaying = false;
    bool outroPending = false;
    int32_t fpsSampleTime = 0;
    int32_t framesThisSecond = 0;
    float framesPerSecond = 0.0f;
    int32_t frameCounter = 0;
    CGameData* gameData = nullptr;
    PlayerRecord player;
};
