// assetgen-levels: compiles the level sources in content/levels into the game's level files.
//
//   assetgen-levels <content/levels folder> <game folder>   check and write LevelDescriptions/Level<N>.xml, .dat
//   assetgen-levels --check <game folder>                    check the written levels against the folder's
//                                                            unit, object and platform files
//   assetgen-levels --map <game folder> <N> <out.png> [scale]  a plan of level N as written, with the places
//                                                            the hero can stand in, reached or not
//   assetgen-levels --summary <content/levels folder>        what each level holds
//   assetgen-levels --self-test                              the compiler's checks on made-up levels
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "LevelCheck.h"
#include "LevelReach.h"
#include "LevelSource.h"
#include "LevelWriter.h"
#include "MapPicture.h"
#include "SelfTest.h"

namespace {

using namespace levels;

// Writes the bytes unless the file already holds exactly them; makes the folder when needed.
bool WriteIfChanged(const std::string& path, const std::string& bytes, bool& written) {
    written = false;
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            const std::string old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (old == bytes) return true;
        }
    }
    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    written = static_cast<bool>(out);
    return written;
}

bool MakeFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return !error && std::filesystem::is_directory(path);
}

std::string ArtFolderOf(const std::string& contentDir) {
    return contentDir + "/../art";
}

bool LoadAll(const std::string& contentDir, Catalogue& catalogue, std::vector<Level>& all) {
    std::string error;
    if (!LoadCatalogue(ArtFolderOf(contentDir), catalogue, error)) {
        std::fprintf(stderr, "assetgen-levels: %s\n", error.c_str());
        return false;
    }
    bool ok = true;
    for (int n = 0; n < kLevelCount; ++n) {
        Level level;
        if (!LoadLevelSource(contentDir + "/level" + std::to_string(n) + ".txt", n, catalogue, level, error)) {
            std::fprintf(stderr, "assetgen-levels: %s\n", error.c_str());
            ok = false;
            continue;
        }
        for (const std::string& problem : CheckLevel(level, catalogue)) {
            std::fprintf(stderr, "assetgen-levels: %s\n", problem.c_str());
            ok = false;
        }
        for (const std::string& problem : ReachProblems(level, catalogue)) {
            std::fprintf(stderr, "assetgen-levels: %s\n", problem.c_str());
            ok = false;
        }
        all.push_back(level);
    }
    return ok;
}

int Generate(const std::string& contentDir, const std::string& gameDir) {
    Catalogue catalogue;
    std::vector<Level> all;
    if (!LoadAll(contentDir, catalogue, all)) return 1;
    const std::string folder = gameDir + "/LevelDescriptions";
    if (!MakeFolder(folder)) {
        std::fprintf(stderr, "assetgen-levels: cannot make %s\n", folder.c_str());
        return 1;
    }
    int written = 0;
    for (const Level& level : all) {
        const std::string base = folder + "/Level" + std::to_string(level.number);
        const std::vector<std::uint8_t> dat = LevelDat(level);
        bool a = false;
        bool b = false;
        if (!WriteIfChanged(base + ".xml", LevelXml(level), a) ||
            !WriteIfChanged(base + ".dat", std::string(dat.begin(), dat.end()), b)) {
            std::fprintf(stderr, "assetgen-levels: cannot write %s\n", base.c_str());
            return 1;
        }
        written += (a ? 1 : 0) + (b ? 1 : 0);
    }
    std::printf("assetgen-levels: %d levels, %d files written\n", static_cast<int>(all.size()), written);
    return 0;
}

int Summary(const std::string& contentDir) {
    Catalogue catalogue;
    std::vector<Level> all;
    const bool ok = LoadAll(contentDir, catalogue, all);
    for (const Level& level : all) {
        std::map<std::string, int> objects;
        for (const ObjectPlacement& o : level.objects) objects[o.type] += 1;
        std::map<std::string, int> enemies;
        for (const Placement& e : level.enemies) enemies[e.type] += 1;
        int minColumn = kColumns, maxColumn = 0, minRow = kRows, maxRow = 0;
        for (int cx = 0; cx < kColumns; ++cx) {
            for (int cy = 0; cy < kRows; ++cy) {
                if (!level.Solid(cx, cy)) continue;
                minColumn = std::min(minColumn, cx);
                maxColumn = std::max(maxColumn, cx);
                minRow = std::min(minRow, cy);
                maxRow = std::max(maxRow, cy);
            }
        }
        const int money = objects["SILVERCOIN"] + 5 * objects["GOLDCOIN"];
        std::printf("Level %d %s: cells %d..%d x %d..%d, start %d,%d finish %d,%d, money %d, maces %d\n  enemies:",
                    level.number, level.name.c_str(), minColumn, maxColumn, minRow, maxRow, level.start.x,
                    level.start.y, level.finish.x, level.finish.y, money, objects["MACE"]);
        for (const auto& [type, count] : enemies) std::printf(" %s x%d", type.c_str(), count);
        std::printf("\n  objects:");
        for (const auto& [type, count] : objects) std::printf(" %s x%d", type.c_str(), count);
        std::printf("\n  platforms: %d\n", static_cast<int>(level.platforms.size()));
    }
    return ok ? 0 : 1;
}

int Check(const std::string& gameDir) {
    int problems = 0;
    std::set<std::string> platformNames;
    {
        std::ifstream in(gameDir + "/LevelDescriptions/MovableEl.xml", std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (size_t at = 0; (at = text.find("NAME=\"", at)) != std::string::npos;) {
            const size_t end = text.find('"', at + 6);
            platformNames.insert(text.substr(at + 6, end - at - 6));
            at = end;
        }
        if (platformNames.empty()) {
            std::fprintf(stderr, "assetgen-levels: no platform kinds in LevelDescriptions/MovableEl.xml\n");
            ++problems;
        }
    }
    for (int n = 0; n < kLevelCount; ++n) {
        Level level;
        Catalogue catalogue;
        std::vector<std::string> missing;
        std::string error;
        if (!ReadGameLevel(gameDir, n, level, catalogue, missing, error)) {
            std::fprintf(stderr, "assetgen-levels: %s\n", error.c_str());
            ++problems;
            continue;
        }
        for (const std::string& file : missing) {
            std::fprintf(stderr, "assetgen-levels: level %d needs %s, which is missing\n", n, file.c_str());
            ++problems;
        }
        std::set<std::string> objectTypes;
        for (const ObjectPlacement& o : level.objects) {
            objectTypes.insert(o.type);
            std::ifstream in(gameDir + "/Objects/" + o.type + ".xml");
            if (in) catalogue.objectClasses[o.type] = o.type;
        }
        for (const std::string& type : objectTypes) {
            if (!catalogue.objectClasses.count(type)) {
                std::fprintf(stderr, "assetgen-levels: level %d needs Objects/%s.xml, which is missing\n", n,
                             type.c_str());
                ++problems;
            }
        }
        for (const Placement& p : level.platforms) {
            if (!platformNames.count(p.type)) {
                std::fprintf(stderr, "assetgen-levels: level %d names platform kind %s, not in MovableEl.xml\n", n,
                             p.type.c_str());
                ++problems;
            }
        }
        // The unit sizes of the folder decide; a unit of another world is fine here (the source check
        // already holds the levels to their worlds).
        for (auto& [name, unit] : catalogue.units) unit.world = WorldOfLevel(n);
        if (missing.empty()) {
            for (const std::string& problem : CheckLevel(level, catalogue)) {
                if (problem.find("unknown object") != std::string::npos) continue;
                std::fprintf(stderr, "assetgen-levels: %s\n", problem.c_str());
                ++problems;
            }
        }
    }
    if (problems == 0) std::printf("assetgen-levels: all %d levels check out\n", kLevelCount);
    return problems == 0 ? 0 : 1;
}

int Map(const std::string& gameDir, int number, const std::string& out, int scale) {
    Level level;
    Catalogue catalogue;
    std::vector<std::string> missing;
    std::string error;
    if (!ReadGameLevel(gameDir, number, level, catalogue, missing, error)) {
        std::fprintf(stderr, "assetgen-levels: %s\n", error.c_str());
        return 1;
    }
    for (const std::string& file : missing) std::fprintf(stderr, "assetgen-levels: missing %s\n", file.c_str());
    const ReachResult reach = CheckReach(level, catalogue);
    std::printf("level %d: %d places to stand, %d reached from the start, finish %s\n", number, reach.places,
                reach.reached, reach.finishReached ? "reached" : "NOT reached");
    if (!WriteMapPicture(level, catalogue, scale, out, &reach.placeMap)) {
        std::fprintf(stderr, "assetgen-levels: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}

void Usage() {
    std::fputs(
        "usage: assetgen-levels <content/levels folder> <game folder>\n"
        "       assetgen-levels --check <game folder>\n"
        "       assetgen-levels --map <game folder> <level 0-7> <out.png> [pixels per cell, default 4]\n"
        "       assetgen-levels --summary <content/levels folder>\n"
        "       assetgen-levels --self-test\n",
        stderr);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--check") return Check(args[1]);
    if (args.size() == 2 && args[0] == "--summary") return Summary(args[1]);
    if (args.size() == 1 && args[0] == "--self-test") return RunSelfTest();
    if ((args.size() == 4 || args.size() == 5) && args[0] == "--map") {
        const int n = std::atoi(args[2].c_str());
        const int scale = args.size() == 5 ? std::atoi(args[4].c_str()) : 4;
        if (n < 0 || n >= kLevelCount || scale < 1 || scale > 16) {
            Usage();
            return 2;
        }
        return Map(args[1], n, args[3], scale);
    }
    if (args.size() == 2 && args[0][0] != '-') return Generate(args[0], args[1]);
    Usage();
    return 2;
}
