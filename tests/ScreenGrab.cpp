// Reading back what an X server shows on its whole screen.
#include "ScreenGrab.h"

#if defined(KVB_HAVE_X11)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

namespace testing_support {

bool GrabScreen(const std::string& display, std::vector<uint32_t>& pixels, int& width, int& height) {
#if defined(KVB_HAVE_X11)
    ::Display* x = XOpenDisplay(display.c_str());
    if (!x) return false;
    const Window root = DefaultRootWindow(x);
    XWindowAttributes attributes{};
    XImage* image = nullptr;
    if (XGetWindowAttributes(x, root, &attributes)) {
        width = attributes.width;
        height = attributes.height;
        image =
            XGetImage(x, root, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
    }
    if (image) {
        pixels.assign(static_cast<size_t>(width) * height, 0);
        for (int y = 0; y < height; ++y) {
            for (int x0 = 0; x0 < width; ++x0) {
                const unsigned long p = XGetPixel(image, x0, y);
                // The masks say where each channel sits (a 24-bit TrueColor screen under Xvfb).
                auto channel = [p](unsigned long mask) {
                    if (!mask) return 0u;
                    int shift = 0;
                    while (!((mask >> shift) & 1)) ++shift;
                    return static_cast<uint32_t>(((p & mask) >> shift) & 0xFF);
                };
                pixels[static_cast<size_t>(y) * width + x0] =
                    (channel(image->red_mask) << 16) | (channel(image->green_mask) << 8) | channel(image->blue_mask);
            }
        }
        XDestroyImage(image);
    }
    XCloseDisplay(x);
    return image != nullptr;
#else
    (void)display;
    (void)pixels;
    (void)width;
    (void)height;
    return false;
#endif
}

}  // namespace testing_support
