// Fuzz target: Highscore.dat read by CHighscore, drawn once and written back when the table closes.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "app/GameDlg.h"
#include "core/GameGlobals.h"
#include "frontend/Highscore.h"
#include "media/SpriteFont.h"

using fuzz_support::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        fuzz_support::Prepare();
        // A plain font sheet, so that every name is really laid out glyph by glyph.
        fuzz_support::WritePicture("Graphics/Spritelitery.png", CSpriteFont::kSheetWidth, 4 * CSpriteFont::kRowHeight,
                                   0xFFFFFF);
        // No background picture: copying a whole screen per run would cost far more than the table.
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

    // The window and the font are made once: decoding the font sheet every run would cost far more than
    // the table. The font only remembers the last text it laid out; the window only the score, set here.
    static fuzz_support::BareWindow& bare = *new fuzz_support::BareWindow();
    static CSpriteFont& font = *new CSpriteFont(&bare.Window());
    CGameDlg& window = bare.Window();
    window.player = PlayerRecord{};
    window.player.score = score;
    GameGlobals::font = &font;
    int32_t editRow = -1;
    {
        CHighscore table(&window);
        const CHighscore::Table decoded = CHighscore::DecodeTable(file);
        Require(table.editRow == CHighscore::RowFor(decoded, score), "the opened row is not the score's row");
        editRow = table.editRow;
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
