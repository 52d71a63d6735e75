// The --check mode: every sound, track and video the game expects exists and decodes.
#pragma once

#include <string>

namespace media {

// Prints one line per file and returns false when anything is missing or broken.
bool CheckGameFolder(const std::string& gameFolder);

}  // namespace media
