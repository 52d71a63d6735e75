// The checks of a whole game folder: every file the game reads, the layout of its pictures, the tables and the levels.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "LevelSource.h"

struct Problem {
    std::string path;  // game path of the file, with backslashes as the game writes them
    std::string text;
    bool onDisk = false;  // the path is a file's own path (a map's), not a game path
};

// Each check reads the game folder that is the working directory, as the game does, and adds one problem
// per fault it finds. Pictures are decoded through the platform's image service, set up by the caller.
class FolderCheck {
public:
    // Data\Text.xml and Data\Sample.xml, and the SOUND\<name>.WAV of every sample.
    void CheckTables();
    // The level files, the unit, object and platform kinds they name (definitions and pictures), ground,
    // routes and reach.
    void CheckLevels();
    // Scenery of the four sets, platform pictures, the status display, the screens and the font.
    void CheckPictures();
    // Music tracks and the two films.
    void CheckMedia();
    // The player's files, where they exist: Config.dat, the save slots and Highscore.dat.
    void CheckPlayerFiles();
    // A Tiled map as the level tool would compile it: its form, the kinds it names, ground and reach.
    // `path` opens it, `name` names it in the problems.
    void CheckMap(const std::string& path, const std::string& name);
    // Plays every level with the solver, from a new game on, each level from the record the one before
    // ends with. A level's own replay in Replays\ is tried first; a search gets `seconds` per level.
    void Solve(double seconds);

    std::vector<Problem> problems;

private:
    struct PictureRule;
    void Add(const std::string& path, const std::string& text) { problems.push_back({path, text}); }
    // Whether the game file is there; a missing one is noted as a problem.
    bool Present(const std::string& path);
    bool CheckPicture(const std::string& path, const PictureRule& rule);
    void CheckUnit(const std::string& name);
    void CheckObject(const std::string& name);
    void CheckLevel(int number, const levels::Catalogue& catalogue, const std::vector<std::string>& platformKinds);

    std::set<std::string> unitsNamed_;
    std::set<std::string> objectsNamed_;
};
