// The eight save slots SAVE0..SAVE7: one player record of 24 bytes each, written when a level is finished.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/PlayerRecord.h"

constexpr int kSaveSlotCount = 8;
constexpr size_t kSaveRecordSize = 24;

using SaveSlotArray = std::array<PlayerRecord, kSaveSlotCount>;

// "SAVE0" .. "SAVE7" (game paths).
std::string SaveSlotFileName(int slot);

// A slot offers nothing to continue with unless its next level is one the game has (1 to 7):
// 0 marks a slot never written, and other values come only from damaged files.
bool IsEmptySlot(const PlayerRecord& record);

// The record as stored: six signed 32-bit little-endian values.
void EncodeSlot(const PlayerRecord& record, unsigned char (&bytes)[kSaveRecordSize]);
// Fills the record from the first `size` bytes (at most 24); fields not covered keep their values.
void DecodeSlot(const unsigned char* bytes, size_t size, PlayerRecord& record);

// Reads all eight files. A missing file is created empty; an empty one gives a fresh record for the
// difficulty; a short one fills only the fields it covers, starting from a fresh record. A file that is
// there but cannot be read (no permission, a folder, a read error) gives a fresh record too and, when
// `unreadable` is given, is marked in it.
void ReadSlots(SaveSlotArray& slots, int32_t difficulty, std::array<bool, kSaveSlotCount>* unreadable = nullptr);

// Replaces all eight files, each crash-safely; false when any of them could not be written.
bool WriteSlots(const SaveSlotArray& slots);

// At the end of a finished level: reads the slots, stores `record` in the slot of the level's number
// (0 to 7) and writes them all back, except those that could not be read: a save the game cannot read
// now is left for a later start rather than replaced by a fresh record. False when the number is out of
// range or writing failed.
bool StoreFinishedLevel(int32_t levelNumber, const PlayerRecord& record, int32_t difficulty);
