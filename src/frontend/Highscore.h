// The table of the ten best scores.
#pragma once

class CGameDlg;

// Placeholder until the screen is built: starts a pending outro; Escape returns to the menu.
class CHighscore {
public:
    explicit CHighscore(CGameDlg* window);
    void Run(CGameDlg* window);
};
