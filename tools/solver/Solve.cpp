// Solving one level with the beam search, and playing replays through the whole game.
#include "Solve.h"

#include <sstream>

#include "DistanceField.h"
#include "SolverWorld.h"
#include "app/GameDlg.h"
#include "core/GameState.h"
#include "play/Driver.h"

bool PlayThrough(const Replay& replay, PlayerRecord& end, PlayerRecord* next, std::string& error) {
    std::ostringstream sink;
    Driver driver(sink);
    driver.SetQuiet(true);
    driver.Start();
    if (!driver.PlayReplay(replay, error)) return false;
    end = driver.App().window.player;
    if (next) {
        driver.RunFrame();
        if (!driver.Execute("press RETURN", error)) return false;
        if (driver.App().window.requestedState != Level) {
            error = "the briefing did not start the next level";
            return false;
        }
        *next = driver.App().window.player;
    }
    return true;
}

bool SearchLevel(const Replay& header, const SearchOptions& options, SearchResult& result, int32_t& startDistance,
                 std::string& error) {
    SolverWorld world(header);
    if (!world.Ready()) {
        error = world.Error();
        return false;
    }
    DistanceField field;
    field.Build(world);
    startDistance = field.startDistance;
    BeamSearch search(world, field, options);
    result = search.Run();
    std::vector<uint8_t> frames(1, 0);
    frames.insert(frames.end(), result.frames.begin(), result.frames.end());
    result.frames = frames;
    return true;
}
