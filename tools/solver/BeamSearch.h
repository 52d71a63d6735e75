// The search for keys that finish a level: a beam of game states, each grown by holding key
// combinations for a few frames, ranked by the steps left to the finish and what was won or lost.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class SolverWorld;
class DistanceField;

struct SearchOptions {
    // States kept after every round.
    int beamWidth = 200;
    // Frames one key combination is held.
    int macroFrames = 5;
    // At most this many states of the beam in one 16-pixel square, so the beam keeps several ways open.
    int perSquare = 3;
    // Give up after this long.
    double timeLimitSeconds = 300.0;
    bool verbose = false;
};

struct SearchResult {
    bool found = false;
    // Held keys from the level's second frame on (when nothing was found: up to the state that came
    // closest to the finish) (the first one, which builds the level, has none),
    // up to and including the frame in which the level asks for the next screen.
    std::vector<uint8_t> frames;
    // Frames up to the moment the finish was reached.
    int32_t framesToFinish = 0;
    double seconds = 0.0;
    int64_t framesSimulated = 0;
    // The best the search got: steps left, and where the hero was then.
    int32_t bestDistance = 0;
    int32_t bestX = 0;
    int32_t bestY = 0;
    std::string note;
};

class BeamSearch {
public:
    BeamSearch(SolverWorld& world, const DistanceField& field, const SearchOptions& options)
        : world_(world), field_(field), options_(options) {}
    SearchResult Run();

private:
    SolverWorld& world_;
    const DistanceField& field_;
    SearchOptions options_;
};
