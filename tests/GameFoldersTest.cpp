// Portable and installed folders: which folders are chosen, the player's data files taking the place of
// installed ones, the player's folders made on the first write, and the message about a file not saved.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "core/Messages.h"
#include "data/PlayerFiles.h"
#include "platform/Cp1250.h"
#include "platform/Files.h"
#include "platform/GameFolders.h"

namespace {

using platform::FolderRequest;
using platform::GameFolders;
using testing_support::TempGameFolder;

// Puts the folders in use back to the tests' default (the working directory) however a test ends.
struct FoldersGuard {
    ~FoldersGuard() { platform::UseGameFolders(GameFolders{".", ".", ".", true}); }
};

TEST(GameFoldersTest, ChoosesPortableOrInstalledFolders) {
    TempGameFolder root;
    const std::string r = root.Path();
    root.Write("game/Data/Text.xml", "<TEXTS/>");                   // a game folder built or unpacked by hand
    root.Write("usr/share/kolvenbrook/data/TEXT.XML", "<TEXTS/>");  // installed (any letter case)
    root.Write("usr/bin/kolvenbrook", "");
    root.Write("nodata/readme", "");
    struct Case {
        const char* name;
        FolderRequest request;
        bool ok;
        GameFolders expected;
    };
    const std::string installedData = r + "/usr/share/kolvenbrook";
    const Case cases[] = {
        {"beside a writable game folder",
         {r + "/game", "", "", "/x", "/c", "/h", "../share/kolvenbrook"},
         true,
         {r + "/game", r + "/game", r + "/game", true}},
        {"--user-dir beside a game folder",
         {r + "/game", "", "/u", "/x", "/c", "/h", "../share/kolvenbrook"},
         true,
         {r + "/game", "/u", "/u", false}},
        {"--data-dir names a game folder",
         {r + "/usr/bin", r + "/game", "", "/x", "/c", "/h", ""},
         true,
         {r + "/game", "/x/kolvenbrook", "/c/kolvenbrook", false}},
        {"installed, XDG folders set",
         {r + "/usr/bin", "", "", "/x", "/c", "/h", "../share/kolvenbrook"},
         true,
         {installedData, "/x/kolvenbrook", "/c/kolvenbrook", false}},
        {"installed, XDG unset",
         {r + "/usr/bin", "", "", "", "", "/h", "../share/kolvenbrook"},
         true,
         {installedData, "/h/.local/share/kolvenbrook", "/h/.config/kolvenbrook", false}},
        {"installed, relative XDG ignored",
         {r + "/usr/bin", "", "", "x", "c", "/h", "../share/kolvenbrook"},
         true,
         {installedData, "/h/.local/share/kolvenbrook", "/h/.config/kolvenbrook", false}},
        {"installed, no home", {r + "/usr/bin", "", "", "", "", "", "../share/kolvenbrook"}, false, {}},
        {"no data anywhere", {r + "/nodata", "", "", "/x", "/c", "/h", "../share/kolvenbrook"}, false, {}},
        {"--data-dir without data", {r + "/game", r + "/nodata", "", "/x", "/c", "/h", ""}, false, {}},
    };
    for (const Case& c : cases) {
        GameFolders got;
        std::string error;
        EXPECT_EQ(platform::ChooseGameFolders(c.request, got, error), c.ok) << c.name << ": " << error;
        if (!c.ok) {
            EXPECT_FALSE(error.empty()) << c.name;
            continue;
        }
        EXPECT_EQ(got.data, c.expected.data) << c.name;
        EXPECT_EQ(got.userData, c.expected.userData) << c.name;
        EXPECT_EQ(got.userConfig, c.expected.userConfig) << c.name;
        EXPECT_EQ(got.portable, c.expected.portable) << c.name;
    }
}

TEST(GameFoldersTest, ThePlayersDataFilesTakeThePlaceOfInstalledOnes) {
    TempGameFolder root;
    FoldersGuard guard;
    root.Write("data/LevelDescriptions/Level3.xml", "installed");
    root.Write("data/LevelDescriptions/Level4.xml", "installed");
    root.Write("user/leveldescriptions/LEVEL3.XML", "the player's");
    const std::string user = root.Path() + "/user";
    ASSERT_TRUE(platform::UseGameFolders({root.Path() + "/data", user, root.Path() + "/config", false}));
    std::string text;
    ASSERT_TRUE(platform::ReadWholeFile(platform::ResolveGamePath("LevelDescriptions\\Level3.xml"), text));
    EXPECT_EQ(text, "the player's");
    ASSERT_TRUE(platform::ReadWholeFile(platform::ResolveGamePath("LevelDescriptions\\Level4.xml"), text));
    EXPECT_EQ(text, "installed");

    // The player's folders appear with the first file written into them.
    EXPECT_FALSE(std::filesystem::exists(root.Path() + "/config"));
    ASSERT_TRUE(platform::WriteUserFile(platform::UserConfigPath("Config.dat"), "12345678", 8));
    EXPECT_EQ(root.Read("config/Config.dat"), "12345678");
    ASSERT_TRUE(platform::WriteUserFile(platform::UserDataPath("SAVE0"), "", 0));
    EXPECT_TRUE(root.Exists("user/SAVE0"));
    EXPECT_FALSE(root.Exists("data/SAVE0")) << "the data folder is never written";
}

TEST(GameFoldersTest, AFileThatCannotBeSavedIsToldOncePerFile) {
    TempGameFolder root;
    testing_support::HeadlessServices services;
    root.Write("blocked", "a file where a folder should be");
    const std::string options = root.Path() + "/blocked/Config.dat";
    const std::string scores = root.Path() + "/blocked/Highscore.dat";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(SavePlayerFile(PlayerFile::Options, options, "x", 1));
    EXPECT_FALSE(SavePlayerFile(PlayerFile::Options, options, "y", 1));
    EXPECT_FALSE(SavePlayerFile(PlayerFile::BestScores, scores, "z", 1));
    const std::string err = testing::internal::GetCapturedStderr();
    ASSERT_EQ(services.messageBox.shown.size(), 2u);
    const std::string first = platform::Cp1250ToUtf8(services.messageBox.shown[0]);
    EXPECT_NE(first.find(messages::kOptionsNotSaved.polish), std::string::npos) << first;
    EXPECT_NE(first.find(options), std::string::npos) << first;
    EXPECT_EQ(services.messageBox.shown[1], PlayerFileNotSavedMessage(PlayerFile::BestScores, scores));
    EXPECT_NE(err.find("could not write " + options), err.rfind("could not write " + options))
        << "each failure on stderr";
    EXPECT_EQ(root.Read("blocked"), "a file where a folder should be");
}

}  // namespace
