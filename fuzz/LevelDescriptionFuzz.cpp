// Fuzz target: a level description file read through LevelDescription::ReadFile.
#include <algorithm>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "data/LevelDescription.h"

using fuzz_support::Require;

namespace {

template <typename T>
bool Distinct(const std::vector<T>& list) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (std::find(list.begin() + static_cast<long>(i) + 1, list.end(), list[i]) != list.end()) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    fuzz_support::WriteGameFile("LevelDescriptions/Level3.xml", data, size);

    LevelDescription level;
    level.ReadFile("LevelDescriptions\\Level3.xml");
    Require(level.enemyCount == static_cast<int>(level.enemies.size()), "enemy count and list differ");
    Require(level.objectCount == static_cast<int>(level.objects.size()), "object count and list differ");
    Require(level.movableElementCount == static_cast<int>(level.movableElements.size()),
            "movable element count and list differ");
    Require(Distinct(level.enemyTypes) && Distinct(level.objectTypes) && Distinct(level.movableElementTypes),
            "a type is listed twice");
    Require(level.enemyTypes.size() <= level.enemies.size(), "more enemy types than enemies");
    for (const EnemyPlacement& enemy : level.enemies) {
        Require(std::find(level.enemyTypes.begin(), level.enemyTypes.end(), enemy.type) != level.enemyTypes.end(),
                "an enemy's type is not listed");
    }

    // The same file read again (through Read) gives the same record: nothing carries over.
    LevelDescription again;
    again.Read(3);
    Require(again.name == level.name && again.enemyCount == level.enemyCount &&
                again.objectCount == level.objectCount && again.movableElementCount == level.movableElementCount &&
                again.heroStartX == level.heroStartX && again.heroStartY == level.heroStartY &&
                again.finishX == level.finishX && again.finishY == level.finishY,
            "reading the same file twice gave different records");
    fuzz_support::TakeMessageCount();
    return 0;
}
