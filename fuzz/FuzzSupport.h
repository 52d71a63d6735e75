// Shared set-up of the fuzz targets: a private game folder and the windowless platform services.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CGameDlg;

namespace fuzz_support {

// Installs the windowless services (virtual clock, silent recorded message boxes, headless display,
// recorded audio and video, real PNG decoding) and makes a fresh folder (in /dev/shm, else /tmp) the working
// directory, which the game reads as its game folder. Runs once per process; the folder goes at exit.
void Prepare();

// The game folder's real path.
const std::string& GameFolder();

// Writes a file below the game folder (a path with '/'); folders are made as needed.
void WriteGameFile(const std::string& relativePath, const uint8_t* data, size_t size);
void WriteGameFile(const std::string& relativePath, const std::string& bytes);
void RemoveGameFile(const std::string& relativePath);
// The file's bytes; false when it is not there.
bool ReadGameFile(const std::string& relativePath, std::string& bytes);

// A PNG of one colour (0x00RRGGBB) written below the game folder.
void WritePicture(const std::string& relativePath, int width, int height, uint32_t rgb);

// Moves the virtual clock (both the tick counter and the C runtime clock) on.
void AdvanceClock(uint32_t ms);

// Message boxes shown since the last call; the record is emptied so that it does not grow across runs.
size_t TakeMessageCount();

// A main window that is never started: an 800x600 draw target, reachable as GameGlobals::mainWindow.
// Its destruction neither writes Config.dat nor deletes game-wide objects.
class BareWindow {
public:
    BareWindow();
    ~BareWindow();
    BareWindow(const BareWindow&) = delete;
    BareWindow& operator=(const BareWindow&) = delete;
    CGameDlg& Window() { return *window_; }

private:
    std::unique_ptr<CGameDlg> window_;
};

// Stops the run with a message on stderr when a property of the reader does not hold; the fuzzer
// reports it like a crash, with the input.
void Require(bool condition, const char* what);

}  // namespace fuzz_support
