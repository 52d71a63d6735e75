// Writing the tiles of a world.
#include "Generators.h"
#include "Paths.h"
#include "Tiles.h"

namespace scenery {

bool WriteTiles(const World& world, GameFolder& out) {
    for (const char* key : kNeighbourKeys) {
        for (int v = 0; v < kTileVariants; ++v) {
            if (!out.WritePng(TilePath(world.set, key, v), MakeTile(world, key, v))) return false;
        }
    }
    return true;
}

}  // namespace scenery
