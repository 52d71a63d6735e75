// A plan of a whole level as a picture, and reading a level back from a game folder.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "LevelSource.h"

namespace levels {

// Reads LevelDescriptions/Level<N>.xml and .dat of a game folder (as the game would find them) into
// `level`. Sizes of the units come from the folder's Units/<name>.xml; missing types are listed in
// `missing`. False with `error` set when the files cannot be read.
bool ReadGameLevel(const std::string& gameDir, int number, Level& level, Catalogue& catalogue,
                   std::vector<std::string>& missing, std::string& error);

// Draws the level at `scale` pixels per cell: ground, objects, enemies with their routes, platforms
// with theirs, the hero's start and the finish; a faint mark every 10 cells for finding coordinates.
// `placeMap` (optional, from CheckReach) marks places to stand: green reached, red out of reach.
bool WriteMapPicture(const Level& level, const Catalogue& catalogue, int scale, const std::string& path,
                     const std::vector<char>* placeMap = nullptr);

}  // namespace levels
