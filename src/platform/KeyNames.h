// Names of the keys a player can bind, as SDL names them ("Left", "Space", "Left Shift", "F12").
#pragma once

#include <string>

namespace platform {

// The virtual-key code of a key name (any letter case); -1 for a name no key of ours has. Both Shift
// keys are one key to the game, as are both Ctrl and both Alt keys, and Return and Keypad Enter.
int VirtualKeyFromName(const std::string& name);
// The name of a virtual-key code ("" for a code without one); for a key with two names, the first.
std::string VirtualKeyName(int vk);

}  // namespace platform
