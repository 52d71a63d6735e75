// assetgen-scenery: draws the level scenery of the four worlds (tiles, branches, artefacts,
// static plans, background layers) and the moving platforms, from content/scenery.
//
//   assetgen-scenery <content/scenery folder> <game folder>   generate (unchanged files are not touched)
//   assetgen-scenery --check <game folder>                     check a generated folder, exit 1 on problems
//   assetgen-scenery --mock <game folder> <set> <out.png> [camX camY]
//                                                              a mock game screen of one world
//   assetgen-scenery --sheet <game folder> <set> <out.png>      its artefacts, branches and platforms
//   assetgen-scenery --layer <game folder> <set> <1|2> <out.png>  a whole background layer, reduced
//   assetgen-scenery --zoom <in.png> <out.png> <x> <y> <w> <h> <factor>
//                                                              a part of a picture, enlarged
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Canvas.h"
#include "Generators.h"
#include "Mock.h"

namespace {

int Generate(const std::string& contentDir, const std::string& gameDir) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    std::vector<scenery::World> worlds;
    std::string error;
    if (!scenery::LoadWorlds(contentDir, worlds, error)) {
        std::fprintf(stderr, "assetgen-scenery: %s\n", error.c_str());
        return 1;
    }
    scenery::GameFolder out(gameDir, "assetgen-scenery");
    struct Part {
        const char* name;
        bool (*write)(const scenery::World&, scenery::GameFolder&);
    };
    const Part parts[] = {{"tiles", scenery::WriteTiles},
                          {"branches", scenery::WriteBranches},
                          {"artefacts", scenery::WriteArtefacts},
                          {"backdrops", scenery::WriteBackdrops}};
    std::string timing;
    for (const Part& part : parts) {
        const auto t0 = Clock::now();
        for (const scenery::World& w : worlds) {
            if (!part.write(w, out)) {
                std::fprintf(stderr, "assetgen-scenery: the %s of set %d could not be made\n", part.name, w.set);
                return 1;
            }
        }
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count();
        timing += std::string(" ") + part.name + " " + std::to_string(ms) + " ms;";
    }
    const auto t0 = Clock::now();
    if (!scenery::WritePlatforms(worlds, out)) {
        std::fprintf(stderr, "assetgen-scenery: the platforms could not be made\n");
        return 1;
    }
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count();
    timing += " platforms " + std::to_string(ms) + " ms;";
    if (out.Failed()) return 1;
    auto total = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    std::printf("assetgen-scenery: %zu files (%d written) in %lld ms:%s\n", out.Files().size(), out.Written(),
                static_cast<long long>(total), timing.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0) {
        int problems = scenery::CheckScenery(argv[2]);
        std::printf("assetgen-scenery: %d problem(s) in %s\n", problems, argv[2]);
        return problems == 0 ? 0 : 1;
    }
    if ((argc == 5 || argc == 7) && std::strcmp(argv[1], "--mock") == 0) {
        int camX = argc == 7 ? std::atoi(argv[5]) : 1600, camY = argc == 7 ? std::atoi(argv[6]) : 800;
        return scenery::WriteMock(argv[2], std::atoi(argv[3]), argv[4], camX, camY);
    }
    if (argc == 6 && std::strcmp(argv[1], "--layer") == 0) {
        return scenery::WriteLayerOverview(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), argv[5]);
    }
    if (argc == 5 && std::strcmp(argv[1], "--sheet") == 0)
        return scenery::WriteSheet(argv[2], std::atoi(argv[3]), argv[4]);
    if (argc == 9 && std::strcmp(argv[1], "--zoom") == 0) {
        scenery::Picture in;
        if (!scenery::DecodePng(argv[2], in)) return 1;
        const int x0 = std::atoi(argv[4]), y0 = std::atoi(argv[5]), w = std::atoi(argv[6]), h = std::atoi(argv[7]);
        const int k = std::atoi(argv[8]);
        scenery::Picture out(w * k, h * k);
        for (int y = 0; y < h * k; ++y) {
            for (int x = 0; x < w * k; ++x) {
                int sx = x0 + x / k, sy = y0 + y / k;
                out.At(x, y) = sx < in.width && sy < in.height ? in.At(sx, sy) : 0;
            }
        }
        return scenery::SavePng(out, argv[3]) ? 0 : 1;
    }
    if (argc == 3) return Generate(argv[1], argv[2]);
    std::fprintf(stderr,
                 "usage: assetgen-scenery <content/scenery folder> <game folder>\n"
                 "       assetgen-scenery --check <game folder>\n"
                 "       assetgen-scenery --mock <game folder> <set> <out.png> [camX camY]\n");
    return 2;
}
