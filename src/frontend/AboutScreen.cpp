// The about screen: one full-screen picture until Escape.
#include "frontend/AboutScreen.h"

#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "core/Messages.h"
#include "frontend/ScreenBackground.h"
#include "platform/Platform.h"

namespace {
const char kPicture[] = "Graphics\\About\\Background.png";
}  // namespace

CAboutScreen::CAboutScreen(GameDlgFields*) {
    // An Escape left over from the main menu must not close this screen at once.
    if (GameGlobals::input) GameGlobals::input->escapePressed = false;
    if (!LoadPictureSurface(kPicture, picture_)) {
        ShowGameMessage(messages::kScreenBackground);
    }
}

void CAboutScreen::Run(GameDlgFields* window) {
    InputState* input = GameGlobals::input;
    if (input && input->escapePressed) {
        window->requestedState = MainMenu;
        window->requestedLevel = 0;
        input->escapePressed = false;
    }
    DrawWholePicture(window->drawTarget, 0, 0, picture_.get(), kPicture, false);
}
