// One level being played.
#include "level/Level.h"


#include "app/GameDlg.h"
#include "app/GameGlobals.h"
#include "app/InputState.h"
#include "platform/Surface.h"

CLevel::CLevel(CGameDlg*, int32_t number, bool) : levelNumber(number) { GameGlobals::level = this; }

CLevel::~CLevel() = default;

void CLevel::ApplyPlayerRecord(PlayerRecord record) { heroRecord = record; }

void CLevel::Update(CGameDlg* window) {
    InputState* input = GameGlobals::input;
    if (input && input->escapePressed) {
        window->requestedState = Highscore;
        input->escapePressed = false;
    }
    if (window->drawTarget) window->drawTarget->Fill(0x304020);
}
