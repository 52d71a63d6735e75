// The about screen: one full-screen picture until Escape.
#include "frontend/AboutScreen.h"

#include "app/GameDlg.h"
#include "app/GameGlobals.h"
#include "app/InputState.h"
#include "frontend/ScreenBackground.h"
#include "platform/Platform.h"

namespace {
const char kPicture[] = "Graphics\\About\\Background.png";
}  // namespace

CAboutScreen::CAboutScreen(CGameDlg*) {
    // An Escape left over from the main menu must not close this screen at once.
    if (GameGlobals::input) GameGlobals::input->escapePressed = false;
    if (!LoadPictureSurface(kPicture, picture_)) {
        platform::ShowMessage("B\xb3\xb9\x64 \xb3\x61\x64owania bitmapy t\xb3\x61");
    }
}

void CAboutScreen::Run(CGameDlg* window) {
    InputState* input = GameGlobals::input;
    if (input && input->escapePressed) {
        window->requestedState = MainMenu;
        window->requestedLevel = 0;
        input->escapePressed = false;
    }
    DrawWholePicture(window->drawTarget, 0, 0, picture_.get(), kPicture, false);
}
