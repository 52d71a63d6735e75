// The game window on SDL2: a desktop-fullscreen (or 800x600) window showing the back buffer letterboxed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Display.h"

namespace platform {

class SdlDisplay : public IDisplay {
public:
    SdlDisplay();
    ~SdlDisplay() override;
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;

    // Opens the window. Refuses (CreateDevice) when there is no screen to show it on: no DISPLAY and no
    // WAYLAND_DISPLAY, or SDL fell back to its offscreen/dummy driver without SDL_VIDEODRIVER asking for it.
    // KVB_WINDOWED=1 starts in a window whatever the options say.
    DisplayStep Open(int width, int height, const char* titleUtf8) override;
    // Window or full screen, the window's size, integer scaling, nearest filtering and vsync.
    void SetOptions(const DisplayOptions& options) override;
    void HideCursor() override;
    void ShowArrowCursor() override;
    Surface* BackBuffer() override;
    void Present() override;
    void PresentPicture(const Surface& picture) override;
    void SetTitle(const char* titleUtf8) override;
    void Close() override;

    // Why the last Open failed ("" after a successful one).
    const std::string& LastError() const;
    bool IsOpen() const;
    bool IsFullscreen() const;
    // Alt+Enter: desktop full screen <-> window.
    void ToggleFullscreen();
    // Shows the last presented picture again (window exposed, resized or switched to full screen).
    void PresentAgain();
    // The renderer lost its textures: makes them again and marks every surface lost so owners refill them.
    void HandleDeviceReset();
    // The SDL_Window* (as an opaque pointer) for message boxes; null when closed.
    void* NativeWindow() const;
    // Renders the last presented picture again and reads back the whole window as 0x00RRGGBB
    // (for checks of scaling and letterboxing). False when closed or the renderer cannot read.
    bool CaptureWindow(std::vector<uint32_t>& pixels, int& width, int& height);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
