// Keyboard and window events, delivered as Windows virtual-key codes.
#pragma once

#include <cstdint>

namespace platform {

// Virtual-key codes the game binds.
enum VirtualKey : int {
    VK_BACK = 8,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
};

struct PlatformEvent {
    enum class Type { KeyDown, KeyUp, Quit };
    Type type = Type::KeyDown;
    int vk = 0;  // for key events; letters are 65..90 whatever the Shift state
};

class IEventSource {
public:
    virtual ~IEventSource() = default;
    // Takes the next waiting event; false when none is waiting.
    virtual bool Poll(PlatformEvent& event) = 0;
    // Sleeps until an event arrives or timeoutMs pass (the frame loop's pacing; never spins).
    virtual void WaitForEvent(int timeoutMs) = 0;
};

}  // namespace platform
