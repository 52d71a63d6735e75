// Tiny game folders for the level world's tests and benchmark: pictures, collision grids, descriptions,
// and the fixture the actor tests share.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "actors/CollisionMap.h"
#include "actors/FloatingText.h"
#include "actors/Hero.h"
#include "app/GameDlg.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "data/GameData.h"
#include "data/LevelDescription.h"
#include "level/Level.h"
#include "media/SoundSystem.h"
#include "media/SpriteFont.h"
#include "platform/Platform.h"
#include "platform/Surface.h"
#include "platform/sdl/PngWriter.h"

namespace levelfixture {

using testing_support::GlobalsGuard;
using testing_support::HeadlessServices;
using testing_support::TempGameFolder;

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A PNG of the given size whose pixels (0x00RRGGBB) come from the function.
inline bool WritePicture(const std::string& path, int width, int height,
                         const std::function<uint32_t(int x, int y)>& pixel) {
    std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::unique_ptr<platform::Surface> surface = platform::Surface::Create(width, height);
    if (!surface) return false;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) surface->SetPixel(x, y, pixel(x, y));
    }
    return platform::SavePng(path, *surface);
}

inline bool WriteFlatPicture(const std::string& path, int width, int height, uint32_t rgb) {
    return WritePicture(path, width, height, [rgb](int, int) { return rgb; });
}

// The bytes of a collision file: cells in block order (blocks of 16x16 cells, block columns left to
// right, each block's columns left to right, each column top to bottom), then two spare bytes.
inline std::string CollisionFileBytes(const std::function<int8_t(int cx, int cy)>& cell) {
    std::string bytes(CCollisionMap::kCellCount + 2, '\0');
    for (int cx = 0; cx < CCollisionMap::kColumns; ++cx) {
        for (int cy = 0; cy < CCollisionMap::kRows; ++cy) {
            const size_t k = 256 * (8 * (cx / 16) + cy / 16) + 16 * (cx % 16) + (cy % 16);
            bytes[k] = static_cast<char>(cell(cx, cy));
        }
    }
    return bytes;
}

inline void WriteCollisionFile(int levelNumber, const std::function<bool(int cx, int cy)>& solid) {
    WriteFile("LevelDescriptions/Level" + std::to_string(levelNumber) + ".dat",
              CollisionFileBytes([&](int cx, int cy) { return static_cast<int8_t>(solid(cx, cy) ? 1 : 0); }));
}

// The hero's four status icons, so a level starts without the messages of missing icons. Their
// colours are not the icons' keys, and the scenery tests draw the status display nowhere.
inline void WriteStatusIcons() {
    WriteFlatPicture("Graphics/Life.png", 36, 36, 0x406080);
    WriteFlatPicture("Graphics/Energy.png", 30, 30, 0x408060);
    WriteFlatPicture("Graphics/Maczuga.png", 80, 64, 0x806040);
    WriteFlatPicture("Graphics/Moneta.png", 56, 56, 0x604080);
}

// Data\Text.xml with entries "t0", "t1", ... (no blanks: the reader splits on them).
inline void WriteTextTable(int count) {
    std::string file = "<TEXTS>\r\n";
    for (int i = 0; i < count; ++i) file += "<T TEXT=\"t" + std::to_string(i) + "\"/>\r\n";
    WriteFile("Data/Text.xml", file + "</TEXTS>\r\n");
}

// A main window that was never opened: an 800x600 drawing target and the game data of the folder.
class TestWindow {
public:
    TestWindow() : target(platform::Surface::Create(800, 600)) {
        window.drawTarget = target.get();
        GameGlobals::mainWindow = &window;
        ReloadGameData();
    }
    ~TestWindow() {
        delete window.gameData;
        window.gameData = nullptr;
        window.drawTarget = nullptr;
        // Nothing was opened: the window's shut-down has nothing to write or delete.
        window.destroyed = true;
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    // Reads the folder's level descriptions and tables again.
    void ReloadGameData() {
        delete window.gameData;
        window.gameData = new CGameData();
    }

    std::unique_ptr<platform::Surface> target;
    CGameDlg window;
};

// Description and unit files. XY writes one position element.
inline std::string XY(const std::string& tag, int x, int y) {
    return "<" + tag + " X=\"" + std::to_string(x) + "\" Y=\"" + std::to_string(y) + "\"/>\r\n";
}
inline std::string LevelXml(int startX, int startY, int finishX, int finishY, const std::string& body = "") {
    return "<LEVEL>\r\n<HERO>\r\n" + XY("START_POS", startX, startY) + XY("FINISH_POS", finishX, finishY) +
           "</HERO>\r\n" + body + "</LEVEL>\r\n";
}
// A level description with nothing but the hero's start and finish.
inline void WriteLevelDescription(int levelNumber, int startX, int startY) {
    WriteFile("LevelDescriptions/Level" + std::to_string(levelNumber) + ".xml", LevelXml(startX, startY, 4000, 100));
}
// An ENEMY or MOVABLEEL block: the type, then the route with START_POS first.
inline std::string RouteXml(const std::string& block, const std::string& typeTag, const std::string& type,
                            const std::vector<Point>& route) {
    std::string xml = "<" + block + ">\r\n<" + typeTag + " T=\"" + type + "\"/>\r\n";
    for (size_t i = 0; i < route.size(); ++i) xml += XY(i == 0 ? "START_POS" : "ROUTE_PNT", route[i].x, route[i].y);
    return xml + "</" + block + ">\r\n";
}
inline std::string EnemyXml(const std::string& type, const std::vector<Point>& route) {
    return RouteXml("ENEMY", "ENEMY_TYPE", type, route);
}
inline std::string UnitXml(const std::string& unitClass, int speed, int jump, int size, int strength = 5,
                           int energy = 10) {
    auto element = [](const std::string& name, int value) {
        return "<" + name + " " + name + "=\"" + std::to_string(value) + "\"/>\r\n";
    };
    return "<UNIT>\r\n<CLASS CLASS=\"" + unitClass + "\"/>\r\n" + element("SPEED", speed) + element("JUMP", jump) +
           element("STRENGHT", strength) + element("ENERGY", energy) + "<MAXSIZE HEIGHT=\"" + std::to_string(size) +
           "\" WIDTH=\"" + std::to_string(size) + "\"/>\r\n</UNIT>\r\n";
}
// Data\Sample.xml naming the samples, each with a file behind it.
inline void WriteSamples(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        list += "<S SAMPLE=\"" + name + "\"/>\r\n";
        WriteFile("SOUND/" + name + ".WAV", "RIFF");
    }
    WriteFile("Data/Sample.xml", list);
}

// A running level made from the test's folder: a 64x64 hero of speed 8 and jump 15, a text table, and
// whatever collision grid, description and units the test writes before MakeLevel.
class ActorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.ok());
        globals_.Set(GameGlobals::input, &input_);
        WriteTextTable(40);
        WriteFile("Units/hero.xml", UnitXml("HERO", 8, 15, 64));
    }
    void TearDown() override {
        // The level first: it still uses the collision map while it goes.
        level_.reset();
        globals_.Restore();
        map_.reset();
        sound_.reset();
        font_.reset();
    }
    void MakeLevel(int number, bool withSound = false, bool nearLayer = false) {
        TearDown();
        globals_.Set(GameGlobals::input, &input_);
        window_ = std::make_unique<TestWindow>();
        window_->window.nearLayerOption = nearLayer ? 1 : 0;
        if (withSound) MakeSound();
        MakeCollisionMap(number);
        level_ = std::make_unique<CLevel>(&window_->window, number, nearLayer);
    }
    // A collision map read from the folder in place of the last one (whose level must be gone).
    void MakeCollisionMap(int number) {
        map_.reset();
        map_ = std::make_unique<CCollisionMap>(&window_->window, number);
        globals_.Set(GameGlobals::collisionMap, map_.get());
    }
    void MakeSound() {
        sound_ = std::make_unique<CSoundSystem>(&window_->window);
        globals_.Set(GameGlobals::sound, sound_.get());
    }
    void MakeFont() {
        font_ = std::make_unique<CSpriteFont>(&window_->window);
        globals_.Set(GameGlobals::font, font_.get());
    }
    CHero& Hero() { return *level_->hero; }
    CGameDlg& Window() { return window_->window; }
    platform::Surface& Target() { return *window_->target; }
    // Names of the samples played since the last call.
    std::vector<std::string> Sounds() {
        std::vector<std::string> names;
        for (const std::vector<std::string>& calls = services_.audio.calls; seenCalls_ < calls.size(); ++seenCalls_) {
            const std::string& call = calls[seenCalls_];
            const size_t from = call.rfind('/') + 1;
            names.push_back(call.substr(from, call.rfind('.') - from));
        }
        return names;
    }
    // The floating texts now in the queue.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const CFloatingText& text : level_->floatingTexts) texts.push_back(text.text);
        return texts;
    }

    TempGameFolder folder_;
    HeadlessServices services_;
    InputState input_;
    std::unique_ptr<TestWindow> window_;
    std::unique_ptr<CCollisionMap> map_;
    std::unique_ptr<CSoundSystem> sound_;
    std::unique_ptr<CSpriteFont> font_;
    std::unique_ptr<CLevel> level_;
    size_t seenCalls_ = 0;
    GlobalsGuard globals_;
};

// The structures of the fixture grid: ground, runs, pillars, blocks, a staircase and lone cells.
inline bool FixtureCell(int cx, int cy) {
    if (cy >= 110) return true;                                              // ground
    if (cx % 12 < 8 && cy == 60 + (cx / 12 % 5) * 8) return true;            // short runs
    if (cx % 40 < 30 && cy == 104) return true;                              // long runs
    if (cx % 37 == 5 && cy >= 90) return true;                               // pillars on the ground
    if (cx % 29 >= 10 && cx % 29 < 14 && cy >= 96 && cy < 100) return true;  // 4x4 blocks
    if (cx >= 40 && cx < 50 && cy == 109 - (cx - 40)) return true;           // a staircase up to the right
    if (cy < 100 && (cx * 7 + cy * 13) % 97 == 0) return true;               // lone cells
    return false;
}

// Colours of the fixture pictures; none of them is a colour key of set 0.
inline uint32_t Mix(uint32_t seed) {
    seed = seed * 2654435761u + 0x9E3779B9u;
    seed ^= seed >> 15;
    // Never the key colours: keep every channel away from 0x00, 0x20, 0x37, 0x43 and 0x4B.
    const uint32_t r = 0x80 | ((seed >> 0) & 0x7F);
    const uint32_t g = 0x80 | ((seed >> 8) & 0x7F);
    const uint32_t b = 0x80 | ((seed >> 16) & 0x7F);
    return (r << 16) | (g << 8) | b;
}

constexpr uint32_t kSet0TileKey = 0x432000;        // GDI 0x2043
constexpr uint32_t kSet0DecorationKey = 0x374B00;  // GDI 0x4B37

// Every scenery picture of set 0, drawn from the numbers alone. Some are left out on purpose so the
// fall-backs show: tile variants 2 and 3 of keys 1 to 4, branch 7, artefact 3, far piece (1, 1).
inline void WriteSceneryFixture() {
    WriteStatusIcons();
    const std::string folder = "LevelDescriptions/Level0/";
    static const char* kKeys[15] = {"48", "26", "4",    "8",   "2",   "6",   "46", "24",
                                    "68", "28", "2468", "268", "468", "248", "246"};
    for (int k = 0; k < 15; ++k) {
        for (int v = 0; v < 4; ++v) {
            if (k >= 1 && k <= 4 && v >= 2) continue;
            const uint32_t border = Mix(100 + k);
            const uint32_t inside = Mix(200 + k * 4 + v);
            WritePicture(folder + kKeys[k] + "_" + std::to_string(v) + ".png", 16, 16, [=](int x, int y) -> uint32_t {
                if (x == 0 && y == 0) return kSet0TileKey;  // one keyed corner
                return (x < 2 || y < 2 || x > 13 || y > 13) ? border : inside;
            });
        }
    }
    for (int n = 0; n < 25; ++n) {
        if (n == 7) continue;
        const uint32_t colour = Mix(300 + n);
        WritePicture(folder + "Branch" + std::to_string(n) + ".png", 80, 80, [=](int x, int y) -> uint32_t {
            const int d = std::abs(x - 40) + std::abs(y - 40);
            if (d < 12) return Mix(999);
            return d < 30 + n % 8 ? colour : kSet0DecorationKey;
        });
    }
    for (int n = 0; n < 12; ++n) {
        if (n == 3) continue;
        const uint32_t colour = Mix(400 + n);
        WritePicture(folder + "Artefact" + std::to_string(n) + ".png", 80, 80, [=](int x, int y) -> uint32_t {
            if (x < 10 + n || x >= 70 || y < 20) return kSet0DecorationKey;
            return (x / 8) % 2 ? colour : Mix(500 + n);
        });
    }
    WritePicture(folder + "Level0_3.png", 800, 600, [](int x, int y) -> uint32_t {
        return (static_cast<uint32_t>(60 + y / 6) << 16) | (static_cast<uint32_t>(120 + x / 10) << 8) | 0xD0;
    });
    auto writePiece = [&](int layer, int a, int b, const std::function<uint32_t(int, int)>& pixel) {
        WritePicture(folder + "Background/Bk_" + std::to_string(layer) + "_" + std::to_string(a) + "_" +
                         std::to_string(b) + ".png",
                     512, 512, pixel);
    };
    for (int a = 0; a <= 2; ++a) {
        for (int b = 0; b <= 1; ++b) {
            if (a == 1 && b == 1) continue;
            writePiece(2, a, b, [=](int x, int y) -> uint32_t {
                const int gx = a * 512 + x;
                const int gy = b * 512 + y;
                const int ridge = 300 + std::abs(gx % 400 - 200);
                if (gy < ridge) return kSet0DecorationKey;
                return ((gx / 32 + gy / 32) % 2) ? 0x607080u : 0x506878u;
            });
        }
    }
    for (int a = 0; a <= 6; ++a) {
        for (int b = 0; b <= 2; ++b) {
            writePiece(1, a, b, [=](int x, int y) -> uint32_t {
                const int gx = a * 512 + x;
                const int gy = b * 512 + y;
                if (std::abs(gx % 300 - 15) + std::abs(gy % 400 - 200) < 70) return 0x2E8B3Cu;  // crowns
                if (gx % 300 < 30 && gy > 300) return 0x8A5A2Cu;                                // trunks
                return kSet0DecorationKey;
            });
        }
    }
    // The fall-back piece: a checker nobody could mistake.
    writePiece(1, 4, 3, [](int x, int y) -> uint32_t { return ((x / 64 + y / 64) % 2) ? 0xC040C0u : 0x40C0C0u; });
}

}  // namespace levelfixture
