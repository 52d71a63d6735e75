// A level as a Tiled map (TMX) with a tileset of its scenery (TSX), and a Tiled map read back into a level.
#pragma once

#include <string>
#include <vector>

#include "LevelSource.h"

namespace levels {

// The layers of a level map, in the order they are written. All six must be there when a map is read.
inline constexpr const char* kCollisionLayer = "collision";
inline constexpr const char* kObjectLayers[] = {"start", "finish", "enemies", "objects", "platforms"};

// What the map shows beside the level itself.
struct MapLook {
    int scenery = 0;               // the scenery set the level is drawn with
    std::string tilesetFile;       // the .tsx beside the map
    std::string backgroundColour;  // "#rrggbb", or empty for none
};

// The scenery tileset's tile (0..14) for a solid cell: the one the game draws there, chosen by which of the
// cell's four neighbours are solid.
int SceneryTileOfCell(const Level& level, int column, int row);

// The map's text. Solid cells are tiles of the scenery tileset; the hero's start and the finish are points
// at his feet (the bottom-left corner of his narrowed body); enemies are polylines of their routes through
// the same corner of their bodies; objects are 32 x 32 rectangles; platforms are polylines of their routes
// through their top-left corners. Types are the objects' types; the level's name and comment are map
// properties.
std::string TiledMapText(const Level& level, const Catalogue& catalogue, const MapLook& look);

// The tileset's text: `tileCount` tiles of 16 x 16 in one row of `picture`, with `transparent` ("rrggbb")
// as the colour that shows nothing.
std::string TilesetText(const std::string& name, const std::string& picture, int tileCount,
                        const std::string& transparent);

// Reads the map at `path` into a level numbered `number` against the types of `catalogue`. Every problem
// with the map's form (size, layers, objects, types, routes) goes to `problems` as "name:line: problem",
// where `name` is how the map is named to the user; the level is only complete when there are none. Its
// play (ground, reach) is left to the level checks, whose messages name the map by `name` too.
void ReadTiledMap(const std::string& path, const std::string& name, int number, const Catalogue& catalogue,
                  Level& level, std::vector<std::string>& problems);

// Reads a map and, when its form is right, checks its play as the level compiler checks a text level
// (ground, routes, reach of the finish and of every object). Units may go into any world here. True when
// `level` is ready to be written.
bool CompileTiledMap(const std::string& path, const std::string& name, int number, const Catalogue& catalogue,
                     Level& level, std::vector<std::string>& problems);

}  // namespace levels
