// The options screen: near layer, difficulty, music and sound.
#pragma once

#include <cstdint>

#include "gfx/Surfaces.h"

class CGameDlg;

class COptionsMenu {
public:
    static constexpr int kRowCount = 4;

    explicit COptionsMenu(CGameDlg* window);
    ~COptionsMenu() = default;
    COptionsMenu(const COptionsMenu&) = delete;
    COptionsMenu& operator=(const COptionsMenu&) = delete;

    // Lost background, keys, then drawing; once per frame while the options are shown.
    void Run(CGameDlg* window);

    // Changes the setting of one row as Enter does (row 1 steps the difficulty 0, 1, 2, 0).
    static void ChangeSetting(CGameDlg* window, int32_t row);

    int32_t selectedRow = 0;

private:
    void HandleKeys(CGameDlg* window);
    void Draw(CGameDlg* window);

    CGameDlg* mainWindow_;
    SurfacePtr background_;
};
