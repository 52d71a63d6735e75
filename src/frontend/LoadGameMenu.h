// The load-game screen: seven save slots to continue a game from.
#pragma once

#include <cstdint>
#include <string>

#include "data/SaveSlots.h"
#include "gfx/Surfaces.h"

struct GameDlgFields;

class CLoadGameMenu {
public:
    // Slots 0 to 6 are listed; slot 7 (after the last level) is kept but never offered.
    static constexpr int kShownSlots = 7;

    explicit CLoadGameMenu(GameDlgFields* window);
    ~CLoadGameMenu() = default;
    CLoadGameMenu(const CLoadGameMenu&) = delete;
    CLoadGameMenu& operator=(const CLoadGameMenu&) = delete;

    // Keys, then drawing; once per frame while the screen is shown.
    void Run(GameDlgFields* window);

    // The slot store: all eight SAVE files.
    void ReadSlots();
    void WriteSlots();

    // The text of one line: "<TEXT 11> <n> <TEXT 13 or 12> ".
    std::string LineText(int slot) const;

    int32_t selectedSlot = 0;
    SaveSlotArray slots;

private:
    void HandleKeys(GameDlgFields* window);
    void Draw(GameDlgFields* window);

    GameDlgFields* mainWindow_;
    SurfacePtr background_;
};
