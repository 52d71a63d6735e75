// The caveman rig.
#include "Caveman.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

// Body proportions at scale 1: a big head on a short, stocky body.
constexpr double kHipHeight = 20.5;
constexpr double kThigh = 9.5;
constexpr double kShin = 9.0;
constexpr double kTorso = 14.0;
constexpr double kUpperArm = 7.5;
constexpr double kForearm = 7.0;
constexpr double kHeadRadius = 9.2;

struct Joints {
    Pt hip, neck, shoulder, head;
    Pt kneeF, ankleF, kneeB, ankleB;
    Pt elbowF, handF, elbowB, handB;
    double torsoAngle;  // Polar angle of the hip-to-neck line (180 = upright)
};

Joints Solve(const CavemanPose& p) {
    Joints j;
    j.hip = {p.shiftX, -kHipHeight + p.bob};
    j.torsoAngle = 180 - p.lean;
    j.neck = Polar(j.hip, kTorso, j.torsoAngle);
    j.shoulder = Polar(j.hip, kTorso - 2.5, j.torsoAngle);
    j.head = Polar(j.neck, kHeadRadius - 0.5, j.torsoAngle - p.headTilt * 0.3);
    j.head.x += 1.5;
    j.kneeF = Polar(j.hip, kThigh, p.hipF);
    j.ankleF = Polar(j.kneeF, kShin, p.hipF - p.kneeF);
    j.kneeB = Polar(j.hip, kThigh, p.hipB);
    j.ankleB = Polar(j.kneeB, kShin, p.hipB - p.kneeB);
    j.elbowF = Polar(j.shoulder, kUpperArm, p.shoulderF);
    j.handF = Polar(j.elbowF, kForearm, p.shoulderF + p.elbowF);
    j.elbowB = Polar(j.shoulder, kUpperArm, p.shoulderB);
    j.handB = Polar(j.elbowB, kForearm, p.shoulderB + p.elbowB);
    return j;
}

Ink Dimmed(Ink ink, bool back) {
    if (back) {
        // The far limbs sit a little in shadow, which separates them from the near ones.
        ink.base = ink.base.Darker(0.14);
        ink.shade = ink.shade.Darker(0.14);
    }
    return ink;
}

void DrawLeg(cairo_t* cr, Pt hip, Pt knee, Pt ankle, double footTilt, const CavemanLook& L, bool back) {
    Ink skin = Dimmed(L.skin, back);
    Ink foot = Dimmed(L.foot, back);
    Tube(cr, {hip, knee, ankle}, 3.0, skin);
    // A fur-wrapped foot pointing forward.
    Pt toe = Polar(ankle, 5.0, 90 + footTilt);
    Pt mid = Lerp(ankle, toe, 0.45);
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, mid.x + 0.5, mid.y + 0.3, 4.8, 2.9, -footTilt); }, foot, 1.0, 1.0);
}

void DrawArm(cairo_t* cr, Pt shoulder, Pt elbow, Pt hand, const CavemanLook& L, bool back) {
    Ink skin = Dimmed(L.skin, back);
    Tube(cr, {shoulder, elbow, hand}, 2.7, skin);
    Shaded(
        cr, [&](cairo_t* c) { CirclePath(c, hand.x, hand.y, 2.8); }, skin, 0.8, 0.8);
}

void DrawTorso(cairo_t* cr, const Joints& j, const CavemanLook& L) {
    cairo_save(cr);
    cairo_translate(cr, j.hip.x, j.hip.y);
    cairo_rotate(cr, Radians(180 - j.torsoAngle));
    // Local frame: hip at the origin, neck at (0, -kTorso), forward is +x.
    auto tunic = [](cairo_t* c) {
        std::vector<Pt> pts = {{-6.0, -kTorso + 0.5},
                               {-1, -kTorso - 1.4},
                               {5.5, -kTorso + 0.8},
                               {8.4, -7},
                               {8.6, 0.0},
                               {6.8, 3.4},
                               {3.8, 1.8},
                               {1.5, 4.0},
                               {-1.5, 2.0},
                               {-4.2, 3.8},
                               {-7.2, 1.6},
                               {-8.0, -5}};
        SmoothPath(c, pts, true, 0.55);
    };
    Shaded(cr, tunic, L.tunic, 1.6, 1.4);
    // Leopard spots, clipped to the tunic.
    cairo_save(cr);
    cairo_new_path(cr);
    tunic(cr);
    cairo_clip(cr);
    SetColour(cr, L.spots);
    const Pt spots[] = {{-3.5, -9.5}, {2.5, -11}, {4.5, -4.5}, {-1.0, -5.0}, {-4.8, -1.0}, {1.5, -0.5}};
    for (const Pt& s : spots) {
        cairo_new_path(cr);
        EllipsePath(cr, s.x, s.y, 1.7, 1.25, 20);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // The strap over the shoulder.
    Stroke(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, -4.5, -kTorso + 0.8);
            cairo_curve_to(c, -1, -9, 3, -4, 6.8, -2.0);
        },
        L.tunic.shade.Darker(0.35), 1.3);
    cairo_restore(cr);
}

void DrawHead(cairo_t* cr, const Joints& j, const CavemanPose& p, const CavemanLook& L) {
    cairo_save(cr);
    cairo_translate(cr, j.head.x, j.head.y);
    cairo_rotate(cr, Radians(180 - j.torsoAngle + p.headTilt * 0.7));
    static constexpr double R = kHeadRadius;
    const double lift = p.hairLift;
    // The face: a round skull with a heavy jaw pushed forward.
    auto face = [](cairo_t* c) {
        std::vector<Pt> pts = {{0, -R},
                               {R * 0.8, -R * 0.62},
                               {R * 1.02, -R * 0.05},
                               {R * 1.0, R * 0.62},
                               {R * 0.4, R * 1.05},
                               {-R * 0.45, R * 0.92},
                               {-R * 0.95, R * 0.3},
                               {-R * 0.9, -R * 0.55}};
        SmoothPath(c, pts, true, 1.0);
    };
    Shaded(cr, face, L.skin, 1.5, 1.3);
    // Stubble along the jaw.
    cairo_save(cr);
    cairo_new_path(cr);
    face(cr);
    cairo_clip(cr);
    SetColour(cr, L.skin.shade.Mix(L.hair.base, 0.3));
    cairo_new_path(cr);
    EllipsePath(cr, R * 0.45, R * 1.0, R * 0.8, R * 0.4, -14);
    cairo_fill(cr);
    cairo_restore(cr);
    Stroke(cr, face, L.outline, L.lineWidth);
    // A shaggy cap of hair over the top and the back, with a spiky fringe; it blows up when
    // he falls and back when he runs.
    auto hair = [lift](cairo_t* c) {
        std::vector<Pt> pts = {{R * 0.62, -R * 0.62},  {R * 0.55, -R - 1.8 - lift * 0.5},
                               {R * 0.15, -R - 0.4},   {-R * 0.2, -R - 2.6 - lift},
                               {-R * 0.5, -R * 0.9},   {-R * 0.95, -R * 0.95 - 1.2 - lift},
                               {-R * 0.95, -R * 0.45}, {-R - 2.6 - lift * 0.6, -R * 0.2 - lift * 0.4},
                               {-R * 1.0, R * 0.2},    {-R - 2.0 - lift * 0.5, R * 0.62 - lift * 0.3},
                               {-R * 0.62, R * 0.72},  {-R * 0.45, R * 0.25},
                               {-R * 0.15, -R * 0.25}, {R * 0.2, -R * 0.45},
                               {R * 0.3, -R * 0.3}};
        PolyPath(c, pts, true);
    };
    Ink hairInk = L.hair;
    Shaded(cr, hair, hairInk, 1.1, 1.1);
    // Ear in front of the hair.
    Shaded(
        cr, [](cairo_t* c) { EllipsePath(c, -R * 0.2, R * 0.12, 1.8, 2.3, 0); }, L.skin, 0.6, 0.6);
    // Eye under a heavy brow.
    Pt eye{R * 0.52, -R * 0.12};
    if (p.eyes == 1) {
        Stroke(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, eye.x - 1.6, eye.y + 0.3);
                cairo_curve_to(c, eye.x - 0.7, eye.y + 1.2, eye.x + 0.7, eye.y + 1.2, eye.x + 1.6, eye.y + 0.3);
            },
            L.outline, 1.0);
    } else if (p.eyes == 2) {
        Stroke(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, eye.x - 1.5, eye.y - 1.5);
                cairo_line_to(c, eye.x + 1.5, eye.y + 1.5);
                cairo_move_to(c, eye.x + 1.5, eye.y - 1.5);
                cairo_line_to(c, eye.x - 1.5, eye.y + 1.5);
            },
            L.outline, 1.1);
    } else {
        double er = p.eyes == 3 ? 2.1 : 1.6;
        Filled(
            cr, [&](cairo_t* c) { EllipsePath(c, eye.x, eye.y, er * 0.8, er, 0); }, L.eyeWhite);
        Filled(
            cr, [&](cairo_t* c) { EllipsePath(c, eye.x + 0.5, eye.y + 0.2, 0.95, 1.2, 0); }, L.pupil);
    }
    Stroke(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, R * 0.15, -R * 0.38);
            cairo_curve_to(c, R * 0.4, -R * 0.55, R * 0.75, -R * 0.52, R * 0.95, -R * 0.32);
        },
        L.hair.shade, 1.6);
    // Mouth under the nose.
    Pt m{R * 0.6, R * 0.52};
    switch (p.mouth) {
        case 1:
        case 3:
        case 4: {
            double w = p.mouth == 3 ? 2.1 : (p.mouth == 4 ? 1.3 : 1.9);
            double h = p.mouth == 3 ? 2.7 : (p.mouth == 4 ? 1.5 : 1.9);
            Outlined(
                cr, [&](cairo_t* c) { EllipsePath(c, m.x, m.y + 0.4, w, h, 0); }, L.mouth, L.outline, 0.9);
            break;
        }
        case 2:
            Outlined(
                cr, [&](cairo_t* c) { RoundRectPath(c, m.x - 2.2, m.y - 0.9, 4.0, 2.2, 0.7); }, L.teeth, L.outline,
                0.9);
            break;
        default:
            Stroke(
                cr,
                [&](cairo_t* c) {
                    cairo_move_to(c, m.x - 2.0, m.y);
                    cairo_curve_to(c, m.x - 0.8, m.y + 1.3, m.x + 0.9, m.y + 1.1, m.x + 1.9, m.y - 0.4);
                },
                L.outline, 0.9);
    }
    // A big round nose, the caveman's pride.
    Shaded(
        cr, [](cairo_t* c) { EllipsePath(c, R * 1.0, R * 0.15, 2.7, 2.3, 0); }, L.skin, 0.8, 0.8);
    cairo_restore(cr);
}

}  // namespace

CavemanLook MakeCavemanLook(const Palette& pal) {
    CavemanLook L;
    L.outline = pal["outline"];
    auto ink = [&](const char* base, const char* shade) { return Ink{pal[base], pal[shade], L.outline, L.lineWidth}; };
    L.skin = ink("hero.skin", "hero.skin.shade");
    L.hair = ink("hero.hair", "hero.hair.shade");
    L.tunic = ink("hero.tunic", "hero.tunic.shade");
    L.club = ink("club", "club.shade");
    L.foot = ink("hero.fur", "hero.fur.shade");
    L.spots = pal["hero.tunic.spots"];
    L.eyeWhite = pal["eye.white"];
    L.pupil = pal["outline"];
    L.mouth = pal["mouth"];
    L.teeth = pal["teeth"];
    return L;
}

void DrawClub(cairo_t* cr, Pt handle, double angleDeg, double length, double thickness, const CavemanLook& L) {
    Pt tip = Polar(handle, length, angleDeg);
    Pt head = Polar(handle, length - thickness * 2.2, angleDeg);
    Shaded(
        cr,
        [&](cairo_t* c) {
            CapsulePath(c, handle, head, thickness * 0.42, thickness);
            CirclePath(c, Lerp(head, tip, 0.35).x, Lerp(head, tip, 0.35).y, thickness * 1.12);
        },
        L.club, thickness * 0.35, thickness * 0.35);
    // Knots and a lashed grip.
    Pt k1 = Polar(Lerp(handle, head, 0.75), thickness * 0.75, angleDeg + 90);
    Pt k2 = Polar(Lerp(head, tip, 0.2), thickness * 0.9, angleDeg - 90);
    Shaded(
        cr, [&](cairo_t* c) { CirclePath(c, k1.x, k1.y, thickness * 0.32); }, L.club, 0.3, 0.3);
    Shaded(
        cr, [&](cairo_t* c) { CirclePath(c, k2.x, k2.y, thickness * 0.38); }, L.club, 0.3, 0.3);
    Pt g = Lerp(handle, head, 0.18);
    Stroke(
        cr,
        [&](cairo_t* c) {
            Pt a = Polar(g, thickness * 0.55, angleDeg + 80), b = Polar(g, thickness * 0.55, angleDeg - 80);
            cairo_move_to(c, a.x, a.y);
            cairo_line_to(c, b.x, b.y);
        },
        L.club.shade.Darker(0.3), thickness * 0.28);
}

Pt CavemanShoulder(const CavemanPose& pose) {
    return Solve(pose).shoulder;
}
Pt CavemanHand(const CavemanPose& pose) {
    return Solve(pose).handF;
}

double CavemanLowestAnkle(const CavemanPose& pose) {
    Joints j = Solve(pose);
    return std::max(j.ankleF.y, j.ankleB.y);
}

void PlantFeet(CavemanPose& pose) {
    // The ankle sits 2 pixels above the sole at rest.
    pose.bob += -2.0 - CavemanLowestAnkle(pose);
}

void DrawCaveman(cairo_t* cr, const CavemanPose& p, const CavemanLook& L, Pt ground, double scale, double facing) {
    cairo_save(cr);
    cairo_translate(cr, ground.x, ground.y);
    cairo_scale(cr, scale * facing, scale);
    if (p.spin != 0) {
        cairo_translate(cr, p.spinPivot.x, p.spinPivot.y);
        cairo_rotate(cr, Radians(p.spin));
        cairo_translate(cr, -p.spinPivot.x, -p.spinPivot.y);
    }
    const Joints j = Solve(p);
    cairo_set_line_width(cr, L.lineWidth);
    DrawArm(cr, j.shoulder, j.elbowB, j.handB, L, true);
    if (p.frontArmBehind) {
        if (p.clubInHand) DrawClub(cr, j.handF, p.club, p.clubLength, 4.2, L);
        DrawArm(cr, j.shoulder, j.elbowF, j.handF, L, false);
    }
    if (p.clubInHand && p.clubBehindBody && !p.frontArmBehind) DrawClub(cr, j.handF, p.club, p.clubLength, 4.2, L);
    DrawLeg(cr, j.hip, j.kneeB, j.ankleB, p.footB, L, true);
    DrawLeg(cr, j.hip, j.kneeF, j.ankleF, p.footF, L, false);
    DrawTorso(cr, j, L);
    DrawHead(cr, j, p, L);
    if (p.frontArmBehind) {
        cairo_restore(cr);
        return;
    }
    if (p.clubInHand && !p.clubBehindBody) DrawClub(cr, j.handF, p.club, p.clubLength, 4.2, L);
    DrawArm(cr, j.shoulder, j.elbowF, j.handF, L, false);
    cairo_restore(cr);
}

}  // namespace art
