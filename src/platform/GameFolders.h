// Where the game reads its data and keeps the player's files: beside the executable (portable) or installed.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// What decides the folders: the executable's folder, the command line and the environment.
struct FolderRequest {
    std::string executableFolder;
    std::string dataDir;  // --data-dir ("" when not given)
    std::string userDir;  // --user-dir: every file of the player there ("" when not given)
    std::string xdgDataHome;
    std::string xdgConfigHome;
    std::string home;
    // The data folder relative to the executable's folder in an installed tree ("../share/kolvenbrook").
    std::string installedDataFromExecutable;
};

struct GameFolders {
    std::string data;        // read only: descriptions, pictures, sounds, films
    std::string userData;    // save slots, best scores, and data files that take the place of installed ones
    std::string userConfig;  // the options
    // Portable: everything lives in the game folder beside the executable, exactly as the game always did.
    bool portable = true;
};

// The folder's own files say whether it holds the game's data.
bool HoldsGameData(const std::string& folder);

// Picks the folders. Portable when the executable's folder holds the data and can be written and no
// folder was named on the command line; otherwise installed: the data from --data-dir, the executable's
// folder or the installed tree, the player's files in --user-dir or the XDG folders
// ($XDG_CONFIG_HOME/kolvenbrook for the options, $XDG_DATA_HOME/kolvenbrook for the rest).
// False with a reason when no data folder or no home for the player's files can be found.
bool ChooseGameFolders(const FolderRequest& request, GameFolders& out, std::string& error);

// The request of the running program: its executable and the XDG variables of its environment.
FolderRequest RequestFromEnvironment(const std::string& dataDir, const std::string& userDir);

// Where an installed game keeps the player's files and own levels ($XDG_DATA_HOME/kolvenbrook, by
// default ~/.local/share/kolvenbrook); "" without a home folder. For the level tools.
std::string InstalledUserDataDir();
// The game data for the level tools: an installed tree's data folder beside their executable
// (../share/kolvenbrook) when there is one, else `buildFolder` (the build's game folder).
std::string ToolDataDir(const std::string& buildFolder);

// Makes the folders the ones in use: enters the data folder (game paths are relative to it), lets the
// user data folder's files take the place of installed ones, removes temporary files an interrupted
// write left behind. False when the data folder cannot be entered.
bool UseGameFolders(const GameFolders& folders);

// The folders in use. Until UseGameFolders every one is "." (the working directory), as in the tests.
const std::string& DataDir();
const std::string& UserDataDir();
const std::string& UserConfigDir();
bool PortableMode();

// Disk paths of the player's files (matched case-insensitively like game paths). The folders are made
// by the first write (WriteUserFile), not here.
std::string UserDataPath(const std::string& fileName);
std::string UserConfigPath(const std::string& fileName);

// Writes a player's file crash-safely, making its folder first when needed.
bool WriteUserFile(const std::string& realPath, const void* data, size_t size);

}  // namespace platform
