// An enemy of the level: patrol along its route, chase (flyers), turning, the flight of a killed one.
#include "actors/Enemy.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "actors/Arithmetic.h"
#include "actors/CollisionMap.h"
#include "actors/Hero.h"
#include "core/GameGlobals.h"
#include "data/UnitType.h"
#include "gfx/Animation.h"

namespace {

// Positions in a unit type's animation list.
constexpr int kTurnLeftIndex = 2;
constexpr int kStateAnimations = 4;
// A unit without a turn picture turns as if its strip held the default 15 frames.
constexpr int32_t kDefaultTurnFrames = 15;

}  // namespace

CEnemy::CEnemy(const UnitType* unitType, const std::vector<Point>& placementRoute) : type(unitType) {
    route.reserve(placementRoute.size());
    for (const Point& p : placementRoute) route.push_back(Point{ClampCoordinate(p.x), ClampCoordinate(p.y)});
    if (!route.empty()) {
        x = prevX = static_cast<float>(route[0].x);
        y = prevY = static_cast<float>(route[0].y);
    }
    // Without a second point the target is where it stands.
    const Point& target = route.size() >= 2 ? route[1] : (route.empty() ? Point{} : route[0]);
    targetX = target.x;
    targetY = target.y;
    energy = type ? type->energy : 0;
}

bool CEnemy::Flying() const {
    return type && type->jump == -1;
}

int32_t CEnemy::TurnFrames() const {
    const CAnimation* turn = type ? type->animations[kTurnLeftIndex].get() : nullptr;
    return turn ? turn->frameCount : kDefaultTurnFrames;
}

void CEnemy::Step(const CHero& hero) {
    if (Killed()) {
        if (energy >= -(kFlightSteps - 1)) {
            x += kFlightDx;
            y += kFlightDy;
            scale += kFlightGrowth;
            energy -= 1;
        } else {
            // Off the map for good; it stays in the list, harmless.
            x = kParkedX;
        }
        return;
    }
    const bool mayChase = alerted && Flying() && type->unitClass != kFlyingMineClass;
    if (!mayChase || !Chase(hero)) Patrol();
    ChooseState();
    prevX = x;
    prevY = y;
}

void CEnemy::AdvanceRouteIndex() {
    if (route.empty()) return;
    routeIndex = (routeIndex + 1) % static_cast<int32_t>(route.size());
}

void CEnemy::MoveThroughMap(float vx, float vy) {
    CCollisionMap* map = GameGlobals::collisionMap;
    if (!map || !type) return;
    // However fast a unit claims to be, it stays within the coordinate range.
    const float limit = static_cast<float>(kCoordinateLimit);
    vx = std::clamp(x + vx, -limit, limit) - x;
    vy = std::clamp(y + vy, -limit, limit) - y;
    const MoveResult& result =
        map->MoveIgnoringPlatforms(TruncateToInt(x), TruncateToInt(y), vx, vy, type->maxWidth, type->maxHeight);
    x = result.x;
    y = result.y;
    fallSpeed = result.vy;
    // Blocked sideways, or nothing asked sideways: the next route point becomes due.
    if (result.vx == 0.0f) AdvanceRouteIndex();
}

void CEnemy::Patrol() {
    // A route needs a start and a point to go to; with less the enemy stands where it was put.
    if (route.size() < 2 || !type) return;
    const int32_t speed = type->speed;
    int32_t cx = TruncateToInt(x);
    int32_t cy = TruncateToInt(y);
    // Each axis moves by the speed; an overshoot drags the target along instead of holding back.
    if (targetX > cx) {
        cx = TruncateToInt(x + static_cast<float>(speed));
        if (targetX < cx) targetX = cx;
    }
    if (targetX < cx) {
        cx = TruncateToInt(x - static_cast<float>(speed));
        if (targetX > cx) targetX = cx;
    }
    if (targetY > cy) {
        cy = TruncateToInt(y + static_cast<float>(speed));
        if (targetY < cy) targetY = cy;
    }
    if (targetY < cy) {
        cy = TruncateToInt(y - static_cast<float>(speed));
        if (targetY > cy) targetY = cy;
    }
    // An absurd speed cannot carry the enemy (or its target) out of the coordinate range.
    cx = ClampCoordinate(cx);
    cy = ClampCoordinate(cy);
    targetX = ClampCoordinate(targetX);
    targetY = ClampCoordinate(targetY);

    const bool flying = Flying();
    if (std::abs(targetX - cx) < kArrivalX && (!flying || std::abs(targetY - cy) < kArrivalY)) {
        AdvanceRouteIndex();
        targetX = route[routeIndex].x;
        targetY = route[routeIndex].y;
    }

    dx = static_cast<float>(cx) - x;
    dy = static_cast<float>(cy) - y;
    if (flying) fallSpeed = dy;
    // A turning enemy stands while the turn plays.
    if (!Turning()) MoveThroughMap(dx, fallSpeed);
    if (flying) {
        fallSpeed = 0.0f;
    } else {
        fallSpeed += 1.0f;
    }
}

bool CEnemy::Chase(const CHero& hero) {
    alerted = false;
    const CCollisionMap* map = GameGlobals::collisionMap;
    if (!map || !type) return false;
    const float speed = static_cast<float>(type->speed);
    const double hx = hero.x;
    const double hy = hero.y;
    const double ddx = hx - x;
    const double ddy = hy - y;
    const double length = std::sqrt(ddx * ddx + ddy * ddy);
    // Without speed the probe could never reach the hero, and on top of him there is no direction
    // to fly in: either way the enemy keeps to its route.
    if (speed <= 0.0f || length == 0.0) return false;
    const float ux = static_cast<float>(ddx / length);
    const float uy = static_cast<float>(ddy / length);

    // The probe walks the line to the hero in steps of the speed; a solid cell (or the world's edge)
    // on the way means no sight. The walk is bounded by the steps the line needs, plus a margin
    // for rounding.
    const int64_t maxProbes = static_cast<int64_t>(length / speed) + 2;
    float px = x;
    float py = y;
    int64_t probes = 0;
    do {
        if (probes++ > maxProbes) return false;
        const int32_t probeX = ClampCoordinate(TruncateToInt(px));
        const int32_t probeY = ClampCoordinate(TruncateToInt(py));
        if (map->TestBox(probeX, probeY, 1, 1) != CCollisionMap::kFree) return false;
        px += speed * ux;
        py += speed * uy;
    } while (!(std::fabs(px - hx) <= speed && std::fabs(py - hy) <= speed));

    MoveThroughMap(speed * ux, speed * uy);
    return true;
}

void CEnemy::ChooseState() {
    const float h = x - prevX;
    const int32_t frames = TurnFrames();
    if (turnCounter < frames - 1) turnCounter += 1;
    // The turn is still playing: the state stays.
    if (turnCounter < frames - 2) return;

    if (h > 0.0f || state == "TURNRIGHT") state = "MOVERIGHT";
    if (h < 0.0f || state == "TURNLEFT") state = "MOVELEFT";
    if (prevState == "MOVELEFT" && state == "MOVERIGHT") {
        state = "TURNRIGHT";
        turnCounter = 0;
    }
    if (prevState == "MOVERIGHT" && state == "MOVELEFT") {
        state = "TURNLEFT";
        turnCounter = 0;
    }
    prevState = state;
    if (!type) return;
    for (int i = 0; i < kStateAnimations; ++i) {
        if (type->animationNames[i] == state) {
            animIndex = i;
            break;
        }
    }
}

void CEnemy::Draw(int32_t cameraX, int32_t cameraY, int32_t screenWidth, int32_t screenHeight) {
    if (!type || animIndex < 0 || animIndex >= UnitType::kAnimationSlots) return;
    CAnimation* animation = type->animations[animIndex].get();
    if (!animation) return;
    const int32_t sx = TruncateToInt(static_cast<double>(x) - cameraX);
    const int32_t sy = TruncateToInt(static_cast<double>(y) - cameraY + kDrawDrop);
    if (sx <= -animation->frameWidth || sx >= screenWidth || sy <= -animation->frameHeight || sy >= screenHeight) {
        return;
    }
    if (Turning()) animation->currentFrame = turnCounter;
    animation->Draw(sx, sy, scale);
}
