// The main menu: new game, load game, options, about, best scores and quit.
#include "frontend/MainMenu.h"

#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "core/Messages.h"
#include "data/GameData.h"
#include "frontend/ScreenBackground.h"
#include "media/SoundSystem.h"
#include "media/SpriteFont.h"
#include "platform/Platform.h"

namespace {

// TEXT entries of the six items, top to bottom.
const int kItemText[CMainMenu::kItemCount] = {0, 1, 2, 3, 38, 4};
constexpr int kItemLeft = 100;
constexpr int kItemTop = 100;
constexpr int kLineSpacing = 50;
const char kBackground[] = "Graphics\\Menu\\Bkg.png";

}  // namespace

CMainMenu::CMainMenu(GameDlgFields*) {
    background_ = platform::Surface::Create(backgroundWidth_, backgroundHeight_);
    if (!background_) ShowGameMessage(messages::kVideoMemory);
    platform::Image image;
    if (!platform::DecodeGamePicture(kBackground, image) ||
        CopyBitmapToSurface(background_.get(), &image, 0, 0, 0, 0) != kSurfaceOk) {
        ShowGameMessage(messages::kMenuBackground);
    }
}

void CMainMenu::Run(GameDlgFields* window) {
    HandleKeys(window);
    Draw(window);
}

void CMainMenu::HandleKeys(GameDlgFields* window) {
    InputState* input = GameGlobals::input;
    if (!input) return;
    if (input->down.pressed && selectedItem < kItemCount - 1) {
        PlaySample("MENU_CURSOR");
        ++selectedItem;
        input->down.pressed = false;
    }
    if (input->jump.pressed && selectedItem > 0) {
        PlaySample("MENU_CURSOR");
        --selectedItem;
        input->jump.pressed = false;
    }
    if (input->enterPressed) {
        PlaySample("MENU_SELECT");
        switch (selectedItem) {
            case 0:
                window->requestedState = Briefing;
                window->requestedLevel = 0;
                window->player.Reset(window->difficulty);
                break;
            case 1:
                window->requestedState = LoadGame;
                break;
            case 2:
                window->requestedState = Options;
                break;
            case 3:
                window->requestedState = About;
                break;
            case 4:
                window->requestedState = Highscore;
                break;
            default:
                quitRequested = true;
                break;
        }
        input->enterPressed = false;
    }
}

void CMainMenu::Draw(GameDlgFields* window) {
    platform::Surface* target = window->drawTarget;
    if (target && background_) {
        // After a display reset the picture is decoded again, stretched over the surface as at the start.
        RefillIfLost(background_.get(), kBackground);
        platform::BltFast(target, 0, 0, background_.get(), platform::Rect{0, 0, backgroundWidth_, backgroundHeight_},
                          false);
    }
    CSpriteFont* font = GameGlobals::font;
    if (!font || !window->gameData) return;
    for (int item = 0; item < kItemCount; ++item) {
        const std::string& label = window->gameData->Text(kItemText[item]);
        const int y = kItemTop + kLineSpacing * item;
        if (item == selectedItem) {
            font->DrawText(label, kItemLeft - 20, y, 1.0f);
        } else {
            font->DrawText(label, kItemLeft, y, 0.8f);
        }
    }
}
