// Objects: type files, placement, touching, the order of pickup effects, and the rising texts.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "LevelFixture.h"
#include "actors/GameObject.h"
#include "data/ObjectType.h"
#include "data/XmlReader.h"
#include "gfx/Animation.h"

namespace {

using levelfixture::WriteFile;

// The floor is cell row 40 (pixels 640..655); a 64-high hero rests at y 575, a 32-high object at 608.
constexpr int kRestY = 575;
constexpr int kObjectY = 608;

// An object definition with a class and VALUE elements.
std::string ObjectXml(const std::string& objectClass, const std::vector<std::pair<std::string, std::string>>& values) {
    std::string xml = "<OBJECT>\r\n<CLASS VALUE=\"" + objectClass + "\"/>\r\n";
    for (const auto& [name, value] : values) xml += "<" + name + " VALUE=\"" + value + "\"/>\r\n";
    return xml + "</OBJECT>\r\n";
}

std::unique_ptr<ObjectType> TypeFromText(const std::string& text) {
    auto type = std::make_unique<ObjectType>("no-such-object");
    CXmlReader reader = CXmlReader::FromText(text);
    type->Read(reader);
    return type;
}

class ObjectsTest : public levelfixture::ActorTest {
protected:
    void SetUp() override {
        ActorTest::SetUp();
        levelfixture::WriteCollisionFile(0, [](int, int cy) { return cy == 40; });
        levelfixture::WriteSamples({"POWER", "JUMPER", "MINE", "CHECKPOINT", "MONEY_COLLECTED", "POINTS_COLLECTED",
                                    "ENERGY_COLLECTED", "HERO_HIT", "MONSTER_HIT", "LEVEL_COMPLETED", "HIT"});
        WriteFile("Objects/SILVERCOIN.xml", ObjectXml("SILVERCOIN", {{"MONEY", "5"}}));
        WriteFile("Objects/BAG.xml", ObjectXml("BAG", {{"MONEY", "3"}, {"POINT", "20"}}));
        WriteFile("Objects/HEALTH10.xml", ObjectXml("HEALTH10", {{"HEALTH", "30"}}));
        WriteFile("Objects/MACE.xml", ObjectXml("MACE", {{"MACE", "5"}}));
        WriteFile("Objects/CHECKPOINT.xml", ObjectXml("CHECKPOINT", {{"CHECKPOINT", "1"}, {"PICKABLE", "0"}}));
        WriteFile("Objects/jumper.xml", ObjectXml("jumper", {{"PICKABLE", "0"}}));
        WriteFile("Objects/mine.xml", ObjectXml("mine", {{"HEALTH", "20"}, {"PICKABLE", "0"}}));
        WriteFile("Objects/THORN.xml", ObjectXml("THORN", {{"HEALTH", "-2"}}));
        WriteFile("Objects/POINTS.xml", ObjectXml("POINTS", {{"POINT", "5"}}));
    }

    // A level 0 whose description places the given objects (type name, x).
    void Start(const std::vector<std::pair<std::string, int>>& placed) {
        std::string objects;
        for (const auto& [type, x] : placed) {
            objects += "<OBJECT>\r\n<OBJECT_TYPE T=\"" + type + "\"/>\r\n" +
                       levelfixture::XY("OBJECT_POS", x, kObjectY) + "</OBJECT>\r\n";
        }
        WriteFile("LevelDescriptions/Level0.xml", levelfixture::LevelXml(400, kRestY, 4000, 100, objects));
        MakeLevel(0, true);
        Hero().x = Hero().prevX = 400;
        Hero().y = Hero().prevY = kRestY;
        Hero().hurtTimer = 200;
    }
    CGameObject& Object(size_t i) { return level_->objects.at(i); }
    const ObjectType* TypeOfClass(const std::string& objectClass) const {
        for (int i = 0; i < level_->objectTypeCount; ++i) {
            if (level_->objectTypes[i]->objectClass == objectClass) return level_->objectTypes[i];
        }
        return nullptr;
    }
};

// ---- object type files ----

TEST(ObjectTypeTest, AClassAloneGivesAPickableTypeWithNothingSet) {
    const std::unique_ptr<ObjectType> read = TypeFromText("<CLASS VALUE=\"SILVERCOIN\"/>");
    const ObjectType& type = *read;
    EXPECT_EQ(type.objectClass, "SILVERCOIN");
    EXPECT_TRUE(type.pickable);
    EXPECT_FALSE(type.checkpoint);
    EXPECT_EQ(type.colorKey, 0u);
    EXPECT_EQ(type.width, 32);
    EXPECT_EQ(type.height, 32);
    for (int value : {type.life, type.health, type.damage, type.range, type.use, type.quantity, type.money, type.mace,
                      type.point}) {
        EXPECT_EQ(value, 0);
    }
}

TEST(ObjectTypeTest, ElementsAndTheirValues) {
    const std::tuple<const char*, int32_t ObjectType::*, int32_t> numbers[] = {
        {"<HEALTH VALUE=\"-20\"/>", &ObjectType::health, -280},  // a minus sign counts -3 in its place
        {"<HEALTH VALUE=\"30\"/>", &ObjectType::health, 30},
        {"<LIFE VALUE=\"2\"/>", &ObjectType::life, 2},
        {"<LIFE LIFE=\"2\"/>", &ObjectType::life, 0},                         // the attribute must be named VALUE
        {"<MONEY VALUE=\"5\"/><MONEY VALUE=\"7\"/>", &ObjectType::money, 7},  // the later one counts
        {"<MACE VALUE=\"5\"/>", &ObjectType::mace, 5},
        {"<POINT VALUE=\"12\"/>", &ObjectType::point, 12},
        {"<DAMAGE VALUE=\"3\"/><RANGE VALUE=\"4\"/>", &ObjectType::range, 4},
        {"<USE VALUE=\"1\"/><QUANTITY VALUE=\"9\"/>", &ObjectType::quantity, 9},
        {"<money VALUE=\"5\"/>", &ObjectType::money, 0},  // names are matched exactly
        {"</MONEY VALUE=\"5\">", &ObjectType::money, 0},  // closing tags are not looked at
    };
    for (const auto& [text, field, expected] : numbers) {
        SCOPED_TRACE(text);
        EXPECT_EQ((*TypeFromText(text)).*(field), expected);
    }

    EXPECT_FALSE(TypeFromText("<PICKABLE VALUE=\"0\"/>")->pickable);
    EXPECT_TRUE(TypeFromText("<PICKABLE VALUE=\"00x\"/>")->pickable);
    EXPECT_TRUE(TypeFromText("<CHECKPOINT VALUE=\"1\"/>")->checkpoint);
    EXPECT_EQ(TypeFromText("<COLORKEY R=\"255\" G=\"0\" B=\"255\"/>")->colorKey, 16711935u);
    // Out of place or misnamed parts count 0; the last COLORKEY decides.
    EXPECT_EQ(TypeFromText("<COLORKEY R=\"1\" B=\"2\" G=\"3\"/>")->colorKey, 1u);
    EXPECT_EQ(TypeFromText("<COLORKEY R=\"9\" G=\"9\" B=\"9\"/><COLORKEY R=\"4\"/>")->colorKey, 4u);
    EXPECT_EQ(TypeFromText("<COLORKEY R=\"300\" G=\"1\" B=\"0\"/>")->colorKey, 44u + 256u);
}

TEST_F(ObjectsTest, AMissingFileLeavesDefaultsAndThePictureIsLookedForWithTheClass) {
    levelfixture::WriteFlatPicture("Objects/SILVERCOIN/rot.png", 96, 32, 0x123456);
    const ObjectType missing("nothing-here");
    EXPECT_TRUE(missing.objectClass.empty());
    ASSERT_TRUE(missing.animation);
    EXPECT_FALSE(missing.animation->surface);

    const ObjectType coin("SILVERCOIN");
    ASSERT_TRUE(coin.animation);
    ASSERT_TRUE(coin.animation->surface);
    EXPECT_EQ(coin.animation->frameCount, 3);
    EXPECT_EQ(coin.animation->frameWidth, 32);
}

// ---- placing and drawing ----

TEST_F(ObjectsTest, PlacementsMatchClassesExactly) {
    // The type list names files; a placement must name the class written inside one.
    WriteFile("Objects/coin.xml", ObjectXml("SILVERCOIN", {{"MONEY", "1"}}));
    WriteFile("Objects/energy.xml", ObjectXml("HEALTH10", {{"HEALTH", "10"}}));
    std::filesystem::remove("Objects/HEALTH10.xml");
    Start({{"SILVERCOIN", 100}, {"coin", 300}, {"Energy", 350}, {"nothing", 400}, {"HEALTH10", 500}, {"", 600}});
    // Types in list order: SILVERCOIN, coin (class SILVERCOIN), Energy (the file energy.xml, class
    // HEALTH10), nothing and HEALTH10 (no files: no class), and the empty name.
    ASSERT_EQ(level_->objectTypeCount, 6);
    EXPECT_EQ(level_->objectTypes[2]->objectClass, "HEALTH10");
    EXPECT_TRUE(level_->objectTypes[4]->objectClass.empty());
    // SILVERCOIN matches both types of that class, in table order; HEALTH10 matches the type read
    // from energy.xml; the rest match nothing (an empty class takes no placement, not even an empty one).
    ASSERT_EQ(level_->objects.size(), 3u);
    const int xs[] = {100, 100, 500};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Object(i).type, level_->objectTypes[i]) << i;
        EXPECT_EQ(std::tuple(Object(i).x, Object(i).y, Object(i).w, Object(i).h), std::tuple(xs[i], kObjectY, 32, 32))
            << i;
    }
}

TEST_F(ObjectsTest, ObjectsAreDrawnWhereTheCameraPutsThemUntilTaken) {
    levelfixture::WriteFlatPicture("Objects/SILVERCOIN/rot.png", 32, 32, 0xAA5500);
    Start({{"SILVERCOIN", 600}, {"SILVERCOIN", 5000}});
    platform::Surface& target = Target();
    level_->cameraX = 500;
    level_->cameraY = 500;
    target.Fill(0);
    level_->DrawObjects(&window_->window);
    EXPECT_EQ(target.GetPixel(100, 108), 0xAA5500u);
    EXPECT_EQ(target.GetPixel(131, 139), 0xAA5500u);
    EXPECT_EQ(target.GetPixel(132, 108), 0u);
    EXPECT_EQ(target.GetPixel(99, 108), 0u);

    Object(0).collected = true;
    target.Fill(0);
    level_->DrawObjects(&window_->window);
    EXPECT_EQ(target.GetPixel(100, 108), 0u);
}

// ---- touching ----

TEST_F(ObjectsTest, TouchingNeedsTheNarrowedBoxAcrossAndAnEdgeInsideDown) {
    const std::tuple<int, int, int, int, bool> cases[] = {
        {400, 575, 444, 608, true},   // the object's left edge on the narrowed box's right edge
        {400, 575, 445, 608, false},  // one pixel beyond
        {400, 575, 388, 608, true},   // its right edge on the narrowed box's left edge
        {400, 575, 387, 608, false}, {400, 575, 420, 639, true},  // its top on the hero's bottom
        {400, 575, 420, 640, false}, {400, 575, 420, 543, true},  // its bottom on the hero's top
        {400, 575, 420, 542, false}, {400, 575, 400, 590, true},  // inside
        {400, 500, 400, 480, true},
    };
    ObjectType type("none");
    for (const auto& [heroX, heroY, objectX, objectY, touches] : cases) {
        SCOPED_TRACE(testing::Message() << objectX << "," << objectY);
        const CGameObject object(&type, objectX, objectY);
        EXPECT_EQ(object.Touches(heroX, heroY, 64, 64), touches);
    }
}

TEST_F(ObjectsTest, TheHeroCollectsEveryObjectHeTouchesInOneStep) {
    Start({{"SILVERCOIN", 410}, {"SILVERCOIN", 420}, {"SILVERCOIN", 600}});
    Hero().CollectObjects();
    EXPECT_TRUE(Object(0).collected);
    EXPECT_TRUE(Object(1).collected);
    EXPECT_FALSE(Object(2).collected);
    EXPECT_EQ(Hero().money, 10);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"+5", "+5"}));
    // Taken objects are not touched again.
    Hero().CollectObjects();
    EXPECT_EQ(Hero().money, 10);
}

// ---- the effects and their order ----

TEST_F(ObjectsTest, MoneyAndPointsComeTogetherInTheirOrder) {
    Start({{"BAG", 410}});
    Hero().strength = 10;
    Hero().score = 100;
    level_->ApplyObject(Object(0));
    EXPECT_EQ(Hero().money, 3);
    EXPECT_EQ(Hero().score, 120);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"MONEY_COLLECTED", "POINTS_COLLECTED"}));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"+3", "+20"}));
    EXPECT_TRUE(Object(0).collected);
    // The money text has the coin's picture beside it (without a coin type in the level, that of the
    // first type), the points none.
    ASSERT_EQ(level_->floatingTexts.size(), 2u);
    EXPECT_EQ(Hero().coinTypeIndex, 0);
    EXPECT_EQ(level_->floatingTexts[0].icon, level_->objectTypes[0]->animation.get());
    EXPECT_EQ(level_->floatingTexts[1].icon, nullptr);
    EXPECT_EQ(level_->floatingTexts[0].x, Hero().x + 32);
    EXPECT_EQ(level_->floatingTexts[0].y, Hero().y);
}

TEST_F(ObjectsTest, PointsGrowWithTheClubsStrength) {
    const std::tuple<int32_t, const char*, int32_t> cases[] = {
        {10, "POINTS", 5}, {20, "POINTS", 10}, {15, "BAG", 30}, {7, "POINTS", 3}};
    for (const auto& [strength, type, gained] : cases) {
        SCOPED_TRACE(strength);
        Start({{type, 410}});
        Hero().strength = strength;
        Hero().score = 0;
        level_->ApplyObject(Object(0));
        EXPECT_EQ(Hero().score, gained);
    }
    // 3 points at strength 15 give 4: the product is divided, not the points.
    WriteFile("Objects/POINTS.xml", ObjectXml("POINTS", {{"POINT", "3"}}));
    Start({{"POINTS", 410}});
    Hero().strength = 15;
    level_->ApplyObject(Object(0));
    EXPECT_EQ(Hero().score, 4);
}

TEST_F(ObjectsTest, NothingIsTakenWhileTheHeroBlinks) {
    Start({{"HEALTH10", 410}, {"SILVERCOIN", 410}, {"mine", 410}});
    Hero().health = 50;
    Hero().hurtTimer = 100;
    Hero().CollectObjects();
    EXPECT_EQ(Hero().health, 50);
    EXPECT_EQ(Hero().money, 0);
    for (const CGameObject& object : level_->objects) EXPECT_FALSE(object.collected);
    EXPECT_TRUE(Sounds().empty());
    EXPECT_TRUE(Texts().empty());
    // One frame later they all act, in list order: energy, coin, then the mine hurts.
    Hero().hurtTimer = 101;
    Hero().CollectObjects();
    EXPECT_EQ(Hero().money, 5);
    EXPECT_EQ(Hero().health, 80 - 20);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"ENERGY_COLLECTED", "MONEY_COLLECTED", "HERO_HIT", "MINE"}));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"+80", "+5", "-20"}));
}

TEST_F(ObjectsTest, EnergyShowsTheNewEnergyAndStaysAtFull) {
    Start({{"HEALTH10", 410}});
    Hero().health = 80;
    level_->ApplyObject(Object(0));
    EXPECT_EQ(Hero().health, 100);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"+100"}));
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"ENERGY_COLLECTED"}));
    EXPECT_TRUE(Object(0).collected);

    // At full energy it stays, silently, pickable or not.
    Object(0).collected = false;
    level_->floatingTexts.clear();
    level_->ApplyObject(Object(0));
    EXPECT_FALSE(Object(0).collected);
    EXPECT_TRUE(Sounds().empty());
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(Hero().health, 100);
}

TEST_F(ObjectsTest, HarmfulObjectsHurtByTheSizeOfTheirHealth) {
    // A minus sign reads as -3 in its place: "-5" gives -25 and "-2" gives -28; either way it hurts.
    // A mine is taken even when it is not pickable.
    const std::tuple<const char*, const char*, int32_t, std::vector<std::string>> cases[] = {
        {"mine", "20", 20, {"HERO_HIT", "MINE"}},
        {"mine", "-5", 25, {"HERO_HIT", "MINE"}},
        {"THORN", "-2", 28, {"HERO_HIT"}},
    };
    for (const auto& [type, health, damage, sounds] : cases) {
        SCOPED_TRACE(testing::Message() << type << " " << health);
        const bool mine = std::string(type) == "mine";
        WriteFile(std::string("Objects/") + type + ".xml",
                  ObjectXml(type, {{"HEALTH", health}, {"PICKABLE", mine ? "0" : "1"}}));
        Start({{type, 410}});
        Hero().health = 50;
        level_->ApplyObject(Object(0));
        EXPECT_EQ(Hero().health, 50 - damage);
        EXPECT_EQ(Hero().hurtTimer, 0);
        EXPECT_TRUE(Object(0).collected);
        EXPECT_EQ(Sounds(), sounds);
        EXPECT_EQ(Texts(), (std::vector<std::string>{"-" + std::to_string(damage)}));
    }
}

TEST_F(ObjectsTest, ClubJumperAndCheckpoint) {
    Start({{"MACE", 410}, {"jumper", 410}, {"CHECKPOINT", 410}});
    Hero().strength = 10;
    level_->ApplyObject(Object(0));
    EXPECT_EQ(Hero().strength, 15);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"+5"}));
    EXPECT_EQ(level_->floatingTexts[0].icon, TypeOfClass("MACE")->animation.get());
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"POWER"}));
    EXPECT_TRUE(Object(0).collected);

    // A jumper throws the hero up each time it is touched, and stays.
    for (int i = 0; i < 2; ++i) {
        Hero().vy = 0.0f;
        level_->ApplyObject(Object(1));
        EXPECT_EQ(Hero().vy, -30.0f);
        EXPECT_FALSE(Object(1).collected);
    }
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"JUMPER", "JUMPER"}));

    // A checkpoint moves the respawn point when the hero stands elsewhere than it last fired.
    level_->floatingTexts.clear();
    Hero().respawnX = 10;
    level_->ApplyObject(Object(2));
    EXPECT_EQ(Hero().respawnX, 400);
    EXPECT_EQ(Hero().respawnY, kRestY);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"CHECKPOINT"}));
    EXPECT_EQ(level_->floatingTexts[0].icon, TypeOfClass("CHECKPOINT")->animation.get());
    level_->ApplyObject(Object(2));
    EXPECT_EQ(Texts().size(), 1u) << "same place: it does not fire again";
    Hero().x += 3;
    level_->ApplyObject(Object(2));
    EXPECT_EQ(Hero().respawnX, 403);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"CHECKPOINT", "CHECKPOINT"}));
    EXPECT_FALSE(Object(2).collected);
}

TEST_F(ObjectsTest, TheHeroKnowsTheIconsOfTheLastTypeOfEachClass) {
    WriteFile("Objects/coin2.xml", ObjectXml("SILVERCOIN", {{"MONEY", "9"}}));
    Start({{"HEALTH10", 100}, {"SILVERCOIN", 100}, {"MACE", 100}, {"coin2", 100}, {"CHECKPOINT", 100}});
    EXPECT_EQ(Hero().healthTypeIndex, 0);
    EXPECT_EQ(Hero().coinTypeIndex, 3);
    EXPECT_EQ(Hero().maceTypeIndex, 2);
    EXPECT_EQ(Hero().checkpointTypeIndex, 4);
    Start({{"POINTS", 100}});
    EXPECT_EQ(Hero().coinTypeIndex, 0);
    EXPECT_EQ(Hero().IconOfType(Hero().coinTypeIndex), level_->objectTypes[0]->animation.get());
}

// ---- floating texts ----

TEST(FloatingTextTest, TextsRiseForNinetyNineStepsAndLeaveOldestFirst) {
    std::deque<CFloatingText> queue;
    queue.emplace_back(10, 500, "+5", nullptr);
    for (int i = 0; i < 30; ++i) CFloatingText::StepQueue(queue);
    queue.emplace_back(20, 500, "+7", nullptr);
    queue.emplace_back(20, 500, "+8", nullptr);
    for (int i = 0; i < 69; ++i) CFloatingText::StepQueue(queue);
    ASSERT_EQ(queue.size(), 3u);
    EXPECT_EQ(queue[0].age, 99);
    EXPECT_EQ(queue[0].y, 500 - 99);
    CFloatingText::StepQueue(queue);
    ASSERT_EQ(queue.size(), 2u) << "gone in the step its age reaches 100";
    // The next one still aged in that step.
    EXPECT_EQ(queue[0].text, "+7");
    EXPECT_EQ(queue[0].age, 70);
    EXPECT_EQ(queue[0].y, 500 - 70);
    for (int i = 0; i < 29; ++i) CFloatingText::StepQueue(queue);
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_EQ(queue[0].y, queue[1].y) << "made together, they rise together";
    CFloatingText::StepQueue(queue);
    EXPECT_TRUE(queue.empty()) << "two texts of one step leave in one step";
}

TEST_F(ObjectsTest, TheLevelStepsAndDrawsItsTexts) {
    levelfixture::WriteFlatPicture("Objects/SILVERCOIN/rot.png", 32, 32, 0xAA5500);
    Start({{"SILVERCOIN", 410}});
    level_->AddFloatingText(500, 400, "+5", level_->objectTypes[0]->animation.get());
    level_->StepFloatingTexts();
    EXPECT_EQ(level_->floatingTexts[0].y, 399);
    // The icon stands 40 left of and 4 above the text.
    level_->cameraX = 100;
    level_->cameraY = 100;
    Target().Fill(0);
    level_->DrawFloatingTexts();
    EXPECT_EQ(Target().GetPixel(360, 295), 0xAA5500u);
    EXPECT_EQ(Target().GetPixel(359, 295), 0u);
    EXPECT_EQ(Target().GetPixel(360, 294), 0u);
}

}  // namespace
