// The ice world: a pale sky, glaciers and white peaks, ice spires and snowy firs, icicles and
// frozen mammoth bones.
#include <cmath>

#include "Shapes.h"
#include "WorldArt.h"

namespace scenery {

namespace {

class IceArt : public WorldArt {
public:
    using WorldArt::WorldArt;

    void Plan(cairo_t* cr) const override {
        VerticalGradient(cr, 0, 600, w.C("sky.top"), w.C("sky.bottom"), 0, 800);
        // A pale winter sun and a ribbon of polar light.
        Glow(cr, {180, 130}, 34, w.C("sun"), w.C("sun.glow"));
        for (int k = 0; k < 2; ++k) {
            std::vector<Pt> band;
            for (int x = -20; x <= 820; x += 80)
                band.push_back({double(x), 70.0 + k * 26 + std::sin(x * 0.012 + k) * 28});
            Stroke(
                cr, [&](cairo_t* c) { SmoothPath(c, band, false); }, w.C(k ? "aurora2" : "aurora"), 14 - k * 5);
        }
        Rng rng(w.Seed(1));
        const Ink cloud{w.C("cloud"), w.C("cloud.shade"), w.C("cloud.line"), 1.0};
        Cloud(cr, 520, 180, 160, cloud, w.Seed(2));
        Cloud(cr, 760, 120, 110, cloud, w.Seed(3));
        Range r = MakeRange(rng, -40, 840, 520, 310, 420, 130);
        const Ink far{w.C("plan.mountain"), w.C("plan.mountain.shade"), w.C("plan.mountain.shade"), 1.0};
        DrawRange(cr, r, 600, far, w.C("plan.snow"), w.C("plan.snow.shade"), 0.5, w.Seed(4));
        DrawHills(cr, HillLine(rng, 0, 800, 520, 12, 140), 600, InkOf("plan.snowfield", 0), 8);
    }

    void Far(cairo_t* cr) const override {
        Rng rng(w.Seed(10));
        const double W = 1536;
        Range r = MakeRange(rng, -60, W + 60, 660, 200, 420, 200);
        DrawRange(cr, r, 1024, InkOf("far.mountain", 2.0), w.C("far.snow"), w.C("far.snow.shade"), 0.55, w.Seed(11));
        DrawHills(cr, HillLine(rng, 0, W, 600, 30, 220), 1024, InkOf("far.snowfield", 2.0), 14);
        // A glacier front of ice cliffs, a belt of snowy firs, then snow down to the bottom.
        const Ink ice = InkOf("far.ice", 1.8);
        for (double x = -20; x < W + 40; x += rng.Uniform(50, 90)) {
            double top = 690 + rng.Uniform(-25, 10), wdt = rng.Uniform(50, 90);
            Shaded(
                cr,
                [&](cairo_t* c) {
                    PolyPath(
                        c, {{x, 760}, {x + 6, top}, {x + wdt * 0.5, top - 12}, {x + wdt, top + 4}, {x + wdt - 4, 760}},
                        true);
                },
                ice, wdt * 0.3, 0);
        }
        DrawHills(cr, HillLine(rng, 0, W, 760, 20, 180), 1024, InkOf("far.snowfield2", 2.0), 14);
        const Ink fir = InkOf("far.fir", 1.6), trunk = InkOf("trunk", 1.4);
        for (double x = 10; x < W; x += rng.Uniform(30, 70)) {
            if (rng.Chance(0.35)) continue;
            Fir(cr, {x, 830 + rng.Uniform(-10, 10)}, rng.Uniform(60, 95), fir, trunk, w.C("far.snow"));
        }
        DrawHills(cr, HillLine(rng, 0, W, 860, 20, 200), 1024, InkOf("far.snowfield3", 2.0), 14);
    }

    void Spire(cairo_t* cr, double x, double base, double h, double wd, const Ink& ink, uint64_t seed) const {
        Rng rng(seed);
        // A tall shard with a lit left facet and a shaded right one, snow on a shoulder.
        const double lean = rng.Uniform(-0.15, 0.15) * h;
        std::vector<Pt> body = {{x - wd / 2, base},
                                {x - wd * 0.42, base - h * 0.55},
                                {x + lean, base - h},
                                {x + wd * 0.45, base - h * 0.5},
                                {x + wd / 2, base}};
        Filled(
            cr, [&](cairo_t* c) { PolyPath(c, body, true); }, ink.base);
        Filled(
            cr,
            [&](cairo_t* c) {
                PolyPath(
                    c,
                    {{x + wd * 0.08, base}, {x + lean, base - h}, {x + wd * 0.45, base - h * 0.5}, {x + wd / 2, base}},
                    true);
            },
            ink.shade);
        Filled(
            cr,
            [&](cairo_t* c) {
                PolyPath(c,
                         {{x - wd * 0.3, base - h * 0.1},
                          {x - wd * 0.26, base - h * 0.5},
                          {x + lean * 0.8, base - h * 0.92},
                          {x - wd * 0.12, base - h * 0.45},
                          {x - wd * 0.18, base - h * 0.1}},
                         true);
            },
            w.C("ice.shine"));
        Stroke(
            cr, [&](cairo_t* c) { PolyPath(c, body, true); }, ink.line, ink.width);
        double sy = base - h * rng.Uniform(0.3, 0.5);
        Filled(
            cr,
            [&](cairo_t* c) {
                SmoothPath(c,
                           {{x - wd * 0.46, sy + 8},
                            {x - wd * 0.3, sy - 6},
                            {x + wd * 0.05, sy - 2},
                            {x + wd * 0.1, sy + 8},
                            {x - wd * 0.2, sy + 12}},
                           true);
            },
            w.C("near.snow"));
    }

    void Near(cairo_t* cr) const override {
        Rng rng(w.Seed(20));
        const Colour haze = w.C("near.haze");
        const double k = w.N("near.haze.amount");
        const Ink spire = Hazy(InkOf("near.ice", 2.2), haze, k), fir = Hazy(InkOf("near.fir", 2.0), haze, k);
        const Ink trunk = Hazy(InkOf("trunk", 1.8), haze, k), rock = Hazy(InkOf("near.rock", 2.0), haze, k);
        for (double x = 150; x < 3584; x += rng.Uniform(420, 720)) {
            Spire(cr, x, 1560, rng.Uniform(500, 950), rng.Uniform(180, 280), spire, w.Seed(uint64_t(x)));
            if (rng.Chance(0.6))
                Spire(cr, x + rng.Uniform(120, 200), 1560, rng.Uniform(260, 450), rng.Uniform(120, 180), spire,
                      w.Seed(uint64_t(x) + 1));
            Fir(cr, {x + rng.Uniform(200, 320), 1545}, rng.Uniform(260, 420), fir, trunk, w.C("near.snow"));
        }
        for (double x = 80; x < 3584; x += rng.Uniform(300, 600)) {
            Boulder(cr, x, 1545, rng.Uniform(70, 120), rng.Uniform(40, 60), rock, w.Seed(uint64_t(x) + 9));
            Filled(
                cr, [&](cairo_t* c) { EllipsePath(c, x - 10, 1500, 70, 16); }, w.C("near.snow"));
        }
    }

    void Fallback(cairo_t* cr) const override {
        Fir(cr, {256, 512}, 300, InkOf("near.fir", 2.0), InkOf("trunk", 1.8), w.C("near.snow"));
    }

    void Icicles(cairo_t* cr, double x0, double x1, double y, double maxLen, Rng& rng) const {
        const Ink ice = InkOf("icicle", 1.1);
        for (double x = x0; x <= x1; x += rng.Uniform(3.5, 5.5)) {
            double len = rng.Uniform(0.35, 1.0) * maxLen;
            Cone(cr, {x, y}, len, rng.Uniform(3.5, 5), 180, ice);
        }
    }

    void Branch(cairo_t* cr, int i) const override {
        Rng rng(w.Seed(200 + i));
        const Ink ice = InkOf("icicle", 1.1), snow = InkOf("snow", 1.2);
        if (i < 4) {
            // Icicles under a ledge.
            Icicles(cr, 34, 46, 46, 10 + i * 4, rng);
        } else if (i < 8) {
            // A snow lump on top with icicles under it.
            Shaded(
                cr, [&](cairo_t* c) { SmoothPath(c, LumpPoints(40, 32, 9 + i % 2 * 3, 4, 8, 0.15, w.Seed(i)), true); },
                snow, 1, 1);
            Icicles(cr, 35, 45, 46, 8 + (i % 2) * 6, rng);
        } else if (i < 12) {
            // Icicles hanging off one side of a wall.
            int side = i % 2 ? 1 : -1;
            Filled(
                cr, [&](cairo_t* c) { RoundRectPath(c, 40 + side * 8 - 3, 33, 6, 10, 3); }, w.C("snow"));
            for (int k = 0; k < 3; ++k) Cone(cr, {40.0 + side * (8 + k * 2.5), 41}, rng.Uniform(7, 16), 4, 180, ice);
        } else if (i < 16) {
            // Frost crystals growing sideways out of a wall.
            int side = i % 2 ? 1 : -1;
            for (int k = 0; k < 3; ++k) {
                Crystal(cr, {40.0 + side * 7, 35.0 + k * 5}, rng.Uniform(7, 12), 4, side * (55 + k * 25),
                        InkOf("icicle", 1.0), w.C("ice.shine"));
            }
        } else {
            // A glittering snowflake near the cell: these also fall on deep ice, so they stay small.
            Pt c{40 + rng.Uniform(-6, 6), 40 + rng.Uniform(-6, 6)};
            const double r = rng.Uniform(4, 6);
            Stroke(
                cr,
                [&](cairo_t* cc) {
                    for (int k = 0; k < 3; ++k) {
                        Pt a = Dir(c, r, k * 60), b = Dir(c, r, k * 60 + 180);
                        cairo_move_to(cc, a.x, a.y);
                        cairo_line_to(cc, b.x, b.y);
                    }
                },
                w.C("icicle.shade"), 2.6);
            Stroke(
                cr,
                [&](cairo_t* cc) {
                    for (int k = 0; k < 3; ++k) {
                        Pt a = Dir(c, r - 0.5, k * 60), b = Dir(c, r - 0.5, k * 60 + 180);
                        cairo_move_to(cc, a.x, a.y);
                        cairo_line_to(cc, b.x, b.y);
                    }
                },
                w.C("ice.shine"), 1.2);
        }
    }

    void Artefact(cairo_t* cr, int i) const override {
        Rng rng(w.Seed(400 + i));
        const Ink snow = InkOf("snow", 1.5), ice = InkOf("icicle", 1.5), bone = InkOf("bone", 1.5);
        const Ink fir = InkOf("fir", 1.5), trunk = InkOf("trunk", 1.4), rock = InkOf("rock", 1.6);
        switch (i % 17) {
            case 0:
            case 1: {  // an ice lump like a snowman, two or three balls
                int balls = 2 + i;
                double y = 80, r = 15;
                for (int k = 0; k < balls; ++k) {
                    Shaded(
                        cr, [&](cairo_t* c) { CirclePath(c, 32, y - r, r); }, snow, r * 0.25, r * 0.25);
                    y -= r * 1.75;
                    r *= 0.7;
                }
                Filled(
                    cr,
                    [&](cairo_t* c) {
                        CirclePath(c, 29, y + r * 0.6, 1.5);
                        CirclePath(c, 35, y + r * 0.6, 1.5);
                    },
                    w.C("outline"));
                break;
            }
            case 2:
            case 3:
                Fir(cr, {32, 80}, i == 2 ? 76 : 56, fir, trunk, w.C("snow"));
                break;
            case 4:
            case 5:
                for (int k = 0; k < 4; ++k) {
                    Crystal(cr, {24.0 + k * 5, 80}, (i == 4 ? 52 : 38) * (1.0 - std::abs(k - 1.5) * 0.2), 11,
                            -35 + k * 22, ice, w.C("ice.shine"));
                }
                break;
            case 6:  // a mammoth skull with its tusks
                Tusk(cr, {30, 72}, 40, 110, -140, 9, bone);
                Skull(cr, {30, 79}, 40, -1, bone, w.C("outline"));
                break;
            case 7:  // tusks in an arch
                Tusk(cr, {12, 80}, 50, 20, 120, 9, bone);
                Tusk(cr, {52, 80}, 50, -20, -120, 9, bone);
                break;
            case 8:  // ribs sticking out of the snow
                for (int k = 0; k < 4; ++k) Tusk(cr, {12.0 + k * 11, 80}, 30 - k * 3, 10, 70, 5, bone);
                Shaded(
                    cr,
                    [](cairo_t* c) {
                        SmoothPath(c, {{6, 80}, {14, 70}, {34, 72}, {52, 68}, {58, 80}}, true);
                    },
                    snow, 1, 1);
                break;
            case 9:
            case 10:
                Boulder(cr, 32, 80, i == 9 ? 24 : 18, i == 9 ? 18 : 14, rock, w.Seed(430 + i));
                Shaded(
                    cr,
                    [&](cairo_t* c) {
                        SmoothPath(c, LumpPoints(30, i == 9 ? 48 : 56, i == 9 ? 18 : 13, 5, 8, 0.15, 7), true);
                    },
                    snow, 1, 1);
                break;
            case 11:  // an ice block with a fish frozen inside
                Shaded(
                    cr, [](cairo_t* c) { RoundRectPath(c, 10, 42, 44, 38, 5); }, ice, 4, 3);
                Filled(
                    cr,
                    [](cairo_t* c) {
                        EllipsePath(c, 30, 62, 11, 5);
                        PolyPath(c, {{40, 62}, {48, 56}, {48, 68}}, true);
                    },
                    w.C("fish"));
                Filled(
                    cr, [](cairo_t* c) { CirclePath(c, 23, 61, 1.3); }, w.C("outline"));
                Filled(
                    cr,
                    [](cairo_t* c) {
                        PolyPath(c, {{14, 46}, {22, 46}, {14, 60}}, true);
                    },
                    w.C("ice.shine"));
                break;
            case 12:
                Shaded(
                    cr,
                    [](cairo_t* c) {
                        SmoothPath(c, {{4, 80}, {12, 62}, {30, 54}, {50, 62}, {60, 80}}, true);
                    },
                    snow, 3, 2);
                break;
            case 13:  // an icicle pillar
                Cone(cr, {32, 82}, 70, 22, 0, ice);
                Cone(cr, {20, 82}, 34, 12, 0, ice);
                break;
            case 14:  // a frozen bush
                LeafBall(cr, {32, 63}, 22, 17.5, InkOf("frozen.bush", 1.5), w.Seed(470));
                Shaded(
                    cr,
                    [](cairo_t* c) {
                        SmoothPath(c, {{14, 56}, {24, 46}, {40, 46}, {50, 54}, {32, 52}}, true);
                    },
                    snow, 1, 1);
                break;
            case 15:  // a cairn of snowy stones
                Boulder(cr, 32, 80, 20, 9, rock, w.Seed(480));
                Boulder(cr, 30, 62, 14, 7, rock, w.Seed(481));
                Shaded(
                    cr,
                    [](cairo_t* c) {
                        SmoothPath(c, {{18, 56}, {26, 50}, {38, 50}, {44, 56}, {30, 58}}, true);
                    },
                    snow, 1, 1);
                break;
            default:  // a bone and a snow drift
                Shaded(
                    cr,
                    [](cairo_t* c) {
                        SmoothPath(c, {{6, 80}, {16, 68}, {40, 66}, {58, 80}}, true);
                    },
                    snow, 2, 2);
                Bone(cr, {14, 66}, {42, 58}, 3.6, bone);
                break;
        }
    }
};

}  // namespace

std::unique_ptr<WorldArt> MakeIceArt(const World& w) {
    return std::make_unique<IceArt>(w);
}

}  // namespace scenery
