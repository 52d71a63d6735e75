// kolvenbrook-play: runs the game headless from a script (see --help).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "Driver.h"
#include "Replay.h"
#include "core/Language.h"
#include "platform/Files.h"
#include "platform/GameFolders.h"
#include "platform/Platform.h"

namespace {

const char kUsage[] =
    "usage: kolvenbrook-play [--data DIR] [--user-dir DIR] [--lang pl|en] [--quiet] [--level N]\n"
    "                        (--script FILE | -e 'CMD; CMD; ...' | --replay FILE)\n"
    "--level N: a new game straight in level N (0..7), without intro or menu\n"
    "commands: frames N | down KEY | up KEY | press KEY | type WORD | shot FILE.png | state |\n"
    "          focus lost|gained | pump (hand the waiting keys to the game without a frame) |\n"
    "          replay FILE | replaykeys FILE | memory | quit |\n"
    "          pad add N | pad remove N | pad down|up|press BUTTON | pad axis leftx|lefty VALUE\n"
    "keys: LEFT RIGHT UP DOWN SPACE SHIFT RETURN ESCAPE BACKSPACE PAUSE F1..F12 A..Z\n"
    "pad buttons: a b x y back start leftshoulder rightshoulder dpup dpdown dpleft dpright\n";

std::vector<std::string> SplitCommands(const std::string& text, char separator) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == separator || c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// Plays a replay through the game and prints the state after it; 0 when the replay finished its level.
int PlayReplayFile(Driver& driver, const Replay& replay, const std::string& path) {
    std::string error;
    const bool finished = driver.PlayReplay(replay, error);
    // One more frame switches to the screen the level asked for.
    driver.RunFrame();
    std::cout << driver.StateJson() << std::endl;
    if (finished) {
        std::fprintf(stderr, "kolvenbrook-play: level %d finished in %d frames\n", static_cast<int>(replay.level),
                     driver.replayFramesFed);
    } else {
        std::fprintf(stderr, "kolvenbrook-play: %s: %s\n", path.c_str(), error.c_str());
    }
    driver.Stop();
    return finished ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Memory is kept as the game keeps it, so the memory command tells what the game would hold.
    platform::KeepFreedMemoryForReuse();
    std::string dataDir = KVB_DEFAULT_GAME_DIR;
    std::string userDir;
    std::vector<std::string> lines;
    bool haveCommands = false;
    bool quiet = false;
    std::string replayPath;
    int32_t startLevel = -1;
    std::optional<Language> language;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc) {
            dataDir = argv[++i];
        } else if (arg == "--user-dir" && i + 1 < argc) {
            userDir = argv[++i];
        } else if (arg == "--script" && i + 1 < argc) {
            std::ifstream file(argv[++i]);
            if (!file) {
                std::fprintf(stderr, "kolvenbrook-play: cannot read script %s\n", argv[i]);
                return 2;
            }
            std::stringstream text;
            text << file.rdbuf();
            for (std::string& line : SplitCommands(text.str(), '\n')) lines.push_back(line);
            haveCommands = true;
        } else if (arg == "-e" && i + 1 < argc) {
            for (std::string& line : SplitCommands(argv[++i], ';')) lines.push_back(line);
            haveCommands = true;
        } else if (arg == "--replay" && i + 1 < argc) {
            replayPath = argv[++i];
        } else if (arg == "--lang" && i + 1 < argc) {
            Language chosen = Language::kPolish;
            if (!ParseLanguageCode(argv[++i], chosen)) {
                std::fprintf(stderr, "kolvenbrook-play: --lang takes pl or en, not '%s'\n", argv[i]);
                return 2;
            }
            language = chosen;
        } else if (arg == "--quiet") {
            quiet = true;
        } else if (arg == "--level" && i + 1 < argc) {
            // The option hook for starting in a level.
            const std::string value = argv[++i];
            if (value.size() != 1 || value[0] < '0' || value[0] > '7') {
                std::fprintf(stderr, "kolvenbrook-play: --level needs a level number 0..7, not '%s'\n", value.c_str());
                return 2;
            }
            startLevel = value[0] - '0';
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "kolvenbrook-play: unknown argument '%s'\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (haveCommands == !replayPath.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    // Read before the game folder becomes the working directory, so a relative path means what it says.
    Replay replay;
    std::string replayError;
    if (!replayPath.empty() && !replay.Load(replayPath, replayError)) {
        std::fprintf(stderr, "kolvenbrook-play: %s\n", replayError.c_str());
        return 2;
    }
    // --user-dir: the player's files there and the data folder only read, as in an installed game.
    const platform::FolderRequest request = platform::RequestFromEnvironment(dataDir, userDir);
    const std::string userFolder = userDir.empty() ? "." : request.userDir;
    const platform::GameFolders folders{request.dataDir, userFolder, userFolder, userDir.empty()};
    if (!platform::UseGameFolders(folders)) {
        std::fprintf(stderr, "kolvenbrook-play: cannot enter game folder %s\n", dataDir.c_str());
        return 2;
    }
    // As the game does: --lang, else the settings file beside Config.dat, else the locale.
    SetLanguage(ChooseLanguage(language, platform::UserConfigPath("settings.ini")));

    Driver driver(std::cout);
    driver.SetQuiet(quiet);
    driver.Start(startLevel);
    if (!replayPath.empty()) return PlayReplayFile(driver, replay, replayPath);
    for (size_t n = 0; n < lines.size() && !driver.finished; ++n) {
        std::string error;
        if (!driver.Execute(lines[n], error)) {
            std::fprintf(stderr, "kolvenbrook-play: line %zu: %s: %s\n", n + 1, lines[n].c_str(), error.c_str());
            driver.Stop();
            return 1;
        }
    }
    driver.Stop();
    return 0;
}
