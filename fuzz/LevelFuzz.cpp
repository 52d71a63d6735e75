// Fuzz target: a whole level, with its unit, object and platform files, built from fuzzed files and played.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "actors/Arithmetic.h"
#include "actors/CollisionMap.h"
#include "actors/Hero.h"
#include "app/GameDlg.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "data/GameData.h"
#include "level/Level.h"

using fuzz_support::Require;

namespace {

std::string UnitXml(const char* unitClass, int speed, int jump, int strength, int energy, int height, int width) {
    return std::string("<UNIT>\r\n<COLORKEY R=\"255\" G=\"0\" B=\"255\"/>\r\n<CLASS CLASS=\"") + unitClass +
           "\"/>\r\n<SPEED SPEED=\"" + std::to_string(speed) + "\"/>\r\n<JUMP JUMP=\"" + std::to_string(jump) +
           "\"/>\r\n<STRENGHT STRENGHT=\"" + std::to_string(strength) + "\"/>\r\n<ENERGY ENERGY=\"" +
           std::to_string(energy) + "\"/>\r\n<MAXSIZE HEIGHT=\"" + std::to_string(height) + "\" WIDTH=\"" +
           std::to_string(width) + "\"/>\r\n</UNIT>\r\n";
}

std::string ObjectXml(const char* objectClass, int money, int health, int mace, int pickable, int checkpoint) {
    return std::string("<OBJECT>\r\n<CLASS VALUE=\"") + objectClass +
           "\"/>\r\n<COLORKEY R=\"255\" G=\"0\" B=\"255\"/>\r\n<HEALTH VALUE=\"" + std::to_string(health) +
           "\"/>\r\n<MACE VALUE=\"" + std::to_string(mace) + "\"/>\r\n<POINT VALUE=\"10\"/>\r\n<MONEY VALUE=\"" +
           std::to_string(money) + "\"/>\r\n<PICKABLE VALUE=\"" + std::to_string(pickable) +
           "\"/>\r\n<CHECKPOINT VALUE=\"" + std::to_string(checkpoint) + "\"/>\r\n</OBJECT>\r\n";
}

// The files every run shares: units and objects of each kind the game knows, the platform kinds with
// pictures, the text table and a collision grid of a floor with ledges. No scenery pictures: the level
// gives those up (with its messages), which keeps a run cheap.
constexpr size_t kDefinitionFileCount = 12;

struct WorldFile {
    const char* path;
    std::string bytes;
};

// The definition files an input may replace, with what they hold when it does not.
const std::array<WorldFile, kDefinitionFileCount>& DefinitionFiles() {
    static const std::array<WorldFile, kDefinitionFileCount> files = {{
        {"Units/hero.xml", UnitXml("HERO", 5, 12, 20, 30, 70, 50)},
        {"Units/RAPTOR.xml", UnitXml("RAPTOR", 2, 1, 10, 8, 48, 64)},
        {"Units/PTERO.xml", UnitXml("PTERO", 2, 0, 10, 10, 56, 80)},
        {"Units/FLYINGMINE.xml", UnitXml("FLYINGMINE", 2, 0, 25, 36, 40, 40)},
        {"Units/SMOK.xml", UnitXml("SMOK", 1, 2, 40, 60, 120, 160)},
        {"Objects/GOLDCOIN.xml", ObjectXml("GOLDCOIN", 5, 0, 0, 1, 0)},
        {"Objects/MACE.xml", ObjectXml("MACE", 0, 0, 2, 1, 0)},
        {"Objects/HEALTH10.xml", ObjectXml("HEALTH10", 0, 10, 0, 1, 0)},
        {"Objects/CHECKPOINT.xml", ObjectXml("CHECKPOINT", 0, 0, 0, 0, 1)},
        {"Objects/jumper.xml", ObjectXml("jumper", 0, 0, 0, 0, 0)},
        {"Objects/mine.xml", ObjectXml("mine", 0, 20, 0, 1, 0)},
        {"LevelDescriptions/MovableEl.xml",
         "<MOVABLEELEMENTS>\r\n<ELEMENT NAME=\"platforma\" COLLISION=\"TRUE\"/>\r\n"
         "<ELEMENT NAME=\"pien\" COLLISION=\"TRUE\" DESTROYABLE=\"FALSE\"/>\r\n"
         "<ELEMENT NAME=\"kra\" COLLISION=\"FALSE\"/>\r\n</MOVABLEELEMENTS>\r\n"},
    }};
    return files;
}

// Which definition files the previous run replaced, to be written back before the next one.
std::array<bool, kDefinitionFileCount> replaced{};

// An input is the level description, optionally followed by sections that replace definition files:
// each starts with a line "@@ <path>" naming one of DefinitionFiles(); a section naming another file
// is ignored. Writes the level, the replaced files and puts back the ones the previous run changed.
void WriteInput(const uint8_t* data, size_t size) {
    static constexpr std::string_view kMark = "\n@@ ";
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto& files = DefinitionFiles();
    std::array<bool, kDefinitionFileCount> now{};
    size_t sectionStart = input.find(kMark);
    fuzz_support::WriteGameFile("LevelDescriptions/Level0.xml", data, std::min(size, sectionStart));
    while (sectionStart != std::string_view::npos) {
        const size_t nameStart = sectionStart + kMark.size();
        const size_t nameEnd = std::min(input.find('\n', nameStart), size);
        const size_t next = nameEnd < size ? input.find(kMark, nameEnd) : std::string_view::npos;
        const std::string_view name = input.substr(nameStart, nameEnd - nameStart);
        const size_t bodyStart = std::min(nameEnd + 1, size);
        const std::string_view body = input.substr(bodyStart, std::min(next, size) - bodyStart);
        for (size_t i = 0; i < files.size(); ++i) {
            if (name != files[i].path) continue;
            fuzz_support::WriteGameFile(files[i].path, reinterpret_cast<const uint8_t*>(body.data()), body.size());
            now[i] = true;
        }
        sectionStart = next;
    }
    for (size_t i = 0; i < files.size(); ++i) {
        if (replaced[i] && !now[i]) fuzz_support::WriteGameFile(files[i].path, files[i].bytes);
    }
    replaced = now;
}

void WriteWorld() {
    for (const WorldFile& file : DefinitionFiles()) fuzz_support::WriteGameFile(file.path, file.bytes);
    fuzz_support::WritePicture("Units/HERO/STAYRIGHT.png", 200, 70, 0x3366CC);
    fuzz_support::WritePicture("Units/HERO/RUNRIGHT.png", 400, 70, 0x3366DD);
    fuzz_support::WritePicture("Units/RAPTOR/MOVELEFT.png", 256, 48, 0x00AA00);
    fuzz_support::WritePicture("Units/RAPTOR/MOVERIGHT.png", 256, 48, 0x00BB00);
    fuzz_support::WritePicture("Objects/GOLDCOIN/rot.png", 128, 32, 0xFFCC00);
    fuzz_support::WritePicture("LevelDescriptions/Level0/MovableEl/platforma.png", 96, 16, 0x8B4513);
    fuzz_support::WritePicture("LevelDescriptions/Level0/MovableEl/pien.png", 128, 24, 0x654321);
    std::string texts = "<TEXTS>\r\n";
    for (int i = 0; i < 40; ++i) texts += "<T TEXT=\"t" + std::to_string(i) + "\"/>\r\n";
    fuzz_support::WriteGameFile("Data/Text.xml", texts + "</TEXTS>\r\n");

    // Cells in block order (blocks of 16x16 cells, block columns left to right, each block's columns
    // left to right, each column top to bottom), then two spare bytes: a floor, ledges and pillars.
    std::string grid(CCollisionMap::kCellCount + 2, '\0');
    for (int cx = 0; cx < CCollisionMap::kColumns; ++cx) {
        for (int cy = 0; cy < CCollisionMap::kRows; ++cy) {
            const bool solid = cy >= 110 || (cx % 24 < 10 && cy == 90 + cx / 24 % 3 * 6) || (cx % 53 == 7 && cy > 95);
            grid[256 * (8 * (cx / 16) + cy / 16) + 16 * (cx % 16) + (cy % 16)] = solid ? 1 : 0;
        }
    }
    fuzz_support::WriteGameFile("LevelDescriptions/Level0.dat", grid);
}

// Which keys are held in a frame: walking right with jumps and blows, a stretch to the left, a stomp.
void HoldKeys(InputState& input, int frame) {
    input.right.pressed = frame < 20 || frame >= 30;
    input.left.pressed = frame >= 20 && frame < 30;
    input.jump.pressed = frame % 9 < 3;
    input.attack.pressed = frame % 7 == 0;
    input.down.pressed = frame % 13 == 5;
    input.walk.pressed = frame % 17 > 12;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (fuzz_support::Prepare(), WriteWorld(), true);
    (void)ready;
    static fuzz_support::BareWindow& bare = *new fuzz_support::BareWindow();
    static InputState& input = *new InputState();
    CGameDlg& window = bare.Window();
    if (!GameGlobals::collisionMap) GameGlobals::collisionMap = new CCollisionMap(&window, 0);

    WriteInput(data, size);
    window.gameData = new CGameData();
    window.player = PlayerRecord{};
    window.requestedState = window.currentState;
    input = InputState{};
    GameGlobals::input = &input;

    {
        CLevel level(&window, 0, false);
        Require(GameGlobals::level == &level, "the level did not register itself");
        Require(level.hero != nullptr, "the level has no hero");
        for (int frame = 0; frame < 40; ++frame) {
            HoldKeys(input, frame);
            // Mostly one step a frame; now and then a stalled frame that catches up ten.
            fuzz_support::AdvanceClock(frame % 20 == 19 ? 400 : 21);
            level.Update(&window);
            // However wild the unit files, the hero stays in the placed actors' range.
            Require(level.hero->x == ClampCoordinate(level.hero->x) && level.hero->y == ClampCoordinate(level.hero->y),
                    "the hero left the coordinate range");
        }
    }
    Require(GameGlobals::level == nullptr, "the level stayed registered after it was deleted");

    GameGlobals::input = nullptr;
    delete window.gameData;
    window.gameData = nullptr;
    fuzz_support::TakeMessageCount();
    return 0;
}
