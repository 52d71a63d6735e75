// Resetting the player record for a new game.
#include "core/PlayerRecord.h"

void PlayerRecord::Reset(int32_t difficulty) {
    nextLevel = 0;
    health = 100;
    score = 0;
    money = 0;
    switch (difficulty) {
        case 0:
            lives = 7;
            strength = 20;
            break;
        case 1:
            lives = 5;
            strength = 10;
            break;
        case 2:
            lives = 3;
            strength = 10;
            break;
        default:
            break;
    }
}
