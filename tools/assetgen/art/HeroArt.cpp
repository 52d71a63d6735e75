// The hero's description file and his 22 animation strips.
#include <cmath>
#include <cstdio>
#include <functional>

#include "Caveman.h"
#include "Generators.h"
#include "Strip.h"

namespace art {

namespace {

// Frame geometry. Ordinary frames are the hero's box (56 wide), drawn 5 pixels below it, so the
// soles sit on the frame's row 55 and the box bottom. The attack frame is drawn 16 pixels
// above the box and, facing left, 64 pixels to its left: the body keeps its place and the
// club has 64 pixels of room in front. The death frame starts at the box's left edge.
constexpr int kBodyW = 56, kBodyH = 60;
constexpr int kAttackW = 120, kAttackH = 80;
constexpr int kDeathW = 100, kDeathH = 60;
const Pt kGround{28, 54.2};
const Pt kAttackGround{28, 54.2 + 21};

using PoseFn = std::function<CavemanPose(int frame, int frames)>;

double Phase(int f, int n) {
    return 2 * M_PI * f / n;
}

CavemanPose Stand(int f, int n) {
    double s = std::sin(Phase(f, n));
    CavemanPose p;
    p.lean = 2;
    p.hipF = 9, p.kneeF = 4, p.hipB = -7, p.kneeB = 5;
    p.shoulderB = 6 + 2 * s, p.elbowB = 12;
    p.shoulderF = 8 + 1.5 * s, p.elbowF = 20;
    p.club = -50 + 1.0 * s;
    p.clubLength = 26;
    p.headTilt = 2 * s;
    p.eyes = (f == n - 4 || f == n - 3) ? 1 : 0;  // a blink once a loop
    PlantFeet(p);
    p.bob += 0.6 * (1 - std::cos(Phase(f, n)));  // breathing
    return p;
}

CavemanPose Walk(int f, int n) {
    double a = Phase(f, n), s = std::sin(a), c = std::cos(a);
    CavemanPose p;
    p.lean = 4;
    p.hipF = 26 * s, p.hipB = -26 * s;
    p.kneeF = 6 + 30 * std::max(0.0, c), p.kneeB = 6 + 30 * std::max(0.0, -c);
    p.footF = -6 * std::max(0.0, c), p.footB = -6 * std::max(0.0, -c);
    p.shoulderB = 24 * s, p.elbowB = 18;
    p.shoulderF = 4 - 6 * s, p.elbowF = 20;
    p.club = -55 - 3 * s;
    p.clubLength = 26;
    p.headTilt = 2 * std::cos(2 * a);
    PlantFeet(p);
    return p;
}

CavemanPose Run(int f, int n) {
    double a = Phase(f, n), s = std::sin(a), c = std::cos(a);
    CavemanPose p;
    p.lean = 16;
    p.hipF = 44 * s + 6, p.hipB = -44 * s + 6;
    p.kneeF = 12 + 70 * std::max(0.0, c), p.kneeB = 12 + 70 * std::max(0.0, -c);
    p.footF = -10 * std::max(0.0, c), p.footB = -10 * std::max(0.0, -c);
    p.shoulderB = 50 * s, p.elbowB = 75;
    p.shoulderF = -38 - 8 * s, p.elbowF = 25;
    p.club = -128 + 8 * s;
    p.clubLength = 23;
    p.clubBehindBody = true;
    p.hairLift = 1.5;
    p.mouth = 0;
    PlantFeet(p);
    p.bob -= 1.5 * std::fabs(c);  // a little flight between strides
    return p;
}

CavemanPose StandJumpUp(int f, int n) {
    double s = std::sin(Phase(f, n));
    CavemanPose p;
    p.hipF = 60, p.kneeF = 100, p.hipB = 28, p.kneeB = 85;
    p.footF = -10, p.footB = -20;
    p.shoulderB = 150 + 6 * s, p.elbowB = 20;  // a fist in the air
    p.shoulderF = 55, p.elbowF = 35;
    p.club = 150 + 5 * s;
    p.clubLength = 20;
    p.mouth = 1;
    p.bob = 2;
    return p;
}

CavemanPose StandJumpDown(int f, int n) {
    double s = std::sin(Phase(f, n));
    CavemanPose p;
    p.hipF = 16, p.kneeF = 14, p.hipB = -12, p.kneeB = 22;
    p.footF = 10, p.footB = 15;
    p.shoulderB = 125 + 12 * s, p.elbowB = -15;  // arms out for balance
    p.shoulderF = 80 - 8 * s, p.elbowF = 10;
    p.club = 20 - 6 * s;
    p.clubLength = 20;
    p.hairLift = 2;
    p.mouth = 4, p.eyes = 3;
    p.bob = 2;
    return p;
}

CavemanPose JumpUp(int f, int n) {
    double s = std::sin(Phase(f, n));
    CavemanPose p;
    p.lean = 12;
    p.hipF = 78, p.kneeF = 90, p.hipB = -28, p.kneeB = 50;
    p.footF = -10, p.footB = 20;
    p.shoulderB = -35 + 6 * s, p.elbowB = 45;
    p.shoulderF = 50, p.elbowF = 40;
    p.club = 150 + 5 * s;  // leading with the club
    p.clubLength = 20;
    p.mouth = 1;
    p.hairLift = 1;
    p.bob = 2;
    return p;
}

CavemanPose JumpDown(int f, int n) {
    double s = std::sin(Phase(f, n));
    CavemanPose p;
    p.lean = 6;
    p.hipF = 42, p.kneeF = 30, p.hipB = 4, p.kneeB = 48;
    p.footF = 10, p.footB = 10;
    p.shoulderB = 115 + 12 * s, p.elbowB = 25;
    p.shoulderF = -50 - 6 * s, p.elbowF = 20;
    p.club = -150 - 6 * s;
    p.clubBehindBody = true;
    p.clubLength = 20;
    p.hairLift = 2;
    p.eyes = 3;
    p.bob = 2;
    return p;
}

// Club direction through the swing. The game shows frames 2, 4, 5, 7, 8, 10, 11, 13 and 14 of
// the sixteen while the key is held, looping 14 back to 2; the blow lands around 7 and 8.
const double kSwing[16] = {200, 208, 214, 206, 184, 150, 120, 96, 80, 66, 58, 62, 76, 110, 160, 194};

CavemanPose Attack(int f) {
    double ang = kSwing[f];
    double k = std::clamp((215.0 - ang) / 150.0, 0.0, 1.0);  // 0 wound up, 1 struck through
    CavemanPose p;
    p.lean = -6 + 20 * k;
    p.hipF = 30, p.kneeF = 28, p.hipB = -24, p.kneeB = 12;
    if (ang >= 150) {
        // Wound up: the arm reaches back behind the head.
        p.shoulderF = 130, p.elbowF = 40 + (ang - 150) * 0.6;
        p.frontArmBehind = ang > 175;
    } else {
        p.shoulderF = ang - 12, p.elbowF = 10;
    }
    p.shoulderB = 35 - p.lean, p.elbowB = 50;
    p.club = ang;
    // The club looks longer and he lunges as it comes down: the blow reaches well in front.
    p.clubLength = 30 + 6 * k;
    p.shiftX = 7 * k;
    p.mouth = ang < 125 ? 1 : 2;
    p.hairLift = ang < 125 ? 1.5 : 0;
    PlantFeet(p);
    return p;
}

CavemanPose Bored(int f, int n) {
    CavemanPose p = Stand(0, 16);
    p.eyes = 0;
    p.shoulderF = 62, p.elbowF = 22;
    p.club = 3;
    p.clubLength = 25;
    p.lean = 4;
    if (f < 8) {  // tapping a foot
        double t = std::sin(Phase(f, 4));
        p.footF = -22 * std::max(0.0, t);
        p.headTilt = 4;
    } else if (f < 18) {  // a long yawn and a stretch
        double t = std::sin(M_PI * (f - 8) / 9.0);
        p.shoulderB = 10 + 150 * t, p.elbowB = 15;
        p.mouth = t > 0.3 ? 3 : 0;
        p.eyes = t > 0.3 ? 1 : 0;
        p.headTilt = -12 * t;
    } else {  // scratching the head
        double t = std::sin(Phase(f - 18, 3));
        p.shoulderB = 165 + 6 * t, p.elbowB = 105;
        p.headTilt = 6;
        p.mouth = 0;
    }
    PlantFeet(p);
    return p;
}

// The rig is drawn a little under its own size so the tallest hair spike clears the frame top.
constexpr double kHeroScale = 0.93;

void DrawFigure(cairo_t* cr, const CavemanPose& p, const CavemanLook& look, Pt ground, double facing) {
    DrawCaveman(cr, p, look, ground, kHeroScale, facing);
}

// Speed lines behind the club while it sweeps through the blow.
void DrawSwingSmear(cairo_t* cr, int f, const CavemanPose& p, const Palette& pal) {
    if (f < 5 || f > 10) return;
    double from = kSwing[f], to = kSwing[f - 1];
    if (to - from < 8) return;
    Pt shoulder = CavemanShoulder(p);
    double reach = 7.5 + 7 + p.clubLength;
    cairo_save(cr);
    cairo_translate(cr, kAttackGround.x, kAttackGround.y);
    cairo_scale(cr, kHeroScale, kHeroScale);
    for (int i = 0; i < 3; ++i) {
        double r = reach - 1 - 5 * i;
        double a0 = from + 6, a1 = to + 6 - 8 * i;
        if (a1 <= a0) continue;
        // A Polar angle a is the cairo angle 90 - a.
        Stroke(
            cr,
            [&](cairo_t* k) {
                cairo_new_sub_path(k);
                cairo_arc(k, shoulder.x, shoulder.y, r, Radians(90 - a1), Radians(90 - a0));
            },
            pal["fx.smear"], 2.0 - 0.4 * i);
    }
    cairo_restore(cr);
}

struct Strip {
    const char* name;
    int frames;
    int width, height;
    std::function<void(cairo_t*, int, double facing)> draw;
};

}  // namespace

bool WriteHero(const Content& content, GameFolder& out) {
    const UnitDef* hero = nullptr;
    for (const auto& u : content.units) {
        if (u.name == "hero") hero = &u;
    }
    if (!hero || hero->unitClass != "HERO" || hero->width != kBodyW || hero->height != kBodyH) {
        std::fprintf(stderr, "assetgen-art: units.txt needs [hero] of class HERO, size %d %d\n", kBodyW, kBodyH);
        return false;
    }
    if (!WriteUnitFile(*hero, out)) return false;
    const Palette& pal = content.palette;
    const CavemanLook look = MakeCavemanLook(pal);

    auto body = [&](PoseFn pose, int n) {
        return [&, pose, n](cairo_t* cr, int f, double facing) { DrawFigure(cr, pose(f, n), look, kGround, facing); };
    };
    auto turn = [&](cairo_t* cr, int f, double facing) {
        // Turning from the given facing to the other: the figure narrows and flips.
        double c = std::cos(M_PI * f / 7.0);
        double squeeze = (c >= 0 ? 1 : -1) * std::max(0.22, std::fabs(c));
        DrawFigure(cr, Stand(0, 16), look, kGround, facing * squeeze);
    };
    auto attack = [&](cairo_t* cr, int f, double facing) {
        if (facing < 0) MirrorX(cr, kAttackW / 2.0);
        CavemanPose p = Attack(f);
        DrawSwingSmear(cr, f, p, pal);
        DrawFigure(cr, p, look, kAttackGround, 1);
    };
    auto death = [&](cairo_t* cr, int f, double facing) {
        // Both ways he falls toward the frame's free side: forward when facing right,
        // backward when facing left.
        CavemanPose p;
        p.clubInHand = false;
        if (f < 3) {
            p.lean = -10 - 4 * f;
            p.shoulderB = 115, p.elbowB = 20, p.shoulderF = 105, p.elbowF = 20;
            p.club = 120;
            p.hipF = 12, p.hipB = -10, p.kneeF = 10, p.kneeB = 10;
            p.eyes = 3, p.mouth = 4;
            p.hairLift = 2;
            PlantFeet(p);
        } else {
            double t = std::min(1.0, (f - 3) / 5.0);
            p.spin = 90 * t * t;
            p.lean = -10 * (1 - t);
            p.shoulderB = 110 - 70 * t, p.elbowB = 20;
            p.shoulderF = 100 - 50 * t, p.elbowF = 20;
            p.hipF = 12 - 8 * t, p.hipB = -10 + 4 * t;
            p.eyes = f >= 8 ? 2 : 3;
            p.mouth = 4;
            p.spinPivot = {0, -12};
            PlantFeet(p);
        }
        double spinSign = facing < 0 ? -1 : 1;
        p.spin *= spinSign;
        DrawFigure(cr, p, look, kGround, facing);
        // The club spins away out of the picture.
        if (f <= 3) {
            Pt handle{40 + 13.0 * f, 30 - 4.0 * f};
            DrawClub(cr, handle, 120 + 95 * f, 20, 3.4, look);
        }
        if (f >= 9) {  // stars round his head
            Pt head{28 + 44, 30};
            for (int i = 0; i < 3; ++i) {
                double a = Phase(f - 9, 3) / 3.0 + i * 2 * M_PI / 3;
                double x = head.x + 10 * std::cos(a), y = head.y + 3.5 * std::sin(a);
                Outlined(
                    cr, [&](cairo_t* c) { StarPath(c, x, y, 3.6, 1.6, 5, 15 * i); }, pal["fx.star"], pal["outline"],
                    0.9);
            }
        }
    };

    const Strip strips[] = {
        {"MOVE", 16, kBodyW, kBodyH, body(Walk, 16)},
        {"TURN", 8, kBodyW, kBodyH, turn},
        {"STAY", 16, kBodyW, kBodyH, body(Stand, 16)},
        {"RUN", 12, kBodyW, kBodyH, body(Run, 12)},
        {"STANDJUMPUP", 4, kBodyW, kBodyH, body(StandJumpUp, 4)},
        {"STANDJUMPDOWN", 4, kBodyW, kBodyH, body(StandJumpDown, 4)},
        {"JUMPUP", 4, kBodyW, kBodyH, body(JumpUp, 4)},
        {"JUMPDOWN", 4, kBodyW, kBodyH, body(JumpDown, 4)},
        {"ATACK", 16, kAttackW, kAttackH, attack},
        {"BORED", 24, kBodyW, kBodyH, body(Bored, 24)},
        {"DEATH", 12, kDeathW, kDeathH, death},
    };
    const Colour key = hero->key;
    for (const Strip& s : strips) {
        for (int side = 0; side < 2; ++side) {
            // TURNLEFT turns from facing right to facing left; TURNRIGHT the other way.
            bool left = side == 0;
            double facing = left ? -1 : 1;
            if (std::string(s.name) == "TURN") facing = -facing;
            StripLayout layout{s.width, s.height, s.frames};
            StripReport report;
            Picture pic = RenderStrip(
                layout, key, [&](cairo_t* cr, int f) { s.draw(cr, f, facing); }, &report);
            std::string name = std::string(s.name) + (left ? "LEFT" : "RIGHT");
            if (report.borderCleared > 0) {
                std::fprintf(stderr, "assetgen-art: note: %s reaches its frame edge %s (%d pixels cut; frames%s)\n",
                             name.c_str(), report.edges.c_str(), report.borderCleared, report.frames.c_str());
            }
            if (!out.WritePng("Units/HERO/" + name + ".png", pic)) return false;
        }
    }
    return true;
}

}  // namespace art
