// kolvenbrook-level: a game folder's level as a Tiled map, a Tiled map compiled into a game folder, and a
// quick try of a map in the game.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "FolderLevel.h"
#include "LevelCheck.h"
#include "LevelWriter.h"
#include "OverlayFolder.h"
#include "SceneryTiles.h"
#include "TiledMap.h"
#include "platform/Files.h"
#include "platform/GameFolders.h"
#include "platform/Platform.h"
#include "platform/headless/RecordingMessageBox.h"
#include "platform/sdl/SdlImageDecoder.h"

namespace fs = std::filesystem;
using namespace levels;

namespace {

const char kUsage[] =
    "usage: kolvenbrook-level export GAME_FOLDER N OUT_DIR [--user-dir DIR]\n"
    "       kolvenbrook-level import MAP.tmx N [DIR] [--data GAME_FOLDER]\n"
    "       kolvenbrook-level play MAP.tmx N [DIR] [--data GAME_FOLDER]\n"
    "export: writes OUT_DIR/level<N>.tmx and its scenery tileset (scenery<E>.tsx, scenery<E>.png) for\n"
    "        level N (0..7) of the game folder, with the player's files of --user-dir laid over it.\n"
    "import: checks the map as the level compiler checks a level and writes LevelDescriptions/Level<N>.xml\n"
    "        and Level<N>.dat into DIR (default: the player's folder, $XDG_DATA_HOME/kolvenbrook). Unit,\n"
    "        object and platform kinds come from DIR if it is a whole game folder, else from --data (default:\n"
    "        the game folder this tool was built or installed with), with DIR's own files over them.\n"
    "play:   import, then start the game straight in level N.\n"
    "Problems are printed one a line, 'file: problem'; the exit code is then 1.\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
}

// The player's own folder, where the game looks for files of its own over the installed ones.
bool ParseLevelNumber(const std::string& text, int& number) {
    if (text.size() != 1 || text[0] < '0' || text[0] >= '0' + kLevelCount) return false;
    number = text[0] - '0';
    return true;
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
    return platform::WriteFileAtomic(path.string(), bytes.data(), bytes.size());
}

// The game folder's pictures are decoded through the platform's image service; messages of the game's
// readers are kept out of the way.
struct ToolServices {
    platform::SdlImageDecoder images;
    platform::RecordingMessageBox messages;
    ToolServices() {
        messages.printToStderr = false;
        platform::Current().images = &images;
        platform::Current().messageBox = &messages;
    }
    ~ToolServices() { platform::Current() = platform::Services{}; }
};

int Export(const std::string& gameDir, int number, const std::string& outDir, const std::string& userDir) {
    const fs::path out = fs::absolute(outDir);
    OverlayFolder folder(gameDir, userDir);
    if (!folder.Ready()) return Fail(folder.Error());
    if (!platform::ChangeToFolder(folder.Root())) return Fail(gameDir + ": cannot enter the folder");
    ToolServices services;
    std::vector<std::string> problems;
    const Catalogue catalogue = FolderCatalogue(problems);
    Level level;
    std::string error;
    if (!ReadFolderLevel(number, catalogue, level, error)) problems.push_back(error);
    for (const Placement& e : level.enemies) {
        if (!catalogue.units.count(e.type) || e.route.empty()) {
            problems.push_back(LevelXmlPath(number) + ": enemy " + e.tag + " is of unit type '" + e.type +
                               "', but Units\\" + e.type + ".xml is missing");
        }
    }
    for (const Placement& p : level.platforms) {
        if (p.route.empty()) problems.push_back(LevelXmlPath(number) + ": platform " + p.tag + " has no route");
    }
    if (!problems.empty()) {
        for (const std::string& problem : problems) std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    std::error_code ignored;
    fs::create_directories(out, ignored);
    const int scenery = WorldOfLevel(number);
    const std::string tileset = "scenery" + std::to_string(scenery);
    SceneryTiles tiles;
    if (!WriteSceneryTiles(scenery, (out / (tileset + ".png")).string(), tiles)) {
        return Fail((out / (tileset + ".png")).string() + ": cannot write");
    }
    MapLook look;
    look.scenery = scenery;
    look.tilesetFile = tileset + ".tsx";
    look.backgroundColour = tiles.background;
    const fs::path map = out / ("level" + std::to_string(number) + ".tmx");
    if (!WriteFile(out / look.tilesetFile,
                   TilesetText(tileset, tileset + ".png", tiles.tileCount, tiles.transparent)) ||
        !WriteFile(map, TiledMapText(level, catalogue, look))) {
        return Fail(out.string() + ": cannot write the map");
    }
    std::printf("%s\n", map.c_str());
    return 0;
}

// The game folder to take unit, object and platform kinds from when importing into `dir`.
std::string DataFolderFor(const std::string& dir, const std::string& given) {
    if (!given.empty()) return given;
    std::error_code error;
    if (fs::exists(platform::ResolveGamePath(fs::absolute(dir).string() + "/Units/hero.xml"), error)) return dir;
    return platform::ToolDataDir(KVB_DEFAULT_GAME_DIR);
}

int Import(const std::string& mapPath, int number, const std::string& dir, const std::string& dataDir) {
    const std::string map = fs::absolute(mapPath).string();
    const fs::path target = fs::absolute(dir);
    const std::string data = fs::absolute(DataFolderFor(dir, dataDir)).string();
    std::error_code error;
    const bool overlay = fs::is_directory(target, error) && !fs::equivalent(target, data, error);
    OverlayFolder folder(data, overlay ? target.string() : "");
    if (!folder.Ready()) return Fail(folder.Error());
    if (!platform::ChangeToFolder(folder.Root())) return Fail(data + ": cannot enter the folder");
    ToolServices services;
    std::vector<std::string> problems;
    const Catalogue catalogue = FolderCatalogue(problems);
    for (std::string& problem : problems) problem = data + ": " + problem;
    Level level;
    if (problems.empty()) CompileTiledMap(map, mapPath, number, catalogue, level, problems);
    if (!problems.empty()) {
        for (const std::string& problem : problems) std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    const fs::path folderOut = target / "LevelDescriptions";
    fs::create_directories(folderOut, error);
    const std::vector<std::uint8_t> dat = LevelDat(level);
    const std::string base = "Level" + std::to_string(number);
    if (!WriteFile(folderOut / (base + ".xml"), LevelXml(level)) ||
        !WriteFile(folderOut / (base + ".dat"), std::string(dat.begin(), dat.end()))) {
        return Fail(folderOut.string() + ": cannot write " + base + ".xml and .dat");
    }
    std::printf("%s: level %d compiled into %s\n", mapPath.c_str(), number, folderOut.c_str());
    return 0;
}

// The game to start: the one in the folder the level went to, or the data folder's, or the one installed
// beside this tool, or the one on the PATH.
std::string GameExecutable(const std::string& dir, const std::string& data) {
    std::error_code error;
    for (const fs::path& candidate : {fs::path(dir) / "kolvenbrook", fs::path(data) / "kolvenbrook",
                                      fs::read_symlink("/proc/self/exe", error).parent_path() / "kolvenbrook"}) {
        if (::access(candidate.c_str(), X_OK) == 0) return fs::absolute(candidate).string();
    }
    return "kolvenbrook";
}

int Play(const std::string& mapPath, int number, const std::string& dir, const std::string& dataDir) {
    const std::string data = fs::absolute(DataFolderFor(dir, dataDir)).string();
    const std::string target = fs::absolute(dir).string();
    const int result = Import(mapPath, number, dir, dataDir);
    if (result != 0) return result;
    const std::string game = GameExecutable(target, data);
    const std::string level = std::to_string(number);
    std::fflush(stdout);
    ::execlp(game.c_str(), game.c_str(), "--level", level.c_str(), static_cast<char*>(nullptr));
    return Fail(game + ": cannot start the game");
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words;
    std::string userDir;
    std::string dataDir;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--user-dir" && i + 1 < argc) {
            userDir = argv[++i];
        } else if (arg == "--data" && i + 1 < argc) {
            dataDir = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "kolvenbrook-level: unknown option '%s'\n%s", arg.c_str(), kUsage);
            return 2;
        } else {
            words.push_back(arg);
        }
    }
    int number = 0;
    if (words.size() < 3 || !ParseLevelNumber(words[2], number)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string& command = words[0];
    if (command == "export" && words.size() == 4) return Export(words[1], number, words[3], userDir);
    const std::string dir = words.size() == 4 ? words[3] : platform::InstalledUserDataDir();
    if (command == "import" && words.size() <= 4) return Import(words[1], number, dir, dataDir);
    if (command == "play" && words.size() <= 4) return Play(words[1], number, dir, dataDir);
    std::fputs(kUsage, stderr);
    return 2;
}
