// kolvenbrook-solve: finds keys that finish each level by searching with the real game, and writes replays.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "BeamSearch.h"
#include "DistanceField.h"
#include "Solve.h"
#include "SolverWorld.h"
#include "actors/Hero.h"
#include "app/GameDlg.h"
#include "core/GameState.h"
#include "core/PlayerRecord.h"
#include "play/Driver.h"
#include "play/Replay.h"

namespace fs = std::filesystem;

namespace {

const char kUsage[] =
    "usage: kolvenbrook-solve [--data GAMEDIR] [--out DIR] [--levels N | A-B] [--time SECONDS] [--beam WIDTH]\n"
    "                         [--macro FRAMES] [--player \"N H L S M ST\"] [--way X,Y] [--quiet]\n"
    "Solves the levels in order and writes DIR/level<N>.txt (or DIR/level<N>.unsolved saying where the hero got\n"
    "stuck). Level 0 starts from a new game on normal difficulty; every later level from the record the level\n"
    "before ends with, after the briefing's Enter (which trades money for strength): the first level of the run\n"
    "from DIR/level<N-1>.txt (or --player), and after an unsolved level from the record that one started with.\n";

// A working folder that shows the game folder's files but keeps saves, settings and best scores apart.
bool MakeScratchFolder(const fs::path& gameDir, fs::path& scratch) {
    char name[] = "/tmp/kvbsolve-XXXXXX";
    if (!mkdtemp(name)) return false;
    scratch = name;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(gameDir, error)) {
        const std::string file = entry.path().filename().string();
        if (file.rfind("SAVE", 0) == 0 || file == "Config.dat" || file == "Highscore.dat") continue;
        fs::create_symlink(fs::absolute(entry.path()), scratch / file, error);
        if (error) return false;
    }
    return !error;
}

// What `cksum` prints for a file ("<crc> <size>"), so a test can tell whether a level changed since it was
// solved; "missing" when the file cannot be read.
std::string FileChecksum(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return "missing";
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    uint32_t crc = 0;
    auto feed = [&](uint8_t byte) {
        crc ^= static_cast<uint32_t>(byte) << 24;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    };
    for (unsigned char c : bytes) feed(c);
    for (size_t n = bytes.size(); n != 0; n >>= 8) feed(static_cast<uint8_t>(n & 0xFF));
    return std::to_string(~crc) + " " + std::to_string(bytes.size());
}

std::string RecordText(const PlayerRecord& p) {
    std::ostringstream text;
    text << p.nextLevel << ' ' << p.health << ' ' << p.lives << ' ' << p.score << ' ' << p.money << ' ' << p.strength;
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    fs::path gameDir = KVB_DEFAULT_GAME_DIR;
    fs::path outDir = KVB_DEFAULT_REPLAY_DIR;
    int first = 0;
    int last = CHero::kLastLevel;
    SearchOptions options;
    options.verbose = true;
    int wayX = -1;
    PlayerRecord givenPlayer;
    bool havePlayer = false;
    int wayY = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--data" && hasValue) {
            gameDir = argv[++i];
        } else if (arg == "--out" && hasValue) {
            outDir = argv[++i];
        } else if (arg == "--levels" && hasValue) {
            const std::string range = argv[++i];
            const size_t dash = range.find('-');
            first = std::atoi(range.substr(0, dash).c_str());
            last = dash == std::string::npos ? first : std::atoi(range.substr(dash + 1).c_str());
        } else if (arg == "--time" && hasValue) {
            options.timeLimitSeconds = std::atof(argv[++i]);
        } else if (arg == "--beam" && hasValue) {
            options.beamWidth = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--macro" && hasValue) {
            options.macroFrames = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--way" && hasValue) {
            // Only show the way the move graph sees from a place (x,y), without searching.
            if (std::sscanf(argv[++i], "%d,%d", &wayX, &wayY) != 2) wayX = -1;
        } else if (arg == "--player" && hasValue) {
            // The record the first level starts with, instead of the one the chain gives.
            PlayerRecord& p = givenPlayer;
            if (std::sscanf(argv[++i], "%d %d %d %d %d %d", &p.nextLevel, &p.health, &p.lives, &p.score, &p.money,
                            &p.strength) != 6) {
                std::fprintf(stderr,
                             "kolvenbrook-solve: --player needs \"nextLevel health lives score money "
                             "strength\"\n");
                return 2;
            }
            havePlayer = true;
        } else if (arg == "--quiet") {
            options.verbose = false;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "kolvenbrook-solve: unknown argument '%s'\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (first < 0 || last > CHero::kLastLevel || first > last) {
        std::fprintf(stderr, "kolvenbrook-solve: levels must lie within 0-7\n");
        return 2;
    }
    gameDir = fs::absolute(gameDir);
    outDir = fs::absolute(outDir);
    fs::path scratch;
    if (!MakeScratchFolder(gameDir, scratch)) {
        std::fprintf(stderr, "kolvenbrook-solve: cannot make a working folder for %s\n", gameDir.c_str());
        return 2;
    }
    fs::current_path(scratch);
    const fs::path levelFiles = gameDir / "LevelDescriptions";

    int failures = 0;
    // The record the next level starts with, once a level of this run is done.
    PlayerRecord carried;
    int32_t carriedDifficulty = 1;
    bool haveCarried = false;
    for (int n = first; n <= last; ++n) {
        Replay header;
        header.level = n;
        if (haveCarried) {
            header.player = carried;
            header.difficulty = carriedDifficulty;
        } else if (n == first && havePlayer) {
            header.difficulty = 1;
            header.player = givenPlayer;
        } else if (n == 0) {
            header.difficulty = 1;
            header.player.Reset(header.difficulty);
        } else {
            Replay previous;
            std::string error;
            PlayerRecord end;
            const fs::path previousPath = outDir / ("level" + std::to_string(n - 1) + ".txt");
            if (!previous.Load(previousPath.string(), error) || !PlayThrough(previous, end, &header.player, error)) {
                std::fprintf(stderr, "kolvenbrook-solve: level %d needs a working %s: %s\n", n, previousPath.c_str(),
                             error.c_str());
                ++failures;
                break;
            }
            header.difficulty = previous.difficulty;
        }
        std::fprintf(stderr, "level %d: starting from player %s, difficulty %d\n", n, RecordText(header.player).c_str(),
                     header.difficulty);

        SearchResult result;
        int32_t startDistance = 0;
        {
            SolverWorld world(header);
            if (!world.Ready()) {
                std::fprintf(stderr, "kolvenbrook-solve: %s\n", world.Error().c_str());
                ++failures;
                break;
            }
            const auto started = std::chrono::steady_clock::now();
            DistanceField field;
            field.Build(world);
            const double buildSeconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            std::fprintf(stderr,
                         "level %d: move graph of %zu places, %zu moves, %zu at the finish, %.1f s; %d steps "
                         "from the start\n",
                         n, field.NodeCount(), field.EdgeCount(), field.TargetCount(), buildSeconds,
                         field.startDistance);
            if (wayX >= 0) {
                for (const auto& [place, left] : field.Way(wayX, wayY)) {
                    std::printf("%d %d (cell %d,%d): %d steps left\n", place.first, place.second,
                                (place.first + 28) / 16, (place.second + 60) / 16, left);
                }
                break;
            }
            startDistance = field.startDistance;
            BeamSearch search(world, field, options);
            result = search.Run();
            result.seconds += buildSeconds;
        }
        if (!result.found) {
            std::fprintf(stderr,
                         "level %d: NOT SOLVED after %.0f s (%s); the closest the hero got was %d steps from the "
                         "finish, at x %d y %d (cell %d,%d)\n",
                         n, result.seconds, result.note.c_str(), result.bestDistance, result.bestX, result.bestY,
                         (result.bestX + 28) / 16, (result.bestY + 60) / 16);
            // Said beside the solutions, so the tests know this level has none on purpose.
            std::ostringstream why;
            why << "Level " << n << " could not be finished by kolvenbrook-solve (" << result.note << ", "
                << static_cast<int>(result.seconds) << " s). The closest the hero got: x " << result.bestX << " y "
                << result.bestY << " (cell " << (result.bestX + 28) / 16 << "," << (result.bestY + 60) / 16 << "), "
                << result.bestDistance << " steps from the finish by the move graph.\n";
            if (startDistance >= DistanceField::kUnknown) {
                why << "The move graph (short moves played with the real hero from every place he can stand) finds no "
                       "way from the start to the finish at all.\n";
            }
            fs::create_directories(outDir);
            const fs::path unsolvedPath = outDir / ("level" + std::to_string(n) + ".unsolved");
            if (FILE* file = std::fopen(unsolvedPath.c_str(), "w")) {
                std::fputs(why.str().c_str(), file);
                std::fclose(file);
            }
            std::error_code gone;
            fs::remove(outDir / ("level" + std::to_string(n) + ".txt"), gone);
            // The way to the closest place, to look at with kolvenbrook-play.
            Replay closest = header;
            closest.frames.assign(1, 0);
            closest.frames.insert(closest.frames.end(), result.frames.begin(), result.frames.end());
            const fs::path stuckPath =
                fs::temp_directory_path() / ("kolvenbrook-solve-level" + std::to_string(n) + "-closest.txt");
            if (closest.Save(stuckPath.string(), "The closest the solver got; it does not finish the level.")) {
                std::fprintf(stderr, "level %d: the keys to that place are in %s\n", n, stuckPath.c_str());
            }
            ++failures;
            // The levels after it are still worth solving: from the record this one started with.
            carried = header.player;
            carried.nextLevel = n + 1;
            carriedDifficulty = header.difficulty;
            haveCarried = true;
            continue;
        }
        Replay solution = header;
        solution.frames.assign(1, 0);
        solution.frames.insert(solution.frames.end(), result.frames.begin(), result.frames.end());
        PlayerRecord end;
        std::string error;
        if (!PlayThrough(solution, end, n < CHero::kLastLevel ? &carried : nullptr, error)) {
            std::fprintf(stderr, "level %d: the solution did not finish the level when played through the game: %s\n",
                         n, error.c_str());
            ++failures;
            break;
        }
        std::ostringstream comment;
        comment << "Level " << n << ", found by kolvenbrook-solve: " << solution.frames.size() << " frames, the finish "
                << "reached in frame " << result.framesToFinish + 1 << ".\n"
                << "The level ends with player " << RecordText(end) << ".\n"
                << "Solved against Level" << n << ".xml (cksum "
                << FileChecksum(levelFiles / ("Level" + std::to_string(n) + ".xml")) << ") and Level" << n
                << ".dat (cksum " << FileChecksum(levelFiles / ("Level" + std::to_string(n) + ".dat")) << ").";
        fs::create_directories(outDir);
        const fs::path outPath = outDir / ("level" + std::to_string(n) + ".txt");
        if (!solution.Save(outPath.string(), comment.str())) {
            std::fprintf(stderr, "kolvenbrook-solve: cannot write %s\n", outPath.c_str());
            ++failures;
            break;
        }
        carriedDifficulty = header.difficulty;
        haveCarried = true;
        std::error_code gone;
        fs::remove(outDir / ("level" + std::to_string(n) + ".unsolved"), gone);
        std::fprintf(stderr,
                     "level %d: SOLVED in %.1f s: %zu frames (finish in frame %d), %lld frames searched; "
                     "ends with player %s; wrote %s\n",
                     n, result.seconds, solution.frames.size(), result.framesToFinish + 1,
                     static_cast<long long>(result.framesSimulated), RecordText(end).c_str(), outPath.c_str());
    }
    std::error_code ignored;
    fs::current_path(gameDir, ignored);
    fs::remove_all(scratch, ignored);
    return failures == 0 ? 0 : 1;
}
