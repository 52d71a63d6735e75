// The application object: makes the main window and runs the message loop.
#pragma once

#include <optional>
#include <vector>

#include "app/GameDlg.h"
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

private:
    void Dispatch(const platform::PlatformEvent& event);

    std::optional<platform::PlatformEvent> heldBack_;
    int32_t heldBackAtFrame_ = 0;
    // Keys that went down since frame pressedFrame_ began: no frame has seen them yet.
    std::vector<int> pressedUnseen_;
    int32_t pressedFrame_ = 0;
};
