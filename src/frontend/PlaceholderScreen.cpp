// A plain screen standing in for screens not built yet: a title and Escape back to the menu.
#include "frontend/PlaceholderScreen.h"

#include "app/GameDlg.h"
#include "app/GameGlobals.h"
#include "app/InputState.h"
#include "platform/Platform.h"

namespace PlaceholderScreen {

void Enter(CGameDlg*) {
    if (GameGlobals::input) GameGlobals::input->escapePressed = false;
}

void Run(CGameDlg* window, const char* title) {
    InputState* input = GameGlobals::input;
    if (input && input->escapePressed) {
        window->requestedState = MainMenu;
        window->requestedLevel = 0;
        input->escapePressed = false;
    }
    if (!window->drawTarget) return;
    window->drawTarget->Fill(0x202838);
    if (platform::ITextRenderer* text = platform::Current().text) {
        text->DrawText(*window->drawTarget, 40, 40, title, 0xFFFFFF);
    }
}

}  // namespace PlaceholderScreen
