// Puts made-up SDL events into the queue, so event handling can be tested without a keyboard, window or pad.
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
    static bool Focus(bool gained);
    // A virtual gamepad (SDL's own, seen as a game controller) plugged in: its device index, -1 when the
    // game controllers are not running. Its controls are SDL's: button 0 is A, axis 0 the left stick across.
    static int PadAttach();
    static bool PadDetach(int index);
    static bool PadButton(int index, int sdlButton, bool down);
    static bool PadAxis(int index, int sdlAxis, int value);
    // Discards everything waiting in the queue.
    static void Flush();
};

}  // namespace platform
