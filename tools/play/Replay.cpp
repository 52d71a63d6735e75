// Replay files: the keys held in every frame of one level, with the record and difficulty it starts from.
#include "Replay.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Driver.h"
#include "actors/Hero.h"
#include "core/GameGlobals.h"
#include "core/GameState.h"
#include "level/Level.h"

namespace {

// Bit order of the keys: the letter in the file and the virtual-key code the game binds.
const struct {
    char letter;
    int vk;
} kKeys[] = {{'L', 37}, {'R', 39}, {'U', 38}, {'D', 40}, {'S', 32}, {'W', 16}};
constexpr int kKeyCount = sizeof(kKeys) / sizeof(kKeys[0]);

// A level is at most a few hours of frames; anything longer is a damaged file.
constexpr long kMaxFrames = 1000000;
// The level-completed message types a letter every three steps; no text of the game is this long.
constexpr int kMaxMessageFrames = 3000;

bool ReadInt(std::istringstream& words, int32_t& value) {
    long long v = 0;
    if (!(words >> v) || v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool NothingMore(std::istringstream& words) {
    std::string extra;
    return !(words >> extra);
}

}  // namespace

std::string ReplayKeyLetters(uint8_t keys) {
    std::string letters;
    for (int i = 0; i < kKeyCount; ++i) {
        if (keys & (1u << i)) letters += kKeys[i].letter;
    }
    return letters.empty() ? "-" : letters;
}

bool ReplayKeysFromLetters(const std::string& letters, uint8_t& keys) {
    keys = 0;
    if (letters == "-") return true;
    if (letters.empty()) return false;
    for (char c : letters) {
        int i = 0;
        while (i < kKeyCount && kKeys[i].letter != c) ++i;
        if (i == kKeyCount) return false;
        keys |= static_cast<uint8_t>(1u << i);
    }
    return true;
}

int ReplayKeyCode(uint8_t bit) {
    for (int i = 0; i < kKeyCount; ++i) {
        if (bit == (1u << i)) return kKeys[i].vk;
    }
    return -1;
}

bool Replay::Parse(std::istream& in, std::string& error) {
    frames.clear();
    std::string line;
    int lineNumber = 0;
    bool haveMagic = false;
    bool haveLevel = false;
    bool havePlayer = false;
    bool haveDifficulty = false;
    auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(lineNumber) + ": " + why;
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first[0] == '#') continue;
        if (!haveMagic) {
            int version = 0;
            if (first != kMagic || !(words >> version) || !NothingMore(words)) {
                return fail("not a replay (the first line must be \"kolvenbrook-replay 1\")");
            }
            if (version != kVersion) return fail("replay version " + std::to_string(version) + " is not known");
            haveMagic = true;
        } else if (first == "level") {
            if (!ReadInt(words, level) || level < 0 || level > CHero::kLastLevel || !NothingMore(words)) {
                return fail("level needs a number from 0 to 7");
            }
            haveLevel = true;
        } else if (first == "player") {
            PlayerRecord& p = player;
            if (!ReadInt(words, p.nextLevel) || !ReadInt(words, p.health) || !ReadInt(words, p.lives) ||
                !ReadInt(words, p.score) || !ReadInt(words, p.money) || !ReadInt(words, p.strength) ||
                !NothingMore(words)) {
                return fail("player needs nextLevel health lives score money strength");
            }
            havePlayer = true;
        } else if (first == "difficulty") {
            if (!ReadInt(words, difficulty) || !NothingMore(words)) return fail("difficulty needs a number");
            haveDifficulty = true;
        } else {
            // "<frames> <keys>"
            char* end = nullptr;
            const long count = std::strtol(first.c_str(), &end, 10);
            if (*end != '\0' || count < 1) return fail("expected '<frames> <keys>', got '" + first + "'");
            std::string letters;
            uint8_t keys = 0;
            if (!(words >> letters) || !ReplayKeysFromLetters(letters, keys) || !NothingMore(words)) {
                return fail("keys are letters of L R U D S W, or - for none");
            }
            if (count > kMaxFrames - static_cast<long>(frames.size())) return fail("too many frames");
            frames.insert(frames.end(), static_cast<size_t>(count), keys);
        }
    }
    if (!haveMagic) return fail("empty file");
    if (!haveLevel || !havePlayer || !haveDifficulty) return fail("level, player and difficulty are all needed");
    return true;
}

bool Replay::Load(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path;
        return false;
    }
    if (!Parse(file, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

std::string Replay::Format(const std::string& comment) const {
    std::ostringstream out;
    out << kMagic << ' ' << kVersion << '\n';
    std::istringstream lines(comment);
    std::string line;
    while (std::getline(lines, line)) out << "# " << line << '\n';
    out << "level " << level << '\n';
    out << "player " << player.nextLevel << ' ' << player.health << ' ' << player.lives << ' ' << player.score << ' '
        << player.money << ' ' << player.strength << '\n';
    out << "difficulty " << difficulty << '\n';
    for (size_t i = 0; i < frames.size();) {
        size_t j = i;
        while (j < frames.size() && frames[j] == frames[i]) ++j;
        out << (j - i) << ' ' << ReplayKeyLetters(frames[i]) << '\n';
        i = j;
    }
    return out.str();
}

bool Replay::Save(const std::string& path, const std::string& comment) const {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file << Format(comment);
    return static_cast<bool>(file.flush());
}

bool Driver::FeedReplayKeys(const Replay& replay, std::string& error) {
    CGameDlg& window = app_->window;
    uint8_t held = 0;
    auto hold = [&](uint8_t keys) {
        for (int i = 0; i < kKeyCount; ++i) {
            const uint8_t bit = static_cast<uint8_t>(1u << i);
            if ((keys & bit) && !(held & bit)) events_.KeyDown(kKeys[i].vk);
            if (!(keys & bit) && (held & bit)) events_.KeyUp(kKeys[i].vk);
        }
        held = keys;
    };
    replayFramesFed = 0;
    for (uint8_t keys : replay.frames) {
        if (finished) break;
        hold(keys);
        RunFrame();
        ++replayFramesFed;
        if (replayFramesFed == 1) {
            const CLevel* level = GameGlobals::level;
            if (!level || window.currentState != Level) {
                hold(0);
                error = "no level is running";
                return false;
            }
            if (level->levelNumber != replay.level) {
                hold(0);
                error = "the replay is for level " + std::to_string(replay.level) + " but level " +
                        std::to_string(level->levelNumber) + " is running";
                return false;
            }
        }
        // The keys after the level's end would reach the next screen.
        if (window.requestedState != Level) break;
    }
    // Released before the next frame, so the next screen never sees them held.
    hold(0);
    // Keys that reached the finish have done their part: the level-completed message takes as long as
    // its text, which may have changed since the replay was made.
    const CLevel* level = GameGlobals::level;
    for (int wait = 0; wait < kMaxMessageFrames && !finished && window.requestedState == Level && level &&
                       level->hero && level->hero->levelEndTimer >= 0;
         ++wait) {
        RunFrame();
        ++replayFramesFed;
        level = GameGlobals::level;
    }

    const bool last = replay.level >= CHero::kLastLevel;
    if (!last && window.requestedState == Briefing && window.requestedLevel == replay.level + 1) return true;
    if (last && window.requestedState == Highscore && window.outroPending) return true;
    if (window.requestedState == Level) {
        error = "the level was still running after the replay's " + std::to_string(replay.frames.size()) + " frames";
    } else if (window.requestedState == Highscore) {
        error = "the level was lost (the game went to the highscore table) after " + std::to_string(replayFramesFed) +
                " frames";
    } else {
        error = "the level was left for screen " + std::to_string(window.requestedState);
    }
    return false;
}

bool Driver::PlayReplay(const Replay& replay, std::string& error) {
    CGameDlg& window = app_->window;
    if (window.introPlaying) {
        events_.KeyDown(13);
        RunFrame();
        events_.KeyUp(13);
    }
    // As the briefing does when Enter is pressed, with the record the replay starts from.
    window.difficulty = replay.difficulty;
    window.player = replay.player;
    window.requestedLevel = replay.level;
    window.requestedState = Level;
    return FeedReplayKeys(replay, error);
}

bool Driver::ExecuteReplay(const std::string& command, const std::string& path, std::string& error) {
    if (path.empty()) {
        error = command + " needs a replay file";
        return false;
    }
    Replay replay;
    if (!replay.Load(path, error)) return false;
    return command == "replay" ? PlayReplay(replay, error) : FeedReplayKeys(replay, error);
}
