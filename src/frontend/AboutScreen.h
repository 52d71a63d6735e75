// The about screen.
#pragma once

class CGameDlg;

// Placeholder until the screen is built: Escape returns to the main menu.
class CAboutScreen {
public:
    explicit CAboutScreen(CGameDlg* window);
    void Run(CGameDlg* window);
};
