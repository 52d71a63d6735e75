// Black-box runs of the game programs: scratch game folders, child processes with a time limit.
#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gamerun {

// The generated game folder, or "" when this build has no content.
std::string ContentFolder();

// A folder for scratch files: /dev/shm where there is one (creating and removing hundreds of files
// there is quick), else /tmp.
std::string ScratchParent();

// A scratch game folder in `parent`: every folder of the source made anew and every file a symbolic
// link into it, so a case breaks one file by replacing its link and never touches the source. The
// player's own files (options, save slots, best scores) are not taken over.
class GameCopy {
public:
    GameCopy(const std::string& source, const std::string& parent = ScratchParent());
    ~GameCopy();
    GameCopy(const GameCopy&) = delete;
    GameCopy& operator=(const GameCopy&) = delete;

    const std::string& Root() const { return root_; }
    // The path of `relative` in the copy; throws for a path that would leave it.
    std::string Path(const std::string& relative) const;
    // Replaces whatever is at `relative` (a link, a file, nothing) with a plain file of these bytes.
    void Write(const std::string& relative, const std::string& bytes) const;
    void Remove(const std::string& relative) const;
    bool Exists(const std::string& relative) const;
    // The bytes at `relative` (through a link); nullopt when there is nothing to read.
    std::optional<std::string> Read(const std::string& relative) const;
    // Files below `folder` (relative, "" for the root) whose name ends in `suffix` (any letter case),
    // as relative paths, sorted. Recursive unless `recursive` is false.
    std::vector<std::string> Find(const std::string& folder, const std::string& suffix, bool recursive = true) const;
    // Makes the folder and everything in it owned by `uid` (for runs as another user).
    void GiveTo(uid_t uid, gid_t gid) const;

private:
    std::string root_;
};

struct RunResult {
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;  // -1 when the program did not exit by itself
    int signal = 0;     // the signal that ended it, 0 if none
    double seconds = 0.0;
    std::string out;
    std::string err;
    // "exit 0", "killed by signal 11", "timed out after 60 s".
    std::string Describe() const;
};

struct RunOptions {
    // Variables to set (value) or remove (nullopt) for the child only.
    std::map<std::string, std::optional<std::string>> env;
    int timeoutSeconds = 60;
    // Run as this user and group (root only); -1 keeps the caller's.
    int uid = -1;
    int gid = -1;
};

RunResult Run(const std::vector<std::string>& argv, const RunOptions& options = {});

// Little-endian 32-bit value as 4 bytes.
std::string Le32(int32_t value);

// Makes this process's mounts its own (they vanish with it); false when not allowed.
bool PrivateMounts();

}  // namespace gamerun
