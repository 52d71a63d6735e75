// The hero, a caveman with a club, as a posable figure: every animation frame and the big
// portraits on the menu screens are drawn from one rig.
#pragma once

#include <cairo.h>

#include "Palette.h"
#include "Toolkit.h"

namespace art {

// Angles are degrees in the Polar convention of common/Paint.h (0 down, 90 forward, 180 up).
struct CavemanPose {
    double bob = 0;                         // hips lowered by this many pixels
    double shiftX = 0;                      // whole figure moved forward
    double lean = 0;                        // torso tipped forward from upright
    double headTilt = 0;                    // head nodded forward
    double hipF = 0, kneeF = 0, footF = 0;  // front leg: thigh from straight down, knee fold, foot tilt
    double hipB = 0, kneeB = 0, footB = 0;  // back leg
    double shoulderF = 0, elbowF = 0;       // front arm: upper arm from straight down, elbow fold
    double shoulderB = 0, elbowB = 0;       // back arm
    double club = 200;                      // direction of the club from the front hand
    double clubLength = 28;
    bool clubBehindBody = false;  // drawn behind the legs and the tunic
    bool clubInHand = true;
    bool frontArmBehind = false;  // the club arm reaching back behind the head
    int mouth = 0;                // 0 grin, 1 shout, 2 gritted teeth, 3 yawn, 4 gasp
    int eyes = 0;                 // 0 open, 1 shut, 2 crossed out, 3 wide
    double hairLift = 0;          // hair blown up (falling) or back (running)
    double spin = 0;              // whole body turned about spinPivot (+ falls forward)
    Pt spinPivot{0, -8};
};

struct CavemanLook {
    Ink skin, hair, tunic, club, foot;
    Colour spots, eyeWhite, pupil, mouth, teeth, outline;
    double lineWidth = 1.4;
};

CavemanLook MakeCavemanLook(const Palette& palette);

// Draws the figure with its feet at 'ground' (the point below the middle of the body), scaled,
// facing right (facing 1) or left (-1).
// A facing between -1 and 1 squeezes the figure, as in the middle of a turn.
void DrawCaveman(cairo_t* cr, const CavemanPose& pose, const CavemanLook& look, Pt ground, double scale, double facing);

// Joint positions of a pose in the figure's own units (feet at the origin, facing right),
// before any spin: for placing effects and for keeping the feet on the ground.
Pt CavemanShoulder(const CavemanPose& pose);
Pt CavemanHand(const CavemanPose& pose);
double CavemanLowestAnkle(const CavemanPose& pose);
// Lowers or raises the hips so the lower foot rests on the ground.
void PlantFeet(CavemanPose& pose);

// The club on its own (status icon, mace pickup): from handle end to the head's far end.
void DrawClub(cairo_t* cr, Pt handle, double angleDeg, double length, double thickness, const CavemanLook& look);

}  // namespace art
