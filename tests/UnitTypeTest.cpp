// Unit types: the animation name table, the Units files with checked attribute names, hero and other classes.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "LevelFixture.h"
#include "data/UnitType.h"
#include "gfx/Animation.h"

namespace {

class UnitTypeTest : public ::testing::Test {
protected:
    void WriteUnit(const std::string& name, const std::string& body) { folder.Write("Units/" + name + ".xml", body); }
    void WritePicture(const std::string& path, int width, int height) {
        ASSERT_TRUE(levelfixture::WriteFlatPicture(path, width, height, 0x336699));
    }

    testing_support::TempGameFolder folder;
    testing_support::HeadlessServices services;
};

TEST_F(UnitTypeTest, AnimationNamesInTheirFixedOrder) {
    const char* expected[] = {
        "MOVELEFT",   "MOVERIGHT",   "TURNLEFT",        "TURNRIGHT",        "STAYLEFT",          "STAYRIGHT",
        "RUNLEFT",    "RUNRIGHT",    "STANDJUMPUPLEFT", "STANDJUMPUPRIGHT", "STANDJUMPDOWNLEFT", "STANDJUMPDOWNRIGHT",
        "JUMPUPLEFT", "JUMPUPRIGHT", "JUMPDOWNLEFT",    "JUMPDOWNRIGHT",    "ATACKLEFT",         "ATACKRIGHT",
        "BOREDRIGHT", "BOREDLEFT",   "RUNLEFT",         "RUNRIGHT",         "DEATHRIGHT",        "DEATHLEFT"};
    UnitType type("nothing");
    ASSERT_EQ(type.animationCount, 24);
    for (int i = 0; i < 24; ++i) EXPECT_EQ(type.animationNames[i], expected[i]) << "index " << i;
    // The run pair stands twice; a search finds the first.
    EXPECT_EQ(type.FindAnimation("RUNLEFT"), 6);
    EXPECT_EQ(type.FindAnimation("RUNRIGHT"), 7);
    EXPECT_EQ(type.FindAnimation("BOREDLEFT"), 19);
    EXPECT_EQ(type.FindAnimation("STAY"), -1);
}

TEST_F(UnitTypeTest, FieldsFromTheFile) {
    const std::tuple<const char*, const char*, int, int, int, int, uint32_t, std::string> cases[] = {
        {"all set",
         "<UNIT>\r\n<CLASS CLASS=\"wolf\"/>\r\n<SPEED SPEED=\"5\"/>\r\n<JUMP JUMP=\"12\"/>\r\n"
         "<STRENGHT STRENGHT=\"20\"/>\r\n<ENERGY ENERGY=\"30\"/>\r\n"
         "<COLORKEY R=\"255\" G=\"0\" B=\"255\"/>\r\n</UNIT>\r\n",
         5, 12, 20, 30, 0xFF00FF, "WOLF"},
        {"nothing set", "<UNIT>\r\n</UNIT>\r\n", 0, 0, 0, 1, 0, ""},
        {"jump 0 stored as -1", "<JUMP JUMP=\"0\"/>", 0, -1, 0, 1, 0, ""},
        {"misnamed jump still marks -1", "<JUMP HIGH=\"7\"/>", 0, -1, 0, 1, 0, ""},
        {"misnamed attributes skipped",
         "<SPEED SPED=\"5\"/><ENERGY energy=\"9\"/><STRENGHT STRENGTH=\"3\"/>"
         "<CLASS KLASA=\"x\"/>",
         0, 0, 0, 1, 0, ""},
        {"colour parts by name and place", "<COLORKEY R=\"1\" G=\"2\" B=\"3\"/>", 0, 0, 0, 1, 0x030201, ""},
        {"second attribute named B is not blue", "<COLORKEY R=\"1\" B=\"2\" G=\"3\"/>", 0, 0, 0, 1, 0x000001, ""},
        {"parts cut to eight bits", "<COLORKEY R=\"257\" G=\"256\" B=\"511\"/>", 0, 0, 0, 1, 0xFF0001, ""},
        {"later element wins", "<SPEED SPEED=\"3\"/><SPEED SPEED=\"9\"/>", 9, 0, 0, 1, 0, ""},
        {"closing tags and comments are not read", "</SPEED SPEED=\"3\"><!!SPEED SPEED=\"4\">", 0, 0, 0, 1, 0, ""},
        {"elements without attributes are not read", "<SPEED>", 0, 0, 0, 1, 0, ""},
        {"opening element read like self-closing", "<SPEED SPEED=\"6\">", 6, 0, 0, 1, 0, ""},
    };
    for (const auto& [what, file, speed, jump, strength, energy, colorKey, unitClass] : cases) {
        SCOPED_TRACE(what);
        WriteUnit("u", file);
        UnitType type("u");
        EXPECT_EQ(std::tuple(type.speed, type.jump, type.strength, type.energy, type.colorKey, type.unitClass),
                  std::tuple(speed, jump, strength, energy, colorKey, unitClass));
    }
}

TEST_F(UnitTypeTest, SizeOnlyWithHeightBeforeWidth) {
    WriteUnit("right", "<MAXSIZE HEIGHT=\"70\" WIDTH=\"50\"/>");
    WriteUnit("swapped", "<MAXSIZE WIDTH=\"50\" HEIGHT=\"70\"/>");
    UnitType right("right");
    EXPECT_EQ(right.maxHeight, 70);
    EXPECT_EQ(right.maxWidth, 50);
    // Neither is taken; the empty animations' default 32x32 frames then raise the zero sizes.
    UnitType swapped("swapped");
    EXPECT_EQ(swapped.maxHeight, 32);
    EXPECT_EQ(swapped.maxWidth, 32);
}

TEST_F(UnitTypeTest, WeaponEntries) {
    WriteUnit("armed",
              "<WEAPON NAME=\"maczuga\" F=\"1\" A=\"2\" B=\"3\" C=\"4\"/><WEAPON N=\"kamien\" F=\"\" A=\"5\" "
              "B=\"6\" C=\"7\"/>");
    UnitType type("armed");
    ASSERT_EQ(type.weapons.size(), 2u);
    const WeaponEntry& club = type.weapons[0];
    const WeaponEntry& stone = type.weapons[1];
    EXPECT_EQ(std::tuple(club.name, club.flag, club.value1, club.value2, club.value3),
              std::tuple("maczuga", true, 2, 3, 4));
    EXPECT_EQ(std::tuple(stone.name, stone.flag, stone.value1, stone.value2, stone.value3),
              std::tuple("kamien", false, 5, 6, 7));
}

TEST_F(UnitTypeTest, OtherClassesGetWalkAndTurnOnly) {
    WriteUnit("wolf", "<CLASS CLASS=\"Wolf\"/><MAXSIZE HEIGHT=\"40\" WIDTH=\"64\"/>");
    WritePicture("Units/WOLF/MOVELEFT.png", 256, 40);
    UnitType type("wolf");
    EXPECT_EQ(type.unitClass, "WOLF");
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(type.animations[i], nullptr) << i;
        EXPECT_EQ(type.animations[i]->path, "Units\\WOLF\\" + type.animationNames[i] + ".png");
        EXPECT_EQ(type.animations[i]->colourKey, type.colorKey);
    }
    for (int i = 4; i < 30; ++i) EXPECT_EQ(type.animations[i], nullptr) << i;
    EXPECT_NE(type.animations[0]->surface, nullptr);
    EXPECT_EQ(type.animations[1]->surface, nullptr);
}

TEST_F(UnitTypeTest, LowerCaseHeroIsTheHeroClass) {
    WriteUnit("hero",
              "<CLASS CLASS=\"hErO\"/><MAXSIZE HEIGHT=\"64\" WIDTH=\"64\"/><COLORKEY R=\"0\" G=\"255\" B=\"0\"/>");
    WritePicture("Units/HERO/STAYRIGHT.png", 640, 64);
    WritePicture("Units/HERO/ATACKRIGHT.png", 1800, 32);
    WritePicture("Units/HERO/DEATHLEFT.png", 1000, 32);
    UnitType type("hero");
    EXPECT_EQ(type.unitClass, "HERO");
    for (int i = 0; i < 24; ++i) {
        ASSERT_NE(type.animations[i], nullptr) << i;
        EXPECT_EQ(type.animations[i]->path, "Units\\HERO\\" + type.animationNames[i] + ".png");
    }
    for (int i = 24; i < 30; ++i) EXPECT_EQ(type.animations[i], nullptr) << i;

    // Attack and death frames are wider than the rest; 640 x 64 is four rows of 16 high.
    const struct { int index, frameWidth, frameCount; } strips[] = {{5, 64, 40}, {17, 120, 15}, {23, 100, 10}};
    for (const auto& c : strips) {
        const CAnimation& a = *type.animations[c.index];
        ASSERT_NE(a.surface, nullptr) << c.index;
        EXPECT_EQ(std::pair(a.frameWidth, a.frameCount), std::pair(c.frameWidth, c.frameCount)) << c.index;
    }
}

TEST_F(UnitTypeTest, SizesRaisedByOrdinaryFramesOnly) {
    // Ordinary frames taller than MAXSIZE raise the height; the wide attack and death frames, and
    // their height, do not count.
    WriteUnit("hero", "<CLASS CLASS=\"HERO\"/><MAXSIZE HEIGHT=\"40\" WIDTH=\"64\"/>");
    for (int i = 0; i < 24; ++i) {
        const std::string name = UnitType::kAnimationNames[i];
        if (name == "ATACKLEFT" || name == "ATACKRIGHT") {
            WritePicture("Units/HERO/" + name + ".png", 1800, 400);  // frames 100 high
        } else if (name == "DEATHLEFT" || name == "DEATHRIGHT") {
            WritePicture("Units/HERO/" + name + ".png", 1000, 360);  // frames 90 high
        } else if (name == "JUMPUPRIGHT") {
            WritePicture("Units/HERO/" + name + ".png", 256, 232);  // frames 58 high
        } else {
            WritePicture("Units/HERO/" + name + ".png", 256, 32);
        }
    }
    UnitType type("hero");
    EXPECT_EQ(type.maxHeight, 58);
    EXPECT_EQ(type.maxWidth, 64);
    EXPECT_EQ(type.animations[16]->frameHeight, 100);
}

TEST_F(UnitTypeTest, MissingFileGivesAnEmptyType) {
    UnitType type("ghost");
    EXPECT_EQ(std::tuple(type.unitClass, type.speed, type.jump, type.energy), std::tuple("", 0, 0, 1));
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(type.animations[i], nullptr);
        EXPECT_EQ(type.animations[i]->surface, nullptr);
        EXPECT_EQ(type.animations[i]->path, "Units\\\\" + type.animationNames[i] + ".png");
    }
    EXPECT_EQ(type.animations[4], nullptr);
    EXPECT_TRUE(services.messageBox.shown.empty());
}

}  // namespace
