// The game window on SDL2.
#include "platform/sdl/SdlDisplay.h"

#include <SDL.h>
#if defined(KVB_HAVE_X11)
#include <X11/Xlib.h>
#endif

#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {
namespace {

bool EnvSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// True when the comma-separated driver list in SDL_VIDEODRIVER names this driver.
bool DriverRequested(const char* driver) {
    const char* list = std::getenv("SDL_VIDEODRIVER");
    if (!list || !driver) return false;
    const size_t len = std::strlen(driver);
    const char* p = list;
    while (*p) {
        const char* end = std::strchr(p, ',');
        const size_t itemLen = end ? static_cast<size_t>(end - p) : std::strlen(p);
        if (itemLen == len && SDL_strncasecmp(p, driver, len) == 0) return true;
        if (!end) break;
        p = end + 1;
    }
    return false;
}

// True on an X server that no window manager runs on (none holds the root window's substructure redirect):
// there a request for full screen is a message nobody answers, and the window would keep its size.
bool XServerWithoutWindowManager() {
#if defined(KVB_HAVE_X11)
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || SDL_strcasecmp(driver, "x11") != 0) return false;
    ::Display* x = XOpenDisplay(nullptr);
    if (!x) return false;
    XWindowAttributes root{};
    const bool unmanaged = XGetWindowAttributes(x, DefaultRootWindow(x), &root) != 0 &&
                           (root.all_event_masks & SubstructureRedirectMask) == 0;
    XCloseDisplay(x);
    return unmanaged;
#else
    return false;
#endif
}

}  // namespace

struct SdlDisplay::Impl {
    enum class Shown { Nothing, BackBuffer, Picture };

    int width = 0;
    int height = 0;
    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* screen = nullptr;   // the back buffer's texture
    SDL_Texture* picture = nullptr;  // the video picture's texture, of the picture's size
    int pictureWidth = 0;
    int pictureHeight = 0;
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_Cursor* arrow = nullptr;
    std::unique_ptr<Surface> back;
    // What the screen texture holds: the back buffer as it was last presented. A frame that draws the same
    // picture again (a menu standing still) changes nothing on screen, so it is neither uploaded nor shown.
    std::vector<uint32_t> screenPixels;
    bool screenFilled = false;
    // After the window changed (opened, resized, exposed, switched) some drivers show the first frames only
    // in part while they catch up with the new size: this many more frames are shown even when unchanged.
    static constexpr int kSettleFrames = 5;
    int settleFrames = 0;
    Shown shown = Shown::Nothing;
    // Without a window manager full screen is the window itself, borderless over the whole display.
    bool unmanaged = false;
    bool covering = false;
    bool cursorVisible = true;
    std::string lastError;
    DisplayOptions options;

    SDL_Texture* MakeTexture(int w, int h) {
        SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h);
        // Our pixels carry 0 in the top byte: the texture must be copied, never blended.
        if (texture) SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
        return texture;
    }

    void DropPicture() {
        if (picture) SDL_DestroyTexture(picture);
        picture = nullptr;
        pictureWidth = pictureHeight = 0;
    }

    // Draws what is shown into the renderer without presenting it.
    void Compose() {
        // The letterbox follows the window's real size at once, even before its resize event was handled.
        int w = 0;
        int h = 0;
        if (SDL_GetRendererOutputSize(renderer, &w, &h) == 0 && (w != outputWidth || h != outputHeight)) {
            outputWidth = w;
            outputHeight = h;
            SDL_RenderSetLogicalSize(renderer, width, height);
            settleFrames = kSettleFrames;
        }
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_Texture* texture = shown == Shown::BackBuffer ? screen : shown == Shown::Picture ? picture : nullptr;
        if (texture) SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    }

    void Render() {
        if (!renderer) return;
        Compose();
        SDL_RenderPresent(renderer);
    }

    // Shows the window anew after it changed, and the next few frames too.
    void RenderChanged() {
        settleFrames = kSettleFrames;
        Render();
    }

    void ApplyCursor() {
        if (!videoStarted) return;
        if (cursorVisible) {
            if (!arrow) arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
            if (arrow) SDL_SetCursor(arrow);
            SDL_ShowCursor(SDL_ENABLE);
        } else {
            SDL_ShowCursor(SDL_DISABLE);
        }
    }

    void CoverDisplay() {
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &bounds) != 0) return;
        SDL_SetWindowBordered(window, SDL_FALSE);
        SDL_SetWindowPosition(window, bounds.x, bounds.y);
        SDL_SetWindowSize(window, bounds.w, bounds.h);
        covering = true;
    }

    void Uncover() {
        SDL_SetWindowSize(window, options.windowWidth, options.windowHeight);
        SDL_SetWindowBordered(window, SDL_TRUE);
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        covering = false;
    }

    // Copies the rows of the back buffer that differ from the screen texture into it; false when none differ.
    bool UpdateScreen() {
        const int w = back->Width();
        const int h = back->Height();
        const uint32_t* pixels = back->Pixels();
        const size_t rowBytes = static_cast<size_t>(w) * sizeof(uint32_t);
        if (screenPixels.size() != static_cast<size_t>(w) * h) {
            screenPixels.assign(static_cast<size_t>(w) * h, 0);
            screenFilled = false;
        }
        int first = 0;
        int last = h - 1;
        if (screenFilled) {
            auto same = [&](int y) {
                const size_t at = static_cast<size_t>(y) * w;
                return std::memcmp(pixels + at, screenPixels.data() + at, rowBytes) == 0;
            };
            while (first < h && same(first)) ++first;
            if (first == h) return false;
            while (last > first && same(last)) --last;
        }
        // Straight into the texture's own memory: no staging copy in between.
        const SDL_Rect rows{0, first, w, last - first + 1};
        void* locked = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(screen, &rows, &locked, &pitch) == 0) {
            for (int y = first; y <= last; ++y) {
                const uint32_t* row = pixels + static_cast<size_t>(y) * w;
                std::memcpy(static_cast<unsigned char*>(locked) + static_cast<size_t>(y - first) * pitch, row,
                            rowBytes);
                std::memcpy(screenPixels.data() + static_cast<size_t>(y) * w, row, rowBytes);
            }
            SDL_UnlockTexture(screen);
            screenFilled = true;
        } else {
            SDL_UpdateTexture(screen, nullptr, pixels, static_cast<int>(rowBytes));
            screenFilled = false;  // compare again from scratch next time
        }
        return true;
    }

    // True when the window's drawing area no longer has the size the letterbox was worked out for.
    bool OutputResized() const {
        int w = 0;
        int h = 0;
        return SDL_GetRendererOutputSize(renderer, &w, &h) == 0 && (w != outputWidth || h != outputHeight);
    }

    void DestroyWindow() {
        DropPicture();
        if (screen) SDL_DestroyTexture(screen);
        screen = nullptr;
        if (renderer) SDL_DestroyRenderer(renderer);
        renderer = nullptr;
        if (window) SDL_DestroyWindow(window);
        window = nullptr;
        back.reset();
        screenPixels.clear();
        screenPixels.shrink_to_fit();
        screenFilled = false;
        shown = Shown::Nothing;
        covering = false;
        outputWidth = outputHeight = 0;
    }

    DisplayStep Fail(DisplayStep step, const char* what) {
        lastError = std::string(what) + ": " + SDL_GetError();
        DestroyWindow();
        return step;
    }
};

SdlDisplay::SdlDisplay() : impl_(std::make_unique<Impl>()) {}

SdlDisplay::~SdlDisplay() {
    Close();
}

DisplayStep SdlDisplay::Open(int width, int height, const char* titleUtf8) {
    Close();
    Impl& d = *impl_;
    d.lastError.clear();
    d.width = width;
    d.height = height;

    // SDL would happily fall back to an invisible offscreen window; a game nobody can see is worse than
    // a clear refusal, so that happens only when someone asked for such a driver by name.
    const bool driverNamed = EnvSet("SDL_VIDEODRIVER");
    if (!driverNamed && !EnvSet("DISPLAY") && !EnvSet("WAYLAND_DISPLAY")) {
        d.lastError = "no display to open a window on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
        return DisplayStep::CreateDevice;
    }
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        d.lastError = std::string("cannot start the video subsystem: ") + SDL_GetError();
        return DisplayStep::CreateDevice;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && (SDL_strcasecmp(driver, "offscreen") == 0 || SDL_strcasecmp(driver, "dummy") == 0) &&
        !DriverRequested(driver)) {
        d.lastError = std::string("no display: SDL chose the '") + driver + "' video driver, which shows nothing";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return DisplayStep::CreateDevice;
    }
    d.videoStarted = true;

    // The window. Full screen keeps the desktop's mode; the picture is scaled and letterboxed into it.
    // KVB_WINDOWED (the command line's --windowed and --fullscreen) wins over the settings: 1 a window, 0 full screen.
    const char* windowed = std::getenv("KVB_WINDOWED");
    const bool startWindowed = windowed && (std::strcmp(windowed, "1") == 0 || std::strcmp(windowed, "0") == 0)
                                   ? std::strcmp(windowed, "1") == 0
                                   : !d.options.fullscreen;
    d.unmanaged = XServerWithoutWindowManager();
    const Uint32 flags = startWindowed || d.unmanaged ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_FULLSCREEN_DESKTOP;
    d.window = SDL_CreateWindow(titleUtf8 ? titleUtf8 : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                startWindowed ? d.options.windowWidth : width,
                                startWindowed ? d.options.windowHeight : height, flags);
    if (!d.window) return d.Fail(DisplayStep::Exclusive, "cannot create the window");
    SDL_SetWindowMinimumSize(d.window, 320, 240);

    // Frames are paced by the game itself: no waiting for the vertical blank unless the player asked.
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, d.options.vsync ? "1" : "0");
    const Uint32 vsync = d.options.vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
    d.renderer = SDL_CreateRenderer(d.window, -1, SDL_RENDERER_ACCELERATED | vsync);
    if (!d.renderer) d.renderer = SDL_CreateRenderer(d.window, -1, SDL_RENDERER_SOFTWARE | vsync);
    if (!d.renderer && vsync) d.renderer = SDL_CreateRenderer(d.window, -1, SDL_RENDERER_SOFTWARE);
    if (!d.renderer) return d.Fail(DisplayStep::Resolution, "cannot create a renderer");
    // After the renderer, which may make the window anew.
    if (!startWindowed && d.unmanaged) d.CoverDisplay();
    if (SDL_RenderSetLogicalSize(d.renderer, width, height) != 0) {
        return d.Fail(DisplayStep::Resolution, "cannot set the 800x600 logical size");
    }
    SDL_RenderSetIntegerScale(d.renderer, d.options.integerScaling ? SDL_TRUE : SDL_FALSE);

    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, d.options.nearestFilter ? "nearest" : "linear");
    d.screen = d.MakeTexture(width, height);
    if (!d.screen) return d.Fail(DisplayStep::PrimarySurface, "cannot create the screen texture");

    d.back = Surface::Create(width, height);
    if (!d.back) {
        d.lastError = "cannot create the back buffer";
        d.DestroyWindow();
        return DisplayStep::BackBuffer;
    }

    // Keys arrive as key events only; no input method should swallow them.
    SDL_StopTextInput();
    d.ApplyCursor();
    d.RenderChanged();
    return DisplayStep::Ok;
}

void SdlDisplay::SetOptions(const DisplayOptions& options) {
    impl_->options = options;
}

void SdlDisplay::HideCursor() {
    impl_->cursorVisible = false;
    impl_->ApplyCursor();
}

void SdlDisplay::ShowArrowCursor() {
    impl_->cursorVisible = true;
    impl_->ApplyCursor();
}

Surface* SdlDisplay::BackBuffer() {
    return impl_->back.get();
}

void SdlDisplay::Present() {
    Impl& d = *impl_;
    if (!d.renderer || !d.screen || !d.back) return;
    // The window keeps what it shows between presents (anything that spoils it, such as an expose or a
    // resize, shows it again through PresentAgain), so an unchanged frame leaves the screen as it is.
    const bool changed = d.UpdateScreen();
    if (!changed && d.shown == Impl::Shown::BackBuffer && !d.OutputResized() && d.settleFrames == 0) return;
    if (d.settleFrames > 0) --d.settleFrames;
    d.shown = Impl::Shown::BackBuffer;
    d.Render();
}

void SdlDisplay::PresentPicture(const Surface& picture) {
    Impl& d = *impl_;
    if (!d.renderer) return;
    if (!d.picture || d.pictureWidth != picture.Width() || d.pictureHeight != picture.Height()) {
        d.DropPicture();
        d.picture = d.MakeTexture(picture.Width(), picture.Height());
        if (!d.picture) return;
        d.pictureWidth = picture.Width();
        d.pictureHeight = picture.Height();
    }
    SDL_UpdateTexture(d.picture, nullptr, picture.Pixels(), picture.Width() * static_cast<int>(sizeof(uint32_t)));
    d.shown = Impl::Shown::Picture;
    d.Render();
}

void SdlDisplay::SetTitle(const char* titleUtf8) {
    if (impl_->window) SDL_SetWindowTitle(impl_->window, titleUtf8 ? titleUtf8 : "");
}

void SdlDisplay::Close() {
    Impl& d = *impl_;
    d.DestroyWindow();
    if (d.arrow) SDL_FreeCursor(d.arrow);
    d.arrow = nullptr;
    if (d.videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    d.videoStarted = false;
}

const std::string& SdlDisplay::LastError() const {
    return impl_->lastError;
}

bool SdlDisplay::IsOpen() const {
    return impl_->renderer != nullptr && impl_->back != nullptr;
}

bool SdlDisplay::IsFullscreen() const {
    return impl_->window && (impl_->covering || (SDL_GetWindowFlags(impl_->window) & SDL_WINDOW_FULLSCREEN) != 0);
}

void SdlDisplay::ToggleFullscreen() {
    Impl& d = *impl_;
    if (!d.window) return;
    if (d.covering) {
        d.Uncover();
    } else if (IsFullscreen()) {
        SDL_SetWindowFullscreen(d.window, 0);
    } else if (d.unmanaged) {
        d.CoverDisplay();
    } else {
        SDL_SetWindowFullscreen(d.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    d.ApplyCursor();
    d.RenderChanged();
}

void SdlDisplay::PresentAgain() {
    impl_->RenderChanged();
}

void SdlDisplay::HandleDeviceReset() {
    Impl& d = *impl_;
    if (!d.renderer) return;
    d.DropPicture();
    if (d.screen) SDL_DestroyTexture(d.screen);
    d.screen = d.MakeTexture(d.width, d.height);
    d.screenFilled = false;
    // What was on the lost textures is gone: every owner refills its pictures, and the next present
    // shows a fresh frame.
    if (d.shown == Impl::Shown::Picture) d.shown = Impl::Shown::Nothing;
    MarkAllSurfacesLost();
    d.RenderChanged();
}

void* SdlDisplay::NativeWindow() const {
    return impl_->window;
}

bool SdlDisplay::CaptureWindow(std::vector<uint32_t>& pixels, int& width, int& height) {
    Impl& d = *impl_;
    if (!d.renderer) return false;
    if (SDL_GetRendererOutputSize(d.renderer, &width, &height) != 0 || width <= 0 || height <= 0) return false;
    d.Compose();
    SDL_RenderFlush(d.renderer);
    // Reading is limited to the logical viewport; widen it to the whole window for the read (what was drawn
    // stays), then put the logical size back.
    SDL_RenderSetLogicalSize(d.renderer, 0, 0);
    SDL_RenderSetViewport(d.renderer, nullptr);
    pixels.assign(static_cast<size_t>(width) * height, 0);
    const int result = SDL_RenderReadPixels(d.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                                            width * static_cast<int>(sizeof(uint32_t)));
    SDL_RenderSetLogicalSize(d.renderer, d.width, d.height);
    for (uint32_t& p : pixels) p &= 0x00FFFFFFu;
    d.Render();
    return result == 0;
}

}  // namespace platform
