// Small things drawn both as level objects and as status icons: coins, meat, the club.
#pragma once

#include <cairo.h>

#include "Palette.h"
#include "Toolkit.h"

namespace art {

// A stone-age coin of radius r centred at c; turn runs 0..1 through a full spin. metal is
// "gold" or "silver" (palette names coin.<metal>...).
void DrawCoin(cairo_t* cr, const Palette& pal, const std::string& metal, Pt c, double r, double turn);
// A roasted drumstick, its bone pointing up-right, fitting a box of size s centred at c.
void DrawMeat(cairo_t* cr, const Palette& pal, Pt c, double s, double angleDeg, bool big);

}  // namespace art
