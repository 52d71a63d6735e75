// Message boxes with one OK button; texts are Windows-1250 as the game stores them.
#pragma once

#include <string>

namespace platform {

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void Show(const std::string& textCp1250, const std::string& captionCp1250) = 0;
};

}  // namespace platform
