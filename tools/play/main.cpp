// kolvenbrook-play: runs the game headless from a script (see --help).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "Driver.h"
#include "platform/Files.h"

namespace {

const char kUsage[] =
    "usage: kolvenbrook-play [--data DIR] [--quiet] (--script FILE | -e 'CMD; CMD; ...')\n"
    "commands: frames N | down KEY | up KEY | press KEY | type WORD | shot FILE.png | state | quit\n"
    "keys: LEFT RIGHT UP DOWN SPACE SHIFT RETURN ESCAPE BACKSPACE A..Z\n";

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

}  // namespace

int main(int argc, char** argv) {
    std::string dataDir = KVB_DEFAULT_GAME_DIR;
    std::vector<std::string> lines;
    bool haveCommands = false;
    bool quiet = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc) {
            dataDir = argv[++i];
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
        } else if (arg == "--quiet") {
            quiet = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "kolvenbrook-play: unknown argument '%s'\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (!haveCommands) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!platform::ChangeToFolder(dataDir)) {
        std::fprintf(stderr, "kolvenbrook-play: cannot enter game folder %s\n", dataDir.c_str());
        return 2;
    }
    platform::RemoveStaleTempFiles(".");

    Driver driver(std::cout);
    driver.SetQuiet(quiet);
    driver.Start();
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
