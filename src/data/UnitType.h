// A kind of unit (the hero or an enemy): numbers, size, colour key and animations from Units\<name>.xml.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CAnimation;

struct WeaponEntry {
    std::string name;
    bool flag = false;
    int32_t value1 = 0;
    int32_t value2 = 0;
    int32_t value3 = 0;
};

struct UnitType {
    static constexpr int kAnimationSlots = 30;
    static constexpr int kNamedAnimations = 24;
    // Frame widths of the two animation pairs whose frames are wider than the unit.
    static constexpr int32_t kAttackFrameWidth = 120;
    static constexpr int32_t kDeathFrameWidth = 100;
    // The fixed animation names, by index (also the state names of the hero and the enemies).
    // The run pair stands twice; a search finds the first.
    static const std::array<const char*, kNamedAnimations> kAnimationNames;

    // Reads "Units\<name>.xml" and creates the animations. A missing file gives a type with an
    // empty class and default numbers.
    explicit UnitType(const std::string& name);
    ~UnitType();
    UnitType(const UnitType&) = delete;
    // The game paths of the pictures a type made of this name loads, in its order.
    static std::vector<std::string> PicturePaths(const std::string& name);
    UnitType& operator=(const UnitType&) = delete;

    // First index among the names whose name is the given one; -1 when none.
    int FindAnimation(const std::string& animationName) const;

    std::array<std::string, kAnimationSlots> animationNames;
    int32_t animationCount = kNamedAnimations;
    std::string unitClass;
    int32_t maxWidth = 0;
    int32_t maxHeight = 0;
    int32_t speed = 0;
    int32_t jump = 0;
    int32_t strength = 0;
    int32_t sightRange = 300;
    int32_t energy = 1;
    std::vector<WeaponEntry> weapons;
    uint32_t colorKey = 0;  // GDI colour: red in the low byte
    // animations[i] plays animationNames[i]; null where none was created.
    std::array<std::unique_ptr<CAnimation>, kAnimationSlots> animations;

private:
    struct FileOnly {};
    // Reads the file and makes no animations.
    UnitType(const std::string& name, FileOnly);
    // How many animations a class (in capitals) has.
    static int AnimationCountOf(const std::string& upperCaseClass);
    void ReadFile(const std::string& gamePath);
    void CreateAnimations();
};
