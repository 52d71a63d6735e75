// The main menu: new game, load game, options, about, best scores and quit.
#pragma once

#include <cstdint>

#include "gfx/Surfaces.h"

struct GameDlgFields;

class CMainMenu {
public:
    static constexpr int kItemCount = 6;

    explicit CMainMenu(GameDlgFields* window);
    ~CMainMenu() = default;
    CMainMenu(const CMainMenu&) = delete;
    CMainMenu& operator=(const CMainMenu&) = delete;

    // Keys, then drawing; once per frame while the menu is the current screen.
    void Run(GameDlgFields* window);

    int32_t selectedItem = 0;
    bool quitRequested = false;

private:
    void HandleKeys(GameDlgFields* window);
    void Draw(GameDlgFields* window);

    SurfacePtr background_;
    int32_t backgroundWidth_ = 800;
    int32_t backgroundHeight_ = 600;
};
