// The generated game folder: files are written only when their bytes change, so the game's
// build and the other generators see untouched timestamps for unchanged content.
#pragma once

#include <string>
#include <vector>

#include "common/Picture.h"

namespace gen {

class GameFolder {
public:
    // program names the generator in its messages.
    GameFolder(std::string root, std::string program) : root_(std::move(root)), program_(std::move(program)) {}

    // path uses '/' and is relative to the game folder; folders are made as needed.
    bool Write(const std::string& path, const std::vector<unsigned char>& bytes);
    bool Write(const std::string& path, const std::string& bytes);
    bool WritePng(const std::string& path, const Picture& picture) { return Write(path, EncodePng(picture)); }

    int Written() const { return written_; }
    int Unchanged() const { return unchanged_; }
    bool Failed() const { return failed_; }
    // Every file handed to Write, written or not.
    const std::vector<std::string>& Files() const { return files_; }
    const std::string& Root() const { return root_; }

private:
    bool Fail(const char* what, const std::string& file);

    std::string root_;
    std::string program_;
    int written_ = 0;
    int unchanged_ = 0;
    bool failed_ = false;
    std::vector<std::string> files_;
};

}  // namespace gen
