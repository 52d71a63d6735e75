// The generated game folder, written only where bytes change.
#include "Output.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace scenery {

bool Output::WriteText(const std::string& path, const std::string& text) {
    return Write(path, std::vector<unsigned char>(text.begin(), text.end()));
}

bool Output::Write(const std::string& path, const std::vector<unsigned char>& bytes) {
    namespace fs = std::filesystem;
    const fs::path full = fs::path(root_) / path;
    ++files_;
    {
        std::ifstream in(full, std::ios::binary);
        if (in) {
            std::vector<unsigned char> old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (old == bytes) return true;
        }
    }
    std::error_code ec;
    fs::create_directories(full.parent_path(), ec);
    // Written beside the target and renamed, so an interrupted run never leaves half a file.
    fs::path temp = full;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "assetgen-scenery: cannot write %s\n", temp.string().c_str());
            failed_ = true;
            return false;
        }
    }
    fs::rename(temp, full, ec);
    if (ec) {
        std::fprintf(stderr, "assetgen-scenery: cannot replace %s\n", full.string().c_str());
        failed_ = true;
        return false;
    }
    ++written_;
    return true;
}

}  // namespace scenery
