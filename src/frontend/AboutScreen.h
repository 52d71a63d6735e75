// The about screen: one full-screen picture until Escape.
#pragma once

#include "gfx/Surfaces.h"

class CGameDlg;

class CAboutScreen {
public:
    explicit CAboutScreen(CGameDlg* window);
    ~CAboutScreen() = default;
    CAboutScreen(const CAboutScreen&) = delete;
    CAboutScreen& operator=(const CAboutScreen&) = delete;

    // Escape, then the picture; once per frame while the screen is shown.
    void Run(CGameDlg* window);

private:
    SurfacePtr picture_;
};
