// Writing the player's files and telling the player, once, when one cannot be saved.
#include "data/PlayerFiles.h"

#include <unistd.h>

#include <cstdio>
#include <set>

#include "core/Messages.h"
#include "platform/Cp1250.h"
#include "platform/GameFolders.h"
#include "platform/Platform.h"

std::string PlayerFileNotSavedMessage(PlayerFile what, const std::string& realPath) {
    const MessageText& head = what == PlayerFile::Options    ? messages::kOptionsNotSaved
                              : what == PlayerFile::SaveSlot ? messages::kSaveSlotNotSaved
                                                             : messages::kBestScoresNotSaved;
    return platform::Utf8ToCp1250(std::string(MessageInLanguage(head)) + "\n" + MessageInLanguage(messages::kFileLabel) +
                                  realPath + "\n" + MessageInLanguage(messages::kOldFileKept));
}

bool SavePlayerFile(PlayerFile what, const std::string& realPath, const void* data, size_t size) {
    if (platform::WriteUserFile(realPath, data, size)) return true;
    std::fprintf(stderr, "Kolvenbrook 3D: could not write %s\n", realPath.c_str());
    // A folder that refuses one write refuses the next too: one box per file is enough for a whole run.
    static std::set<std::string> told;
    std::string key = realPath;
    char cwd[4096];
    if (!key.empty() && key[0] != '/' && ::getcwd(cwd, sizeof(cwd))) key = std::string(cwd) + "/" + key;
    if (told.insert(key).second) platform::ShowMessage(PlayerFileNotSavedMessage(what, realPath));
    return false;
}
