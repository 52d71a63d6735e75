// What the shipped levels cost: a frame of the busiest one next to copying one 800x600x32 picture, and the
// time to make each level (collision map and everything the level owns), headless.
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "actors/CollisionMap.h"
#include "app/GameDlg.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "data/GameData.h"
#include "data/LevelDescription.h"
#include "level/Level.h"
#include "media/SpriteFont.h"
#include "platform/Platform.h"
#include "platform/Surface.h"
#include "platform/headless/RecordingAudio.h"
#include "platform/headless/RecordingMessageBox.h"
#include "platform/headless/VirtualClock.h"
#include "platform/sdl/SdlImageDecoder.h"
#include "platform/sdl/SdlTextRenderer.h"

namespace {

// The game's start-up without a window: data, font and the services a level needs.
class HeadlessGame {
public:
    HeadlessGame() : target_(platform::Surface::Create(800, 600)) {
        messages_.printToStderr = false;
        platform::Services& s = platform::Current();
        s = platform::Services{};
        s.clock = &clock;
        s.messageBox = &messages_;
        s.images = &images_;
        s.text = &text_;
        s.audio = &audio_;
        window.drawTarget = target_.get();
        GameGlobals::mainWindow = &window;
        GameGlobals::input = &input;
        window.gameData = new CGameData();
        GameGlobals::font = new CSpriteFont(&window);
    }
    ~HeadlessGame() {
        delete GameGlobals::font;
        GameGlobals::font = nullptr;
        delete window.gameData;
        window.gameData = nullptr;
        window.drawTarget = nullptr;
        window.destroyed = true;  // nothing to write
        GameGlobals::input = nullptr;
        platform::Current() = platform::Services{};
    }

    // Makes level n as entering it does: the collision map, then the level.
    void Enter(int n, bool nearLayer = true) {
        GameGlobals::collisionMap = new CCollisionMap(&window, n);
        level = new CLevel(&window, n, nearLayer);
        level->ApplyPlayerRecord(window.player);
    }
    void Leave() {
        delete level;
        level = nullptr;
        delete GameGlobals::collisionMap;
        GameGlobals::collisionMap = nullptr;
    }
    // One displayed frame: one world step and the whole picture.
    void Frame() {
        clock.Advance(20);
        ++window.frameCounter;
        level->Update(&window);
    }

    platform::VirtualClock clock;
    CGameDlg window;
    InputState input;
    CLevel* level = nullptr;

private:
    std::unique_ptr<platform::Surface> target_;
    platform::RecordingMessageBox messages_;
    platform::SdlImageDecoder images_;
    platform::SdlTextRenderer text_;
    platform::RecordingAudio audio_;
};

int gBusiestLevel = 0;

// The level with the most enemies, objects and platforms.
int BusiestLevel(const CGameData& data) {
    int best = 0;
    size_t most = 0;
    for (int n = 0; n < CGameData::kLevelCount; ++n) {
        const LevelDescription* d = data.levels[n].get();
        if (!d) continue;
        const size_t count = d->enemies.size() + d->objects.size() + d->movableElements.size();
        if (count > most) {
            most = count;
            best = n;
        }
    }
    return best;
}

// The hero runs to the right (the camera scrolls), turning back now and then, striking as he goes.
void PlayFrame(HeadlessGame& game, int64_t frame) {
    const bool right = (frame / 150) % 2 == 0;
    game.input.right.pressed = right;
    game.input.left.pressed = !right;
    game.input.attack.pressed = frame % 40 < 3;
    game.Frame();
    benchmark::DoNotOptimize(game.window.drawTarget->Pixels());
    benchmark::ClobberMemory();
}

void BM_ShippedLevelFrame(benchmark::State& state) {
    HeadlessGame game;
    game.Enter(gBusiestLevel);
    for (int i = 0; i < 50; ++i) game.Frame();
    int64_t frame = 0;
    for (auto _ : state) PlayFrame(game, frame++);
    game.Leave();
}

BENCHMARK(BM_ShippedLevelFrame)->Repetitions(9)->ReportAggregatesOnly(true);

double ProcessCpuMs() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double ThreadCpuMs() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

double Percentile99(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[std::min(values.size() - 1, values.size() * 99 / 100)];
}

// Each frame's own processor time over a long run of the busiest level (a frame that waits for the
// processor while others run is not dearer for it).
std::vector<double> FrameCpuTimes(int frames) {
    HeadlessGame game;
    game.Enter(gBusiestLevel);
    for (int i = 0; i < 50; ++i) game.Frame();
    std::vector<double> times;
    times.reserve(static_cast<size_t>(frames));
    for (int frame = 0; frame < frames; ++frame) {
        const double start = ThreadCpuMs();
        PlayFrame(game, frame);
        times.push_back(ThreadCpuMs() - start);
    }
    game.Leave();
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    // As the game does.
    platform::KeepFreedMemoryForReuse();
    benchmark::Initialize(&argc, argv);
    std::string folder = KVB_GAME_DIR;
    bool loads = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--game=", 7) == 0) folder = argv[i] + 7;
        // Frames only: bench.sh runs the frame figures several times and the loads once.
        if (std::strcmp(argv[i], "--no-loads") == 0) loads = false;
    }
    if (::chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "cannot enter the game folder %s\n", folder.c_str());
        return 2;
    }

    // Making each level, five times, with the default options (near layer off) and with the near layer;
    // the slowest level's median counts. Processor time beside the wall time: the machine may be shared.
    struct Slowest {
        int level = 0;
        double ms = 0.0;
        double cpuMs = 0.0;
    } slowest[2];
    {
        HeadlessGame game;
        gBusiestLevel = BusiestLevel(*game.window.gameData);
        for (int nearLayer = 0; nearLayer < (loads ? 2 : 0); ++nearLayer) {
            for (int n = 0; n < CGameData::kLevelCount; ++n) {
                std::vector<double> times;
                std::vector<double> cpuTimes;
                for (int repeat = 0; repeat < 5; ++repeat) {
                    const auto start = std::chrono::steady_clock::now();
                    const double cpuStart = ProcessCpuMs();
                    game.Enter(n, nearLayer != 0);
                    const double cpuMade = ProcessCpuMs();
                    const auto made = std::chrono::steady_clock::now();
                    game.Leave();
                    times.push_back(std::chrono::duration<double, std::milli>(made - start).count());
                    cpuTimes.push_back(cpuMade - cpuStart);
                }
                const double ms = Median(times);
                std::printf("level %d made in %.1f ms (%.1f ms of processor time)%s\n", n, ms, Median(cpuTimes),
                            nearLayer ? " with the near layer" : "");
                if (ms > slowest[nearLayer].ms) slowest[nearLayer] = Slowest{n, ms, Median(cpuTimes)};
            }
        }
    }

    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double frame = reporter.medians["BM_ShippedLevelFrame"];
    const double copy = reporter.medians[bench::kScreenCopy];
    if (frame <= 0.0 || copy <= 0.0) return 1;
    const double copyCpuMs = reporter.cpuMedians[bench::kScreenCopy] / 1e6;
    std::printf("busiest_level=%d\n", gBusiestLevel);
    if (copyCpuMs > 0.0) {
        std::printf("frame_cost_ratio_p99_shipped=%.2f\n", Percentile99(FrameCpuTimes(3000)) / copyCpuMs);
    }
    std::printf("frame_cost_ratio_shipped_cpu=%.2f\n",
                reporter.cpuMedians["BM_ShippedLevelFrame"] / reporter.cpuMedians[bench::kScreenCopy]);
    std::printf("frame_cost_ratio_shipped=%.2f\n", frame / copy);
    if (!loads) return 0;
    std::printf("slowest_level=%d\n", slowest[0].level);
    std::printf("level_load_cpu_ms=%.1f\n", slowest[0].cpuMs);
    std::printf("level_load_ms=%.1f\n", slowest[0].ms);
    std::printf("slowest_level_near_layer=%d\n", slowest[1].level);
    std::printf("level_load_cpu_ms_near_layer=%.1f\n", slowest[1].cpuMs);
    std::printf("level_load_ms_near_layer=%.1f\n", slowest[1].ms);
    return 0;
}
