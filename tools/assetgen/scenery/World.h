// One scenery set (a world): its colours and shape numbers from content/scenery, and its colour keys.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Canvas.h"

namespace scenery {

// The four scenery sets: levels 2k and 2k + 1 use set 2k.
constexpr int kSets[] = {0, 2, 4, 6};

// Colour keys the game uses for each kind of scenery picture (0x00RRGGBB).
struct Keys {
    uint32_t tile = 0;
    uint32_t decoration = 0;  // branches and artefacts
    uint32_t plan = 0;        // the static plan: must never appear in it
    uint32_t farLayer = 0;
    uint32_t nearLayer = 0;  // also the fall-back piece
    uint32_t platform = 0;   // movable element pictures of the level group
};
Keys KeysOf(int set);

class World {
public:
    int set = 0;
    std::string name;
    Keys keys;

    const Colour& C(const std::string& name) const;  // stops the generator on an unknown name
    double N(const std::string& name) const;
    int I(const std::string& name) const { return int(N(name)); }
    uint64_t Seed(uint64_t salt) const { return uint64_t(N("seed")) * 1000003ull + salt; }

    std::map<std::string, Colour> colours;
    std::map<std::string, double> numbers;
};

// Reads <folder>/worlds.txt: a [common] section and one [set E] section per world. Lines are
// "name = #RRGGBB" or "name = number"; '#' starts a remark line. A world sees the common values
// unless it has its own.
bool LoadWorlds(const std::string& folder, std::vector<World>& out, std::string& error);

}  // namespace scenery
