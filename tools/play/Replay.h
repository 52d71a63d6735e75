// Replay files: the keys held in every frame of one level, with the record and difficulty it starts from.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "core/PlayerRecord.h"

// The keys a replay can hold, one bit each. The letters in the file are L R U D S W.
enum ReplayKey : uint8_t {
    kReplayLeft = 1,
    kReplayRight = 2,
    kReplayUp = 4,
    kReplayDown = 8,
    kReplaySpace = 16,
    kReplayShift = 32,
};

struct Replay {
    static constexpr int kVersion = 1;
    static constexpr char kMagic[] = "kolvenbrook-replay";

    int32_t level = 0;
    // The record the level starts with (what the briefing hands to it).
    PlayerRecord player;
    int32_t difficulty = 1;
    // The held keys of each frame, from the frame that builds the level on.
    std::vector<uint8_t> frames;

    // Reads a replay; false with `error` naming the line when the text is not one.
    bool Parse(std::istream& in, std::string& error);
    bool Load(const std::string& path, std::string& error);
    // The file text, frames run-length encoded; `comment` lines (if any) go after the header.
    std::string Format(const std::string& comment = "") const;
    bool Save(const std::string& path, const std::string& comment = "") const;
};

// "LRS" style letters of a key set; "-" for none.
std::string ReplayKeyLetters(uint8_t keys);
// The key set of letters; false on a letter that names no key.
bool ReplayKeysFromLetters(const std::string& letters, uint8_t& keys);
// The virtual-key code of each replay key bit, in bit order.
int ReplayKeyCode(uint8_t bit);
