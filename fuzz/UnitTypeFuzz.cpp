// Fuzz target: a unit definition (Units\<name>.xml) read through UnitType, its animations drawn once.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "app/GameDlg.h"
#include "data/UnitType.h"
#include "gfx/Animation.h"

using fuzz_support::Require;

namespace {

// Pictures for two classes, so that the frame geometry comes from the file's numbers: the hero's
// set in one row and in four rows, and a walker's four strips. Other classes find no pictures.
void WritePictures() {
    for (int i = 0; i < UnitType::kNamedAnimations; ++i) {
        const std::string name = UnitType::kAnimationNames[i];
        const bool tall = i % 2 == 0;
        fuzz_support::WritePicture("Units/HERO/" + name + ".png", 120, tall ? 96 : 24, 0x336699);
    }
    for (const char* name : {"MOVELEFT", "MOVERIGHT", "TURNLEFT", "TURNRIGHT"}) {
        fuzz_support::WritePicture("Units/DINO/" + std::string(name) + ".png", 64, 40, 0x00FF00);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (fuzz_support::Prepare(), WritePictures(), true);
    (void)ready;
    fuzz_support::WriteGameFile("Units/FUZZ.xml", data, size);

    fuzz_support::BareWindow bare;
    UnitType type("FUZZ");
    Require(type.FindAnimation("MOVELEFT") == 0 && type.FindAnimation("RUNLEFT") == 6, "the fixed names moved");
    // Draw every animation that was made: inside the screen, across its edges and scaled.
    for (const auto& animation : type.animations) {
        if (!animation) continue;
        for (const int x : {100, -30, 780}) {
            animation->Draw(x, 200, 1.0f);
            animation->Draw(x, 590, 0.5f);
            ++bare.Window().frameCounter;
        }
        Require(animation->currentFrame >= 0, "an animation stands on a negative frame");
    }
    fuzz_support::TakeMessageCount();
    return 0;
}
