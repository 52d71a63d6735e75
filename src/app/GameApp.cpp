// The application object and its message loop.
#include "app/GameApp.h"

#include <algorithm>

#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "frontend/Highscore.h"
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
        case platform::PlatformEvent::Type::FocusLost:
            window.OnFocusLost();
            break;
        case platform::PlatformEvent::Type::FocusGained:
            // A paused level waits for the player to go on.
            break;
        case platform::PlatformEvent::Type::Quit:
            // The window closed from outside ends the game like the quit item does.
            window.OnDestroy();
            window.quitPosted = true;
            break;
        default:
            // Pad events arrive here only as the keys they became.
            break;
    }
}

CPadInput::Context CGameApp::PadContext() const {
    const CGameDlg& w = window;
    if (w.introPlaying || w.outroPending) return CPadInput::Context::Menu;
    if (w.currentState == Level) return CPadInput::Context::Level;
    const CHighscore* table = GameGlobals::highscore;
    if (w.currentState == Highscore && table && table->editRow != -1) return CPadInput::Context::NameEntry;
    return CPadInput::Context::Menu;
}

bool CGameApp::NextEvent(platform::PlatformEvent& event) {
    platform::IEventSource* events = platform::Current().events;
    for (;;) {
        if (!padKeys_.empty()) {
            event = padKeys_.front();
            padKeys_.pop_front();
            return true;
        }
        if (!events || !events->Poll(event)) return false;
        if (!platform::IsPadEvent(event.type)) return true;
        if (window.settings.gamepads && GameGlobals::input) {
            pads.Translate(event, PadContext(), *GameGlobals::input, padKeys_);
        }
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
    platform::PlatformEvent event;
    while (!window.destroyed && NextEvent(event)) {
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
