// A kind of unit (the hero or an enemy): numbers, size, colour key and animations from Units\<name>.xml.
#include "data/UnitType.h"

#include "data/XmlReader.h"
#include "gfx/Animation.h"

const std::array<const char*, UnitType::kNamedAnimations> UnitType::kAnimationNames = {
    "MOVELEFT",   "MOVERIGHT",   "TURNLEFT",        "TURNRIGHT",        "STAYLEFT",          "STAYRIGHT",
    "RUNLEFT",    "RUNRIGHT",    "STANDJUMPUPLEFT", "STANDJUMPUPRIGHT", "STANDJUMPDOWNLEFT", "STANDJUMPDOWNRIGHT",
    "JUMPUPLEFT", "JUMPUPRIGHT", "JUMPDOWNLEFT",    "JUMPDOWNRIGHT",    "ATACKLEFT",         "ATACKRIGHT",
    "BOREDRIGHT", "BOREDLEFT",   "RUNLEFT",         "RUNRIGHT",         "DEATHRIGHT",        "DEATHLEFT"};

namespace {

// The hero is the only class with the full set of animations; the others walk and turn.
const char kHeroClass[] = "HERO";
constexpr int kWalkAndTurnAnimations = 4;

std::string UpperCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace

UnitType::UnitType(const std::string& name) : UnitType(name, FileOnly{}) {
    CreateAnimations();
}

UnitType::UnitType(const std::string& name, FileOnly) {
    for (int i = 0; i < kNamedAnimations; ++i) animationNames[i] = kAnimationNames[i];
    ReadFile("Units\\" + name + ".xml");
}

std::vector<std::string> UnitType::PicturePaths(const std::string& name) {
    const UnitType type(name, FileOnly{});
    const std::string unitClass = UpperCase(type.unitClass);
    std::vector<std::string> paths;
    for (int i = 0; i < AnimationCountOf(unitClass); ++i) {
        paths.push_back(CAnimation::PicturePath("Units", unitClass, type.animationNames[i]));
    }
    return paths;
}

int UnitType::AnimationCountOf(const std::string& upperCaseClass) {
    return upperCaseClass == kHeroClass ? kNamedAnimations : kWalkAndTurnAnimations;
}

UnitType::~UnitType() = default;

int UnitType::FindAnimation(const std::string& animationName) const {
    for (int i = 0; i < kAnimationSlots; ++i) {
        if (animationNames[i] == animationName) return i;
    }
    return -1;
}

void UnitType::ReadFile(const std::string& gamePath) {
    CXmlReader reader(gamePath);
    while (reader.Next()) {
        if (!reader.AtElement() || reader.attributeCount < 1) continue;
        const std::string& elementName = reader.name;

        if (elementName == "COLORKEY") {
            colorKey = reader.TakeColourKey();
        } else if (elementName == "CLASS") {
            if (reader.NextAttributeIs("CLASS")) unitClass = reader.attributeValue;
        } else if (elementName == "SPEED") {
            if (reader.NextAttributeIs("SPEED")) speed = CXmlReader::ToInt(reader.attributeValue);
        } else if (elementName == "STRENGHT") {
            if (reader.NextAttributeIs("STRENGHT")) strength = CXmlReader::ToInt(reader.attributeValue);
        } else if (elementName == "JUMP") {
            if (reader.NextAttributeIs("JUMP")) jump = CXmlReader::ToInt(reader.attributeValue);
            // A unit that cannot jump is marked with -1, never 0.
            if (jump == 0) jump = -1;
        } else if (elementName == "ENERGY") {
            if (reader.NextAttributeIs("ENERGY")) energy = CXmlReader::ToInt(reader.attributeValue);
        } else if (elementName == "MAXSIZE") {
            if (reader.NextAttributeIs("HEIGHT")) maxHeight = CXmlReader::ToInt(reader.attributeValue);
            if (reader.NextAttributeIs("WIDTH")) maxWidth = CXmlReader::ToInt(reader.attributeValue);
        } else if (elementName == "WEAPON") {
            WeaponEntry weapon;
            reader.NextAttribute();
            weapon.name = reader.attributeValue;
            reader.NextAttribute();
            weapon.flag = !reader.attributeValue.empty();
            reader.NextAttribute();
            weapon.value1 = CXmlReader::ToInt(reader.attributeValue);
            reader.NextAttribute();
            weapon.value2 = CXmlReader::ToInt(reader.attributeValue);
            reader.NextAttribute();
            weapon.value3 = CXmlReader::ToInt(reader.attributeValue);
            weapons.push_back(weapon);
        }
    }
}

void UnitType::CreateAnimations() {
    unitClass = UpperCase(unitClass);
    const int count = AnimationCountOf(unitClass);
    for (int i = 0; i < count; ++i) {
        const std::string& animationName = animationNames[i];
        int32_t frameWidth = maxWidth;
        const bool attack = animationName == "ATACKLEFT" || animationName == "ATACKRIGHT";
        const bool death = animationName == "DEATHRIGHT" || animationName == "DEATHLEFT";
        if (attack) frameWidth = kAttackFrameWidth;
        if (death) frameWidth = kDeathFrameWidth;
        animations[i] = std::make_unique<CAnimation>("Units", unitClass, animationName, frameWidth, colorKey);
        if (attack || death) continue;
        // The unit's box grows to hold its largest ordinary frame.
        if (animations[i]->frameWidth > maxWidth) maxWidth = animations[i]->frameWidth;
        if (animations[i]->frameHeight > maxHeight) maxHeight = animations[i]->frameHeight;
    }
}
