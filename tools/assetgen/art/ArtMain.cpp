// assetgen-art: draws the game's pictures and writes its description files and texts from the
// readable sources in content/art.
//
//   assetgen-art <content/art folder> <game folder>   generate (unchanged files are not touched)
//   assetgen-art --contact <game folder> <out.png> [path filter] [scale]
//                                                      pictures on one sheet, for looking at them
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Content.h"
#include "Generators.h"
#include "Toolkit.h"

namespace art {
int WriteContactSheet(const std::string& folder, const std::string& outPng, const std::string& filter, double scale);
}

namespace {

int Generate(const std::string& contentDir, const std::string& gameDir) {
    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    art::Content content;
    std::string error;
    if (!art::LoadContent(contentDir, content, error)) {
        std::fprintf(stderr, "assetgen-art: %s\n", error.c_str());
        return 1;
    }
    art::GameFolder out(gameDir, "assetgen-art");
    struct Part {
        const char* name;
        bool (*write)(const art::Content&, art::GameFolder&);
    };
    const Part parts[] = {
        {"texts", art::WriteTextTables}, {"font", art::WriteFontSheet},  {"hero", art::WriteHero},
        {"enemies", art::WriteEnemies},  {"objects", art::WriteObjects}, {"status and flash", art::WriteStatusAndFlash},
        {"screens", art::WriteScreens},  {"icons", art::WriteIcons},
    };
    std::string timing;
    for (const Part& p : parts) {
        auto t0 = Clock::now();
        if (!p.write(content, out)) {
            std::fprintf(stderr, "assetgen-art: the %s could not be made\n", p.name);
            return 1;
        }
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count();
        timing += std::string(" ") + p.name + " " + std::to_string(ms) + " ms;";
    }
    auto total = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    std::printf("assetgen-art: %zu files (%d written, %d unchanged) in %lld ms:%s\n", out.Files().size(), out.Written(),
                out.Unchanged(), static_cast<long long>(total), timing.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && argc <= 6 && std::strcmp(argv[1], "--contact") == 0) {
        return art::WriteContactSheet(argv[2], argv[3], argc >= 5 ? argv[4] : "", argc >= 6 ? std::atof(argv[5]) : 2.0);
    }
    if (argc == 3) return Generate(argv[1], argv[2]);
    std::fprintf(stderr,
                 "usage: assetgen-art <content/art folder> <game folder>\n"
                 "       assetgen-art --contact <game folder> <out.png> [path filter] [scale]\n");
    return 2;
}
