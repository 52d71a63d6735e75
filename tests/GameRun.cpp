// Black-box runs of the game programs: scratch game folders, child processes with a time limit.
#include "GameRun.h"

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace gamerun {
namespace {

bool IsPlayerFile(const std::string& name) {
    if (name == "Config.dat" || name == "Highscore.dat" || name == "settings.ini") return true;
    if (name.size() == 5 && name.compare(0, 4, "SAVE") == 0) return true;
    return name.size() > 7 && name.compare(name.size() - 7, 7, ".kvbtmp") == 0;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string ReadFd(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::string ContentFolder() {
    const char* const candidates[] = {std::getenv("KVB_CONTENT_DIR"), KVB_GAME_DIR};
    for (const char* candidate : candidates) {
        if (candidate && *candidate && fs::exists(fs::path(candidate) / "Data" / "Text.xml") &&
            fs::exists(fs::path(candidate) / "Graphics" / "Spritelitery.png")) {
            return candidate;
        }
    }
    return "";
}

std::string ScratchParent() {
    static const std::string parent = [] {
        std::error_code error;
        if (fs::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK | X_OK) == 0)
            return std::string("/dev/shm");
        return std::string("/tmp");
    }();
    return parent;
}

GameCopy::GameCopy(const std::string& source, const std::string& parent) {
    std::string pattern = parent + "/kvbcopy-XXXXXX";
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp in " + parent);
    root_ = pattern;
    ::chmod(root_.c_str(), 0755);
    const fs::path from = fs::absolute(source);
    for (auto it = fs::recursive_directory_iterator(from); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path relative = it->path().lexically_relative(from);
        const fs::path to = fs::path(root_) / relative;
        if (it->is_directory()) {
            fs::create_directory(to);
            fs::permissions(to, fs::perms(0755));
        } else if (!IsPlayerFile(it->path().filename().string()) || relative.has_parent_path()) {
            fs::create_symlink(it->path(), to);
        }
    }
}

GameCopy::~GameCopy() {
    std::error_code ignored;
    // Folders a case made unreadable or unwritable must not stop the clean-up.
    for (auto it = fs::recursive_directory_iterator(root_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
        if (!it->is_symlink(ignored)) ::chmod(it->path().c_str(), it->is_directory(ignored) ? 0755 : 0644);
    }
    fs::remove_all(root_, ignored);
}

std::string GameCopy::Path(const std::string& relative) const {
    // A case must never reach the source through a path that leaves the copy.
    const fs::path normal = fs::path(relative).lexically_normal();
    if (normal.is_absolute() || (!normal.empty() && *normal.begin() == "..")) {
        throw std::runtime_error("path outside the game copy: " + relative);
    }
    return root_ + "/" + relative;
}

void GameCopy::Write(const std::string& relative, const std::string& bytes) const {
    const fs::path path = Path(relative);
    std::error_code ignored;
    fs::remove(path, ignored);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void GameCopy::Remove(const std::string& relative) const {
    std::error_code ignored;
    fs::remove_all(Path(relative), ignored);
}

bool GameCopy::Exists(const std::string& relative) const {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(Path(relative), ignored));
}

std::optional<std::string> GameCopy::Read(const std::string& relative) const {
    std::error_code error;
    if (!fs::is_regular_file(Path(relative), error)) return std::nullopt;
    std::ifstream in(Path(relative), std::ios::binary);
    if (!in) return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> GameCopy::Find(const std::string& folder, const std::string& suffix, bool recursive) const {
    std::vector<std::string> found;
    const fs::path base = folder.empty() ? fs::path(root_) : fs::path(Path(folder));
    std::error_code error;
    if (!fs::is_directory(base, error)) return found;
    const std::string lowSuffix = Lower(suffix);
    auto consider = [&](const fs::directory_entry& entry) {
        const std::string name = Lower(entry.path().filename().string());
        if (entry.is_directory() || name.size() < lowSuffix.size()) return;
        if (name.compare(name.size() - lowSuffix.size(), lowSuffix.size(), lowSuffix) != 0) return;
        // Lexically: the files are links, and resolving them would lead out of the copy.
        found.push_back(entry.path().lexically_relative(root_).string());
    };
    if (recursive) {
        for (const auto& entry : fs::recursive_directory_iterator(base)) consider(entry);
    } else {
        for (const auto& entry : fs::directory_iterator(base)) consider(entry);
    }
    std::sort(found.begin(), found.end());
    return found;
}

void GameCopy::GiveTo(uid_t uid, gid_t gid) const {
    ::lchown(root_.c_str(), uid, gid);
    for (const auto& entry : fs::recursive_directory_iterator(root_)) ::lchown(entry.path().c_str(), uid, gid);
}

std::string RunResult::Describe() const {
    std::ostringstream text;
    if (!started) {
        text << "did not start";
    } else if (timedOut) {
        text << "timed out after " << seconds << " s";
    } else if (signal != 0) {
        text << "killed by signal " << signal << " (" << strsignal(signal) << ")";
    } else {
        text << "exit " << exitCode;
    }
    return text.str();
}

RunResult Run(const std::vector<std::string>& argv, const RunOptions& options) {
    RunResult result;
    std::string pattern = ScratchParent() + "/kvbrun-XXXXXX";
    if (!::mkdtemp(pattern.data())) return result;
    const std::string folder = pattern;
    const std::string outPath = folder + "/out";
    const std::string errPath = folder + "/err";
    const int outFd = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        const int nullFd = ::open("/dev/null", O_RDONLY);
        if (nullFd >= 0) ::dup2(nullFd, 0);
        ::setpgid(0, 0);
        for (const auto& [name, value] : options.env) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
        if (options.gid >= 0 && (::setgroups(0, nullptr) != 0 || ::setgid(options.gid) != 0)) ::_exit(126);
        if (options.uid >= 0 && ::setuid(options.uid) != 0) ::_exit(126);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(outFd);
    ::close(errFd);
    if (child < 0) return result;
    result.started = true;

    int status = 0;
    const auto deadline = start + std::chrono::seconds(options.timeoutSeconds);
    for (;;) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) break;
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(-child, SIGKILL);
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!result.timedOut) {
        if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
        if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    }
    result.out = ReadFd(outPath);
    result.err = ReadFd(errPath);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return result;
}

std::string Le32(int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    std::string out;
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFFu);
    return out;
}

bool PrivateMounts() {
    static const bool ok = [] {
        if (::geteuid() != 0) return false;
        if (::unshare(CLONE_NEWNS) != 0) return false;
        return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }();
    return ok;
}

}  // namespace gamerun
