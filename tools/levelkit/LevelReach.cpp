// The reachability test over the cells the hero can stand in.
#include "LevelReach.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <vector>

namespace levels {

namespace {

class Places {
public:
    Places(const Level& level, const Catalogue& catalogue) : level_(level) {
        rideable_.assign(static_cast<size_t>(kColumns) * kRows, 0);
        for (const Placement& p : level.platforms) MarkRide(p.route);
        (void)catalogue;
    }

    bool BodyFree(int c, int r) const {
        // The hero's narrowed box covers two columns and four rows when it stands on a cell boundary.
        if (c < 2 || c > kColumns - 3 || r < 4 || r >= kRows - 1) return false;
        for (int cc = c; cc <= c + 1; ++cc) {
            for (int rr = r - 3; rr <= r; ++rr) {
                if (level_.Solid(cc, rr)) return false;
            }
        }
        return true;
    }

    bool Stand(int c, int r) const {
        if (!BodyFree(c, r)) return false;
        for (int cc = c; cc <= c + 1; ++cc) {
            if (level_.Solid(cc, r + 1) || rideable_[Index(cc, r + 1)]) return true;
        }
        return false;
    }

    static size_t Index(int c, int r) { return static_cast<size_t>(c) * kRows + static_cast<size_t>(r); }

    // Each platform's loop as the list of cells its top-left passes, in order.
    std::vector<std::vector<std::pair<int, int>>> rides;

private:
    void MarkRide(const std::vector<Point>& route) {
        if (route.size() < 2) return;
        std::vector<std::pair<int, int>> cells;
        int x = route[0].x;
        int y = route[0].y;
        auto mark = [&]() {
            const int r = y / kCell;
            for (int c = x / kCell; c <= (x + kPlatformWidth - 1) / kCell; ++c) {
                if (c >= 0 && c < kColumns && r >= 0 && r < kRows) rideable_[Index(c, r)] = 1;
            }
            const std::pair<int, int> cell{x / kCell, r};
            if (cells.empty() || cells.back() != cell) cells.push_back(cell);
        };
        mark();
        for (size_t leg = 1; leg <= route.size(); ++leg) {
            const Point target = route[leg % route.size()];
            for (int guard = 0; guard < 100000 && (x != target.x || y != target.y); ++guard) {
                x += (target.x > x) - (target.x < x);
                y += (target.y > y) - (target.y < y);
                mark();
            }
        }
        rides.push_back(cells);
    }

    const Level& level_;
    std::vector<char> rideable_;
};

}  // namespace

ReachResult CheckReach(const Level& level, const Catalogue& catalogue) {
    ReachResult result;
    const Places places(level, catalogue);
    const int heroH = catalogue.hero.height;
    auto heroX = [](int c) { return kCell * c - kSideInset; };
    auto heroY = [&](int r) { return kCell * (r + 1) - 1 - heroH; };
    auto atFinish = [&](int c, int r) {
        return std::abs(heroX(c) - level.finish.x) < 32 && std::abs(heroY(r) - level.finish.y) < 128;
    };

    std::vector<char> seen(static_cast<size_t>(kColumns) * kRows, 0);
    std::deque<std::pair<int, int>> queue;
    auto visit = [&](int c, int r) {
        if (c < 0 || r < 0 || c >= kColumns || r >= kRows || seen[Places::Index(c, r)] || !places.Stand(c, r)) return;
        seen[Places::Index(c, r)] = 1;
        queue.push_back({c, r});
    };
    const int c0 = (level.start.x + kSideInset) / kCell;
    const int r0 = (level.start.y + heroH) / kCell;
    visit(c0, r0);

    // Jumpers, by the row the hero stands in beside them.
    std::vector<std::pair<int, int>> jumpers;
    for (const ObjectPlacement& o : level.objects) {
        if (o.type == "jumper") jumpers.push_back({o.column, o.row});
    }

    while (!queue.empty()) {
        const auto [c, r] = queue.front();
        queue.pop_front();
        for (int d : {-1, 1}) {
            const int n = c + d;
            visit(n, r);
            if (places.BodyFree(c, r - 1)) visit(n, r - 1);
            if (places.BodyFree(n, r) && !places.Stand(n, r)) {
                for (int rr = r + 1; rr < kRows - 1 && places.BodyFree(n, rr); ++rr) {
                    if (places.Stand(n, rr)) {
                        visit(n, rr);
                        break;
                    }
                }
            }
        }
        // Jumps: up to five rows up, further down; the body passes free at the arc's height.
        for (int dy = -5; dy <= 24; ++dy) {
            const int reach = dy <= 0 ? 12 + dy : std::min(16, 12 + dy / 2);
            for (int dx = -reach; dx <= reach; ++dx) {
                const int c1 = c + dx;
                const int r1 = r + dy;
                if ((dx == 0 && dy >= 0) || !places.Stand(c1, r1) || seen[Places::Index(c1, r1)]) continue;
                const int top = std::min(r, r1) - 1;
                bool clear = places.BodyFree(c, top) && places.BodyFree(c1, top);
                for (int i = 1; clear && i < std::abs(dx); ++i) clear = places.BodyFree(c + (dx > 0 ? i : -i), top);
                if (!clear && dy >= 0) {
                    clear = true;
                    for (int i = 1; clear && i < std::abs(dx); ++i) clear = places.BodyFree(c + (dx > 0 ? i : -i), r);
                }
                if (clear) visit(c1, r1);
            }
        }
        // A jumper beside the hero throws him up to thirty rows.
        for (const auto& [jc, jr] : jumpers) {
            if (jr != r || c < jc - 1 || c > jc + 2) continue;
            int high = r;
            while (high > 4 && r - high < 30 && places.BodyFree(c, high - 1)) --high;
            for (int c1 = c - 16; c1 <= c + 16; ++c1) {
                for (int r1 = high; r1 < r; ++r1) visit(c1, r1);
            }
        }
        // Riding: from any place on a platform's way to any other place on it.
        for (const auto& cells : places.rides) {
            bool on = false;
            for (const auto& [pc, pr] : cells) {
                if (pr == r + 1 && c >= pc - 1 && c <= pc + 3) on = true;
            }
            if (!on) continue;
            for (const auto& [pc, pr] : cells) {
                for (int k = -1; k <= 3; ++k) visit(pc + k, pr - 1);
            }
        }
    }

    long best = -1;
    result.placeMap.assign(static_cast<size_t>(kColumns) * kRows, 0);
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (!places.Stand(c, r)) continue;
            ++result.places;
            result.placeMap[Places::Index(c, r)] = seen[Places::Index(c, r)] ? 2 : 1;
            if (!seen[Places::Index(c, r)]) continue;
            ++result.reached;
            if (atFinish(c, r)) result.finishReached = true;
            const long dx = heroX(c) - level.finish.x;
            const long dy = heroY(r) - level.finish.y;
            const long d = dx * dx + dy * dy;
            if (best < 0 || d < best) {
                best = d;
                result.nearestColumn = c;
                result.nearestRow = r;
            }
        }
    }
    // An object is in reach when the hero touches it standing in a reached place, or jumping from one
    // (straight up, or a few cells across).
    constexpr int kJumpRise = 91;
    for (size_t i = 0; i < level.objects.size(); ++i) {
        const ObjectPlacement& o = level.objects[i];
        bool touched = false;
        for (int c = o.column - 4; c <= o.column + 4 && !touched; ++c) {
            for (int r = o.row - 3; r <= o.row + 11 && !touched; ++r) {
                if (c < 0 || r < 0 || c >= kColumns || r >= kRows || result.placeMap[Places::Index(c, r)] != 2)
                    continue;
                const int top = heroY(r) - kJumpRise;
                const int bottom = heroY(r) + heroH;
                const bool across = std::abs(c - o.column) <= 1 || places.BodyFree(c, r - 2);
                const bool up = (o.pos.y >= top && o.pos.y <= bottom) ||
                                (o.pos.y + kObjectSize >= top && o.pos.y + kObjectSize <= bottom);
                touched = across && up;
            }
        }
        if (!touched) result.objectsOutOfReach.push_back(i);
    }
    return result;
}

std::vector<std::string> ReachProblems(const Level& level, const Catalogue& catalogue) {
    std::vector<std::string> problems;
    const ReachResult reach = CheckReach(level, catalogue);
    for (size_t i : reach.objectsOutOfReach) {
        const ObjectPlacement& o = level.objects[i];
        const std::string label = o.tag.empty() ? o.type : o.type + " " + o.tag;
        problems.push_back(level.source + ": " + label + " at cell " + std::to_string(o.column) + "," +
                           std::to_string(o.row) + " is out of the hero's reach");
    }
    if (!reach.finishReached) {
        problems.push_back(level.source +
                           ": the finish cannot be reached from the start; the nearest place the hero gets to is "
                           "cell " +
                           std::to_string(reach.nearestColumn) + "," + std::to_string(reach.nearestRow));
    }
    return problems;
}

}  // namespace levels
