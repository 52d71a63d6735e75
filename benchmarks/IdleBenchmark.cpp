// How busy the game keeps the processor in its main menu, in a real window: the program is the game (the
// same services as kolvenbrook), with the intro closed at once; it measures its own processor time. With
// --level it plays level 0 instead (walking and jumping) and measures the time between shown frames.
// With --soak=ROUNDS it plays instead: each round enters all eight levels one after the other (a new game,
// then the save slots 0..6 for levels 1..7), runs right for --seconds in each and goes back to the menu, and
// the resident memory after each round is printed.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/GameApp.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/sdl/FfmpegVideoPlayer.h"
#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlEventInjector.h"
#include "platform/sdl/SdlEvents.h"
#include "platform/sdl/SdlImageDecoder.h"
#include "platform/sdl/SdlMessageBox.h"
#include "platform/sdl/SdlTextRenderer.h"

namespace {

using Clock = std::chrono::steady_clock;

// The window as the game sees it, counting the frames it presents; with `present` false the frames are
// drawn but never shown, which leaves the processor time of everything but the present.
class CountingDisplay : public platform::IDisplay {
public:
    CountingDisplay(platform::SdlDisplay& display, bool present) : display_(display), present_(present) {}
    void SetOptions(const platform::DisplayOptions& options) override { display_.SetOptions(options); }
    platform::DisplayStep Open(int w, int h, const char* title) override { return display_.Open(w, h, title); }
    void HideCursor() override { display_.HideCursor(); }
    void ShowArrowCursor() override { display_.ShowArrowCursor(); }
    platform::Surface* BackBuffer() override { return display_.BackBuffer(); }
    void Present() override {
        if (presents.fetch_add(1) == 0) firstPresent = Clock::now();
        if (present_) display_.Present();
        if (recording.load()) {
            std::lock_guard<std::mutex> lock(shownMutex);
            shown.push_back(Clock::now());
        }
    }
    void PresentPicture(const platform::Surface& picture) override { display_.PresentPicture(picture); }
    void SetTitle(const char* title) override { display_.SetTitle(title); }
    void Close() override { display_.Close(); }

    std::atomic<long> presents{0};
    Clock::time_point firstPresent;
    // When each present returned (with vsync: the refresh it was shown on), while recording.
    std::atomic<bool> recording{false};
    std::mutex shownMutex;
    std::vector<Clock::time_point> shown;

private:
    platform::SdlDisplay& display_;
    bool present_;
};

long ResidentKb() {
    long size = 0;
    long pages = -1;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &size, &pages) != 2) pages = -1;
        std::fclose(statm);
    }
    return pages < 0 ? -1 : pages * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Keys as a player types them: each press held for a moment, a pause after it.
void Press(const char* key, int times = 1) {
    for (int i = 0; i < times; ++i) {
        platform::SdlEventInjector::Key(true, key);
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        platform::SdlEventInjector::Key(false, key);
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
}

// From the main menu into level `level` (slot level-1 of the load menu for levels after the first), running
// right for `seconds`, then out through the best scores back to the menu.
void PlayLevel(int level, int seconds) {
    if (level == 0) {
        Press("Return");  // new game: the briefing
    } else {
        Press("Down");
        Press("Return");  // the load menu
        Press("Down", level - 1);
        Press("Return");  // the slot's briefing
    }
    Press("Return");  // the level
    platform::SdlEventInjector::Key(true, "Right");
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    platform::SdlEventInjector::Key(false, "Right");
    Press("Escape");  // the best scores
    Press("Escape");  // the menu
}

double ProcessCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The q-th quantile (0..1) of the gaps between successive times, in milliseconds.
double GapQuantileMs(const std::vector<Clock::time_point>& times, double q) {
    std::vector<double> gaps;
    for (size_t i = 1; i < times.size(); ++i) {
        gaps.push_back(std::chrono::duration<double, std::milli>(times[i] - times[i - 1]).count());
    }
    if (gaps.empty()) return 0.0;
    std::sort(gaps.begin(), gaps.end());
    return gaps[std::min(gaps.size() - 1, static_cast<size_t>(q * static_cast<double>(gaps.size())))];
}

void Tap(const char* key) {
    platform::SdlEventInjector::Key(true, key);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    platform::SdlEventInjector::Key(false, key);
}

}  // namespace

int main(int argc, char** argv) {
    const Clock::time_point started = Clock::now();
    platform::KeepFreedMemoryForReuse();
    std::string folder;
    int seconds = 10;
    bool present = true;
    bool level = false;
    bool vsync = false;
    int soakRounds = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--soak=", 7) == 0) soakRounds = std::atoi(argv[i] + 7);
        if (std::strncmp(argv[i], "--game=", 7) == 0) folder = argv[i] + 7;
        if (std::strncmp(argv[i], "--seconds=", 10) == 0) seconds = std::atoi(argv[i] + 10);
        if (std::strcmp(argv[i], "--no-present") == 0) present = false;
        if (std::strcmp(argv[i], "--level") == 0) level = true;
        if (std::strcmp(argv[i], "--vsync") == 0) vsync = true;
    }
    // The game writes Config.dat when it ends: give it a copy of the game folder.
    if (folder.empty() || !platform::ChangeToFolder(folder)) {
        std::fprintf(stderr,
                     "usage: kvb_idle_benchmark --game=COPY_OF_GAME_FOLDER [--seconds=N] [--no-present] "
                     "[--level [--vsync]] [--soak=ROUNDS]\n");
        return 2;
    }
    // The level run says whether frames wait for the display's refresh; the menu run keeps the settings as found.
    if (level) std::ofstream("settings.ini") << "[display]\nvsync = " << (vsync ? "on" : "off") << "\n";
    platform::RemoveStaleTempFiles(".");

    platform::SdlClock clock;
    platform::SdlDisplay display;
    CountingDisplay counting(display, present);
    platform::SdlEvents events(&display);
    platform::SdlMessageBox messageBox(&display);
    platform::SdlImageDecoder images;
    platform::SdlTextRenderer text;
    platform::SdlAudio audio;
    platform::FfmpegVideoPlayer video(&display, &audio);
    platform::Services& services = platform::Current();
    services = platform::Services{&clock, &events, &messageBox, &counting, &images, &text, &audio, &video};

    std::vector<long> soakKb;
    double cpuPercent = 0.0;
    double fps = 0.0;
    double startupMs = 0.0;
    int result = 0;
    {
        CGameApp app;
        app.InitInstance();
        if (!app.window.drawTarget) {
            std::fprintf(stderr, "no display: %s\n", display.LastError().c_str());
            app.window.OnDestroy();
            return 1;
        }
        // Enter closes the intro in the first frame; the next frame is the menu's.
        platform::SdlEventInjector::Key(true, "Return");
        platform::SdlEventInjector::Key(false, "Return");
        std::atomic<bool> running{true};
        std::thread measure([&] {
            while (counting.presents.load() == 0) {
                if (!running.load()) return;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            startupMs = std::chrono::duration<double, std::milli>(counting.firstPresent - started).count();
            if (level) {
                // The menu's "new game", the briefing, and into level 0, walking right and jumping now and then.
                for (int i = 0; i < 2; ++i) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(400));
                    Tap("Return");
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(400));
                platform::SdlEventInjector::Key(true, "Right");
                std::this_thread::sleep_for(std::chrono::seconds(1));
                counting.recording = true;
                for (int i = 0; i < seconds; ++i) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(940));
                    Tap("Up");
                }
                counting.recording = false;
                platform::SdlEventInjector::Quit();
                return;
            }
            std::this_thread::sleep_for(std::chrono::seconds(2));  // settle
            if (soakRounds > 0) {
                for (int round = 0; round < soakRounds && running.load(); ++round) {
                    for (int n = 0; n < 8; ++n) PlayLevel(n, seconds);
                    std::this_thread::sleep_for(std::chrono::seconds(1));
                    soakKb.push_back(ResidentKb());
                }
                platform::SdlEventInjector::Quit();
                return;
            }
            const double cpu0 = ProcessCpuSeconds();
            const long frames0 = counting.presents.load();
            const Clock::time_point t0 = Clock::now();
            std::this_thread::sleep_for(std::chrono::seconds(seconds));
            const double cpu1 = ProcessCpuSeconds();
            const long frames1 = counting.presents.load();
            const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
            cpuPercent = 100.0 * (cpu1 - cpu0) / wall;
            fps = (frames1 - frames0) / wall;
            platform::SdlEventInjector::Quit();
        });
        result = app.Run();
        running = false;
        measure.join();
    }
    services = platform::Services{};
    if (soakRounds > 0) {
        std::printf("soak_window_rss_kb=");
        for (long kb : soakKb) std::printf("%ld ", kb);
        std::printf("\n");
        // The highest of the later rounds against the first.
        if (soakKb.size() >= 2 && soakKb.front() > 0) {
            const long highest = *std::max_element(soakKb.begin() + 1, soakKb.end());
            std::printf("soak_window_rss_growth_percent=%.1f\n",
                        100.0 * static_cast<double>(highest - soakKb.front()) / static_cast<double>(soakKb.front()));
        }
        return result;
    }
    if (level) {
        const char* suffix = vsync ? "_vsync" : "";
        std::printf("level_frames_shown%s=%zu\n", suffix, counting.shown.size());
        std::printf("level_frame_interval_p50_ms%s=%.1f\n", suffix, GapQuantileMs(counting.shown, 0.50));
        std::printf("level_frame_interval_p99_ms%s=%.1f\n", suffix, GapQuantileMs(counting.shown, 0.99));
        return result;
    }
    const char* suffix = present ? "" : "_no_present";
    std::printf("startup_window_ms%s=%.0f\n", suffix, startupMs);
    std::printf("menu_fps%s=%.1f\n", suffix, fps);
    std::printf("idle_cpu_percent%s=%.1f\n", suffix, cpuPercent);
    return result;
}
