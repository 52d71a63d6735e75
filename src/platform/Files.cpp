// Game-folder path mapping, whole-file reads and crash-safe replacement of files.
#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

namespace platform {
namespace {

const char kTempSuffix[] = ".kvbtmp";

bool SameIgnoringCase(const std::string& a, const char* b) {
    const size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

std::string& OverrideFolder() {
    static std::string folder;
    return folder;
}

}  // namespace

std::string ResolveGamePathUnder(const std::string& folder, const std::string& gamePath, bool* found) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : gamePath) {
        if (c == '\\' || c == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    const bool absolute = !gamePath.empty() && gamePath[0] == '/';
    std::string path = absolute ? "" : folder;
    bool exists = true;
    for (const std::string& p : parts) {
        std::string next = path + "/" + p;
        if (exists && !Exists(next)) {
            exists = false;
            DIR* dir = ::opendir(path.empty() ? "/" : path.c_str());
            if (dir) {
                while (dirent* e = ::readdir(dir)) {
                    if (SameIgnoringCase(p, e->d_name)) {
                        next = path + "/" + e->d_name;
                        exists = true;
                        break;
                    }
                }
                ::closedir(dir);
            }
        }
        path = next;
    }
    if (found) *found = exists;
    if (!absolute && folder == "." && path.rfind("./", 0) == 0) path = path.substr(2);
    return path.empty() ? "." : path;
}

std::string ResolveGamePath(const std::string& gamePath) {
    const std::string& overrideFolder = OverrideFolder();
    if (!overrideFolder.empty() && !gamePath.empty() && gamePath[0] != '/') {
        bool found = false;
        std::string path = ResolveGamePathUnder(overrideFolder, gamePath, &found);
        if (found) return path;
    }
    return ResolveGamePathUnder(".", gamePath);
}

void SetDataOverrideFolder(const std::string& folder) {
    OverrideFolder() = folder;
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty()) return false;
    struct stat st;
    if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const std::string parent = FolderOf(folder);
    if (parent != folder && parent != "." && parent != "/" && !MakeFolders(parent)) return false;
    if (::mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST)
        return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    return false;
}

bool ReadWholeFile(const std::string& realPath, std::string& out, size_t maxBytes) {
    out.clear();
    const int fd = ::open(realPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return false;
    }
    out.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < out.size()) {
        const ssize_t n = ::read(fd, &out[got], out.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (got != out.size()) {
        out.clear();
        return false;
    }
    return true;
}

bool WriteFileAtomic(const std::string& realPath, const void* data, size_t size) {
    const std::string temp = realPath + kTempSuffix;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, static_cast<const char*>(data), size);
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), realPath.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    const int dirFd = ::open(FolderOf(realPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

void RemoveStaleTempFiles(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const size_t suffixLen = sizeof(kTempSuffix) - 1;
    std::vector<std::string> stale;
    while (dirent* e = ::readdir(dir)) {
        const size_t n = std::strlen(e->d_name);
        if (n > suffixLen && std::strcmp(e->d_name + n - suffixLen, kTempSuffix) == 0) stale.push_back(e->d_name);
    }
    ::closedir(dir);
    for (const std::string& name : stale) ::unlink((folder + "/" + name).c_str());
}

std::string ExecutableFolder() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (n <= 0) return "";
    buffer[n] = '\0';
    return FolderOf(buffer);
}

bool ChangeToFolder(const std::string& folder) {
    return ::chdir(folder.c_str()) == 0;
}

}  // namespace platform
