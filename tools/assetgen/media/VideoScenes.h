// The scenes of the intro and outro: what each storyboard scene kind shows at a given moment.
#pragma once

#include <cairo.h>

#include "Storyboard.h"

namespace media {

// Draws the whole 800x600 picture at the given time of the video: scene, fades, captions, titles.
void DrawStoryFrame(cairo_t* cr, const Storyboard& board, double time);

}  // namespace media
