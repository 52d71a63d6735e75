// Reading the worlds' colours and shape numbers, and the colour keys of each scenery set.
#include "World.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace scenery {

Keys KeysOf(int set) {
    constexpr uint32_t kGreen = 0x374B00;  // RGB(0x37, 0x4B, 0)
    constexpr uint32_t kBrown = 0x432000;  // RGB(0x43, 0x20, 0)
    constexpr uint32_t kOlive = 0x403900;  // RGB(0x40, 0x39, 0)
    Keys k;
    k.plan = kGreen;
    switch (set) {
        case 0:
            k = {kBrown, kGreen, kGreen, kGreen, kGreen, kBrown};
            break;
        case 2:
            k = {0, 0, kGreen, 0, 0xFFFFFF, 0};
            break;
        case 4:
            k = {0, 0, kGreen, 0, 0, 0};
            break;
        case 6:
            k = {kOlive, 0, kGreen, kOlive, kOlive, kOlive};
            break;
        default:
            break;
    }
    return k;
}

const Colour& World::C(const std::string& key) const {
    auto it = colours.find(key);
    if (it == colours.end()) {
        std::fprintf(stderr, "assetgen-scenery: world %d has no colour named '%s'\n", set, key.c_str());
        std::exit(1);
    }
    return it->second;
}

double World::N(const std::string& key) const {
    auto it = numbers.find(key);
    if (it == numbers.end()) {
        std::fprintf(stderr, "assetgen-scenery: world %d has no number named '%s'\n", set, key.c_str());
        std::exit(1);
    }
    return it->second;
}

namespace {

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

}  // namespace

bool LoadWorlds(const std::string& folder, std::vector<World>& out, std::string& error) {
    const std::string path = folder + "/worlds.txt";
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    World common;
    std::map<int, World> worlds;
    World* current = nullptr;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::string t = Trim(line);
        if (t.empty() || t[0] == '#') continue;
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (t.front() == '[' && t.back() == ']') {
            std::string section = Trim(t.substr(1, t.size() - 2));
            if (section == "common") {
                current = &common;
            } else if (section.rfind("set ", 0) == 0) {
                int set = std::atoi(section.c_str() + 4);
                current = &worlds[set];
                current->set = set;
            } else {
                error = where + "unknown section " + section;
                return false;
            }
            continue;
        }
        size_t eq = t.find('=');
        if (eq == std::string::npos || !current) {
            error = where + "expected name = value under a section";
            return false;
        }
        std::string key = Trim(t.substr(0, eq));
        std::string value = Trim(t.substr(eq + 1));
        size_t remark = value.find(" #");
        if (remark != std::string::npos) value = Trim(value.substr(0, remark));
        Colour c;
        if (key == "name") {
            current->name = value;
        } else if (ParseHexColour(value, c)) {
            current->colours[key] = c;
        } else {
            char* end = nullptr;
            double v = std::strtod(value.c_str(), &end);
            if (end == value.c_str() || *end != 0) {
                error = where + "not a colour or a number: " + value;
                return false;
            }
            current->numbers[key] = v;
        }
    }
    for (int set : kSets) {
        auto it = worlds.find(set);
        if (it == worlds.end()) {
            error = path + ": no section [set " + std::to_string(set) + "]";
            return false;
        }
        World w = it->second;
        for (const auto& [k, v] : common.colours) w.colours.emplace(k, v);
        for (const auto& [k, v] : common.numbers) w.numbers.emplace(k, v);
        w.keys = KeysOf(set);
        out.push_back(w);
    }
    return true;
}

}  // namespace scenery
