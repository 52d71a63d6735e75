// One scrolling background layer: a grid of 512x512 pieces that moves slower than the camera.
#include "level/Background.h"

#include <cstdio>
#include <string>

#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "level/Level.h"
#include "platform/Platform.h"

namespace {

uint32_t BackgroundColourKey(int32_t set, int32_t layer) {
    switch (set) {
        case 0:
            return 0x4B37;
        case 2:
            // The caves' near layer is cut out of white, the far one out of black.
            return layer == CBackground::kNearLayer ? 0xFFFFFFu : 0u;
        case 6:
            return 0x3940;
        default:
            return 0;
    }
}

std::string BackgroundFolder(int32_t levelNumber) {
    char folder[80];
    std::snprintf(folder, sizeof(folder), "LevelDescriptions\\Level%ld\\Background\\",
                  static_cast<long>(CLevel::ScenerySet(levelNumber)));
    return folder;
}

std::string PieceName(int32_t layer, int a, int b) {
    char name[64];
    std::snprintf(name, sizeof(name), "Bk_%ld_%d_%d.png", static_cast<long>(layer), a, b);
    return name;
}

}  // namespace

std::vector<std::string> CBackground::PicturePaths(int32_t levelNumber, int32_t layer, float factor) {
    const float columnLimit = factor * 16 / 2;
    const float rowLimit = factor * 8 / 2;
    const std::string folder = BackgroundFolder(levelNumber);
    std::vector<std::string> paths;
    for (int a = 0; a <= columnLimit && a < kPieceColumns; ++a) {
        for (int b = 0; b < rowLimit && b < kPieceRows; ++b) paths.push_back(folder + PieceName(layer, a, b));
    }
    return paths;
}

CBackground::CBackground(int32_t levelNumber, GameDlgFields* window, int32_t layerNumber, float layerFactor)
    : layer(layerNumber), factor(layerFactor), mainWindow(window) {
    // The sizes are worked out in single precision, as the factor is stored.
    const float columnLimit = factor * 16 / 2;
    const float rowLimit = factor * 8 / 2;
    lastColumn = static_cast<int32_t>(columnLimit);
    lastRow = static_cast<int32_t>(rowLimit);

    const int32_t set = CLevel::ScenerySet(levelNumber);
    colourKey = BackgroundColourKey(set, layer);
    const std::string folder = BackgroundFolder(levelNumber);
    const std::string fallBack = folder + "Bk_1_4_3.png";

    for (int a = 0; a <= columnLimit && a < kPieceColumns && !creationFailed; ++a) {
        for (int b = 0; b < rowLimit && b < kPieceRows; ++b) {
            platform::Image image;
            if (!platform::DecodeGamePicture(folder + PieceName(layer, a, b), image) &&
                !platform::DecodeGamePicture(fallBack, image)) {
                image = platform::Image{};
            }
            // A piece that is missing along with the fall-back has no size, and no surface can be
            // made for it: like any other failed piece it gives the whole layer up.
            pieces[a][b] = MakePictureSurface(std::move(image));
            if (!pieces[a][b]) {
                creationFailed = true;
                break;
            }
            SetSourceColourKey(pieces[a][b].get(), colourKey);
            pieceSpans[a][b] = std::make_unique<CSpanPicture>(pieces[a][b].get());
        }
    }

    if (creationFailed) {
        // Half a layer would show holes that move with the camera: give it up whole.
        for (auto& column : pieceSpans) {
            for (auto& spans : column) spans.reset();
        }
        for (auto& column : pieces) {
            for (SurfacePtr& piece : column) piece.reset();
        }
    } else {
        allLoaded = true;
    }
}

CBackground::~CBackground() = default;

CBackground::Placement CBackground::PlaceFor(int32_t cameraX, int32_t cameraY) const {
    // The far layer drifts a little slower across than down, the near one keeps its own factor.
    const double kx = layer == kNearLayer ? factor * 1.0 : factor * 0.85;
    const double ky = factor * 0.8;
    const double sx = cameraX * kx;
    const double sy = cameraY * ky;
    Placement p;
    p.firstColumn = static_cast<int32_t>(sx / kPieceSize);
    p.firstRow = static_cast<int32_t>(sy / kPieceSize);
    p.offsetX = static_cast<int32_t>(p.firstColumn * kPieceSize - sx);
    p.offsetY = static_cast<int32_t>(p.firstRow * kPieceSize - sy);
    return p;
}

void CBackground::Draw() {
    const CLevel* level = GameGlobals::level;
    platform::Surface* target = mainWindow ? mainWindow->drawTarget : nullptr;
    if (!level || !target || !allLoaded) return;
    const Placement p = PlaceFor(level->cameraX, level->cameraY);
    const int screenWidth = mainWindow->screenWidth;
    const int screenHeight = mainWindow->screenHeight;
    for (int i = 0; i <= level->backgroundColumns; ++i) {
        for (int j = 0; j <= level->backgroundRows; ++j) {
            const int column = p.firstColumn + i;
            const int row = p.firstRow + j;
            if (column < 0 || column > lastColumn || row < 0 || row > lastRow) continue;
            if (column >= kPieceColumns || row >= kPieceRows) continue;
            const CSpanPicture* piece = pieceSpans[column][row].get();
            if (!piece) continue;
            const int left = i * kPieceSize + p.offsetX;
            const int top = j * kPieceSize + p.offsetY;
            // The whole piece, cut to the screen; a piece smaller than 512 draws nothing.
            piece->DrawClipped(target, platform::Rect{left, top, left + kPieceSize, top + kPieceSize},
                               platform::Rect{0, 0, kPieceSize, kPieceSize}, screenWidth, screenHeight);
        }
    }
}

bool CBackground::AnySurfaceLost() const {
    for (const auto& column : pieces) {
        for (const SurfacePtr& piece : column) {
            if (piece && piece->IsLost()) return true;
        }
    }
    return false;
}
