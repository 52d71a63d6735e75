// A placed object of the level (coin, energy, bonus, checkpoint, jumper, mine) and its drawing.
#pragma once

#include <cstdint>

struct ObjectType;

class CGameObject {
public:
    CGameObject(const ObjectType* objectType, int32_t objectX, int32_t objectY)
        : type(objectType), x(objectX), y(objectY) {}

    // Objects do not move; the level still steps them with the other actors.
    void Step() {}
    // Draws the type's animation unless taken or off the screen.
    void Draw(int32_t cameraX, int32_t cameraY, int32_t screenWidth, int32_t screenHeight) const;
    // The hero's box [heroX, heroX + heroWidth] x [heroY, heroY + heroHeight] touches the object:
    // across, the hero's box narrowed by 20 on each side; down, the object's top or bottom inside it.
    bool Touches(int32_t heroX, int32_t heroY, int32_t heroWidth, int32_t heroHeight) const;

    // Owned by the level's table of object types.
    const ObjectType* type = nullptr;
    int32_t x = 0;
    int32_t y = 0;
    bool collected = false;
    int32_t w = 32;
    int32_t h = 32;
};
