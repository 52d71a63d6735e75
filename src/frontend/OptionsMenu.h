// The options screen: near layer, difficulty, music and sound.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/Surfaces.h"

struct GameDlgFields;

class COptionsMenu {
public:
    static constexpr int kRowCount = 4;

    explicit COptionsMenu(GameDlgFields* window);
    ~COptionsMenu() = default;
    COptionsMenu(const COptionsMenu&) = delete;
    COptionsMenu& operator=(const COptionsMenu&) = delete;

    // Lost background, keys, then drawing; once per frame while the options are shown.
    void Run(GameDlgFields* window);

    // Changes the setting of one row as Enter does (row 1 steps the difficulty 0, 1, 2, 0).
    static void ChangeSetting(GameDlgFields* window, int32_t row);

    int32_t selectedRow = 0;

private:
    void HandleKeys(GameDlgFields* window);
    void Draw(GameDlgFields* window);

    GameDlgFields* mainWindow_;
    std::string backgroundPath_;
    SurfacePtr background_;
};
