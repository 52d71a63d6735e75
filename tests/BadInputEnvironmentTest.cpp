// The game's surroundings failing: no display, no sound device, a read-only or full game folder, files it
// may not read. It says so, plays on or ends cleanly, and never destroys what was saved before.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "BadInputTour.h"
#include "GameRun.h"
#include "TestSupport.h"
#include "data/PlayerFiles.h"
#include "platform/Cp1250.h"

using badinput::Outcome;
using gamerun::GameCopy;

namespace {

// The user "nobody".
constexpr int kNobodyId = 65534;

// Level 0 won at its first step (the hero starts on the finish), so every run also stores a finished level.
void WonAtOnceLevel(const GameCopy& copy) {
    badinput::WriteBusyLevel(copy);
    copy.Write("LevelDescriptions/Level0.xml",
               "<LEVEL>\r\n<HERO>\r\n<START_POS X=\"400\" Y=\"560\"/>\r\n<FINISH_POS X=\"400\" Y=\"560\"/>\r\n"
               "</HERO>\r\n</LEVEL>\r\n");
}

// A copy with the prepared player files and the won-at-once level.
std::unique_ptr<GameCopy> PreparedCopy(const std::string& content, const std::string& parent) {
    auto copy = std::make_unique<GameCopy>(content, parent);
    badinput::WritePlayerFiles(*copy, badinput::PreparedPlayerFiles());
    WonAtOnceLevel(*copy);
    return copy;
}

void ExpectTourEndedCleanly(const Outcome& o) {
    EXPECT_TRUE(o.run.started && !o.run.timedOut && o.run.signal == 0 && o.run.exitCode == 0)
        << o.run.Describe() << "\nstderr: " << o.run.err;
    EXPECT_TRUE(o.badLines.empty());
    const std::vector<int> flow = o.Flow();
    ASSERT_EQ(flow.size(), static_cast<size_t>(badinput::kCheckpoints)) << o.Summary();
    EXPECT_EQ(flow[badinput::kAfterLevel], 11) << "level 0 is won at once, the next briefing follows";
    EXPECT_EQ(flow[badinput::kBackInMenu], 0);
}

// Every player file that existed before is still there with the same bytes (but those in `changing`).
void ExpectNothingLost(const std::map<std::string, std::optional<std::string>>& before,
                       const std::map<std::string, std::optional<std::string>>& after,
                       const std::set<std::string>& changing = {}) {
    for (const auto& [name, was] : before) {
        if (!was || changing.count(name)) continue;
        EXPECT_EQ(after.at(name), was) << name << " was lost or changed";
    }
}

// Makes `path` a mount of its own that nobody may write to; false when this process may not mount.
bool MakeReadOnly(const std::string& path) {
    if (!gamerun::PrivateMounts()) return false;
    if (::mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) != 0) return false;
    if (::mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
        ::umount2(path.c_str(), MNT_DETACH);
        return false;
    }
    return true;
}

// True when a user with no rights of its own can reach `path` (every folder on the way searchable by
// others) and read it (and run it, when `run`).
bool OthersCanReach(const std::string& path, bool run) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    if (!(st.st_mode & S_IROTH) || (run && !(st.st_mode & S_IXOTH))) return false;
    for (std::filesystem::path p = std::filesystem::absolute(path).parent_path(); !p.empty(); p = p.parent_path()) {
        if (::stat(p.c_str(), &st) != 0 || !(st.st_mode & S_IXOTH)) return false;
        if (p == p.root_path()) break;
    }
    return true;
}

}  // namespace

TEST(BadInputEnvironmentTest, AReadOnlyGameFolderLosesNothingAndSaysWhatWasNotSaved) {
    const std::string content = gamerun::ContentFolder();
    if (content.empty()) GTEST_SKIP() << "no generated game folder";
    auto copy = PreparedCopy(content, gamerun::ScratchParent());
    const auto before = badinput::ReadPlayerFiles(*copy);
    if (!MakeReadOnly(copy->Root())) GTEST_SKIP() << "this process may not mount (not root)";
    const Outcome o = badinput::RunTour(*copy);
    const auto after = badinput::ReadPlayerFiles(*copy);
    ::umount2(copy->Root().c_str(), MNT_DETACH);
    SCOPED_TRACE(o.Summary());
    ExpectTourEndedCleanly(o);
    ExpectNothingLost(before, after);
    EXPECT_NE(o.run.err.find("could not write Config.dat"), std::string::npos) << o.run.err;
    EXPECT_NE(o.run.err.find("could not write Highscore.dat"), std::string::npos) << o.run.err;
    EXPECT_NE(o.run.err.find("could not write SAVE0"), std::string::npos) << o.run.err;
    // The finished level's save is the one the player is told about, in a message box.
    const std::string told = platform::Cp1250ToUtf8(PlayerFileNotSavedMessage(PlayerFile::SaveSlot, "SAVE0"));
    EXPECT_EQ(std::count(o.messages.begin(), o.messages.end(), told), 1) << o.Summary();
    badinput::Report("game folder", "read-only", o.run.Describe() + ", tells what could not be saved");
}

TEST(BadInputEnvironmentTest, AFullDiskLosesNothing) {
    const std::string content = gamerun::ContentFolder();
    if (content.empty()) GTEST_SKIP() << "no generated game folder";
    if (!gamerun::PrivateMounts()) GTEST_SKIP() << "this process may not mount (not root)";
    char pattern[] = "/tmp/kvbfull-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string disk = pattern;
    ASSERT_EQ(::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=8m"), 0) << std::strerror(errno);
    {
        auto copy = PreparedCopy(content, disk);
        const auto before = badinput::ReadPlayerFiles(*copy);
        // Fill what is left.
        {
            std::ofstream fill(disk + "/fill", std::ios::binary);
            const std::string block(4096, 'x');
            while (fill.write(block.data(), block.size())) {
            }
        }
        const Outcome o = badinput::RunTour(*copy);
        SCOPED_TRACE(o.Summary());
        ExpectTourEndedCleanly(o);
        ExpectNothingLost(before, badinput::ReadPlayerFiles(*copy));
        EXPECT_NE(o.run.err.find("could not write SAVE0"), std::string::npos) << o.run.err;
        EXPECT_NE(o.run.err.find("could not write Highscore.dat"), std::string::npos) << o.run.err;
        EXPECT_NE(o.run.err.find("could not write Config.dat"), std::string::npos) << o.run.err;
        for (const std::string& temp : copy->Find("", ".kvbtmp", false)) ADD_FAILURE() << "left behind: " << temp;
        badinput::Report("game folder", "disk full", o.run.Describe() + ", tells on stderr what could not be saved");
    }
    ::umount2(disk.c_str(), MNT_DETACH);
    ::rmdir(disk.c_str());
}

TEST(BadInputEnvironmentTest, FilesTheGameMayNotReadAreNotOverwritten) {
    const std::string content = gamerun::ContentFolder();
    if (content.empty()) GTEST_SKIP() << "no generated game folder";
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to run the game as another user";
    if (!OthersCanReach(KVB_PLAY_EXE, true) || !OthersCanReach(content + "/Data/Text.xml", false)) {
        GTEST_SKIP() << "the driver or the game folder lies where user nobody cannot reach it";
    }
    auto copy = PreparedCopy(content, gamerun::ScratchParent());
    copy->GiveTo(kNobodyId, kNobodyId);
    // The game's own user may replace these files (the folder is its own) but not read them.
    for (const char* name : {"SAVE2", "Highscore.dat", "Config.dat"}) {
        ASSERT_EQ(::lchown(copy->Path(name).c_str(), 0, 0), 0);
        ASSERT_EQ(::chmod(copy->Path(name).c_str(), 0600), 0);
    }
    const auto before = badinput::ReadPlayerFiles(*copy);
    gamerun::RunOptions options;
    options.uid = kNobodyId;
    options.gid = kNobodyId;
    const Outcome o = badinput::RunTour(*copy, badinput::kTour, options);
    SCOPED_TRACE(o.Summary());
    ASSERT_NE(o.run.exitCode, 126) << "could not become the other user";
    ExpectTourEndedCleanly(o);
    // Slot 0 receives the won level. The options start from the defaults and are written at the end: they
    // hold nothing the player saved on purpose, and writing them makes the file readable again.
    const auto after = badinput::ReadPlayerFiles(*copy);
    ExpectNothingLost(before, after, {"SAVE0", "Config.dat"});
    EXPECT_EQ(after.at("SAVE0").value_or("").size(), 24u) << "the won level is stored";
    EXPECT_NE(o.run.err.find("SAVE2 could not be read; it is left as it was"), std::string::npos) << o.run.err;
    EXPECT_NE(o.run.err.find("Highscore.dat could not be read; it is left as it was"), std::string::npos) << o.run.err;
    badinput::Report("SAVE2, Highscore.dat (Config.dat)", "unreadable to the game's user",
                     o.run.Describe() +
                         ", the save and the best scores are left as they are; the options "
                         "start from the defaults and are written back");
}

TEST(BadInputEnvironmentTest, WithoutADisplayTheGameEndsWithAMessageAndWritesNothingNew) {
    const std::string content = gamerun::ContentFolder();
    if (content.empty()) GTEST_SKIP() << "no generated game folder";
    GameCopy copy(content);
    badinput::WritePlayerFiles(copy, badinput::PreparedPlayerFiles());
    // The game's folder is where its executable is: a copy of the program, not a link to it.
    copy.Remove("kolvenbrook");
    std::filesystem::copy_file(KVB_GAME_EXE, copy.Path("kolvenbrook"));
    std::filesystem::permissions(copy.Path("kolvenbrook"), std::filesystem::perms(0755));
    const auto before = badinput::ReadPlayerFiles(copy);
    gamerun::RunOptions options;
    options.env = {{"DISPLAY", std::nullopt},
                   {"WAYLAND_DISPLAY", std::nullopt},
                   {"SDL_VIDEODRIVER", std::nullopt},
                   {"SDL_AUDIODRIVER", std::string("dummy")},
                   {"XDG_RUNTIME_DIR", std::nullopt}};
    options.timeoutSeconds = 30;
    const gamerun::RunResult r = gamerun::Run({copy.Path("kolvenbrook")}, options);
    SCOPED_TRACE(r.Describe() + "\nstderr: " + r.err);
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.signal, 0);
    EXPECT_NE(r.exitCode, 0) << "the game must not report success without a picture";
    EXPECT_NE(r.err.find("[Kolvenbrook 3D] Pad"), std::string::npos) << "the display step's message";
    EXPECT_NE(r.err.find("no display"), std::string::npos) << "a plain explanation";
    ExpectNothingLost(before, badinput::ReadPlayerFiles(copy));
    badinput::Report("(display)", "none (no DISPLAY)", r.Describe() + ", " + r.err.substr(0, r.err.find('\n')));
}

namespace {

// The real program under an X server of its own, ended by SIGTERM (as closing the session does).
gamerun::RunResult RunRealGame(const GameCopy& copy, const std::string& audioDriver, int seconds) {
    testing_support::XvfbServer server(1024, 768);
    gamerun::RunResult none;
    if (server.Display().empty()) return none;
    copy.Remove("kolvenbrook");
    std::filesystem::copy_file(KVB_GAME_EXE, copy.Path("kolvenbrook"));
    std::filesystem::permissions(copy.Path("kolvenbrook"), std::filesystem::perms(0755));
    const pid_t killer = ::fork();
    if (killer == 0) {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        // The game is the only program of that name started from this copy.
        const std::string self = copy.Path("kolvenbrook");
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            std::error_code error;
            const auto exe = std::filesystem::read_symlink(entry.path() / "exe", error);
            if (!error && exe == self) ::kill(std::stoi(entry.path().filename().string()), SIGTERM);
        }
        ::_exit(0);
    }
    gamerun::RunOptions options;
    options.env = {{"DISPLAY", server.Display()},
                   {"WAYLAND_DISPLAY", std::nullopt},
                   {"SDL_VIDEODRIVER", std::nullopt},
                   {"SDL_AUDIODRIVER", audioDriver},
                   {"KVB_WINDOWED", std::string("1")}};
    options.timeoutSeconds = seconds + 20;
    gamerun::RunResult r = gamerun::Run({copy.Path("kolvenbrook")}, options);
    ::waitpid(killer, nullptr, 0);
    return r;
}

}  // namespace

TEST(BadInputEnvironmentTest, TheRealGameWithoutASoundDeviceAndWithBrokenSoundsMusicAndFilms) {
    const std::string content = gamerun::ContentFolder();
    if (content.empty()) GTEST_SKIP() << "no generated game folder";
    struct Variant {
        std::string name;
        std::string audioDriver;
        std::function<void(const GameCopy&)> breakIt;
    };
    const std::vector<Variant> variants = {
        {"no sound device (SDL_AUDIODRIVER names none that exists)", "kvb-no-such-device", [](const GameCopy&) {}},
        {"SOUND\\*.WAV, Music\\*.MP3, intro.avi, outro.avi garbage (dummy sound device)", "dummy",
         [](const GameCopy& c) {
             uint32_t seed = 70;
             for (const std::string& f : c.Find("SOUND", ".wav")) c.Write(f, badinput::Garbage(3000, seed++));
             for (const std::string& f : c.Find("Music", ".mp3")) c.Write(f, badinput::Garbage(5000, seed++));
             c.Write("intro.avi", badinput::Garbage(100000, seed++));
             c.Write("outro.avi",
                     "RIFF\xff\xff\xff\x7f"
                     "AVI LIST");
         }},
        {"SOUND\\*.WAV, Music\\*.MP3 empty, intro.avi cut in half (dummy sound device)", "dummy",
         [](const GameCopy& c) {
             for (const std::string& f : c.Find("SOUND", ".wav")) c.Write(f, "");
             for (const std::string& f : c.Find("Music", ".mp3")) c.Write(f, "");
             c.Write("intro.avi", badinput::FirstHalf(c.Read("intro.avi").value_or("")));
         }},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        GameCopy copy(content);
        badinput::WritePlayerFiles(copy, badinput::PreparedPlayerFiles());
        v.breakIt(copy);
        const auto before = badinput::ReadPlayerFiles(copy);
        const gamerun::RunResult r = RunRealGame(copy, v.audioDriver, 4);
        if (!r.started) GTEST_SKIP() << "Xvfb is not available";
        EXPECT_FALSE(r.timedOut) << "the game did not end on SIGTERM";
        EXPECT_EQ(r.signal, 0);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err.find("[Kolvenbrook 3D]"), std::string::npos) << "no message box: " << r.err;
        ExpectNothingLost(before, badinput::ReadPlayerFiles(copy));
        badinput::Report("(real game under Xvfb)", v.name, r.Describe() + ", no message, ended by SIGTERM");
    }
}
