// The application object: makes the main window and runs the message loop.
#pragma once

#include "app/GameDlg.h"

class CGameApp {
public:
    // Starts the main window (start-up of the game).
    void InitInstance();
    // Dispatches every waiting event to the window; false once the window was destroyed.
    bool PumpEvents();
    // The loop: events, then a frame when one is due, sleeping in between. Returns the exit code.
    int Run();

    CGameDlg window;
};
