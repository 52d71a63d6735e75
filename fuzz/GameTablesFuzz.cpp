// Fuzz target: the TEXT and SAMPLE tables read through CGameData::ReadTable.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "data/GameData.h"

using fuzz_support::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    fuzz_support::WriteGameFile("Data/Text.xml", data, size);
    fuzz_support::WriteGameFile("Data/Sample.xml", data, size);

    std::array<std::string, CGameData::kTableCapacity> texts;
    std::array<std::string, CGameData::kTableCapacity> samples;
    const int textCount = CGameData::ReadTable("Data\\Text.xml", "TEXT", texts);
    const int sampleCount = CGameData::ReadTable("Data\\Sample.xml", "SAMPLE", samples);
    Require(textCount >= 0 && textCount <= CGameData::kTableCapacity, "TEXT count outside the table");
    Require(sampleCount >= 0 && sampleCount <= CGameData::kTableCapacity, "SAMPLE count outside the table");
    for (int i = std::min(textCount, CGameData::kTableCapacity); i < CGameData::kTableCapacity; ++i) {
        Require(texts[i].empty(), "a TEXT entry past the count");
    }
    for (int i = std::min(sampleCount, CGameData::kTableCapacity); i < CGameData::kTableCapacity; ++i) {
        Require(samples[i].empty(), "a SAMPLE entry past the count");
    }
    for (const std::string& text : texts) Require(text.size() <= size, "an entry longer than the file");

    // The whole start-up read: eight missing level files and the two tables.
    CGameData gameData;
    Require(gameData.textCount == textCount && gameData.sampleCount == sampleCount,
            "the game data counted the tables differently");
    Require(gameData.Text(-1).empty() && gameData.Text(CGameData::kTableCapacity).empty(),
            "a text outside the table is not empty");
    for (int i = 0; i < CGameData::kTableCapacity; ++i) Require(gameData.Text(i) == texts[i], "texts differ");
    fuzz_support::TakeMessageCount();
    return 0;
}
