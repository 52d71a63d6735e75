// The scenes of the intro and outro: what each storyboard scene kind shows at a given moment.
#include "VideoScenes.h"

#include <algorithm>
#include <cmath>

#include "Cartoon.h"
#include "Dsp.h"
#include "Figures.h"
#include "Lettering.h"
#include "Scenery.h"

namespace media {
namespace {

using namespace cartoon;

double Clamp01(double x) {
    return std::clamp(x, 0.0, 1.0);
}
double EaseInOut(double x) {
    return SmoothRamp(x);
}
double Lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

// Rises over fadeTime after start and falls over fadeTime before end.
double Window(double time, double start, double end, double fadeTime) {
    if (time < start || time > end) return 0.0;
    return Clamp01((time - start) / fadeTime) * Clamp01((end - time) / fadeTime);
}

const Rgb kMorningTop{0.42, 0.70, 0.95}, kMorningBottom{0.86, 0.94, 0.98};
const Rgb kDuskTop{0.28, 0.22, 0.48}, kDuskBottom{0.98, 0.58, 0.36};
const Rgb kFarHills{0.56, 0.76, 0.58}, kMidHills{0.36, 0.64, 0.30}, kGrass{0.32, 0.58, 0.22};

// The green valley with the hero's cave; dusk 0..1 turns day into evening.
void ValleyBackdrop(cairo_t* cr, double time, double dusk, double sunY) {
    Sky(cr, Mix(kMorningTop, kDuskTop, dusk), Mix(kMorningBottom, kDuskBottom, dusk));
    Stars(cr, Clamp01(dusk * 1.5 - 0.9), time);
    Sun(cr, 640, sunY, 38, time, Mix({1.0, 0.86, 0.3}, {1.0, 0.45, 0.2}, dusk));
    Cloud(cr, std::fmod(120 + time * 9.0, 1000.0) - 100, 90, 1.0, 0.95 - dusk * 0.4);
    Cloud(cr, std::fmod(520 + time * 6.0, 1000.0) - 100, 150, 0.7, 0.9 - dusk * 0.4);
    Volcano(cr, 735, 392, 60, time, Mix({0.45, 0.42, 0.5}, {0.35, 0.25, 0.35}, dusk));
    Hills(cr, 0, 380, 34, 420, Mix(kFarHills, {0.45, 0.40, 0.50}, dusk), 3);
    Hills(cr, 0, 430, 26, 300, Mix(kMidHills, {0.35, 0.35, 0.30}, dusk), 8);
    Palm(cr, 585, 470, 190, std::sin(time * 1.3));
    Palm(cr, 700, 478, 150, std::sin(time * 1.1 + 1.0));
    Ground(cr, 470, Mix(kGrass, {0.30, 0.34, 0.22}, dusk), 0);
    Cave(cr, 110, 472, 90);
    Boulder(cr, 520, 505, 22, {0.6, 0.58, 0.55});
    Fern(cr, 760, 520, 50, std::sin(time * 2.0));
    Fern(cr, 205, 540, 42, std::sin(time * 1.7 + 2.0));
}

void SceneValley(cairo_t* cr, double t, double duration) {
    double sunY = Lerp(250, 150, EaseInOut(t / duration));
    ValleyBackdrop(cr, t, 0.0, sunY);
    for (int i = 0; i < 3; ++i) {
        double x = -60 + std::fmod(t * 55.0 + i * 70.0, 1000.0);
        Bird(cr, x, 120 + i * 18 + std::sin(t * 2 + i) * 6, 9, t + i);
    }
    Pedestal(cr, 430, 505);
    Crystal(cr, 430, 430, 22, t, 1.0);
    Fire(cr, 320, 512, 0.8, t);
    CavemanPose pose;
    pose.sitting = true;
    pose.club = false;
    pose.frontArm = 0.9 + 0.05 * std::sin(t * 1.5);
    pose.backArm = 0.5;
    pose.bob = 1.5 * std::sin(t * 1.5);
    pose.blink = std::fmod(t, 3.1) < 0.13;
    Boulder(cr, 238, 512, 20, {0.5, 0.42, 0.36});  // his seat
    Caveman(cr, 240, 515, 1.0, pose);
    Club(cr, 190, 528, -1.35, 0.9);
}

void SceneTheft(cairo_t* cr, double t, double duration) {
    double dusk = Clamp01(t / 2.5);
    ValleyBackdrop(cr, t + 20.0, dusk, Lerp(180, 330, Clamp01(t / duration)));
    Pedestal(cr, 430, 505);
    Fire(cr, 320, 512, 0.8, t);
    // The pterodactyl swoops down from the top right, snatches the crystal and makes for the volcano.
    const double arrive = 1.0, grab = 3.2, leave = 3.7;
    bool stolen = t >= grab;
    if (!stolen) Crystal(cr, 430, 430, 22, t, 1.0);
    double px = 0, py = 0, scale = 1.0, facing = -1.0;
    if (t >= arrive && t < grab) {
        double s = EaseInOut((t - arrive) / (grab - arrive));
        px = Lerp(900, 440, s);
        py = Lerp(40, 380, s) - std::sin(s * kPi) * 60.0;
    } else if (t >= grab && t < leave) {
        px = 440;
        py = 380 - (t - grab) * 30.0;
    } else if (t >= leave) {
        double s = Clamp01((t - leave) / (duration - leave - 0.5));
        facing = 1.0;
        px = Lerp(440, 735, s);
        py = Lerp(365, 290, s) - std::sin(s * kPi) * 180.0;
        scale = Lerp(1.0, 0.15, s);
    }
    CavemanPose pose;
    pose.club = false;
    if (t < grab + 0.2) {
        pose.sitting = true;
        pose.frontArm = 0.9;
        pose.backArm = 0.5;
        pose.face = t > arrive + 1.0 ? 2 : 0;
    } else {
        pose.face = 2;
        double shake = std::sin(t * 14.0) * 0.3;
        pose.frontArm = 2.6 + shake;
        pose.backArm = -2.4 - shake;
        pose.bob = std::max(0.0, std::sin((t - grab) * 6.0) * 6.0);
    }
    Boulder(cr, 238, 512, 20, {0.5, 0.42, 0.36});
    Caveman(cr, 240, 515, 1.0, pose);
    if (t < grab + 0.2) Club(cr, 190, 528, -1.35, 0.9);
    if (t >= grab + 0.2 && t < grab + 2.5) {
        // The startled "!" over his head.
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, 54);
        cairo_move_to(cr, 236, 330);
        cairo_text_path(cr, "!");
        FillOutlined(cr, {1.0, 0.85, 0.2}, 3.0);
    }
    if (t >= arrive && scale > 0.16) Pterodactyl(cr, px, py, scale, t * 2.2, facing, stolen, t, false);
    // Evening falls.
    SetColour(cr, {0.05, 0.03, 0.15}, 0.35 * Clamp01((t - 4.0) / (duration - 4.0)));
    cairo_paint(cr);
}

void SceneClub(cairo_t* cr, double t, double duration) {
    (void)duration;
    // Next morning, close up: he picks up his club and lifts it high.
    Sky(cr, {0.95, 0.62, 0.5}, {1.0, 0.86, 0.62});
    Sun(cr, 130, 230, 48, t, {1.0, 0.78, 0.35});
    Hills(cr, 40, 360, 40, 380, {0.50, 0.64, 0.52}, 21);
    Volcano(cr, 640, 372, 70, t, {0.42, 0.36, 0.42});
    Hills(cr, 20, 440, 30, 260, {0.34, 0.56, 0.30}, 5);
    Ground(cr, 470, kGrass, 0);
    Fern(cr, 110, 500, 60, std::sin(t * 1.5));
    Fern(cr, 690, 505, 70, std::sin(t * 1.2));
    // The club stands on its heavy end against a stone, its handle just where his hand will close on it.
    const double reach = 1.0, grabbed = 1.8, lifted = 2.8;
    const double manX = 400, manY = 492, scale = 2.0, graspArm = 0.9, restingClub = -0.6;
    CavemanPose pose;
    pose.face = t < reach ? 0 : 1;
    pose.backArm = -0.3;
    pose.blink = t > 0.5 && t < 0.62;
    Boulder(cr, 545, 492, 34, {0.6, 0.58, 0.55});
    if (t < grabbed) {
        pose.club = false;
        pose.frontArm = Lerp(0.3, graspArm, EaseInOut(Clamp01((t - reach) / (grabbed - reach))));
        double handX = manX + scale * (8.0 + 42.0 * std::sin(graspArm));
        double handY = manY + scale * (-102.0 + 42.0 * std::cos(graspArm));
        Club(cr, handX, handY, -(graspArm + restingClub), scale);
    } else {
        double s = EaseInOut(Clamp01((t - grabbed) / (lifted - grabbed)));
        pose.frontArm = Lerp(graspArm, 2.4, s);
        pose.clubAngle = Lerp(restingClub, 1.0, s);
        pose.backArm = Lerp(-0.3, -0.9, s);
        // A few practice swings once it is up.
        if (t > lifted + 0.6) {
            double swingT = std::fmod(t - lifted - 0.6, 1.4);
            pose.frontArm = 2.4 - 1.5 * std::sin(Clamp01(swingT / 0.5) * kPi);
        }
    }
    Caveman(cr, manX, manY, scale, pose);
}

void SceneJourney(cairo_t* cr, double t, double duration) {
    (void)duration;
    const double speed = 95.0;  // ground pixels per second
    double scroll = t * speed;
    Sky(cr, kMorningTop, kMorningBottom);
    Sun(cr, 150, 110, 34, t, {1.0, 0.86, 0.3});
    Cloud(cr, 900 - std::fmod(scroll * 0.1 + 200, 1100), 80, 1.1, 0.95);
    Cloud(cr, 900 - std::fmod(scroll * 0.08 + 700, 1100), 140, 0.75, 0.9);
    // The volcano, far away, barely moves; the villain circles above it.
    Volcano(cr, 660 - scroll * 0.03, 380, 110, t, {0.48, 0.40, 0.48});
    Pterodactyl(cr, 660 - scroll * 0.03 + std::cos(t * 1.2) * 40, 210 + std::sin(t * 1.2) * 12, 0.16, t * 2.4,
                std::sin(t * 1.2) < 0 ? 1.0 : -1.0, false, t, false);
    Hills(cr, scroll * 0.2, 385, 36, 420, kFarHills, 3);
    Hills(cr, scroll * 0.5, 440, 28, 300, kMidHills, 8);
    Ground(cr, 480, kGrass, scroll);
    // Scenery along the way, placed on the ground's own coordinates.
    const double spacing = 260.0;
    int first = static_cast<int>(std::floor(scroll / spacing)) - 1;
    for (int i = first; i < first + 6; ++i) {
        double x = i * spacing - scroll + 60.0;
        switch (((i % 4) + 4) % 4) {
            case 0:
                Palm(cr, x, 485, 170, std::sin(t * 1.3 + i));
                break;
            case 1:
                Boulder(cr, x, 492, 24, {0.6, 0.58, 0.55});
                break;
            case 2:
                Fern(cr, x, 495, 45, std::sin(t * 2 + i));
                break;
            default:
                Boulder(cr, x, 490, 16, {0.55, 0.5, 0.46});
                break;
        }
    }
    CavemanPose pose;
    pose.walking = true;
    pose.walk = t * 1.45;
    pose.face = 1;
    pose.frontArm = 0.7;  // the club held up before him
    pose.clubAngle = 2.0;
    pose.backArm = 0.0;
    pose.blink = std::fmod(t, 2.7) < 0.12;
    Caveman(cr, 300, 540, 1.25, pose);
    Fern(cr, 40 - std::fmod(scroll * 1.3, 900) + 900, 600, 80, std::sin(t * 2));
}

void SceneVolcano(cairo_t* cr, double t, double duration) {
    (void)duration;
    Sky(cr, {0.25, 0.08, 0.06}, {0.75, 0.32, 0.12});
    // Ash drifting down.
    for (int i = 0; i < 40; ++i) {
        double x = std::fmod(i * 97.3 + t * (10 + i % 7), 820.0) - 10;
        double y = std::fmod(i * 53.1 + t * (25 + i % 5 * 6), 620.0) - 10;
        SetColour(cr, {0.3, 0.28, 0.28}, 0.6);
        cairo_rectangle(cr, x, y, 3, 3);
        cairo_fill(cr);
    }
    Volcano(cr, 560, 470, 260, t, {0.30, 0.22, 0.20});
    Hills(cr, 0, 470, 20, 240, {0.22, 0.17, 0.16}, 12);
    // A lava pool glowing in the foreground.
    cairo_pattern_t* lava = cairo_pattern_create_radial(650, 560, 10, 650, 560, 160);
    cairo_pattern_add_color_stop_rgba(lava, 0.0, 1.0, 0.75, 0.2, 0.9);
    cairo_pattern_add_color_stop_rgba(lava, 1.0, 1.0, 0.3, 0.0, 0.0);
    cairo_set_source(cr, lava);
    cairo_paint(cr);
    cairo_pattern_destroy(lava);
    Boulder(cr, 300, 560, 110, {0.35, 0.27, 0.25});
    // The beaten pterodactyl tumbles away, dizzy.
    double s = Clamp01(t / 5.5);
    Pterodactyl(cr, Lerp(420, -60, s), Lerp(300, 90, s) + std::sin(t * 5) * 10, Lerp(0.9, 0.45, s), t * 3.0, -1.0,
                false, t, true);
    CavemanPose pose;
    pose.club = false;
    pose.crystal = true;
    pose.walk = t;
    pose.frontArm = 3.0 + 0.08 * std::sin(t * 3.0);
    pose.backArm = -2.7;
    pose.face = 0;
    pose.bob = std::max(0.0, std::sin(t * 4.0)) * 5.0;
    Caveman(cr, 300, 455, 1.3, pose);
    Club(cr, 370, 455, -1.2, 1.1);
}

void SceneCelebrate(cairo_t* cr, double t, double duration) {
    (void)duration;
    ValleyBackdrop(cr, t, 0.45, 220);
    const Rgb colours[4] = {{1.0, 0.85, 0.25}, {1.0, 0.45, 0.3}, {0.5, 0.9, 1.0}, {0.7, 1.0, 0.5}};
    for (int i = 0; i < 8; ++i) {
        double start = i * 0.9;
        Firework(cr, 120 + std::fmod(i * 233.0, 560.0), 90 + (i % 3) * 45, t - start, colours[i % 4]);
    }
    Pedestal(cr, 430, 505);
    Crystal(cr, 430, 430, 22, t, 1.6);
    for (int i = 0; i < 6; ++i) {
        double age = std::fmod(t * 0.6 + i / 6.0, 1.0);
        Sparkle(cr, 430 + std::sin(i * 2.1 + t) * 30, 420 - age * 120, 6, {1.0, 0.9, 0.5}, 1.0 - age);
    }
    Fire(cr, 320, 512, 0.8, t);
    CavemanPose pose;
    pose.face = 0;
    double hop = std::fabs(std::sin(t * 4.0));
    pose.bob = hop * 28.0;
    pose.frontArm = 2.8 + hop * 0.3;
    pose.clubAngle = 0.5;
    pose.backArm = -2.6 - hop * 0.3;
    Caveman(cr, 240, 515, 1.0, pose);
}

void DrawScene(cairo_t* cr, const StoryScene& scene, double local) {
    double duration = scene.end - scene.start;
    if (scene.kind == "valley")
        SceneValley(cr, local, duration);
    else if (scene.kind == "theft")
        SceneTheft(cr, local, duration);
    else if (scene.kind == "club")
        SceneClub(cr, local, duration);
    else if (scene.kind == "journey")
        SceneJourney(cr, local, duration);
    else if (scene.kind == "volcano")
        SceneVolcano(cr, local, duration);
    else if (scene.kind == "celebrate")
        SceneCelebrate(cr, local, duration);
    else
        StoneCard(cr, scene.text, 1.0, local);
}

}  // namespace

void DrawStoryFrame(cairo_t* cr, const Storyboard& board, double time) {
    const StoryScene* current = &board.scenes.back();
    for (const auto& scene : board.scenes) {
        if (time >= scene.start && time < scene.end) {
            current = &scene;
            break;
        }
    }
    cairo_save(cr);
    DrawScene(cr, *current, time - current->start);
    cairo_restore(cr);
    // Every scene fades in from black and out to black.
    double light = Window(time, current->start, current->end, board.fade);
    if (light < 1.0) {
        cairo_set_source_rgba(cr, 0, 0, 0, 1.0 - light);
        cairo_paint(cr);
    }
    for (const auto& caption : board.captions) Caption(cr, caption.text, Window(time, caption.start, caption.end, 0.4));
    for (const auto& title : board.titles) {
        double alpha = Window(time, title.start, title.end, 0.6);
        if (alpha <= 0.0) continue;
        double grow = EaseInOut(Clamp01((time - title.start) / 0.8));
        Title(cr, title.text, 200, 50 + 24 * grow, alpha);
    }
}

}  // namespace media
