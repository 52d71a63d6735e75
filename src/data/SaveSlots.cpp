// The eight save slots SAVE0..SAVE7: one player record of 24 bytes each, written when a level is finished.
#include "data/SaveSlots.h"

#include <cerrno>
#include <cstdio>

#include "data/PlayerFiles.h"
#include "platform/GameFolders.h"

namespace {

void PutInt32(unsigned char* out, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    out[0] = static_cast<unsigned char>(v & 0xFFu);
    out[1] = static_cast<unsigned char>((v >> 8) & 0xFFu);
    out[2] = static_cast<unsigned char>((v >> 16) & 0xFFu);
    out[3] = static_cast<unsigned char>((v >> 24) & 0xFFu);
}

int32_t GetInt32(const unsigned char* in) {
    const uint32_t v = static_cast<uint32_t>(in[0]) | (static_cast<uint32_t>(in[1]) << 8) |
                       (static_cast<uint32_t>(in[2]) << 16) | (static_cast<uint32_t>(in[3]) << 24);
    return static_cast<int32_t>(v);
}

int32_t* Fields(PlayerRecord& r, int index) {
    int32_t* fields[6] = {&r.nextLevel, &r.health, &r.lives, &r.score, &r.money, &r.strength};
    return fields[index];
}

}  // namespace

std::string SaveSlotFileName(int slot) {
    return "SAVE" + std::to_string(slot);
}

bool IsEmptySlot(const PlayerRecord& record) {
    return record.nextLevel < 1 || record.nextLevel > 7;
}

void EncodeSlot(const PlayerRecord& record, unsigned char (&bytes)[kSaveRecordSize]) {
    PlayerRecord copy = record;
    for (int i = 0; i < 6; ++i) PutInt32(bytes + 4 * i, *Fields(copy, i));
}

void DecodeSlot(const unsigned char* bytes, size_t size, PlayerRecord& record) {
    unsigned char full[kSaveRecordSize];
    EncodeSlot(record, full);
    for (size_t i = 0; i < size && i < kSaveRecordSize; ++i) full[i] = bytes[i];
    for (int i = 0; i < 6; ++i) *Fields(record, i) = GetInt32(full + 4 * i);
}

void ReadSlots(SaveSlotArray& slots, int32_t difficulty, std::array<bool, kSaveSlotCount>* unreadable) {
    for (int i = 0; i < kSaveSlotCount; ++i) {
        PlayerRecord& slot = slots[i];
        slot = PlayerRecord{};
        slot.Reset(difficulty);
        if (unreadable) (*unreadable)[i] = false;
        const std::string path = platform::UserDataPath(SaveSlotFileName(i));
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file) {
            // The slot files exist from the first visit on, empty until a level is finished.
            if (errno == ENOENT) {
                platform::WriteUserFile(path, "", 0);
            } else if (unreadable) {
                (*unreadable)[i] = true;
            }
            continue;
        }
        unsigned char bytes[kSaveRecordSize];
        const size_t got = std::fread(bytes, 1, kSaveRecordSize, file);
        const bool failed = std::ferror(file) != 0;
        std::fclose(file);
        if (failed) {
            if (unreadable) (*unreadable)[i] = true;
            continue;
        }
        DecodeSlot(bytes, got, slot);
    }
}

namespace {

// The player is told about the slot that holds new progress; the others are only written back as they were.
bool WriteSlot(int slot, const PlayerRecord& record, bool tellPlayer = false) {
    unsigned char bytes[kSaveRecordSize];
    EncodeSlot(record, bytes);
    const std::string path = platform::UserDataPath(SaveSlotFileName(slot));
    if (tellPlayer) return SavePlayerFile(PlayerFile::SaveSlot, path, bytes, sizeof(bytes));
    if (platform::WriteUserFile(path, bytes, sizeof(bytes))) return true;
    std::fprintf(stderr, "Kolvenbrook 3D: could not write %s\n", path.c_str());
    return false;
}

}  // namespace

bool WriteSlots(const SaveSlotArray& slots) {
    bool ok = true;
    for (int i = 0; i < kSaveSlotCount; ++i) ok = WriteSlot(i, slots[i]) && ok;
    return ok;
}

bool StoreFinishedLevel(int32_t levelNumber, const PlayerRecord& record, int32_t difficulty) {
    if (levelNumber < 0 || levelNumber >= kSaveSlotCount) return false;
    SaveSlotArray slots;
    std::array<bool, kSaveSlotCount> unreadable{};
    ReadSlots(slots, difficulty, &unreadable);
    slots[levelNumber] = record;
    bool ok = true;
    for (int i = 0; i < kSaveSlotCount; ++i) {
        if (unreadable[i] && i != levelNumber) {
            std::fprintf(stderr, "Kolvenbrook 3D: %s could not be read; it is left as it was\n",
                         SaveSlotFileName(i).c_str());
            continue;
        }
        ok = WriteSlot(i, slots[i], i == levelNumber) && ok;
    }
    return ok;
}
