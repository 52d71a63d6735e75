// The options screen: near layer, difficulty, music and sound.
#pragma once

class CGameDlg;

// Placeholder until the screen is built: Escape returns to the main menu.
class COptionsMenu {
public:
    explicit COptionsMenu(CGameDlg* window);
    void Run(CGameDlg* window);
};
