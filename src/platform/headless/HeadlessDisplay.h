// A display without a window: the back buffer is kept in memory and presents are counted.
#pragma once

#include <memory>

#include "platform/Display.h"

namespace platform {

class HeadlessDisplay : public IDisplay {
public:
    void SetOptions(const DisplayOptions& chosen) override { options = chosen; }
    DisplayStep Open(int width, int height, const char* titleUtf8) override;
    void HideCursor() override { cursorVisible = false; }
    void ShowArrowCursor() override { cursorVisible = true; }
    Surface* BackBuffer() override { return back_.get(); }
    void Present() override { ++presentCount; }
    void PresentPicture(const Surface& picture) override;
    void SetTitle(const char*) override {}
    void Close() override { back_.reset(); }

    // Tests make set-up fail at a chosen step.
    DisplayStep failAt = DisplayStep::Ok;
    int presentCount = 0;
    int picturePresentCount = 0;
    bool cursorVisible = true;
    DisplayOptions options;

private:
    std::unique_ptr<Surface> back_;
};

}  // namespace platform
