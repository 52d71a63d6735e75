// The about screen.
#include "frontend/AboutScreen.h"

#include "frontend/PlaceholderScreen.h"

CAboutScreen::CAboutScreen(CGameDlg* window) { PlaceholderScreen::Enter(window); }

void CAboutScreen::Run(CGameDlg* window) { PlaceholderScreen::Run(window, "CAboutScreen"); }
