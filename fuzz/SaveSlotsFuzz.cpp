// Fuzz target: the eight save slots SAVE0..SAVE7 read by ReadSlots and written back by WriteSlots.
#include <algorithm>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "data/SaveSlots.h"

using fuzz_support::Require;

namespace {

bool Same(const PlayerRecord& a, const PlayerRecord& b) {
    return a.nextLevel == b.nextLevel && a.health == b.health && a.lives == b.lives && a.score == b.score &&
           a.money == b.money && a.strength == b.strength;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    // First byte: the difficulty (any value, the odd ones included). Then for every slot a length
    // byte and that many bytes (0xFF: the file is missing); what the input lacks stays missing.
    size_t at = 0;
    const int32_t difficulty = size > 0 ? static_cast<int8_t>(data[at++]) : 2;
    bool missing[kSaveSlotCount];
    for (int i = 0; i < kSaveSlotCount; ++i) {
        const std::string name = SaveSlotFileName(i);
        missing[i] = at >= size || data[at] == 0xFF;
        if (missing[i]) {
            if (at < size) ++at;
            fuzz_support::RemoveGameFile(name);
            continue;
        }
        const size_t wanted = data[at++] % 48;
        const size_t length = std::min(wanted, size - at);
        fuzz_support::WriteGameFile(name, data + at, length);
        at += length;
    }

    SaveSlotArray slots;
    ReadSlots(slots, difficulty);
    PlayerRecord fresh;
    fresh.Reset(difficulty);
    for (int i = 0; i < kSaveSlotCount; ++i) {
        std::string bytes;
        Require(fuzz_support::ReadGameFile(SaveSlotFileName(i), bytes), "a slot file is missing after reading");
        if (missing[i]) {
            Require(bytes.empty() && Same(slots[i], fresh), "a missing slot was not made empty and fresh");
        }
        if (bytes.empty()) Require(Same(slots[i], fresh), "an empty slot does not hold a fresh record");
        IsEmptySlot(slots[i]);
    }

    // Written and read again, every slot keeps its record.
    Require(WriteSlots(slots), "the slots could not be written");
    SaveSlotArray again;
    ReadSlots(again, difficulty);
    for (int i = 0; i < kSaveSlotCount; ++i) {
        Require(Same(slots[i], again[i]), "a slot changed on its way through the file");
    }
    // Storing a finished level touches only its own slot.
    const int32_t level = static_cast<int32_t>(size % 10) - 1;  // -1 .. 8: two outside the slots
    PlayerRecord finished = slots[0];
    finished.nextLevel = level + 1;
    const bool stored = StoreFinishedLevel(level, finished, difficulty);
    Require(stored == (level >= 0 && level < kSaveSlotCount),
            "a level outside the slots was stored, or one inside not");
    ReadSlots(again, difficulty);
    for (int i = 0; i < kSaveSlotCount; ++i) {
        Require(Same(again[i], stored && i == level ? finished : slots[i]), "storing a level changed another slot");
    }
    fuzz_support::TakeMessageCount();
    return 0;
}
