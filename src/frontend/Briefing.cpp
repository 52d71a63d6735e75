// The briefing before a level.
#include "frontend/Briefing.h"

#include <string>

#include "app/GameDlg.h"
#include "app/GameGlobals.h"
#include "app/InputState.h"
#include "frontend/PlaceholderScreen.h"

CBriefing::CBriefing(CGameDlg* window, int32_t level) : levelNumber(level) {
    PlaceholderScreen::Enter(window);
    if (GameGlobals::input) GameGlobals::input->enterPressed = false;
}

void CBriefing::Run(CGameDlg* window) {
    InputState* input = GameGlobals::input;
    if (input && input->enterPressed) {
        window->requestedState = Level;
        window->requestedLevel = levelNumber;
        input->enterPressed = false;
    }
    PlaceholderScreen::Run(window, ("CBriefing " + std::to_string(levelNumber)).c_str());
}
