// Checks that a level can be played as written: bodies in free space, things on the ground, known names.
#pragma once

#include <string>
#include <vector>

#include "LevelSource.h"

namespace levels {

// True when the box (x, y, w, h) touches solid cells or the world's edge, as the game tests a body:
// narrowed by 20 pixels at each side, its bottom row being the pixel row y + h. The whole box is
// tested, not only its outline, so nothing is hidden inside a body either.
bool BoxSolid(const Level& level, int x, int y, int w, int h);

// True when the plain rectangle (no narrowing) covers a solid cell or leaves the world.
bool RectSolid(const Level& level, int x, int y, int w, int h);

// Every problem found, one line each; empty when the level is fine.
std::vector<std::string> CheckLevel(const Level& level, const Catalogue& catalogue);

// The scenery set (world) of a level.
inline int WorldOfLevel(int number) {
    return number - number % 2;
}

}  // namespace levels
