// The level's moving platforms: their kinds, their loops along their routes, and their drawing.
#include "actors/MovableElement.h"

#include <cmath>
#include <string>

#include "actors/Arithmetic.h"
#include "core/GameDlgFields.h"
#include "data/GameData.h"
#include "data/MovableElementType.h"
#include "data/XmlReader.h"
#include "gfx/Animation.h"

namespace {

const char kDefinitionFile[] = "LevelDescriptions\\MovableEl.xml";

std::string LowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// Moves one axis toward its target by the speed; an overshoot moves the target, not the element.
void StepAxis(float& position, float& target, float speed) {
    if (position < target) {
        position += speed;
        if (position > target) target = position;
    }
    if (target < position) {
        position -= speed;
        if (position < target) target = position;
    }
}

}  // namespace

CMovableElement::CMovableElement(const MovableElementType* elementType, const std::vector<Point>& placementRoute)
    : type(elementType) {
    route.reserve(placementRoute.size());
    for (const Point& p : placementRoute) route.push_back(Point{ClampCoordinate(p.x), ClampCoordinate(p.y)});
    if (!route.empty()) {
        x = static_cast<float>(route[0].x);
        y = static_cast<float>(route[0].y);
    }
    // With a single point the element heads for where it stands and so never moves.
    const Point& target = route.size() >= 2 ? route[1] : (route.empty() ? Point{} : route[0]);
    targetX = static_cast<float>(target.x);
    targetY = static_cast<float>(target.y);
}

void CMovableElement::Step() {
    const float oldX = x;
    if (route.size() >= 2) {
        const float pace = static_cast<float>(speed);
        StepAxis(x, targetX, pace);
        StepAxis(y, targetY, pace);
        if (std::fabs(targetX - x) < kArrival && std::fabs(targetY - y) < kArrival) {
            // The route is a loop: after its last point the element heads for its start again.
            routeIndex = (routeIndex + 1) % static_cast<int32_t>(route.size());
            targetX = static_cast<float>(route[routeIndex].x);
            targetY = static_cast<float>(route[routeIndex].y);
        }
    }
    lastDx = x - oldX;
}

void CMovableElement::Draw(int32_t cameraX, int32_t cameraY) const {
    if (!type || !type->animation) return;
    type->animation->Draw(TruncateToInt(static_cast<double>(x) - cameraX),
                          TruncateToInt(static_cast<double>(y) - cameraY), 1.0f);
}

CMovableElementList::CMovableElementList(int32_t levelNumber, GameDlgFields* window) {
    const int32_t group = MovableElementType::LevelGroup(levelNumber);
    const std::string groupName = std::to_string(group);
    const uint32_t colourKey = MovableElementType::ColourKeyOfGroup(group);
    {
        CXmlReader reader(kDefinitionFile);
        for (const MovableElementType::Definition& d : MovableElementType::ReadDefinitions(reader, kMaxTypes)) {
            types[typeCount++] =
                std::make_unique<MovableElementType>(groupName, d.name, colourKey, d.collision, d.destroyable);
        }
    }

    if (!window || !window->gameData || levelNumber < 0 || levelNumber >= CGameData::kLevelCount) return;
    const LevelDescription* description = window->gameData->levels[levelNumber].get();
    if (!description) return;
    for (const MovableElementPlacement& placement : description->movableElements) {
        const std::string wanted = LowerCase(placement.type);
        for (int i = 0; i < typeCount; ++i) {
            if (LowerCase(types[i]->name) == wanted) elements.emplace_back(types[i].get(), placement.route);
        }
    }
}

CMovableElementList::~CMovableElementList() {
    // The elements point at the types: they go first.
    elements.clear();
    for (auto& type : types) type.reset();
}

void CMovableElementList::Step() {
    for (CMovableElement& element : elements) element.Step();
}

void CMovableElementList::Draw(int32_t cameraX, int32_t cameraY) const {
    for (const CMovableElement& element : elements) element.Draw(cameraX, cameraY);
}

PlatformPosition CMovableElementList::PlatformAt(int index) const {
    if (index < 0 || index >= PlatformCount()) return PlatformPosition{};
    const CMovableElement& element = elements[static_cast<size_t>(index)];
    return PlatformPosition{element.x, element.y, element.lastDx};
}
