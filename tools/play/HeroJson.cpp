// The hero's part of the driver's JSON picture of the game state.
#include <sstream>

#include "Driver.h"
#include "actors/Hero.h"

void AppendHero(std::ostringstream& json, const CHero& hero) {
    // State names are plain capital letters; nothing in them needs escaping.
    json << "\"hero\":{\"x\":" << hero.x << ",\"y\":" << hero.y << ",\"vx\":" << hero.vx << ",\"vy\":" << hero.vy
         << ",\"state\":\"" << hero.state << "\",\"animIndex\":" << hero.animIndex << ",\"onStep\":" << hero.onStep
         << ",\"facing\":" << hero.facing << ",\"health\":" << hero.health << ",\"lives\":" << hero.lives
         << ",\"score\":" << hero.score << ",\"money\":" << hero.money << ",\"strength\":" << hero.strength
         << ",\"hurtTimer\":" << hero.hurtTimer << ",\"levelEndTimer\":" << hero.levelEndTimer
         << ",\"gameOverTimer\":" << hero.gameOverTimer << ",\"dead\":" << (hero.dead ? "true" : "false")
         << ",\"respawnX\":" << hero.respawnX << ",\"respawnY\":" << hero.respawnY << "}";
}
