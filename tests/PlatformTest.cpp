// Moving platforms: the kinds file, level groups and keys, placing, the loop along the route, the box
// test seeing them, the hero riding them, and drawing.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "LevelFixture.h"
#include "actors/MovableElement.h"
#include "data/MovableElementType.h"
#include "data/XmlReader.h"
#include "gfx/Animation.h"

namespace {

using levelfixture::WriteFile;

std::vector<MovableElementType::Definition> Definitions(const std::string& text, size_t maxCount = 10) {
    CXmlReader reader = CXmlReader::FromText(text);
    return MovableElementType::ReadDefinitions(reader, maxCount);
}

std::string PlatformXml(const std::string& type, const std::vector<Point>& route) {
    return levelfixture::RouteXml("MOVABLEEL", "ELEMENT_TYPE", type, route);
}

class PlatformTest : public levelfixture::ActorTest {
protected:
    void SetUp() override {
        ActorTest::SetUp();
        WriteFile("LevelDescriptions/MovableEl.xml",
                  "<ELEMENTS>\r\n<ELEMENT NAME=\"Raft\" COLLISION=\"TRUE\" DESTROYABLE=\"FALSE\"/>\r\n"
                  "<ELEMENT NAME=\"lift\" COLLISION=\"true\"/>\r\n</ELEMENTS>\r\n");
        for (int n = 0; n < 8; ++n) levelfixture::WriteCollisionFile(n, [](int, int cy) { return cy == 100; });
    }

    void Start(int number, const std::string& platforms, int heroX = 3000, int heroY = 1500) {
        WriteFile("LevelDescriptions/Level" + std::to_string(number) + ".xml",
                  levelfixture::LevelXml(heroX, heroY, 100, 100, platforms));
        MakeLevel(number);
    }
    CMovableElementList& List() { return *level_->movableElements; }
    CMovableElement& Element(size_t i) { return List().elements.at(i); }
};

// ---- the kinds file ----

TEST(MovableElementTypeTest, NamesAndFlagsCarryOverFromTheElementBefore) {
    const auto d = Definitions(
        "<ELEMENTS>\r\n"
        "<ELEMENT NAME=\"a\" COLLISION=\"TRUE\" DESTROYABLE=\"TRUE\"/>\r\n"
        "<ELEMENT NAME=\"b\"/>\r\n"                                           // both flags carried
        "<ELEMENT NAME=\"c\" COLLISION=\"true\" DESTROYABLE=\"FALSE\"/>\r\n"  // lower case is not TRUE
        "<ELEMENT COLLISION=\"TRUE\" NAME=\"d\"/>\r\n"                        // out of place: nothing taken
        "<ELEMENT/>\r\n<OTHER NAME=\"e\"/>\r\n</ELEMENT NAME=\"f\">\r\n"      // not looked at
        "<ELEMENT NAME=\"g\" DESTROYABLE=\"TRUE\" COLLISION=\"TRUE\"/>\r\n"
        "</ELEMENTS>\r\n");
    ASSERT_EQ(d.size(), 5u);
    const struct {
        const char* name;
        bool collision, destroyable;
    } expected[] = {
        {"a", true, true}, {"b", true, true}, {"c", false, false}, {"c", false, false}, {"g", false, false}};
    for (size_t i = 0; i < d.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(d[i].name, expected[i].name);
        EXPECT_EQ(d[i].collision, expected[i].collision);
        EXPECT_EQ(d[i].destroyable, expected[i].destroyable);
    }
    EXPECT_TRUE(Definitions("").empty());
}

TEST(MovableElementTypeTest, LevelsShareGroupsAndKeysInPairs) {
    const uint32_t keys[] = {8259, 8259, 0, 0, 0, 0, 14656, 14656};
    for (int32_t level = 0; level < 8; ++level) {
        SCOPED_TRACE(level);
        const int32_t group = MovableElementType::LevelGroup(level);
        EXPECT_EQ(group, level / 2 * 2);
        EXPECT_EQ(MovableElementType::ColourKeyOfGroup(group), keys[level]);
    }
    EXPECT_EQ(MovableElementType::ColourKeyOfGroup(0), 67u + 256u * 32u);
    EXPECT_EQ(MovableElementType::ColourKeyOfGroup(6), 64u + 256u * 57u);
}

// ---- the level's list ----

TEST_F(PlatformTest, KindsTakeTheirPictureAndKeyFromTheLevelsGroup) {
    // Group 0's key colour is RGB(67, 32, 0); a pixel of it is transparent.
    levelfixture::WritePicture("LevelDescriptions/Level0/MovableEl/Raft.png", 128, 16,
                               [](int x, int) { return x < 8 ? 0x432000u : 0x8899AAu; });
    Start(1, "");
    ASSERT_EQ(List().typeCount, 2);
    const MovableElementType& raft = *List().types[0];
    EXPECT_EQ(raft.name, "Raft");
    EXPECT_TRUE(raft.collision);
    EXPECT_FALSE(raft.destroyable);
    EXPECT_EQ(raft.colorKey, 8259u);
    ASSERT_TRUE(raft.animation->surface);
    EXPECT_EQ(raft.animation->frameCount, 2);
    EXPECT_EQ(raft.animation->frameWidth, 64);
    EXPECT_EQ(raft.animation->path, "LevelDescriptions\\Level0\\MovableEl\\Raft.png");
    const MovableElementType& lift = *List().types[1];
    EXPECT_FALSE(lift.collision);
    EXPECT_FALSE(lift.destroyable);

    Start(3, "");
    EXPECT_EQ(List().types[0]->colorKey, 0u);
    EXPECT_EQ(List().types[0]->animation->path, "LevelDescriptions\\Level2\\MovableEl\\Raft.png");
    EXPECT_FALSE(List().types[0]->animation->surface) << "group 2 has no picture of it";
}

TEST_F(PlatformTest, PlacementsMatchKindsWhateverTheLetterCase) {
    WriteFile("LevelDescriptions/MovableEl.xml",
              "<ELEMENT NAME=\"Raft\"/><ELEMENT NAME=\"LIFT\"/><ELEMENT NAME=\"raft\"/>");
    Start(0, PlatformXml("RAFT", {{100, 200}, {300, 200}}) + PlatformXml("lift", {{500, 600}, {500, 900}}) +
                 PlatformXml("boat", {{1, 2}, {3, 4}}));
    // RAFT names two kinds, so it makes two elements; boat names none.
    ASSERT_EQ(List().elements.size(), 3u);
    EXPECT_EQ(Element(0).type, List().types[0].get());
    EXPECT_EQ(Element(1).type, List().types[2].get());
    EXPECT_EQ(Element(2).type, List().types[1].get());
    const CMovableElement& raft = Element(0);
    EXPECT_EQ(std::tuple(raft.x, raft.y, raft.targetX, raft.targetY), std::tuple(100.0f, 200.0f, 300.0f, 200.0f));
    EXPECT_EQ(raft.speed, 1);
    EXPECT_EQ(Element(2).targetY, 900.0f);
}

TEST_F(PlatformTest, KindsPastTheTenthAreIgnored) {
    // The kinds file is read only as far as the list holds.
    std::string text;
    for (int i = 0; i < 12; ++i) text += "<ELEMENT NAME=\"k" + std::to_string(i) + "\"/>";
    WriteFile("LevelDescriptions/MovableEl.xml", text);
    Start(0, PlatformXml("k9", {{100, 200}, {300, 200}}) + PlatformXml("k10", {{100, 200}, {300, 200}}));
    EXPECT_EQ(List().typeCount, 10);
    ASSERT_EQ(List().elements.size(), 1u);
    EXPECT_EQ(Element(0).type->name, "k9");
}

TEST_F(PlatformTest, WithoutTheKindsFileThereAreNoPlatforms) {
    std::filesystem::remove("LevelDescriptions/MovableEl.xml");
    Start(0, PlatformXml("Raft", {{100, 200}, {300, 200}}));
    EXPECT_EQ(List().typeCount, 0);
    EXPECT_TRUE(List().elements.empty());
    EXPECT_EQ(List().PlatformCount(), 0);
}

// ---- motion ----

TEST(MovableElementTest, ALoopFromOneHundredToThreeHundredAndBack) {
    MovableElementType type("0", "none", 0, true, false);
    CMovableElement element(&type, {{100, 200}, {300, 200}});
    for (int i = 0; i < 196; ++i) element.Step();
    EXPECT_EQ(element.x, 296.0f);
    EXPECT_EQ(element.routeIndex, 1) << "within 5 of point 1: it is targeted once more";
    EXPECT_EQ(element.targetX, 300.0f);
    EXPECT_EQ(element.lastDx, 1.0f);
    element.Step();
    EXPECT_EQ(element.x, 297.0f);
    EXPECT_EQ(element.routeIndex, 0);
    EXPECT_EQ(element.targetX, 100.0f);
    element.Step();
    EXPECT_EQ(element.x, 296.0f);
    EXPECT_EQ(element.lastDx, -1.0f);
    int steps = 1;
    while (element.routeIndex == 0 && steps < 1000) {
        element.Step();
        ++steps;
    }
    EXPECT_EQ(element.x, 104.0f) << "turning again at 104";
    EXPECT_EQ(element.targetX, 300.0f);
    EXPECT_EQ(element.y, 200.0f);
}

TEST(MovableElementTest, DiagonalLegsMoveOnePixelOnEachAxisUntilOneArrives) {
    MovableElementType type("0", "none", 0, true, false);
    CMovableElement element(&type, {{0, 0}, {20, 100}});
    for (int i = 0; i < 10; ++i) element.Step();
    EXPECT_EQ(std::pair(element.x, element.y), std::pair(10.0f, 10.0f));
    for (int i = 0; i < 10; ++i) element.Step();
    EXPECT_EQ(element.x, 20.0f);
    element.Step();
    EXPECT_EQ(std::pair(element.x, element.y), std::pair(20.0f, 21.0f));
    EXPECT_EQ(element.lastDx, 0.0f) << "going straight down carries nobody across";
}

TEST(MovableElementTest, ShortAndAbsurdRoutes) {
    MovableElementType type("0", "none", 0, true, false);
    CMovableElement single(&type, {{50, 60}});
    CMovableElement none(&type, {});
    for (int i = 0; i < 10; ++i) {
        single.Step();
        none.Step();
    }
    EXPECT_EQ(std::tuple(single.x, single.y, single.lastDx), std::tuple(50.0f, 60.0f, 0.0f));
    EXPECT_EQ(none.x, 0.0f);

    // Far-off points are kept within reach of the world; a million of them cost nothing per step.
    CMovableElement far(&type, {{2147483647, -2147483647 - 1}, {0, 0}});
    EXPECT_EQ(std::pair(far.x, far.y), std::pair(1.0f * (1 << 20), -1.0f * (1 << 20)));
    std::vector<Point> many(1000000);
    for (size_t i = 0; i < many.size(); ++i) many[i] = Point{static_cast<int>(i % 7), static_cast<int>(i % 5)};
    CMovableElement busy(&type, many);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 100000; ++i) {
        busy.Step();
        far.Step();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_GT(busy.routeIndex, 0);
}

// ---- collisions and riding ----

TEST_F(PlatformTest, TheBoxTestSeesTheLevelsPlatforms) {
    Start(0, PlatformXml("Raft", {{1000, 800}, {1200, 800}}) + PlatformXml("Raft", {{2000, 800}, {2000, 800}}));
    const CCollisionMap& map = *GameGlobals::collisionMap;
    ASSERT_EQ(map.platforms, level_->movableElements.get()) << "the level hands its platforms to the map";
    ASSERT_EQ(List().PlatformCount(), 2);
    EXPECT_EQ(CCollisionMap::BoxOf(List().PlatformAt(0)).x, 1000);
    EXPECT_EQ(CCollisionMap::BoxOf(List().PlatformAt(1)).x, 2000);
    EXPECT_EQ(CCollisionMap::BoxOf(List().PlatformAt(2)).x, 0) << "past the list: an empty box";
    EXPECT_EQ(map.TestBox(980, 740, 64, 64), CCollisionMap::kPlatform);
    EXPECT_EQ(map.TestBox(980, 735, 64, 64), CCollisionMap::kFree);
    // The elements move, and the box test follows them.
    for (int i = 0; i < 50; ++i) List().Step();
    EXPECT_EQ(CCollisionMap::BoxOf(List().PlatformAt(0)).x, 1050);
    // The platform spans 1050..1114; the box narrowed by 20 on each side must reach it.
    EXPECT_EQ(map.TestBox(1094, 740, 64, 64), CCollisionMap::kPlatform);
    EXPECT_EQ(map.TestBox(1095, 740, 64, 64), CCollisionMap::kFree);
    EXPECT_EQ(map.TestBox(1006, 740, 64, 64), CCollisionMap::kPlatform);
    EXPECT_EQ(map.TestBox(1005, 740, 64, 64), CCollisionMap::kFree);
}

TEST_F(PlatformTest, TheHeroRidesAPlatformAcross) {
    // Hero above a platform moving right from (1000, 800); a second one goes straight down.
    Start(0, PlatformXml("Raft", {{1000, 800}, {1400, 800}}) + PlatformXml("Raft", {{2000, 800}, {2000, 1200}}), 1000,
          700);
    auto frame = [&]() {
        Hero().HandleInput();
        List().Step();
        Hero().Step();
    };
    for (int i = 0; i < 40; ++i) frame();
    ASSERT_EQ(Hero().vy, 0.0f) << "landed on the platform";
    ASSERT_LT(Hero().y + 64, static_cast<int>(Element(0).y));
    std::vector<int> moves;
    for (int i = 0; i < 5; ++i) {
        const int before = Hero().x;
        frame();
        moves.push_back(Hero().x - before);
    }
    EXPECT_EQ(moves, (std::vector<int>{1, 1, 1, 1, 1}));

    // On the one going down he gains nothing across.
    Hero().x = Hero().prevX = 2000;
    Hero().y = Hero().prevY = static_cast<int>(Element(1).y) - 100;
    for (int i = 0; i < 40; ++i) frame();
    const int x = Hero().x;
    for (int i = 0; i < 5; ++i) frame();
    EXPECT_EQ(Hero().x, x);
    EXPECT_LT(Hero().y + 64, static_cast<int>(Element(1).y) + 1);
    EXPECT_GT(Hero().y, 800 - 64) << "carried down with it";
}

TEST_F(PlatformTest, PlatformsAreDrawnAtTheirPlaceLessTheCamera) {
    levelfixture::WriteFlatPicture("LevelDescriptions/Level0/MovableEl/Raft.png", 64, 16, 0x8899AA);
    Start(0, PlatformXml("Raft", {{1000, 800}, {1400, 800}}));
    level_->cameraX = 900;
    level_->cameraY = 500;
    platform::Surface& target = Target();
    target.Fill(0);
    List().Draw(level_->cameraX, level_->cameraY);
    EXPECT_EQ(target.GetPixel(100, 300), 0x8899AAu);
    EXPECT_EQ(target.GetPixel(163, 315), 0x8899AAu);
    EXPECT_EQ(target.GetPixel(164, 300), 0u);
    EXPECT_EQ(target.GetPixel(100, 316), 0u);
}

}  // namespace
