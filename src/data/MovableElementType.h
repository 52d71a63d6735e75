// A kind of moving platform from LevelDescriptions\MovableEl.xml, with its picture for one level group.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CAnimation;
class CXmlReader;

struct MovableElementType {
    static constexpr int32_t kFrameWidth = 64;

    // What one ELEMENT of the file says.
    struct Definition {
        std::string name;
        bool collision = false;
        bool destroyable = false;
    };

    // Makes the picture "LevelDescriptions\Level<group>\MovableEl\<name>.png".
    MovableElementType(const std::string& levelGroup, const std::string& name, uint32_t colorKey, bool collision,
                       bool destroyable);
    ~MovableElementType();
    MovableElementType(const MovableElementType&) = delete;
    MovableElementType& operator=(const MovableElementType&) = delete;

    // The ELEMENTs of the file in order, at most maxCount of them. An attribute that is missing or
    // named otherwise keeps the value of the ELEMENT before it.
    static std::vector<Definition> ReadDefinitions(CXmlReader& reader, size_t maxCount);
    // Levels share their pictures in pairs: 0 and 1 use group 0, 2 and 3 group 2, and so on.
    static int32_t LevelGroup(int32_t levelNumber);
    // The transparent colour of a group's pictures (GDI colour).
    static uint32_t ColourKeyOfGroup(int32_t group);

    std::unique_ptr<CAnimation> animation;
    std::string name;
    bool collision = false;
    bool destroyable = false;
    uint32_t colorKey = 0;
};
