// The load-game screen: seven save slots to continue a game from.
#include "frontend/LoadGameMenu.h"

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

const char kBackground[] = "Graphics\\LoadGame\\Background.png";
constexpr int kLineLeft = 50;
constexpr int kFirstLineTop = 20;
constexpr int kLineSpacing = 45;
constexpr int kSelectedShift = 40;

}  // namespace

CLoadGameMenu::CLoadGameMenu(GameDlgFields* window) : mainWindow_(window) {
    // An Escape left over from the main menu must not close this screen at once.
    if (GameGlobals::input) GameGlobals::input->escapePressed = false;
    if (!LoadPictureSurface(kBackground, background_)) {
        ShowGameMessage(messages::kScreenBackground);
    }
    ReadSlots();
}

void CLoadGameMenu::ReadSlots() {
    ::ReadSlots(slots, mainWindow_ ? mainWindow_->difficulty : 2);
}

void CLoadGameMenu::WriteSlots() {
    ::WriteSlots(slots);
}

std::string CLoadGameMenu::LineText(int slot) const {
    const CGameData* data = mainWindow_ ? mainWindow_->gameData : nullptr;
    if (!data) return std::string();
    // Slot i continues with level i + 1, which the player counts from 1 as level i + 2.
    return data->Text(11) + " " + std::to_string(slot + 2) + " " + data->Text(IsEmptySlot(slots[slot]) ? 12 : 13) + " ";
}

void CLoadGameMenu::Run(GameDlgFields* window) {
    HandleKeys(window);
    Draw(window);
}

void CLoadGameMenu::HandleKeys(GameDlgFields* window) {
    InputState* input = GameGlobals::input;
    if (!input) return;
    if (input->down.pressed && selectedSlot < kShownSlots - 1) {
        PlaySample("MENU_CURSOR");
        ++selectedSlot;
        input->down.pressed = false;
    }
    if (input->jump.pressed && selectedSlot > 0) {
        PlaySample("MENU_CURSOR");
        --selectedSlot;
        input->jump.pressed = false;
    }
    // Enter on an empty slot is left alone.
    if (input->enterPressed && !IsEmptySlot(slots[selectedSlot])) {
        PlaySample("MENU_SELECT");
        window->requestedState = Briefing;
        window->requestedLevel = slots[selectedSlot].nextLevel;
        window->player = slots[selectedSlot];
        input->enterPressed = false;
    }
    if (input->escapePressed) {
        window->requestedState = MainMenu;
        window->requestedLevel = 0;
        input->escapePressed = false;
    }
}

void CLoadGameMenu::Draw(GameDlgFields* window) {
    DrawWholePicture(window->drawTarget, 0, 0, background_.get(), kBackground, false);
    CSpriteFont* font = GameGlobals::font;
    if (!font) return;
    for (int i = 0; i < kShownSlots; ++i) {
        const int y = kFirstLineTop + kLineSpacing * i;
        if (i == selectedSlot) {
            font->DrawText(LineText(i), kLineLeft - kSelectedShift, y, 0.95f);
        } else {
            font->DrawText(LineText(i), kLineLeft, y, 0.8f);
        }
    }
}
