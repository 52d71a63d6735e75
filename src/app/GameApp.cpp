// The application object and its message loop.
#include "app/GameApp.h"

#include <algorithm>

#include "core/GameGlobals.h"
#include "platform/Platform.h"

void CGameApp::InitInstance() {
    window.OnInitDialog();
}

void CGameApp::Dispatch(const platform::PlatformEvent& event) {
    switch (event.type) {
        case platform::PlatformEvent::Type::KeyDown:
            window.OnKeyDown(event.vk);
            break;
        case platform::PlatformEvent::Type::KeyUp:
            window.OnKeyUp(event.vk);
            break;
        case platform::PlatformEvent::Type::Quit:
            // The window closed from outside ends the game like the quit item does.
            window.OnDestroy();
            window.quitPosted = true;
            break;
    }
}

bool CGameApp::PumpEvents() {
    if (heldBack_) {
        // Still no frame since the key went down: everything else waits behind the release.
        if (window.frameCounter == heldBackAtFrame_) return !window.destroyed;
        Dispatch(*heldBack_);
        heldBack_.reset();
    }
    // Batches come as often as events arrive, several between two frames when the player is quick:
    // what went down counts as unseen until the frame counter moves on.
    if (window.frameCounter != pressedFrame_) {
        pressedUnseen_.clear();
        pressedFrame_ = window.frameCounter;
    }
    platform::IEventSource* events = platform::Current().events;
    platform::PlatformEvent event;
    while (!window.destroyed && events && events->Poll(event)) {
        if (event.type == platform::PlatformEvent::Type::KeyUp &&
            std::find(pressedUnseen_.begin(), pressedUnseen_.end(), event.vk) != pressedUnseen_.end()) {
            heldBack_ = event;
            heldBackAtFrame_ = window.frameCounter;
            break;
        }
        if (event.type == platform::PlatformEvent::Type::KeyDown) pressedUnseen_.push_back(event.vk);
        Dispatch(event);
    }
    return !window.destroyed;
}

int CGameApp::Run() {
    platform::Services& services = platform::Current();
    while (PumpEvents()) {
        window.RunFrame();
        if (window.quitPosted) break;
        // Sleep until the next frame is due or an event arrives.
        const int32_t sinceLast = static_cast<int32_t>(services.clock->TickCount() - GameGlobals::lastFrameTick);
        const int32_t wait = 21 - sinceLast;
        if (wait > 0 && services.events) services.events->WaitForEvent(wait);
    }
    return 0;
}
