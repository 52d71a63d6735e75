// Lettering of the videos: captions, the golden title and the stone-tablet cards (UTF-8, DejaVu fonts).
#pragma once

#include <string>

#include "Cartoon.h"

namespace media::cartoon {

// Texts: captions in a band at the bottom, the big title, and the stone-tablet card. UTF-8; '|' breaks lines.
void Caption(cairo_t* cr, const std::string& text, double alpha);
void Title(cairo_t* cr, const std::string& text, double centreY, double size, double alpha);
void StoneCard(cairo_t* cr, const std::string& text, double alpha, double time);

}  // namespace media::cartoon
