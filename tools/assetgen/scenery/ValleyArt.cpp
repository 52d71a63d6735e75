// The green valley: blue sky and snowy mountains, green hills, palms and ferns, boulders and bones.
#include <cmath>

#include "Shapes.h"
#include "WorldArt.h"

namespace scenery {

namespace {

class ValleyArt : public WorldArt {
public:
    using WorldArt::WorldArt;

    void Plan(cairo_t* cr) const override {
        VerticalGradient(cr, 0, 600, w.C("sky.top"), w.C("sky.bottom"), 0, 800);
        // The sun, with two rings of glow.
        Glow(cr, {640, 110}, 44, w.C("sun"), w.C("sun.glow"));
        Filled(
            cr, [](cairo_t* c) { CirclePath(c, 640, 110, 44); }, w.C("sun.shade"));
        Filled(
            cr, [](cairo_t* c) { CirclePath(c, 636, 106, 39); }, w.C("sun"));
        Rng rng(w.Seed(1));
        const Ink cloud{w.C("cloud"), w.C("cloud.shade"), w.C("cloud.line"), 1.2};
        Cloud(cr, 150, 120, 190, cloud, w.Seed(2));
        Cloud(cr, 430, 70, 130, cloud, w.Seed(3));
        Cloud(cr, 720, 250, 150, cloud, w.Seed(4));
        Cloud(cr, 320, 260, 100, cloud, w.Seed(5));
        // Far blue mountains and pale hills close the picture at the bottom.
        Range r = MakeRange(rng, -40, 840, 520, 330, 430, 150);
        const Ink far{w.C("plan.mountain"), w.C("plan.mountain.shade"), w.C("plan.mountain.shade"), 1.0};
        DrawRange(cr, r, 600, far, w.C("plan.snow"), w.C("plan.snow.shade"), 0.28, w.Seed(6));
        DrawHills(cr, HillLine(rng, 0, 800, 500, 18, 130), 600, InkOf("plan.hill", 0), 8);
        DrawHills(cr, HillLine(rng, 0, 800, 555, 14, 110), 600, InkOf("plan.hill2", 0), 8);
    }

    void Far(cairo_t* cr) const override {
        Rng rng(w.Seed(10));
        const double W = 1536;
        Range r = MakeRange(rng, -60, W + 60, 640, 220, 430, 230);
        DrawRange(cr, r, 1024, InkOf("far.mountain", 2.0), w.C("far.snow"), w.C("far.snow.shade"), 0.32, w.Seed(11));
        // Green hills, a belt of forest, then nearer hills down to the bottom.
        DrawHills(cr, HillLine(rng, 0, W, 560, 40, 200), 1024, InkOf("far.hill", 2.0), 14);
        auto forest = HillLine(rng, 0, W, 690, 25, 160);
        Ink tree = InkOf("far.tree", 1.8);
        for (double x = -20; x < W + 40; x += rng.Uniform(34, 50)) {
            double y = 690 + std::sin(x * 0.004 + 1) * 20 + rng.Uniform(-8, 8);
            LeafBall(cr, {x, y}, rng.Uniform(26, 36), rng.Uniform(30, 42), tree, w.Seed(uint64_t(x) + 100));
        }
        DrawHills(cr, forest, 1024, InkOf("far.hill2", 2.0), 14);
        DrawHills(cr, HillLine(rng, 0, W, 840, 30, 220), 1024, InkOf("far.hill3", 2.0), 14);
    }

    void Near(cairo_t* cr) const override {
        Rng rng(w.Seed(20));
        const Colour haze = w.C("near.haze");
        const double k = w.N("near.haze.amount");
        const Ink trunk = Hazy(InkOf("palm.trunk", 2.4), haze, k), leaf = Hazy(InkOf("palm.leaf", 2.0), haze, k);
        const Ink nut = Hazy(InkOf("coconut", 1.6), haze, k), fern = Hazy(InkOf("fern", 1.6), haze, k);
        const Ink rock = Hazy(InkOf("boulder", 2.2), haze, k);
        // Palms rooted below the picture, their crowns at different heights.
        for (double x = 200; x < 3584; x += rng.Uniform(500, 800)) {
            double h = rng.Uniform(600, 950);
            double lean = rng.Uniform(-120, 120);
            Palm(cr, {x, 1560}, h, lean, trunk, leaf, nut, w.Seed(uint64_t(x)));
            if (rng.Chance(0.5))
                Palm(cr, {x + rng.Uniform(60, 120), 1560}, h * 0.6, -lean * 0.7, trunk, leaf, nut,
                     w.Seed(uint64_t(x) + 1));
        }
        // Ferns and boulders along the bottom.
        for (double x = 60; x < 3584; x += rng.Uniform(380, 700)) {
            if (rng.Chance(0.4)) {
                Boulder(cr, x, 1540, rng.Uniform(60, 110), rng.Uniform(40, 70), rock, w.Seed(uint64_t(x) + 3));
            }
            const Ink bush = Hazy(InkOf("bush", 2.0), haze, k);
            LeafBall(cr, {x + 140, 1530}, rng.Uniform(70, 110), rng.Uniform(50, 70), bush, w.Seed(uint64_t(x) + 4));
            Fern(cr, {x + rng.Uniform(-40, 40), 1545}, rng.Uniform(150, 260), 7, 150, fern, w.Seed(uint64_t(x) + 5));
        }
    }

    void Fallback(cairo_t* cr) const override {
        const Ink fern = Hazy(InkOf("fern", 1.6), w.C("near.haze"), w.N("near.haze.amount"));
        Fern(cr, {256, 530}, 220, 7, 150, fern, w.Seed(30));
    }

    // Any branch may land on any solid cell here, deep ground included, so most are small and
    // keep to their own cell; the rest hang below or sprout above and read as roots or plants.
    void Branch(cairo_t* cr, int i) const override {
        Rng rng(w.Seed(200 + i));
        const Ink leaf = InkOf("leaf", 1.2), vine = InkOf("vine", 1.1), fern = InkOf("fern", 1.1);
        const Ink stone = InkOf("pebble", 1.1), bone = InkOf("bone", 1.1);
        if (i < 4) {
            // Stones and a bone bit half sunk in the ground.
            Boulder(cr, 37 + rng.Uniform(-2, 2), 45, rng.Uniform(3.5, 5), rng.Uniform(2.5, 3.5), stone,
                    w.Seed(210 + i));
            if (i % 2) Boulder(cr, 45, 41, 2.8, 2.2, stone, w.Seed(220 + i));
            if (i == 2) Bone(cr, {33, 38}, {42, 36}, 1.6, bone);
        } else if (i < 8) {
            // Vines hanging from the cell's underside.
            int n = 1 + i % 2;
            for (int k = 0; k < n; ++k) {
                double x = 36 + k * 8 + rng.Uniform(-2, 2);
                Frond(cr, {x, 46}, rng.Uniform(14, 24), 180 + rng.Uniform(-8, 8), rng.Uniform(-15, 15), 4.5, vine);
            }
        } else if (i < 12) {
            // A fern tuft on top.
            Fern(cr, {40 + rng.Uniform(-3, 3), 34}, rng.Uniform(12, 17), 3 + i % 2, 110, fern, w.Seed(300 + i));
        } else if (i < 15) {
            // Grass blades and a flower.
            for (int k = 0; k < 4; ++k) {
                double x = 34 + k * 4;
                Shaded(
                    cr,
                    [&](cairo_t* c) {
                        Spike(c, {x, 35}, {x + rng.Uniform(-3, 3), 35 - rng.Uniform(5, 9)}, 3);
                    },
                    InkOf("grass", 1.0), 0.6, 0.6);
            }
            const char* petals[] = {"flower.a", "flower.b", "flower.c"};
            Flower(cr, {37 + rng.Uniform(0, 6), 27}, 4, w.C(petals[i - 12]), w.C("flower.heart"), w.C("outline"));
        } else if (i < 18) {
            // Leaves sprouting from a side.
            int side = i % 2 ? 1 : -1;
            for (int k = 0; k < 2; ++k) {
                Pt a{40.0 + side * 7, 37.0 + k * 5};
                Pt b = Dir(a, rng.Uniform(8, 11), side * (70 + k * 30));
                Shaded(
                    cr, [&](cairo_t* c) { Spike(c, a, b, 5, side * 1.2); }, leaf, 0.7, 0.7);
            }
        } else if (i < 21) {
            // A creeper down the side of a wall.
            int side = i % 2 ? 1 : -1;
            Frond(cr, {40.0 + side * 8, 34}, rng.Uniform(16, 24), 180 + side * 6, -side * 8, 4, vine);
        } else if (i < 23) {
            // Roots hanging below.
            for (int k = 0; k < 3; ++k) {
                double x = 35 + k * 5;
                std::vector<Pt> root = {
                    {x, 44}, {x + rng.Uniform(-2, 2), 50}, {x + rng.Uniform(-4, 4), 53 + rng.Uniform(0, 5)}};
                Stroke(
                    cr, [&](cairo_t* c) { SmoothPath(c, root, false); }, w.C("outline"), 2.8);
                Stroke(
                    cr, [&](cairo_t* c) { SmoothPath(c, root, false); }, w.C("root"), 1.2);
            }
        } else {
            // A mushroom pair on top.
            for (int k = 0; k < 2; ++k) {
                double x = 36 + k * 8, s = k ? 0.7 : 0.9;
                Shaded(
                    cr, [&](cairo_t* c) { RoundRectPath(c, x - 1.5 * s, 33 - 7 * s, 3 * s, 7 * s, 1); },
                    InkOf("stem", 1.0), 0.5, 0);
                Shaded(
                    cr,
                    [&](cairo_t* c) {
                        cairo_arc(c, x, 33 - 6 * s, 5 * s, M_PI, 2 * M_PI);
                        cairo_close_path(c);
                    },
                    InkOf("mushroom", 1.0), 0.8, 0.8);
                Filled(
                    cr, [&](cairo_t* c) { CirclePath(c, x - 1.5 * s, 33 - 8.5 * s, 1.1 * s); }, w.C("mushroom.spot"));
            }
        }
    }

    void Artefact(cairo_t* cr, int i) const override {
        Rng rng(w.Seed(400 + i));
        const Ink rock = InkOf("boulder", 1.6), bone = InkOf("bone", 1.5), bush = InkOf("bush", 1.6);
        switch (i) {
            case 0:
            case 1:  // a bush
                LeafBall(cr, {20, 67}, 15, 14, bush, w.Seed(410 + i));
                LeafBall(cr, {44, 66}, 16, 15, bush, w.Seed(420 + i));
                LeafBall(cr, {32, 55}, 18, 17, bush, w.Seed(430 + i));
                if (i == 1) {
                    for (int k = 0; k < 4; ++k) {
                        Shaded(
                            cr, [&](cairo_t* c) { CirclePath(c, 22 + k * 7, 50 + (k % 2) * 8, 2.6); },
                            InkOf("berry", 1.0), 0.6, 0.6);
                    }
                }
                break;
            case 2:
                Boulder(cr, 32, 80, 26, 20, rock, w.Seed(440));
                break;
            case 3:
                Boulder(cr, 24, 80, 18, 15, rock, w.Seed(441));
                Boulder(cr, 46, 80, 12, 9, rock, w.Seed(442));
                break;
            case 4:  // a dinosaur skull
                Skull(cr, {32, 79}, 52, 1, bone, w.C("outline"));
                break;
            case 5:  // bones in a heap
                Bone(cr, {10, 74}, {40, 70}, 3.6, bone);
                Bone(cr, {24, 77}, {54, 76}, 3.6, bone);
                Tusk(cr, {40, 78}, 26, -20, -60, 6, bone);
                break;
            case 6:  // a big fern
                Fern(cr, {32, 80}, 36, 7, 150, InkOf("fern", 1.3), w.Seed(450));
                break;
            case 7:  // a young palm
                Palm(cr, {30, 80}, 50, 6, InkOf("palm.trunk", 1.5), InkOf("palm.leaf", 1.3), InkOf("coconut", 1.0),
                     w.Seed(451));
                break;
            case 8:  // a flowering bush
                LeafBall(cr, {32, 60}, 24, 19, bush, w.Seed(460));
                for (int k = 0; k < 5; ++k) {
                    Flower(cr, {16 + k * 8.0, 52 + (k % 2) * 10.0}, 4, w.C(k % 2 ? "flower.a" : "flower.c"),
                           w.C("flower.heart"), w.C("outline"));
                }
                break;
            case 9:  // a cairn of stones
                Boulder(cr, 32, 80, 20, 9, rock, w.Seed(470));
                Boulder(cr, 30, 62, 14, 7, rock, w.Seed(471));
                Boulder(cr, 33, 49, 9, 6, rock, w.Seed(472));
                break;
            case 10:  // a tree stump with a fern
                Shaded(
                    cr,
                    [](cairo_t* c) {
                        PolyPath(c, {{16, 80}, {20, 52}, {44, 52}, {48, 80}}, true);
                    },
                    InkOf("palm.trunk", 1.6), -3, 0);
                Filled(
                    cr, [](cairo_t* c) { EllipsePath(c, 32, 52, 12, 4); }, w.C("stump.top"));
                Stroke(
                    cr, [](cairo_t* c) { EllipsePath(c, 32, 52, 12, 4); }, w.C("outline"), 1.5);
                Stroke(
                    cr, [](cairo_t* c) { EllipsePath(c, 32, 52, 5, 1.6); }, w.C("palm.trunk.shade"), 1.2);
                Fern(cr, {48, 80}, 22, 4, 100, InkOf("fern", 1.2), w.Seed(480));
                break;
            default:  // a nest of eggs in grass
                for (int k = 0; k < 3; ++k) {
                    Shaded(
                        cr, [&](cairo_t* c) { EllipsePath(c, 22 + k * 10, 66 - (k % 2) * 3, 6, 8); }, InkOf("egg", 1.4),
                        1.2, 1.2);
                }
                Shaded(
                    cr,
                    [](cairo_t* c) {
                        PolyPath(c, {{6, 80}, {10, 68}, {54, 68}, {58, 80}}, true);
                    },
                    InkOf("nest", 1.5), 0, 2);
                break;
        }
    }
};

}  // namespace

std::unique_ptr<WorldArt> MakeValleyArt(const World& w) {
    return std::make_unique<ValleyArt>(w);
}

}  // namespace scenery
