// Level objects: Objects\<name>.xml and Objects\<class>\rot.png, one row of 32 x 32 frames.
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "Caveman.h"
#include "Generators.h"
#include "PropArt.h"
#include "Strip.h"
#include "Toolkit.h"

namespace art {

namespace {

constexpr int kFrame = 32;

struct ObjectKit {
    const Palette& pal;
    const ObjectDef& def;
    Colour line;
    double lw = 1.3;
    Ink ink(const std::string& name) const { return {pal[name], pal[name + ".shade"], line, lw}; }
};

double Wave(double t, double off = 0) {
    return std::sin(2 * M_PI * (t + off));
}

void Sparkle(cairo_t* cr, const ObjectKit& k, double x, double y, double size) {
    if (size <= 0.3) return;
    Outlined(
        cr, [&](cairo_t* c) { StarPath(c, x, y, size, size * 0.35, 4, 0); }, k.pal["sparkle"], k.pal["sparkle.line"],
        0.7);
}

void Coin(cairo_t* cr, const ObjectKit& k, double t) {
    std::string metal = k.def.artArgs.empty() ? "silver" : k.def.artArgs[0];
    double r = metal == "gold" ? 12.5 : 11;
    DrawCoin(cr, k.pal, metal, {16, 16 + 1.2 * Wave(t)}, r, t);
    if (metal == "gold") Sparkle(cr, k, 24, 7, 3.5 * std::max(0.0, Wave(t, 0.15)));
}

void Meat(cairo_t* cr, const ObjectKit& k, double t) {
    bool big = !k.def.artArgs.empty() && k.def.artArgs[0] == "big";
    DrawMeat(cr, k.pal, {big ? 16.0 : 17.0, 17 + 1.3 * Wave(t)}, big ? 23 : 24, 8 * Wave(t, 0.25), big);
    if (big) Sparkle(cr, k, 6, 6, 3 * std::max(0.0, Wave(t, 0.5)));
}

void Mace(cairo_t* cr, const ObjectKit& k, double t) {
    CavemanLook look = MakeCavemanLook(k.pal);
    look.club.width = 1.3;
    double a = 360 * t + 135;
    Pt centre{16, 16};
    Pt handle = Polar(centre, -12, a);
    // A golden glow behind the club marks it as a power-up.
    Filled(
        cr, [&](cairo_t* c) { StarPath(c, 16, 16, 15, 9, 8, 360 * t / 4); }, k.pal["glow"]);
    DrawClub(cr, handle, a, 25, 3.6, look);
    Sparkle(cr, k, 25, 7, 3.2 * std::max(0.0, Wave(t)));
    Sparkle(cr, k, 7, 24, 3.2 * std::max(0.0, Wave(t, 0.5)));
}

void Berries(cairo_t* cr, const ObjectKit& k, double t) {
    double y = 1.0 * Wave(t) - 0.5;
    Shaded(
        cr,
        [&](cairo_t* c) {
            SmoothPath(c, {{16, 9 + y}, {23, 3 + y}, {28, 6 + y}, {22, 11 + y}}, true, 0.8);
        },
        k.ink("leaf"), 0.8, 0.8);
    Stroke(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, 16, 10 + y);
            cairo_curve_to(c, 15, 13 + y, 12, 14 + y, 11, 16 + y);
            cairo_move_to(c, 16, 10 + y);
            cairo_line_to(c, 20, 17 + y);
        },
        k.pal["leaf.shade"], 1.2);
    const Pt berries[] = {{10, 18}, {20, 18}, {15, 24}, {24, 24}, {8, 25}};
    for (const Pt& b : berries) {
        Shaded(
            cr, [&](cairo_t* c) { CirclePath(c, b.x, b.y + y, 4.6); }, k.ink("berry"), 1.0, 1.0);
        Filled(
            cr, [&](cairo_t* c) { CirclePath(c, b.x - 1.6, b.y - 1.6 + y, 1.0); }, k.pal["berry.shine"]);
    }
}

void Amber(cairo_t* cr, const ObjectKit& k, double t) {
    double y = 1.0 * Wave(t);
    std::vector<Pt> gem = {{16, 4 + y}, {26, 11 + y}, {24, 25 + y}, {16, 29 + y}, {8, 25 + y}, {6, 11 + y}};
    auto path = [&](cairo_t* c) { PolyPath(c, gem, true); };
    Shaded(cr, path, k.ink("amber"), 2.0, 2.0);
    cairo_save(cr);
    cairo_new_path(cr);
    path(cr);
    cairo_clip(cr);
    // A little insect caught inside, and a glint sweeping over the facets.
    Filled(
        cr,
        [&](cairo_t* c) {
            EllipsePath(c, 16, 17 + y, 2.2, 3.2, 20);
            EllipsePath(c, 13.5, 15 + y, 2.2, 1.0, -30);
            EllipsePath(c, 18.5, 15 + y, 2.2, 1.0, 30);
        },
        k.pal["amber.bug"]);
    double gx = -6 + 44 * std::fmod(t * 1.0, 1.0);
    Stroke(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, gx, 30);
            cairo_line_to(c, gx + 10, 0);
        },
        k.pal["amber.shine"], 3.0);
    cairo_restore(cr);
    Stroke(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, 6, 11 + y);
            cairo_line_to(c, 16, 15 + y);
            cairo_line_to(c, 26, 11 + y);
            cairo_move_to(c, 16, 15 + y);
            cairo_line_to(c, 16, 29 + y);
        },
        k.pal["amber.shade"], 0.9);
    Stroke(cr, path, k.line, k.lw);
}

void Egg(cairo_t* cr, const ObjectKit& k, double t) {
    cairo_save(cr);
    cairo_translate(cr, 16, 30);
    cairo_rotate(cr, Radians(9 * Wave(t)));
    auto egg = [](cairo_t* c) {
        SmoothPath(c, {{0, -27}, {9, -18}, {11, -7}, {6, -1}, {-6, -1}, {-11, -7}, {-9, -18}}, true, 1.0);
    };
    Shaded(cr, egg, k.ink("egg"), 2.0, 2.0);
    cairo_save(cr);
    cairo_new_path(cr);
    egg(cr);
    cairo_clip(cr);
    for (const Pt& s : {Pt{-4, -20}, Pt{4, -14}, Pt{-6, -8}, Pt{6, -6}, Pt{1, -23}}) {
        Filled(
            cr, [&](cairo_t* c) { EllipsePath(c, s.x, s.y, 2.4, 1.8, 30); }, k.pal["egg.spot"]);
    }
    cairo_restore(cr);
    Stroke(cr, egg, k.line, k.lw);
    cairo_restore(cr);
}

void Totem(cairo_t* cr, const ObjectKit& k, double t) {
    // A stone post with a carved face and a fire bowl: touching it moves the restart point.
    Shaded(
        cr, [](cairo_t* c) { RoundRectPath(c, 10, 12, 12, 18, 2); }, k.ink("stone"), 1.5, 1.5);
    Stroke(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 12.5, 17);
            cairo_line_to(c, 15, 18);
            cairo_move_to(c, 19.5, 17);
            cairo_line_to(c, 17, 18);
            cairo_move_to(c, 13, 23);
            cairo_line_to(c, 19, 23);
            cairo_move_to(c, 12, 27);
            cairo_line_to(c, 20, 27);
        },
        k.pal["stone.shade"].Darker(0.35), 1.3);
    Shaded(
        cr,
        [](cairo_t* c) {
            PolyPath(c, {{7, 9}, {25, 9}, {22, 14}, {10, 14}}, true);
        },
        k.ink("stone"), 1.0, 1.0);
    double f1 = Wave(t), f2 = Wave(t, 0.37);
    Outlined(
        cr,
        [&](cairo_t* c) {
            SmoothPath(c, {{10, 9}, {11 + f2, 4}, {14, 5.5}, {16 + f1, 1}, {18.5, 5}, {21 - f2, 3}, {22, 9}}, true,
                       0.7);
        },
        k.pal["flame.outer"], k.line, 1.0);
    Filled(
        cr,
        [&](cairo_t* c) {
            SmoothPath(c, {{13, 9}, {15 + f1 * 0.6, 5}, {17, 7}, {19, 9}}, true, 0.7);
        },
        k.pal["flame.inner"]);
}

void Mushroom(cairo_t* cr, const ObjectKit& k, double t) {
    // A springy mushroom that squashes and stretches.
    double b = Wave(t);
    double sy = 1 + 0.14 * b, sx = 0.95 - 0.08 * b;
    Shaded(
        cr, [&](cairo_t* c) { RoundRectPath(c, 12, 30 - 13 * sy, 8, 13 * sy, 3); }, k.ink("stem"), 1.0, 1.0);
    double cy = 30 - 13 * sy;
    auto cap = [&](cairo_t* c) {
        cairo_new_sub_path(c);
        cairo_save(c);
        cairo_translate(c, 16, cy + 1);
        cairo_scale(c, 14 * sx, 10 * sy);
        cairo_arc(c, 0, 0, 1, M_PI, 2 * M_PI);
        cairo_restore(c);
        cairo_curve_to(c, 16 + 14 * sx, cy + 4, 16 - 14 * sx, cy + 4, 16 - 14 * sx, cy + 1);
        cairo_close_path(c);
    };
    Shaded(cr, cap, k.ink("mushroom"), 1.5, 1.5);
    for (const Pt& s : {Pt{-7, -4}, Pt{1, -7}, Pt{8, -3}}) {
        Filled(
            cr, [&](cairo_t* c) { EllipsePath(c, 16 + s.x * sx, cy + 1 + s.y * sy, 2.4 * sx, 1.9 * sy, 0); },
            k.pal["mushroom.spot"]);
    }
}

void SpikeBall(cairo_t* cr, const ObjectKit& k, double t) {
    Pt c{16, 20};
    for (int i = 0; i < 9; ++i) {
        double a = 40 * i + 20;
        Pt b1 = Polar(c, 6.5, a - 18), b2 = Polar(c, 6.5, a + 18), tip = Polar(c, 12.5, a);
        if (tip.y > 30.5) continue;  // the spikes below it are in the ground
        Shaded(
            cr,
            [&](cairo_t* cc) {
                PolyPath(cc, {b1, tip, b2}, true);
            },
            k.ink("spike"), 0.6, 0.6);
    }
    Shaded(
        cr, [&](cairo_t* cc) { CirclePath(cc, c.x, c.y, 8); }, k.ink("mineball"), 1.5, 1.5);
    double glow = 0.5 + 0.5 * Wave(t);
    Colour hot = k.pal["mine.lava"].Mix(k.pal["mine.glow"], glow);
    Stroke(
        cr,
        [&](cairo_t* cc) {
            cairo_move_to(cc, 11, 18);
            cairo_line_to(cc, 15, 20);
            cairo_line_to(cc, 14, 24);
            cairo_move_to(cc, 15, 20);
            cairo_line_to(cc, 20, 17);
        },
        hot, 1.6);
    // A smouldering fuse on top.
    Stroke(
        cr,
        [&](cairo_t* cc) {
            cairo_move_to(cc, 17, 12);
            cairo_curve_to(cc, 18, 9, 20.5, 9.5, 21.5, 7.5);
        },
        k.pal["fuse"], 1.6);
    double s = 2.4 + 1.0 * Wave(t * 4);
    Outlined(
        cr, [&](cairo_t* cc) { StarPath(cc, 21.5, 7, s + 1, s * 0.4, 5, 360 * t * 2); }, k.pal["flame.outer"],
        k.pal["flame.inner"], 0.8);
}

using Drawer = void (*)(cairo_t*, const ObjectKit&, double);

const std::map<std::string, Drawer>& Drawers() {
    static const std::map<std::string, Drawer> d = {
        {"coin", Coin}, {"meat", Meat},   {"mace", Mace},         {"berries", Berries},    {"amber", Amber},
        {"egg", Egg},   {"totem", Totem}, {"mushroom", Mushroom}, {"spikeball", SpikeBall}};
    return d;
}

}  // namespace

bool WriteObjects(const Content& content, GameFolder& out) {
    std::map<std::string, std::string> classArt;  // objects of one class share one picture
    for (const ObjectDef& o : content.objects) {
        if (!WriteObjectFile(o, out)) return false;
        auto it = Drawers().find(o.art);
        if (it == Drawers().end()) {
            std::fprintf(stderr, "assetgen-art: object %s: no drawing called '%s'\n", o.name.c_str(), o.art.c_str());
            return false;
        }
        std::string art = o.art;
        for (const auto& a : o.artArgs) art += " " + a;
        auto seen = classArt.find(o.objectClass);
        if (seen != classArt.end()) {
            if (seen->second != art) {
                std::fprintf(stderr, "assetgen-art: object %s: class %s already has another picture\n", o.name.c_str(),
                             o.objectClass.c_str());
                return false;
            }
            continue;
        }
        classArt[o.objectClass] = art;
        ObjectKit kit{content.palette, o, content.palette["outline"]};
        StripReport report;
        Picture pic = RenderStrip(
            {kFrame, kFrame, o.frames}, o.key, [&](cairo_t* cr, int f) { it->second(cr, kit, double(f) / o.frames); },
            &report);
        if (report.borderCleared > 0) {
            std::fprintf(stderr, "assetgen-art: note: %s/rot reaches its frame edge %s (%d pixels cut; frames%s)\n",
                         o.objectClass.c_str(), report.edges.c_str(), report.borderCleared, report.frames.c_str());
        }
        if (!out.WritePng("Objects/" + o.objectClass + "/rot.png", pic)) return false;
    }
    return true;
}

}  // namespace art
