// A run of the game through every screen and a level, on a copy of the game folder with one thing broken.
#pragma once

#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "GameRun.h"

namespace badinput {

// The game's message texts as the driver reports them (UTF-8).
extern const char kCollisionMessage[];
extern const char kXmlReadMessage[];
extern const char kMenuBackgroundMessage[];
extern const char kBackgroundPictureMessage[];
extern const char kStaticPlanMessage[];
extern const char kStatusIconMessage[];

// In Case::filesAfter: the file's content is left to the case's check.
extern const char kCheckedByCase[];

// The state lines of the tour and the screen each shows.
enum Checkpoint {
    kMenu,
    kLoadGame,
    kAfterLoad,
    kOptions,
    kAbout,
    kTable,
    kBriefing,
    kAfterLevel,
    kBackInMenu,
    kCheckpoints
};

// Main menu, load game (slot 3 chosen), options (each row changed and changed back), about, best
// scores, a new game's briefing, level 0 for 170 frames (standing, running, swinging the club), out
// with Escape, and the quit item, which must end the program.
extern const char kTour[];

// The player's files every case starts with: options with the near layer on and difficulty 1, slot 0
// empty, slots 1..7 saved, a full table of best scores higher than any level can give.
std::map<std::string, std::string> PreparedPlayerFiles();
void WritePlayerFiles(const gamerun::GameCopy& copy, const std::map<std::string, std::string>& files);
// SAVE0..7, Config.dat and Highscore.dat as they are now (nullopt: missing or no plain file).
std::map<std::string, std::optional<std::string>> ReadPlayerFiles(const gamerun::GameCopy& copy);

// Level 0 as a busy place of our own: a floor, the hero on it, one enemy of every unit file, one object
// of every object file and one platform of every platform kind around him; the finish far away.
void WriteBusyLevel(const gamerun::GameCopy& copy);
// A collision file from a cell function (cells in the game's block order, two spare bytes).
std::string CollisionBytes(const std::function<int(int cx, int cy)>& cell);

struct Outcome {
    gamerun::RunResult run;
    std::vector<nlohmann::json> states;
    std::vector<std::string> badLines;  // lines that are not one JSON object with currentState
    std::vector<std::string> messages;  // message boxes, in order
    std::vector<int> Flow() const;      // currentState of each line
    std::string Summary() const;
};

Outcome RunTour(const gamerun::GameCopy& copy, const std::string& script = kTour,
                const gamerun::RunOptions& options = {});

// One broken input and what the game must do with it.
struct Case {
    std::string file;     // what is broken
    std::string variant;  // how
    std::function<void(const gamerun::GameCopy&)> breakIt;
    // Texts that must be shown; any other text must also be shown with nothing broken.
    std::vector<std::string> messages = {};
    // The load-game screen opens slot 3 (its record says level 3).
    bool slotOpens = true;
    // Player files expected to hold these bytes afterwards (nullopt: missing; kCheckedByCase: the case's
    // own check looks at it); the rest must stay as the case left them, except that slot 0 may receive a
    // finished level 0.
    std::map<std::string, std::optional<std::string>> filesAfter = {};
    // Further checks on what happened.
    std::function<void(const Outcome&, const gamerun::GameCopy&)> check = nullptr;
};

// Runs each case on its own copy of the content (with `prepare` applied to it first, and to the copy
// that gives the messages shown with nothing broken), and checks the common rules: the tour ends by
// the quit item with exit code 0, every state line is JSON, the flow is the usual one, the expected
// messages and no unexpected ones are shown, and no player file is lost.
void RunCases(const std::string& group, const std::vector<Case>& cases,
              const std::function<void(const gamerun::GameCopy&)>& prepare = nullptr);

// Bytes for breaking files.
std::string Garbage(size_t size, uint32_t seed);
std::string FirstHalf(const std::string& bytes);
// A PNG that promises width x height in its header (with a correct CRC) but carries no picture data.
std::string PngHeaderOnly(uint32_t width, uint32_t height);
// A whole PNG of one colour.
std::string SolidPicture(int width, int height, uint32_t rgb);

// Prints one line of the table of results (stdout), so a run of the tests shows what each input does.
void Report(const std::string& file, const std::string& variant, const std::string& outcome);

}  // namespace badinput
