// How many steps the hero needs to the finish from a place: a graph of the moves he can make, found by
// playing short moves (runs, jumps, falls, jumper throws, rides) with the real hero in the real map.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class SolverWorld;

class DistanceField {
public:
    // What a place the graph never reached, or one from which the finish cannot be reached, costs.
    static constexpr int32_t kUnknown = 1000000;
    // Places are cells of this many pixels (of the hero's top-left corner).
    static constexpr int32_t kCell = 4;

    // Builds the graph on the level as it stands; the level is put back as it was afterwards.
    void Build(SolverWorld& world);
    // Steps from the hero's corner at (x, y) to the finish; kUnknown and more when not known.
    int32_t At(int32_t x, int32_t y) const;
    // Steps from the start position (what a solution needs at least).
    int32_t startDistance = kUnknown;
    // The way the graph sees from (x, y) to the finish: places a few steps apart, with the steps left.
    std::vector<std::pair<std::pair<int32_t, int32_t>, int32_t>> Way(int32_t x, int32_t y) const;
    size_t NodeCount() const { return dist_.size(); }
    size_t EdgeCount() const { return edgeCount_; }
    size_t TargetCount() const { return targetCount_; }

private:
    static int32_t Key(int32_t x, int32_t y);
    int32_t Node(int32_t x, int32_t y);
    void AddEdge(int32_t from, int32_t to, int32_t cost);

    std::unordered_map<int32_t, int32_t> index_;
    // For each node, the nodes that lead to it and what that costs.
    std::vector<std::vector<std::pair<int32_t, int32_t>>> into_;
    // For each node, the nodes it leads to and what that costs.
    std::vector<std::vector<std::pair<int32_t, int32_t>>> out_;
    std::vector<std::pair<int32_t, int32_t>> position_;
    std::vector<int32_t> dist_;
    size_t edgeCount_ = 0;
    size_t targetCount_ = 0;
};
