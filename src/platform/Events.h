// Keyboard, window and gamepad events, keys delivered as Windows virtual-key codes.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Virtual-key codes the game binds.
enum VirtualKey : int {
    VK_BACK = 8,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_PAUSE = 19,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_F1 = 112,
    VK_F12 = 123,
};

// The gamepad controls the game reads, in the layout of SDL's game controllers.
enum class PadButton : int {
    A,
    B,
    X,
    Y,
    Back,
    Start,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
    Count
};
enum class PadAxis : int { LeftX, LeftY, Count };
// Stick positions run from -32768 (left, up) to 32767 (right, down).
constexpr int kPadAxisMax = 32767;

struct PlatformEvent {
    enum class Type {
        KeyDown,
        KeyUp,
        Quit,
        FocusLost,
        FocusGained,
        PadAdded,
        PadRemoved,
        PadButtonDown,
        PadButtonUp,
        PadAxisMoved,
    };
    Type type = Type::KeyDown;
    int vk = 0;       // for key events; letters are 65..90 whatever the Shift state
    int pad = 0;      // for pad events: the pad's number, unique while it stays connected
    int control = 0;  // a PadButton or PadAxis
    int value = 0;    // the axis position
};

inline bool IsPadEvent(PlatformEvent::Type type) {
    return type == PlatformEvent::Type::PadAdded || type == PlatformEvent::Type::PadRemoved ||
           type == PlatformEvent::Type::PadButtonDown || type == PlatformEvent::Type::PadButtonUp ||
           type == PlatformEvent::Type::PadAxisMoved;
}

// SDL's names of the pad controls ("a", "start", "dpleft", "leftx"); false for other names.
const char* PadButtonName(PadButton button);
bool PadButtonFromName(const std::string& name, PadButton& button);
const char* PadAxisName(PadAxis axis);
bool PadAxisFromName(const std::string& name, PadAxis& axis);

class IEventSource {
public:
    virtual ~IEventSource() = default;
    // Takes the next waiting event; false when none is waiting.
    virtual bool Poll(PlatformEvent& event) = 0;
    // Sleeps until an event arrives or timeoutMs pass (the frame loop's pacing; never spins).
    virtual void WaitForEvent(int timeoutMs) = 0;
    // Starts delivering gamepad events, with the extra pad layouts of an SDL mapping file when one
    // exists at mappingFile. Pads connected before or after come as PadAdded.
    virtual void StartPads(const std::string& mappingFile) = 0;
};

}  // namespace platform
