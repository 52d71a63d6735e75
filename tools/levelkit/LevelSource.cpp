// Reading the level sources and the unit and object lists of the art sources they refer to.
#include "LevelSource.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace levels {

std::string ObjectClassOfMark(char mark);

namespace {

std::string Trim(const std::string& s) {
    size_t a = 0;
    size_t b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t' || s[a] == '\r')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r')) --b;
    return s.substr(a, b - a);
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines, std::string& error) {
    std::ifstream file(path);
    if (!file) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return true;
}

// The [name] blocks of an art list with their "key = value" lines.
using Blocks = std::vector<std::pair<std::string, std::map<std::string, std::string>>>;

bool ReadBlocks(const std::string& path, Blocks& blocks, std::string& error) {
    std::vector<std::string> lines;
    if (!ReadLines(path, lines, error)) return false;
    for (const std::string& raw : lines) {
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            blocks.push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos || blocks.empty()) continue;
        blocks.back().second[Trim(line.substr(0, eq))] = Trim(line.substr(eq + 1));
    }
    return true;
}

int NumberOr(const std::map<std::string, std::string>& values, const std::string& key, int fallback) {
    auto it = values.find(key);
    return it == values.end() ? fallback : std::atoi(it->second.c_str());
}

struct MarkClass {
    char mark;
    const char* objectClass;
};

// Lower-case letters of the map that stand for objects.
const MarkClass kObjectMarks[] = {
    {'c', "SILVERCOIN"}, {'g', "GOLDCOIN"}, {'h', "HEALTH10"},   {'r', "HEALTH30"}, {'m', "MACE"}, {'b', "BERRIES"},
    {'a', "AMBER"},      {'e', "EGG"},      {'k', "CHECKPOINT"}, {'j', "jumper"},   {'x', "mine"},
};

// Anchors name the cells where enemies and platforms start: capitals, digits and the small letters
// that do not stand for objects.
bool IsAnchor(char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return c >= 'a' && c <= 'z' && ObjectClassOfMark(c).empty();
}

// "dx" or "dx,dy" in cells.
bool ParseOffset(const std::string& token, Point& offset) {
    char* end = nullptr;
    offset.x = static_cast<int>(std::strtol(token.c_str(), &end, 10));
    if (end == token.c_str()) return false;
    offset.y = 0;
    if (*end == ',') {
        const char* start = end + 1;
        offset.y = static_cast<int>(std::strtol(start, &end, 10));
        if (end == start) return false;
    }
    return *end == '\0';
}

// Top-left of a body standing with the bottom of its narrowed box in the given cell: its left edge
// at the cell's left edge and its lowest pixel row the cell's lowest, so it rests on what lies below.
Point BodyInCell(int column, int row, int height) {
    return Point{kCell * column - kSideInset, kCell * (row + 1) - 1 - height};
}

}  // namespace

std::string ObjectClassOfMark(char mark) {
    for (const MarkClass& m : kObjectMarks) {
        if (m.mark == mark) return m.objectClass;
    }
    return {};
}

bool LoadCatalogue(const std::string& artDir, Catalogue& catalogue, std::string& error) {
    Blocks units;
    if (!ReadBlocks(artDir + "/units.txt", units, error)) return false;
    for (const auto& [name, values] : units) {
        UnitInfo info;
        info.name = name;
        std::istringstream size(values.count("size") ? values.at("size") : "");
        size >> info.width >> info.height;
        info.speed = NumberOr(values, "speed", 0);
        info.jump = NumberOr(values, "jump", 0);
        info.energy = NumberOr(values, "energy", 0);
        info.strength = NumberOr(values, "strength", 0);
        info.world = NumberOr(values, "world", -1);
        if (info.width <= 0 || info.height <= 0) {
            error = "units.txt: [" + name + "] has no size";
            return false;
        }
        if (name == "hero") {
            catalogue.hero = info;
        } else {
            catalogue.units[name] = info;
        }
    }
    if (catalogue.hero.name.empty()) {
        error = "units.txt has no [hero]";
        return false;
    }
    Blocks objects;
    if (!ReadBlocks(artDir + "/objects.txt", objects, error)) return false;
    for (const auto& [name, values] : objects) {
        auto it = values.find("class");
        if (it == values.end() || it->second != name) {
            error = "objects.txt: [" + name + "] must have its own name as its class";
            return false;
        }
        catalogue.objectClasses[name] = values.count("note") ? values.at("note") : name;
    }
    // The platform kinds the scenery draws for every world (LevelDescriptions\MovableEl.xml).
    catalogue.platforms = {"platforma", "pien", "kra", "bazalt"};
    return true;
}

bool LoadLevelSource(const std::string& path, int number, const Catalogue& catalogue, Level& level,
                     std::string& error) {
    std::vector<std::string> lines;
    if (!ReadLines(path, lines, error)) return false;
    const std::string file = path.substr(path.find_last_of('/') + 1);
    level = Level{};
    level.number = number;
    level.source = file;
    level.note = "Level " + std::to_string(number) + ", made by assetgen-levels from content/levels/" + file +
                 "; edit the source, not this file.";
    level.cells.assign(static_cast<size_t>(kColumns) * kRows, 0);
    auto fail = [&](size_t line, const std::string& message) {
        error = file + ":" + std::to_string(line + 1) + ": " + message;
        return false;
    };

    enum class Section { Header, Map, Actors } section = Section::Header;
    int originColumn = 0;
    int originRow = 0;
    int mapRow = 0;
    bool haveStart = false;
    bool haveFinish = false;
    std::map<char, std::pair<int, int>> anchors;  // anchor -> cell
    std::map<char, bool> anchorUsed;

    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string& raw = lines[n];
        if (!raw.empty() && raw[0] == '[') {
            const std::string tag = Trim(raw);
            if (tag == "[map]") {
                section = Section::Map;
            } else if (tag == "[actors]") {
                section = Section::Actors;
            } else {
                return fail(n, "unknown section " + tag);
            }
            continue;
        }
        if (section == Section::Header) {
            const std::string line = Trim(raw);
            if (line.empty() || line[0] == '#') continue;
            const size_t eq = line.find('=');
            if (eq == std::string::npos) return fail(n, "expected key = value");
            const std::string key = Trim(line.substr(0, eq));
            const std::string value = Trim(line.substr(eq + 1));
            if (key == "name") {
                for (char c : value) {
                    if (c == ' ' || c == '"' || c == '<' || c == '>' || static_cast<unsigned char>(c) < 0x21) {
                        return fail(n, "the name must be one word of plain characters");
                    }
                }
                level.name = value;
            } else if (key == "origin") {
                std::istringstream in(value);
                if (!(in >> originColumn >> originRow) || originColumn < 0 || originRow < 0) {
                    return fail(n, "origin needs a column and a row");
                }
            } else {
                return fail(n, "unknown key " + key);
            }
            continue;
        }
        if (section == Section::Map) {
            const int cy = originRow + mapRow;
            if (Trim(raw).empty() && raw.empty()) continue;  // blank lines around the map
            if (cy >= kRows) return fail(n, "the map is more than 128 rows tall");
            for (size_t i = 0; i < raw.size(); ++i) {
                const char c = raw[i];
                const int cx = originColumn + static_cast<int>(i);
                if (c == ' ' || c == '.' || c == '~') continue;
                if (cx >= kColumns) return fail(n, "the map is more than 256 columns wide");
                if (c == '#') {
                    level.cells[static_cast<size_t>(cx) * kRows + cy] = 1;
                } else if (c == '@' || c == '*') {
                    bool& have = c == '@' ? haveStart : haveFinish;
                    if (have) return fail(n, std::string("a second ") + c);
                    have = true;
                    (c == '@' ? level.start : level.finish) = BodyInCell(cx, cy, catalogue.hero.height);
                } else if (!ObjectClassOfMark(c).empty()) {
                    ObjectPlacement object;
                    object.type = ObjectClassOfMark(c);
                    object.pos = Point{kCell * cx, kCell * (cy + 1) - kObjectSize};
                    object.mark = c;
                    object.column = cx;
                    object.row = cy;
                    level.objects.push_back(object);
                } else if (IsAnchor(c)) {
                    if (anchors.count(c)) return fail(n, std::string("anchor ") + c + " used twice");
                    anchors[c] = {cx, cy};
                } else {
                    return fail(n, std::string("unknown map character '") + c + "'");
                }
            }
            ++mapRow;
            continue;
        }
        // Actors: "<anchor> <type> <offset>..." with offsets in cells from the anchor.
        std::string line = raw;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line = line.substr(0, hash);
        line = Trim(line);
        if (line.empty()) continue;
        std::istringstream words(line);
        std::string anchorWord;
        std::string type;
        words >> anchorWord >> type;
        if (anchorWord.size() != 1 || !IsAnchor(anchorWord[0])) return fail(n, "an actor starts with its anchor");
        const char anchor = anchorWord[0];
        if (!anchors.count(anchor)) return fail(n, std::string("anchor ") + anchor + " is not on the map");
        if (anchorUsed[anchor]) return fail(n, std::string("anchor ") + anchor + " has two actors");
        anchorUsed[anchor] = true;
        const auto [cx, cy] = anchors[anchor];
        Placement placement;
        placement.type = type;
        placement.anchor = anchor;
        placement.tag = std::string(1, anchor);
        placement.column = cx;
        placement.row = cy;
        placement.line = static_cast<int>(n + 1);
        std::vector<Point> offsets;
        std::string token;
        while (words >> token) {
            Point offset;
            if (!ParseOffset(token, offset)) return fail(n, "bad route offset '" + token + "'");
            offsets.push_back(offset);
        }
        if (offsets.empty()) return fail(n, "a route needs at least one point after the start");
        const bool platform =
            std::find(catalogue.platforms.begin(), catalogue.platforms.end(), type) != catalogue.platforms.end();
        if (platform) {
            const Point origin{kCell * cx, kCell * cy};
            placement.route.push_back(origin);
            for (const Point& o : offsets) placement.route.push_back({origin.x + kCell * o.x, origin.y + kCell * o.y});
            level.platforms.push_back(placement);
            continue;
        }
        auto unit = catalogue.units.find(type);
        if (unit == catalogue.units.end()) return fail(n, "no enemy or platform called '" + type + "'");
        const Point origin = BodyInCell(cx, cy, unit->second.height);
        placement.route.push_back(origin);
        for (const Point& o : offsets) {
            if (!unit->second.Flyer() && o.y != 0) return fail(n, "a walker's route stays on its row");
            placement.route.push_back({origin.x + kCell * o.x, origin.y + kCell * o.y});
        }
        level.enemies.push_back(placement);
    }
    if (!haveStart) return fail(lines.size() - 1, "the map has no hero start '@'");
    if (!haveFinish) return fail(lines.size() - 1, "the map has no finish '*'");
    for (const auto& [anchor, cell] : anchors) {
        if (!anchorUsed[anchor]) {
            error = file + ": anchor " + std::string(1, anchor) + " has no actor";
            return false;
        }
    }
    if (level.name.empty()) {
        error = file + ": no name";
        return false;
    }
    return true;
}

}  // namespace levels
