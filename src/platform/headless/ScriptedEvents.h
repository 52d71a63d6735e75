// An event queue filled by tests and the headless driver: keys, window focus and gamepads.
#pragma once

#include <deque>
#include <string>

#include "platform/Events.h"

namespace platform {

class ScriptedEvents : public IEventSource {
public:
    bool Poll(PlatformEvent& event) override {
        while (!queue_.empty()) {
            event = queue_.front();
            queue_.pop_front();
            // Until the game starts the pads, nothing of them arrives (as with SDL).
            if (padsStarted || !IsPadEvent(event.type)) return true;
        }
        return false;
    }
    void WaitForEvent(int) override {}
    void StartPads(const std::string& mappingFile) override {
        padsStarted = true;
        padMappingFile = mappingFile;
    }
    void KeyDown(int vk) { queue_.push_back({PlatformEvent::Type::KeyDown, vk}); }
    void KeyUp(int vk) { queue_.push_back({PlatformEvent::Type::KeyUp, vk}); }
    void Quit() { queue_.push_back({PlatformEvent::Type::Quit, 0}); }
    // The window losing or regaining the keyboard focus (also minimised and restored).
    void Focus(bool gained) {
        queue_.push_back({gained ? PlatformEvent::Type::FocusGained : PlatformEvent::Type::FocusLost});
    }
    void PadAdded(int pad) { Pad(PlatformEvent::Type::PadAdded, pad, 0, 0); }
    void PadRemoved(int pad) { Pad(PlatformEvent::Type::PadRemoved, pad, 0, 0); }
    void PadButton(int pad, platform::PadButton button, bool down) {
        Pad(down ? PlatformEvent::Type::PadButtonDown : PlatformEvent::Type::PadButtonUp, pad, static_cast<int>(button),
            0);
    }
    void PadAxis(int pad, platform::PadAxis axis, int value) {
        Pad(PlatformEvent::Type::PadAxisMoved, pad, static_cast<int>(axis), value);
    }
    bool Empty() const { return queue_.empty(); }

    bool padsStarted = false;
    std::string padMappingFile;

private:
    void Pad(PlatformEvent::Type type, int pad, int control, int value) {
        PlatformEvent event{type};
        event.pad = pad;
        event.control = control;
        event.value = value;
        queue_.push_back(event);
    }
    std::deque<PlatformEvent> queue_;
};

}  // namespace platform
