// The status display: the hero's four icons, their keys and places, their restoring, and the numbers.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <string>
#include <tuple>

#include "LevelFixture.h"

namespace {

using levelfixture::WriteFlatPicture;
using levelfixture::WritePicture;

constexpr uint32_t kBackground = 0x000000;
constexpr uint32_t kLife = 0xC00000;
constexpr uint32_t kEnergy = 0x00C000;
constexpr uint32_t kClub = 0x0000C0;
constexpr uint32_t kCoin = 0xC0C000;
constexpr uint32_t kLetters = 0x00C0C0;
// The keys of the life and coin icons: RGB(117, 34, 3) and RGB(255, 185, 58).
constexpr uint32_t kLifeKey = 0x752203;
constexpr uint32_t kCoinKey = 0xFFB93A;

class StatusTest : public levelfixture::ActorTest {
protected:
    void SetUp() override {
        ActorTest::SetUp();
        levelfixture::WriteFile("LevelDescriptions/Level0.xml", levelfixture::LevelXml(3000, 500, 100, 100));
        levelfixture::WriteCollisionFile(0, [](int, int cy) { return cy == 100; });
        // Only the status icons may be reported missing.
        WriteFlatPicture("LevelDescriptions/Level0/Level0_3.png", 8, 8, 0x203040);
        // Small icons with a keyed corner pixel each where the icon has a key.
        WritePicture("Graphics/Life.png", 8, 8, [](int x, int y) { return x == 0 && y == 0 ? kLifeKey : kLife; });
        WriteFlatPicture("Graphics/Energy.png", 8, 8, kEnergy);
        WriteFlatPicture("Graphics/Maczuga.png", 12, 10, kClub);
        WritePicture("Graphics/Moneta.png", 8, 8, [](int x, int y) { return x == 0 && y == 0 ? kCoinKey : kCoin; });
        WriteFlatPicture("Graphics/Spritelitery.png", 512, 342, kLetters);
    }
    void Start() {
        MakeLevel(0);
        MakeFont();
    }
    uint32_t At(int x, int y) { return Target().GetPixel(x, y); }
    void DrawIcons() {
        Target().Fill(kBackground);
        Hero().DrawStatusPictures();
    }
    // The first column in a row, from x `from`, with the given colour; -1 when none.
    int FirstInRow(int y, uint32_t colour, int from = 0) {
        for (int x = from; x < 800; ++x) {
            if (At(x, y) == colour) return x;
        }
        return -1;
    }
    // The runs of the colour in a row.
    int CountInRow(int y, uint32_t colour) {
        int n = 0;
        for (int x = 0; x < 800; ++x) n += At(x, y) == colour && (x == 0 || At(x - 1, y) != colour);
        return n;
    }
};

TEST_F(StatusTest, TheIconsAreMadeWithTheHeroWithTheirKeys) {
    Start();
    EXPECT_TRUE(services_.messages.shown.empty());
    const auto& pictures = Hero().statusPictures;
    ASSERT_TRUE(pictures[CHero::kLifeIcon].surface);
    ASSERT_TRUE(pictures[CHero::kEnergyIcon].surface);
    ASSERT_TRUE(pictures[CHero::kClubIcon].surface);
    ASSERT_TRUE(pictures[CHero::kCoinIcon].surface);
    EXPECT_EQ(pictures[CHero::kLifeIcon].colorKey, 205429u);  // as the game stores it: 0x00BBGGRR
    EXPECT_EQ(pictures[CHero::kCoinIcon].colorKey, 3848703u);
    EXPECT_EQ(pictures[CHero::kLifeIcon].surface->ColourKey(), kLifeKey);
    EXPECT_EQ(pictures[CHero::kCoinIcon].surface->ColourKey(), kCoinKey);
    EXPECT_EQ(pictures[CHero::kEnergyIcon].surface->ColourKey(), 0u);
    EXPECT_EQ(pictures[CHero::kClubIcon].surface->Width(), 12);
}

TEST_F(StatusTest, AMissingIconIsReportedAndTheOthersStay) {
    std::filesystem::remove("Graphics/Maczuga.png");
    levelfixture::WriteFile("Graphics/Moneta.png", "not a picture");
    Start();
    const std::string error =
        "B\xb3\xb9"
        "d Tworzenia powierzchni: Obiekt Bohater";
    EXPECT_EQ(services_.messages.shown, (std::vector<std::string>{error, error}));
    EXPECT_FALSE(Hero().statusPictures[CHero::kClubIcon].surface);
    EXPECT_FALSE(Hero().statusPictures[CHero::kCoinIcon].surface);
    Hero().health = 30;
    DrawIcons();
    EXPECT_EQ(CountInRow(10, kEnergy), 3);
    EXPECT_EQ(FirstInRow(532, kClub), -1);
}

TEST_F(StatusTest, EnergyAndLivesAlongTheTopLeft) {
    Start();
    const std::tuple<int32_t, int32_t, int, int> cases[] = {{100, 5, 10, 5}, {99, 1, 9, 1}, {9, 0, 0, 0},
                                                            {10, 3, 1, 3},   {0, 2, 0, 2},  {-20, -1, 0, 0}};
    for (const auto& [health, lives, energyIcons, lifeIcons] : cases) {
        SCOPED_TRACE(testing::Message() << health << " " << lives);
        Hero().health = health;
        Hero().lives = lives;
        DrawIcons();
        EXPECT_EQ(CountInRow(12, kEnergy), energyIcons);
        EXPECT_EQ(CountInRow(52, kLife), lifeIcons);
        for (int i = 0; i < energyIcons; ++i) {
            EXPECT_EQ(At(10 + 32 * i, 10), kEnergy) << i;
            EXPECT_EQ(At(9 + 32 * i, 10), kBackground) << i;
        }
        for (int i = 0; i < lifeIcons; ++i) {
            EXPECT_EQ(At(10 + 40 * i, 50), kBackground) << "the keyed corner of icon " << i;
            EXPECT_EQ(At(11 + 40 * i, 50), kLife) << i;
            EXPECT_EQ(At(10 + 40 * i, 51), kLife) << i;
        }
    }
    // Energy 100 and five lives: the last icons at 298 and 170.
    Hero().health = 100;
    Hero().lives = 5;
    DrawIcons();
    EXPECT_EQ(At(298, 10), kEnergy);
    EXPECT_EQ(At(306, 10), kBackground);
    EXPECT_EQ(At(170, 51), kLife);
    EXPECT_EQ(At(210, 51), kBackground);
}

TEST_F(StatusTest, TheClubAndTheCoinAlongTheBottom) {
    Start();
    const std::tuple<int32_t, int> cases[] = {{0, 650}, {7, 650}, {1234, 560}, {-5, 620}, {2147483647, 380}};
    for (const auto& [money, coinX] : cases) {
        SCOPED_TRACE(money);
        Hero().money = money;
        DrawIcons();
        EXPECT_EQ(FirstInRow(531, kCoin), coinX);
        EXPECT_EQ(At(coinX, 530), kBackground) << "keyed corner";
        EXPECT_EQ(FirstInRow(530, kClub), 10);
        EXPECT_EQ(At(10, 529), kBackground);
        EXPECT_EQ(At(21, 539), kClub);
    }
}

TEST_F(StatusTest, TheNumbersStandRightAlignedByThirtyPixelsACharacter) {
    Start();
    const std::tuple<int32_t, int32_t, int32_t, int, int> cases[] = {
        {0, 0, 10, 720, 720}, {123456, 1234, 35, 570, 630}, {-40, 5, 0, 660, 720}};
    for (const auto& [score, money, strength, scoreX, moneyX] : cases) {
        SCOPED_TRACE(testing::Message() << score << " " << money);
        Hero().score = score;
        Hero().money = money;
        Hero().strength = strength;
        Target().Fill(kBackground);
        level_->DrawStatusNumbers();
        EXPECT_EQ(FirstInRow(30, kLetters), scoreX);
        EXPECT_EQ(At(scoreX, 10), kLetters);
        EXPECT_EQ(At(scoreX, 9), kBackground);
        // The money and the strength share a row.
        EXPECT_EQ(FirstInRow(560, kLetters), 100);
        EXPECT_EQ(FirstInRow(560, kLetters, 400), moneyX);
        EXPECT_EQ(At(moneyX, 540), kLetters);
        EXPECT_EQ(At(100, 539), kBackground);
    }
}

TEST_F(StatusTest, LostIconsAreRefilledWhenTheEnergyIconSaysSo) {
    Start();
    levelfixture::WriteFlatPicture("Graphics/Energy.png", 8, 8, 0x123456);
    levelfixture::WriteFlatPicture("Graphics/Maczuga.png", 12, 10, 0x654321);
    // Only the club was lost: the energy icon does not say so, nothing is looked at.
    Hero().statusPictures[CHero::kClubIcon].surface->SetLost(true);
    Hero().RestoreStatusPictures();
    EXPECT_TRUE(Hero().statusPictures[CHero::kClubIcon].surface->IsLost());

    platform::MarkAllSurfacesLost();
    Target().Restore();
    Hero().Draw();
    for (const auto& picture : Hero().statusPictures) EXPECT_FALSE(picture.surface->IsLost());
    Hero().health = 10;
    DrawIcons();
    EXPECT_EQ(At(10, 10), 0x123456u);
    EXPECT_EQ(At(10, 530), 0x654321u);
}

TEST_F(StatusTest, AbsurdCountsDrawOnlyWhatTheScreenHolds) {
    Start();
    Hero().lives = INT_MAX;
    Hero().health = INT_MAX;
    const auto start = std::chrono::steady_clock::now();
    DrawIcons();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    // Icons as far as the screen goes: 25 energy icons start left of 800, 20 lives.
    EXPECT_EQ(CountInRow(12, kEnergy), 25);
    EXPECT_EQ(CountInRow(52, kLife), 20);
}

}  // namespace
