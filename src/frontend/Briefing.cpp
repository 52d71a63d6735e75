// The briefing before a level: the level's enemies in a sliding row, the player's values and a trade.
#include "frontend/Briefing.h"

#include <algorithm>
#include <limits>
#include <string>

#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "core/Messages.h"
#include "data/GameData.h"
#include "data/UnitType.h"
#include "frontend/ScreenBackground.h"
#include "gfx/Animation.h"
#include "media/SoundSystem.h"
#include "media/SpriteFont.h"
#include "platform/Platform.h"

namespace {

const char kBackground[] = "Graphics\\Briefing\\Background.png";
const char kSelectedFrame[] = "Graphics\\Briefing\\Selected.png";
const char kUnselectedFrame[] = "Graphics\\Briefing\\Unselected.png";
constexpr int32_t kRowTop = 50;
constexpr int32_t kLabelLeft = 150;
constexpr int32_t kNumberLeft = 550;
constexpr float kTextScale = 0.5f;
// TEXT entries naming what each trade gives.
const int kTradeText[3] = {17, 16, 21};

// Money, score and lives read from a damaged save can be anything: keep the sums inside 32 bits.
int32_t Saturate(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

CBriefing::CBriefing(GameDlgFields* window, int32_t level) : levelNumber(level), mainWindow_(window) {
    if (GameGlobals::input) GameGlobals::input->escapePressed = false;

    const LevelDescription* description = nullptr;
    if (window->gameData && level >= 0 && level < CGameData::kLevelCount) {
        description = window->gameData->levels[level].get();
    }
    int32_t names = 0;
    if (description) {
        names = static_cast<int32_t>(description->enemyTypes.size());
        for (int32_t i = 0; i < names && i < kMaxTypes; ++i) {
            types_.push_back(std::make_unique<UnitType>(description->enemyTypes[i]));
        }
    }

    // A missing picture leaves the background as it was; one decoded but not copied is reported.
    platform::Image image;
    if (platform::DecodeGamePicture(kBackground, image)) {
        background_ = platform::Surface::Create(image.width, image.height);
        if (CopyBitmapToSurface(background_.get(), &image, 0, 0, image.width, image.height) != kSurfaceOk) {
            ShowGameMessage(messages::kBriefingBackground);
            background_.reset();
        }
    }
    LoadPictureSurface(kSelectedFrame, selectedFrame_);
    LoadPictureSurface(kUnselectedFrame, unselectedFrame_);
    SetSourceColourKey(selectedFrame_.get(), kFrameColourKey);
    SetSourceColourKey(unselectedFrame_.get(), kFrameColourKey);

    // Types past the tenth have no unit type to show, so the row ends with the tenth.
    typeCount = std::min(names, static_cast<int32_t>(kMaxTypes));
    shownType = targetType = typeCount / 2;
    scroll = targetType * kBoxWidth;
    trade = 0;
    if (GameGlobals::sound) GameGlobals::sound->PlayMusic(kSilentTrack);
}

CBriefing::~CBriefing() = default;

const UnitType* CBriefing::Type(int32_t type) const {
    if (type < 0 || type >= static_cast<int32_t>(types_.size())) return nullptr;
    return types_[type].get();
}

int32_t CBriefing::Trade(bool apply) {
    return Trade(mainWindow_->player, trade, apply);
}

int32_t CBriefing::Trade(PlayerRecord& player, int32_t offer, bool apply) {
    // Debts buy nothing: a negative amount would pay the player for trading.
    int32_t n = 0;
    switch (offer) {
        case 0:
            n = std::clamp(player.money / 10, 0, 10);
            if (apply) {
                player.money = std::max(0, Saturate(static_cast<int64_t>(player.money) - 10 * n));
                player.strength = Saturate(static_cast<int64_t>(player.strength) + n);
            }
            break;
        case 1:
            n = Saturate(static_cast<int64_t>(player.money) * player.strength);
            if (apply) {
                player.money = 0;
                player.score = Saturate(static_cast<int64_t>(player.score) + n);
            }
            break;
        case 2:
            n = std::max(0, player.money / 100);
            if (apply) {
                player.money = Saturate(static_cast<int64_t>(player.money) - 100 * static_cast<int64_t>(n));
                player.lives = Saturate(static_cast<int64_t>(player.lives) + n);
            }
            break;
        default:
            break;
    }
    return n;
}

void CBriefing::Run(GameDlgFields* window) {
    HandleKeys(window);
    Slide();
    Draw(window);
}

void CBriefing::HandleKeys(GameDlgFields* window) {
    InputState* input = GameGlobals::input;
    if (!input) return;
    if (input->left.pressed) {
        if (shownType > 0 && targetType > 0) {
            PlaySample("MENU_CURSOR");
            --targetType;
        }
        input->left.pressed = false;
    }
    if (input->right.pressed) {
        if (shownType < typeCount - 1 && targetType < typeCount - 1) {
            PlaySample("MENU_CURSOR");
            ++targetType;
        }
        input->right.pressed = false;
    }
    if (input->jump.pressed) {
        PlaySample("MENU_CURSOR");
        trade = trade < 2 ? trade + 1 : 0;
        input->jump.pressed = false;
    }
    if (input->down.pressed) {
        PlaySample("MENU_CURSOR");
        trade = trade > 0 ? trade - 1 : 2;
        input->down.pressed = false;
    }
    if (input->enterPressed) {
        PlaySample("MENU_SELECT");
        Trade(true);
        window->requestedState = Level;
        window->requestedLevel = levelNumber;
        input->enterPressed = false;
    }
    if (input->escapePressed) {
        window->requestedState = MainMenu;
        window->requestedLevel = 0;
        input->escapePressed = false;
    }
}

void CBriefing::Slide() {
    // One step a frame; the shown type changes only once the row has arrived.
    if (shownType < targetType) {
        if (scroll < targetType * kBoxWidth) {
            scroll += kSlideStep;
        } else {
            shownType = targetType;
        }
    }
    if (targetType < shownType) {
        if (scroll > targetType * kBoxWidth) {
            scroll -= kSlideStep;
        } else {
            shownType = targetType;
        }
    }
}

void CBriefing::Draw(GameDlgFields* window) {
    platform::Surface* target = window->drawTarget;
    DrawWholePicture(target, 0, 0, background_.get(), kBackground, false);

    const int32_t screenWidth = window->screenWidth;
    for (int32_t i = 0; i < typeCount; ++i) {
        const int32_t x = BoxLeft(i);
        if (x <= 0 || x >= screenWidth - kBoxWidth) continue;
        if (i == shownType) {
            DrawWholePicture(target, x, kRowTop, selectedFrame_.get(), kSelectedFrame, true);
        } else {
            DrawWholePicture(target, x, kRowTop, unselectedFrame_.get(), kUnselectedFrame, true);
        }
        // The picture is the walking animation an enemy shows before it first moves.
        const UnitType* type = Type(i);
        CAnimation* animation = type ? type->animations[0].get() : nullptr;
        if (animation) {
            animation->Draw(x + 64 - animation->frameWidth / 2 + 5, 114 - animation->frameHeight / 2, 1.0f);
        }
    }

    CSpriteFont* font = GameGlobals::font;
    if (!font || !window->gameData) return;
    const CGameData& data = *window->gameData;
    const PlayerRecord& player = window->player;
    auto line = [&](int text, int32_t y, const std::string& number) {
        font->DrawText(data.Text(text), kLabelLeft, y, kTextScale);
        font->DrawText(number, kNumberLeft, y, kTextScale);
    };
    font->DrawText(data.Text(5), 100, 10, 0.7f);
    const UnitType* shown = Type(shownType);
    line(7, 188, shown ? std::to_string(shown->energy) : std::string());
    line(6, 218, shown ? std::to_string(shown->speed) : std::string());
    line(8, 278, std::to_string(player.strength));
    line(9, 308, std::to_string(player.money));
    line(20, 338, std::to_string(player.score));
    line(kTradeText[std::clamp(trade, 0, 2)], 428, std::to_string(Trade(false)));
    font->DrawText(data.Text(15), 50, 398, kTextScale);
    font->DrawText(data.Text(10), 50, 550, kTextScale);
}
