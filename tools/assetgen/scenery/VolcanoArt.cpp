// The volcano: an ash sky glowing red at the horizon, smoking cones and lava streams, basalt
// prisms, embers and charred wood.
#include <cmath>

#include "Shapes.h"
#include "WorldArt.h"

namespace scenery {

namespace {

class VolcanoArt : public WorldArt {
public:
    using WorldArt::WorldArt;

    // A volcano cone with a glowing crater, lava running down and smoke above.
    void Volcano(cairo_t* cr, double cx, double base, double h, double halfWidth, const Ink& ink, double lavaWidth,
                 uint64_t seed) const {
        Rng rng(seed);
        const double top = base - h, crater = halfWidth * 0.18;
        Smoke(cr, cx, top - 10, halfWidth * 0.45, h * 0.9, InkOf("smoke", ink.width), seed + 1);
        std::vector<Pt> body = {{cx - halfWidth, base}, {cx - crater * 1.6, top + h * 0.12}, {cx - crater, top},
                                {cx + crater, top},     {cx + crater * 1.5, top + h * 0.1},  {cx + halfWidth, base}};
        Filled(
            cr,
            [&](cairo_t* c) {
                SmoothPath(c, body, false, 0.4);
                cairo_close_path(c);
            },
            ink.base);
        Filled(
            cr,
            [&](cairo_t* c) {
                PolyPath(c,
                         {{cx + crater * 0.3, top},
                          {cx + crater, top},
                          {cx + crater * 1.5, top + h * 0.1},
                          {cx + halfWidth, base},
                          {cx + halfWidth * 0.25, base}},
                         true);
            },
            ink.shade);
        // Lava streams from the crater.
        for (int k = 0; k < 3; ++k) {
            std::vector<Pt> flow = {{cx + (k - 1) * crater * 0.6, top + 2}};
            double x = flow[0].x;
            for (double y = top + h * 0.15; y < base; y += h * 0.15) {
                x += rng.Uniform(-0.12, 0.12) * halfWidth + (k - 1) * halfWidth * 0.08;
                flow.push_back({x, y});
            }
            flow.push_back({x, base + 5});
            Stroke(
                cr, [&](cairo_t* c) { SmoothPath(c, flow, false); }, w.C("lava.shade"), lavaWidth * 1.6);
            Stroke(
                cr, [&](cairo_t* c) { SmoothPath(c, flow, false); }, w.C("lava"), lavaWidth);
            Stroke(
                cr, [&](cairo_t* c) { SmoothPath(c, flow, false); }, w.C("lava.core"), lavaWidth * 0.35);
        }
        Filled(
            cr, [&](cairo_t* c) { EllipsePath(c, cx, top + 1, crater * 0.8, crater * 0.2); }, w.C("lava"));
        Stroke(
            cr, [&](cairo_t* c) { SmoothPath(c, body, false, 0.4); }, ink.line, ink.width);
    }

    void Plan(cairo_t* cr) const override {
        VerticalGradient(cr, 0, 600, w.C("sky.top"), w.C("sky.bottom"), 0, 800);
        // A dim red sun through the ash, and ash clouds.
        Filled(
            cr, [](cairo_t* c) { CirclePath(c, 600, 170, 46); }, w.C("sun.glow"));
        Filled(
            cr, [](cairo_t* c) { CirclePath(c, 600, 170, 36); }, w.C("sun"));
        const Ink ash{w.C("ash.cloud"), w.C("ash.cloud.shade"), w.C("ash.cloud.shade"), 1.0};
        Cloud(cr, 180, 90, 260, ash, w.Seed(2));
        Cloud(cr, 560, 60, 200, ash, w.Seed(3));
        Cloud(cr, 760, 250, 160, ash, w.Seed(4));
        Volcano(cr, 320, 560, 230, 260, InkOf("plan.volcano", 1.0), 5, w.Seed(5));
        Rng rng(w.Seed(1));
        DrawHills(cr, HillLine(rng, 0, 800, 540, 14, 120), 600, InkOf("plan.ground", 0), 8);
    }

    void Far(cairo_t* cr) const override {
        Rng rng(w.Seed(10));
        const double W = 1536;
        Range r = MakeRange(rng, -60, W + 60, 680, 380, 520, 220);
        DrawRange(cr, r, 1024, InkOf("far.ridge", 2.0), w.C("far.ridge"), w.C("far.ridge"), 0, w.Seed(11));
        Volcano(cr, 520, 720, 520, 520, InkOf("far.volcano", 2.2), 8, w.Seed(12));
        Volcano(cr, 1280, 720, 330, 340, InkOf("far.volcano", 2.0), 6, w.Seed(13));
        DrawHills(cr, HillLine(rng, 0, W, 720, 26, 200), 1024, InkOf("far.ground", 2.0), 14);
        // A lava river across the plain.
        std::vector<Pt> river;
        for (double x = -40; x < W + 80; x += 120) river.push_back({x, 820 + std::sin(x * 0.006) * 24});
        Stroke(
            cr, [&](cairo_t* c) { SmoothPath(c, river, false); }, w.C("outline"), 20);
        Stroke(
            cr, [&](cairo_t* c) { SmoothPath(c, river, false); }, w.C("lava.shade"), 17);
        Stroke(
            cr, [&](cairo_t* c) { SmoothPath(c, river, false); }, w.C("lava"), 11);
        Stroke(
            cr, [&](cairo_t* c) { SmoothPath(c, river, false); }, w.C("lava.core"), 3);
        DrawHills(cr, HillLine(rng, 0, W, 880, 24, 200), 1024, InkOf("far.ground2", 2.0), 14);
    }

    void Near(cairo_t* cr) const override {
        Rng rng(w.Seed(20));
        const Ink prism = InkOf("near.basalt", 2.2);
        for (double x = 120; x < 3584; x += rng.Uniform(450, 800)) {
            // A cluster of basalt prisms of different heights, tallest in the middle.
            const int n = rng.Int(3, 5);
            const double wd = rng.Uniform(70, 100);
            for (int k = 0; k < n; ++k) {
                double h = rng.Uniform(300, 700) * (1.0 - std::abs(k - (n - 1) / 2.0) * 0.2);
                Prism(cr, x + k * wd * 0.98, 1540 - h, 1560, wd, prism, w.C("near.basalt.top"));
            }
            if (rng.Chance(0.7))
                Smoke(cr, x + n * wd * 0.5, 1540 - 720, 80, 500, InkOf("near.smoke", 2.0), w.Seed(uint64_t(x)));
        }
        // Charred dead trees between them.
        for (double x = 420; x < 3584; x += rng.Uniform(600, 900))
            DeadTree(cr, {x, 1560}, rng.Uniform(300, 480), w.Seed(uint64_t(x) + 3));
    }

    void DeadTree(cairo_t* cr, Pt base, double h, uint64_t seed) const {
        Rng rng(seed);
        const Ink wood = InkOf("charred", 2.0);
        Pt top{base.x + rng.Uniform(-20, 20), base.y - h};
        Stem(cr, {base, Lerp(base, top, 0.5) + Pt{rng.Uniform(-15, 15), 0}, top}, h * 0.07, wood);
        for (int k = 0; k < 4; ++k) {
            double t = rng.Uniform(0.45, 0.9);
            Pt a = Lerp(base, top, t);
            int side = k % 2 ? 1 : -1;
            Pt b = Dir(a, h * rng.Uniform(0.15, 0.3), side * rng.Uniform(30, 70));
            Stem(cr, {a, Lerp(a, b, 0.5) + Pt{0, -h * 0.02}, b}, h * 0.025, wood);
        }
    }

    void Fallback(cairo_t* cr) const override { Smoke(cr, 256, 500, 80, 420, InkOf("near.smoke", 2.0), w.Seed(30)); }

    void Ember(cairo_t* cr, Pt c, double r) const {
        Filled(
            cr, [&](cairo_t* cc) { CirclePath(cc, c.x, c.y, r + 1); }, w.C("lava.shade"));
        Filled(
            cr, [&](cairo_t* cc) { CirclePath(cc, c.x, c.y, r); }, w.C("lava.core"));
    }

    void Flame(cairo_t* cr, Pt base, double h) const {
        Ink outer{w.C("lava"), w.C("lava.shade"), w.C("outline"), 1.0};
        Shaded(
            cr,
            [&](cairo_t* c) {
                SmoothPath(c,
                           {{base.x, base.y - h},
                            {base.x + h * 0.35, base.y - h * 0.35},
                            {base.x + h * 0.25, base.y},
                            {base.x - h * 0.25, base.y},
                            {base.x - h * 0.35, base.y - h * 0.4}},
                           true);
            },
            outer, 1, 0.5);
        Filled(
            cr,
            [&](cairo_t* c) {
                SmoothPath(c,
                           {{base.x, base.y - h * 0.6},
                            {base.x + h * 0.15, base.y - h * 0.2},
                            {base.x, base.y - h * 0.05},
                            {base.x - h * 0.15, base.y - h * 0.2}},
                           true);
            },
            w.C("lava.core"));
    }

    // Any branch may land on any solid cell, deep rock included: keep them small and light.
    void Branch(cairo_t* cr, int i) const override {
        Rng rng(w.Seed(200 + i));
        if (i < 5) {
            // Embers rising from the cell.
            for (int k = 0; k < 2 + i % 2; ++k)
                Ember(cr, {40 + rng.Uniform(-9, 9), 32 - rng.Uniform(2, 20)}, rng.Uniform(1.0, 1.8));
        } else if (i < 8) {
            // A small flame on top.
            Flame(cr, {40 + rng.Uniform(-4, 4), 34}, rng.Uniform(9, 14));
        } else if (i < 12) {
            // A glowing crack across the cell.
            std::vector<Pt> crack = {{33, 36 + rng.Uniform(0, 8)}};
            for (int k = 1; k <= 4; ++k) crack.push_back({33.0 + k * 3.5, 36 + rng.Uniform(0, 8)});
            Stroke(
                cr, [&](cairo_t* c) { PolyPath(c, crack, false); }, w.C("lava.shade"), 2.6);
            Stroke(
                cr, [&](cairo_t* c) { PolyPath(c, crack, false); }, w.C("lava.core"), 1.1);
        } else if (i < 15) {
            // Lava dripping from an underside.
            for (int k = 0; k < 1 + i % 2; ++k) {
                double x = 37 + k * 7, len = rng.Uniform(6, 12);
                Shaded(
                    cr,
                    [&](cairo_t* c) {
                        SmoothPath(
                            c, {{x - 2.5, 45}, {x + 2.5, 45}, {x + 1.5, 45 + len}, {x, 47 + len}, {x - 1.5, 45 + len}},
                            true, 0.6);
                    },
                    Ink{w.C("lava"), w.C("lava.shade"), w.C("outline"), 1.0}, 0.6, 0);
                Ember(cr, {x, 52 + len}, 1.4);
            }
        } else if (i < 18) {
            // Obsidian shards sticking out of a side.
            int side = i % 2 ? 1 : -1;
            for (int k = 0; k < 2; ++k) {
                Crystal(cr, {40.0 + side * 7, 37.0 + k * 5}, rng.Uniform(7, 11), 4, side * (65 + k * 30),
                        InkOf("obsidian", 1.0), w.C("obsidian.shine"));
            }
        } else if (i < 21) {
            // Charred roots hanging below.
            for (int k = 0; k < 2; ++k) {
                double x = 36 + k * 7;
                std::vector<Pt> root = {
                    {x, 44}, {x + rng.Uniform(-2, 2), 50}, {x + rng.Uniform(-4, 4), 54 + rng.Uniform(0, 5)}};
                Stroke(
                    cr, [&](cairo_t* c) { SmoothPath(c, root, false); }, w.C("outline"), 2.8);
                Stroke(
                    cr, [&](cairo_t* c) { SmoothPath(c, root, false); }, w.C("charred"), 1.2);
            }
        } else {
            // An obsidian shard on top.
            Crystal(cr, {40 + rng.Uniform(-4, 4), 34}, rng.Uniform(8, 12), 5, rng.Uniform(-20, 20),
                    InkOf("obsidian", 1.0), w.C("obsidian.shine"));
        }
    }

    void Artefact(cairo_t* cr, int i) const override {
        Rng rng(w.Seed(400 + i));
        const Ink rock = InkOf("basalt", 1.6), bone = InkOf("bone", 1.5);
        switch (i) {
            case 0:  // a lava vent: a small crater glowing, smoke above
                Smoke(cr, 32, 52, 9, 34, InkOf("smoke", 1.4), w.Seed(410));
                Shaded(
                    cr,
                    [](cairo_t* c) {
                        SmoothPath(c, {{4, 80}, {18, 58}, {46, 58}, {60, 80}}, true, 0.6);
                    },
                    rock, 3, 2);
                Filled(
                    cr, [](cairo_t* c) { EllipsePath(c, 32, 59, 13, 4); }, w.C("lava"));
                Filled(
                    cr, [](cairo_t* c) { EllipsePath(c, 32, 59, 7, 2); }, w.C("lava.core"));
                break;
            case 1:
            case 2:  // basalt prisms
                for (int k = 0; k < 3; ++k) {
                    double h = (i == 1 ? 44 : 30) * (1.0 - std::abs(k - 1) * 0.3);
                    Prism(cr, 18 + k * 14, 80 - h, 80, 14, rock, w.C("basalt.top"));
                }
                break;
            case 3:  // a charred stump
                Shaded(
                    cr,
                    [](cairo_t* c) {
                        PolyPath(c, {{18, 80}, {21, 48}, {27, 44}, {31, 50}, {38, 42}, {44, 52}, {46, 80}}, true);
                    },
                    InkOf("charred", 1.6), 3, 0);
                for (int k = 0; k < 3; ++k) Ember(cr, {26.0 + k * 7, 60.0 + (k % 2) * 8}, 1.4);
                break;
            case 4:  // obsidian crystals
                for (int k = 0; k < 4; ++k) {
                    Crystal(cr, {24.0 + k * 5, 80}, 44 * (1.0 - std::abs(k - 1.5) * 0.2), 11, -35 + k * 22,
                            InkOf("obsidian", 1.5), w.C("obsidian.shine"));
                }
                break;
            case 5:  // a dragon skull
                Skull(cr, {32, 79}, 50, 1, bone, w.C("lava.shade"));
                break;
            case 6:  // a fire fern
                Fern(cr, {32, 80}, 34, 7, 150, InkOf("firefern", 1.3), w.Seed(460));
                break;
            case 7:  // a pile of lava rocks with glowing seams
                Boulder(cr, 22, 80, 17, 14, rock, w.Seed(470));
                Boulder(cr, 44, 80, 14, 11, rock, w.Seed(471));
                Boulder(cr, 32, 62, 11, 8, rock, w.Seed(472));
                Stroke(
                    cr,
                    [](cairo_t* c) {
                        PolyPath(c, {{14, 70}, {20, 66}, {26, 72}}, false);
                    },
                    w.C("lava"), 2);
                Stroke(
                    cr,
                    [](cairo_t* c) {
                        PolyPath(c, {{40, 74}, {46, 70}, {52, 74}}, false);
                    },
                    w.C("lava"), 2);
                break;
            case 8:  // a steaming fumarole
                Smoke(cr, 30, 44, 8, 28, InkOf("steam", 1.4), w.Seed(480));
                Cone(cr, {32, 82}, 34, 30, 0, rock);
                Filled(
                    cr, [](cairo_t* c) { EllipsePath(c, 32, 50, 4, 1.6); }, w.C("lava.core"));
                break;
            default:  // bones by a flame
                Bone(cr, {8, 76}, {36, 72}, 3.4, bone);
                Flame(cr, {46, 80}, 26);
                break;
        }
    }
};

}  // namespace

std::unique_ptr<WorldArt> MakeVolcanoArt(const World& w) {
    return std::make_unique<VolcanoArt>(w);
}

}  // namespace scenery
