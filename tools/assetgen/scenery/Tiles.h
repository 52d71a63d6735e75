// The 16x16 tiles of a world: one per neighbour key and variant.
#pragma once

#include <string>

#include "Canvas.h"
#include "World.h"

namespace scenery {

// The fifteen neighbour keys in the game's order ("2" right, "4" below, "6" left, "8" above solid).
extern const char* const kNeighbourKeys[15];
constexpr int kTileVariants = 4;  // the game draws variants 0 to 3 only

Picture MakeTile(const World& world, const std::string& key, int variant);

}  // namespace scenery
