// The compiler's own test: small made-up levels that each break one rule must be refused for it, and a
// good one must pass and be written in the game's cell order.
#include "SelfTest.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "LevelCheck.h"
#include "LevelReach.h"
#include "LevelSource.h"
#include "LevelWriter.h"

namespace levels {

namespace {

Catalogue TestCatalogue() {
    Catalogue c;
    c.hero = UnitInfo{"hero", 56, 60, 8, 13, 100, 10, -1};
    c.units["ZUK"] = UnitInfo{"ZUK", 48, 32, 1, 1, 4, 5, 0};
    c.units["PTERO"] = UnitInfo{"PTERO", 80, 56, 2, 0, 10, 10, 0};
    c.units["PAJAK"] = UnitInfo{"PAJAK", 64, 40, 2, 1, 14, 12, 2};
    for (const char* name : {"SILVERCOIN", "GOLDCOIN", "HEALTH10", "HEALTH30", "MACE", "BERRIES", "AMBER", "EGG",
                             "CHECKPOINT", "jumper", "mine"}) {
        c.objectClasses[name] = name;
    }
    c.platforms = {"platforma", "pien", "kra", "bazalt"};
    return c;
}

// A flat meadow 40 cells wide at row 12 (ground rows 12..14), the start on its left, the finish on its
// right; `extra` map lines replace rows from row 0 on, `actors` is the actor section.
std::string Meadow(const std::vector<std::string>& rows, const std::string& actors) {
    std::vector<std::string> map(15, std::string(40, '.'));
    for (int r = 12; r < 15; ++r) map[r] = std::string(40, '#');
    map[11][4] = '@';
    map[11][34] = '*';
    for (size_t r = 0; r < rows.size() && r < map.size(); ++r) {
        for (size_t c = 0; c < rows[r].size() && c < 40; ++c) {
            if (rows[r][c] != ' ') map[r][c] = rows[r][c];
        }
    }
    std::string text = "name = Test\norigin = 2 2\n[map]\n";
    for (const std::string& line : map) text += line + "\n";
    return text + "[actors]\n" + actors;
}

struct Case {
    const char* what;
    std::string source;
    const char* expected;  // part of the message; empty for a level that must pass
};

}  // namespace

int RunSelfTest() {
    const Catalogue catalogue = TestCatalogue();
    const std::string blank(40, ' ');
    auto row = [&](int column, const std::string& s) {
        std::string r = blank;
        r.replace(static_cast<size_t>(column), s.size(), s);
        return r;
    };
    // Overlay rows: a blank leaves the meadow's cell, any other character replaces it.
    auto rows = [&](std::initializer_list<std::pair<int, std::string>> lines) {
        std::vector<std::string> out(15, blank);
        for (const auto& [r, text] : lines) out[static_cast<size_t>(r)] = text;
        return out;
    };
    const std::vector<Case> cases = {
        {"a good level", Meadow({}, ""), ""},
        {"an unknown character", Meadow(rows({{10, row(10, "?")}}), ""), "unknown map character"},
        {"an anchor without an actor", Meadow(rows({{11, row(10, "A")}}), ""), "has no actor"},
        {"an actor without an anchor", Meadow({}, "A ZUK 4\n"), "is not on the map"},
        {"two starts", Meadow(rows({{11, row(8, "@")}}), ""), "a second @"},
        {"the start in the air", Meadow(rows({{5, row(4, "@")}, {11, row(4, ".")}}), ""), "not on the ground"},
        {"a coin inside the ground", Meadow(rows({{12, row(20, "c")}}), ""), "overlaps the ground"},
        {"a mine in the air", Meadow(rows({{7, row(10, "x")}}), ""), "does not stand on the ground"},
        {"a coin too high to jump for", Meadow(rows({{1, row(10, "c")}}), ""), "out of the hero's reach"},
        {"a coin at the top of a jump", Meadow(rows({{6, row(10, "c")}}), ""), ""},
        {"a walker off its ground", Meadow(rows({{11, row(10, "A")}, {12, row(16, "...")}}), "A ZUK 8\n"),
         "walk off its ground"},
        {"a walker into a wall",
         Meadow(rows({{10, row(0, "#")}, {11, row(0, "#").replace(10, 1, "A")}}), "A ZUK -12\n"),
         "runs into the ground"},
        {"a walker moving up and down", Meadow(rows({{11, row(10, "A")}}), "A ZUK 4,-2\n"), "stays on its row"},
        {"an enemy of another world", Meadow(rows({{11, row(10, "A")}}), "A PAJAK 4\n"), "does not belong"},
        {"a flyer into the ground", Meadow(rows({{8, row(10, "A")}}), "A PTERO 0,6\n"), "runs into the ground"},
        {"a platform into the ground", Meadow(rows({{9, row(10, "P")}}), "P pien 0,4\n"), "hits the ground"},
        {"an unknown platform kind", Meadow(rows({{9, row(10, "P")}}), "P plank 4\n"), "no enemy or platform"},
        {"a wall too high to climb",
         Meadow(rows({{4, row(20, "##")},
                      {5, row(20, "##")},
                      {6, row(20, "##")},
                      {7, row(20, "##")},
                      {8, row(20, "##")},
                      {9, row(20, "##")},
                      {10, row(20, "##")},
                      {11, row(20, "##")}}),
                ""),
         "finish cannot be reached"},
        {"a wall four cells high",
         Meadow(rows({{8, row(20, "##")}, {9, row(20, "##")}, {10, row(20, "##")}, {11, row(20, "##")}}), ""), ""},
        {"a pit too wide to jump",
         Meadow(rows({{12, row(12, std::string(20, '.'))},
                      {13, row(12, std::string(20, '.'))},
                      {14, row(12, std::string(20, '.'))}}),
                ""),
         "finish cannot be reached"},
    };
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "assetgen-levels-selftest";
    std::filesystem::create_directories(folder);
    int failures = 0;
    for (const Case& c : cases) {
        const std::string path = (folder / "level0.txt").string();
        std::ofstream(path) << c.source;
        Level level;
        std::string error;
        std::vector<std::string> problems;
        if (!LoadLevelSource(path, 0, catalogue, level, error)) {
            problems.push_back(error);
        } else {
            problems = CheckLevel(level, catalogue);
            const ReachResult reach = CheckReach(level, catalogue);
            if (!reach.finishReached) problems.push_back("the finish cannot be reached");
            if (!reach.objectsOutOfReach.empty()) problems.push_back("an object is out of the hero's reach");
        }
        std::string all;
        for (const std::string& p : problems) all += p + "; ";
        const bool expectFine = std::string(c.expected).empty();
        const bool ok = expectFine ? problems.empty() : all.find(c.expected) != std::string::npos;
        std::printf("%s: %s%s%s\n", ok ? "ok" : "FAILED", c.what, all.empty() ? "" : " -> ", all.c_str());
        if (!ok) ++failures;
    }

    // The cell order of the game's files: cell (cx, cy) is byte 256 (8 (cx / 16) + cy / 16) + 16 (cx mod 16) +
    // cy mod 16, and the file has two bytes more than cells.
    Level level;
    level.cells.assign(static_cast<size_t>(kColumns) * kRows, 0);
    level.cells[static_cast<size_t>(17) * kRows + 21] = 1;
    const std::vector<std::uint8_t> dat = LevelDat(level);
    const size_t expectedIndex = 256 * (8 * 1 + 1) + 16 * 1 + 5;
    const bool orderOk = dat.size() == 32770 && dat[expectedIndex] == 1 && std::count(dat.begin(), dat.end(), 1) == 1;
    std::printf("%s: cell 17,21 is byte %zu of a 32770-byte file\n", orderOk ? "ok" : "FAILED", expectedIndex);
    if (!orderOk) ++failures;

    std::filesystem::remove_all(folder);
    std::printf("%d passed, %d failed\n", static_cast<int>(cases.size()) + 1 - failures, failures);
    return failures == 0 ? 0 : 1;
}

}  // namespace levels
