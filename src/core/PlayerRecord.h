// What the player carries from screen to screen and keeps in a save slot.
#pragma once

#include <cstdint>

struct PlayerRecord {
    int32_t nextLevel = 0;
    int32_t health = 100;
    int32_t lives = 3;
    int32_t score = 0;
    int32_t money = 0;
    int32_t strength = 10;

    // A new game: level 0, full health, no score or money; lives and strength by difficulty
    // (0: 7 and 20, 1: 5 and 10, 2: 3 and 10; any other value leaves them as they are).
    void Reset(int32_t difficulty);
};
