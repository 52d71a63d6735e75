// The about screen: one full-screen picture until Escape.
#include "frontend/AboutScreen.h"

#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "core/Language.h"
#include "core/Messages.h"
#include "frontend/ScreenBackground.h"
#include "platform/Platform.h"

namespace {
const char kPicture[] = "Graphics\\About\\Background.png";
}  // namespace

// The picture holds the screen's words, so each language has its own.
CAboutScreen::CAboutScreen(GameDlgFields*) : picturePath_(LocalisedGamePath(kPicture)) {
    // An Escape left over from the main menu must not close this screen at once.
    if (GameGlobals::input) GameGlobals::input->escapePressed = false;
    if (!LoadPictureSurface(picturePath_, picture_)) {
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
    DrawWholePicture(window->drawTarget, 0, 0, picture_.get(), picturePath_.c_str(), false);
}
