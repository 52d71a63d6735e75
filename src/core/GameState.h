// The screen selector of the game flow.
#pragma once

#include <cstdint>

enum GameState : int32_t {
    MainMenu = 0,
    LoadGame = 1,
    Options = 2,
    About = 3,
    Level = 10,
    Briefing = 11,
    Highscore = 12,
};
