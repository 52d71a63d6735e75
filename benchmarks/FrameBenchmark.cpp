// What one frame of a level costs (update and draw) next to copying one 800x600x32 picture.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "LevelFixture.h"
#include "actors/CollisionMap.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "gfx/Animation.h"
#include "level/Level.h"

namespace {

constexpr int kSprites = 12;

// A level with every scenery layer filled, the near layer on, and a dozen sprites on the screen.
class BenchLevel {
public:
    BenchLevel() {
        levelfixture::WriteSceneryFixture();
        levelfixture::WriteCollisionFile(0, levelfixture::FixtureCell);
        // On the ground among pillars, blocks and runs.
        levelfixture::WriteLevelDescription(0, 1200, 1700);
        // A walking strip: 8 frames of 64x96 in four rows.
        levelfixture::WritePicture("Units/BENCH/MOVERIGHT.png", 64 * 2, 96 * 4, [](int x, int y) -> uint32_t {
            const int fx = x % 64;
            const int fy = y % 96;
            if (fx < 12 || fx >= 52 || fy < 8) return 0;  // the key: black
            return 0x804020u + static_cast<uint32_t>((x / 64 + y / 96) * 0x081008);
        });
        window = std::make_unique<levelfixture::TestWindow>();
        window->window.nearLayerOption = 1;
        globals.Set(GameGlobals::input, &input);
        map = std::make_unique<CCollisionMap>(&window->window, 0);
        globals.Set(GameGlobals::collisionMap, map.get());
        level = std::make_unique<CLevel>(&window->window, 0, true);
        for (int i = 0; i < kSprites; ++i) {
            sprites.push_back(std::make_unique<CAnimation>("Units", "BENCH", "MOVERIGHT", 64, 0));
        }
    }
    ~BenchLevel() {
        sprites.clear();
        level.reset();
        globals.Restore();
    }

    // One displayed frame: one world step, the whole level picture, then the sprites.
    void Frame() {
        services.clock.Advance(20);
        ++window->window.frameCounter;
        level->Update(&window->window);
        for (int i = 0; i < kSprites; ++i) {
            const float scale = i < 10 ? 1.0f : 1.5f;
            sprites[i]->Draw(30 + i * 62, 150 + (i % 3) * 120, scale);
        }
    }

    levelfixture::TempGameFolder folder;
    levelfixture::HeadlessServices services;
    InputState input;
    std::unique_ptr<levelfixture::TestWindow> window;
    std::unique_ptr<CCollisionMap> map;
    std::unique_ptr<CLevel> level;
    levelfixture::GlobalsGuard globals;
    std::vector<std::unique_ptr<CAnimation>> sprites;
};

void BM_LevelFrame(benchmark::State& state) {
    BenchLevel bench;
    for (int i = 0; i < 50; ++i) bench.Frame();  // let the camera settle on the hero
    for (auto _ : state) {
        bench.Frame();
        benchmark::DoNotOptimize(bench.window->target->Pixels());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_LevelFrame)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto frame = reporter.medians.find("BM_LevelFrame");
    const auto copy = reporter.medians.find(bench::kScreenCopy);
    if (frame == reporter.medians.end() || copy == reporter.medians.end() || copy->second <= 0.0) return 1;
    // The machine is shared, so wall time swings with the load; processor time is the steadier of the
    // two and gives the last line.
    std::printf("frame_cost_ratio_wall=%.2f\n", frame->second / copy->second);
    std::printf("frame_cost_ratio=%.2f\n",
                reporter.cpuMedians["BM_LevelFrame"] / reporter.cpuMedians[bench::kScreenCopy]);
    return 0;
}
