// The real game in a real window under Xvfb: intro, main menu, quit, on the SDL backends.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "TestSupport.h"
#include "app/GameApp.h"
#include "core/GameGlobals.h"
#include "frontend/MainMenu.h"
#include "platform/sdl/FfmpegVideoPlayer.h"
#include "platform/sdl/PngWriter.h"
#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlEventInjector.h"
#include "platform/sdl/SdlEvents.h"
#include "platform/sdl/SdlImageDecoder.h"
#include "platform/sdl/SdlTextRenderer.h"

using testing_support::EnvGuard;
using testing_support::TempGameFolder;
using testing_support::XvfbServer;

namespace {

// Runs the game's loop for a while of real time, as the message loop does.
void RunFor(CGameApp& app, int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end && app.PumpEvents() && !app.window.quitPosted) {
        app.window.RunFrame();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void Press(CGameApp& app, const char* key) {
    platform::SdlEventInjector::Key(true, key);
    RunFor(app, 60);
    platform::SdlEventInjector::Key(false, key);
    RunFor(app, 60);
}

// Share of sampled pixels where the window shows what the back buffer holds.
double WindowMatchesBackBuffer(platform::SdlDisplay& display, const platform::Surface& back) {
    std::vector<uint32_t> pixels;
    int w = 0;
    int h = 0;
    if (!display.CaptureWindow(pixels, w, h) || w != 800 || h != 600) return 0.0;
    int same = 0;
    int total = 0;
    for (int y = 5; y < 600; y += 37) {
        for (int x = 3; x < 800; x += 41) {
            const uint32_t a = pixels[static_cast<size_t>(y) * w + x];
            const uint32_t b = back.GetPixel(x, y);
            int diff = 0;
            for (int shift = 0; shift < 24; shift += 8)
                diff += std::abs(int((a >> shift) & 255) - int((b >> shift) & 255));
            same += diff < 24;
            ++total;
        }
    }
    return static_cast<double>(same) / total;
}

// The game's folder (the pictures and texts it needs for the menus) in a scratch folder, under an X
// server of its own; `windowed` sets KVB_WINDOWED.
struct WindowGame {
    XvfbServer server;
    EnvGuard env;
    TempGameFolder folder;

    WindowGame(int width, int height, bool windowed) : server(width, height) {
        env.Set("DISPLAY", server.Display().c_str());
        env.Set("WAYLAND_DISPLAY", nullptr);
        env.Set("SDL_VIDEODRIVER", nullptr);
        env.Set("KVB_WINDOWED", windowed ? "1" : nullptr);
        env.Set("SDL_AUDIODRIVER", "dummy");
        for (const char* part : {"Data", "Graphics", "Units", "Objects"}) {
            std::filesystem::copy(std::string(KVB_GAME_DIR) + "/" + part, folder.Path() + "/" + part,
                                  std::filesystem::copy_options::recursive);
        }
    }
    static bool HaveContent() {
        return std::filesystem::exists(std::string(KVB_GAME_DIR) + "/Graphics/Spritelitery.png");
    }
};

// The real SDL backends, made the game's platform services by Install.
struct SdlBackends {
    platform::SdlClock clock;
    platform::SdlDisplay display;
    platform::SdlEvents events{&display};
    platform::RecordingMessageBox messageBox;
    platform::SdlImageDecoder images;
    platform::SdlTextRenderer text;
    platform::SdlAudio audio;
    platform::FfmpegVideoPlayer video{&display, &audio};

    platform::Services& Install() {
        platform::Services& services = platform::Current();
        services = platform::Services{&clock, &events, &messageBox, &display, &images, &text, &audio, &video};
        return services;
    }
};

TEST(WindowGameTest, TheMenuShowsInARealWindowAndItsLastItemQuits) {
    if (!WindowGame::HaveContent()) GTEST_SKIP() << "no generated content";
    WindowGame game(1024, 768, true);
    if (game.server.Display().empty()) GTEST_SKIP() << "Xvfb is not available";
    TempGameFolder& folder = game.folder;

    SdlBackends sdl;
    sdl.messageBox.printToStderr = false;
    platform::Services& services = sdl.Install();
    platform::SdlDisplay& display = sdl.display;
    platform::RecordingMessageBox& messageBox = sdl.messageBox;

    {
        CGameApp app;
        app.InitInstance();
        ASSERT_NE(app.window.drawTarget, nullptr) << display.LastError();
        RunFor(app, 200);
        EXPECT_FALSE(app.window.introPlaying) << "no intro.avi here: the game goes on to the menu by itself";
        RunFor(app, 200);
        ASSERT_NE(GameGlobals::mainMenu, nullptr);
        EXPECT_GT(WindowMatchesBackBuffer(display, *app.window.drawTarget), 0.95) << "the window shows the menu";
        if (const char* shots = std::getenv("KVB_SHOTS")) {
            platform::SavePng(std::string(shots) + "/window_menu.png", *app.window.drawTarget);
        }
        for (int i = 0; i < 6; ++i) Press(app, "Down");
        EXPECT_EQ(GameGlobals::mainMenu->selectedItem, 5);
        Press(app, "Return");
        EXPECT_TRUE(app.window.quitPosted);
        EXPECT_TRUE(messageBox.shown.empty()) << messageBox.shown.front();
    }
    services = platform::Services{};
    EXPECT_EQ(folder.Read("Config.dat").size(), 8u);
}

TEST(WindowGameTest, IntegerScalingWithNearestFilteringShowsWholeSharpPixelsCentred) {
    if (!WindowGame::HaveContent()) GTEST_SKIP() << "no generated content";
    WindowGame game(1920, 1440, false);
    if (game.server.Display().empty()) GTEST_SKIP() << "Xvfb is not available";
    // A window 2.125 x 2.17 times the picture: integer scaling shows it twice as large, 50 pixels in.
    game.folder.Write("settings.ini",
                      "[display]\nfullscreen = off\nwindow_width = 1700\nwindow_height = 1300\n"
                      "scaling = integer\nfilter = nearest\n");
    SdlBackends sdl;
    platform::Services& services = sdl.Install();
    platform::SdlDisplay& display = sdl.display;
    {
        CGameApp app;
        app.InitInstance();
        ASSERT_NE(app.window.drawTarget, nullptr) << display.LastError();
        Press(app, "Return");
        RunFor(app, 200);
        std::vector<uint32_t> pixels;
        int w = 0;
        int h = 0;
        ASSERT_TRUE(display.CaptureWindow(pixels, w, h));
        ASSERT_EQ(std::make_pair(w, h), std::make_pair(1700, 1300));
        const platform::Surface& back = *app.window.drawTarget;
        int wrong = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int sx = (x - 50) / 2;
                const int sy = (y - 50) / 2;
                const bool inside = x >= 50 && y >= 50 && sx < 800 && sy < 600;
                wrong += pixels[static_cast<size_t>(y) * w + x] != (inside ? back.GetPixel(sx, sy) : 0u);
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels that are not their picture pixel (or the black border)";
        app.window.OnDestroy();
    }
    services = platform::Services{};
}

}  // namespace
