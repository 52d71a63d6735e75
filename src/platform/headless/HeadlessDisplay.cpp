// The windowless display.
#include "platform/headless/HeadlessDisplay.h"

namespace platform {

DisplayStep HeadlessDisplay::Open(int width, int height, const char*) {
    for (DisplayStep step : {DisplayStep::CreateDevice, DisplayStep::QueryInterface, DisplayStep::Exclusive,
                             DisplayStep::Resolution, DisplayStep::PrimarySurface, DisplayStep::BackBuffer}) {
        if (failAt == step) return step;
        if (step == DisplayStep::BackBuffer) {
            back_ = Surface::Create(width, height);
            if (!back_) return step;
        }
    }
    return DisplayStep::Ok;
}

void HeadlessDisplay::PresentPicture(const Surface& picture) {
    ++picturePresentCount;
    if (!back_) return;
    Blt(back_.get(), Rect{0, 0, back_->Width(), back_->Height()}, &picture,
        Rect{0, 0, picture.Width(), picture.Height()}, false);
}

}  // namespace platform
