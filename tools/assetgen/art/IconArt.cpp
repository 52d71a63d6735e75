// The game's icon at the desktop's sizes: the hero's head and raised club on a round patch of sky.
// The window shows it too; the install puts it into the icon theme.
#include <cmath>
#include <string>
#include <vector>

#include "Caveman.h"
#include "Generators.h"

namespace art {

namespace {

// The part of the figure the icon shows, in the rig's units (feet at the origin, facing right): the
// head with its hair, the shoulders and the club above them.
constexpr double kViewLeft = -17, kViewTop = -62, kViewSize = 40;

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* bytes = static_cast<std::vector<unsigned char>*>(closure);
    bytes->insert(bytes->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

CavemanPose IconPose() {
    CavemanPose p;
    p.lean = 2;
    p.headTilt = -4;
    p.shoulderF = 45, p.elbowF = 85;  // the club held up in front, beside the face
    p.club = 150;
    p.clubLength = 24;
    p.shoulderB = 20, p.elbowB = 40;
    p.mouth = 0;
    PlantFeet(p);
    return p;
}

// A square icon with transparent corners (the only pictures of ours with an alpha channel: the game
// never draws them itself).
std::vector<unsigned char> DrawIcon(int size, const Palette& pal) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    const double s = size / 64.0;  // drawn on a 64-unit square
    cairo_scale(cr, s, s);
    // Small icons get thicker lines so the outline survives.
    const double line = size <= 16 ? 3.2 : size <= 32 ? 2.4 : 1.8;

    auto disc = [](cairo_t* c) { CirclePath(c, 32, 32, 30.5); };
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 2, 0, 62);
    const Colour top = pal["sky.day.top"], bottom = pal["sky.day.bottom"];
    cairo_pattern_add_color_stop_rgb(sky, 0, top.r / 255.0, top.g / 255.0, top.b / 255.0);
    cairo_pattern_add_color_stop_rgb(sky, 1, bottom.r / 255.0, bottom.g / 255.0, bottom.b / 255.0);
    disc(cr);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);

    cairo_save(cr);
    disc(cr);
    cairo_clip(cr);
    CavemanLook look = MakeCavemanLook(pal);
    const double k = 64.0 / kViewSize;
    look.lineWidth = line / k;
    DrawCaveman(cr, IconPose(), look, {-kViewLeft * k, -kViewTop * k}, k, 1);
    cairo_restore(cr);
    Stroke(cr, disc, pal["outline"], line);

    cairo_destroy(cr);
    std::vector<unsigned char> bytes;
    cairo_surface_write_to_png_stream(surface, AppendBytes, &bytes);
    cairo_surface_destroy(surface);
    return bytes;
}

}  // namespace

bool WriteIcons(const Content& content, GameFolder& out) {
    for (int size : {16, 32, 48, 64, 128, 256}) {
        if (!out.Write("Icons/kolvenbrook-" + std::to_string(size) + ".png", DrawIcon(size, content.palette))) {
            return false;
        }
    }
    return true;
}

}  // namespace art
