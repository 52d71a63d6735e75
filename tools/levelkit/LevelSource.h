// A level as the designer wrote it: the cell map, the hero's start and finish, objects, enemies, platforms.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace levels {

constexpr int kColumns = 256;
constexpr int kRows = 128;
constexpr int kCell = 16;
constexpr int kSideInset = 20;   // bodies collide only this far in from each side
constexpr int kObjectSize = 32;  // every object's touch box
constexpr int kPlatformWidth = 64;
constexpr int kPlatformHeight = 16;
constexpr int kLevelCount = 8;
constexpr int kMaxEnemyTypes = 10;  // the briefing shows no more
constexpr int kMaxObjectTypes = 50;

struct Point {
    int x = 0;
    int y = 0;
};

// A unit type as the art sources describe it (content/art/units.txt).
struct UnitInfo {
    std::string name;
    int width = 0;
    int height = 0;
    int speed = 0;
    int jump = 0;
    int energy = 0;
    int strength = 0;
    int world = -1;
    bool Flyer() const { return jump == 0; }
};

// What a level may name: unit types with their sizes, object classes and platform kinds.
struct Catalogue {
    UnitInfo hero;
    std::map<std::string, UnitInfo> units;
    std::map<std::string, std::string> objectClasses;  // class -> what it is (the art note)
    std::vector<std::string> platforms;
};

struct Placement {
    std::string type;
    std::vector<Point> route;  // world pixels: the start, then the route points
    char anchor = 0;
    std::string tag;  // names it in messages: the anchor letter, or the map object it came from
    int column = 0;   // the anchor cell
    int row = 0;
    int line = 0;  // source line of the placement, for messages
};

struct ObjectPlacement {
    std::string type;
    Point pos;  // top-left of the 32 x 32 box
    char mark = 0;
    std::string tag;  // empty, or the map object it came from
    int column = 0;
    int row = 0;
};

struct Level {
    int number = 0;
    std::string name;
    std::string source;              // file name, for messages
    std::string note;                // the comment written at the top of the description
    std::vector<std::int8_t> cells;  // kColumns x kRows, column by column: cells[cx * kRows + cy]
    Point start;
    Point finish;
    std::vector<ObjectPlacement> objects;
    std::vector<Placement> enemies;
    std::vector<Placement> platforms;

    bool Solid(int cx, int cy) const {
        if (cx < 0 || cy < 0 || cx >= kColumns || cy >= kRows) return true;
        return cells[static_cast<size_t>(cx) * kRows + cy] != 0;
    }
};

// Reads units.txt and objects.txt of the art sources. False with `error` set on a problem.
bool LoadCatalogue(const std::string& artDir, Catalogue& catalogue, std::string& error);

// Reads one level source (see content/levels/README.md). False with `error` naming file and line.
bool LoadLevelSource(const std::string& path, int number, const Catalogue& catalogue, Level& level, std::string& error);

// The object class a map letter stands for, or empty.
std::string ObjectClassOfMark(char mark);

}  // namespace levels
