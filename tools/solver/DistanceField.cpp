// How many steps the hero needs to the finish from a place: a graph of the moves he can make, found by
// playing short moves (runs, jumps, falls, jumper throws, rides) with the real hero in the real map.
#include "DistanceField.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <queue>

#include "SolverWorld.h"
#include "actors/CollisionMap.h"
#include "actors/Hero.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "data/ObjectType.h"
#include "data/UnitType.h"
#include "level/Level.h"
#include "play/Replay.h"

namespace {

// A short move: the keys of each step, then no keys until the hero stands again.
struct Move {
    std::vector<uint8_t> keys;
};

std::vector<Move> Moves() {
    auto repeat = [](std::vector<uint8_t> keys, uint8_t k, int n) {
        keys.insert(keys.end(), static_cast<size_t>(n), k);
        return keys;
    };
    const uint8_t R = kReplayRight, L = kReplayLeft, U = kReplayUp;
    std::vector<Move> moves;
    for (uint8_t side : {R, L}) {
        moves.push_back({repeat({}, side, 4)});                                      // a few steps of running
        moves.push_back({repeat({}, side | U, 60)});                                 // a running jump
        moves.push_back({repeat(repeat({}, side | U, 1), side, 6)});                 // a short hop
        moves.push_back({repeat(repeat({}, U, 8), side, 40)});                       // up first, then across
        moves.push_back({repeat(repeat({}, side | U, 10), side == R ? L : R, 30)});  // across, then back
    }
    moves.push_back({repeat({}, U, 1)});  // straight up
    return moves;
}

}  // namespace

int32_t DistanceField::Key(int32_t x, int32_t y) {
    const int32_t cx = std::clamp(x, 0, 4095) / kCell;
    const int32_t cy = std::clamp(y, 0, 4095) / kCell;
    return cx * 4096 + cy;
}

int32_t DistanceField::Node(int32_t x, int32_t y) {
    const int32_t key = Key(x, y);
    auto found = index_.find(key);
    if (found != index_.end()) return found->second;
    const int32_t id = static_cast<int32_t>(into_.size());
    index_.emplace(key, id);
    into_.emplace_back();
    out_.emplace_back();
    position_.emplace_back(x, y);
    return id;
}

void DistanceField::AddEdge(int32_t from, int32_t to, int32_t cost) {
    if (from == to) return;
    for (auto& edge : into_[to]) {
        if (edge.first == from) {
            edge.second = std::min(edge.second, cost);
            for (auto& back : out_[from]) {
                if (back.first == to) back.second = edge.second;
            }
            return;
        }
    }
    into_[to].emplace_back(from, cost);
    out_[from].emplace_back(to, cost);
    ++edgeCount_;
}

void DistanceField::Build(SolverWorld& world) {
    WorldSnapshot original;
    world.Save(original);
    CLevel& level = world.Level();
    CHero& hero = world.Hero();
    CCollisionMap& map = *GameGlobals::collisionMap;
    InputState& input = *GameGlobals::input;
    const int32_t w = hero.type->maxWidth;
    const int32_t h = hero.type->maxHeight;

    // The hero alone with the ground and the jumpers: enemies, pickups and moving platforms would only
    // make the moves depend on the moment.
    level.enemies.clear();
    std::vector<CGameObject> jumpers;
    for (const CGameObject& object : level.objects) {
        if (object.type && object.type->objectClass == "jumper") jumpers.push_back(object);
    }
    level.objects = jumpers;
    if (level.movableElements) level.movableElements->elements.clear();
    // One platform at a time stands in for the level's while the moves are tried.
    CPlatformList standIn;
    const IPlatformSource* levelPlatforms = map.platforms;
    map.platforms = &standIn;

    // Where the hero can start a move: standing on the ground (every column of cells), or riding a
    // platform anywhere on its loop.
    struct Seed {
        int32_t x, y;
        int platform;  // index into platformBoxes, or -1
    };
    std::vector<Seed> seeds;
    std::vector<PlatformBox> platformBoxes;
    for (int32_t x = 0; x < CCollisionMap::kWorldWidth; x += kCell) {
        bool wasFree = false;
        for (int32_t y = 0; y < CCollisionMap::kWorldHeight; ++y) {
            const bool free = map.TestBox(x, y, w, h) == CCollisionMap::kFree;
            if (wasFree && !free) seeds.push_back({x, y - 1, -1});
            wasFree = free;
        }
    }
    // Ride edges between places on a platform a few steps apart along its real loop.
    constexpr int32_t kRideSample = 8;
    const int32_t rideOffsets[] = {-12, 4, 20};
    std::vector<std::pair<int32_t, int32_t>> rideLinks;  // seed index pairs, along the loop
    for (const CMovableElement& start : original.platforms) {
        CMovableElement element = start;
        std::vector<PlatformBox> loop;
        // One lap: out from the start and back within arrival distance of it.
        const int32_t maxSteps = 40000;
        bool away = false;
        for (int32_t step = 0; step < maxSteps; ++step) {
            const float off = std::abs(element.x - start.x) + std::abs(element.y - start.y);
            if (off > 16.0f) away = true;
            if (away && off <= 6.0f) break;
            if (step % kRideSample == 0) {
                loop.push_back({static_cast<int32_t>(element.x), static_cast<int32_t>(element.y)});
            }
            element.Step();
        }
        for (size_t k = 0; k < loop.size(); ++k) {
            const int platformIndex = static_cast<int>(platformBoxes.size());
            platformBoxes.push_back(loop[k]);
            for (size_t o = 0; o < std::size(rideOffsets); ++o) {
                seeds.push_back({loop[k].x + rideOffsets[o], loop[k].y - h - 1, platformIndex});
                if (k > 0) {
                    const int32_t here = static_cast<int32_t>(seeds.size()) - 1;
                    rideLinks.emplace_back(here - static_cast<int32_t>(std::size(rideOffsets)), here);
                }
            }
        }
    }

    std::vector<int32_t> seedNode(seeds.size());
    for (size_t i = 0; i < seeds.size(); ++i) seedNode[i] = Node(seeds[i].x, seeds[i].y);
    for (const auto& link : rideLinks) AddEdge(seedNode[link.first], seedNode[link.second], kRideSample);

    const std::vector<Move> moves = Moves();
    constexpr int32_t kMaxMoveSteps = 90;
    for (size_t i = 0; i < seeds.size(); ++i) {
        const Seed& seed = seeds[i];
        standIn.platforms.clear();
        if (seed.platform >= 0) {
            const PlatformBox& box = platformBoxes[static_cast<size_t>(seed.platform)];
            standIn.platforms.push_back({static_cast<float>(box.x), static_cast<float>(box.y), 0.0f});
        }
        if (map.TestBox(seed.x, seed.y, w, h) != CCollisionMap::kFree) continue;
        for (const Move& move : moves) {
            hero.x = seed.x;
            hero.y = seed.y;
            hero.vx = 0.0f;
            hero.vy = 0.0f;
            hero.onStep = 0;
            hero.hurtTimer = 1000;
            hero.dead = false;
            hero.running = true;
            hero.attackProgress = 0.0f;
            int32_t last = seedNode[i];
            int32_t cost = 0;
            for (int32_t t = 0; t < kMaxMoveSteps; ++t) {
                const uint8_t keys = t < static_cast<int32_t>(move.keys.size()) ? move.keys[t] : 0;
                input.left.pressed = keys & kReplayLeft;
                input.right.pressed = keys & kReplayRight;
                input.jump.pressed = keys & kReplayUp;
                input.attack.pressed = false;
                input.walk.pressed = false;
                hero.HandleInput();
                hero.ApplyFrictionAndGravity();
                hero.Move();
                hero.CollectObjects();
                if (hero.y > CCollisionMap::kWorldHeight) break;
                ++cost;
                const int32_t node = Node(hero.x, hero.y);
                if (node != last) {
                    AddEdge(last, node, cost);
                    last = node;
                    cost = 0;
                }
                const bool standing = hero.vy == 0.0f && hero.GroundBelow();
                if (t >= static_cast<int32_t>(move.keys.size()) && standing && hero.vx == 0.0f) break;
            }
        }
    }

    input.left.pressed = input.right.pressed = input.jump.pressed = false;
    map.platforms = levelPlatforms;
    world.Load(original);

    // Steps to the finish, from every place at once.
    dist_.assign(into_.size(), kUnknown);
    using Item = std::pair<int32_t, int32_t>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> queue;
    targetCount_ = 0;
    for (size_t n = 0; n < position_.size(); ++n) {
        const auto [x, y] = position_[n];
        if (std::abs(x - hero.finishX) < CHero::kFinishRangeX && std::abs(y - hero.finishY) < CHero::kFinishRangeY) {
            dist_[n] = 0;
            queue.emplace(0, static_cast<int32_t>(n));
            ++targetCount_;
        }
    }
    while (!queue.empty()) {
        const auto [d, n] = queue.top();
        queue.pop();
        if (d > dist_[static_cast<size_t>(n)]) continue;
        for (const auto& [from, cost] : into_[static_cast<size_t>(n)]) {
            if (d + cost < dist_[static_cast<size_t>(from)]) {
                dist_[static_cast<size_t>(from)] = d + cost;
                queue.emplace(d + cost, from);
            }
        }
    }
    startDistance = At(hero.x, hero.y);
}

int32_t DistanceField::At(int32_t x, int32_t y) const {
    auto lookup = [&](int32_t px, int32_t py) {
        auto found = index_.find(Key(px, py));
        return found == index_.end() ? kUnknown : dist_[static_cast<size_t>(found->second)];
    };
    const int32_t here = lookup(x, y);
    if (here < kUnknown) return here;
    // Not a place a move passed through: the best place nearby, a little dearer for the distance.
    int32_t best = kUnknown;
    for (int32_t dy = -3; dy <= 3; ++dy) {
        for (int32_t dx = -3; dx <= 3; ++dx) {
            const int32_t d = lookup(x + dx * kCell, y + dy * kCell);
            if (d < kUnknown) best = std::min(best, d + 2 * (std::abs(dx) + std::abs(dy)));
        }
    }
    if (best < kUnknown) return best;
    const int32_t fx = GameGlobals::level && GameGlobals::level->hero ? GameGlobals::level->hero->finishX : 0;
    const int32_t fy = GameGlobals::level && GameGlobals::level->hero ? GameGlobals::level->hero->finishY : 0;
    return kUnknown + (std::abs(x - fx) + std::abs(y - fy)) / kCell;
}

std::vector<std::pair<std::pair<int32_t, int32_t>, int32_t>> DistanceField::Way(int32_t x, int32_t y) const {
    std::vector<std::pair<std::pair<int32_t, int32_t>, int32_t>> way;
    auto found = index_.find(Key(x, y));
    if (found == index_.end()) return way;
    int32_t node = found->second;
    for (int guard = 0; guard < 100000 && dist_[static_cast<size_t>(node)] > 0; ++guard) {
        way.push_back({position_[static_cast<size_t>(node)], dist_[static_cast<size_t>(node)]});
        int32_t next = -1;
        for (const auto& [to, cost] : out_[static_cast<size_t>(node)]) {
            if (dist_[static_cast<size_t>(to)] + cost == dist_[static_cast<size_t>(node)]) next = to;
        }
        if (next < 0) break;
        node = next;
    }
    way.push_back({position_[static_cast<size_t>(node)], dist_[static_cast<size_t>(node)]});
    return way;
}
