// Fuzz target: an object definition (Objects\<name>.xml) read through ObjectType, its picture drawn once.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "app/GameDlg.h"
#include "data/ObjectType.h"
#include "gfx/Animation.h"

using fuzz_support::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        fuzz_support::Prepare();
        // Pictures for two classes: a strip in one row and one in four rows. Other classes find none.
        fuzz_support::WritePicture("Objects/COIN/rot.png", 128, 32, 0xFFCC00);
        fuzz_support::WritePicture("Objects/MINE/rot.png", 64, 128, 0x808080);
        return true;
    }();
    (void)ready;
    fuzz_support::WriteGameFile("Objects/FUZZ.xml", data, size);

    fuzz_support::BareWindow bare;
    ObjectType type("FUZZ");
    Require(type.colorKey <= 0xFFFFFFu, "a colour key wider than 24 bits");
    Require(type.width == ObjectType::kSize && type.height == ObjectType::kSize, "the object box changed size");
    Require(type.animation != nullptr, "no animation was made");
    for (const int x : {100, -20, 790}) {
        type.animation->Draw(x, 300, 1.0f);
        type.animation->Draw(x, -10, 0.75f);
        ++bare.Window().frameCounter;
    }
    Require(type.animation->currentFrame >= 0, "the animation stands on a negative frame");
    fuzz_support::TakeMessageCount();
    return 0;
}
