// The eight level descriptions and the TEXT and SAMPLE tables, read once at start-up.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "data/LevelDescription.h"

class CGameData {
public:
    static constexpr int kLevelCount = 8;
    static constexpr int kTableCapacity = 100;

    // Reads LevelDescriptions\Level0..7.xml, then Data\Text.xml (Data\Text_en.xml in English), then
    // Data\Sample.xml.
    CGameData();
    ~CGameData();
    CGameData(const CGameData&) = delete;
    CGameData& operator=(const CGameData&) = delete;

    // Reads one table: the first attribute of every opening or self-closing element that has
    // one, when it is named attributeName exactly. Entries past the capacity are ignored.
    static int ReadTable(const std::string& gamePath, const std::string& attributeName,
                         std::array<std::string, kTableCapacity>& table);

    // Text at a TEXT position; empty for positions outside the table.
    const std::string& Text(int index) const;

    std::array<std::unique_ptr<LevelDescription>, kLevelCount> levels;
    std::array<std::string, kTableCapacity> texts;
    std::array<std::string, kTableCapacity> samples;
    int textCount = 0;
    int sampleCount = 0;
};
