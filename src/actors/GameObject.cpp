// A placed object of the level (coin, energy, bonus, checkpoint, jumper, mine) and its drawing.
#include "actors/GameObject.h"

#include "actors/CollisionMap.h"
#include "data/ObjectType.h"
#include "gfx/Animation.h"

void CGameObject::Draw(int32_t cameraX, int32_t cameraY, int32_t screenWidth, int32_t screenHeight) const {
    if (collected || !type || !type->animation) return;
    CAnimation& animation = *type->animation;
    // 64-bit, so objects placed anywhere cannot overflow the subtraction.
    const int64_t sx = static_cast<int64_t>(x) - cameraX;
    const int64_t sy = static_cast<int64_t>(y) - cameraY;
    if (sx <= -animation.frameWidth || sx >= screenWidth || sy <= -animation.frameHeight || sy >= screenHeight) return;
    animation.Draw(static_cast<int32_t>(sx), static_cast<int32_t>(sy), 1.0f);
}

bool CGameObject::Touches(int32_t heroX, int32_t heroY, int32_t heroWidth, int32_t heroHeight) const {
    const int64_t left = static_cast<int64_t>(heroX) + CCollisionMap::kSideInset;
    const int64_t right = static_cast<int64_t>(heroX) + heroWidth - CCollisionMap::kSideInset;
    const bool across = left <= static_cast<int64_t>(x) + w && x <= right;
    auto inside = [&](int64_t v) { return v >= heroY && v <= static_cast<int64_t>(heroY) + heroHeight; };
    return across && (inside(y) || inside(static_cast<int64_t>(y) + h));
}
