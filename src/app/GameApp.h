// The application object: makes the main window and runs the message loop.
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "app/GameDlg.h"
#include "app/PadInput.h"
#include "platform/Events.h"

class CGameApp {
public:
    // Starts the main window (start-up of the game).
    void InitInstance();
    // Dispatches the waiting events to the window; false once the window was destroyed. A key
    // released before any frame saw it pressed (in the same batch or a later one) is held back
    // until a frame has, so even the quickest tap acts once.
    bool PumpEvents();
    // The loop: events, then a frame when one is due, sleeping in between. Returns the exit code.
    int Run();

    CGameDlg window;
    CPadInput pads;

private:
    void Dispatch(const platform::PlatformEvent& event);
    // The next event to dispatch: keys a pad event became first, then the platform's own; pad events
    // are turned into keys on the way.
    bool NextEvent(platform::PlatformEvent& event);
    CPadInput::Context PadContext() const;

    std::deque<platform::PlatformEvent> padKeys_;
    std::optional<platform::PlatformEvent> heldBack_;
    int32_t heldBackAtFrame_ = 0;
    // Keys that went down since frame pressedFrame_ began: no frame has seen them yet.
    std::vector<int> pressedUnseen_;
    int32_t pressedFrame_ = 0;
};
