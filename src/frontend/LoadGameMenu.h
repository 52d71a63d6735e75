// The load-game screen: the eight save slots.
#pragma once

class CGameDlg;

// Placeholder until the screen is built: Escape returns to the main menu.
class CLoadGameMenu {
public:
    explicit CLoadGameMenu(CGameDlg* window);
    void Run(CGameDlg* window);
};
