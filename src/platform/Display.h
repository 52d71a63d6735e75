// The window showing the 800x600 picture: set-up steps, back buffer, loss and present.
#pragma once

#include "platform/Surface.h"

namespace platform {

// The steps of setting up the display, in order; Open reports the first one that failed.
enum class DisplayStep {
    Ok = 0,
    CreateDevice,      // the video subsystem
    QueryInterface,    // the renderer interface
    Exclusive,         // the window
    Resolution,        // the 800x600 mode / renderer
    PrimarySurface,    // the streaming texture shown on screen
    BackBuffer,        // the back buffer every screen draws into
};

class IDisplay {
public:
    virtual ~IDisplay() = default;
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
