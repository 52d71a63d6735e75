// Keyboard, window and gamepad events from SDL2, keys turned into the game's virtual-key codes.
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

    // Arrows, Space, Shift, Enter, Escape, Backspace, Pause, F1..F12, letters (65..90 whatever the Shift
    // state), digits and the other keys of KeyNames.h; auto-repeat comes as further key-downs; other keys
    // are dropped. Alt+Enter switches between window and full screen and is not delivered. Closing the window
    // gives Quit; the window losing the focus or being minimised gives FocusLost, getting it back FocusGained.
    bool Poll(PlatformEvent& event) override;
    void WaitForEvent(int timeoutMs) override;
    // Starts SDL's game controllers; every supported pad is opened when it comes (SDL announces the
    // ones already plugged in too) and closed when it goes. Only the left stick and the buttons of
    // PadButton are delivered. A mapping file that cannot be read is reported on stderr and skipped.
    void StartPads(const std::string& mappingFile) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
