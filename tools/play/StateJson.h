// The driver's JSON picture of the game state: its value type and the parts written per screen and actor.
#pragma once

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class CHero;

namespace play {

// Members keep the order they were written in. The game's positions and speeds are floats, so the
// floating-point numbers print as the shortest text that reads back as the same float.
using Json =
    nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, std::int64_t, std::uint64_t, float>;

// A float of the game: a whole value as an integer, anything else as a number with a fraction.
inline Json Number(float value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15f)
        return static_cast<std::int64_t>(value);
    return value;
}

// The game's Windows-1250 text as a JSON string (UTF-8).
Json Text(const std::string& cp1250);

// The screen on show (main menu, options, load game, briefing, best scores), or null for a level,
// the intro and no screen.
Json ScreenJson();

// The hero's position, motion, state, record and timers.
Json HeroJson(const CHero& hero);

}  // namespace play
