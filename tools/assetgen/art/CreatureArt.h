// The enemies' drawings: each creature drawn facing right in its unit box, at a point of its
// walking or flying cycle.
#pragma once

#include <cairo.h>

#include <string>

#include "Palette.h"

namespace art {

// Draws creature 'art' in a w x h frame; phase runs 0..1 through one cycle. Walkers stand on
// the line h - 6.5 (the game draws enemies 6 pixels below their box). False for unknown art.
bool DrawCreature(cairo_t* cr, const std::string& art, const Palette& palette, double w, double h, double phase);

}  // namespace art
