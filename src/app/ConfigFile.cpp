// Config.dat: the player's options as eight raw bytes, read at start and written at exit.
#include <array>
#include <cstdio>
#include <cstring>

#include "app/GameDlg.h"
#include "data/PlayerFiles.h"
#include "platform/GameFolders.h"

namespace {
const char kConfigFile[] = "Config.dat";
constexpr size_t kConfigSize = 8;
using ConfigBytes = std::array<unsigned char, kConfigSize>;

// The four option bytes, then the difficulty as four bytes in the machine's order.
ConfigBytes OptionBytes(const GameDlgFields& window) {
    ConfigBytes bytes;
    bytes[0] = window.nearLayerOption;
    bytes[1] = window.musicOption;
    bytes[2] = window.soundOption;
    bytes[3] = window.spareOption;
    std::memcpy(bytes.data() + 4, &window.difficulty, 4);
    return bytes;
}
}  // namespace

void CGameDlg::ReadConfig() {
    // Each field takes what the file still has; a short file leaves the rest at the values the
    // fields already hold (the defaults).
    ConfigBytes bytes = OptionBytes(*this);
    std::FILE* file = std::fopen(platform::UserConfigPath(kConfigFile).c_str(), "rb");
    if (!file) return;
    const size_t got = std::fread(bytes.data(), 1, kConfigSize, file);
    std::fclose(file);
    if (got == 0) return;
    nearLayerOption = bytes[0];
    musicOption = bytes[1];
    soundOption = bytes[2];
    spareOption = bytes[3];
    std::memcpy(&difficulty, bytes.data() + 4, 4);
    // No screen can bring an absurd difficulty back into range quickly; such a file counts as hard.
    if (difficulty < 0 || difficulty > 2) difficulty = 2;
}

void CGameDlg::WriteConfig() {
    const ConfigBytes bytes = OptionBytes(*this);
    SavePlayerFile(PlayerFile::Options, platform::UserConfigPath(kConfigFile), bytes.data(), kConfigSize);
}
