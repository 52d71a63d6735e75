// Reading a level, and the kinds of things a level may name, back from a game folder with the game's own readers.
#pragma once

#include <string>
#include <vector>

#include "LevelSource.h"

namespace levels {

// Both functions read the game folder that is the working directory, as the game does, and decode
// pictures through the platform's image service, which the caller sets up.

// The hero, every unit of Units\, the object types of Objects\ and the platform kinds of
// LevelDescriptions\MovableEl.xml. Sizes are the ones the game plays with: a unit's box is its MAXSIZE,
// raised to its tallest walking frame. No unit is tied to a world here. What stops a level from being
// checked at all (no hero, a unit without a size) goes to `problems` as "path: problem".
Catalogue FolderCatalogue(std::vector<std::string>& problems);

// Reads LevelDescriptions\Level<N>.xml and .dat into `level`: its name, its comment (into `note`) and its
// placements, with the cells of the placements worked out from the catalogue's sizes. Enemies of types the
// catalogue lacks keep their route but stand in no cell. False with `error` ("path: problem") when the files
// are missing or the cell map has the wrong size.
bool ReadFolderLevel(int number, const Catalogue& catalogue, Level& level, std::string& error);

// The game paths of a level's two files.
std::string LevelXmlPath(int number);
std::string LevelDatPath(int number);

// The names of the files in a folder of the game folder whose names end in `extension` (any letter case),
// without it, sorted.
std::vector<std::string> FolderFileNames(const std::string& gameFolder, const std::string& extension);

}  // namespace levels
