// A kind of unit (the hero or an enemy): numbers, size, colour key and animations from Units\<name>.xml.
#include "data/UnitType.h"

#include "actors/Animation.h"

const std::array<const char*, UnitType::kNamedAnimations> UnitType::kAnimationNames = {
    "MOVELEFT",         "MOVERIGHT",          "TURNLEFT",     "TURNRIGHT",     "STAYLEFT",
    "STAYRIGHT",        "RUNLEFT",            "RUNRIGHT",     "STANDJUMPUPLEFT", "STANDJUMPUPRIGHT",
    "STANDJUMPDOWNLEFT", "STANDJUMPDOWNRIGHT", "JUMPUPLEFT",  "JUMPUPRIGHT",   "JUMPDOWNLEFT",
    "JUMPDOWNRIGHT",    "ATACKLEFT",          "ATACKRIGHT",   "BOREDRIGHT",    "BOREDLEFT",
    "RUNLEFT",          "RUNRIGHT",           "DEATHRIGHT",   "DEATHLEFT"};

UnitType::UnitType(const std::string&) {
    for (int i = 0; i < kNamedAnimations; ++i) animationNames[i] = kAnimationNames[i];
}

UnitType::~UnitType() = default;

int UnitType::FindAnimation(const std::string& animationName) const {
    for (int i = 0; i < kAnimationSlots; ++i) {
        if (animationNames[i] == animationName) return i;
    }
    return -1;
}

void UnitType::ReadFile(const std::string&) {}

void UnitType::CreateAnimations() {}
