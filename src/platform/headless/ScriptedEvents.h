// An event queue filled by tests and the headless driver.
#pragma once

#include <deque>

#include "platform/Events.h"

namespace platform {

class ScriptedEvents : public IEventSource {
public:
    bool Poll(PlatformEvent& event) override {
        if (queue_.empty()) return false;
        event = queue_.front();
        queue_.pop_front();
        return true;
    }
    void WaitForEvent(int) override {}
    void KeyDown(int vk) { queue_.push_back({PlatformEvent::Type::KeyDown, vk}); }
    void KeyUp(int vk) { queue_.push_back({PlatformEvent::Type::KeyUp, vk}); }
    void Quit() { queue_.push_back({PlatformEvent::Type::Quit, 0}); }
    bool Empty() const { return queue_.empty(); }

private:
    std::deque<PlatformEvent> queue_;
};

}  // namespace platform
