// Fuzz target: Highscore.dat read by CHighscore, drawn once and written back when the table closes.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "app/GameDlg.h"
#include "app/GameGlobals.h"
#include "frontend/Highscore.h"
#include "media/SpriteFont.h"

using fuzz_support::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        fuzz_support::Prepare();
        // A plain font sheet, so that every name is really laid out glyph by glyph.
        fuzz_support::WritePicture("Graphics/Spritelitery.png", CSpriteFont::kSheetWidth, 4 * CSpriteFont::kRowHeight,
                                   0xFFFFFF);
        fuzz_support::WritePicture("Graphics/Highscore/Background.png", 800, 600, 0x202020);
        return true;
    }();
    (void)ready;

    // The first four bytes are the player's score (little-endian); the rest is the file.
    int32_t score = 0;
    const size_t scoreBytes = std::min<size_t>(size, 4);
    uint32_t bits = 0;
    for (size_t i = 0; i < scoreBytes; ++i) bits |= static_cast<uint32_t>(data[i]) << (8 * i);
    score = static_cast<int32_t>(bits);
    const std::string file(reinterpret_cast<const char*>(data) + scoreBytes, size - scoreBytes);
    fuzz_support::WriteGameFile("Highscore.dat", file);

    fuzz_support::BareWindow bare;
    CGameDlg& window = bare.Window();
    window.player.score = score;
    CSpriteFont font(&window);
    GameGlobals::font = &font;
    int32_t editRow = -1;
    {
        CHighscore table(&window);
        const CHighscore::Table decoded = CHighscore::DecodeTable(file);
        Require(table.editRow == CHighscore::RowFor(decoded, score), "the opened row is not the score's row");
        editRow = table.editRow;
        table.Run(&window);
        ++window.frameCounter;
        table.Run(&window);
    }
    GameGlobals::font = nullptr;

    // Closing the table writes all ten rows; untouched, every whole record of the old file comes back.
    std::string written;
    Require(fuzz_support::ReadGameFile("Highscore.dat", written), "Highscore.dat was not written");
    Require(written.size() == CHighscore::kFileSize, "Highscore.dat is not ten records long");
    const size_t whole = std::min(file.size() / CHighscore::kRecordSize, static_cast<size_t>(CHighscore::kRowCount));
    if (editRow < 0) {
        Require(written.compare(0, whole * CHighscore::kRecordSize, file, 0, whole * CHighscore::kRecordSize) == 0,
                "an untouched table was not written back as it was");
    }
    fuzz_support::TakeMessageCount();
    return 0;
}
