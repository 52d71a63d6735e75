// kolvenbrook-check: tells what is wrong in a game folder (with the player's own files over it), one line each.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "FolderCheck.h"
#include "OverlayFolder.h"
#include "platform/GameFolders.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/headless/RecordingMessageBox.h"
#include "platform/sdl/SdlImageDecoder.h"

namespace {

const char kUsage[] =
    "usage: kolvenbrook-check [--solve] [--solve-seconds S] [--json] [--user-dir DIR] [--map MAP.tmx]...\n"
    "                         [GAME_FOLDER]\n"
    "Checks every file the game reads from GAME_FOLDER (default: the game folder this tool was built or\n"
    "installed with), with the files of DIR over it, as the player's own files are: that it is there and\n"
    "decodes, the layout of the pictures, the TEXT and SAMPLE tables, the kinds each level names, the size\n"
    "of the cell maps, that every level's finish and objects can be reached, and the player's settings,\n"
    "saves and best scores where there are any. --solve also plays every\n"
    "level through with the solver (S seconds of search a level, default 300, when its own replay no longer\n"
    "finishes it). --map checks a Tiled map as kolvenbrook-level import would, without writing anything.\n"
    "Prints one line per problem, 'file: problem' (--json: one JSON object), and exits 1 when there is any.\n";

}  // namespace

int main(int argc, char** argv) {
    std::string gameDir = platform::ToolDataDir(KVB_DEFAULT_GAME_DIR);
    std::string userDir;
    bool solve = false;
    bool json = false;
    double seconds = 300.0;
    bool haveFolder = false;
    std::vector<std::string> maps;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--solve") {
            solve = true;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--user-dir" && i + 1 < argc) {
            userDir = argv[++i];
        } else if (arg == "--map" && i + 1 < argc) {
            maps.push_back(argv[++i]);
        } else if (arg == "--solve-seconds" && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (!haveFolder && !arg.empty() && arg[0] != '-') {
            gameDir = arg;
            haveFolder = true;
        } else {
            std::fprintf(stderr, "kolvenbrook-check: unknown argument '%s'\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    std::vector<std::string> mapPaths;
    for (const std::string& map : maps) mapPaths.push_back(std::filesystem::absolute(map).string());
    // Absolute, for the folders are entered one after the other.
    const std::string gameAbs = std::filesystem::absolute(gameDir).string();
    const std::string userAbs = userDir.empty() ? "" : std::filesystem::absolute(userDir).string();
    levels::OverlayFolder folder(gameDir, userDir);
    if (!folder.Ready() || !platform::ChangeToFolder(folder.Root())) {
        std::fprintf(stderr, "kolvenbrook-check: %s\n", folder.Ready() ? gameDir.c_str() : folder.Error().c_str());
        return 2;
    }
    FolderCheck check;
    {
        platform::SdlImageDecoder images;
        platform::RecordingMessageBox messages;
        messages.printToStderr = false;
        platform::Current().images = &images;
        platform::Current().messageBox = &messages;
        check.CheckTables();
        check.CheckLevels();
        check.CheckPictures();
        check.CheckMedia();
        check.CheckPlayerFiles();
        for (size_t i = 0; i < maps.size(); ++i) check.CheckMap(mapPaths[i], maps[i]);
        platform::Current() = platform::Services{};
    }
    std::unique_ptr<levels::OverlayFolder> played;
    if (solve) {
        // Playing writes settings, saves and best scores into the folder played in: a scratch folder of
        // links without the player's own.
        played = std::make_unique<levels::OverlayFolder>(gameAbs, userAbs, true);
        if (!played->Ready() || !platform::ChangeToFolder(played->Root())) {
            std::fprintf(stderr, "kolvenbrook-check: %s\n", played->Error().c_str());
            return 2;
        }
        check.Solve(seconds);
    }
    // Game paths are shown where the file really lies: in the game folder or the player's.
    auto Shown = [&](const Problem& p) {
        if (p.onDisk) return p.path;
        return p.path.empty() ? gameDir : folder.Origin(p.path);
    };

    if (json) {
        nlohmann::json out;
        out["folder"] = gameDir;
        out["userFolder"] = userDir;
        out["problems"] = nlohmann::json::array();
        for (const Problem& p : check.problems) {
            nlohmann::json problem = {{"path", Shown(p)}, {"problem", p.text}};
            // A map's problems name the line: "map.tmx:57".
            const std::string path = problem["path"];
            const size_t colon = path.rfind(':');
            if (p.onDisk && colon != std::string::npos && colon + 1 < path.size() &&
                path.find_first_not_of("0123456789", colon + 1) == std::string::npos) {
                problem["path"] = path.substr(0, colon);
                problem["line"] = std::stoi(path.substr(colon + 1));
            }
            out["problems"].push_back(problem);
        }
        std::cout << out.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) << std::endl;
    } else {
        for (const Problem& p : check.problems) {
            std::cout << Shown(p) << ": " << p.text << "\n";
        }
        std::fprintf(stderr, "kolvenbrook-check: %s: %zu problem%s\n", gameDir.c_str(), check.problems.size(),
                     check.problems.size() == 1 ? "" : "s");
    }
    return check.problems.empty() ? 0 : 1;
}
