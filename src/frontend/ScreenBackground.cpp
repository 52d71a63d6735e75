// Drawing the whole-picture surfaces of the menu-like screens, refilled from their file after a display reset.
#include "frontend/ScreenBackground.h"

#include "gfx/Surfaces.h"

void RefillIfLost(platform::Surface* picture, const char* gamePath) {
    if (!picture || !picture->IsLost()) return;
    // Refilling restores the surface; one whose file cannot be decoded again stays lost and is not drawn.
    ReloadPictureSurface(gamePath, picture);
}

void DrawWholePicture(platform::Surface* target, int x, int y, platform::Surface* picture, const char* gamePath,
                      bool useKey) {
    if (!target || !picture) return;
    RefillIfLost(picture, gamePath);
    platform::BltFast(target, x, y, picture, platform::Rect{0, 0, picture->Width(), picture->Height()}, useKey);
}
