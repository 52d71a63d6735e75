// The enemies' drawings.
#include "CreatureArt.h"

#include <cmath>
#include <functional>
#include <map>

#include "Toolkit.h"

namespace art {

namespace {

struct Kit {
    const Palette& pal;
    Colour line;
    double lw;

    Ink ink(const std::string& name) const { return {pal[name], pal[name + ".shade"], line, lw}; }
    Ink dim(const std::string& name, double t = 0.18) const {
        return {pal[name].Darker(t), pal[name + ".shade"].Darker(t), line, lw};
    }
};

double Wave(double phase, double offset = 0) {
    return std::sin(2 * M_PI * (phase + offset));
}
double Lift(double phase, double offset = 0) {
    return std::max(0.0, std::cos(2 * M_PI * (phase + offset)));
}

void Eye(cairo_t* cr, const Kit& k, double x, double y, double r, double lookX = 0.4, double lookY = 0.1) {
    Outlined(
        cr, [&](cairo_t* c) { CirclePath(c, x, y, r); }, k.pal["eye.white"], k.line, k.lw * 0.7);
    Filled(
        cr, [&](cairo_t* c) { CirclePath(c, x + lookX * r * 0.5, y + lookY * r * 0.5, r * 0.5); }, k.line);
}

void AngryBrow(cairo_t* cr, const Kit& k, double x, double y, double r) {
    Stroke(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x - r * 1.1, y - r * 1.2);
            cairo_line_to(c, x + r * 1.0, y - r * 0.55);
        },
        k.line, k.lw * 1.1);
}

// A jointed leg: hip, knee pushed out by 'bend', foot on the ground line with a stride.
void WalkLeg(cairo_t* cr, const Ink& ink, Pt hip, double groundY, double stride, double lift, double bend,
             double radius) {
    Pt foot{hip.x + stride, groundY - lift};
    Pt knee = Lerp(hip, foot, 0.5);
    knee.x += bend;
    Tube(cr, {hip, knee, foot}, radius, ink);
}

// --- Green valley ---------------------------------------------------------------------------

void Beetle(cairo_t* cr, const Kit& k, double, double h, double t) {
    const double G = h - 6.5;
    Ink leg = k.ink("beetle.leg");
    Ink legFar = k.dim("beetle.leg");
    for (int i = 0; i < 3; ++i) {
        double x = 14 + 8.5 * i, s = 2.6 * Wave(t, i * 0.5 + 0.25);
        WalkLeg(cr, legFar, {x + 2, G - 5}, G - 0.5, s + 2.5, 1.5 * Lift(t, i * 0.5 + 0.25), 2, 1.0);
    }
    // Head with a curved horn.
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, 37.5, G - 7, 6.2, 5.4, 0); }, k.ink("beetle.body"));
    Shaded(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, 39, G - 11);
            cairo_curve_to(c, 41, G - 17, 45, G - 18, 46, G - 15);
            cairo_curve_to(c, 44, G - 15, 42, G - 13, 42.5, G - 9.5);
            cairo_close_path(c);
        },
        k.ink("beetle.horn"), 0.6, 0.6);
    Eye(cr, k, 40.5, G - 7.5, 2.0);
    // The shell: a glossy dome split down the middle.
    auto shell = [&](cairo_t* c) {
        cairo_new_sub_path(c);
        cairo_move_to(c, 5, G - 4);
        cairo_curve_to(c, 4, G - 16, 14, G - 21, 22, G - 21);
        cairo_curve_to(c, 31, G - 21, 36, G - 14, 35.5, G - 4);
        cairo_close_path(c);
    };
    Shaded(cr, shell, k.ink("beetle.shell"), 2.0, 2.0);
    Filled(
        cr, [&](cairo_t* c) { EllipsePath(c, 15, G - 15, 5, 2.2, -25); }, k.pal["beetle.shine"]);
    Stroke(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, 22, G - 20.5);
            cairo_curve_to(c, 21, G - 14, 20, G - 9, 18, G - 4.5);
        },
        k.line, k.lw * 0.8);
    for (int i = 0; i < 3; ++i) {
        double x = 12 + 8.5 * i, s = 2.6 * Wave(t, i * 0.5);
        WalkLeg(cr, leg, {x, G - 4}, G, s - 1, 1.5 * Lift(t, i * 0.5), -2, 1.1);
    }
}

void Dino(cairo_t* cr, const Kit& k, double, double h, double t) {
    const double G = h - 6.5;
    Ink skin = k.ink("dino.skin");
    Ink far = k.dim("dino.skin");
    double bob = 1.0 * std::fabs(Wave(t, 0.25));
    // Far leg.
    {
        double s = 9 * Wave(t, 0.5), lift = 3 * Lift(t, 0.5);
        Pt hip{27, G - 17 + bob}, foot{27 + s, G - lift};
        Pt knee{27 + s * 0.5 + 5, G - 10 + bob};
        Tube(cr, {hip, knee, Pt{foot.x - 3, foot.y - 3}, foot}, 2.6, far);
        Shaded(
            cr, [&](cairo_t* c) { EllipsePath(c, foot.x + 2, foot.y - 1, 4, 1.8, 0); }, far, 0.5, 0.5);
    }
    // Tail and body.
    auto body = [&](cairo_t* c) {
        std::vector<Pt> p = {{2, G - 30 + bob - 2 * Wave(t)},
                             {12, G - 27 + bob},
                             {22, G - 30 + bob},
                             {34, G - 31 + bob},
                             {40, G - 26 + bob},
                             {38, G - 16 + bob},
                             {28, G - 12 + bob},
                             {17, G - 18 + bob},
                             {8, G - 26 + bob}};
        SmoothPath(c, p, true, 0.9);
    };
    Shaded(cr, body, skin, 2.0, 2.0);
    // Belly and stripes.
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    Filled(
        cr, [&](cairo_t* c) { EllipsePath(c, 32, G - 14 + bob, 10, 6, -20); }, k.pal["dino.belly"]);
    for (int i = 0; i < 3; ++i) {
        Stroke(
            cr,
            [&](cairo_t* c) {
                double x = 16 + 6 * i;
                cairo_move_to(c, x, G - 32 + bob);
                cairo_line_to(c, x + 2, G - 25 + bob);
            },
            k.pal["dino.stripe"], 2.0);
    }
    cairo_restore(cr);
    Stroke(cr, body, k.line, k.lw);
    // Neck and head with an open, toothy grin.
    Tube(cr, {{36, G - 24 + bob}, {42, G - 31 + bob}}, 4.0, skin);
    auto head = [&](cairo_t* c) {
        std::vector<Pt> p = {{38, G - 36 + bob}, {46, G - 40 + bob}, {56, G - 37 + bob}, {60, G - 33 + bob},
                             {56, G - 30 + bob}, {45, G - 29 + bob}, {39, G - 31 + bob}};
        SmoothPath(c, p, true, 0.8);
    };
    auto jaw = [&](cairo_t* c) {
        std::vector<Pt> p = {{42, G - 30 + bob}, {55, G - 30 + bob}, {57, G - 27 + bob}, {47, G - 25 + bob}};
        SmoothPath(c, p, true, 0.8);
    };
    Outlined(cr, jaw, k.pal["mouth"], k.line, k.lw);
    for (int i = 0; i < 3; ++i) {
        Outlined(
            cr,
            [&](cairo_t* c) {
                double x = 47 + 3 * i;
                PolyPath(c, {{x, G - 30 + bob}, {x + 2.4, G - 30 + bob}, {x + 1.2, G - 27.6 + bob}}, true);
            },
            k.pal["teeth"], k.line, 0.5);
    }
    Shaded(cr, head, skin, 1.5, 1.5);
    Eye(cr, k, 47, G - 36 + bob, 2.6);
    AngryBrow(cr, k, 47, G - 36 + bob, 2.4);
    Filled(
        cr, [&](cairo_t* c) { CirclePath(c, 57.5, G - 35 + bob, 0.8); }, k.line);
    // Little arms and the near leg.
    Tube(cr, {{38, G - 22 + bob}, {42, G - 19 + bob}, {44, G - 21 + bob}}, 1.6, skin);
    {
        double s = 9 * Wave(t), lift = 3 * Lift(t);
        Pt hip{25, G - 17 + bob}, foot{25 + s, G - lift};
        Pt knee{25 + s * 0.5 + 5, G - 10 + bob};
        Shaded(
            cr, [&](cairo_t* c) { EllipsePath(c, 24, G - 18 + bob, 6, 7, 10); }, skin, 1.2, 1.2);
        Tube(cr, {knee, Pt{foot.x - 3, foot.y - 3}, foot}, 2.6, skin);
        Shaded(
            cr, [&](cairo_t* c) { EllipsePath(c, foot.x + 2, foot.y - 1, 4, 1.8, 0); }, skin, 0.5, 0.5);
    }
}

// A flapping wing seen from the side: it sweeps back from the shoulder and beats up (beat 1)
// and down (beat -1).
void Wing(cairo_t* cr, const Ink& ink, Pt shoulder, double span, double beat, double chord, bool bat) {
    const double a = Radians(50 * beat);
    auto along = [&](double angle, double len) { return Pt{-std::cos(angle) * len, -std::sin(angle) * len}; };
    Pt wrist = shoulder + along(a * 0.55, span * 0.5);
    Pt tip = shoulder + along(a, span);
    Pt root{shoulder.x - chord, shoulder.y + 2.5};
    // The membrane bulges away from the arm, so a raised or lowered wing shows its full area.
    auto bulge = [&](Pt a, Pt b, double k) {
        Pt m = Lerp(a, b, 0.5);
        return m + (m - wrist) * k;
    };
    auto path = [&](cairo_t* c) {
        cairo_new_sub_path(c);
        cairo_move_to(c, shoulder.x + 2, shoulder.y + 1);
        cairo_curve_to(c, shoulder.x, shoulder.y - 2, wrist.x + 2, wrist.y - 1.5, wrist.x, wrist.y);
        cairo_line_to(c, tip.x, tip.y);
        if (bat) {
            // Scalloped trailing edge between the finger bones.
            Pt m1 = bulge(tip, root, 0.25), m2 = bulge(m1, root, 0.2);
            Pt w1 = Lerp(Lerp(tip, m1, 0.5), wrist, 0.3), w2 = Lerp(Lerp(m1, m2, 0.5), wrist, 0.3);
            cairo_curve_to(c, w1.x, w1.y, w1.x, w1.y, m1.x, m1.y);
            cairo_curve_to(c, w2.x, w2.y, w2.x, w2.y, m2.x, m2.y);
            cairo_line_to(c, root.x, root.y);
        } else {
            Pt bow = bulge(tip, root, 0.45);
            cairo_curve_to(c, bow.x, bow.y, bow.x, bow.y, root.x, root.y);
        }
        cairo_close_path(c);
    };
    Shaded(cr, path, ink, 1.2, 1.2);
    if (bat) {
        // Finger bones through the membrane.
        Stroke(
            cr,
            [&](cairo_t* c) {
                Pt m1 = bulge(tip, root, 0.25);
                cairo_move_to(c, wrist.x, wrist.y);
                cairo_line_to(c, m1.x, m1.y);
            },
            ink.line, 0.8);
    }
}

void Ptero(cairo_t* cr, const Kit& k, double w, double h, double t) {
    double beat = Wave(t), cy = h / 2 + 2 - 2 * beat;
    Pt shoulder{40, cy - 3};
    Wing(cr, k.dim("ptero.wing"), {shoulder.x + 3, shoulder.y - 1}, 26, Wave(t, 0.08) * 0.9, 17, false);
    // Body, crest, long beak.
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, 36, cy, 12.5, 6.5, -8); }, k.ink("ptero.skin"));
    Tube(cr, {{24, cy + 1}, {16, cy + 3}, {12, cy + 2}}, 1.6, k.ink("ptero.skin"));
    Shaded(
        cr,
        [&](cairo_t* c) {
            PolyPath(c, {{48, cy - 9}, {40, cy - 15}, {44, cy - 8}}, true);
        },
        k.ink("ptero.crest"), 0.6, 0.6);
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, 50, cy - 6, 6, 4.6, 0); }, k.ink("ptero.skin"));
    Shaded(
        cr,
        [&](cairo_t* c) {
            PolyPath(c, {{54, cy - 8}, {w - 6, cy - 3.5}, {54, cy - 3}}, true);
        },
        k.ink("ptero.beak"), 0.6, 0.6);
    Stroke(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, 55, cy - 5.4);
            cairo_line_to(c, w - 10, cy - 4.0);
        },
        k.line, 0.7);
    Eye(cr, k, 51, cy - 7, 1.9);
    AngryBrow(cr, k, 51, cy - 7, 1.8);
    // Feet tucked under.
    Tube(cr, {{34, cy + 4}, {31, cy + 9}, {28, cy + 9}}, 1.2, k.ink("ptero.beak"));
    Wing(cr, k.ink("ptero.wing"), shoulder, 30, beat, 20, false);
}

// --- Caves -----------------------------------------------------------------------------------

void Spider(cairo_t* cr, const Kit& k, double, double h, double t) {
    const double G = h - 6.5;
    auto legs = [&](bool farSide) {
        Ink ink = farSide ? k.dim("spider.leg", 0.25) : k.ink("spider.leg");
        for (int i = 0; i < 4; ++i) {
            double off = i * 0.25 + (farSide ? 0.5 : 0);
            double s = 3 * Wave(t, off), lift = 2.5 * Lift(t, off);
            double hipX = 35 + i * 2.2, footX = 11 + i * 13.5 + s + (farSide ? 2 : 0);
            Pt hip{hipX, G - 13}, knee{(hipX + footX) / 2 + (i < 2 ? -3 : 3), G - 24 - lift + i % 2};
            Tube(cr, {hip, knee, Pt{footX, G - lift}}, 1.3, ink);
        }
    };
    legs(true);
    // Abdomen with stripes, head with a cluster of glowing eyes and fangs.
    auto abdomen = [&](cairo_t* c) { EllipsePath(c, 22, G - 15 + Wave(t, 0.1) * 0.6, 13, 10, -10); };
    Shaded(cr, abdomen, k.ink("spider.body"), 2.0, 2.0);
    cairo_save(cr);
    cairo_new_path(cr);
    abdomen(cr);
    cairo_clip(cr);
    for (int i = 0; i < 3; ++i) {
        Stroke(
            cr,
            [&](cairo_t* c) {
                double x = 14 + 6 * i;
                cairo_move_to(c, x, G - 26);
                cairo_curve_to(c, x + 3, G - 18, x + 3, G - 12, x + 1, G - 5);
            },
            k.pal["spider.stripe"], 2.0);
    }
    cairo_restore(cr);
    Stroke(cr, abdomen, k.line, k.lw);
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, 40, G - 12, 8.5, 6.5, 0); }, k.ink("spider.body"), 1.5, 1.5);
    for (const Pt& e : {Pt{44, G - 15}, Pt{47, G - 13.5}, Pt{42, G - 12.5}, Pt{45.5, G - 11}}) {
        Outlined(
            cr, [&](cairo_t* c) { CirclePath(c, e.x, e.y, 1.5); }, k.pal["spider.eye"], k.line, 0.6);
    }
    Outlined(
        cr,
        [&](cairo_t* c) {
            PolyPath(c, {{45, G - 8}, {48, G - 7.5}, {46, G - 3.5}}, true);
        },
        k.pal["teeth"], k.line, 0.6);
    legs(false);
}

void Bat(cairo_t* cr, const Kit& k, double w, double h, double t) {
    double beat = Wave(t), cy = h / 2 + 1 - 2.5 * beat;
    Pt shoulder{w / 2 + 1, cy - 1};
    Wing(cr, k.dim("bat.wing"), {shoulder.x + 3, shoulder.y - 1}, 18, Wave(t, 0.08) * 0.9, 11, true);
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, w / 2, cy + 1, 8, 7, 0); }, k.ink("bat.fur"));
    // Ears, face, fangs.
    for (double x : {w / 2 + 1, w / 2 + 7}) {
        Shaded(
            cr,
            [&](cairo_t* c) {
                PolyPath(c, {{x - 3, cy - 5}, {x, cy - 13}, {x + 3, cy - 5}}, true);
            },
            k.ink("bat.fur"), 0.6, 0.6);
        Filled(
            cr,
            [&](cairo_t* c) {
                PolyPath(c, {{x - 1.4, cy - 6}, {x, cy - 10.5}, {x + 1.4, cy - 6}}, true);
            },
            k.pal["bat.ear"]);
    }
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, w / 2 + 5, cy - 2, 6, 5.2, 0); }, k.ink("bat.fur"), 1.0, 1.0);
    Outlined(
        cr, [&](cairo_t* c) { CirclePath(c, w / 2 + 7, cy - 3, 1.8); }, k.pal["bat.eye"], k.line, 0.6);
    Outlined(
        cr, [&](cairo_t* c) { CirclePath(c, w / 2 + 3.5, cy - 3, 1.6); }, k.pal["bat.eye"], k.line, 0.6);
    Outlined(
        cr,
        [&](cairo_t* c) {
            PolyPath(c, {{w / 2 + 4.5, cy + 1}, {w / 2 + 6, cy + 1}, {w / 2 + 5.2, cy + 3.5}}, true);
            PolyPath(c, {{w / 2 + 7, cy + 1}, {w / 2 + 8.5, cy + 1}, {w / 2 + 7.7, cy + 3.5}}, true);
        },
        k.pal["teeth"], k.line, 0.5);
    Wing(cr, k.ink("bat.wing"), shoulder, 21, beat, 13, true);
}

void Bear(cairo_t* cr, const Kit& k, double, double h, double t) {
    const double G = h - 6.5;
    Ink fur = k.ink("bear.fur"), far = k.dim("bear.fur");
    double bob = 1.2 * std::fabs(Wave(t, 0.25));
    auto leg = [&](const Ink& ink, double x, double off) {
        double s = 6 * Wave(t, off), lift = 3 * Lift(t, off);
        Tube(cr, {{x, G - 22 + bob}, {x + s * 0.4, G - 10 + bob * 0.5}, {x + s, G - 3 - lift}}, 4.6, ink);
        Shaded(
            cr, [&](cairo_t* c) { EllipsePath(c, x + s + 2, G - 2.5 - lift, 6, 3.2, 0); }, ink, 0.8, 0.8);
    };
    leg(far, 22, 0.5);
    leg(far, 52, 0.0);
    auto body = [&](cairo_t* c) {
        std::vector<Pt> p = {{10, G - 22 + bob}, {16, G - 36 + bob}, {34, G - 43 + bob}, {52, G - 40 + bob},
                             {62, G - 30 + bob}, {58, G - 16 + bob}, {36, G - 12 + bob}, {16, G - 13 + bob}};
        SmoothPath(c, p, true, 1.0);
    };
    Shaded(cr, body, fur, 2.5, 2.5);
    // Tufts of fur along the back.
    for (int i = 0; i < 4; ++i) {
        Stroke(
            cr,
            [&](cairo_t* c) {
                double x = 20 + 8 * i;
                cairo_move_to(c, x, G - 34 + bob + (i == 0 ? 2 : 0));
                cairo_line_to(c, x + 3, G - 30 + bob);
            },
            k.pal["bear.fur.shade"], 1.4);
    }
    leg(fur, 18, 0.0);
    leg(fur, 48, 0.5);
    // Head: ears, snout, nose, a grumpy eye.
    double hy = G - 32 + bob;
    for (double x : {58.0, 66.0}) {
        Shaded(
            cr, [&](cairo_t* c) { CirclePath(c, x, hy - 9, 3.4); }, fur, 0.8, 0.8);
    }
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, 63, hy, 11, 9.5, 0); }, fur, 1.6, 1.6);
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, 71, hy + 3, 6.5, 4.6, 0); }, k.ink("bear.snout"), 1.0, 1.0);
    Filled(
        cr, [&](cairo_t* c) { EllipsePath(c, 76, hy + 1.5, 2.2, 1.7, 0); }, k.line);
    Stroke(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, 69, hy + 6);
            cairo_line_to(c, 74, hy + 5.5);
        },
        k.line, 1.0);
    Eye(cr, k, 66, hy - 3, 2.3);
    AngryBrow(cr, k, 66, hy - 3, 2.3);
}

// --- Ice -------------------------------------------------------------------------------------

void Yeti(cairo_t* cr, const Kit& k, double, double h, double t) {
    const double G = h - 6.5;
    Ink fur = k.ink("yeti.fur"), far = k.dim("yeti.fur", 0.12), skin = k.ink("yeti.skin");
    double bob = 1.5 * std::fabs(Wave(t, 0.25));
    auto leg = [&](const Ink& ink, double x, double off) {
        double s = 7 * Wave(t, off), lift = 3 * Lift(t, off);
        Tube(cr, {{x, G - 16 + bob}, {x + s * 0.5, G - 8}, {x + s, G - 3 - lift}}, 4.8, ink);
        Shaded(
            cr, [&](cairo_t* c) { EllipsePath(c, x + s + 2, G - 2.5 - lift, 6, 3, 0); }, skin, 0.8, 0.8);
    };
    auto arm = [&](const Ink& ink, double x, double off) {
        double s = 8 * Wave(t, off);
        Pt sh{x, G - 42 + bob}, el{x + s * 0.4 + 2, G - 30 + bob}, hand{x + s + 4, G - 20 + bob};
        Tube(cr, {sh, el, hand}, 4.2, ink);
        Shaded(
            cr, [&](cairo_t* c) { CirclePath(c, hand.x, hand.y + 1, 3.6); }, skin, 0.8, 0.8);
    };
    arm(far, 24, 0.0);
    leg(far, 28, 0.5);
    auto body = [&](cairo_t* c) {
        std::vector<Pt> p;
        // A shaggy outline: every other point pushed out.
        for (int i = 0; i < 22; ++i) {
            double a = 2 * M_PI * i / 22;
            double r = (i % 2) ? 1.0 : 1.12;
            p.push_back({31 + std::sin(a) * 15 * r, G - 32 + bob - std::cos(a) * 19 * r});
        }
        SmoothPath(c, p, true, 0.7);
    };
    Shaded(cr, body, fur, 2.5, 2.5);
    leg(fur, 34, 0.0);
    // Head: a blue face framed by fur, small horns.
    double hy = G - 50 + bob;
    for (double x : {27.0, 41.0}) {
        Shaded(
            cr,
            [&](cairo_t* c) {
                PolyPath(c, {{x - 2.5, hy - 5}, {x + (x < 30 ? -3 : 3), hy - 13}, {x + 2.5, hy - 6}}, true);
            },
            k.ink("yeti.horn"), 0.6, 0.6);
    }
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, 34, hy, 11, 9.5, 0); }, fur, 1.5, 1.5);
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, 38, hy + 1.5, 7.5, 6.5, 0); }, skin, 1.0, 1.0);
    Eye(cr, k, 36.5, hy - 0.5, 2.0);
    Eye(cr, k, 41.5, hy - 0.5, 2.0);
    AngryBrow(cr, k, 41.5, hy - 0.5, 2.0);
    Outlined(
        cr, [&](cairo_t* c) { EllipsePath(c, 40, hy + 4.5, 3.2, 1.8, 0); }, k.pal["mouth"], k.line, 0.8);
    arm(fur, 38, 0.5);
}

void Mammoth(cairo_t* cr, const Kit& k, double, double h, double t) {
    const double G = h - 6.5;
    Ink fur = k.ink("mammoth.fur"), far = k.dim("mammoth.fur");
    double bob = 1.0 * std::fabs(Wave(t, 0.25));
    auto leg = [&](const Ink& ink, double x, double off) {
        double s = 5 * Wave(t, off), lift = 2.5 * Lift(t, off);
        Tube(cr, {{x, G - 26 + bob}, {x + s * 0.5, G - 12}, {x + s, G - 4 - lift}}, 6.6, ink);
        Shaded(
            cr, [&](cairo_t* c) { EllipsePath(c, x + s, G - 3 - lift, 7.2, 3.2, 0); }, k.ink("mammoth.toe"), 0.8, 0.8);
    };
    leg(far, 26, 0.5);
    leg(far, 62, 0.0);
    // Tail.
    Tube(cr, {{12, G - 40 + bob}, {7, G - 32 + bob + Wave(t)}, {6, G - 27 + bob}}, 1.6, fur);
    auto body = [&](cairo_t* c) {
        std::vector<Pt> p;
        for (int i = 0; i < 26; ++i) {
            double a = 2 * M_PI * i / 26;
            double r = (i % 2) ? 1.0 : 1.08;
            double hump = std::max(0.0, -std::cos(a)) * std::max(0.0, std::sin(a)) * 6;
            p.push_back({44 + std::sin(a) * 32 * r, G - 34 + bob - std::cos(a) * 22 * r - hump});
        }
        SmoothPath(c, p, true, 0.7);
    };
    Shaded(cr, body, fur, 3.0, 3.0);
    leg(fur, 20, 0.0);
    leg(fur, 56, 0.5);
    // Head, ear, trunk and tusks.
    double hx = 70, hy = G - 44 + bob;
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, hx, hy, 14, 14, 0); }, fur, 2.0, 2.0);
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, hx - 6, hy + 2, 5, 7, 15); }, k.dim("mammoth.fur", 0.25), 1, 1);
    double sway = 2 * Wave(t, 0.3);
    Tube(cr, {{hx + 9, hy + 2}, {hx + 14, hy + 12}, {hx + 14 + sway, hy + 24}, {hx + 18 + sway, hy + 27}}, 3.4, fur);
    Shaded(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, hx + 5, hy + 8);
            cairo_curve_to(c, hx + 9, hy + 20, hx + 18, hy + 20, hx + 21, hy + 11);
            cairo_curve_to(c, hx + 17, hy + 16, hx + 11, hy + 15, hx + 8.5, hy + 6);
            cairo_close_path(c);
        },
        k.ink("mammoth.tusk"), 0.8, 0.8);
    Eye(cr, k, hx + 6, hy - 3, 2.2);
    AngryBrow(cr, k, hx + 6, hy - 3, 2.3);
}

void Owl(cairo_t* cr, const Kit& k, double w, double h, double t) {
    double beat = Wave(t), cy = h / 2 + 3 - 2 * beat;
    Pt shoulder{w / 2 - 5, cy - 2};
    Wing(cr, k.dim("owl.feather", 0.12), {shoulder.x + 3, shoulder.y - 1}, 18, Wave(t, 0.08) * 0.9, 12, false);
    auto body = [&](cairo_t* c) { EllipsePath(c, w / 2, cy, 11, 13, 0); };
    Shaded(cr, body, k.ink("owl.feather"), 2.0, 2.0);
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    Rng rng(7);
    for (int i = 0; i < 9; ++i) {
        double x = w / 2 - 7 + rng.Uniform(0, 12), y = cy + 1 + rng.Uniform(0, 10);
        Stroke(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, x - 1.2, y);
                cairo_line_to(c, x, y + 1.0);
                cairo_line_to(c, x + 1.2, y);
            },
            k.pal["owl.spot"], 0.9);
    }
    cairo_restore(cr);
    Stroke(cr, body, k.line, k.lw);
    // Ear tufts, face disc, two big orange eyes and a hooked beak.
    for (double x : {w / 2 - 5, w / 2 + 8}) {
        Shaded(
            cr,
            [&](cairo_t* c) {
                PolyPath(c, {{x - 3, cy - 9}, {x + 1, cy - 17}, {x + 3, cy - 9}}, true);
            },
            k.ink("owl.feather"), 0.6, 0.6);
    }
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, w / 2 + 2, cy - 6, 10, 7, 0); }, k.ink("owl.face"), 1.0, 1.0);
    for (double x : {w / 2 - 2, w / 2 + 6}) {
        Outlined(
            cr, [&](cairo_t* c) { CirclePath(c, x, cy - 6.5, 3.4); }, k.pal["owl.eye"], k.line, 0.8);
        Filled(
            cr, [&](cairo_t* c) { CirclePath(c, x + 0.6, cy - 6.3, 1.7); }, k.line);
    }
    Stroke(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, w / 2 - 6, cy - 11);
            cairo_line_to(c, w / 2 + 1.5, cy - 8.5);
            cairo_line_to(c, w / 2 + 10, cy - 11);
        },
        k.line, 1.2);
    Outlined(
        cr,
        [&](cairo_t* c) {
            PolyPath(c, {{w / 2 + 1, cy - 4}, {w / 2 + 4.5, cy - 4}, {w / 2 + 2.7, cy}}, true);
        },
        k.pal["owl.beak"], k.line, 0.7);
    // Talons.
    for (double x : {w / 2 - 3, w / 2 + 3}) {
        Stroke(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, x, cy + 12);
                cairo_line_to(c, x, cy + 15);
            },
            k.pal["owl.beak"].Darker(0.3), 2.0);
    }
    Wing(cr, k.ink("owl.feather"), shoulder, 21, beat, 14, false);
}

// --- Volcano ---------------------------------------------------------------------------------

void Salamander(cairo_t* cr, const Kit& k, double, double h, double t) {
    const double G = h - 6.5;
    Ink skin = k.ink("salamander.skin"), far = k.dim("salamander.skin");
    auto leg = [&](const Ink& ink, double x, double off) {
        double s = 5 * Wave(t, off), lift = 3 * Lift(t, off);
        Tube(cr, {{x, G - 8}, {x + s * 0.5 + 2, G - 11 - lift}, {x + s + 3, G - 2 - lift}}, 2.0, ink);
    };
    leg(far, 30, 0.5);
    leg(far, 54, 0.0);
    double sw = 3 * Wave(t);
    auto body = [&](cairo_t* c) {
        std::vector<Pt> p = {{3, G - 12 + sw}, {14, G - 13 - sw * 0.5},
                             {28, G - 16},     {46, G - 17},
                             {60, G - 15},     {66, G - 10},
                             {58, G - 5},      {40, G - 4},
                             {24, G - 6},      {12, G - 8 - sw * 0.5}};
        SmoothPath(c, p, true, 0.8);
    };
    Shaded(cr, body, skin, 1.8, 1.8);
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    Filled(
        cr, [&](cairo_t* c) { EllipsePath(c, 42, G - 3, 20, 4, 0); }, k.pal["salamander.belly"]);
    for (const Pt& s : {Pt{20, G - 12}, Pt{31, G - 14}, Pt{42, G - 15}, Pt{53, G - 13}, Pt{10, G - 10}}) {
        Outlined(
            cr, [&](cairo_t* c) { EllipsePath(c, s.x, s.y, 2.6, 2.0, 0); }, k.pal["salamander.spot"], k.line, 0.6);
    }
    cairo_restore(cr);
    Stroke(cr, body, k.line, k.lw);
    // Head with a wide grin and a flame crest.
    Shaded(
        cr, [&](cairo_t* c) { EllipsePath(c, 66, G - 12, 9, 6.5, -5); }, skin, 1.2, 1.2);
    double flick = Wave(t, 0.2);
    Outlined(
        cr,
        [&](cairo_t* c) {
            SmoothPath(c, {{58, G - 16}, {59, G - 24 - flick}, {63, G - 19}, {66, G - 27 + flick}, {68, G - 18}}, true,
                       0.6);
        },
        k.pal["salamander.flame"], k.line, 0.8);
    Stroke(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, 64, G - 8.5);
            cairo_curve_to(c, 68, G - 7, 72, G - 8, 74.5, G - 11);
        },
        k.line, 1.0);
    Eye(cr, k, 68, G - 14.5, 2.3);
    AngryBrow(cr, k, 68, G - 14.5, 2.2);
    leg(skin, 26, 0.0);
    leg(skin, 50, 0.5);
}

void Dragon(cairo_t* cr, const Kit& k, double, double h, double t) {
    const double G = h - 6.5;
    Ink scale = k.ink("dragon.scale"), far = k.dim("dragon.scale");
    double bob = 1.5 * std::fabs(Wave(t, 0.25));
    auto leg = [&](const Ink& ink, double x, double off) {
        double s = 9 * Wave(t, off), lift = 4 * Lift(t, off);
        Tube(cr, {{x, G - 30 + bob}, {x + 8 + s * 0.4, G - 16 + bob * 0.5}, {x + s, G - 4 - lift}}, 5.5, ink);
        Shaded(
            cr, [&](cairo_t* c) { EllipsePath(c, x + s + 3, G - 3.2 - lift, 8, 3.4, 0); }, ink, 0.8, 0.8);
    };
    leg(far, 44, 0.5);
    // Far wing, folded up on the back.
    double flap = 3 * Wave(t, 0.1);
    auto wing = [&](double dx, const std::string& name, double tint) {
        Ink ink = tint > 0 ? k.dim(name, tint) : k.ink(name);
        Shaded(
            cr,
            [&](cairo_t* c) {
                SmoothPath(c,
                           {{48 + dx, G - 52 + bob},
                            {34 + dx, G - 78 - flap},
                            {22 + dx, G - 74 - flap},
                            {26 + dx, G - 66},
                            {18 + dx, G - 62 - flap * 0.5},
                            {30 + dx, G - 52 + bob}},
                           true, 0.5);
            },
            ink, 1.5, 1.5);
    };
    wing(6, "dragon.wing", 0.2);
    // Tail, body, belly plates.
    Tube(cr, {{30, G - 30 + bob}, {18, G - 22}, {11, G - 14 + Wave(t) * 2}, {9, G - 6}}, 4.5, scale);
    Shaded(
        cr,
        [&](cairo_t* c) {
            PolyPath(c, {{5, G - 10}, {6, G - 2}, {13, G - 6}}, true);
        },
        k.ink("dragon.horn"), 0.5, 0.5);
    auto body = [&](cairo_t* c) {
        SmoothPath(c,
                   {{26, G - 36 + bob},
                    {40, G - 58 + bob},
                    {58, G - 56 + bob},
                    {66, G - 40 + bob},
                    {58, G - 24 + bob},
                    {38, G - 20 + bob}},
                   true, 0.9);
    };
    Shaded(cr, body, scale, 2.5, 2.5);
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    Filled(
        cr, [&](cairo_t* c) { EllipsePath(c, 62, G - 36 + bob, 9, 16, -15); }, k.pal["dragon.belly"]);
    for (int i = 0; i < 4; ++i) {
        Stroke(
            cr,
            [&](cairo_t* c) {
                double y = G - 46 + bob + 6 * i;
                cairo_move_to(c, 52, y);
                cairo_line_to(c, 70, y + 3);
            },
            k.pal["dragon.belly.shade"], 1.0);
    }
    cairo_restore(cr);
    Stroke(cr, body, k.line, k.lw);
    wing(0, "dragon.wing", 0);
    // Neck and head with horns, smoking nostrils and teeth.
    Tube(cr, {{56, G - 50 + bob}, {66, G - 62 + bob}, {74, G - 68 + bob}}, 6.0, scale);
    double hx = 80, hy = G - 66 + bob;
    Shaded(
        cr,
        [&](cairo_t* c) {
            PolyPath(c, {{hx - 8, hy - 6}, {hx - 18, hy - 16}, {hx - 4, hy - 9}}, true);
        },
        k.ink("dragon.horn"), 0.6, 0.6);
    auto head = [&](cairo_t* c) {
        SmoothPath(c,
                   {{hx - 9, hy - 6},
                    {hx + 2, hy - 10},
                    {hx + 16, hy - 6},
                    {hx + 22, hy - 1},
                    {hx + 18, hy + 4},
                    {hx + 2, hy + 7},
                    {hx - 8, hy + 4}},
                   true, 0.8);
    };
    Shaded(cr, head, scale, 1.8, 1.8);
    Stroke(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, hx + 2, hy + 2);
            cairo_line_to(c, hx + 19, hy + 1);
        },
        k.line, 1.1);
    for (int i = 0; i < 3; ++i) {
        Outlined(
            cr,
            [&](cairo_t* c) {
                double x = hx + 8 + 4 * i;
                PolyPath(c, {{x, hy + 1.6}, {x + 2.6, hy + 1.4}, {x + 1.4, hy + 4.2}}, true);
            },
            k.pal["teeth"], k.line, 0.5);
    }
    Shaded(
        cr,
        [&](cairo_t* c) {
            PolyPath(c, {{hx - 2, hy - 8}, {hx - 10, hy - 20}, {hx + 3, hy - 10}}, true);
        },
        k.ink("dragon.horn"), 0.6, 0.6);
    Eye(cr, k, hx + 5, hy - 4, 2.8);
    AngryBrow(cr, k, hx + 5, hy - 4, 2.8);
    Filled(
        cr, [&](cairo_t* c) { CirclePath(c, hx + 19, hy - 3, 1.1); }, k.line);
    // Smoke puffs from the nostril.
    double puff = std::fmod(t * 2, 1.0);
    Shaded(
        cr, [&](cairo_t* c) { CirclePath(c, hx + 22 + 2 * puff, hy - 7 - 8 * puff, 2 + 1.2 * puff); }, k.ink("smoke"),
        0.6, 0.6);
    // Near leg and a clawed arm.
    leg(scale, 38, 0.0);
    Tube(cr, {{58, G - 44 + bob}, {64, G - 34 + bob}, {70, G - 36 + bob}}, 2.8, scale);
}

void FlyingMine(cairo_t* cr, const Kit& k, double w, double h, double t) {
    double cx = w / 2, cy = h / 2 + 1.5 * Wave(t);
    double rot = 360 * t / 4;  // a slow tumble
    // Stone spikes all round.
    for (int i = 0; i < 8; ++i) {
        double a = rot + 45 * i;
        Pt base1 = Polar({cx, cy}, 9, a - 16), base2 = Polar({cx, cy}, 9, a + 16), tip = Polar({cx, cy}, 17.5, a);
        Shaded(
            cr,
            [&](cairo_t* c) {
                PolyPath(c, {base1, tip, base2}, true);
            },
            k.ink("mine.spike"), 0.8, 0.8);
    }
    auto rock = [&](cairo_t* c) { CirclePath(c, cx, cy, 11); };
    Shaded(cr, rock, k.ink("mine.rock"), 2.0, 2.0);
    // Glowing cracks that pulse.
    double glow = 0.5 + 0.5 * Wave(t, 0.0);
    Colour lava = k.pal["mine.lava"].Mix(k.pal["mine.glow"], glow);
    cairo_save(cr);
    cairo_new_path(cr);
    rock(cr);
    cairo_clip(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, Radians(rot));
    Stroke(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, -9, -3);
            cairo_line_to(c, -3, -1);
            cairo_line_to(c, 0, -6);
            cairo_line_to(c, 4, -2);
            cairo_line_to(c, 9, 2);
            cairo_move_to(c, -3, -1);
            cairo_line_to(c, -1, 5);
            cairo_line_to(c, 3, 9);
        },
        lava, 2.0);
    cairo_restore(cr);
    Stroke(cr, rock, k.line, k.lw);
    // Two mean eyes in the middle of the rock.
    Eye(cr, k, cx - 3.5, cy - 1, 2.4, 0.2, 0.2);
    Eye(cr, k, cx + 3.5, cy - 1, 2.4, -0.2, 0.2);
    Stroke(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, cx - 6.5, cy - 5.5);
            cairo_line_to(c, cx - 1.5, cy - 3.5);
            cairo_move_to(c, cx + 6.5, cy - 5.5);
            cairo_line_to(c, cx + 1.5, cy - 3.5);
        },
        k.line, 1.2);
}

using Drawer = void (*)(cairo_t*, const Kit&, double, double, double);

const std::map<std::string, Drawer>& Drawers() {
    static const std::map<std::string, Drawer> drawers = {{"beetle", Beetle}, {"dino", Dino},
                                                          {"ptero", Ptero},   {"spider", Spider},
                                                          {"bat", Bat},       {"bear", Bear},
                                                          {"yeti", Yeti},     {"mammoth", Mammoth},
                                                          {"owl", Owl},       {"salamander", Salamander},
                                                          {"dragon", Dragon}, {"flyingmine", FlyingMine}};
    return drawers;
}

}  // namespace

bool DrawCreature(cairo_t* cr, const std::string& art, const Palette& palette, double w, double h, double phase) {
    auto it = Drawers().find(art);
    if (it == Drawers().end()) return false;
    Kit kit{palette, palette["outline"], 1.4};
    cairo_save(cr);
    it->second(cr, kit, w, h, phase);
    cairo_restore(cr);
    return true;
}

}  // namespace art
