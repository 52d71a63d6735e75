// The status icons and the hit flash.
#include <cmath>
#include <cstdio>
#include <functional>

#include "Caveman.h"
#include "Generators.h"
#include "PropArt.h"
#include "Strip.h"
#include "Toolkit.h"

namespace art {

namespace {

bool WriteIcon(GameFolder& out, const std::string& path, int w, int h, const Colour& key,
               const std::function<void(cairo_t*)>& draw) {
    StripReport report;
    Picture pic = RenderStrip(
        {w, h, 1}, key, [&](cairo_t* cr, int) { draw(cr); }, &report);
    if (report.borderCleared > 0) {
        std::fprintf(stderr, "assetgen-art: note: %s reaches its edge %s\n", path.c_str(), report.edges.c_str());
    }
    return out.WritePng(path, pic);
}

// The hit flash: a cartoon burst that breaks into dust puffs and little stars. Eight frames of
// 128 x 128, two to a row; the blow lands at (64, 96), the burst sits a little above it.
void DrawBang(cairo_t* cr, const Palette& pal, int step) {
    const Pt c{64, 70};
    const Colour line = pal["outline"];
    Rng rng(1234);
    if (step <= 3) {
        double grow[] = {0.45, 0.9, 1.0, 0.8};
        double g = grow[step];
        double rot = 8 * step;
        Outlined(
            cr, [&](cairo_t* k) { StarPath(k, c.x, c.y, 56 * g, 30 * g, 11, rot); }, pal["fx.flash.outer"], line, 2.0);
        Outlined(
            cr, [&](cairo_t* k) { StarPath(k, c.x, c.y, 40 * g, 22 * g, 9, rot + 12); }, pal["fx.flash.inner"], line,
            1.6);
        Filled(
            cr, [&](cairo_t* k) { StarPath(k, c.x, c.y, 22 * g, 14 * g, 7, rot + 25); }, pal["fx.flash.core"]);
    }
    if (step >= 2) {
        // Dust puffs and stars flying out.
        double t = (step - 2) / 5.0;
        Ink dust{pal["fx.dust"], pal["fx.dust.shade"], line, 1.4};
        for (int i = 0; i < 7; ++i) {
            double a = 360.0 * i / 7 + rng.Uniform(-15, 15);
            double dist = 26 + 32 * t + rng.Uniform(0, 6);
            double r = (9 + rng.Uniform(0, 4)) * (1.0 - 0.75 * t);
            Pt p = Polar(c, dist, a);
            p.y = std::min(p.y, 118.0 - r);
            if (r > 1.2)
                Shaded(
                    cr, [&](cairo_t* k) { CirclePath(k, p.x, p.y, r); }, dust, r * 0.25, r * 0.25);
        }
        for (int i = 0; i < 4; ++i) {
            double a = 45 + 90 * i + 20 * t;
            Pt p = Polar(c, 20 + 40 * t, a);
            double s = 7 * (1.0 - 0.8 * t);
            if (s > 1.5) {
                Outlined(
                    cr, [&](cairo_t* k) { StarPath(k, p.x, p.y, s, s * 0.45, 5, 40 * step); }, pal["fx.star"], line,
                    1.0);
            }
        }
    }
}

}  // namespace

bool WriteStatusAndFlash(const Content& content, GameFolder& out) {
    const Palette& pal = content.palette;
    const CavemanLook look = MakeCavemanLook(pal);
    const Colour black{0, 0, 0};
    // One life: the hero's head. The figure is drawn large with its feet far below the icon.
    bool ok = WriteIcon(out, "Graphics/Life.png", 36, 36, {117, 34, 3}, [&](cairo_t* cr) {
        CavemanPose p;
        p.clubInHand = false;
        DrawCaveman(cr, p, look, {15.5, 58}, 1.05, 1);
    });
    // One energy point: a drumstick.
    ok = ok && WriteIcon(out, "Graphics/Energy.png", 30, 30, black, [&](cairo_t* cr) {
             DrawMeat(cr, pal, {15.5, 15.5}, 27, 0, false);
         });
    // The club beside the strength.
    ok = ok && WriteIcon(out, "Graphics/Maczuga.png", 80, 64, black, [&](cairo_t* cr) {
             CavemanLook big = look;
             big.club.width = 2.2;
             DrawClub(cr, {10, 56}, 128, 76, 9.5, big);
         });
    // The coin beside the money.
    ok = ok && WriteIcon(out, "Graphics/Moneta.png", 56, 56, {255, 185, 58}, [&](cairo_t* cr) {
             DrawCoin(cr, pal, "gold", {28, 28}, 24, 0);
         });
    if (!ok) return false;
    // The game shows flash frames 1, 2, ... 7 and then 0: the first step of the burst is stored
    // in frame 1 and the last in frame 0.
    Picture bang = RenderStrip({128, 128, 8}, black, [&](cairo_t* cr, int f) { DrawBang(cr, pal, (f + 7) % 8); });
    return out.WritePng("Graphics/Bang/Bang.png", bang);
}

}  // namespace art
