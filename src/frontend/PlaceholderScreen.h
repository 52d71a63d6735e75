// A plain screen standing in for screens not built yet: a title and Escape back to the menu.
#pragma once

class CGameDlg;

namespace PlaceholderScreen {
void Enter(CGameDlg* window);
void Run(CGameDlg* window, const char* title);
}  // namespace PlaceholderScreen
