// Drawing the whole-picture surfaces of the menu-like screens, refilled from their file after a display reset.
#pragma once

#include "platform/Surface.h"

// Refills a lost picture from its file (a game path); nothing happens to a surface that is not lost.
void RefillIfLost(platform::Surface* picture, const char* gamePath);

// Copies the whole picture to (x, y) of the target, refilling it first when it was lost. With
// useKey the picture's colour key is transparent. A missing picture or target draws nothing.
void DrawWholePicture(platform::Surface* target, int x, int y, platform::Surface* picture, const char* gamePath,
                      bool useKey);
