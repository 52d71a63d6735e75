// One game folder made of two: the installed data with the player's own files laid over it.
#pragma once

#include <map>
#include <string>

namespace levels {

// A scratch folder of links: every file of the game folder, and every file of the user folder in place of
// the game folder's file of the same path (letter case aside, as the game finds files). Removed again by
// the destructor. Without a user folder it is the game folder itself and nothing is made, unless `apart`
// asks for a scratch folder anyway, for running the game without touching the folders: then the settings,
// save slots and best scores are left out of it.
class OverlayFolder {
public:
    OverlayFolder(const std::string& gameDir, const std::string& userDir, bool apart = false);
    ~OverlayFolder();
    OverlayFolder(const OverlayFolder&) = delete;
    OverlayFolder& operator=(const OverlayFolder&) = delete;

    // False (with Error() saying why) when a folder cannot be read or the links cannot be made.
    bool Ready() const { return ready_; }
    const std::string& Error() const { return error_; }
    // The folder to work in.
    const std::string& Root() const { return root_; }
    // Where a file of the merged folder really lies, for messages: a game path such as
    // "LevelDescriptions\Level3.xml" becomes "<game or user folder>/LevelDescriptions/Level3.xml", in the
    // letter case found on disk.
    std::string Origin(const std::string& gamePath) const;

private:
    bool Merge(const std::string& from, const std::string& to, const std::string& relative);

    std::string gameDir_;  // as given, for messages
    std::string gameAbs_;
    std::string root_;
    bool scratch_ = false;
    bool apart_ = false;
    bool ready_ = false;
    std::string error_;
    std::map<std::string, std::string> origins_;  // lower-case relative path -> real path
};

}  // namespace levels
