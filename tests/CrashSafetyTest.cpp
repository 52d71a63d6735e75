// Files the game replaces survive the game being killed mid-write: each is its whole old or whole new version.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <new>
#include <random>
#include <string>
#include <thread>

#include "TestSupport.h"
#include "app/GameDlg.h"
#include "data/SaveSlots.h"
#include "frontend/Highscore.h"
#include "platform/Files.h"

using testing_support::HeadlessServices;
using testing_support::TempGameFolder;

namespace {

constexpr int kRounds = 200;
// The files are checked after every kill; all of them exist from the start.
constexpr int kFileCount = kSaveSlotCount + 2;

// The three writers of the game, each a group the killed child may be inside of.
enum Group { kSlots = 0, kConfig = 1, kTable = 2, kGroupCount = 3 };

// Written by the child, read by the parent, in memory the two share.
struct Progress {
    std::atomic<int> group;  // the writer running now + 1, or 0 between writes
    std::atomic<long> writes;
};

std::string Le32(int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    std::string out;
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFFu);
    return out;
}

// One complete set of contents, with the bytes each file must then hold.
struct Version {
    SaveSlotArray slots;
    uint8_t options[4];
    int32_t difficulty;
    CHighscore::Table table;
    std::array<std::string, kFileCount> bytes;  // SAVE0..7, Config.dat, Highscore.dat
};

Version MakeVersion(int which) {
    Version v;
    for (int i = 0; i < kSaveSlotCount; ++i) {
        PlayerRecord& r = v.slots[i];
        r.nextLevel = 1 + (i + which) % 7;
        r.health = 100 - 7 * i - which;
        r.lives = 2 + which;
        r.score = 123456 * (i + 1) + which * 1000000;
        r.money = -5 - which;  // negative values must survive too
        r.strength = 10 + 10 * which;
        v.bytes[i] =
            Le32(r.nextLevel) + Le32(r.health) + Le32(r.lives) + Le32(r.score) + Le32(r.money) + Le32(r.strength);
    }
    v.options[0] = which ? 0 : 1;
    v.options[1] = which ? 1 : 0;
    v.options[2] = which ? 0 : 1;
    v.options[3] = static_cast<uint8_t>(which);
    v.difficulty = which ? 2 : 0;
    v.bytes[kSaveSlotCount] = std::string(reinterpret_cast<const char*>(v.options), 4) + Le32(v.difficulty);
    std::string table;
    for (int r = 0; r < CHighscore::kRowCount; ++r) {
        CHighscore::Entry& e = v.table[r];
        e.name = std::string(which ? "BETA" : "ALFA") + static_cast<char>('A' + r);
        e.score = 90000 - 1000 * r + which;
        e.scoreText = std::to_string(e.score);
        std::string name = e.name;
        name.resize(CHighscore::kNameSize, ' ');
        table += name + Le32(e.score);
    }
    v.bytes[kSaveSlotCount + 1] = table;
    return v;
}

std::string FileName(int file) {
    if (file < kSaveSlotCount) return SaveSlotFileName(file);
    return file == kSaveSlotCount ? "Config.dat" : "Highscore.dat";
}

// Each writer exactly as the game calls it.
void WriteGroup(int group, const Version& v, CGameDlg& window) {
    switch (group) {
        case kSlots:
            WriteSlots(v.slots);
            break;
        case kConfig:
            window.nearLayerOption = v.options[0];
            window.musicOption = v.options[1];
            window.soundOption = v.options[2];
            window.spareOption = v.options[3];
            window.difficulty = v.difficulty;
            window.WriteConfig();
            break;
        default: {
            // The table screen reads the file when it opens and writes its rows when it closes.
            CHighscore screen(&window);
            screen.rows = v.table;
            break;
        }
    }
}

[[noreturn]] void WriteForever(const Version (&versions)[2], int first, Progress* progress, unsigned seed) {
    CGameDlg window;
    std::mt19937 random(seed);
    std::array<int, kGroupCount> order = {kSlots, kConfig, kTable};
    for (int which = first;; which ^= 1) {
        std::shuffle(order.begin(), order.end(), random);
        for (int group : order) {
            progress->group.store(group + 1);
            WriteGroup(group, versions[which], window);
            progress->group.store(0);
            progress->writes.fetch_add(1);
        }
    }
}

std::string Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes.substr(0, 48)) {
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
    }
    return out + (bytes.size() > 48 ? "..." : "");
}

TEST(CrashSafetyTest, KilledWritersLeaveEveryFileWholeOldOrWholeNew) {
    TempGameFolder folder;
    HeadlessServices services;
    const Version versions[2] = {MakeVersion(0), MakeVersion(1)};

    // Every file exists before the first kill, and writing one whole set shows how long a set takes.
    CGameDlg window;
    const auto start = std::chrono::steady_clock::now();
    for (int group = 0; group < kGroupCount; ++group) WriteGroup(group, versions[0], window);
    const auto setTime = std::chrono::steady_clock::now() - start;
    window.destroyed = true;  // its destructor must not write Config.dat again
    for (int file = 0; file < kFileCount; ++file) {
        ASSERT_EQ(folder.Read(FileName(file)), versions[0].bytes[file]) << FileName(file) << " as first written";
    }

    // Kill points spread over about two sets, so every writer is hit, within a few seconds in all.
    const long setMicros = std::chrono::duration_cast<std::chrono::microseconds>(setTime).count();
    const long maxDelay = std::clamp(2 * setMicros, 2000L, 60000L);
    std::mt19937 random(20240611u);
    std::uniform_int_distribution<long> delay(0, maxDelay);

    void* shared = ::mmap(nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(shared, MAP_FAILED);
    Progress* progress = new (shared) Progress{};

    std::array<int, kGroupCount> killsInside{};
    int roundsLeavingTemp = 0;
    for (int round = 0; round < kRounds; ++round) {
        const unsigned seed = static_cast<unsigned>(random());
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) WriteForever(versions, (round + 1) & 1, progress, seed);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        const int inside = progress->group.load();
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the writer ended by itself: " << status;
        progress->group.store(0);
        if (inside > 0) ++killsInside[inside - 1];

        for (int file = 0; file < kFileCount; ++file) {
            const std::string name = FileName(file);
            ASSERT_TRUE(folder.Exists(name)) << "round " << round << ": " << name << " is missing";
            const std::string bytes = folder.Read(name);
            ASSERT_TRUE(bytes == versions[0].bytes[file] || bytes == versions[1].bytes[file])
                << "round " << round << ": " << name << " holds " << bytes.size() << " bytes " << Hex(bytes)
                << ", neither version";
        }
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            if (entry.path().extension() == ".kvbtmp") {
                ++roundsLeavingTemp;
                break;
            }
        }
    }
    const long writes = progress->writes.load();
    progress->~Progress();
    ::munmap(shared, sizeof(Progress));

    // The kills must have come while files were being written, or the test proved nothing.
    EXPECT_GT(writes, 10) << "the writers hardly ran";
    EXPECT_GE(killsInside[kSlots], 5) << "too few kills while the save slots were written";
    EXPECT_GE(killsInside[kConfig], 3) << "too few kills while Config.dat was written";
    EXPECT_GE(killsInside[kTable], 3) << "too few kills while Highscore.dat was written";
    RecordProperty("writer_sets_completed", static_cast<int>(writes));
    RecordProperty("rounds_leaving_a_temp_file", roundsLeavingTemp);
    std::printf(
        "%d kills: %d while the slots were written, %d in Config.dat, %d in Highscore.dat; %ld writes "
        "finished; %d kills left a temporary file\n",
        kRounds, killsInside[kSlots], killsInside[kConfig], killsInside[kTable], writes, roundsLeavingTemp);

    // At the next start the interrupted temp files go, and the game's readers take what survived.
    platform::RemoveStaleTempFiles(".");
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        EXPECT_NE(entry.path().extension(), ".kvbtmp") << entry.path() << " survived the start-up clean-up";
    }
    SaveSlotArray slots;
    ReadSlots(slots, 2);
    for (int i = 0; i < kSaveSlotCount; ++i) {
        const bool a = slots[i].score == versions[0].slots[i].score && slots[i].money == versions[0].slots[i].money;
        const bool b = slots[i].score == versions[1].slots[i].score && slots[i].money == versions[1].slots[i].money;
        EXPECT_TRUE(a || b) << "slot " << i << " read back as neither version";
        EXPECT_FALSE(IsEmptySlot(slots[i])) << "slot " << i;
    }
    CGameDlg reader;
    reader.ReadConfig();
    reader.destroyed = true;
    EXPECT_TRUE(reader.difficulty == versions[0].difficulty || reader.difficulty == versions[1].difficulty);
    CGameDlg tableWindow;
    tableWindow.destroyed = true;
    CHighscore table(&tableWindow);
    EXPECT_EQ(table.editRow, -1);
    EXPECT_TRUE(table.rows[9].score == versions[0].table[9].score || table.rows[9].score == versions[1].table[9].score);
}

}  // namespace
