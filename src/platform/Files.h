// Game-folder files: backslash paths mapped to the disk, found case-insensitively; safe writes.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Maps a game path such as "LevelDescriptions\Level0.xml" (relative to the working directory,
// which is the game folder) to a path on disk. Each component is matched case-insensitively
// against what exists; components that do not exist are kept as written.
std::string ResolveGamePath(const std::string& gamePath);

// Reads a whole file; false when it cannot be opened or read, or is larger than maxBytes.
bool ReadWholeFile(const std::string& realPath, std::string& out, size_t maxBytes = 64u * 1024 * 1024);

// Replaces a file crash-safely: writes a temporary file in the same folder, flushes it to disk,
// renames it over the old one and flushes the folder. The old file stays whole if this fails.
bool WriteFileAtomic(const std::string& realPath, const void* data, size_t size);

// Removes temporary files an interrupted WriteFileAtomic may have left in a folder.
void RemoveStaleTempFiles(const std::string& folder);

// Folder holding the running executable ("" when unknown).
std::string ExecutableFolder();

// Makes folder the working directory; false on failure.
bool ChangeToFolder(const std::string& folder);

}  // namespace platform
