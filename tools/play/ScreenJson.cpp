// The driver's JSON picture of the screen on show: cursor, briefing row and trade, slots, best scores.
#include "StateJson.h"
#include "app/GameDlg.h"
#include "core/GameGlobals.h"
#include "frontend/AboutScreen.h"
#include "frontend/Briefing.h"
#include "frontend/Highscore.h"
#include "frontend/LoadGameMenu.h"
#include "frontend/MainMenu.h"
#include "frontend/OptionsMenu.h"
#include "data/SaveSlots.h"

namespace play {
namespace {

Json RecordJson(const PlayerRecord& p) {
    return {{"nextLevel", p.nextLevel}, {"health", p.health},     {"lives", p.lives},       {"score", p.score},
            {"money", p.money},         {"strength", p.strength}, {"empty", IsEmptySlot(p)}};
}

Json LoadGameJson(const CLoadGameMenu& load) {
    Json slots = Json::array();
    for (int i = 0; i < kSaveSlotCount; ++i) slots.push_back(RecordJson(load.slots[i]));
    Json lines = Json::array();
    for (int i = 0; i < CLoadGameMenu::kShownSlots; ++i) lines.push_back(Text(load.LineText(i)));
    return {{"name", "LoadGame"}, {"selectedSlot", load.selectedSlot}, {"slots", slots}, {"lines", lines}};
}

Json HighscoreJson(const CHighscore& table) {
    Json rows = Json::array();
    for (const CHighscore::Entry& entry : table.rows) {
        rows.push_back({{"name", Text(entry.name)}, {"scoreText", Text(entry.scoreText)}, {"score", entry.score}});
    }
    return {{"name", "Highscore"}, {"editRow", table.editRow}, {"typedName", Text(table.typedName)}, {"rows", rows}};
}

}  // namespace

Json ScreenJson() {
    const GameDlgFields* window = GameGlobals::mainWindow;
    if (!window) return nullptr;
    switch (window->currentState) {
        case MainMenu:
            if (const CMainMenu* menu = GameGlobals::mainMenu) {
                return {
                    {"name", "MainMenu"}, {"selectedItem", menu->selectedItem}, {"quitRequested", menu->quitRequested}};
            }
            break;
        case Options:
            if (const COptionsMenu* options = GameGlobals::optionsMenu) {
                return {{"name", "Options"}, {"selectedRow", options->selectedRow}};
            }
            break;
        case About:
            if (GameGlobals::aboutScreen) return {{"name", "About"}};
            break;
        case LoadGame:
            if (const CLoadGameMenu* load = GameGlobals::loadGameMenu) return LoadGameJson(*load);
            break;
        case Briefing:
            if (CBriefing* briefing = GameGlobals::briefing) {
                return {{"name", "Briefing"},
                        {"levelNumber", briefing->levelNumber},
                        {"typeCount", briefing->typeCount},
                        {"shownType", briefing->shownType},
                        {"targetType", briefing->targetType},
                        {"scroll", briefing->scroll},
                        {"trade", briefing->trade},
                        {"offer", briefing->Trade(false)}};
            }
            break;
        case Highscore:
            if (const CHighscore* table = GameGlobals::highscore) return HighscoreJson(*table);
            break;
        default:
            break;
    }
    return nullptr;
}

}  // namespace play
