// The about screen: one full-screen picture until Escape.
#pragma once

#include <string>

#include "gfx/Surfaces.h"

struct GameDlgFields;

class CAboutScreen {
public:
    explicit CAboutScreen(GameDlgFields* window);
    ~CAboutScreen() = default;
    CAboutScreen(const CAboutScreen&) = delete;
    CAboutScreen& operator=(const CAboutScreen&) = delete;

    // Escape, then the picture; once per frame while the screen is shown.
    void Run(GameDlgFields* window);

private:
    std::string picturePath_;
    SurfacePtr picture_;
};
