// The level's grid of solid 16-pixel cells.
#pragma once

#include <cstdint>

class CGameDlg;

// Placeholder until the level world is built.
class CCollisionMap {
public:
    CCollisionMap(CGameDlg* window, int32_t levelNumber);
};
