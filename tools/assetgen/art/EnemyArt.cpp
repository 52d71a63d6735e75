// The enemies: Units\<name>.xml and the four strips the game loads for every non-hero unit.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "CreatureArt.h"
#include "Generators.h"
#include "Strip.h"
#include "Toolkit.h"

namespace art {

namespace {

bool CheckUnit(const UnitDef& u) {
    auto fail = [&](const char* what) {
        std::fprintf(stderr, "assetgen-art: unit %s: %s\n", u.name.c_str(), what);
        return false;
    };
    for (char c : u.unitClass) {
        // Level files must name enemies exactly as the game stores the class: in capitals.
        if (c >= 'a' && c <= 'z') return fail("the class must be written in capitals");
    }
    if (u.name != u.unitClass) return fail("the file name must equal the class (level files use both)");
    if (u.height > 32 && (u.moveFrames % 4 || u.turnFrames % 4)) {
        return fail("strips over 32 pixels high are four rows: frame counts must be multiples of 4");
    }
    if (u.turnFrames < 4) return fail("a turn needs at least 4 frames");
    if (u.speed <= 0) return fail("speed must be above 0 (a chasing flyer never reaches the hero otherwise)");
    return true;
}

}  // namespace

bool WriteEnemies(const Content& content, GameFolder& out) {
    for (const UnitDef& u : content.units) {
        if (u.name == "hero") continue;
        if (!CheckUnit(u) || !WriteUnitFile(u, out)) return false;
        const double w = u.width, h = u.height;
        auto draw = [&](cairo_t* cr, double phase, double facing) {
            cairo_translate(cr, w / 2, 0);
            cairo_scale(cr, facing, 1);
            cairo_translate(cr, -w / 2, 0);
            if (!DrawCreature(cr, u.art, content.palette, w, h, phase)) {
                std::fprintf(stderr, "assetgen-art: unit %s: no drawing called '%s'\n", u.name.c_str(), u.art.c_str());
                std::exit(1);
            }
        };
        struct StripSpec {
            const char* name;
            int frames;
            bool turn;
            double facing;  // the direction faced (walk) or turned to (turn)
        };
        const StripSpec specs[] = {{"MOVELEFT", u.moveFrames, false, -1},
                                   {"MOVERIGHT", u.moveFrames, false, 1},
                                   {"TURNLEFT", u.turnFrames, true, -1},
                                   {"TURNRIGHT", u.turnFrames, true, 1}};
        for (const StripSpec& s : specs) {
            StripLayout layout{u.width, u.height, s.frames};
            StripReport report;
            Picture pic = RenderStrip(
                layout, u.key,
                [&](cairo_t* cr, int f) {
                    if (!s.turn) {
                        draw(cr, double(f) / s.frames, s.facing);
                        return;
                    }
                    // A turn shows frames 1 to n - 2 while the enemy stands: the figure narrows,
                    // flips over and widens again facing the new way.
                    double progress = std::clamp((f - 1.0) / (s.frames - 3.0), 0.0, 1.0);
                    double c = std::cos(M_PI * progress);
                    double squeeze = (c >= 0 ? 1 : -1) * std::max(0.2, std::fabs(c));
                    draw(cr, 0, -s.facing * squeeze);
                },
                &report);
            if (report.borderCleared > 0) {
                std::fprintf(stderr, "assetgen-art: note: %s/%s reaches its frame edge %s (%d pixels cut; frames%s)\n",
                             u.unitClass.c_str(), s.name, report.edges.c_str(), report.borderCleared,
                             report.frames.c_str());
            }
            if (!out.WritePng("Units/" + u.unitClass + "/" + s.name + ".png", pic)) return false;
        }
    }
    return true;
}

}  // namespace art
