// The options screen: near layer, difficulty, music and sound.
#include "frontend/OptionsMenu.h"

#include "frontend/PlaceholderScreen.h"

COptionsMenu::COptionsMenu(CGameDlg* window) { PlaceholderScreen::Enter(window); }

void COptionsMenu::Run(CGameDlg* window) { PlaceholderScreen::Run(window, "COptionsMenu"); }
