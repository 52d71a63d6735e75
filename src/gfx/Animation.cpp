// A strip of sprite frames on one surface, drawn at a screen position and scale.
#include "gfx/Animation.h"

#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "core/Messages.h"
#include "platform/Platform.h"

namespace {}  // namespace

CAnimation::CAnimation(const std::string& folder, const std::string& subfolder, const std::string& name,
                       int32_t frameWidth, uint32_t colourKey)
    : colourKey(colourKey) {
    Load(folder, subfolder, name, frameWidth, colourKey);
}

CAnimation::~CAnimation() = default;

std::string CAnimation::PicturePath(const std::string& folder, const std::string& subfolder, const std::string& name) {
    return folder + "\\" + subfolder + "\\" + name + ".png";
}

void CAnimation::Load(const std::string& folder, const std::string& subfolder, const std::string& name,
                      int32_t frameWidth, uint32_t colourKey) {
    path = PicturePath(folder, subfolder, name);
    singleRow = false;
    surface.reset();

    platform::Image image;
    if (!platform::DecodeGamePicture(path, image)) return;

    // The geometry is known from the picture alone, so it is set even if no surface can be made.
    this->frameWidth = frameWidth;
    const int32_t width = image.width;
    const int32_t height = image.height;
    if (height <= kSingleRowMaxHeight) {
        singleRow = true;
        frameHeight = height;
        frameCount = frameWidth > 0 ? width / frameWidth : 0;
    } else {
        frameHeight = height / kRows;
        frameCount = frameWidth > 0 ? (width * kRows) / frameWidth : 0;
    }

    // The surface takes the decoded pixels over; copying them is the way when it cannot.
    surface = platform::Surface::Create(width, height, std::move(image.pixels));
    if (!surface) {
        surface = platform::Surface::Create(width, height);
        if (!surface) return;
        if (CopyBitmapToSurface(surface.get(), &image, 0, 0, width, height) != kSurfaceOk) {
            ShowGameMessage(messages::kAnimationCopy);
        }
    }
    this->colourKey = colourKey;
    SetSourceColourKey(surface.get(), colourKey);
}

void CAnimation::FrameOrigin(int32_t frame, int32_t& sx, int32_t& sy) const {
    if (singleRow && frameHeight <= kSingleRowMaxHeight) {
        sx = frame * frameWidth;
        sy = 0;
        return;
    }
    const int32_t perRow = frameCount / kRows;
    if (perRow <= 0) {
        // Fewer frames than rows: the strip is narrower than one frame and holds nothing to show.
        sx = 0;
        sy = 0;
        return;
    }
    sx = (frame % perRow) * frameWidth;
    sy = (frame / perRow) * frameHeight;
}

void CAnimation::Draw(int32_t x, int32_t y, float scale) {
    GameDlgFields* window = GameGlobals::mainWindow;
    if (!window) return;

    if (window->frameCounter != lastFrameStamp) {
        advancedThisFrame = false;
        lastFrameStamp = window->frameCounter;
    }
    if (!advancedThisFrame) {
        currentFrame += 1;
        // An owner may have written a frame beyond the strip; wrap rather than run on past it.
        if (currentFrame >= frameCount || currentFrame < 0) currentFrame = 0;
        advancedThisFrame = true;
    }

    if (!surface) return;
    // A strip narrower than one frame has no frame to show.
    if (frameCount <= 0 || frameWidth <= 0 || frameHeight <= 0) return;
    if (!singleRow && frameCount / kRows <= 0) return;

    platform::Surface* target = window->drawTarget;
    const int32_t screenWidth = window->screenWidth;
    const int32_t screenHeight = window->screenHeight;

    int32_t sx = 0;
    int32_t sy = 0;
    FrameOrigin(currentFrame, sx, sy);

    platform::BlitResult result;
    lastDrawFast = x > 0 && y > 0 && x < screenWidth - frameWidth && y < screenHeight - frameHeight && scale == 1.0f;
    if (lastDrawFast) {
        const platform::Rect source{sx, sy, sx + frameWidth, sy + frameHeight};
        result = platform::BltFast(target, x, y, surface.get(), source, true);
    } else {
        int32_t left = x;
        int32_t top = y;
        int32_t right = static_cast<int32_t>(static_cast<float>(x) + static_cast<float>(frameWidth) * scale);
        int32_t bottom = static_cast<int32_t>(static_cast<float>(y) + static_cast<float>(frameHeight) * scale);
        int32_t ox = 0;
        int32_t oy = 0;
        int32_t w = frameWidth;
        int32_t h = frameHeight;
        if (left < 0) {
            ox = static_cast<int32_t>(static_cast<float>(-left) / scale);
            left = 0;
        }
        if (right > screenWidth) {
            w -= static_cast<int32_t>(static_cast<float>(right - screenWidth) / scale);
            right = screenWidth;
        }
        if (top < 0) {
            oy = static_cast<int32_t>(static_cast<float>(-top) / scale);
            top = 0;
        }
        if (bottom > screenHeight) {
            h -= static_cast<int32_t>(static_cast<float>(bottom - screenHeight) / scale);
            bottom = screenHeight;
        }
        const platform::Rect source{sx + ox, sy + oy, sx + w, sy + h};
        const platform::Rect destination{left, top, right, bottom};
        // The blit refuses rectangles that are empty or leave either surface: a sprite wholly
        // off the screen draws nothing.
        result = platform::Blt(target, destination, surface.get(), source, true);
    }
    lastResult = static_cast<int32_t>(result);
    if (result == platform::BlitResult::SurfaceLost) Restore();
}

void CAnimation::Restore() {
    if (!surface) return;
    surface->Restore();
    platform::Image image;
    if (!platform::DecodeGamePicture(path, image)) {
        lastResult = kSurfaceFail;
        return;
    }
    lastResult = CopyBitmapToSurface(surface.get(), &image, 0, 0, image.width, image.height);
}
