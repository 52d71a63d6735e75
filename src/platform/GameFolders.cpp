// The data and player folders: portable beside the executable, or an installed tree with XDG folders.
#include "platform/GameFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/Files.h"

namespace platform {
namespace {

const char kFolderName[] = "kolvenbrook";

struct InUse {
    std::string data = ".";
    std::string userData = ".";
    std::string userConfig = ".";
    bool portable = true;
};

InUse& Folders() {
    static InUse folders;
    return folders;
}

std::string Normal(const std::string& path) {
    std::string s = std::filesystem::path(path).lexically_normal().string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

std::string Absolute(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    char cwd[4096];
    if (!::getcwd(cwd, sizeof(cwd))) return path;
    return Normal(std::string(cwd) + "/" + path);
}

// An XDG base folder: the variable when it holds an absolute path (the standard says to ignore any
// other value), else the default below the home folder.
std::string BaseFolder(const std::string& variable, const std::string& home, const char* defaultBelowHome) {
    if (!variable.empty() && variable[0] == '/') return variable;
    if (home.empty()) return "";
    return home + "/" + defaultBelowHome;
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

bool HoldsGameData(const std::string& folder) {
    bool found = false;
    ResolveGamePathUnder(folder, "Data\\Text.xml", &found);
    return found;
}

bool ChooseGameFolders(const FolderRequest& request, GameFolders& out, std::string& error) {
    out = GameFolders{};
    const std::string exe = Normal(request.executableFolder);
    if (!request.dataDir.empty()) {
        out.data = Normal(request.dataDir);
        if (!HoldsGameData(out.data)) {
            error = "no game data in " + out.data;
            return false;
        }
    } else if (!exe.empty() && HoldsGameData(exe)) {
        out.data = exe;
    } else {
        const std::string installed = Normal(exe + "/" + request.installedDataFromExecutable);
        if (exe.empty() || !HoldsGameData(installed)) {
            error = "the game data is neither beside the executable (" + exe + ") nor in " + installed;
            return false;
        }
        out.data = installed;
    }

    const bool folderNamed = !request.dataDir.empty() || !request.userDir.empty();
    if (!folderNamed && out.data == exe && ::access(exe.c_str(), W_OK) == 0) {
        out.portable = true;
        out.userData = out.userConfig = out.data;
        return true;
    }
    out.portable = false;
    if (!request.userDir.empty()) {
        out.userData = out.userConfig = Normal(request.userDir);
        return true;
    }
    const std::string dataHome = BaseFolder(request.xdgDataHome, request.home, ".local/share");
    const std::string configHome = BaseFolder(request.xdgConfigHome, request.home, ".config");
    if (dataHome.empty() || configHome.empty()) {
        error = "no folder for saves and options: HOME is not set (or use --user-dir)";
        return false;
    }
    out.userData = dataHome + "/" + kFolderName;
    out.userConfig = configHome + "/" + kFolderName;
    return true;
}

FolderRequest RequestFromEnvironment(const std::string& dataDir, const std::string& userDir) {
    FolderRequest request;
    request.executableFolder = ExecutableFolder();
    request.dataDir = Absolute(dataDir);
    request.userDir = Absolute(userDir);
    request.xdgDataHome = Env("XDG_DATA_HOME");
    request.xdgConfigHome = Env("XDG_CONFIG_HOME");
    request.home = Env("HOME");
    if (request.home.empty()) {
        if (const passwd* entry = ::getpwuid(::getuid())) request.home = entry->pw_dir ? entry->pw_dir : "";
    }
    return request;
}

std::string InstalledUserDataDir() {
    const FolderRequest request = RequestFromEnvironment("", "");
    const std::string dataHome = BaseFolder(request.xdgDataHome, request.home, ".local/share");
    return dataHome.empty() ? "" : dataHome + "/" + kFolderName;
}

std::string ToolDataDir(const std::string& buildFolder) {
    const std::string installed = ExecutableFolder() + "/../share/" + kFolderName;
    return HoldsGameData(installed) ? Normal(installed) : buildFolder;
}

bool UseGameFolders(const GameFolders& folders) {
    if (!ChangeToFolder(folders.data)) return false;
    InUse& f = Folders();
    f.data = folders.data;
    f.userData = folders.userData;
    f.userConfig = folders.userConfig;
    f.portable = folders.portable;
    SetDataOverrideFolder(folders.portable || folders.userData == folders.data ? "" : folders.userData);
    // The data folder of an installed game is never written, not even to tidy it.
    if (folders.portable) {
        RemoveStaleTempFiles(".");
    } else {
        RemoveStaleTempFiles(folders.userData);
        if (folders.userConfig != folders.userData) RemoveStaleTempFiles(folders.userConfig);
    }
    return true;
}

const std::string& DataDir() {
    return Folders().data;
}

const std::string& UserDataDir() {
    return Folders().userData;
}

const std::string& UserConfigDir() {
    return Folders().userConfig;
}

bool PortableMode() {
    return Folders().portable;
}

std::string UserDataPath(const std::string& fileName) {
    return ResolveGamePathUnder(Folders().userData, fileName);
}

std::string UserConfigPath(const std::string& fileName) {
    return ResolveGamePathUnder(Folders().userConfig, fileName);
}

bool WriteUserFile(const std::string& realPath, const void* data, size_t size) {
    const std::string folder = std::filesystem::path(realPath).parent_path().string();
    if (!folder.empty() && !MakeFolders(folder)) return false;
    return WriteFileAtomic(realPath, data, size);
}

}  // namespace platform
