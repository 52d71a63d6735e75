// Reads a level file: the hero block and the ENEMY, OBJECT and MOVABLEEL blocks.
#include "data/LevelDescription.h"

#include <algorithm>

#include "data/XmlReader.h"

namespace {

bool IsClosing(const CXmlReader& reader, const char* elementName) {
    return reader.kind == CXmlReader::kClosingElement && reader.name == elementName;
}

// An element with exactly two attributes, taken by position as x and y.
bool IsPoint(const CXmlReader& reader, const char* elementName) {
    return reader.name == elementName && reader.attributeCount == 2;
}

Point TakePoint(CXmlReader& reader) {
    Point p;
    reader.NextAttribute();
    p.x = CXmlReader::ToInt(reader.attributeValue);
    reader.NextAttribute();
    p.y = CXmlReader::ToInt(reader.attributeValue);
    return p;
}

std::string TakeFirstValue(CXmlReader& reader) {
    reader.NextAttribute();
    return reader.attributeValue;
}

void AddDistinct(std::vector<std::string>& list, const std::string& type) {
    if (std::find(list.begin(), list.end(), type) == list.end()) list.push_back(type);
}

// Walks the nodes of one block until its closing tag, handing every node to onNode. Blocks are
// told apart by name only, so a closing tag of a block element reaches onNode as well. False when
// the text ends before the closing tag.
template <typename OnNode>
bool ReadBlock(CXmlReader& reader, const char* blockName, OnNode onNode) {
    do {
        if (!reader.Next()) return false;
        onNode();
    } while (!IsClosing(reader, blockName));
    return true;
}

}  // namespace

void LevelDescription::Read(int levelNumber) {
    ReadFile("LevelDescriptions\\Level" + std::to_string(levelNumber) + ".xml");
}

void LevelDescription::ReadFile(const std::string& gamePath) {
    *this = LevelDescription();
    CXmlReader reader(gamePath);
    if (reader.failed) return;

    // A file that ends inside an open block ends the reading there. The unfinished block adds no
    // placement (it was never closed); hero values already read stay.
    while (reader.Next()) {
        if (reader.kind == CXmlReader::kComment || reader.kind == CXmlReader::kClosingElement) continue;

        if (reader.name == "NAME" && reader.attributeCount == 2) {
            name = TakeFirstValue(reader);
        }
        if (reader.name == "HERO") {
            const bool closed = ReadBlock(reader, "HERO", [&] {
                if (IsPoint(reader, "START_POS")) {
                    const Point p = TakePoint(reader);
                    heroStartX = p.x;
                    heroStartY = p.y;
                } else if (IsPoint(reader, "FINISH_POS")) {
                    const Point p = TakePoint(reader);
                    finishX = p.x;
                    finishY = p.y;
                }
            });
            if (!closed) return;
        }
        if (reader.name == "ENEMY") {
            EnemyPlacement enemy;
            const bool closed = ReadBlock(reader, "ENEMY", [&] {
                if (reader.name == "ENEMY_TYPE") {
                    enemy.type = TakeFirstValue(reader);
                } else if (IsPoint(reader, "START_POS")) {
                    // The start is always the route's first point: earlier route points are dropped.
                    enemy.route.clear();
                    enemy.route.push_back(TakePoint(reader));
                } else if (IsPoint(reader, "ROUTE_PNT")) {
                    enemy.route.push_back(TakePoint(reader));
                }
            });
            if (!closed) return;
            enemies.push_back(enemy);
            ++enemyCount;
            AddDistinct(enemyTypes, enemy.type);
        }
        if (reader.name == "OBJECT") {
            ObjectPlacement object;  // stays at 0, 0 without an OBJECT_POS
            const bool closed = ReadBlock(reader, "OBJECT", [&] {
                if (reader.name == "OBJECT_TYPE") {
                    object.type = TakeFirstValue(reader);
                } else if (IsPoint(reader, "OBJECT_POS")) {
                    const Point p = TakePoint(reader);
                    object.x = p.x;
                    object.y = p.y;
                }
            });
            if (!closed) return;
            objects.push_back(object);
            ++objectCount;
            AddDistinct(objectTypes, object.type);
        }
        if (reader.name == "MOVABLEEL") {
            MovableElementPlacement element;
            const bool closed = ReadBlock(reader, "MOVABLEEL", [&] {
                if (reader.name == "ELEMENT_TYPE") {
                    element.type = TakeFirstValue(reader);
                } else if (IsPoint(reader, "START_POS")) {
                    element.route.clear();
                    element.route.push_back(TakePoint(reader));
                } else if (IsPoint(reader, "ROUTE_PNT")) {
                    element.route.push_back(TakePoint(reader));
                }
            });
            if (!closed) return;
            movableElements.push_back(element);
            ++movableElementCount;
            AddDistinct(movableElementTypes, element.type);
        }
    }
}
