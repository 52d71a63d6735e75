// The generated game folder, written only where bytes change.
#include "common/GameFolder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace gen {

bool GameFolder::Write(const std::string& path, const std::string& bytes) {
    return Write(path, std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

bool GameFolder::Write(const std::string& path, const std::vector<unsigned char>& bytes) {
    namespace fs = std::filesystem;
    const fs::path full = fs::path(root_) / path;
    files_.push_back(path);
    {
        std::ifstream in(full, std::ios::binary);
        if (in) {
            std::vector<unsigned char> old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (old == bytes) {
                ++unchanged_;
                return true;
            }
        }
    }
    std::error_code ec;
    fs::create_directories(full.parent_path(), ec);
    // Write beside the target and rename, so an interrupted run never leaves half a file.
    fs::path temp = full;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return Fail("write", temp.string());
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out) return Fail("write", temp.string());
    }
    fs::rename(temp, full, ec);
    if (ec) return Fail("replace", full.string());
    ++written_;
    return true;
}

bool GameFolder::Fail(const char* what, const std::string& file) {
    std::fprintf(stderr, "%s: cannot %s %s\n", program_.c_str(), what, file.c_str());
    failed_ = true;
    return false;
}

}  // namespace gen
