// Message boxes that are remembered and printed to stderr instead of shown.
#pragma once

#include <string>
#include <vector>

#include "platform/MessageBox.h"

namespace platform {

class RecordingMessageBox : public IMessageBox {
public:
    void Show(const std::string& textCp1250, const std::string& captionCp1250) override;
    // Texts shown so far, in Windows-1250.
    std::vector<std::string> shown;
    // Texts not yet taken by TakeNew.
    std::vector<std::string> TakeNew();
    bool printToStderr = true;

private:
    size_t taken_ = 0;
};

}  // namespace platform
