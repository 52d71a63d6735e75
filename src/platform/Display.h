// The window showing the 800x600 picture: set-up steps, back buffer, loss and present.
#pragma once

#include "platform/Surface.h"

namespace platform {

// The steps of setting up the display, in order; Open reports the first one that failed.
enum class DisplayStep {
    Ok = 0,
    CreateDevice,    // the video subsystem
    QueryInterface,  // the renderer interface
    Exclusive,       // the window
    Resolution,      // the 800x600 mode / renderer
    PrimarySurface,  // the streaming texture shown on screen
    BackBuffer,      // the back buffer every screen draws into
};

// How the window shows the picture; the defaults are the game without a settings file.
struct DisplayOptions {
    bool fullscreen = true;
    int windowWidth = 800;
    int windowHeight = 600;
    // Whole multiples of the picture only (sharp pixels, a wider black border), or as large as fits.
    bool integerScaling = false;
    bool nearestFilter = false;
    // Presents wait for the display's refresh.
    bool vsync = false;
};

class IDisplay {
public:
    virtual ~IDisplay() = default;
    // Takes effect at the next Open.
    virtual void SetOptions(const DisplayOptions& options) = 0;
    virtual DisplayStep Open(int width, int height, const char* titleUtf8) = 0;
    virtual void HideCursor() = 0;
    virtual void ShowArrowCursor() = 0;
    // Null until Open succeeded.
    virtual Surface* BackBuffer() = 0;
    // Shows the back buffer (letterboxed and scaled).
    virtual void Present() = 0;
    // Shows a picture of any size scaled over the whole 800x600 area (the video player).
    virtual void PresentPicture(const Surface& picture) = 0;
    virtual void SetTitle(const char* titleUtf8) = 0;
    virtual void Close() = 0;
};

}  // namespace platform
