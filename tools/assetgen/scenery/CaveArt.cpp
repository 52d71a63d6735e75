// The caves: a dark vault lit by glow-worms, rock walls with stalactites, pillars and crystals.
#include <cmath>

#include "Shapes.h"
#include "WorldArt.h"

namespace scenery {

namespace {

class CaveArt : public WorldArt {
public:
    using WorldArt::WorldArt;

    void Plan(cairo_t* cr) const override {
        VerticalGradient(cr, 0, 600, w.C("sky.top"), w.C("sky.bottom"), 0, 800);
        Rng rng(w.Seed(1));
        // Glow-worms on the far vault, thicker toward the top.
        for (int i = 0; i < 140; ++i) {
            double x = rng.Uniform(0, 800), y = 600 * std::pow(rng.Uniform(0, 1), 1.8) * 0.8;
            double r = rng.Uniform(0.8, 1.8);
            Glow(cr, {x, y}, r, w.C("glow.core"), w.C("glow.halo"));
        }
        // Far rock shapes at the bottom.
        Range r = MakeRange(rng, -40, 840, 600, 380, 470, 90);
        DrawRange(cr, r, 600, InkOf("plan.rock", 0), w.C("plan.rock"), w.C("plan.rock"), 0, w.Seed(2));
        DrawHills(cr, HillLine(rng, 0, 800, 540, 16, 100), 600, InkOf("plan.rock2", 0), 8);
    }

    // A mass of rock hanging from the top (or standing on the bottom) with cones along its edge.
    void RockMass(cairo_t* cr, double x0, double x1, double edge, double amp, bool fromTop, const Ink& ink,
                  const Ink& cone, Rng& rng, double coneLen) const {
        auto line = HillLine(rng, x0, x1, edge, amp, 90);
        const double far = fromTop ? -20 : 1100;
        std::vector<Pt> body = line;
        body.push_back({line.back().x, far});
        body.push_back({line.front().x, far});
        for (double x = x0; x < x1; x += rng.Uniform(40, 110)) {
            // Cones first, so the mass covers their roots.
            double y = edge + std::sin(x) * amp * 0.3;
            double len = coneLen * rng.Uniform(0.4, 1.0);
            Cone(cr, {x, y + (fromTop ? -10 : 10)}, len, len * rng.Uniform(0.3, 0.45), fromTop ? 180 : 0, cone, 0.05,
                 uint64_t(x));
        }
        Shaded(
            cr, [&](cairo_t* c) { SmoothPath(c, body, true, 0.8); }, ink, 10, fromTop ? -8 : 8);
    }

    void Far(cairo_t* cr) const override {
        Rng rng(w.Seed(10));
        const Ink rock = InkOf("far.rock", 2.0), cone = InkOf("far.cone", 1.8);
        RockMass(cr, -60, 1600, 170, 70, true, rock, cone, rng, 150);
        RockMass(cr, -60, 1600, 780, 60, false, rock, cone, rng, 130);
        // Pillars where a stalactite met a stalagmite long ago.
        for (double x : {260.0, 820.0, 1300.0}) {
            Pillar(cr, x + rng.Uniform(-40, 40), 100, 900, rng.Uniform(90, 140), 0.45, InkOf("far.pillar", 2.0),
                   w.Seed(uint64_t(x)));
        }
        // A few glowing crystals in the floor.
        for (int i = 0; i < 6; ++i) {
            double x = rng.Uniform(40, 1500);
            Crystal(cr, {x, 800}, rng.Uniform(30, 60), rng.Uniform(12, 18), rng.Uniform(-25, 25),
                    InkOf("far.crystal", 1.6), w.C("far.crystal.shine"));
        }
    }

    void Near(cairo_t* cr) const override {
        Rng rng(w.Seed(20));
        const Ink pillar = InkOf("near.pillar", 2.4), cone = InkOf("near.cone", 2.0);
        for (double x = 250; x < 3584; x += rng.Uniform(550, 850)) {
            Pillar(cr, x, -40, 1580, rng.Uniform(110, 170), rng.Uniform(0.35, 0.6), pillar, w.Seed(uint64_t(x)));
            for (int k = 0; k < 3; ++k) {
                Crystal(cr, {x + rng.Uniform(-60, 60), 1540}, rng.Uniform(70, 130), rng.Uniform(24, 36),
                        rng.Uniform(-30, 30), InkOf(k % 2 ? "crystal" : "crystal2", 2.0), w.C("crystal.shine"));
            }
        }
        // Stalactites from the top and stalagmites from the bottom between the pillars.
        for (double x = 60; x < 3584; x += rng.Uniform(120, 260)) {
            if (rng.Chance(0.6)) {
                double len = rng.Uniform(120, 320);
                Cone(cr, {x, -10}, len, len * 0.3, 180, cone, 0.06, uint64_t(x) + 1);
            }
            if (rng.Chance(0.5)) {
                double len = rng.Uniform(100, 260);
                Cone(cr, {x + 60, 1550}, len, len * 0.4, 0, cone, 0.06, uint64_t(x) + 2);
            }
        }
        // Glow-worm threads hanging from the top.
        for (double x = 100; x < 3584; x += rng.Uniform(70, 160)) {
            double len = rng.Uniform(60, 260);
            GlowThread(cr, {x, 0}, len, 2.4);
        }
    }

    void GlowThread(cairo_t* cr, Pt top, double len, double r) const {
        Stroke(
            cr,
            [&](cairo_t* c) {
                PolyPath(c, {top, {top.x, top.y + len}}, false);
            },
            w.C("thread"), std::max(1.0, r * 0.5));
        for (double y = top.y + len * 0.35; y <= top.y + len; y += len * 0.22) {
            Glow(cr, {top.x, y}, r * 0.6, w.C("glow.core"), w.C("glow.halo"));
        }
        Glow(cr, {top.x, top.y + len}, r, w.C("glow.core"), w.C("glow.halo"));
    }

    void Fallback(cairo_t* cr) const override {
        Rng rng(w.Seed(30));
        for (double x = 40; x < 512; x += 110) GlowThread(cr, {x, 0}, rng.Uniform(60, 200), 2.4);
    }

    void Branch(cairo_t* cr, int i) const override {
        Rng rng(w.Seed(200 + i));
        const Ink rock = InkOf("cone", 1.3), moss = InkOf("moss", 1.1);
        if (i < 5) {
            // Stalactites under a ledge.
            int n = 1 + i % 3;
            for (int k = 0; k < n; ++k) {
                double x = 40 + (k - (n - 1) / 2.0) * 7 + rng.Uniform(-1.5, 1.5);
                double len = rng.Uniform(12, 26) * (k == n / 2 ? 1.0 : 0.7);
                Cone(cr, {x, 44}, len, rng.Uniform(6, 8), 180, rock, 0.05, w.Seed(210 + k));
            }
        } else if (i < 9) {
            // Glow-worm threads under a ledge.
            for (int k = 0; k < 1 + i % 2; ++k) GlowThread(cr, {36.0 + k * 9, 47}, rng.Uniform(12, 26), 1.6);
        } else if (i < 12) {
            // Small crystals on top.
            for (int k = 0; k < 3; ++k) {
                Crystal(cr, {35.0 + k * 5, 35}, rng.Uniform(7, 12) * (k == 1 ? 1.3 : 1.0), 4.5, -25 + k * 25,
                        InkOf(i % 2 ? "crystal" : "crystal2", 1.0), w.C("crystal.shine"));
            }
        } else if (i < 15) {
            // Moss hanging over the edge, with a glow-worm.
            Frond(cr, {38, 45}, rng.Uniform(10, 16), 180, 10, 3.5, moss);
            Frond(cr, {44, 45}, rng.Uniform(8, 12), 180, -10, 3.5, moss);
            if (i == 13) GlowThread(cr, {41, 47}, 14, 1.6);
        } else if (i < 19) {
            // Crystals growing sideways out of a wall.
            int side = i % 2 ? 1 : -1;
            for (int k = 0; k < 3; ++k) {
                Crystal(cr, {40.0 + side * 6, 36.0 + k * 4}, rng.Uniform(8, 13), 4.5, side * (60 + k * 20),
                        InkOf(k % 2 ? "crystal" : "crystal2", 1.0), w.C("crystal.shine"));
            }
        } else if (i < 22) {
            // Glowing mushrooms on the side of a wall.
            int side = i % 2 ? 1 : -1;
            for (int k = 0; k < 2; ++k) {
                double y = 36 + k * 7, x = 40 + side * 8;
                Shaded(
                    cr,
                    [&](cairo_t* c) {
                        cairo_save(c);
                        cairo_translate(c, x, y);
                        cairo_rotate(c, side * 0.5);
                        cairo_arc(c, 0, 0, 4.5 - k, M_PI, 2 * M_PI);
                        cairo_close_path(c);
                        cairo_restore(c);
                    },
                    InkOf("glowcap", 1.0), 0.6, 0.6);
            }
        } else {
            // Moss and a thread down a wall.
            int side = i % 2 ? 1 : -1;
            Frond(cr, {40.0 + side * 8, 34}, rng.Uniform(14, 20), 180 + side * 5, 0, 3.5, moss);
            if (i == 24) GlowThread(cr, {40.0 - side * 6, 47}, 12, 1.6);
        }
    }

    void Artefact(cairo_t* cr, int i) const override {
        Rng rng(w.Seed(400 + i));
        const Ink cone = InkOf("cone", 1.6), bone = InkOf("bone", 1.5), rock = InkOf("boulder", 1.6);
        const Colour shine = w.C("crystal.shine");
        switch (i) {
            case 0:
                Cone(cr, {32, 82}, 64, 24, 0, cone, 0.06, 1);
                break;
            case 1:
                Cone(cr, {24, 82}, 50, 20, 0, cone, 0.06, 2);
                Cone(cr, {42, 82}, 34, 16, 0, cone, 0.06, 3);
                break;
            case 2:
            case 3:
            case 10:
                for (int k = 0; k < 5; ++k) {
                    double deg = -40 + k * 20, len = (i == 10 ? 58 : 40) * (1.0 - std::abs(k - 2) * 0.2);
                    Crystal(cr, {26.0 + k * 3, 80}, len, i == 10 ? 14 : 11, deg,
                            InkOf(i == 3 ? "crystal2" : "crystal", 1.5), shine);
                }
                break;
            case 4:
            case 11:
                for (int k = 0; k < (i == 11 ? 1 : 3); ++k) {
                    double x = i == 11 ? 32 : 18 + k * 14, s = i == 11 ? 2.2 : 1.0 - (k % 2) * 0.3;
                    Shaded(
                        cr, [&](cairo_t* c) { RoundRectPath(c, x - 3 * s, 80 - 16 * s, 6 * s, 16 * s, 2); },
                        InkOf("stem", 1.3), 1, 0);
                    Shaded(
                        cr,
                        [&](cairo_t* c) {
                            cairo_arc(c, x, 80 - 14 * s, 10 * s, M_PI, 2 * M_PI);
                            cairo_close_path(c);
                        },
                        InkOf("glowcap", 1.4), 1.5, 1.5);
                    for (int d = 0; d < 3; ++d) {
                        Filled(
                            cr,
                            [&](cairo_t* c) {
                                CirclePath(c, x - 5 * s + d * 5 * s, 80 - 19 * s + (d % 2) * 2 * s, 1.3 * s);
                            },
                            w.C("glow.core"));
                    }
                }
                break;
            case 5:  // a cave bear's skull and bones
                Bone(cr, {8, 76}, {34, 74}, 3.4, bone);
                Skull(cr, {36, 79}, 38, -1, bone, w.C("outline"));
                break;
            case 6:
                Boulder(cr, 22, 80, 18, 16, rock, w.Seed(440));
                Boulder(cr, 44, 80, 14, 11, rock, w.Seed(441));
                Boulder(cr, 34, 64, 10, 8, rock, w.Seed(442));
                break;
            case 7: {  // a torch stuck between stones
                Shaded(
                    cr,
                    [](cairo_t* c) {
                        PolyPath(c, {{29, 80}, {30, 36}, {35, 36}, {36, 80}}, true);
                    },
                    InkOf("wood", 1.5), 1.5, 0);
                Ink flame{w.C("flame"), w.C("flame.shade"), w.C("outline"), 1.4};
                Shaded(
                    cr,
                    [](cairo_t* c) {
                        SmoothPath(c, {{32, 8}, {40, 24}, {39, 36}, {26, 36}, {25, 24}}, true);
                    },
                    flame, 2, 1);
                Filled(
                    cr,
                    [](cairo_t* c) {
                        SmoothPath(c, {{32, 20}, {36, 30}, {32, 35}, {28, 30}}, true);
                    },
                    w.C("glow.core"));
                Boulder(cr, 25, 80, 9, 7, rock, w.Seed(443));
                Boulder(cr, 41, 80, 8, 6, rock, w.Seed(444));
                break;
            }
            case 8: {  // a standing stone with a painted beast
                auto stone = [](cairo_t* c) {
                    SmoothPath(c, {{14, 80}, {16, 30}, {30, 18}, {46, 26}, {50, 80}}, true, 0.8);
                };
                Shaded(cr, stone, rock, 4, 3);
                Stroke(
                    cr,
                    [](cairo_t* c) {
                        PolyPath(c, {{22, 52}, {26, 46}, {38, 46}, {42, 50}}, false);
                        cairo_move_to(c, 24, 52);
                        cairo_line_to(c, 24, 60);
                        cairo_move_to(c, 29, 50);
                        cairo_line_to(c, 29, 60);
                        cairo_move_to(c, 36, 50);
                        cairo_line_to(c, 36, 60);
                        cairo_move_to(c, 40, 50);
                        cairo_line_to(c, 40, 60);
                        cairo_move_to(c, 42, 50);
                        cairo_line_to(c, 46, 44);
                    },
                    w.C("paint"), 2.4);
                break;
            }
            case 9:  // clay pots
                for (int k = 0; k < 2; ++k) {
                    double x = 22 + k * 20, s = k ? 0.8 : 1.0;
                    Shaded(
                        cr,
                        [&](cairo_t* c) {
                            SmoothPath(c,
                                       {{x - 4 * s, 80 - 30 * s},
                                        {x + 4 * s, 80 - 30 * s},
                                        {x + 11 * s, 80 - 14 * s},
                                        {x + 7 * s, 80},
                                        {x - 7 * s, 80},
                                        {x - 11 * s, 80 - 14 * s}},
                                       true, 0.8);
                        },
                        InkOf("pot", 1.5), 2, 1);
                    Stroke(
                        cr,
                        [&](cairo_t* c) {
                            cairo_move_to(c, x - 9 * s, 80 - 16 * s);
                            cairo_line_to(c, x + 9 * s, 80 - 16 * s);
                        },
                        w.C("pot.shade"), 1.5);
                }
                break;
            default:  // a stalagmite with crystals at its foot
                Cone(cr, {30, 82}, 56, 22, 0, cone, 0.06, 5);
                Crystal(cr, {44, 80}, 20, 8, 25, InkOf("crystal", 1.2), shine);
                Crystal(cr, {16, 80}, 16, 7, -30, InkOf("crystal2", 1.2), shine);
                break;
        }
    }
};

}  // namespace

std::unique_ptr<WorldArt> MakeCaveArt(const World& w) {
    return std::make_unique<CaveArt>(w);
}

}  // namespace scenery
