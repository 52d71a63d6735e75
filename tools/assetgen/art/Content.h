// The readable sources under content/art: palette, unit and object types, texts, sample names.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "Palette.h"

namespace art {

// One unit type: the numbers the game reads from Units\<name>.xml and how to draw it.
struct UnitDef {
    std::string name;       // file name and the type name used in level files
    std::string unitClass;  // folder of the strips; enemies' level placements name it
    std::string art;        // which drawing (caveman, beetle, ...)
    int world = 0;          // scenery set the enemy belongs to (0, 2, 4, 6)
    int speed = 0;
    int jump = 0;  // 0 makes a flyer
    int strength = 0;
    int energy = 1;
    int width = 0;
    int height = 0;
    int moveFrames = 16;
    int turnFrames = 8;
    Colour key{255, 0, 255};
    std::string note;  // one line for the designers' table
};

// The object numbers the game reads, in the order they are written.
extern const char* const kObjectValueNames[11];

struct ObjectDef {
    std::string name;         // file name; level files name the class
    std::string objectClass;  // compared exactly, letter case included
    std::string art;
    std::vector<std::string> artArgs;
    int frames = 16;
    Colour key{255, 0, 255};
    std::map<std::string, int> values;  // LIFE ... CHECKPOINT; absent ones are 0 (PICKABLE 1)
    std::string note;

    int Value(const std::string& name) const;
};

struct Content {
    std::string folder;
    Palette palette;
    std::vector<UnitDef> units;
    std::vector<ObjectDef> objects;
    std::vector<std::string> texts;         // UTF-8, by table position
    std::vector<std::string> englishTexts;  // the same positions in English (the [en] block)
    std::vector<std::string> samples;       // in table order
};

bool LoadContent(const std::string& folder, Content& out, std::string& error);

}  // namespace art
