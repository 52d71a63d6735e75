// Keyboard and window events from SDL2, turned into the game's virtual-key codes.
#pragma once

#include <memory>

#include "platform/Events.h"

namespace platform {

class SdlDisplay;

class SdlEvents : public IEventSource {
public:
    // display may be null (no window): Alt+Enter and window events then only get swallowed.
    explicit SdlEvents(SdlDisplay* display);
    ~SdlEvents() override;
    SdlEvents(const SdlEvents&) = delete;
    SdlEvents& operator=(const SdlEvents&) = delete;

    // Arrows, Space, Shift, Enter, Escape, Backspace, letters (65..90 whatever the Shift state) and digits;
    // auto-repeat comes as further key-downs; other keys are dropped. Alt+Enter switches between window and
    // full screen and is not delivered. Closing the window gives Quit.
    bool Poll(PlatformEvent& event) override;
    void WaitForEvent(int timeoutMs) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
