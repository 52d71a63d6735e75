// Reading back what an X server shows on its whole screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// The root window of `display` (":N") as 0x00RRGGBB pixels, read through Xlib, so it is what the X server
// really shows and not what a renderer believes it drew. False when Xlib is not built in or the display
// cannot be read.
bool GrabScreen(const std::string& display, std::vector<uint32_t>& pixels, int& width, int& height);

}  // namespace testing_support
