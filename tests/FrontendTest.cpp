// The screens around the levels: options, about, briefing, load game, best scores, and the flow between them.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "GameRun.h"
#include "TestSupport.h"
#include "app/GameApp.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "core/Language.h"
#include "data/SaveSlots.h"
#include "data/UnitType.h"
#include "frontend/AboutScreen.h"
#include "frontend/Briefing.h"
#include "frontend/Highscore.h"
#include "frontend/LoadGameMenu.h"
#include "frontend/MainMenu.h"
#include "frontend/OptionsMenu.h"
#include "media/SoundSystem.h"

using testing_support::HeadlessServices;
using testing_support::SolidPng;
using testing_support::TempGameFolder;

namespace {

constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kBackspace = 8;
const char kPictureMissing[] = "B\xb3\xb9\x64 \xb3\x61\x64owania bitmapy t\xb3\x61";

std::string Int32Bytes(int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
}

std::string SlotBytes(const PlayerRecord& r) {
    return Int32Bytes(r.nextLevel) + Int32Bytes(r.health) + Int32Bytes(r.lives) + Int32Bytes(r.score) +
           Int32Bytes(r.money) + Int32Bytes(r.strength);
}

std::string HighscoreRecord(const std::string& name, int32_t score) {
    std::string padded = name;
    padded.resize(10, ' ');
    return padded + Int32Bytes(score);
}

bool SameRecord(const PlayerRecord& a, const PlayerRecord& b) {
    return SlotBytes(a) == SlotBytes(b);
}

std::string EnemyBlock(const std::string& type) {
    return "<ENEMY><ENEMY_TYPE T=\"" + type + "\"/><START_POS X=\"10\" Y=\"10\"/></ENEMY>\r\n";
}

// The main menu's items that open a screen, the background picture and the object of each screen.
const struct {
    int item;
    GameState screen;
    const char* picture;
    const void* (*object)();
} kScreens[] = {
    {0, Briefing, "Graphics/Briefing/Background.png", []() -> const void* { return GameGlobals::briefing; }},
    {1, LoadGame, "Graphics/LoadGame/Background.png", []() -> const void* { return GameGlobals::loadGameMenu; }},
    {2, Options, "Graphics/Options/Background.png", []() -> const void* { return GameGlobals::optionsMenu; }},
    {3, About, "Graphics/About/Background.png", []() -> const void* { return GameGlobals::aboutScreen; }},
    {4, Highscore, "Graphics/Highscore/Background.png", []() -> const void* { return GameGlobals::highscore; }},
};

class FrontendTest : public ::testing::Test {
protected:
    TempGameFolder folder;
    HeadlessServices services;
    std::unique_ptr<CGameApp> app;

    void SetUp() override {
        // TEXT entries "t0" .. "t39", so a line on screen names the entries it is made of.
        std::string texts = "<TEXTS>\r\n";
        for (int i = 0; i < 40; ++i) texts += "<T TEXT=\"t" + std::to_string(i) + "\"/>\r\n";
        folder.Write("Data/Text.xml", texts + "</TEXTS>\r\n");
        folder.Write("Data/Sample.xml", "<S SAMPLE=\"MENU_CURSOR\"/><S SAMPLE=\"MENU_SELECT\"/>");
        folder.Write("SOUND/MENU_CURSOR.WAV", "x");
        folder.Write("SOUND/MENU_SELECT.WAV", "x");
        for (int n = 0; n < 10; ++n) folder.Write("Music/Track" + std::to_string(n) + ".MP3", "x");
    }
    void TearDown() override { Stop(); }

    // Starts the game and closes the intro: the main menu is on.
    void Start() {
        app = std::make_unique<CGameApp>();
        app->InitInstance();
        Press(kEscape);
        ASSERT_FALSE(Window().introPlaying);
        ASSERT_EQ(Window().currentState, MainMenu);
    }
    void Stop() {
        if (app && !app->window.destroyed) app->window.OnDestroy();
        app.reset();
    }
    CGameDlg& Window() { return app->window; }
    InputState& Input() { return *GameGlobals::input; }

    void Frame() {
        services.clock.Advance(21);
        if (app->PumpEvents()) app->window.RunFrame();
    }
    void Press(int vk) {
        services.events.KeyDown(vk);
        Frame();
        services.events.KeyUp(vk);
    }
    void Type(const std::string& letters) {
        for (char c : letters) Press(c);
    }
    // Starts the game and opens the main menu's item.
    void OpenItem(int item) {
        Start();
        Choose(item);
    }
    // From the main menu: moves to an item, chooses it and lets the next screen start.
    void Choose(int item) {
        for (int i = 0; i < item; ++i) Press(kDown);
        Press(kEnter);
        Frame();
    }
    void Leave() {
        Press(kEscape);
        Frame();
        ASSERT_EQ(Window().currentState, MainMenu);
    }
    // Asks for a screen as a screen would, and lets it start.
    void Enter(GameState state, int32_t level = 0) {
        Window().requestedState = state;
        Window().requestedLevel = level;
        Frame();
        ASSERT_EQ(Window().currentState, state);
    }
    uint32_t Pixel(int x, int y) { return services.display.BackBuffer()->GetPixel(x, y); }
    int Shown(const std::string& text) const {
        return static_cast<int>(std::count(services.messageBox.shown.begin(), services.messageBox.shown.end(), text));
    }
    int Sounds(const std::string& name) const {
        return static_cast<int>(
            std::count(services.audio.calls.begin(), services.audio.calls.end(), "sample:SOUND/" + name + ".WAV"));
    }
};

// ---- The flow between the screens ----

TEST_F(FrontendTest, EveryScreenOfTheMainMenuIgnoresAnEscapeFromTheMenuAndReturnsOnItsOwn) {
    for (const auto& c : kScreens) {
        SCOPED_TRACE(c.item);
        Start();
        for (int i = 0; i < c.item; ++i) Press(kDown);
        const int selects = Sounds("MENU_SELECT");
        // Escape and Enter in the same frame: the menu takes Enter and leaves Escape alone.
        services.events.KeyDown(kEscape);
        services.events.KeyDown(kEnter);
        Frame();
        EXPECT_EQ(Window().requestedState, c.screen);
        EXPECT_EQ(Sounds("MENU_SELECT"), selects + 1);
        EXPECT_TRUE(Input().escapePressed) << "the menu does nothing with Escape";
        Frame();
        EXPECT_EQ(Window().currentState, c.screen);
        EXPECT_EQ(Window().requestedState, c.screen) << "the new screen cleared Escape when it was made";
        EXPECT_NE(c.object(), nullptr);
        EXPECT_EQ(GameGlobals::mainMenu, nullptr) << "a screen object lives exactly as long as its state";
        services.events.KeyUp(kEscape);
        services.events.KeyUp(kEnter);
        Frame();
        EXPECT_EQ(Window().currentState, c.screen);

        Window().requestedLevel = 5;
        Press(kEscape);
        EXPECT_EQ(Window().requestedState, MainMenu);
        EXPECT_EQ(Window().requestedLevel, 0);
        Frame();
        ASSERT_EQ(Window().currentState, MainMenu);
        EXPECT_EQ(c.object(), nullptr);
        EXPECT_EQ(GameGlobals::mainMenu->selectedItem, 0) << "the menu is made afresh";
        Stop();
    }
}

TEST_F(FrontendTest, ScreenBackgroundsAreDrawnAndComeBackAfterADisplayReset) {
    struct Case {
        int item;  // -1: the main menu itself
        GameState screen;
        const char* picture;
    };
    std::vector<Case> cases = {{-1, MainMenu, "Graphics/Menu/Bkg.png"}};
    for (const auto& c : kScreens) cases.push_back({c.item, c.screen, c.picture});
    uint32_t colour = 0x123456;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        folder.Write(c.picture, SolidPng(800, 600, ++colour));
        Start();
        if (c.item >= 0) Choose(c.item);
        Frame();
        ASSERT_EQ(Window().currentState, c.screen);
        EXPECT_EQ(Shown(kPictureMissing), 0);
        platform::Surface* back = services.display.BackBuffer();
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->GetPixel(5, 590), colour);
        platform::MarkAllSurfacesLost();
        back->Restore();
        back->Fill(0);
        Frame();
        EXPECT_EQ(back->GetPixel(5, 590), colour) << "the lost background was filled again";
        Stop();
    }
}

// ---- Options and About ----

TEST_F(FrontendTest, OptionsCursorStopsAtBothEndsWithoutASound) {
    OpenItem(2);
    COptionsMenu& options = *GameGlobals::optionsMenu;
    const int cursor = Sounds("MENU_CURSOR");
    services.events.KeyDown(kUp);
    Frame();
    EXPECT_EQ(options.selectedRow, 0);
    EXPECT_TRUE(Input().jump.pressed) << "a key that did nothing stays pressed";
    services.events.KeyUp(kUp);
    Frame();
    // Down four times (the last one at the end), then Up once.
    const struct {
        int key, row, sounds;
    } steps[] = {{kDown, 1, 1}, {kDown, 2, 2}, {kDown, 3, 3}, {kDown, 3, 3}, {kUp, 2, 4}};
    for (const auto& s : steps) {
        Press(s.key);
        EXPECT_EQ(options.selectedRow, s.row);
        EXPECT_EQ(Sounds("MENU_CURSOR"), cursor + s.sounds);
    }
}

TEST_F(FrontendTest, OptionsEnterChangesTheRowUnderTheCursor) {
    OpenItem(2);
    CGameDlg& w = Window();
    ASSERT_EQ(w.difficulty, 2);
    // Difficulty: 2, 0, 1, 2.
    Press(kDown);
    for (int32_t expected : {0, 1, 2, 0}) {
        const int selects = Sounds("MENU_SELECT");
        Press(kEnter);
        EXPECT_EQ(w.difficulty, expected);
        EXPECT_EQ(Sounds("MENU_SELECT"), selects + 1);
    }
    // Music and sound, each on and off; the other settings stay as they are.
    auto settings = [&] { return std::tuple(+w.nearLayerOption, w.difficulty, +w.musicOption, +w.soundOption); };
    Press(kDown);
    Press(kEnter);
    EXPECT_EQ(settings(), std::tuple(0, 0, 0, 1));
    Press(kEnter);
    EXPECT_EQ(settings(), std::tuple(0, 0, 1, 1));
    Press(kDown);
    Press(kEnter);
    EXPECT_EQ(settings(), std::tuple(0, 0, 1, 0));
    // With sound off, the next change plays nothing.
    const int selects = Sounds("MENU_SELECT");
    Press(kEnter);
    EXPECT_EQ(w.soundOption, 1);
    EXPECT_EQ(Sounds("MENU_SELECT"), selects);
}

TEST_F(FrontendTest, OptionsAreWrittenToConfigDatWhenTheGameEnds) {
    // Near layer stored as 5 (on), spare option 1, difficulty 2.
    folder.Write("Config.dat", std::string("\x05\x01\x01\x01\x02\x00\x00\x00", 8));
    OpenItem(2);
    Press(kEnter);  // near layer 5 -> 0
    EXPECT_EQ(Window().nearLayerOption, 0);
    Press(kEnter);  // 0 -> 1
    Press(kDown);
    Press(kEnter);  // difficulty 2 -> 0
    Press(kDown);
    Press(kEnter);  // music off
    Leave();
    Choose(5);  // quit
    EXPECT_TRUE(Window().destroyed);
    EXPECT_EQ(folder.Read("Config.dat"), std::string("\x01\x00\x01\x01\x00\x00\x00\x00", 8));
}

TEST_F(FrontendTest, AboutTakesOnlyEscape) {
    OpenItem(3);
    EXPECT_EQ(Shown(kPictureMissing), 1);
    for (int vk : {kEnter, kDown, kUp, kLeft, kRight, int{'A'}, kBackspace}) Press(vk);
    EXPECT_EQ(Window().currentState, About);
    EXPECT_EQ(Window().requestedState, About);
    Leave();
}

// ---- Briefing ----

TEST_F(FrontendTest, BriefingTradesFollowTheirRules) {
    const struct {
        const char* what;
        int32_t money, strength, score, lives;
        int32_t trade;
        int32_t offer;
        int32_t money2, strength2, score2, lives2;
    } cases[] = {
        {"95 money for strength", 95, 20, 0, 3, 0, 9, 5, 29, 0, 3},
        {"95 money buys no life", 95, 20, 0, 3, 2, 0, 95, 20, 0, 3},
        {"95 money times strength 20 for score", 95, 20, 7, 3, 1, 1900, 0, 20, 1907, 3},
        {"250 money: at most 10 strength", 250, 10, 0, 3, 0, 10, 150, 20, 0, 3},
        {"250 money: two lives", 250, 10, 0, 3, 2, 2, 50, 10, 0, 5},
        {"no money", 0, 10, 5, 3, 1, 0, 0, 10, 5, 3},
        {"a debt buys no strength; money does not stay below 0", -95, 10, 0, 3, 0, 0, 0, 10, 0, 3},
        {"a debt buys no life", -950, 10, 0, 3, 2, 0, -950, 10, 0, 3},
        {"a huge score trade stays within 32 bits", INT_MAX, 1000, 5, 3, 1, INT_MAX, 0, 1000, INT_MAX, 3},
        {"a trade number out of range gives nothing", 500, 10, 0, 3, 7, 0, 500, 10, 0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PlayerRecord player{.lives = c.lives, .score = c.score, .money = c.money, .strength = c.strength};
        const PlayerRecord unchanged = player;
        EXPECT_EQ(CBriefing::Trade(player, c.trade, false), c.offer);
        EXPECT_TRUE(SameRecord(player, unchanged)) << "an offer changes nothing";
        EXPECT_EQ(CBriefing::Trade(player, c.trade, true), c.offer);
        EXPECT_EQ(std::tuple(player.money, player.strength, player.score, player.lives),
                  std::tuple(c.money2, c.strength2, c.score2, c.lives2));
    }
}

class BriefingTest : public FrontendTest {
protected:
    void SetUp() override {
        FrontendTest::SetUp();
        std::string level1 = "<LEVEL>\r\n";
        for (const char* type : {"T0", "T1", "T2", "T3", "T4", "T2"}) level1 += EnemyBlock(type);
        folder.Write("LevelDescriptions/Level1.xml", level1 + "</LEVEL>\r\n");
        std::string level2 = "<LEVEL>\r\n";
        for (int i = 0; i < 12; ++i) level2 += EnemyBlock("M" + std::to_string(i));
        folder.Write("LevelDescriptions/Level2.xml", level2 + "</LEVEL>\r\n");
        folder.Write("Units/T2.xml", "<UNIT><ENERGY ENERGY=\"7\"/><SPEED SPEED=\"3\"/></UNIT>");
    }
    CBriefing& Open(int32_t level) {
        Start();
        Enter(Briefing, level);
        return *GameGlobals::briefing;
    }
};

TEST_F(BriefingTest, TheRowStartsInTheMiddleAndTheMusicStops) {
    const CBriefing& b = Open(1);
    // Five types (T2 twice counts once): the middle one in the middle box.
    EXPECT_EQ(std::tuple(b.levelNumber, b.typeCount, b.shownType, b.targetType, b.scroll, b.BoxLeft(2)),
              std::tuple(1, 5, 2, 2, 256, 320));
    ASSERT_NE(b.Type(2), nullptr);
    EXPECT_EQ(b.Type(2)->energy, 7);
    EXPECT_EQ(b.Type(2)->speed, 3);
    EXPECT_EQ(GameGlobals::sound->lastTrack, 10);
    EXPECT_FALSE(GameGlobals::sound->MusicPlaying());
}

TEST_F(BriefingTest, OnlyTheFirstTenEnemyTypesAreShown) {
    const CBriefing& b = Open(2);
    EXPECT_EQ(b.typeCount, 10);
    EXPECT_NE(b.Type(9), nullptr);
    EXPECT_EQ(b.Type(10), nullptr);
    EXPECT_EQ(b.shownType, 5);
}

TEST_F(BriefingTest, ALevelWithoutEnemiesHasAnEmptyRow) {
    CBriefing& b = Open(6);
    EXPECT_EQ(b.typeCount, 0);
    const int cursor = Sounds("MENU_CURSOR");
    Press(kLeft);
    Press(kRight);
    EXPECT_EQ(b.targetType, 0);
    EXPECT_EQ(Sounds("MENU_CURSOR"), cursor);
}

TEST_F(BriefingTest, TheRowSlidesTenPixelsAFrameAndTheShownTypeFollowsOnArrival) {
    CBriefing& b = Open(1);
    const int cursor = Sounds("MENU_CURSOR");
    Press(kRight);
    Press(kRight);
    EXPECT_EQ(b.targetType, 4);
    EXPECT_EQ(b.shownType, 2);
    EXPECT_EQ(b.scroll, 276);
    EXPECT_EQ(Sounds("MENU_CURSOR"), cursor + 2);
    int frames = 0;
    while (b.shownType != 4 && frames < 100) {
        const int32_t before = b.scroll;
        Frame();
        ++frames;
        // The frame of arrival does not move the row.
        EXPECT_EQ(b.scroll, b.shownType != 4 ? before + 10 : before);
    }
    EXPECT_EQ(b.scroll, 516);
    EXPECT_EQ(frames, 25);
    // At the last type Right does nothing, makes no sound, and is used up all the same.
    services.events.KeyDown(kRight);
    Frame();
    EXPECT_EQ(b.targetType, 4);
    EXPECT_FALSE(Input().right.pressed);
    services.events.KeyUp(kRight);
    EXPECT_EQ(Sounds("MENU_CURSOR"), cursor + 2);
    // Left goes back and slides down to the new target.
    Press(kLeft);
    EXPECT_EQ(b.targetType, 3);
    for (int i = 0; i < 30; ++i) Frame();
    EXPECT_EQ(b.shownType, 3);
    EXPECT_EQ(b.scroll, 376);
}

TEST_F(BriefingTest, UpAndDownCycleTheTrade) {
    CBriefing& b = Open(1);
    const int cursor = Sounds("MENU_CURSOR");
    for (auto [key, expected] : {std::pair{kUp, 1}, {kUp, 2}, {kUp, 0}, {kDown, 2}, {kDown, 1}, {kDown, 0}}) {
        Press(key);
        EXPECT_EQ(b.trade, expected);
    }
    EXPECT_EQ(Sounds("MENU_CURSOR"), cursor + 6);
}

TEST_F(BriefingTest, EnterMakesTheTradeAndStartsTheLevel) {
    Open(1);
    Window().player.money = 95;
    Window().player.strength = 20;
    Window().player.score = 10;
    Press(kUp);  // trade 1: score
    Press(kEnter);
    EXPECT_EQ(Window().requestedState, Level);
    EXPECT_EQ(Window().requestedLevel, 1);
    EXPECT_EQ(Window().player.money, 0);
    EXPECT_EQ(Window().player.score, 1910);
    EXPECT_EQ(Sounds("MENU_SELECT"), 1);
}

TEST_F(BriefingTest, EscapeLeavesThePlayerAsHeWas) {
    Open(1);
    Window().player.money = 250;
    const PlayerRecord before = Window().player;
    Press(kEscape);
    EXPECT_EQ(Window().requestedState, MainMenu);
    EXPECT_EQ(Window().requestedLevel, 0);
    EXPECT_TRUE(SameRecord(Window().player, before));
    EXPECT_EQ(Sounds("MENU_SELECT"), 0);
}

TEST_F(BriefingTest, TheFramesAreDrawnWithTheirColourKey) {
    folder.Write("Graphics/Briefing/Background.png", SolidPng(800, 600, 0x000010));
    // The selected frame is all key colour: drawn with its key it leaves the background alone.
    folder.Write("Graphics/Briefing/Selected.png", SolidPng(128, 128, 0xB3002D));
    folder.Write("Graphics/Briefing/Unselected.png", SolidPng(128, 128, 0x777777));
    Open(1);
    EXPECT_EQ(Pixel(320 + 64, 50 + 120), 0x000010u) << "the selected frame is all key colour";
    EXPECT_EQ(Pixel(320 + 138 + 64, 50 + 120), 0x777777u) << "the next box is unselected";
    EXPECT_EQ(Pixel(10, 590), 0x000010u);
    EXPECT_EQ(Shown("B\xb3\x61\x64 \xb3\x61\x64owania t\xb3\x61 Briefing"), 0);
}

TEST_F(BriefingTest, EachBoxShowsItsTypesWalkingAnimationCentredInIt) {
    folder.Write("Graphics/Briefing/Background.png", SolidPng(800, 600, 0x000010));
    // Type T2 (the middle box, at x 320): frames 40 x 32 in one row; its class spelled in small letters.
    folder.Write("Units/T2.xml",
                 "<UNIT><CLASS CLASS=\"dino\"/><MAXSIZE HEIGHT=\"32\" WIDTH=\"40\"/><ENERGY ENERGY=\"7\"/></UNIT>");
    folder.Write("Units/DINO/MOVELEFT.png", SolidPng(80, 32, 0x00FF00));
    Open(1);
    // Left edge 320 + 64 - 40 / 2 + 5 = 369, top 114 - 32 / 2 = 98; 40 x 32 pixels.
    const std::tuple<int, int, uint32_t> pixels[] = {
        {369, 98, 0x00FF00}, {408, 129, 0x00FF00}, {368, 98, 0x000010},
        {409, 98, 0x000010}, {369, 97, 0x000010},  {369, 130, 0x000010},
    };
    for (auto [x, y, colour] : pixels) EXPECT_EQ(Pixel(x, y), colour) << x << "," << y;
    // The row slides: two frames later the picture stands 20 pixels further left.
    Press(kRight);
    Frame();
    EXPECT_EQ(Pixel(349, 98), 0x00FF00u);
    EXPECT_EQ(Pixel(389, 98), 0x000010u);
}

// ---- Save slots and the load-game screen ----

TEST_F(FrontendTest, WithoutSaveFilesEveryLineIsEmptyAndTheFilesAreMade) {
    OpenItem(1);
    const CLoadGameMenu& load = *GameGlobals::loadGameMenu;
    for (int i = 0; i < CLoadGameMenu::kShownSlots; ++i) {
        EXPECT_EQ(load.LineText(i), "t11 " + std::to_string(i + 2) + " t12 ");
    }
    services.events.KeyDown(kEnter);
    Frame();
    Frame();
    EXPECT_EQ(Window().currentState, LoadGame);
    EXPECT_TRUE(Input().enterPressed) << "Enter on an empty slot is not used up";
    services.events.KeyUp(kEnter);
    EXPECT_EQ(Sounds("MENU_SELECT"), 1) << "only the menu's choice was heard";
    for (int i = 0; i < kSaveSlotCount; ++i) {
        ASSERT_TRUE(folder.Exists("SAVE" + std::to_string(i)));
        EXPECT_EQ(folder.Read("SAVE" + std::to_string(i)), "");
    }
}

TEST_F(FrontendTest, AFinishedLevelIsStoredAndContinuedFrom) {
    Start();
    const PlayerRecord record{.nextLevel = 1, .health = 80, .lives = 4, .score = 1234, .money = 56, .strength = 12};
    ASSERT_TRUE(StoreFinishedLevel(0, record, Window().difficulty));
    EXPECT_EQ(folder.Read("SAVE0"), SlotBytes(record));
    PlayerRecord fresh;
    fresh.Reset(Window().difficulty);
    for (int i = 1; i < kSaveSlotCount; ++i) {
        EXPECT_EQ(folder.Read("SAVE" + std::to_string(i)), SlotBytes(fresh)) << "other slots are written fresh: " << i;
    }
    EXPECT_FALSE(StoreFinishedLevel(8, record, 2));
    EXPECT_FALSE(StoreFinishedLevel(-1, record, 2));

    Choose(1);
    EXPECT_EQ(GameGlobals::loadGameMenu->LineText(0), "t11 2 t13 ");
    EXPECT_EQ(GameGlobals::loadGameMenu->LineText(1), "t11 3 t12 ");
    Press(kEnter);
    EXPECT_EQ(Window().requestedState, Briefing);
    EXPECT_EQ(Window().requestedLevel, 1);
    EXPECT_TRUE(SameRecord(Window().player, record));
    EXPECT_EQ(Sounds("MENU_SELECT"), 2);
    Frame();
    ASSERT_EQ(Window().currentState, Briefing);
    EXPECT_EQ(GameGlobals::briefing->levelNumber, 1);
}

TEST_F(FrontendTest, ASlotWithANextLevelTheGameDoesNotHaveIsEmpty) {
    auto record = [](int32_t nextLevel) { return SlotBytes(PlayerRecord{.nextLevel = nextLevel, .money = 77}); };
    folder.Write("SAVE0", record(9));
    folder.Write("SAVE1", record(-3));
    folder.Write("SAVE2", record(8));
    folder.Write("SAVE3", record(7));
    folder.Write("SAVE4", std::string("\x02\x00\x00", 3));        // a short file
    folder.Write("SAVE5", std::string(1000, '\xFF'));             // garbage: next level -1
    folder.Write("SAVE6", record(3) + std::string(500, '\x7F'));  // too long: the first 24 bytes count
    OpenItem(1);
    CLoadGameMenu& load = *GameGlobals::loadGameMenu;
    const bool expectedEmpty[7] = {true, true, true, false, false, true, false};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(IsEmptySlot(load.slots[i]), expectedEmpty[i]) << i;
    EXPECT_EQ(load.slots[4].nextLevel, 2) << "a short file gives the bytes it has";
    EXPECT_EQ(load.slots[4].health, 100);
    EXPECT_EQ(load.slots[6].money, 77);
    // Enter on slot 0 (next level 9) does nothing.
    Press(kEnter);
    EXPECT_EQ(Window().requestedState, LoadGame);
    for (int i = 0; i < 3; ++i) Press(kDown);
    Press(kEnter);
    EXPECT_EQ(Window().requestedState, Briefing);
    EXPECT_EQ(Window().requestedLevel, 7);
    EXPECT_EQ(Window().player.money, 77);
}

TEST_F(FrontendTest, TheSlotCursorStopsAtTheSeventhLine) {
    OpenItem(1);
    CLoadGameMenu& load = *GameGlobals::loadGameMenu;
    for (int i = 0; i < 6; ++i) Press(kDown);
    EXPECT_EQ(load.selectedSlot, 6);
    const int cursor = Sounds("MENU_CURSOR");
    Press(kDown);
    EXPECT_EQ(load.selectedSlot, 6);
    EXPECT_EQ(Sounds("MENU_CURSOR"), cursor);
    for (int i = 0; i < 8; ++i) Press(kUp);
    EXPECT_EQ(load.selectedSlot, 0);
    EXPECT_EQ(Sounds("MENU_CURSOR"), cursor + 6);
}

// ---- Best scores ----

std::string DescendingTable() {
    const std::pair<const char*, int32_t> rows[] = {
        {"ANNA", 500},  {"BOLEK", 400}, {"CEZARY", 300}, {"DOROTA", 200}, {"EWA", 100},
        {"FELIKS", 90}, {"GOSIA", 80},  {"HENIO", 70},   {"IGA", 60},     {"JANEK", 50},
    };
    std::string bytes;
    for (const auto& [name, score] : rows) bytes += HighscoreRecord(name, score);
    return bytes;
}

class HighscoreTest : public FrontendTest {
protected:
    // Enters the table from the main menu with the player holding a score.
    CHighscore& Open(int32_t score) {
        Window().player.score = score;
        Choose(4);
        EXPECT_EQ(Window().currentState, Highscore);
        return *GameGlobals::highscore;
    }
    void StartWithTable() {
        folder.Write("Highscore.dat", DescendingTable());
        Start();
    }
    // The 14-byte record of the given row in the file.
    std::string Row(int row) const { return folder.Read("Highscore.dat").substr(14 * row, 14); }
};

TEST_F(HighscoreTest, ANewScoreOpensARowBelowAnEqualOneAndTakesTheTypedName) {
    StartWithTable();
    CHighscore& table = Open(400);
    EXPECT_EQ(table.editRow, 2);
    EXPECT_EQ(table.rows[1].name, "BOLEK     ") << "names keep their filling blanks";
    EXPECT_EQ(table.rows[2].name, "");
    EXPECT_EQ(table.rows[2].scoreText, "400");
    EXPECT_EQ(table.rows[3].name, "CEZARY    ");
    EXPECT_EQ(table.rows[3].score, 300);
    EXPECT_EQ(table.rows[9].name, "IGA       ");
    EXPECT_EQ(table.rows[9].scoreText, "60");

    Press(kBackspace);
    EXPECT_EQ(table.typedName, "") << "Backspace on an empty name does nothing";
    Type("AB");
    EXPECT_EQ(table.typedName, "AB");
    Press(kBackspace);
    EXPECT_EQ(table.typedName, "A");
    Type("BCDEFGHIJKL");
    EXPECT_EQ(table.typedName, "ABCDEFGHIJ") << "the 11th letter is ignored";
    EXPECT_FALSE(Input().letterTyped);
    Press(kEnter);
    EXPECT_EQ(table.editRow, -1);
    EXPECT_EQ(table.rows[2].name, "ABCDEFGHIJ");
    EXPECT_EQ(table.rows[2].scoreText, "400");
    EXPECT_EQ(Window().player.score, 0) << "the record is reset so the score is not offered again";
    EXPECT_EQ(Window().player.lives, 3);
    Type("XY");
    EXPECT_EQ(table.rows[2].name, "ABCDEFGHIJ");
    Leave();
    ASSERT_EQ(folder.Read("Highscore.dat").size(), 140u);
    EXPECT_EQ(Row(2), HighscoreRecord("ABCDEFGHIJ", 400));
    EXPECT_EQ(Row(3), HighscoreRecord("CEZARY", 300));
    EXPECT_EQ(Row(9), HighscoreRecord("IGA", 60));
}

TEST_F(HighscoreTest, ALetterTypedOnTheMenuDoesNotReachTheName) {
    StartWithTable();
    Press('Q');
    ASSERT_TRUE(Input().letterTyped) << "the menu leaves letters alone";
    CHighscore& table = Open(450);
    Frame();
    EXPECT_EQ(table.editRow, 1);
    EXPECT_EQ(table.typedName, "");
}

TEST_F(HighscoreTest, AScoreOfZeroOpensNoRow) {
    StartWithTable();
    CHighscore& table = Open(0);
    EXPECT_EQ(table.editRow, -1);
    Type("AB");
    EXPECT_EQ(table.typedName, "");
    Leave();
    EXPECT_EQ(folder.Read("Highscore.dat"), DescendingTable()) << "an untouched table is written back as it was";
}

TEST_F(HighscoreTest, EscapeWhileTypingKeepsTheRowWithoutANameAndTheScoreMakesNoOther) {
    StartWithTable();
    Open(400);
    Type("AB");
    Leave();
    ASSERT_EQ(folder.Read("Highscore.dat").size(), 140u);
    EXPECT_EQ(Row(2), HighscoreRecord("", 400));
    EXPECT_EQ(Window().player.score, 0) << "the record is reset as after Enter";
    EXPECT_EQ(Window().player.lives, 3);
    // Back to the table from the menu: the score already has its row.
    Choose(4);
    ASSERT_EQ(Window().currentState, Highscore);
    EXPECT_EQ(GameGlobals::highscore->editRow, -1);
    Leave();
    EXPECT_EQ(Row(2), HighscoreRecord("", 400));
    EXPECT_EQ(Row(3), HighscoreRecord("CEZARY", 300)) << "one row for the score";
}

TEST_F(HighscoreTest, AMissingTableIsMadeAndAnyScoreEntersAtTheTop) {
    Start();
    CHighscore& table = Open(5);
    EXPECT_TRUE(folder.Exists("Highscore.dat"));
    EXPECT_EQ(folder.Read("Highscore.dat"), "") << "made empty on entry";
    EXPECT_EQ(table.editRow, 0);
    EXPECT_EQ(table.rows[1].scoreText, "");
    Type("Z");
    Press(kEnter);
    Leave();
    std::string expected = HighscoreRecord("Z", 5);
    for (int i = 1; i < 10; ++i) expected += HighscoreRecord("", 0);
    EXPECT_EQ(folder.Read("Highscore.dat"), expected);
}

TEST_F(HighscoreTest, AShortFileIsReadAsFarAsItHoldsWholeRecords) {
    folder.Write("Highscore.dat", DescendingTable().substr(0, 42) + std::string("\x01\x02\x03\x04\x05", 5));
    Start();
    CHighscore& table = Open(0);
    EXPECT_EQ(table.rows[2].score, 300);
    for (int r = 3; r < 10; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(table.rows[r].name, "");
        EXPECT_EQ(table.rows[r].scoreText, "");
        EXPECT_EQ(table.rows[r].score, 0);
    }
    Leave();
    ASSERT_EQ(folder.Read("Highscore.dat").size(), 140u);
    EXPECT_EQ(Row(3), HighscoreRecord("", 0));
}

TEST_F(HighscoreTest, GarbageTablesSurviveTheScreenAndComeBackByteForByte) {
    std::mt19937 random(7);
    auto garbage = [&] {
        std::string bytes(140, '\0');
        for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
        return bytes;
    };
    for (int round = 0; round < 20; ++round) {
        std::string bytes = garbage();
        if (round == 0) bytes.replace(10, 4, Int32Bytes(INT_MIN));
        if (round == 1) bytes.replace(10, 4, Int32Bytes(INT_MAX));
        EXPECT_EQ(CHighscore::EncodeTable(CHighscore::DecodeTable(bytes)), bytes) << "round " << round;
    }
    // A table longer than ten records is read to its tenth.
    const std::string longer(300, 'Q');
    EXPECT_EQ(CHighscore::EncodeTable(CHighscore::DecodeTable(longer)), longer.substr(0, 140));

    folder.Write("Highscore.dat", garbage());
    Start();
    Open(0);
    Leave();
    EXPECT_EQ(folder.Read("Highscore.dat").size(), 140u);
}

TEST_F(HighscoreTest, ScoreTextsAreReadBackAsNumbers) {
    const std::pair<const char*, int32_t> cases[] = {
        {"", 0},
        {"0", 0},
        {"400", 400},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-17", -17},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(CHighscore::ScoreFromText(text), value) << text;
}

TEST_F(HighscoreTest, InEnglishTheOutroWithEnglishCaptionsPlays) {
    folder.Write("outro_en.avi", "x");
    StartWithTable();
    SetLanguage(Language::kEnglish);
    Window().outroPending = true;
    Enter(Highscore);
    SetLanguage(Language::kPolish);
    EXPECT_NE(services.video.playing.find("outro_en.avi"), std::string::npos) << services.video.playing;
}

TEST_F(HighscoreTest, TheOutroPlaysFirstAndItsClosingKeyDoesNotReachTheTable) {
    StartWithTable();
    Window().player.score = 1000;
    Window().outroPending = true;
    Enter(Highscore);
    EXPECT_NE(services.video.playing.find("outro.avi"), std::string::npos);
    CHighscore& table = *GameGlobals::highscore;
    EXPECT_EQ(table.editRow, 0);
    Press(kEnter);
    EXPECT_FALSE(Window().outroPending);
    EXPECT_TRUE(services.video.playing.empty());
    EXPECT_EQ(table.editRow, 0) << "the Enter that closed the video is not taken as the name";
    Press(kEscape);
    EXPECT_EQ(Window().requestedState, MainMenu);
}

TEST_F(HighscoreTest, TheTableWrittenWhenTheWindowClosesDuringTheOutroKeepsEveryOldRow) {
    StartWithTable();
    Window().player.score = 250;
    Window().outroPending = true;
    Enter(Highscore);
    Stop();
    ASSERT_EQ(folder.Read("Highscore.dat").size(), 140u);
    EXPECT_EQ(Row(3), HighscoreRecord("", 250));
    EXPECT_EQ(Row(4), HighscoreRecord("DOROTA", 200));
}

TEST_F(HighscoreTest, TheCursorBlinksInTheFirstHalfOfEachSecondAndTheHintShowsWhileThereIsAScore) {
    // A sheet of solid glyphs: every character the font knows draws a filled block.
    folder.Write("Graphics/Spritelitery.png", SolidPng(512, 400, 0xFFFFFF));
    folder.Write("Graphics/Highscore/Background.png", SolidPng(800, 600, 0x101010));
    Start();
    CHighscore& table = Open(5);
    ASSERT_EQ(table.editRow, 0);
    CGameDlg& w = Window();
    auto frameWith = [&](int32_t framesSoFar, float framesPerSecond) {
        // No new frames-per-second sample in this frame.
        w.fpsSampleTime = services.clock.ClockMs() + 10000;
        w.framesThisSecond = framesSoFar;
        w.framesPerSecond = framesPerSecond;
        Frame();
        return Pixel(135, 70 + 10) == 0xFFFFFFu;
    };
    EXPECT_TRUE(frameWith(0, 48.0f));
    EXPECT_TRUE(frameWith(22, 48.0f)) << "23 frames of 48 are still the first half";
    EXPECT_FALSE(frameWith(23, 48.0f));
    EXPECT_FALSE(frameWith(40, 48.0f));
    EXPECT_FALSE(frameWith(0, 0.0f)) << "before the first sample there is no cursor";
    EXPECT_EQ(Pixel(22, 555), 0xFFFFFFu) << "TEXT entry 39 while the player has a score";
    Press(kEnter);
    Frame();
    EXPECT_EQ(Pixel(22, 555), 0x101010u) << "gone once the name is entered";
    EXPECT_FALSE(frameWith(0, 48.0f)) << "no cursor without a row being edited";
}

// ---- The driver's picture of the screens ----

// The driver's state lines for a script run on the folder.
std::vector<std::string> RunDriver(const std::string& folder, const std::string& script) {
    std::istringstream out(gamerun::Run({KVB_PLAY_EXE, "--quiet", "--data", folder, "-e", script}).out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(out, line);) lines.push_back(line);
    return lines;
}

TEST_F(FrontendTest, TheDriverReportsTheScreenOnShow) {
    folder.Write("Highscore.dat", HighscoreRecord("ANNA", 500) + HighscoreRecord("B\"\\", 7));
    // Something that starts like a film, so the intro is there to be closed (a missing one gives way by itself).
    folder.Write("intro.avi", "RIFF....AVI ");
    const std::vector<std::string> lines =
        RunDriver(folder.Path(),
                  "press RETURN; press DOWN; state; press DOWN; press RETURN; frames 1; press DOWN; state; "
                  "press ESCAPE; frames 1; press DOWN; press RETURN; frames 1; press DOWN; state; press ESCAPE; "
                  "frames 1; press DOWN; press DOWN; press DOWN; press DOWN; press RETURN; frames 1; state; "
                  "press ESCAPE; frames 1; press RETURN; frames 1; press RIGHT; press UP; state");
    ASSERT_EQ(lines.size(), 5u);
    const std::pair<int, const char*> expected[] = {
        {0, "\"screen\":{\"name\":\"MainMenu\",\"selectedItem\":1,"},
        {1, "\"screen\":{\"name\":\"Options\",\"selectedRow\":1}"},
        {2, "\"name\":\"LoadGame\",\"selectedSlot\":1,"},
        {2, "\"lines\":[\"t11 2 t12 \","},
        {3,
         "\"name\":\"Highscore\",\"editRow\":-1,\"typedName\":\"\",\"rows\":[{\"name\":\"ANNA      "
         "\",\"scoreText\":\"500\",\"score\":500},{\"name\":\"B\\\"\\\\       \""},
        {4,
         "\"name\":\"Briefing\",\"levelNumber\":0,\"typeCount\":0,\"shownType\":0,\"targetType\":0,"
         "\"scroll\":0,\"trade\":1,\"offer\":0}"}};
    for (const auto& [line, part] : expected) EXPECT_NE(lines[line].find(part), std::string::npos) << lines[line];
}

}  // namespace
