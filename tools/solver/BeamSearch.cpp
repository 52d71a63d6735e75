// The search for keys that finish a level: a beam of game states, each grown by holding key
// combinations for a few frames, ranked by the steps left to the finish and what was won or lost.
#include "BeamSearch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <unordered_map>
#include <unordered_set>

#include "DistanceField.h"
#include "SolverWorld.h"
#include "actors/Hero.h"
#include "app/GameDlg.h"
#include "core/GameState.h"
#include "level/Level.h"
#include "play/Replay.h"

namespace {

constexpr uint8_t R = kReplayRight, L = kReplayLeft, U = kReplayUp, S = kReplaySpace;
const uint8_t kActions[] = {0, R, L, R | U, L | U, U, R | S, L | S, R | U | S, L | U | S};

// What things are worth, in steps of the way to the finish.
constexpr double kHealthWeight = 12.0;  // per point of energy lost
constexpr double kMoneyWeight = 25.0;   // per coin of money
constexpr double kStrengthWeight = 150.0;
constexpr double kKillWeight = 40.0;

// After the finish the level ends by itself; this is far more than its message takes.
constexpr int32_t kMaxTailFrames = 3000;

struct Entry {
    int32_t history = -1;  // index into the history of choices
    double score = 0.0;
    int32_t distance = 0;
    WorldSnapshot snapshot;
};

struct Choice {
    int32_t parent;
    uint8_t keys;
};

int32_t Kills(const CLevel& level) {
    int32_t kills = 0;
    for (const CEnemy& enemy : level.enemies) kills += enemy.energy <= 0 ? 1 : 0;
    return kills;
}

uint64_t Mix(uint64_t h, int64_t v) {
    h ^= static_cast<uint64_t>(v) + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
    return h;
}

}  // namespace

SearchResult BeamSearch::Run() {
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - started).count(); };

    SearchResult result;
    CHero& hero = world_.Hero();
    CLevel& level = world_.Level();
    const int32_t startLives = hero.lives;
    const int32_t startHealth = hero.health;
    const int32_t startMoney = hero.money;
    const int32_t startStrength = hero.strength;
    const int32_t startKills = Kills(level);
    const int32_t startFrames = world_.frames;

    auto measure = [&](int32_t& distance) {
        distance = field_.At(hero.x, hero.y);
        const int32_t lost = (startHealth - hero.health) + 100 * (startLives - hero.lives);
        return distance + kHealthWeight * lost - kMoneyWeight * (hero.money - startMoney) -
               kStrengthWeight * (hero.strength - startStrength) - kKillWeight * (Kills(level) - startKills);
    };

    std::vector<Choice> history;
    std::vector<Entry> beam(1);
    world_.Save(beam[0].snapshot);
    beam[0].score = measure(beam[0].distance);
    result.bestDistance = beam[0].distance;
    result.bestX = hero.x;
    result.bestY = hero.y;
    int32_t bestDistance = beam[0].distance;
    int32_t roundsSinceBest = 0;
    int32_t bestHistory = -1;
    int width = options_.beamWidth;

    auto framesOf = [&](int32_t index) {
        std::vector<uint8_t> keys;
        for (int32_t i = index; i >= 0; i = history[static_cast<size_t>(i)].parent) {
            keys.insert(keys.end(), static_cast<size_t>(options_.macroFrames), history[static_cast<size_t>(i)].keys);
        }
        std::reverse(keys.begin(), keys.end());
        return keys;
    };

    for (int round = 0; !beam.empty(); ++round) {
        if (elapsed() > options_.timeLimitSeconds) {
            result.note = "time limit reached";
            break;
        }
        std::vector<Entry> children;
        children.reserve(beam.size() * std::size(kActions));
        std::unordered_map<uint64_t, size_t> seen;
        for (const Entry& parent : beam) {
            for (uint8_t keys : kActions) {
                world_.Load(parent.snapshot);
                bool pruned = false;
                for (int f = 0; f < options_.macroFrames; ++f) {
                    world_.Frame(keys);
                    ++result.framesSimulated;
                    if (hero.levelEndTimer >= 0) {
                        // Found: the choices so far, this one cut at this frame, then no keys until
                        // the level hands over to the next screen.
                        std::vector<uint8_t> frames = framesOf(parent.history);
                        frames.insert(frames.end(), static_cast<size_t>(f + 1), keys);
                        result.framesToFinish = static_cast<int32_t>(frames.size());
                        int32_t tail = 0;
                        while (world_.Window().requestedState == Level && tail < kMaxTailFrames) {
                            world_.Frame(0);
                            frames.push_back(0);
                            ++tail;
                        }
                        result.found = world_.Window().requestedState != Level;
                        if (!result.found) result.note = "the finish was reached but the level did not end";
                        result.frames = std::move(frames);
                        result.seconds = elapsed();
                        result.bestDistance = 0;
                        result.bestX = hero.x;
                        result.bestY = hero.y;
                        return result;
                    }
                    if (hero.lives < startLives || hero.gameOverTimer >= 0 || hero.dead ||
                        world_.Window().requestedState != Level) {
                        pruned = true;
                        break;
                    }
                }
                if (pruned) continue;
                Entry child;
                child.score = measure(child.distance);
                uint64_t key = 0;
                for (int64_t v : {int64_t{hero.x}, int64_t{hero.y}, static_cast<int64_t>(hero.vx * 4.0f),
                                  static_cast<int64_t>(hero.vy * 4.0f), int64_t{hero.facing},
                                  int64_t{hero.hurtTimer > CHero::kBlinkFrames ? 0 : 1 + hero.hurtTimer / 10},
                                  int64_t{hero.money}, int64_t{hero.strength}, int64_t{Kills(level)},
                                  int64_t{hero.health}, int64_t{hero.attackProgress > 0.0f}}) {
                    key = Mix(key, v);
                }
                auto found = seen.find(key);
                if (found != seen.end()) {
                    Entry& other = children[found->second];
                    if (other.score <= child.score) continue;
                    history.push_back({parent.history, keys});
                    other.history = static_cast<int32_t>(history.size()) - 1;
                    other.score = child.score;
                    other.distance = child.distance;
                    world_.Save(other.snapshot);
                    continue;
                }
                history.push_back({parent.history, keys});
                child.history = static_cast<int32_t>(history.size()) - 1;
                world_.Save(child.snapshot);
                seen.emplace(key, children.size());
                children.push_back(std::move(child));
            }
        }
        std::sort(children.begin(), children.end(), [](const Entry& a, const Entry& b) { return a.score < b.score; });
        std::vector<Entry> next;
        std::unordered_map<int64_t, int> perSquare;
        for (Entry& child : children) {
            if (static_cast<int>(next.size()) >= width) break;
            const int64_t square = (int64_t{child.snapshot.hero.x} >> 4) * 4096 + (child.snapshot.hero.y >> 4);
            if (++perSquare[square] > options_.perSquare) continue;
            next.push_back(std::move(child));
        }
        beam = std::move(next);
        if (beam.empty()) {
            result.note = "no state survived";
            break;
        }
        int32_t roundBest = beam.front().distance;
        size_t bestIndex = 0;
        for (size_t i = 0; i < beam.size(); ++i) {
            if (beam[i].distance < roundBest) {
                roundBest = beam[i].distance;
                bestIndex = i;
            }
        }
        if (roundBest < bestDistance) {
            bestDistance = roundBest;
            bestHistory = beam[bestIndex].history;
            result.bestDistance = roundBest;
            result.bestX = beam[bestIndex].snapshot.hero.x;
            result.bestY = beam[bestIndex].snapshot.hero.y;
            roundsSinceBest = 0;
            width = options_.beamWidth;
        } else if (++roundsSinceBest % 100 == 0 && width < 4 * options_.beamWidth) {
            // Stuck for a while: keep more states, so waiting and detours get their chance.
            width *= 2;
        }
        if (options_.verbose && round % 50 == 0) {
            const WorldSnapshot& top = beam.front().snapshot;
            std::fprintf(stderr,
                         "  round %d frame %d: beam %zu, best left %d (now %d at %d,%d, energy %d, money %d, "
                         "strength %d), %.1f s\n",
                         round, top.frames - startFrames, beam.size(), bestDistance, beam.front().distance, top.hero.x,
                         top.hero.y, top.hero.health, top.hero.money, top.hero.strength, elapsed());
        }
    }
    result.frames = framesOf(bestHistory);
    result.seconds = elapsed();
    return result;
}
