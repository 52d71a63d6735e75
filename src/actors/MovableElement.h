// The level's moving platforms: their kinds, their loops along their routes, and their drawing.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "actors/CollisionMap.h"
#include "data/LevelDescription.h"

struct GameDlgFields;
struct MovableElementType;

class CMovableElement {
public:
    // Every platform is a 64x16 box for collisions, whatever its picture.
    static constexpr int32_t kWidth = 64;
    static constexpr int32_t kHeight = 16;
    // Within this distance of its target on both axes a route point counts as reached.
    static constexpr float kArrival = 5.0f;

    // Starts at the route's first point, heading for its second. Route points are kept within
    // kCoordinateLimit of the origin.
    CMovableElement(const MovableElementType* elementType, const std::vector<Point>& placementRoute);

    // One 20 ms step: `speed` pixels toward the target on each axis, then the next point when reached.
    void Step();
    // Draws the type's picture at the element's place on the screen.
    void Draw(int32_t cameraX, int32_t cameraY) const;

    // Owned by the level's movable-element list.
    const MovableElementType* type = nullptr;
    std::vector<Point> route;
    float x = 0.0f;
    float y = 0.0f;
    float targetX = 0.0f;
    float targetY = 0.0f;
    int32_t speed = 1;
    // How far the last step went across: what a hero standing on the element is carried by.
    float lastDx = 0.0f;
    int32_t routeIndex = 0;
};

// The kinds read from LevelDescriptions\MovableEl.xml and the elements the level description places.
class CMovableElementList final : public IPlatformSource {
public:
    static constexpr int kMaxTypes = 10;

    // Reads the kinds with the pictures of the level's group, then makes an element for every
    // placement of the level (as many as the kinds its type name matches, letter case ignored).
    CMovableElementList(int32_t levelNumber, GameDlgFields* window);
    ~CMovableElementList();
    CMovableElementList(const CMovableElementList&) = delete;
    CMovableElementList& operator=(const CMovableElementList&) = delete;

    void Step();
    void Draw(int32_t cameraX, int32_t cameraY) const;

    // A file naming more than kMaxTypes kinds keeps the first kMaxTypes.
    std::array<std::unique_ptr<MovableElementType>, kMaxTypes> types;
    int32_t typeCount = 0;
    std::vector<CMovableElement> elements;

    // The elements as platforms: their corners and their last move across.
    int PlatformCount() const override { return static_cast<int>(elements.size()); }
    PlatformPosition PlatformAt(int index) const override;
};
