// The table of the ten best scores.
#include "frontend/Highscore.h"

#include "app/GameDlg.h"
#include "app/GameGlobals.h"
#include "frontend/PlaceholderScreen.h"

CHighscore::CHighscore(CGameDlg* window) {
    PlaceholderScreen::Enter(window);
    if (window->outroPending) GameGlobals::PlayVideo("outro.avi", window);
}

void CHighscore::Run(CGameDlg* window) { PlaceholderScreen::Run(window, "CHighscore"); }
