// Fuzz target: LevelDescriptions\MovableEl.xml read through CMovableElementList, the platforms stepped and drawn.
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "actors/MovableElement.h"
#include "app/GameDlg.h"
#include "data/GameData.h"
#include "data/MovableElementType.h"

using fuzz_support::Require;

namespace {

// Level 3 places three kinds of platform; its group (2) has pictures for two of them.
const char kLevel[] =
    "<LEVEL>\r\n"
    "<MOVABLEEL><ELEMENT_TYPE T=\"raft\"/><START_POS X=\"100\" Y=\"200\"/><ROUTE_PNT X=\"300\" "
    "Y=\"200\"/></MOVABLEEL>\r\n"
    "<MOVABLEEL><ELEMENT_TYPE T=\"LOG\"/><START_POS X=\"4000\" Y=\"50\"/><ROUTE_PNT X=\"4000\" Y=\"1900\"/>"
    "<ROUTE_PNT X=\"10\" Y=\"10\"/></MOVABLEEL>\r\n"
    "<MOVABLEEL><ELEMENT_TYPE T=\"stone\"/><START_POS X=\"5\" Y=\"5\"/></MOVABLEEL>\r\n"
    "</LEVEL>\r\n";

CGameData& GameData() {
    static CGameData* gameData = [] {
        fuzz_support::WriteGameFile("LevelDescriptions/Level3.xml", kLevel);
        fuzz_support::WritePicture("LevelDescriptions/Level2/MovableEl/raft.png", 64, 16, 0x8B4513);
        fuzz_support::WritePicture("LevelDescriptions/Level2/MovableEl/log.png", 256, 128, 0x654321);
        return new CGameData();
    }();
    return *gameData;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    CGameData& gameData = GameData();
    fuzz_support::WriteGameFile("LevelDescriptions/MovableEl.xml", data, size);

    fuzz_support::BareWindow bare;
    bare.Window().gameData = &gameData;
    CMovableElementList list(3, &bare.Window());
    Require(list.typeCount >= 0 && list.typeCount <= CMovableElementList::kMaxTypes, "kinds past the table");
    for (int i = 0; i < list.typeCount; ++i) Require(list.types[i] != nullptr, "a counted kind is missing");
    // Every placement makes as many elements as there are kinds of its name.
    Require(list.elements.size() <= 3u * static_cast<size_t>(list.typeCount), "more elements than placements allow");
    for (int step = 0; step < 50; ++step) list.Step();
    list.Draw(0, 0);
    list.Draw(3800, 1500);
    bare.Window().gameData = nullptr;
    fuzz_support::TakeMessageCount();
    return 0;
}
