// The moving platforms: MovableEl.xml and, for every level group, a picture of each kind.
// Every group gets every kind, so a level may use any of them; each is tinted for its world.
// A strip of frames, one row, 64 x 16 each: a slow glint runs along the body (the game shows
// one frame per displayed frame, so the strip is long to keep the movement calm).
#include <cmath>
#include <string>

#include "Generators.h"
#include "Paths.h"
#include "Shapes.h"
#include "Toolkit.h"

namespace scenery {

namespace {

constexpr int kFrames = 40;

struct Kind {
    const char* name;
    const char* remark;
};
// The names the level descriptions use in ELEMENT_TYPE.
constexpr Kind kKinds[] = {
    {"platforma", "stone slab"},
    {"pien", "floating log"},
    {"kra", "ice floe"},
    {"bazalt", "basalt slab"},
};

Ink InkOf(const World& w, const std::string& name) {
    return {w.C(name), w.C(name + ".shade"), w.C("outline"), 1.4};
}

void DrawKind(cairo_t* cr, const World& w, int kind, int frame) {
    const double t = double(frame) / kFrames;
    switch (kind) {
        case 0: {
            Shaded(
                cr, [](cairo_t* c) { RoundRectPath(c, 1, 1.5, 62, 13.5, 4); }, InkOf(w, "platform.stone"), 2, 2);
            Stroke(
                cr,
                [](cairo_t* c) {
                    cairo_move_to(c, 20, 4);
                    cairo_line_to(c, 23, 9);
                    cairo_move_to(c, 44, 8);
                    cairo_line_to(c, 48, 12);
                },
                w.C("outline"), 1.1);
            // The world's touch on top: moss, crystals, snow or embers.
            Filled(
                cr,
                [](cairo_t* c) {
                    RoundRectPath(c, 3, 1.5, 20, 3, 1.5);
                    RoundRectPath(c, 38, 1.5, 14, 3, 1.5);
                },
                w.C("platform.accent"));
            break;
        }
        case 1: {
            Shaded(
                cr, [](cairo_t* c) { RoundRectPath(c, 1, 2, 62, 12, 6); }, InkOf(w, "platform.log"), 2, 2);
            Filled(
                cr, [](cairo_t* c) { EllipsePath(c, 57, 8, 4, 5.2); }, w.C("platform.log.end"));
            Stroke(
                cr, [](cairo_t* c) { EllipsePath(c, 57, 8, 4, 5.2); }, w.C("outline"), 1.2);
            Stroke(
                cr, [](cairo_t* c) { EllipsePath(c, 57, 8, 1.6, 2.2); }, w.C("platform.log.shade"), 1.0);
            Stroke(
                cr,
                [](cairo_t* c) {
                    cairo_move_to(c, 8, 6);
                    cairo_line_to(c, 30, 6);
                    cairo_move_to(c, 18, 10);
                    cairo_line_to(c, 46, 10);
                },
                w.C("platform.log.shade"), 1.1);
            break;
        }
        case 2: {
            Shaded(
                cr,
                [](cairo_t* c) {
                    SmoothPath(c, {{2, 4}, {14, 1.5}, {40, 2}, {62, 4}, {60, 14}, {30, 14.5}, {4, 13}}, true, 0.6);
                },
                InkOf(w, "platform.ice"), 2, 2);
            Filled(
                cr,
                [](cairo_t* c) {
                    SmoothPath(c, {{5, 4}, {20, 2.5}, {44, 3}, {58, 5}, {40, 6}, {20, 5.5}}, true, 0.6);
                },
                w.C("platform.snow"));
            break;
        }
        default: {
            Prism(cr, 16.5, 4, 15, 31, InkOf(w, "platform.basalt"), w.C("platform.basalt.top"));
            Prism(cr, 47.5, 4, 15, 31, InkOf(w, "platform.basalt"), w.C("platform.basalt.top"));
            // A seam of glowing rock between the prisms, breathing slowly.
            const double glow = 0.5 + 0.5 * std::sin(t * 2 * M_PI);
            Stroke(
                cr,
                [](cairo_t* c) {
                    cairo_move_to(c, 32, 7);
                    cairo_line_to(c, 32, 14);
                },
                w.C("platform.glow").Mix(w.C("platform.glow.hot"), glow), 2.0);
            break;
        }
    }
    // The glint: a narrow light band crossing the body in the first half of the cycle.
    if (t < 0.5) {
        const double x = -10 + t * 2 * 84;
        cairo_save(cr);
        cairo_rectangle(cr, 2, 3, 60, 4);
        cairo_clip(cr);
        Filled(
            cr,
            [x](cairo_t* c) {
                PolyPath(c, {{x, 3}, {x + 4, 3}, {x + 2, 7}, {x - 2, 7}}, true);
            },
            w.C("platform.glint"));
        cairo_restore(cr);
    }
}

}  // namespace

bool WritePlatforms(const std::vector<World>& worlds, GameFolder& out) {
    std::string xml = "<MOVABLEELEMENTS>\r\n";
    for (const Kind& k : kKinds) {
        xml += std::string("<ELEMENT NAME=\"") + k.name + "\" COLLISION=\"TRUE\" DESTROYABLE=\"FALSE\"/>\r\n";
    }
    xml += "</MOVABLEELEMENTS>\r\n";
    if (!out.Write(MovableElPath(), xml)) return false;
    for (const World& w : worlds) {
        for (int kind = 0; kind < int(std::size(kKinds)); ++kind) {
            Picture strip(kPlatformFrameWidth * kFrames, kPlatformHeight, w.keys.platform);
            for (int f = 0; f < kFrames; ++f) {
                Sketch s(kPlatformFrameWidth, kPlatformHeight);
                DrawKind(s.Cr(), w, kind, f);
                const Picture frame = s.Keyed(w.keys.platform);
                for (int y = 0; y < kPlatformHeight; ++y) {
                    for (int x = 0; x < kPlatformFrameWidth; ++x)
                        strip.At(f * kPlatformFrameWidth + x, y) = frame.At(x, y);
                }
            }
            if (!out.WritePng(PlatformPath(w.set, kKinds[kind].name), strip)) return false;
        }
    }
    return true;
}

}  // namespace scenery
