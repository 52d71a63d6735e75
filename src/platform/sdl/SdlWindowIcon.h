// The game's icon on its window (the same picture as the desktop menu's icon).
#pragma once

#include <string>

namespace platform {

class SdlDisplay;

// Puts the PNG (with its transparency) on the open window; false when there is no window or no picture.
bool SetWindowIcon(SdlDisplay& display, const std::string& pngPath);

}  // namespace platform
