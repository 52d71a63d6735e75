// The briefing before a level.
#pragma once

#include <cstdint>

class CGameDlg;

// Placeholder until the screen is built: Enter starts the level, Escape returns to the menu.
class CBriefing {
public:
    CBriefing(CGameDlg* window, int32_t levelNumber);
    void Run(CGameDlg* window);

    int32_t levelNumber;
};
