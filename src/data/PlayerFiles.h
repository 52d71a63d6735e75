// The player's own files (options, save slots, best scores): written crash-safely, and a failure is told once.
#pragma once

#include <cstddef>
#include <string>

enum class PlayerFile { Options, SaveSlot, BestScores };

// Replaces the file crash-safely, making its folder first when needed. When that fails the old file stays
// whole and a message box names what could not be saved and where, once per file and run: the game goes on.
bool SavePlayerFile(PlayerFile what, const std::string& realPath, const void* data, size_t size);

// The message shown when `what` could not be saved to realPath (Windows-1250).
std::string PlayerFileNotSavedMessage(PlayerFile what, const std::string& realPath);
