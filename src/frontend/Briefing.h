// The briefing before a level: the level's enemies in a sliding row, the player's values and a trade.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/Surfaces.h"

struct GameDlgFields;
struct PlayerRecord;
struct UnitType;

class CBriefing {
public:
    // Only this many enemy types get a unit type (and a box in the row).
    static constexpr int kMaxTypes = 10;
    static constexpr int32_t kBoxWidth = 128;
    static constexpr int32_t kBoxGap = 10;
    static constexpr int32_t kSlideStep = 10;
    // GDI colour of the frames' transparent parts: red 0xB3, green 0, blue 0x2D.
    static constexpr uint32_t kFrameColourKey = 0x2D00B3;
    // The track asked for on entry has no stream, so the music stops.
    static constexpr int32_t kSilentTrack = 10;

    CBriefing(GameDlgFields* window, int32_t levelNumber);
    ~CBriefing();
    CBriefing(const CBriefing&) = delete;
    CBriefing& operator=(const CBriefing&) = delete;

    // Keys, slide, then drawing; once per frame while the briefing is shown.
    void Run(GameDlgFields* window);

    // What the trade on offer gives: 0 strength (10 money a point, at most 10), 1 score (all money
    // times strength), 2 lives (100 money each). Changes the player's record only when apply is set.
    int32_t Trade(bool apply);
    // The same on any record, for a given trade.
    static int32_t Trade(PlayerRecord& player, int32_t trade, bool apply);

    // Left edge of the box of enemy type i at the current slide offset.
    int32_t BoxLeft(int32_t type) const { return (kBoxWidth + kBoxGap) * type + 300 - scroll; }
    // The unit type behind box i; null when it has none.
    const UnitType* Type(int32_t type) const;

    int32_t levelNumber;
    int32_t typeCount = 0;
    int32_t shownType = 0;
    int32_t targetType = 0;
    int32_t scroll = 0;
    int32_t trade = 0;

private:
    void HandleKeys(GameDlgFields* window);
    void Slide();
    void Draw(GameDlgFields* window);

    GameDlgFields* mainWindow_;
    std::vector<std::unique_ptr<UnitType>> types_;
    SurfacePtr background_;
    SurfacePtr selectedFrame_;
    SurfacePtr unselectedFrame_;
};
