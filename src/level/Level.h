// One level being played.
#pragma once

#include <cstdint>
#include <string>

#include "app/PlayerRecord.h"

class CGameDlg;

// Placeholder until the level world is built: Escape leads to the best scores.
class CLevel {
public:
    CLevel(CGameDlg* window, int32_t levelNumber, bool nearLayerOption);
    ~CLevel();
    void ApplyPlayerRecord(PlayerRecord record);
    void Update(CGameDlg* window);

    std::string message;
    int32_t messageFrames = 0;
    int32_t levelNumber = 0;
    int32_t cameraX = 10;
    int32_t cameraY = 20;
    PlayerRecord heroRecord;
};
