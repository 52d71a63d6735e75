// The hero's part of the driver's JSON picture of the game state.
#include "StateJson.h"
#include "actors/Hero.h"

namespace play {

Json HeroJson(const CHero& hero) {
    return {{"x", hero.x},
            {"y", hero.y},
            {"vx", Number(hero.vx)},
            {"vy", Number(hero.vy)},
            {"state", hero.state},
            {"animIndex", hero.animIndex},
            {"onStep", hero.onStep},
            {"facing", hero.facing},
            {"health", hero.health},
            {"lives", hero.lives},
            {"score", hero.score},
            {"money", hero.money},
            {"strength", hero.strength},
            {"hurtTimer", hero.hurtTimer},
            {"levelEndTimer", hero.levelEndTimer},
            {"gameOverTimer", hero.gameOverTimer},
            {"dead", hero.dead},
            {"respawnX", hero.respawnX},
            {"respawnY", hero.respawnY}};
}

}  // namespace play
