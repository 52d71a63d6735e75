// The hero's status display: life, energy, club and coin icons.
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "actors/Hero.h"
#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "core/Messages.h"
#include "data/LevelDescription.h"
#include "data/UnitType.h"
#include "gfx/Animation.h"
#include "platform/Platform.h"

namespace {

// The status display, in fixed screen pixels. A row of icons shows one for each unit of what it
// counts: the first at its corner, the others one step further right each.
struct IconRow {
    Point first;
    int32_t step;
};
constexpr IconRow kEnergyRow{{10, 10}, 32};
constexpr IconRow kLifeRow{{10, 50}, 40};
constexpr int32_t kEnergyPerIcon = 10;
// The club stands at the bottom left; the coin stands left of the money's digits on the same row.
constexpr Point kClub{10, 530};
constexpr int32_t kCoinRight = 680;
constexpr int32_t kDigitWidth = 30;

// The status pictures by icon, with their GDI colour keys.
const struct {
    const char* file;
    uint32_t colorKey;
} kStatusPictureFiles[] = {
    {"Graphics\\Life.png", 205429},
    {"Graphics\\Energy.png", 0},
    {"Graphics\\Maczuga.png", 0},
    {"Graphics\\Moneta.png", 3848703},
};

}  // namespace

std::vector<std::string> CHero::PicturePaths() {
    std::vector<std::string> paths = UnitType::PicturePaths(kUnitName);
    for (const auto& status : kStatusPictureFiles) paths.emplace_back(status.file);
    paths.push_back(CAnimation::PicturePath("Graphics", "Bang", "Bang"));
    return paths;
}

void CHero::CreateStatusPictures() {
    static_assert(std::size(kStatusPictureFiles) == kStatusIconCount);
    for (int icon = 0; icon < kStatusIconCount; ++icon) {
        statusPictures[icon].file = kStatusPictureFiles[icon].file;
        statusPictures[icon].colorKey = kStatusPictureFiles[icon].colorKey;
    }
    for (StatusPicture& picture : statusPictures) {
        platform::Image image;
        // A picture that cannot be read has no size, and no surface can be made of it.
        if (!platform::DecodeGamePicture(picture.file, image)) image = platform::Image{};
        picture.surface = MakePictureSurface(std::move(image));
        if (!picture.surface) {
            ShowGameMessage(messages::kStatusSurface);
            continue;
        }
        SetSourceColourKey(picture.surface.get(), picture.colorKey);
    }
}

void CHero::RestoreStatusPictures() {
    // The energy icon speaks for all four.
    const SurfacePtr& energy = statusPictures[kEnergyIcon].surface;
    if (!energy || !energy->IsLost()) return;
    for (StatusPicture& picture : statusPictures) {
        if (!picture.surface) continue;
        picture.surface->Restore();
        ReloadPictureSurface(picture.file, picture.surface.get());
    }
}

void CHero::DrawStatusPictures() {
    const GameDlgFields* window = mainWindow ? mainWindow : GameGlobals::mainWindow;
    platform::Surface* target = window ? window->drawTarget : nullptr;
    if (!target) return;
    auto draw = [&](StatusIcon icon, int32_t sx, int32_t sy) {
        const platform::Surface* picture = statusPictures[icon].surface.get();
        if (!picture) return;
        platform::BltFast(target, sx, sy, picture, platform::Rect{0, 0, picture->Width(), picture->Height()}, true);
    };
    // Icons past the right edge could never show; huge counts from a damaged save stop there.
    const int32_t right = window->screenWidth;
    auto drawRow = [&](StatusIcon icon, const IconRow& row, int32_t count) {
        for (int32_t i = 0; i < count && row.first.x + row.step * i < right; ++i) {
            draw(icon, row.first.x + row.step * i, row.first.y);
        }
    };
    drawRow(kEnergyIcon, kEnergyRow, health / kEnergyPerIcon);
    drawRow(kLifeIcon, kLifeRow, lives);
    draw(kClubIcon, kClub.x, kClub.y);
    const int32_t moneyLength = static_cast<int32_t>(std::to_string(money).size());
    draw(kCoinIcon, kCoinRight - kDigitWidth * moneyLength, kClub.y);
}
