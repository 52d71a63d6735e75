// A kind of moving platform from LevelDescriptions\MovableEl.xml, with its picture for one level group.
#include "data/MovableElementType.h"

#include "data/XmlReader.h"
#include "gfx/Animation.h"

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r + 256u * g + 65536u * b;
}

}  // namespace

MovableElementType::MovableElementType(const std::string& levelGroup, const std::string& elementName, uint32_t key,
                                       bool collides, bool canBeDestroyed)
    : name(elementName), collision(collides), destroyable(canBeDestroyed), colorKey(key) {
    animation = std::make_unique<CAnimation>("LevelDescriptions", "Level" + levelGroup + "\\MovableEl", name,
                                             kFrameWidth, colorKey);
}

MovableElementType::~MovableElementType() = default;

std::vector<MovableElementType::Definition> MovableElementType::ReadDefinitions(CXmlReader& reader, size_t maxCount) {
    std::vector<Definition> definitions;
    // Carried from one ELEMENT to the next, so a file may name the flags once for several kinds.
    Definition current;
    while (definitions.size() < maxCount && reader.Next()) {
        if (!reader.AtElement() || reader.name != "ELEMENT" || reader.attributeCount < 1) continue;
        reader.NextAttribute();
        if (reader.attributeName == "NAME") current.name = reader.attributeValue;
        reader.NextAttribute();
        if (reader.attributeName == "COLLISION") current.collision = reader.attributeValue == "TRUE";
        reader.NextAttribute();
        if (reader.attributeName == "DESTROYABLE") current.destroyable = reader.attributeValue == "TRUE";
        definitions.push_back(current);
    }
    return definitions;
}

int32_t MovableElementType::LevelGroup(int32_t levelNumber) {
    return levelNumber - levelNumber % 2;
}

uint32_t MovableElementType::ColourKeyOfGroup(int32_t group) {
    if (group == 0) return Rgb(67, 32, 0);
    if (group == 6) return Rgb(64, 57, 0);
    return 0;
}
