// The figures of the videos: the caveman with his club and the villainous pterodactyl.
#pragma once

#include "Cartoon.h"

namespace media::cartoon {

struct CavemanPose {
    double facing = 1.0;  // 1 right, -1 left
    double walk = 0.0;    // walk cycle phase in cycles
    bool walking = false;
    bool sitting = false;
    double frontArm = 0.3;  // radians from hanging down, forward positive
    double backArm = -0.2;
    bool club = true;
    double clubAngle = 0.6;  // relative to the front arm
    bool crystal = false;    // held up in the front hand
    int face = 0;            // 0 glad, 1 determined, 2 startled
    double bob = 0.0;        // body raised by this many units
    bool blink = false;
};
// Feet at (x, groundY); about 160 units tall at scale 1.
void Caveman(cairo_t* cr, double x, double groundY, double scale, const CavemanPose& pose);
// The club alone, lying on the ground.
void Club(cairo_t* cr, double x, double y, double angle, double scale);

// Body centre at (x, y); flap is the wing phase in cycles; about 170 units long at scale 1.
void Pterodactyl(cairo_t* cr, double x, double y, double scale, double flap, double facing, bool carrying, double time,
                 bool dizzy);

}  // namespace media::cartoon
