// What a level file says: hero start and finish, enemies, objects and movable elements.
#pragma once

#include <string>
#include <vector>

struct Point {
    int x = 0;
    int y = 0;
};

struct EnemyPlacement {
    std::string type;
    std::vector<Point> route;
};

struct ObjectPlacement {
    std::string type;
    int x = 0;
    int y = 0;
};

struct MovableElementPlacement {
    std::string type;
    std::vector<Point> route;
};

struct LevelDescription {
    std::string name;
    std::vector<EnemyPlacement> enemies;
    std::vector<ObjectPlacement> objects;
    std::vector<MovableElementPlacement> movableElements;
    std::vector<std::string> enemyTypes;
    std::vector<std::string> objectTypes;
    std::vector<std::string> movableElementTypes;
    int enemyCount = 0;
    int objectCount = 0;
    int movableElementCount = 0;
    int heroStartX = 0;
    int heroStartY = 0;
    int finishX = 0;
    int finishY = 0;

    // Reads "LevelDescriptions\Level<N>.xml" into this record (left empty when missing).
    void Read(int levelNumber);
    // Reads a description from a file at a game path.
    void ReadFile(const std::string& gamePath);
};
