// What the hero sees of the level he plays in: its actors, its object types, its camera.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "actors/Enemy.h"
#include "actors/GameObject.h"

class CAnimation;
struct ObjectType;

// The running level is one of these. The hero reads the lists and the camera and asks the level
// for the two things only it can do; he never sees the level's scenery, backgrounds or loading.
class CActorWorld {
public:
    static constexpr int kMaxTypes = 50;

    // What touching an object does to the hero, in a fixed order of effects.
    virtual void ApplyObject(CGameObject& object) = 0;
    // A text rising from (x, y) for two seconds, with an object type's picture beside it (or none).
    virtual void AddFloatingText(int32_t x, int32_t y, const std::string& text, CAnimation* icon) = 0;

    std::array<ObjectType*, kMaxTypes> objectTypes{};
    // The level's actors in creation order, stepped and drawn in that order.
    std::vector<CEnemy> enemies;
    std::vector<CGameObject> objects;
    int32_t objectTypeCount = 0;
    int32_t levelNumber = 0;
    int32_t cameraX = 10;
    int32_t cameraY = 20;

protected:
    CActorWorld() = default;
    ~CActorWorld() = default;
};
