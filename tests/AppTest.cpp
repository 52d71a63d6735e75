// The main window: frame pacing, screen switches, the intro, keys, display failures and Config.dat.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "app/GameApp.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "frontend/MainMenu.h"
#include "level/Level.h"
#include "media/SoundSystem.h"

using testing_support::HeadlessServices;
using testing_support::TempGameFolder;

namespace {

// A text renderer that only counts what it was asked to draw.
class CountingText : public platform::ITextRenderer {
public:
    void DrawText(platform::Surface&, int x, int y, const std::string& text, uint32_t rgb) override {
        calls.push_back(text + "@" + std::to_string(x) + "," + std::to_string(y) + "#" + std::to_string(rgb));
    }
    std::vector<std::string> calls;
};

class AppTest : public ::testing::Test {
protected:
    TempGameFolder folder;
    HeadlessServices services;
    std::vector<std::string> trace;
    std::unique_ptr<CGameApp> app;
    testing_support::GlobalsGuard globals;

    void SetUp() override {
        // Music files so that the sound system has streams to start and stop.
        for (int n = 0; n < 10; ++n) folder.Write("Music/Track" + std::to_string(n) + ".MP3", "x");
        // Level 0's finish lies far from its start, so entering it does not finish it at once.
        folder.Write("LevelDescriptions/Level0.xml",
                     "<HERO><START_POS X=\"100\" Y=\"100\"/><FINISH_POS X=\"3000\" Y=\"100\"/></HERO>");
        globals.Set(GameGlobals::lifecycleTrace, &trace);
    }
    void TearDown() override {
        app.reset();
        globals.Restore();
    }

    // Starts the game, and with `closeIntro` closes the intro with Enter.
    CGameDlg& Start(bool closeIntro = true) {
        app = std::make_unique<CGameApp>();
        app->InitInstance();
        if (closeIntro) Press(13);
        return app->window;
    }
    // One frame 21 ms after the previous one, after the waiting key events.
    void Frame() {
        services.clock.Advance(21);
        app->PumpEvents();
        app->window.RunFrame();
    }
    void Press(int vk) {
        services.events.KeyDown(vk);
        Frame();
        services.events.KeyUp(vk);
    }
    std::string MusicCalls() const {
        std::string joined;
        for (const std::string& call : services.audio.calls) joined += call + "\n";
        return joined;
    }
};

TEST_F(AppTest, AFrameRunsOnlyWhenMoreThan20MsPassed) {
    CGameDlg& w = Start(false);
    for (auto [ms, frames] : {std::pair{21, 1}, {20, 1}, {1, 2}}) {
        services.clock.Advance(ms);
        w.RunFrame();
        EXPECT_EQ(w.frameCounter, frames) << "after " << ms << " ms more";
    }
}

TEST_F(AppTest, TheTickCounterWrappingDoesNotStopFrames) {
    services.clock.Set(0xFFFFFFF0u, 0);
    CGameDlg& w = Start(false);
    GameGlobals::lastFrameTick = 0xFFFFFFF0u;
    services.clock.Advance(21);  // wraps past zero
    w.RunFrame();
    EXPECT_EQ(w.frameCounter, 1);
}

TEST_F(AppTest, TheIntroWaitsForEnterOrEscapeAndDrawsNothing) {
    for (bool withVideo : {false, true}) {
        SCOPED_TRACE(withVideo ? "with intro.avi" : "without intro.avi");
        if (withVideo) folder.Write("intro.avi", "not really a video");
        services.display.presentCount = 0;
        CGameDlg& w = Start(false);
        EXPECT_TRUE(w.introPlaying);
        EXPECT_EQ(services.video.playCount, withVideo ? 2 : 1);
        for (int vk : {37, 40, 32, 65}) Press(vk);
        EXPECT_TRUE(w.introPlaying);
        EXPECT_EQ(services.display.presentCount, 0) << "nothing is flipped while the intro is on";
        EXPECT_EQ(w.currentState, MainMenu);
        Press(withVideo ? 27 : 13);
        EXPECT_FALSE(w.introPlaying);
        EXPECT_EQ(services.display.presentCount, 0) << "the closing frame draws nothing";
        EXPECT_FALSE(GameGlobals::input->enterPressed || GameGlobals::input->escapePressed);
        Frame();
        EXPECT_EQ(services.display.presentCount, 1) << "the menu is drawn from the next frame on";
        app.reset();
    }
}

TEST_F(AppTest, ClosingTheIntroStartsTheMenuMusicOnlyWithMusicOn) {
    for (char music : {'\x01', '\x00'}) {
        SCOPED_TRACE(music ? "music on" : "music off");
        folder.Write("Config.dat", std::string{'\0', music, '\1', '\0', '\2', '\0', '\0', '\0'});
        services.audio.calls.clear();
        Start(false);
        Frame();
        EXPECT_EQ(MusicCalls(), "") << "the menu music does not play during the intro";
        Press(13);
        EXPECT_EQ(MusicCalls().find("play:Music/Track9.MP3") != std::string::npos, music != 0) << MusicCalls();
        EXPECT_EQ(MusicCalls().find("play:") != std::string::npos, music != 0) << MusicCalls();
        app.reset();
    }
}

TEST_F(AppTest, ASwitchRequestedInAFrameHappensInTheNextOne) {
    CGameDlg& w = Start();
    CMainMenu* menu = GameGlobals::mainMenu;
    Press(13);  // new game
    EXPECT_EQ(w.requestedState, Briefing);
    EXPECT_EQ(w.currentState, MainMenu) << "the menu is still the screen of this frame";
    EXPECT_EQ(GameGlobals::mainMenu, menu);
    Frame();
    EXPECT_EQ(w.currentState, Briefing);
    EXPECT_EQ(GameGlobals::mainMenu, nullptr);
    EXPECT_NE(GameGlobals::briefing, nullptr);
}

TEST_F(AppTest, RequestingTheCurrentStateDoesNotRemakeTheScreen) {
    CGameDlg& w = Start();
    CMainMenu* menu = GameGlobals::mainMenu;
    const size_t traced = trace.size();
    w.requestedState = MainMenu;
    Frame();
    EXPECT_EQ(GameGlobals::mainMenu, menu);
    EXPECT_EQ(trace.size(), traced);
}

TEST_F(AppTest, TheLevelIsMadeAfterItsMapAndDeletedBeforeIt) {
    CGameDlg& w = Start();
    w.requestedState = Level;
    w.requestedLevel = 3;
    Frame();
    ASSERT_NE(GameGlobals::level, nullptr);
    EXPECT_EQ(GameGlobals::level->levelNumber, 3);
    EXPECT_NE(GameGlobals::collisionMap, nullptr);
    services.events.KeyDown(27);
    Frame();  // Escape: asks for the best scores, the level still runs this frame
    EXPECT_EQ(w.requestedState, Highscore);
    EXPECT_EQ(w.currentState, Level);
    Frame();
    EXPECT_EQ(w.currentState, Highscore);
    EXPECT_FALSE(w.outroPending);
    EXPECT_EQ(GameGlobals::level, nullptr);
    EXPECT_EQ(GameGlobals::collisionMap, nullptr);
    const std::vector<std::string> expected = {"+MainMenu", "-MainMenu",     "+CollisionMap", "+Level",
                                               "-Level",    "-CollisionMap", "+Highscore"};
    EXPECT_EQ(trace, expected);
}

TEST_F(AppTest, KeysSetAndClearTheirFlags) {
    CGameDlg& w = Start(false);
    InputState& input = *GameGlobals::input;
    const struct {
        int vk;
        bool* flag;
    } keys[] = {{37, &input.left.pressed}, {39, &input.right.pressed},  {40, &input.down.pressed},
                {38, &input.jump.pressed}, {32, &input.attack.pressed}, {16, &input.walk.pressed},
                {13, &input.enterPressed}, {27, &input.escapePressed},  {8, &input.backspacePressed}};
    for (const auto& key : keys) {
        w.OnKeyDown(key.vk);
        EXPECT_TRUE(*key.flag) << key.vk;
        w.OnKeyUp(key.vk);
        EXPECT_FALSE(*key.flag) << key.vk;
    }
    w.OnKeyDown(65);  // 'A', with or without Shift
    EXPECT_TRUE(input.letterTyped);
    EXPECT_EQ(input.lastLetter, 65);
    w.OnKeyUp(65);
    EXPECT_TRUE(input.letterTyped) << "key-up leaves the typed letter alone";
    w.OnKeyDown(49);  // a digit is not a letter
    EXPECT_EQ(input.lastLetter, 65);
}

TEST_F(AppTest, AKeyPressedAndReleasedBetweenTwoFramesStillActsOnce) {
    Start();
    // Down and up arrive together, before the next frame: the frame still sees the key.
    for (int i = 0; i < 2; ++i) {
        services.events.KeyDown(40);
        services.events.KeyUp(40);
    }
    Frame();
    EXPECT_EQ(GameGlobals::mainMenu->selectedItem, 1);
    EXPECT_FALSE(GameGlobals::input->down.pressed);
    // A pump without a frame in between holds the rest back.
    app->PumpEvents();
    app->PumpEvents();
    Frame();
    EXPECT_EQ(GameGlobals::mainMenu->selectedItem, 2) << "the second tap acts in the next frame";
    Frame();
    EXPECT_EQ(GameGlobals::mainMenu->selectedItem, 2);
    EXPECT_FALSE(GameGlobals::input->down.pressed);
}

TEST_F(AppTest, TheLevelMessageIsDrawnIn400FramesAtMost) {
    CountingText text;
    platform::Current().text = &text;
    CGameDlg& w = Start();
    w.requestedState = Level;
    Frame();
    ASSERT_NE(GameGlobals::level, nullptr);
    GameGlobals::level->message = "Uwaga";
    for (int i = 0; i < 450; ++i) Frame();
    ASSERT_EQ(text.calls.size(), 400u);
    EXPECT_EQ(text.calls.front(), "Uwaga@20,100#" + std::to_string(0xFFFF00));
    EXPECT_EQ(GameGlobals::level->messageFrames, 450);
    app.reset();
}

TEST_F(AppTest, EachDisplayStepThatFailsReportsItsOwnText) {
    const struct {
        platform::DisplayStep step;
        const char* text;
    } cases[] = {
        {platform::DisplayStep::CreateDevice, "Pad\xb3 Direct Draw"},
        {platform::DisplayStep::QueryInterface, "Pad\xb3 Direct Draw 7"},
        {platform::DisplayStep::Exclusive, "Pad\xb3 Tryb Wy\xb3\xb9\x63zno\x9c\x63i"},
        {platform::DisplayStep::Resolution, "Pad\xb3\x61 Rozdzielczo\x9c\xe6"},
        {platform::DisplayStep::PrimarySurface, "Przednia Powierzchnia Pad\xb3\x61"},
        {platform::DisplayStep::BackBuffer, "Tylnia Powierzchnia Pad\xb3\x61"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        services.display.failAt = c.step;
        services.display.cursorVisible = false;
        services.messageBox.shown.clear();
        CGameDlg window;
        EXPECT_FALSE(window.SetUpDisplay());
        EXPECT_EQ(services.messageBox.shown, std::vector<std::string>{c.text});
        EXPECT_TRUE(services.display.cursorVisible) << "the arrow cursor is shown with the message";
        EXPECT_EQ(window.drawTarget, nullptr);
    }
}

TEST_F(AppTest, WithoutADisplayTheGameRunsOnAndQuitsCleanly) {
    services.display.failAt = platform::DisplayStep::CreateDevice;
    CGameDlg& w = Start();
    for (int i = 0; i < 5; ++i) Press(40);
    Press(13);
    EXPECT_TRUE(w.quitPosted);
    EXPECT_TRUE(folder.Exists("Config.dat"));
}

TEST_F(AppTest, QuittingFromTheMenuWritesConfigAndDeletesEverything) {
    folder.Write("Config.dat", std::string("\x01\x00\x01\x01\x01\x00\x00\x00", 8));
    CGameDlg& w = Start(false);
    EXPECT_EQ(w.difficulty, 1);
    w.musicOption = 1;  // as the options screen would
    Press(13);
    for (int i = 0; i < 7; ++i) Press(40);  // past the last item changes nothing
    EXPECT_EQ(GameGlobals::mainMenu->selectedItem, 5);
    Press(13);
    EXPECT_TRUE(w.quitPosted);
    EXPECT_EQ(w.currentState, -1);
    EXPECT_EQ(folder.Read("Config.dat"), std::string("\x01\x01\x01\x01\x01\x00\x00\x00", 8));
    EXPECT_EQ(GameGlobals::mainMenu, nullptr);
    EXPECT_EQ(GameGlobals::sound, nullptr);
    EXPECT_EQ(GameGlobals::font, nullptr);
    EXPECT_EQ(GameGlobals::input, nullptr);
    EXPECT_FALSE(app->PumpEvents());
}

TEST_F(AppTest, ClosingTheWindowFromOutsideEndsTheGameLikeQuit) {
    CGameDlg& w = Start(false);
    w.soundOption = 0;
    services.events.Quit();
    EXPECT_FALSE(app->PumpEvents());
    EXPECT_TRUE(w.destroyed);
    EXPECT_EQ(folder.Read("Config.dat"), std::string("\x00\x01\x00\x00\x02\x00\x00\x00", 8));
}

// Config.dat: what start-up reads and what quitting writes back.
struct ConfigCase {
    const char* name;
    std::string file;  // "-" for no file
    uint8_t nearLayer, music, sound, spare;
    int32_t difficulty;
    int32_t lives;
    std::string writtenBack;
};

class ConfigTest : public AppTest, public ::testing::WithParamInterface<ConfigCase> {};

TEST_P(ConfigTest, ReadsTheOptionsAndWritesThemBack) {
    const ConfigCase& c = GetParam();
    if (c.file != "-") folder.Write("Config.dat", c.file);
    CGameDlg& w = Start(false);
    EXPECT_EQ(std::make_tuple(+w.nearLayerOption, +w.musicOption, +w.soundOption, +w.spareOption, w.difficulty),
              std::make_tuple(+c.nearLayer, +c.music, +c.sound, +c.spare, c.difficulty));
    w.player.Reset(w.difficulty);
    EXPECT_EQ(w.player.lives, c.lives);
    w.OnDestroy();
    EXPECT_EQ(folder.Read("Config.dat"), c.writtenBack);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ConfigTest,
    ::testing::Values(ConfigCase{"missing", "-", 0, 1, 1, 0, 2, 3, std::string("\x00\x01\x01\x00\x02\x00\x00\x00", 8)},
                      ConfigCase{"nearOnlyEasy", std::string("\x01\x00\x00\x00\x00\x00\x00\x00", 8), 1, 0, 0, 0, 0, 7,
                                 std::string("\x01\x00\x00\x00\x00\x00\x00\x00", 8)},
                      ConfigCase{"roundTrip", std::string("\x00\x01\x00\x01\x01\x00\x00\x00", 8), 0, 1, 0, 1, 1, 5,
                                 std::string("\x00\x01\x00\x01\x01\x00\x00\x00", 8)},
                      // Non-zero bytes other than 1 count as on and come back unchanged.
                      ConfigCase{"otherNonZero", std::string("\x05\xff\x02\x00\x02\x00\x00\x00", 8), 5, 255, 2, 0, 2, 3,
                                 std::string("\x05\xff\x02\x00\x02\x00\x00\x00", 8)},
                      // A short file keeps the defaults for what it lacks and comes back 8 bytes long.
                      ConfigCase{"short", std::string("\x01\x00", 2), 1, 0, 1, 0, 2, 3,
                                 std::string("\x01\x00\x01\x00\x02\x00\x00\x00", 8)},
                      ConfigCase{"empty", "", 0, 1, 1, 0, 2, 3, std::string("\x00\x01\x01\x00\x02\x00\x00\x00", 8)},
                      // An absurd difficulty counts as hard.
                      ConfigCase{"absurdDifficulty", std::string("\x00\x01\x01\x00\xff\xff\xff\x7f", 8), 0, 1, 1, 0, 2,
                                 3, std::string("\x00\x01\x01\x00\x02\x00\x00\x00", 8)},
                      ConfigCase{"longer", std::string("\x01\x01\x01\x00\x01\x00\x00\x00garbage", 15), 1, 1, 1, 0, 1, 5,
                                 std::string("\x01\x01\x01\x00\x01\x00\x00\x00", 8)}),
    [](const ::testing::TestParamInfo<ConfigCase>& info) { return std::string(info.param.name); });

TEST_F(AppTest, AConfigThatCannotBeWrittenKeepsTheOldFileWhole) {
    folder.Write("Config.dat", std::string("\x01\x01\x01\x00\x01\x00\x00\x00", 8));
    CGameDlg& w = Start(false);
    w.musicOption = 0;
    // Something in the way of the temporary file makes the write fail, even for root.
    folder.Write("Config.dat.kvbtmp/blocker", "");
    w.OnDestroy();
    EXPECT_EQ(folder.Read("Config.dat"), std::string("\x01\x01\x01\x00\x01\x00\x00\x00", 8));
}

TEST_F(AppTest, APausedLevelHoldsTheSoundsUntilResumedOrLeft) {
    CGameDlg& w = Start();
    w.requestedLevel = 0;
    w.requestedState = Level;
    Frame();
    ASSERT_EQ(w.currentState, Level);
    for (bool paused : {true, false, true}) {
        Press('P');
        EXPECT_EQ(services.audio.paused, paused);
        EXPECT_EQ(GameGlobals::level->paused, paused);
    }
    Press(27);
    Frame();
    EXPECT_EQ(w.currentState, Highscore);
    EXPECT_FALSE(services.audio.paused) << "the sounds go on after a level left paused";
}

TEST_F(AppTest, TheSettingsFileReachesTheDisplayTheSoundsAndTheKeys) {
    folder.Write("settings.ini",
                 "[display]\nfullscreen = off\nwindow_width = 1024\nscaling = integer\nfilter = nearest\n"
                 "[sound]\nsound_volume = 40\nmusic_volume = 0\n[keys]\njump = W\npause = K\n");
    CGameDlg& w = Start(false);
    const platform::DisplayOptions& shown = services.display.options;
    EXPECT_EQ(std::make_tuple(shown.fullscreen, shown.windowWidth, shown.windowHeight, shown.integerScaling,
                              shown.nearestFilter, shown.vsync),
              std::make_tuple(false, 1024, 600, true, true, false));
    EXPECT_EQ(std::make_pair(services.audio.soundVolume, services.audio.musicVolume), std::make_pair(40, 0));
    EXPECT_EQ(GameGlobals::input->jump.key, 'W');
    EXPECT_EQ(w.settings.keyPause, 'K');
}

TEST_F(AppTest, WithoutASettingsFileTheDefaultsAreWrittenAtTheEnd) {
    CGameDlg& w = Start(false);
    EXPECT_EQ(GameGlobals::input->jump.key, 38);
    EXPECT_TRUE(services.events.padsStarted);
    EXPECT_EQ(std::filesystem::absolute(services.events.padMappingFile),
              std::filesystem::path(folder.Path()) / "gamecontrollerdb.txt");
    EXPECT_FALSE(folder.Exists("settings.ini"));
    w.OnDestroy();
    EXPECT_EQ(folder.Read("settings.ini"), CSettings().Format());
}

}  // namespace
