// Checks of a level against the rules of the game's collision map and actors.
#include "LevelCheck.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace levels {

namespace {

constexpr int kWorldWidth = kColumns * kCell;
constexpr int kWorldHeight = kRows * kCell;
// Play stays where the camera shows it with a cell to spare.
constexpr int kFirstColumn = 2;
constexpr int kLastColumn = 238;
constexpr int kFirstRow = 2;
constexpr int kLastRow = 125;
constexpr int kGroundProbe = 5;  // the hero stands when something lies this close under his feet
constexpr int kMaxSteps = 200000;

std::string Where(const Level& level, const std::string& what, int column, int row) {
    return level.source + ": " + what + " at cell " + std::to_string(column) + "," + std::to_string(row);
}

bool InsidePlay(int x, int y, int w, int h) {
    return x >= kFirstColumn * kCell && x + w <= (kLastColumn + 1) * kCell && y >= kFirstRow * kCell &&
           y + h <= (kLastRow + 1) * kCell;
}

// Follows a looped route the way enemies and platforms do: each axis moves `speed` pixels per step
// toward the target, and a point counts as reached within `nearX`, `nearY`. Calls visit(x, y) at
// every position; stops early when visit returns false.
template <typename Visit>
void FollowRoute(const std::vector<Point>& route, int speed, int nearX, int nearY, bool horizontalOnly, Visit visit) {
    if (route.size() < 2) return;
    int x = route[0].x;
    int y = route[0].y;
    if (!visit(x, y)) return;
    for (size_t leg = 1; leg <= route.size(); ++leg) {
        const Point target = route[leg % route.size()];
        for (int step = 0; step < kMaxSteps; ++step) {
            const bool arrived = std::abs(target.x - x) < nearX && (horizontalOnly || std::abs(target.y - y) < nearY);
            if (arrived) break;
            if (x < target.x) x = std::min(x + speed, target.x);
            if (x > target.x) x = std::max(x - speed, target.x);
            if (!horizontalOnly) {
                if (y < target.y) y = std::min(y + speed, target.y);
                if (y > target.y) y = std::max(y - speed, target.y);
            }
            if (!visit(x, y)) return;
        }
    }
}

}  // namespace

bool RectSolid(const Level& level, int x, int y, int w, int h) {
    if (x < 0 || y < 0 || x + w > kWorldWidth || y + h > kWorldHeight) return true;
    for (int cx = x / kCell; cx <= (x + w - 1) / kCell; ++cx) {
        for (int cy = y / kCell; cy <= (y + h - 1) / kCell; ++cy) {
            if (level.Solid(cx, cy)) return true;
        }
    }
    return false;
}

bool BoxSolid(const Level& level, int x, int y, int w, int h) {
    const int left = x + kSideInset;
    const int right = x + w - kSideInset;
    if (y + h > kWorldHeight || y < 20 || left < 44 || right >= kWorldWidth) return true;
    for (int cx = left / kCell; cx <= right / kCell; ++cx) {
        for (int cy = y / kCell; cy <= (y + h) / kCell; ++cy) {
            if (level.Solid(cx, cy)) return true;
        }
    }
    return false;
}

std::vector<std::string> CheckLevel(const Level& level, const Catalogue& catalogue) {
    std::vector<std::string> problems;
    const int heroW = catalogue.hero.width;
    const int heroH = catalogue.hero.height;
    const int world = WorldOfLevel(level.number);

    // The hero must start and finish standing in free space on the ground.
    auto checkStanding = [&](const Point& p, const char* what) {
        const int column = (p.x + kSideInset) / kCell;
        const int row = (p.y + heroH) / kCell;
        if (BoxSolid(level, p.x, p.y, heroW, heroH))
            problems.push_back(Where(level, std::string(what) + " inside ground", column, row));
        if (!BoxSolid(level, p.x, p.y, heroW, heroH + kGroundProbe)) {
            problems.push_back(Where(level, std::string(what) + " not on the ground", column, row));
        }
        if (!InsidePlay(p.x + kSideInset, p.y, heroW - 2 * kSideInset, heroH)) {
            problems.push_back(Where(level, std::string(what) + " outside the playing area", column, row));
        }
    };
    checkStanding(level.start, "the hero's start");
    checkStanding(level.finish, "the finish");

    // Objects: the touch box in free space and inside play; standing ones on the ground.
    std::set<std::string> objectTypes;
    for (const ObjectPlacement& o : level.objects) {
        objectTypes.insert(o.type);
        const std::string label = o.tag.empty() ? o.type : o.type + " " + o.tag;
        if (!catalogue.objectClasses.count(o.type))
            problems.push_back(Where(level, "unknown object " + label, o.column, o.row));
        if (RectSolid(level, o.pos.x, o.pos.y, kObjectSize, kObjectSize)) {
            problems.push_back(Where(level, label + " overlaps the ground", o.column, o.row));
        }
        if (!InsidePlay(o.pos.x, o.pos.y, kObjectSize, kObjectSize)) {
            problems.push_back(Where(level, label + " outside the playing area", o.column, o.row));
        }
        const bool standsOnGround = o.type == "CHECKPOINT" || o.type == "jumper" || o.type == "mine";
        if (standsOnGround && !level.Solid(o.column, o.row + 1) && !level.Solid(o.column + 1, o.row + 1)) {
            problems.push_back(Where(level, label + " does not stand on the ground", o.column, o.row));
        }
        // Checkpoints and jumpers are walked into: the hero must fit standing beside them.
        if (o.type == "CHECKPOINT" || o.type == "jumper") {
            const int heroY = kCell * (o.row + 1) - 1 - heroH;
            bool fits = false;
            for (int dx = -kCell; dx <= kCell && !fits; dx += 4) {
                fits = !BoxSolid(level, o.pos.x + dx - kSideInset + 8, heroY, heroW, heroH);
            }
            if (!fits) problems.push_back(Where(level, label + " has no room for the hero", o.column, o.row));
        }
    }
    if (static_cast<int>(objectTypes.size()) > kMaxObjectTypes)
        problems.push_back(level.source + ": too many object types");

    // Enemies: known names of the level's world, a route in free space; walkers on the ground all along.
    std::set<std::string> enemyTypes;
    for (const Placement& e : level.enemies) {
        enemyTypes.insert(e.type);
        const UnitInfo& unit = catalogue.units.at(e.type);
        const std::string label = e.type + " " + e.tag;
        if (unit.world >= 0 && unit.world != world && e.type != "FLYINGMINE") {
            problems.push_back(
                Where(level, label + " does not belong to world " + std::to_string(world), e.column, e.row));
        }
        bool reported = false;
        FollowRoute(e.route, std::max(1, unit.speed), 5, 16, !unit.Flyer(), [&](int x, int y) {
            std::string fault;
            if (BoxSolid(level, x, y, unit.width, unit.height)) {
                fault = " runs into the ground";
            } else if (!unit.Flyer() && !BoxSolid(level, x, y, unit.width, unit.height + 1)) {
                fault = " would walk off its ground";
            } else if (!InsidePlay(x + kSideInset, y, unit.width - 2 * kSideInset, unit.height)) {
                fault = " leaves the playing area";
            }
            if (fault.empty()) return true;
            problems.push_back(Where(
                level,
                label + fault + " near x " + std::to_string(x + kSideInset) + " y " + std::to_string(y + unit.height),
                e.column, e.row));
            reported = true;
            return false;
        });
        (void)reported;
    }
    if (static_cast<int>(enemyTypes.size()) > kMaxEnemyTypes)
        problems.push_back(level.source + ": more than 10 enemy types");

    // Platforms: the 64 x 16 body in free space along the whole loop.
    for (const Placement& p : level.platforms) {
        const std::string label = p.type + " " + p.tag;
        FollowRoute(p.route, 1, 5, 5, false, [&](int x, int y) {
            if (!RectSolid(level, x, y, kPlatformWidth, kPlatformHeight) &&
                InsidePlay(x, y, kPlatformWidth, kPlatformHeight)) {
                return true;
            }
            problems.push_back(
                Where(level,
                      label + " hits the ground or leaves play near x " + std::to_string(x) + " y " + std::to_string(y),
                      p.column, p.row));
            return false;
        });
    }
    return problems;
}

}  // namespace levels
