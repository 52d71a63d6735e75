// The parts of the scenery generator: each writes its files for one world into the game folder.
#pragma once

#include <vector>

#include "Toolkit.h"
#include "World.h"

namespace scenery {

bool WriteTiles(const World& world, GameFolder& out);
bool WriteBranches(const World& world, GameFolder& out);
bool WriteArtefacts(const World& world, GameFolder& out);
bool WriteBackdrops(const World& world, GameFolder& out);
// MovableEl.xml and every platform picture of every level group.
bool WritePlatforms(const std::vector<World>& worlds, GameFolder& out);

// Checks a generated game folder; prints each problem and returns their number.
int CheckScenery(const std::string& gameDir);

}  // namespace scenery
