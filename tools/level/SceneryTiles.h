// The scenery tileset's picture: a scenery set's ground pictures, one tile per neighbour key.
#pragma once

#include <string>

namespace levels {

struct SceneryTiles {
    std::string transparent;  // "rrggbb": the set's colour key, which Tiled shows as nothing
    std::string background;   // "#rrggbb": the average colour of the set's sky, empty without one
    int tileCount = 0;
};

// Writes the 15 ground pictures of scenery set `scenery` (variant 0 of each key, in the order of the keys)
// as one row of 16 x 16 tiles into a PNG. A picture the folder lacks becomes a plain brown tile. Reads the
// game folder that is the working directory; false when the PNG cannot be written.
bool WriteSceneryTiles(int scenery, const std::string& pngPath, SceneryTiles& tiles);

}  // namespace levels
