// Game-folder files: backslash paths mapped to the disk, found case-insensitively; safe writes.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Maps a game path such as "LevelDescriptions\Level0.xml" (relative to the working directory,
// which is the game folder) to a path on disk. Each component is matched case-insensitively
// against what exists; components that do not exist are kept as written. A file that exists under
// the override folder (see SetDataOverrideFolder) with the same game path is taken instead.
std::string ResolveGamePath(const std::string& gamePath);

// The same mapping below another folder; found tells whether every component exists there.
std::string ResolveGamePathUnder(const std::string& folder, const std::string& gamePath, bool* found = nullptr);

// A folder whose files take the place of the game folder's ones with the same game path
// ("" for none, the default): players add or replace levels there without touching the data.
void SetDataOverrideFolder(const std::string& folder);

// Makes a folder and any missing parents (mode 0755); true when it exists afterwards.
bool MakeFolders(const std::string& folder);

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
