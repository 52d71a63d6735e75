// An enemy of the level: patrol along its route, chase (flyers), turning, the flight of a killed one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/LevelDescription.h"

class CHero;
struct UnitType;

class CEnemy {
public:
    // A killed enemy flies off up and to the right for this many steps, then is parked off the map.
    static constexpr int32_t kFlightSteps = 50;
    static constexpr float kFlightDx = 15.0f;
    static constexpr float kFlightDy = -20.0f;
    static constexpr float kFlightGrowth = 0.15f;
    static constexpr float kParkedX = -100.0f;
    // Within this distance of its target across a route point counts as reached; a flyer must also
    // be within kFlyerArrivalY up and down.
    static constexpr int32_t kArrivalX = 5;
    static constexpr int32_t kArrivalY = 16;
    // Enemies' frames stand a few pixels lower than their box.
    static constexpr float kDrawDrop = 6.0f;
    // The class of flyer that never chases.
    static constexpr char kFlyingMineClass[] = "FLYINGMINE";

    // An enemy of the given type on the route (START_POS first). Route points are kept within
    // kCoordinateLimit of the origin.
    CEnemy(const UnitType* unitType, const std::vector<Point>& placementRoute);

    // One 20 ms step: the killed flight, or a chase or patrol followed by the choice of state.
    void Step(const CHero& hero);
    // Walks (or flies) toward the current route point; reaching it makes the next one the target.
    void Patrol();
    // Flies straight at the hero when nothing solid lies on the line; false when the line is blocked
    // (the enemy then patrols in this step).
    bool Chase(const CHero& hero);
    // Picks MOVELEFT / MOVERIGHT from the last move, and plays a turn when the direction reverses.
    void ChooseState();
    // Once per displayed frame.
    void Draw(int32_t cameraX, int32_t cameraY, int32_t screenWidth, int32_t screenHeight);

    // A unit whose JUMP is -1 flies: no gravity, and its route counts up and down too.
    bool Flying() const;
    bool Killed() const { return energy <= 0; }
    bool Turning() const { return state == "TURNLEFT" || state == "TURNRIGHT"; }
    // The frames of the type's turn animation (15 when it has none).
    int32_t TurnFrames() const;

    // Owned by the level's table of unit types.
    const UnitType* type = nullptr;
    std::string state = "Stoi";
    std::string prevState;
    int32_t animIndex = 0;
    std::vector<Point> route;
    float x = 0.0f;
    float y = 0.0f;
    float prevX = 0.0f;
    float prevY = 0.0f;
    float dx = 0.0f;
    float dy = 0.0f;
    bool alerted = false;
    int32_t routeIndex = 0;
    int32_t energy = 0;
    float fallSpeed = 0.0f;
    int32_t targetX = 0;
    int32_t targetY = 0;
    float scale = 1.0f;
    int32_t turnCounter = 15;

private:
    // Moves by (vx, vy) through the map, enemies passing through platforms; a move that could not
    // go sideways makes the next route point due.
    void MoveThroughMap(float vx, float vy);
    void AdvanceRouteIndex();
};
