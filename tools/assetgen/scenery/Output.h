// The generated game folder: a file is rewritten only when its bytes change, so unchanged
// scenery keeps its timestamp.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"

namespace scenery {

class Output {
public:
    explicit Output(std::string root) : root_(std::move(root)) {}

    // path uses '/' and is relative to the game folder; folders are made as needed.
    bool Write(const std::string& path, const std::vector<unsigned char>& bytes);
    bool WriteText(const std::string& path, const std::string& text);
    bool WritePng(const std::string& path, const Picture& picture) { return Write(path, EncodePng(picture)); }

    int Files() const { return files_; }
    int Written() const { return written_; }
    bool Failed() const { return failed_; }

private:
    std::string root_;
    int files_ = 0;
    int written_ = 0;
    bool failed_ = false;
};

}  // namespace scenery
