// The merged game folder: a scratch tree of links to the game folder's files and the user folder's.
#include "OverlayFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace levels {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The entry of `folder` whose name is `name` apart from letter case; empty when there is none.
std::string FindIgnoringCase(const fs::path& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(folder / name, error)) return name;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string other = entry.path().filename().string();
        if (Lower(other) == Lower(name)) return other;
    }
    return {};
}

// A game path with either kind of slash, as a list of its parts.
std::string Normalised(const std::string& gamePath) {
    std::string path;
    for (char c : gamePath) path += c == '\\' ? '/' : c;
    while (!path.empty() && path[0] == '/') path.erase(0, 1);
    return path;
}

}  // namespace

OverlayFolder::OverlayFolder(const std::string& gameDir, const std::string& userDir, bool apart)
    : gameDir_(gameDir), apart_(apart) {
    // Absolute, so that the folder is still found after the working directory changes.
    std::error_code ignored;
    gameAbs_ = fs::absolute(gameDir, ignored).string();
    std::error_code error;
    if (!fs::is_directory(gameDir, error)) {
        error_ = gameDir + ": not a folder";
        return;
    }
    if (userDir.empty() && !apart) {
        root_ = gameAbs_;
        ready_ = true;
        return;
    }
    if (!userDir.empty() && !fs::is_directory(userDir, error)) {
        error_ = userDir + ": not a folder";
        return;
    }
    char name[] = "/tmp/kvboverlay-XXXXXX";
    if (!::mkdtemp(name)) {
        error_ = "cannot make a scratch folder in /tmp";
        return;
    }
    root_ = name;
    scratch_ = true;
    ready_ = Merge(fs::absolute(gameDir).string(), root_, "") &&
             (userDir.empty() || Merge(fs::absolute(userDir).string(), root_, ""));
}

OverlayFolder::~OverlayFolder() {
    std::error_code error;
    if (scratch_) fs::remove_all(root_, error);  // removes the links, never what they point at
}

bool OverlayFolder::Merge(const std::string& from, const std::string& to, const std::string& relative) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(from, error)) {
        const std::string file = entry.path().filename().string();
        const std::string lower = Lower(file);
        if (apart_ && relative.empty() &&
            (lower == "config.dat" || lower == "highscore.dat" || (lower.size() == 5 && lower.rfind("save", 0) == 0))) {
            continue;
        }
        std::string target = FindIgnoringCase(to, file);
        if (entry.is_directory(error)) {
            if (target.empty()) {
                target = file;
                fs::create_directory(fs::path(to) / target, error);
            } else if (!fs::is_directory(fs::path(to) / target, error)) {
                fs::remove(fs::path(to) / target, error);
                fs::create_directory(fs::path(to) / target, error);
            }
            if (error) break;
            if (!Merge(entry.path().string(), (fs::path(to) / target).string(), relative + target + "/")) return false;
            continue;
        }
        if (!target.empty()) fs::remove_all(fs::path(to) / target, error);
        fs::create_symlink(entry.path(), fs::path(to) / file, error);
        if (error) break;
        origins_[Lower(relative + file)] = entry.path().string();
    }
    if (error) {
        error_ = "cannot lay " + from + " over the game folder: " + error.message();
        return false;
    }
    return true;
}

std::string OverlayFolder::Origin(const std::string& gamePath) const {
    const std::string path = Normalised(gamePath);
    if (!scratch_) {
        // Spelled as found on disk where the file exists.
        fs::path real = gameAbs_;
        fs::path shown = gameDir_;
        std::string rest = path;
        while (!rest.empty()) {
            const size_t slash = rest.find('/');
            const std::string part = rest.substr(0, slash);
            const std::string found = FindIgnoringCase(real, part);
            real /= found.empty() ? part : found;
            shown /= found.empty() ? part : found;
            rest = slash == std::string::npos ? "" : rest.substr(slash + 1);
        }
        return shown.string();
    }
    auto it = origins_.find(Lower(path));
    return it != origins_.end() ? it->second : (fs::path(gameDir_) / path).string();  // a file nobody has
}

}  // namespace levels
