// Fuzz target: Config.dat read by CGameDlg::ReadConfig and written back by WriteConfig.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "app/GameDlg.h"

using fuzz_support::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    // The first byte chooses between a missing file and a file of the remaining bytes.
    const bool missing = size > 0 && data[0] == 0xFF;
    if (missing) {
        fuzz_support::RemoveGameFile("Config.dat");
    } else {
        fuzz_support::WriteGameFile("Config.dat", data, size);
    }

    fuzz_support::BareWindow bare;
    CGameDlg& window = bare.Window();
    window.ReadConfig();
    Require(window.difficulty >= 0 && window.difficulty <= 2, "a difficulty outside 0..2 was taken");

    // What a reader would make of it: the defaults overwritten by whatever bytes the file has.
    unsigned char expected[8] = {0, 1, 1, 0, 2, 0, 0, 0};
    if (!missing) std::memcpy(expected, data, std::min<size_t>(size, 8));
    int32_t difficulty = 0;
    std::memcpy(&difficulty, expected + 4, 4);
    if (difficulty < 0 || difficulty > 2) difficulty = 2;
    Require(window.nearLayerOption == expected[0] && window.musicOption == expected[1] &&
                window.soundOption == expected[2] && window.spareOption == expected[3] &&
                window.difficulty == difficulty,
            "the options differ from the file's bytes");

    // Written back, the file reads as the same options.
    window.WriteConfig();
    std::string written;
    Require(fuzz_support::ReadGameFile("Config.dat", written) && written.size() == 8, "Config.dat is not 8 bytes");
    fuzz_support::BareWindow again;
    again.Window().ReadConfig();
    Require(again.Window().nearLayerOption == window.nearLayerOption &&
                again.Window().musicOption == window.musicOption && again.Window().soundOption == window.soundOption &&
                again.Window().spareOption == window.spareOption && again.Window().difficulty == window.difficulty,
            "the options did not survive a write and a read");
    fuzz_support::TakeMessageCount();
    return 0;
}
