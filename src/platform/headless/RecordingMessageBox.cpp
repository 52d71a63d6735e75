// Recorded message boxes.
#include "platform/headless/RecordingMessageBox.h"

#include <cstdio>

#include "platform/Cp1250.h"

namespace platform {

void RecordingMessageBox::Show(const std::string& textCp1250, const std::string& captionCp1250) {
    shown.push_back(textCp1250);
    if (printToStderr) {
        std::fprintf(stderr, "[%s] %s\n", Cp1250ToUtf8(captionCp1250).c_str(), Cp1250ToUtf8(textCp1250).c_str());
    }
}

std::vector<std::string> RecordingMessageBox::TakeNew() {
    std::vector<std::string> result(shown.begin() + static_cast<long>(taken_), shown.end());
    taken_ = shown.size();
    return result;
}

}  // namespace platform
