// The full-screen pictures of the menu-like screens and the briefing's frames. Each leaves a
// calm stone slab where the game writes its texts.
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Caveman.h"
#include "CreatureArt.h"
#include "Generators.h"
#include "Strip.h"
#include "Toolkit.h"

namespace art {

namespace {

constexpr int kW = 800, kH = 600;

// The words painted into the pictures (UTF-8), one set per language the game speaks.
struct ScreenWords {
    const char* optionsTitle;
    const char* highscoreTitle;
    const char* aboutStory;
    const char* controlsHeading;
    const char* keys[5][2];  // key, what it does
    const char* tipsHeading;
    const char* tips;
    const char* aboutBack;
};

const ScreenWords kPolishWords{
    "Opcje",
    "Najlepsi łowcy",
    "Dawno, dawno temu, gdy po ziemi chodziły dinozaury, jaskiniowiec Kolven "
    "chwycił maczugę i ruszył w drogę: przez zieloną dolinę, ciemne jaskinie, "
    "lodowe pustkowia aż do wnętrza wulkanu.",
    "Sterowanie",
    {{"strzałki w lewo i w prawo", "bieg"},
     {"Shift", "powolny chód"},
     {"strzałka w górę", "skok"},
     {"spacja", "cios maczugą"},
     {"Esc", "powrót do menu"}},
    "Rady",
    "Wskakuj wrogom na głowy albo bij ich maczugą. Silniejszych pokonasz "
    "dopiero mocniejszą maczugą: przed każdym poziomem kup siłę za monety. "
    "Kamienny totem z ogniem zapamiętuje miejsce powrotu.",
    "Esc: powrót",
};

const ScreenWords kEnglishWords{
    "Options",
    "Best hunters",
    "Long, long ago, when dinosaurs walked the earth, Kolven the caveman "
    "took up his club and set off: through the green valley, dark caves "
    "and icy wastes, right into the heart of the volcano.",
    "Controls",
    {{"left and right arrows", "run"},
     {"Shift", "walk slowly"},
     {"up arrow", "jump"},
     {"space", "swing the club"},
     {"Esc", "back to the menu"}},
    "Tips",
    "Jump on your enemies' heads or hit them with the club. The stronger "
    "ones only fall to a stronger club: before every level, buy strength "
    "with coins. A stone totem with a fire marks where you start again after losing a life.",
    "Esc: back",
};

struct Scene {
    const Palette& pal;
    Colour line;
    const ScreenWords& words;
    Ink ink(const std::string& n) const { return {pal[n], pal[n + ".shade"], line, 2.0}; }
};

void Gradient(cairo_t* cr, double y0, double y1, const Colour& a, const Colour& b) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(g, 0, a.r / 255.0, a.g / 255.0, a.b / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, b.r / 255.0, b.g / 255.0, b.b / 255.0);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, 0, y0, kW, y1 - y0);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void Sky(cairo_t* cr, const Scene& s, const std::string& name, Pt sun) {
    Gradient(cr, 0, kH, s.pal[name + ".top"], s.pal[name + ".bottom"]);
    if (sun.x > 0) {
        Filled(
            cr, [&](cairo_t* c) { CirclePath(c, sun.x, sun.y, 70); }, s.pal[name + ".glow"]);
        Outlined(
            cr, [&](cairo_t* c) { CirclePath(c, sun.x, sun.y, 42); }, s.pal["sun"], s.pal["sun.shade"], 3);
    }
}

void Cloud(cairo_t* cr, const Scene& s, double x, double y, double k) {
    Shaded(
        cr,
        [&](cairo_t* c) {
            CirclePath(c, x, y, 22 * k);
            CirclePath(c, x + 26 * k, y - 12 * k, 26 * k);
            CirclePath(c, x + 54 * k, y, 20 * k);
            RoundRectPath(c, x - 10 * k, y - 2 * k, 76 * k, 22 * k, 11 * k);
        },
        {s.pal["cloud"], s.pal["cloud.shade"], s.pal["cloud.shade"], 0}, -4 * k, -5 * k);
}

// A ridge of hills or mountains along baseY, seeded so it is the same every run.
void Ridge(cairo_t* cr, const Scene& s, const std::string& name, double baseY, double height, double bumpW,
           uint64_t seed, double outline = 2.0) {
    Rng rng(seed);
    std::vector<Pt> pts{{-20, kH + 20}, {-20, baseY}};
    for (double x = 0; x <= kW + bumpW; x += bumpW * rng.Uniform(0.6, 1.1)) {
        pts.push_back({x, baseY - height * rng.Uniform(0.35, 1.0)});
    }
    pts.push_back({kW + 20, baseY});
    pts.push_back({kW + 20, kH + 20});
    Ink ink = s.ink(name);
    ink.width = outline;
    Shaded(
        cr, [&](cairo_t* c) { SmoothPath(c, pts, true, 0.7); }, ink, 6, 6);
}

void Volcano(cairo_t* cr, const Scene& s, double cx, double baseY, double w, double h, bool smoke) {
    if (smoke) {
        Ink puff = s.ink("smoke");
        for (int i = 0; i < 5; ++i) {
            double r = 18 + 7 * i;
            Shaded(
                cr, [&](cairo_t* c) { CirclePath(c, cx - 16 * i + 6 * std::sin(i * 1.7), baseY - h - 14 - 30 * i, r); },
                puff, -4, -4);
        }
    }
    Shaded(
        cr,
        [&](cairo_t* c) {
            PolyPath(c,
                     {{cx - w / 2, baseY}, {cx - w * 0.09, baseY - h}, {cx + w * 0.09, baseY - h}, {cx + w / 2, baseY}},
                     true);
        },
        s.ink("volcano"), 8, 4);
    // A glowing crater and two thin streams of lava.
    Outlined(
        cr, [&](cairo_t* c) { EllipsePath(c, cx, baseY - h + 1, w * 0.09, 5, 0); }, s.pal["lava"], s.line, 1.5);
    for (int side : {-1, 1}) {
        Stroke(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, cx + side * w * 0.04, baseY - h + 4);
                cairo_curve_to(c, cx + side * w * 0.08, baseY - h * 0.75, cx + side * w * 0.03, baseY - h * 0.55,
                               cx + side * w * 0.1, baseY - h * 0.35);
            },
            s.pal["lava"], 4);
    }
}

void Palm(cairo_t* cr, const Scene& s, double x, double baseY, double h, double lean) {
    Pt top{x + lean, baseY - h};
    std::vector<Pt> trunk;
    for (int i = 0; i <= 6; ++i) {
        double t = i / 6.0;
        trunk.push_back({x + lean * t * t, baseY - h * t});
    }
    Tube(cr, trunk, 7, s.ink("palm.trunk"));
    for (int i = 1; i < 6; ++i) {
        Pt p = trunk[size_t(i)];
        Stroke(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, p.x - 6, p.y + 2);
                cairo_line_to(c, p.x + 6, p.y - 2);
            },
            s.pal["palm.trunk.shade"], 2);
    }
    for (int i = 0; i < 6; ++i) {
        double a = -150 + 60 * i + (i >= 3 ? 10 : 0);
        double len = h * 0.42 + 12 * (i % 2);
        Pt tip = {top.x + std::cos(Radians(a)) * len, top.y + std::sin(Radians(a)) * len * 0.6 + 25};
        Pt mid = Lerp(top, tip, 0.5);
        mid.y -= len * 0.25;
        double dx = tip.x - top.x, dy = tip.y - top.y, n = std::hypot(dx, dy);
        Pt normal{-dy / n * len * 0.13, dx / n * len * 0.13};
        Shaded(
            cr,
            [&](cairo_t* c) {
                SmoothPath(c, {top, mid + normal, tip, mid - normal}, true, 0.9);
            },
            s.ink("palm.leaf"), 2, 2);
        Stroke(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, top.x, top.y);
                cairo_curve_to(c, mid.x, mid.y, mid.x, mid.y, tip.x, tip.y);
            },
            s.pal["palm.leaf.shade"], 1.5);
    }
    Shaded(
        cr,
        [&](cairo_t* c) {
            CirclePath(c, top.x - 5, top.y + 8, 5);
            CirclePath(c, top.x + 5, top.y + 9, 5);
        },
        s.ink("coconut"), 1, 1);
}

void Fern(cairo_t* cr, const Scene& s, double x, double baseY, double size, bool flip) {
    for (int i = 0; i < 5; ++i) {
        double a = -160 + 35 * i;
        if (flip) a = -180 - a;
        Pt tip{x + std::cos(Radians(a)) * size, baseY + std::sin(Radians(a)) * size};
        Pt ctrl{x + std::cos(Radians(a)) * size * 0.5, baseY + std::sin(Radians(a)) * size * 0.9 - size * 0.3};
        Shaded(
            cr,
            [&](cairo_t* c) {
                cairo_new_sub_path(c);
                cairo_move_to(c, x - 3, baseY);
                cairo_curve_to(c, ctrl.x - 4, ctrl.y, tip.x, tip.y, tip.x, tip.y);
                cairo_curve_to(c, tip.x, tip.y, ctrl.x + 6, ctrl.y + 8, x + 3, baseY);
                cairo_close_path(c);
            },
            s.ink("fern"), 1.5, 1.5);
    }
}

void Boulder(cairo_t* cr, const Scene& s, double x, double y, double rx, double ry) {
    Shaded(
        cr,
        [&](cairo_t* c) {
            SmoothPath(c,
                       {{x - rx, y},
                        {x - rx * 0.8, y - ry * 0.7},
                        {x - rx * 0.1, y - ry},
                        {x + rx * 0.7, y - ry * 0.8},
                        {x + rx, y - ry * 0.1},
                        {x + rx * 0.9, y}},
                       true, 0.8);
        },
        s.ink("boulder"), 5, 4);
}

void Bone(cairo_t* cr, const Scene& s, double x, double y, double len, double angle) {
    Pt a = Polar({x, y}, len / 2, angle), b = Polar({x, y}, -len / 2, angle);
    Ink ink = s.ink("bone");
    Tube(cr, {a, b}, 3.2, ink);
    for (Pt e : {a, b}) {
        Shaded(
            cr,
            [&](cairo_t* c) {
                Pt side = Polar({0, 0}, 3.5, angle + 90);
                CirclePath(c, e.x + side.x, e.y + side.y, 4);
                CirclePath(c, e.x - side.x, e.y - side.y, 4);
            },
            ink, 1, 1);
    }
}

// The calm stone where the game writes: dark enough for the light letters, barely textured.
void Slab(cairo_t* cr, const Scene& s, double x, double y, double w, double h, uint64_t seed) {
    auto shape = [&](cairo_t* c) { RoundRectPath(c, x, y, w, h, 18); };
    Filled(
        cr, [&](cairo_t* c) { RoundRectPath(c, x + 7, y + 9, w, h, 18); }, s.pal["slab.drop"]);
    Shaded(cr, shape, {s.pal["slab.edge"], s.pal["slab.shade"], s.line, 3.0}, -5, -5);
    Filled(
        cr, [&](cairo_t* c) { RoundRectPath(c, x + 9, y + 9, w - 18, h - 18, 12); }, s.pal["slab"]);
    cairo_save(cr);
    cairo_new_path(cr);
    RoundRectPath(cr, x + 9, y + 9, w - 18, h - 18, 12);
    cairo_clip(cr);
    Rng rng(seed);
    Colour fleck = s.pal["slab"].Mix(s.pal["slab.shade"], 0.35);
    for (int i = 0; i < int(w * h / 900); ++i) {
        double fx = x + rng.Uniform(0, w), fy = y + rng.Uniform(0, h);
        Filled(
            cr, [&](cairo_t* c) { EllipsePath(c, fx, fy, rng.Uniform(2, 6), rng.Uniform(1, 3), rng.Uniform(0, 180)); },
            fleck);
    }
    // A couple of hairline cracks near the edges, away from the writing.
    Colour crack = s.pal["slab"].Mix(s.pal["slab.shade"], 0.6);
    for (int i = 0; i < 3; ++i) {
        double cx = rng.Uniform(0, 1) < 0.5 ? x + 12 : x + w - 12, cy = y + rng.Uniform(20, h - 20);
        Stroke(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, cx, cy);
                double dir = cx < x + w / 2 ? 1 : -1;
                for (int k = 1; k <= 4; ++k) cairo_line_to(c, cx + dir * k * 9, cy + rng.Uniform(-6, 6));
            },
            crack, 1.5);
    }
    cairo_restore(cr);
    Stroke(
        cr, [&](cairo_t* c) { RoundRectPath(c, x + 9, y + 9, w - 18, h - 18, 12); }, s.pal["slab.shade"], 2);
}

void SetFont(cairo_t* cr, bool bold, double size) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
    cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, const std::string& t) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, t.c_str(), &e);
    return e.x_advance;
}

// A title in the game's letter style: light, warm underneath, a heavy outline and a shadow.
void Title(cairo_t* cr, const Scene& s, const std::string& text, double cx, double baseline, double size) {
    SetFont(cr, true, size);
    double x = cx - TextWidth(cr, text) / 2;
    auto path = [&](cairo_t* c) {
        cairo_move_to(c, x, baseline);
        cairo_text_path(c, text.c_str());
    };
    cairo_save(cr);
    cairo_translate(cr, 5, 6);
    Stroke(cr, path, s.pal["slab.drop"], size * 0.22);
    Filled(cr, path, s.pal["slab.drop"]);
    cairo_restore(cr);
    Stroke(cr, path, s.pal["font.outline"], size * 0.2);
    Filled(cr, path, s.pal["font.light"]);
    cairo_save(cr);
    cairo_new_path(cr);
    path(cr);
    cairo_clip(cr);
    SetColour(cr, s.pal["font.warm"]);
    cairo_rectangle(cr, 0, baseline - size * 0.3, kW, size);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Plain text for the about screen, wrapped to a width; returns the y after the last line.
double Paragraph(cairo_t* cr, const std::string& text, double x, double y, double width, double size, bool bold,
                 const Colour& colour) {
    SetFont(cr, bold, size);
    SetColour(cr, colour);
    std::string line, word;
    std::vector<std::string> words;
    for (char ch : text + " ") {
        if (ch == ' ') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += ch;
        }
    }
    auto flush = [&]() {
        cairo_move_to(cr, x, y);
        cairo_show_text(cr, line.c_str());
        y += size * 1.35;
        line.clear();
    };
    for (const auto& w : words) {
        std::string tryLine = line.empty() ? w : line + " " + w;
        if (TextWidth(cr, tryLine) > width && !line.empty()) {
            flush();
            line = w;
        } else {
            line = tryLine;
        }
    }
    if (!line.empty()) flush();
    return y;
}

// The green valley under a day sky: the backdrop shared by the screens.
void Valley(cairo_t* cr, const Scene& s, const std::string& sky, Pt sun, uint64_t seed) {
    Sky(cr, s, sky, sun);
    Cloud(cr, s, 90, 70, 1.0);
    Cloud(cr, s, 600, 120, 0.8);
    Ridge(cr, s, "mountain", 380, 150, 120, seed);
    Volcano(cr, s, 640, 390, 300, 190, true);
    Ridge(cr, s, "hill.far", 450, 70, 90, seed + 1);
    Ridge(cr, s, "hill", 520, 50, 110, seed + 2);
}

void Ground(cairo_t* cr, const Scene& s, double y) {
    Shaded(
        cr,
        [&](cairo_t* c) {
            SmoothPath(
                c,
                {{-20, kH + 20}, {-20, y + 6}, {200, y - 4}, {420, y + 4}, {640, y - 6}, {820, y + 2}, {820, kH + 20}},
                true, 0.7);
        },
        s.ink("ground"), 4, 4);
}

// The hero leaning on his club, planted in front of him.
void DrawHero(cairo_t* cr, const Scene& s, Pt feet, double scale, int facing, int mouth = 0) {
    CavemanLook look = MakeCavemanLook(s.pal);
    look.lineWidth = 1.2;
    CavemanPose p;
    p.lean = 4;
    p.hipF = 12, p.kneeF = 6, p.hipB = -10, p.kneeB = 6;
    p.shoulderB = 15, p.elbowB = 95;  // hand on the hip
    p.shoulderF = 62, p.elbowF = 22;
    p.club = 3;
    p.clubLength = 25;
    p.mouth = mouth;
    PlantFeet(p);
    DrawCaveman(cr, p, look, feet, scale, facing);
}

// --- The screens ------------------------------------------------------------------------------

void MenuScreen(cairo_t* cr, const Scene& s) {
    Valley(cr, s, "sky.day", {745, 70}, 11);
    Palm(cr, s, 780, 545, 230, -40);
    Ground(cr, s, 540);
    Boulder(cr, s, 660, 548, 110, 60);
    Fern(cr, s, 560, 552, 50, false);
    Fern(cr, s, 770, 560, 44, true);
    Bone(cr, s, 600, 580, 40, 70);
    DrawHero(cr, s, {665, 500}, 4.0, -1, 0);
    // A pterodactyl crossing the sky.
    cairo_save(cr);
    cairo_translate(cr, 790, 200);
    cairo_scale(cr, -1.3, 1.3);
    DrawCreature(cr, "ptero", s.pal, 80, 56, 0.15);
    cairo_restore(cr);
    // Menu texts stand at x 80 to 500, y 100 to 400.
    Slab(cr, s, 50, 82, 480, 340, 3);
    Title(cr, s, "Kolvenbrook 3D", 290, 66, 54);
}

void OptionsScreen(cairo_t* cr, const Scene& s) {
    Valley(cr, s, "sky.evening", {150, 130}, 21);
    Ground(cr, s, 470);
    Palm(cr, s, 80, 500, 160, -20);
    Palm(cr, s, 730, 500, 180, 25);
    Boulder(cr, s, 400, 560, 160, 50);
    Fern(cr, s, 230, 540, 56, false);
    Fern(cr, s, 690, 560, 50, true);
    Bone(cr, s, 330, 585, 50, 100);
    // A campfire on the rock, the hero warming himself.
    for (int i = 0; i < 5; ++i) {
        Shaded(
            cr, [&](cairo_t* c) { EllipsePath(c, 378 + 11 * i, 522 + (i % 2) * 2, 8, 6, 0); }, s.ink("boulder"), 1.5,
            1.5);
    }
    Tube(cr, {{385, 516}, {420, 506}}, 3.5, s.ink("palm.trunk"));
    Tube(cr, {{385, 506}, {418, 516}}, 3.5, s.ink("palm.trunk"));
    Outlined(
        cr,
        [&](cairo_t* c) {
            SmoothPath(c, {{384, 512}, {388, 486}, {396, 496}, {401, 470}, {408, 494}, {414, 482}, {418, 512}}, true,
                       0.7);
        },
        s.pal["flame.outer"], s.line, 2);
    Filled(
        cr,
        [&](cairo_t* c) {
            SmoothPath(c, {{392, 512}, {397, 494}, {401, 486}, {405, 496}, {410, 512}}, true, 0.7);
        },
        s.pal["flame.inner"]);
    DrawHero(cr, s, {540, 528}, 2.4, -1, 0);
    // Labels from x 20, values to the right edge, rows y 100 to 300.
    Slab(cr, s, 4, 82, 792, 238, 5);
    Title(cr, s, s.words.optionsTitle, 400, 64, 50);
}

void AboutScreen(cairo_t* cr, const Scene& s) {
    Valley(cr, s, "sky.day", {80, 70}, 31);
    Ground(cr, s, 560);
    Slab(cr, s, 30, 90, 740, 470, 7);
    Title(cr, s, "Kolvenbrook 3D", 400, 66, 52);
    const Colour text = s.pal["about.text"], head = s.pal["font.warm"];
    double y = 140;
    y = Paragraph(cr, s.words.aboutStory, 70, y, 660, 19, false, text);
    y += 10;
    y = Paragraph(cr, s.words.controlsHeading, 70, y, 660, 21, true, head);
    for (const auto& k : s.words.keys) {
        Paragraph(cr, k[0], 90, y, 300, 18, true, text);
        y = Paragraph(cr, k[1], 380, y, 340, 18, false, text);
    }
    y += 10;
    y = Paragraph(cr, s.words.tipsHeading, 70, y, 660, 21, true, head);
    y = Paragraph(cr, s.words.tips, 70, y, 660, 18, false, text);
    DrawHero(cr, s, {690, 548}, 1.6, -1, 0);
    Paragraph(cr, s.words.aboutBack, 70, 530, 300, 18, true, head);
}

void LoadGameScreen(cairo_t* cr, const Scene& s) {
    // Inside a cave: the saved trips are scratched into the smooth wall.
    Gradient(cr, 0, kH, s.pal["cave.top"], s.pal["cave.bottom"]);
    Rng rng(41);
    for (int i = 0; i < 40; ++i) {
        double x = rng.Uniform(0, kW), y = rng.Uniform(0, kH), r = rng.Uniform(20, 60);
        Filled(
            cr, [&](cairo_t* c) { EllipsePath(c, x, y, r, r * 0.6, rng.Uniform(0, 180)); },
            s.pal["cave.top"].Mix(s.pal["cave.bottom"], rng.Uniform(0, 1)).Darker(0.08));
    }
    // Stalactites.
    for (int i = 0; i < 9; ++i) {
        double x = 40 + 95 * i + rng.Uniform(-20, 20), len = rng.Uniform(30, 70);
        Shaded(
            cr,
            [&](cairo_t* c) {
                PolyPath(c, {{x - 14, -5}, {x, len}, {x + 14, -5}}, true);
            },
            s.ink("cave.rock"), 3, 3);
    }
    Ridge(cr, s, "cave.rock", 560, 40, 70, 43);
    // Cave paintings below the wall: a hunter and a mammoth.
    cairo_save(cr);
    Colour ochre = s.pal["cave.paint"];
    cairo_set_line_width(cr, 4);
    SetColour(cr, ochre);
    cairo_arc(cr, 470, 405, 7, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_move_to(cr, 470, 412);
    cairo_line_to(cr, 470, 440);
    cairo_line_to(cr, 460, 462);
    cairo_move_to(cr, 470, 440);
    cairo_line_to(cr, 480, 462);
    cairo_move_to(cr, 456, 420);
    cairo_line_to(cr, 488, 418);
    cairo_line_to(cr, 520, 396);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, 600, 430);
    cairo_scale(cr, 1.2, 0.9);
    cairo_arc(cr, 0, 0, 40, M_PI, 2 * M_PI);
    cairo_restore(cr);
    cairo_move_to(cr, 648, 430);
    cairo_curve_to(cr, 660, 445, 664, 460, 652, 470);
    for (double lx : {570.0, 590.0, 615.0, 635.0}) {
        cairo_move_to(cr, lx, 430);
        cairo_line_to(cr, lx, 466);
    }
    cairo_move_to(cr, 560, 430);
    cairo_line_to(cr, 650, 430);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Torches either side.
    for (double x : {740.0, 60.0}) {
        Shaded(
            cr, [&](cairo_t* c) { RoundRectPath(c, x - 5, 430, 10, 60, 4); }, s.ink("palm.trunk"), 2, 2);
        Filled(
            cr, [&](cairo_t* c) { CirclePath(c, x, 420, 38); }, s.pal["cave.glow"]);
        Outlined(
            cr,
            [&](cairo_t* c) {
                SmoothPath(c, {{x - 12, 432}, {x - 8, 410}, {x, 396}, {x + 6, 412}, {x + 12, 432}}, true, 0.7);
            },
            s.pal["flame.outer"], s.line, 2);
        Filled(
            cr,
            [&](cairo_t* c) {
                SmoothPath(c, {{x - 6, 432}, {x, 412}, {x + 6, 432}}, true, 0.7);
            },
            s.pal["flame.inner"]);
    }
    // Save lines stand at x 10 to 700, y 20 to 330.
    Slab(cr, s, 0, 8, 730, 346, 9);
    DrawHero(cr, s, {130, 560}, 2.0, 1, 0);
}

void HighscoreScreen(cairo_t* cr, const Scene& s) {
    Valley(cr, s, "sky.sunset", {400, 470}, 51);
    Ground(cr, s, 545);
    Palm(cr, s, 20, 560, 150, 15);
    Palm(cr, s, 785, 560, 170, -20);
    // Ranks, names and scores stand at x 50 to 750, y 70 to 500; the hint at y 550.
    Slab(cr, s, 26, 60, 752, 476, 13);
    Title(cr, s, s.words.highscoreTitle, 400, 50, 44);
    Filled(
        cr, [&](cairo_t* c) { RoundRectPath(c, 8, 542, 784, 40, 12); }, s.pal["slab.drop"]);
}

void BriefingScreen(cairo_t* cr, const Scene& s) {
    // A hide stretched in the hunters' cave: one slab for everything, a darker niche behind the
    // row of framed enemies.
    Gradient(cr, 0, kH, s.pal["cave.top"], s.pal["cave.bottom"]);
    Slab(cr, s, 4, 4, 792, 592, 17);
    Filled(
        cr, [&](cairo_t* c) { RoundRectPath(c, 14, 46, 772, 136, 14); }, s.pal["niche"]);
    Stroke(
        cr, [&](cairo_t* c) { RoundRectPath(c, 14, 46, 772, 136, 14); }, s.pal["slab.shade"], 3);
    // Dividers between the enemy values, the player's values and the trade.
    for (double y : {268.0, 388.0}) {
        Stroke(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, 60, y);
                cairo_line_to(c, 580, y);
            },
            s.pal["slab.shade"], 3);
    }
    DrawHero(cr, s, {700, 535}, 3.0, -1, 1);
}

// The briefing's frame around an enemy: the inside is the key, so the niche shows through.
void BriefingFrame(cairo_t* cr, const Scene& s, bool selected) {
    const std::string n = selected ? "frame.gold" : "frame.stone";
    auto ring = [](cairo_t* c) {
        RoundRectPath(c, 3, 3, 122, 122, 16);
        RoundRectPath(c, 14, 14, 100, 100, 9);
    };
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    Shaded(cr, ring, {s.pal[n], s.pal[n + ".shade"], s.line, 2.4}, 2.5, 2.5);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    if (selected) {
        for (Pt p : {Pt{9, 9}, Pt{119, 9}, Pt{9, 119}, Pt{119, 119}}) {
            Outlined(
                cr, [&](cairo_t* c) { StarPath(c, p.x, p.y, 7, 3, 4, 45); }, s.pal["sparkle"], s.line, 1.2);
        }
    } else {
        Stroke(
            cr,
            [](cairo_t* c) {
                cairo_move_to(c, 40, 4);
                cairo_line_to(c, 44, 10);
                cairo_move_to(c, 124, 80);
                cairo_line_to(c, 118, 86);
            },
            s.pal[n + ".shade"], 1.5);
    }
}

}  // namespace

bool WriteScreens(const Content& content, GameFolder& out) {
    Scene s{content.palette, content.palette["outline"], kPolishWords};
    struct Screen {
        const char* path;
        void (*draw)(cairo_t*, const Scene&);
        const char* englishPath;  // for a picture with words: where its English variant goes
    };
    const Screen screens[] = {
        {"Graphics/Menu/Bkg.png", MenuScreen, nullptr},
        {"Graphics/Options/Background.png", OptionsScreen, "Graphics/Options/Background_en.png"},
        {"Graphics/About/Background.png", AboutScreen, "Graphics/About/Background_en.png"},
        {"Graphics/LoadGame/Background.png", LoadGameScreen, nullptr},
        {"Graphics/Highscore/Background.png", HighscoreScreen, "Graphics/Highscore/Background_en.png"},
        {"Graphics/Briefing/Background.png", BriefingScreen, nullptr}};
    const Scene english{s.pal, s.line, kEnglishWords};
    for (const Screen& sc : screens) {
        Picture pic = DrawOpaque(kW, kH, [&](cairo_t* cr) { sc.draw(cr, s); });
        if (!out.WritePng(sc.path, pic)) return false;
        if (!sc.englishPath) continue;
        Picture englishPic = DrawOpaque(kW, kH, [&](cairo_t* cr) { sc.draw(cr, english); });
        if (!out.WritePng(sc.englishPath, englishPic)) return false;
    }
    const Colour frameKey{0xB3, 0x00, 0x2D};
    for (bool selected : {true, false}) {
        StripReport report;
        Picture pic = RenderStrip(
            {128, 128, 1}, frameKey, [&](cairo_t* cr, int) { BriefingFrame(cr, s, selected); }, &report);
        // The frame's inside must stay see-through: fill it back with the key after clean-up
        // (the clean-up treats an enclosed area as a hole in a figure and would keep it anyway).
        if (!out.WritePng(selected ? "Graphics/Briefing/Selected.png" : "Graphics/Briefing/Unselected.png", pic)) {
            return false;
        }
    }
    return true;
}

}  // namespace art
