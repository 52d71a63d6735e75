// The options screen: near layer, difficulty, music and sound.
#include "frontend/OptionsMenu.h"

#include <string>

#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "core/Language.h"
#include "data/GameData.h"
#include "frontend/ScreenBackground.h"
#include "media/SoundSystem.h"
#include "media/SpriteFont.h"

namespace {

const char kBackground[] = "Graphics\\Options\\Background.png";
constexpr int kLabelLeft = 50;
constexpr int kFirstRowTop = 100;
constexpr int kRowSpacing = 50;

// TEXT entries of the row labels, top to bottom.
const int kLabelText[COptionsMenu::kRowCount] = {22, 23, 24, 25};

// Switches an on/off byte: anything non-zero counts as on and goes to 0.
void Toggle(uint8_t& option) {
    option = option != 0 ? 0 : 1;
}

// TEXT entry naming the current value of a row; -1 when it has none (a difficulty out of range).
int ValueText(const GameDlgFields& window, int row) {
    switch (row) {
        case 0:
            return window.nearLayerOption != 0 ? 29 : 28;
        case 1:
            return window.difficulty >= 0 && window.difficulty <= 2 ? 30 + window.difficulty : -1;
        case 2:
            return window.musicOption != 0 ? 33 : 34;
        default:
            return window.soundOption != 0 ? 33 : 34;
    }
}

}  // namespace

// The picture holds the screen's title, so each language has its own.
COptionsMenu::COptionsMenu(GameDlgFields* window)
    : mainWindow_(window), backgroundPath_(LocalisedGamePath(kBackground)) {
    // A missing picture leaves the screen without a background; nothing is reported.
    LoadPictureSurface(backgroundPath_, background_);
    // An Escape left over from the main menu must not close this screen at once.
    if (GameGlobals::input) GameGlobals::input->escapePressed = false;
}

void COptionsMenu::Run(GameDlgFields* window) {
    if (background_ && background_->IsLost()) {
        background_.reset();
        LoadPictureSurface(backgroundPath_, background_);
    }
    HandleKeys(window);
    Draw(window);
}

void COptionsMenu::ChangeSetting(GameDlgFields* window, int32_t row) {
    switch (row) {
        case 0:
            Toggle(window->nearLayerOption);
            break;
        case 1:
            window->difficulty = window->difficulty < 2 ? window->difficulty + 1 : 0;
            break;
        case 2:
            Toggle(window->musicOption);
            break;
        case 3:
            Toggle(window->soundOption);
            break;
        default:
            break;
    }
}

void COptionsMenu::HandleKeys(GameDlgFields* window) {
    InputState* input = GameGlobals::input;
    if (!input) return;
    if (input->down.pressed && selectedRow < kRowCount - 1) {
        PlaySample("MENU_CURSOR");
        ++selectedRow;
        input->down.pressed = false;
    }
    if (input->jump.pressed && selectedRow > 0) {
        PlaySample("MENU_CURSOR");
        --selectedRow;
        input->jump.pressed = false;
    }
    if (input->escapePressed) {
        window->requestedState = MainMenu;
        window->requestedLevel = 0;
        input->escapePressed = false;
    }
    if (input->enterPressed) {
        // The sound comes first, so switching sound off is still heard once.
        PlaySample("MENU_SELECT");
        ChangeSetting(window, selectedRow);
        input->enterPressed = false;
    }
}

void COptionsMenu::Draw(GameDlgFields* window) {
    DrawWholePicture(window->drawTarget, 0, 0, background_.get(), backgroundPath_.c_str(), false);
    CSpriteFont* font = GameGlobals::font;
    if (!font || !window->gameData) return;
    const CGameData& data = *window->gameData;
    for (int row = 0; row < kRowCount; ++row) {
        const int y = kFirstRowTop + kRowSpacing * row;
        const int value = ValueText(*window, row);
        const std::string valueText = value >= 0 ? data.Text(value) : std::string();
        if (row == selectedRow) {
            font->DrawText(data.Text(kLabelText[row]), kLabelLeft - 30, y, 0.9f);
            font->DrawText(valueText, 490, y, 0.85f);
        } else {
            font->DrawText(data.Text(kLabelText[row]), kLabelLeft, y, 0.7f);
            font->DrawText(valueText, 500, y, 0.7f);
        }
    }
}
