// The figures of the videos: the caveman with his club and the villainous pterodactyl.
#include "Figures.h"

#include <algorithm>
#include <cmath>

#include "Dsp.h"
#include "Scenery.h"

namespace media::cartoon {
namespace {

const Rgb kSkin{0.96, 0.76, 0.55};
const Rgb kHair{0.28, 0.15, 0.07};
const Rgb kTunic{0.80, 0.47, 0.18};
const Rgb kTunicSpot{0.55, 0.28, 0.10};
const Rgb kWood{0.62, 0.40, 0.20};

}  // namespace

void Club(cairo_t* cr, double x, double y, double angle, double scale) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, scale, scale);
    // Along +y: handle at 0, heavy knobbed end at about 70.
    cairo_move_to(cr, -4, -8);
    cairo_line_to(cr, 4, -8);
    cairo_curve_to(cr, 6, 20, 14, 40, 14, 58);
    cairo_curve_to(cr, 14, 74, -14, 74, -14, 58);
    cairo_curve_to(cr, -14, 40, -6, 20, -4, -8);
    cairo_close_path(cr);
    FillOutlined(cr, kWood, 3.0);
    SetColour(cr, {0.45, 0.27, 0.12});
    Circle(cr, 5, 50, 3.2);
    Circle(cr, -6, 60, 2.6);
    Circle(cr, 3, 66, 2.2);
    cairo_fill(cr);
    SetColour(cr, {0.78, 0.56, 0.32});
    Ellipse(cr, -6, 44, 2.5, 9, 0.15);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Caveman(cairo_t* cr, double x, double groundY, double scale, const CavemanPose& pose) {
    cairo_save(cr);
    cairo_translate(cr, x, groundY);
    cairo_scale(cr, scale * pose.facing, scale);
    const double swing = pose.walking ? 0.5 * std::sin(2.0 * kPi * pose.walk) : 0.14;  // standing: feet apart
    const double lift = pose.walking ? 3.0 * std::fabs(std::sin(2.0 * kPi * pose.walk)) : 0.0;
    cairo_translate(cr, 0, -pose.bob - lift);
    const double hipY = pose.sitting ? -30.0 : -56.0;

    // Legs, feet pointing forward.
    auto leg = [&](double angle, Rgb shade) {
        double footX, footY;
        if (pose.sitting) {
            Limb(cr, 0, hipY, 22, hipY - 2, 13, shade);
            footX = 26;
            footY = lift + pose.bob;
            Limb(cr, 22, hipY - 2, footX, footY - 6, 12, shade);
        } else {
            footX = std::sin(angle) * 54.0;
            footY = hipY + std::cos(angle) * 54.0;
            Limb(cr, 0, hipY, footX, footY - 5, 13, shade);
        }
        Ellipse(cr, footX + 6, footY - 4, 13, 6.5);
        FillOutlined(cr, Mix(shade, {0.5, 0.3, 0.2}, 0.3), 2.5);
    };
    leg(-swing, Mix(kSkin, {0, 0, 0}, 0.12));

    // The back arm swings against the front leg.
    double backAngle = pose.backArm - (pose.walking ? swing * 0.8 : 0.0);
    double shoulderBackX = -7, shoulderY = -102;
    Limb(cr, shoulderBackX, shoulderY, shoulderBackX + std::sin(backAngle) * 38, shoulderY + std::cos(backAngle) * 38,
         11, Mix(kSkin, {0, 0, 0}, 0.12));
    leg(swing, kSkin);

    // Fur tunic with a ragged hem and one shoulder strap.
    cairo_move_to(cr, -19, -108);
    cairo_curve_to(cr, -26, -90, -26, -70, -24, -52);
    for (int i = 0; i < 6; ++i) {
        cairo_line_to(cr, -24 + i * 8 + 4, -44 - (i % 2) * 2);
        cairo_line_to(cr, -24 + (i + 1) * 8, -52);
    }
    cairo_curve_to(cr, 26, -70, 24, -92, 16, -106);
    cairo_curve_to(cr, 8, -112, -10, -113, -19, -108);
    cairo_close_path(cr);
    FillOutlined(cr, kTunic, 3.0);
    SetColour(cr, kTunicSpot);
    Ellipse(cr, -10, -90, 5, 3.5, 0.4);
    Ellipse(cr, 8, -70, 6, 4, -0.3);
    Ellipse(cr, -12, -62, 4, 3, 0.2);
    Ellipse(cr, 12, -96, 3.5, 2.5, 0.1);
    cairo_fill(cr);
    // Bare shoulder on the front side.
    Ellipse(cr, 9, -104, 9, 7);
    FillOutlined(cr, kSkin, 2.5);

    // Front arm with the club (or the crystal). Raised high it goes behind the head, so it never hides the face.
    const double armLength = 42.0;
    double frontAngle = pose.frontArm + (pose.walking ? swing * 0.8 : 0.0);
    auto frontArm = [&] {
        double shoulderX = 8;
        double handX = shoulderX + std::sin(frontAngle) * armLength,
               handY = shoulderY + std::cos(frontAngle) * armLength;
        if (pose.club) Club(cr, handX, handY, -(frontAngle + pose.clubAngle), 1.0);
        Limb(cr, shoulderX, shoulderY, handX, handY, 11, kSkin);
        Circle(cr, handX, handY, 7);
        FillOutlined(cr, kSkin, 2.5);
        if (pose.crystal) {
            cairo_save(cr);
            cairo_scale(cr, pose.facing, 1.0);  // keep the crystal's sparkle the same way round
            Crystal(cr, handX * pose.facing, handY - 22, 17, pose.walk, 1.0);
            cairo_restore(cr);
        }
    };
    const bool armBehindHead = frontAngle > 1.9;
    if (armBehindHead) frontArm();

    // Head: hair behind, face, fringe in front.
    const double headX = 4, headY = -128;
    const double hairBlobs[6][3] = {{-10, -140, 13}, {2, -150, 12},  {14, -146, 10},
                                    {-18, -128, 10}, {-14, -116, 8}, {-4, -146, 11}};
    for (const auto& b : hairBlobs) Circle(cr, b[0], b[1], b[2]);
    cairo_set_line_width(cr, 5.0);
    SetColour(cr, kOutline);
    cairo_stroke_preserve(cr);
    SetColour(cr, kHair);
    cairo_fill(cr);
    Circle(cr, headX, headY, 20);
    FillOutlined(cr, kSkin, 3.0);
    // Stubbly jaw.
    cairo_move_to(cr, -12, -118);
    cairo_curve_to(cr, -6, -104, 18, -104, 24, -116);
    cairo_curve_to(cr, 18, -111, -2, -110, -12, -118);
    cairo_close_path(cr);
    SetColour(cr, Mix(kSkin, kHair, 0.35));
    cairo_fill(cr);
    // Fringe.
    cairo_move_to(cr, -14, -140);
    for (int i = 0; i < 5; ++i) {
        cairo_line_to(cr, -10 + i * 7, -134 + (i % 2) * 3);
        cairo_line_to(cr, -6 + i * 7, -144);
    }
    cairo_curve_to(cr, 14, -154, -8, -156, -14, -140);
    cairo_close_path(cr);
    FillOutlined(cr, kHair, 2.0);
    // Eye and brow.
    const double eyeX = 13, eyeY = -128;
    if (pose.blink) {
        cairo_move_to(cr, eyeX - 5, eyeY);
        cairo_line_to(cr, eyeX + 5, eyeY);
        SetColour(cr, kOutline);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    } else {
        double eyeSize = pose.face == 2 ? 7.5 : 6.0;
        Ellipse(cr, eyeX, eyeY, eyeSize * 0.8, eyeSize);
        FillOutlined(cr, {1, 1, 1}, 2.0);
        Circle(cr, eyeX + 2, eyeY + 0.5, pose.face == 2 ? 2.2 : 2.8);
        SetColour(cr, kOutline);
        cairo_fill(cr);
    }
    SetColour(cr, kHair);
    cairo_set_line_width(cr, 4.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (pose.face == 1) {
        cairo_move_to(cr, eyeX - 7, eyeY - 12);
        cairo_line_to(cr, eyeX + 7, eyeY - 7);
    } else if (pose.face == 2) {
        cairo_move_to(cr, eyeX - 7, eyeY - 13);
        cairo_curve_to(cr, eyeX - 3, eyeY - 18, eyeX + 3, eyeY - 18, eyeX + 7, eyeY - 14);
    } else {
        cairo_move_to(cr, eyeX - 7, eyeY - 10);
        cairo_curve_to(cr, eyeX - 3, eyeY - 13, eyeX + 3, eyeY - 13, eyeX + 7, eyeY - 10);
    }
    cairo_stroke(cr);
    // Nose and mouth.
    Ellipse(cr, 24, -122, 6.5, 5.5);
    FillOutlined(cr, Mix(kSkin, {0.9, 0.4, 0.3}, 0.2), 2.5);
    SetColour(cr, kOutline);
    cairo_set_line_width(cr, 2.5);
    if (pose.face == 2) {
        Ellipse(cr, 15, -111, 3.5, 4.5);
        cairo_fill(cr);
    } else if (pose.face == 1) {
        cairo_move_to(cr, 9, -111);
        cairo_line_to(cr, 20, -113);
        cairo_stroke(cr);
    } else {
        cairo_move_to(cr, 8, -114);
        cairo_curve_to(cr, 11, -108, 18, -108, 21, -113);
        cairo_stroke(cr);
    }
    // Ear.
    Ellipse(cr, -5, -126, 4.5, 6);
    FillOutlined(cr, kSkin, 2.0);
    if (!armBehindHead) frontArm();

    cairo_restore(cr);
}

void Pterodactyl(cairo_t* cr, double x, double y, double scale, double flap, double facing, bool carrying, double time,
                 bool dizzy) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale * facing, scale);
    const double f = std::sin(2.0 * kPi * flap);
    const Rgb skin{0.42, 0.52, 0.33}, membrane{0.55, 0.33, 0.52}, farMembrane{0.42, 0.24, 0.40};
    auto wing = [&](double lift, double shift, Rgb colour) {
        double tipX = -78 + shift, tipY = -80 * lift - 6;
        double elbowX = -22 + shift * 0.5, elbowY = -36 * lift - 14;
        cairo_move_to(cr, 8, -8);
        cairo_curve_to(cr, -4, -14 - 10 * lift, elbowX + 8, elbowY, elbowX, elbowY);
        cairo_line_to(cr, tipX, tipY);
        cairo_curve_to(cr, tipX + 20, tipY * 0.4 + 10, -30, 6, -22, 6);
        cairo_close_path(cr);
        FillOutlined(cr, colour, 3.0);
        SetColour(cr, Mix(colour, {0, 0, 0}, 0.25));
        cairo_set_line_width(cr, 2.0);
        cairo_move_to(cr, elbowX, elbowY);
        cairo_line_to(cr, -26, 4);
        cairo_stroke(cr);
    };
    wing(f * 0.9 + 0.1, 14, farMembrane);
    // Tail.
    cairo_move_to(cr, -30, 2);
    cairo_curve_to(cr, -50, 6, -60, 4, -70, 12);
    SetColour(cr, kOutline);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    cairo_move_to(cr, -70, 6);
    cairo_line_to(cr, -78, 14);
    cairo_line_to(cr, -68, 18);
    cairo_close_path(cr);
    FillOutlined(cr, membrane, 2.0);
    // Feet.
    Limb(cr, -6, 10, -2, 26, 4, skin);
    Limb(cr, 6, 10, 8, 26, 4, skin);
    if (carrying) Crystal(cr, 3, 38, 14, time, 0.8);
    // Body, neck and head.
    Ellipse(cr, 0, 0, 36, 14, -0.1);
    FillOutlined(cr, skin, 3.0);
    Ellipse(cr, 2, 6, 22, 6, -0.1);
    SetColour(cr, {0.72, 0.74, 0.5});
    cairo_fill(cr);
    Limb(cr, 26, -6, 46, -16, 9, skin);
    cairo_move_to(cr, 46, -28);
    cairo_line_to(cr, 18, -44);
    cairo_line_to(cr, 40, -14);
    cairo_close_path(cr);
    FillOutlined(cr, membrane, 2.5);
    Ellipse(cr, 50, -18, 13, 9, -0.15);
    FillOutlined(cr, skin, 3.0);
    cairo_move_to(cr, 58, -24);
    cairo_line_to(cr, 104, -12);
    cairo_line_to(cr, 58, -11);
    cairo_close_path(cr);
    FillOutlined(cr, {0.92, 0.8, 0.45}, 2.5);
    Circle(cr, 53, -21, 4.0);
    FillOutlined(cr, {1.0, 0.95, 0.5}, 1.5);
    if (dizzy) {
        SetColour(cr, kOutline);
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, 51, -23);
        cairo_line_to(cr, 55, -19);
        cairo_move_to(cr, 55, -23);
        cairo_line_to(cr, 51, -19);
        cairo_stroke(cr);
    } else {
        Circle(cr, 54, -21, 1.8);
        SetColour(cr, {0.7, 0.05, 0.05});
        cairo_fill(cr);
        // A mean brow.
        SetColour(cr, kOutline);
        cairo_set_line_width(cr, 2.5);
        cairo_move_to(cr, 47, -28);
        cairo_line_to(cr, 59, -24);
        cairo_stroke(cr);
    }
    wing(f, 0, membrane);
    if (dizzy) {
        for (int i = 0; i < 3; ++i) {
            double angle = time * 5.0 + i * 2.0 * kPi / 3.0;
            Sparkle(cr, 50 + std::cos(angle) * 22, -42 + std::sin(angle) * 7, 6, {1.0, 0.9, 0.2}, 1.0);
        }
    }
    cairo_restore(cr);
}

}  // namespace media::cartoon
