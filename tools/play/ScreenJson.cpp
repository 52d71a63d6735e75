// The driver's JSON picture of the screen on show: cursor, briefing row and trade, slots, best scores.
#include <cstdio>
#include <sstream>
#include <string>

#include "Driver.h"
#include "app/GameDlg.h"
#include "core/GameGlobals.h"
#include "data/SaveSlots.h"
#include "frontend/AboutScreen.h"
#include "frontend/Briefing.h"
#include "frontend/Highscore.h"
#include "frontend/LoadGameMenu.h"
#include "frontend/MainMenu.h"
#include "frontend/OptionsMenu.h"
#include "platform/Cp1250.h"

namespace {

// A Windows-1250 string as a JSON string (names from a damaged file may hold any byte).
std::string QuoteCp1250(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : platform::Cp1250ToUtf8(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof(buffer), "\\u%04x", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

const char* Bool(bool value) {
    return value ? "true" : "false";
}

void AppendRecord(std::ostringstream& json, const PlayerRecord& p) {
    json << "{\"nextLevel\":" << p.nextLevel << ",\"health\":" << p.health << ",\"lives\":" << p.lives
         << ",\"score\":" << p.score << ",\"money\":" << p.money << ",\"strength\":" << p.strength
         << ",\"empty\":" << Bool(IsEmptySlot(p)) << "}";
}

}  // namespace

void AppendScreen(std::ostringstream& json) {
    const GameDlgFields* window = GameGlobals::mainWindow;
    if (!window) return;
    switch (window->currentState) {
        case MainMenu:
            if (const CMainMenu* menu = GameGlobals::mainMenu) {
                json << ",\"screen\":{\"name\":\"MainMenu\",\"selectedItem\":" << menu->selectedItem
                     << ",\"quitRequested\":" << Bool(menu->quitRequested) << "}";
            }
            break;
        case Options:
            if (const COptionsMenu* options = GameGlobals::optionsMenu) {
                json << ",\"screen\":{\"name\":\"Options\",\"selectedRow\":" << options->selectedRow << "}";
            }
            break;
        case About:
            if (GameGlobals::aboutScreen) json << ",\"screen\":{\"name\":\"About\"}";
            break;
        case LoadGame:
            if (const CLoadGameMenu* load = GameGlobals::loadGameMenu) {
                json << ",\"screen\":{\"name\":\"LoadGame\",\"selectedSlot\":" << load->selectedSlot << ",\"slots\":[";
                for (int i = 0; i < kSaveSlotCount; ++i) {
                    if (i > 0) json << ",";
                    AppendRecord(json, load->slots[i]);
                }
                json << "],\"lines\":[";
                for (int i = 0; i < CLoadGameMenu::kShownSlots; ++i) {
                    if (i > 0) json << ",";
                    json << QuoteCp1250(load->LineText(i));
                }
                json << "]}";
            }
            break;
        case Briefing:
            if (CBriefing* briefing = GameGlobals::briefing) {
                json << ",\"screen\":{\"name\":\"Briefing\",\"levelNumber\":" << briefing->levelNumber
                     << ",\"typeCount\":" << briefing->typeCount << ",\"shownType\":" << briefing->shownType
                     << ",\"targetType\":" << briefing->targetType << ",\"scroll\":" << briefing->scroll
                     << ",\"trade\":" << briefing->trade << ",\"offer\":" << briefing->Trade(false) << "}";
            }
            break;
        case Highscore:
            if (const CHighscore* table = GameGlobals::highscore) {
                json << ",\"screen\":{\"name\":\"Highscore\",\"editRow\":" << table->editRow
                     << ",\"typedName\":" << QuoteCp1250(table->typedName) << ",\"rows\":[";
                for (int r = 0; r < CHighscore::kRowCount; ++r) {
                    const CHighscore::Entry& entry = table->rows[r];
                    if (r > 0) json << ",";
                    json << "{\"name\":" << QuoteCp1250(entry.name) << ",\"scoreText\":" << QuoteCp1250(entry.scoreText)
                         << ",\"score\":" << entry.score << "}";
                }
                json << "]}";
            }
            break;
        default:
            break;
    }
}
