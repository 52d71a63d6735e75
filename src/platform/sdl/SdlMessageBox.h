// Message boxes through SDL2, echoed to stderr.
#pragma once

#include "platform/MessageBox.h"

namespace platform {

class SdlDisplay;

class SdlMessageBox : public IMessageBox {
public:
    // display (may be null) gives the window the box belongs to.
    explicit SdlMessageBox(SdlDisplay* display = nullptr) : display_(display) {}
    // Prints "[caption] text" to stderr and, when the video subsystem runs, shows a box and waits for OK.
    void Show(const std::string& textCp1250, const std::string& captionCp1250) override;

private:
    SdlDisplay* display_;
};

}  // namespace platform
