// Config.dat: the player's options as eight raw bytes, read at start and written at exit.
#include <cstdio>
#include <cstring>

#include "app/GameDlg.h"
#include "data/PlayerFiles.h"
#include "platform/GameFolders.h"

namespace {
const char kConfigFile[] = "Config.dat";
constexpr size_t kConfigSize = 8;
}  // namespace

void CGameDlg::ReadConfig() {
    // Each field takes what the file still has; a short file leaves the rest at the values the
    // fields already hold (the defaults).
    unsigned char bytes[kConfigSize];
    bytes[0] = nearLayerOption;
    bytes[1] = musicOption;
    bytes[2] = soundOption;
    bytes[3] = spareOption;
    std::memcpy(bytes + 4, &difficulty, 4);
    std::FILE* file = std::fopen(platform::UserConfigPath(kConfigFile).c_str(), "rb");
    if (!file) return;
    const size_t got = std::fread(bytes, 1, kConfigSize, file);
    std::fclose(file);
    if (got == 0) return;
    nearLayerOption = bytes[0];
    musicOption = bytes[1];
    soundOption = bytes[2];
    spareOption = bytes[3];
    std::memcpy(&difficulty, bytes + 4, 4);
    // No screen can bring an absurd difficulty back into range quickly; such a file counts as hard.
    if (difficulty < 0 || difficulty > 2) difficulty = 2;
}

void CGameDlg::WriteConfig() {
    unsigned char bytes[kConfigSize];
    bytes[0] = nearLayerOption;
    bytes[1] = musicOption;
    bytes[2] = soundOption;
    bytes[3] = spareOption;
    std::memcpy(bytes + 4, &difficulty, 4);
    SavePlayerFile(PlayerFile::Options, platform::UserConfigPath(kConfigFile), bytes, kConfigSize);
}
