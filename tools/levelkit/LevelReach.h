// A rough test that the finish can be reached: where can the hero stand, and where can he get from there.
#pragma once

#include <string>
#include <vector>

#include "LevelSource.h"

namespace levels {

struct ReachResult {
    bool finishReached = false;
    int places = 0;   // cells the hero can stand in
    int reached = 0;  // of them, those he can get to from the start
    // When the finish is out of reach: the reached place nearest to it.
    int nearestColumn = 0;
    int nearestRow = 0;
    // Per cell (column by column): 0 nowhere to stand, 1 a place out of reach, 2 a place reached.
    std::vector<char> placeMap;
    // Objects no reached place touches, standing or at the top of a jump (indexes into level.objects).
    std::vector<size_t> objectsOutOfReach;
};

// Walks, single-cell steps, falls, jumps of up to five cells up (about twelve across), jumpers and rides
// on platforms, from the start. Generous on purpose: it finds levels that cannot be finished, not the
// ones that are merely hard; the solver and the replays settle the rest.
ReachResult CheckReach(const Level& level, const Catalogue& catalogue);

// The reach test's findings as messages, one per object out of reach and one for an unreachable finish;
// empty when everything can be reached.
std::vector<std::string> ReachProblems(const Level& level, const Catalogue& catalogue);

}  // namespace levels
