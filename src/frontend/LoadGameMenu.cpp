// The load-game screen: the eight save slots.
#include "frontend/LoadGameMenu.h"

#include "frontend/PlaceholderScreen.h"

CLoadGameMenu::CLoadGameMenu(CGameDlg* window) { PlaceholderScreen::Enter(window); }

void CLoadGameMenu::Run(CGameDlg* window) { PlaceholderScreen::Run(window, "CLoadGameMenu"); }
