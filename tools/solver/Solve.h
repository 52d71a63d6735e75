// Solving one level, and playing a solution through the whole game: what the solver and the checker share.
#pragma once

#include <string>

#include "BeamSearch.h"
#include "core/PlayerRecord.h"
#include "play/Replay.h"

// Plays a replay through the whole game (the working directory is the game folder); on success `end` is
// the record the level ended with and, when `next` is given, the record the next level starts with after
// the briefing's Enter.
bool PlayThrough(const Replay& replay, PlayerRecord& end, PlayerRecord* next, std::string& error);

// Searches keys that finish the level of `header` from its record and difficulty. `result.frames` start
// with the frame that builds the level, so header plus frames is a replay. `startDistance` gets the move
// graph's steps from the start (DistanceField::kUnknown when it sees no way). False with `error` set when
// the level cannot even be entered.
bool SearchLevel(const Replay& header, const SearchOptions& options, SearchResult& result, int32_t& startDistance,
                 std::string& error);
