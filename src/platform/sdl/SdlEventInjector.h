// Puts made-up SDL events into the queue, so event handling can be tested without a keyboard or window.
#pragma once

#include <string>

namespace platform {

class SdlEventInjector {
public:
    // keyName is SDL's key name ("Left", "Return", "Keypad Enter", "A", "Left Shift", "F1"...).
    // False when the name is unknown or the event queue is not running.
    static bool Key(bool down, const std::string& keyName, bool alt = false, bool shift = false, bool repeat = false);
    static bool Quit();
    static bool WindowExposed();
    static bool RenderDeviceReset();
    // Discards everything waiting in the queue.
    static void Flush();
};

}  // namespace platform
