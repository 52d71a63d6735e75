// The two files the game reads for a level: the description (Level<N>.xml) and the cell map (Level<N>.dat).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "LevelSource.h"

namespace levels {

constexpr size_t kDatSize = kColumns * kRows + 2;

// Byte position of cell (cx, cy) in a .dat file: blocks of 16 x 16 cells, block columns left to right,
// blocks top to bottom inside each, each block column by column, each column top to bottom.
inline size_t DatIndex(int cx, int cy) {
    return 256u * (8u * static_cast<size_t>(cx / 16) + static_cast<size_t>(cy / 16)) + 16u * (cx % 16) + (cy % 16);
}

std::string LevelXml(const Level& level);
std::vector<std::uint8_t> LevelDat(const Level& level);

// Reads a .dat back into a level's cells; false when it is shorter than the 32768 cells.
bool CellsFromDat(const std::vector<std::uint8_t>& bytes, Level& level);

}  // namespace levels
