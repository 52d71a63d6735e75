// The generated game folder: files are written only when their bytes change, so the game's
// build and the other generators see untouched timestamps for unchanged content.
#pragma once

#include <string>
#include <vector>

#include "Picture.h"

namespace art {

class GameFolder {
public:
    explicit GameFolder(std::string root) : root_(std::move(root)) {}

    // path uses '/' and is relative to the game folder; folders are made as needed.
    bool Write(const std::string& path, const std::vector<unsigned char>& bytes);
    bool Write(const std::string& path, const std::string& bytes);
    bool WritePng(const std::string& path, const Picture& picture) { return Write(path, EncodePng(picture)); }

    int Written() const { return written_; }
    int Unchanged() const { return unchanged_; }
    const std::vector<std::string>& Files() const { return files_; }
    const std::string& Root() const { return root_; }

private:
    std::string root_;
    int written_ = 0;
    int unchanged_ = 0;
    std::vector<std::string> files_;
};

}  // namespace art
