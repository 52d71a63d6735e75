// Sprite strips: frame geometry, the once-per-frame advance, the two copy paths, clipping, scaling, restore.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "LevelFixture.h"
#include "app/GameDlg.h"
#include "core/GameGlobals.h"
#include "gfx/Animation.h"

namespace {

using testing_support::HeadlessServices;
using testing_support::TempGameFolder;

constexpr uint32_t kBackground = 0x123456;
// The strips' transparent colour: GDI red, so pixel 0xFF0000. No frame pixel has a red part this large.
constexpr uint32_t kKeyColorRef = 0x0000FF;
constexpr uint32_t kKeyPixel = 0xFF0000;

// The pixel a fixture strip holds at (lx, ly) of frame f; the diagonal lx == ly is transparent.
uint32_t FramePixel(int f, int lx, int ly) {
    if (lx == ly) return kKeyPixel;
    return (static_cast<uint32_t>(f) << 16) | (static_cast<uint32_t>(lx) << 8) | static_cast<uint32_t>(ly);
}

class AnimationTest : public ::testing::Test {
protected:
    AnimationTest() {
        target->Fill(kBackground);
        window.drawTarget = target.get();
        globals.Set(GameGlobals::mainWindow, &window);
    }
    ~AnimationTest() override {
        globals.Restore();
        window.destroyed = true;  // nothing of the game was started
    }

    // Writes Units/<sub>/<name>.png: frames fw x fh, in one row (rows 1) or four rows.
    void WriteStrip(const std::string& sub, const std::string& name, int width, int height, int fw, int fh, int rows) {
        const int perRow = std::max(rows == 1 ? width / fw : (width * 4 / fw) / 4, 1);
        ASSERT_TRUE(levelfixture::WritePicture(
            "Units/" + sub + "/" + name + ".png", width, height,
            [=](int px, int py) { return FramePixel((py / fh) * perRow + px / fw, px % fw, py % fh); }));
    }

    // A 32x32-frame, 10-frame one-row strip.
    std::unique_ptr<CAnimation> TenFrames() {
        WriteStrip("TEST", "ten", 320, 32, 32, 32, 1);
        return std::make_unique<CAnimation>("Units", "TEST", "ten", 32, kKeyColorRef);
    }

    // Checks that the target shows frame f's pixel (lx, ly) at (x, y), or the background where that
    // pixel is transparent.
    void ExpectShows(int x, int y, int f, int lx, int ly) {
        const uint32_t expected = lx == ly ? kBackground : FramePixel(f, lx, ly);
        EXPECT_EQ(target->GetPixel(x, y), expected)
            << "at screen " << x << "," << y << " (frame " << f << " pixel " << lx << "," << ly << ")";
    }

    TempGameFolder folder;
    HeadlessServices services;
    CGameDlg window;
    SurfacePtr target = platform::Surface::Create(800, 600);
    testing_support::GlobalsGuard globals;
};

TEST_F(AnimationTest, GeometryFollowsThePicture) {
    const std::tuple<int, int, int, bool, int, int> cases[] = {
        {320, 32, 32, true, 32, 10},    // one row
        {512, 256, 64, false, 64, 32},  // four rows of eight
        {100, 20, 32, true, 20, 3},     // the left-over columns are no frame
        {96, 33, 48, false, 8, 8},      // just too tall for one row
        {40, 100, 32, false, 25, 5},    // four rows, and the frame count is not a multiple of four
    };
    for (const auto& [width, height, frameWidth, singleRow, frameHeight, frameCount] : cases) {
        const std::string name = "s" + std::to_string(width) + "x" + std::to_string(height);
        WriteStrip("GEO", name, width, height, frameWidth, height > 32 ? height / 4 : height, 1);
        CAnimation animation("Units", "GEO", name, frameWidth, kKeyColorRef);
        SCOPED_TRACE(name);
        ASSERT_NE(animation.surface, nullptr);
        EXPECT_EQ(std::tuple(animation.singleRow, animation.frameWidth, animation.frameHeight, animation.frameCount),
                  std::tuple(singleRow, frameWidth, frameHeight, frameCount));
        EXPECT_EQ(animation.path, "Units\\GEO\\" + name + ".png");
    }
}

TEST_F(AnimationTest, FourRowFramesRunAlongEachRowInTurn) {
    WriteStrip("TEST", "big", 512, 256, 64, 64, 4);
    CAnimation animation("Units", "TEST", "big", 64, kKeyColorRef);
    const struct { int frame, sx, sy; } cases[] = {{0, 0, 0}, {7, 448, 0}, {8, 0, 64}, {9, 64, 64}, {31, 448, 192}};
    for (const auto& c : cases) {
        int sx = -1;
        int sy = -1;
        animation.FrameOrigin(c.frame, sx, sy);
        EXPECT_EQ(sx, c.sx) << "frame " << c.frame;
        EXPECT_EQ(sy, c.sy) << "frame " << c.frame;
    }
    // Drawn: frame 9 is the second frame of the second row.
    animation.currentFrame = 8;
    window.frameCounter = 1;
    animation.Draw(100, 100, 1.0f);
    EXPECT_EQ(animation.currentFrame, 9);
    ExpectShows(101, 100, 9, 1, 0);
    ExpectShows(100 + 63, 100 + 62, 9, 63, 62);
}

TEST_F(AnimationTest, MissingPictureKeepsDefaultsAndDrawsNothing) {
    CAnimation animation("Units", "NONE", "missing", 48, kKeyColorRef);
    EXPECT_EQ(animation.surface, nullptr);
    EXPECT_EQ(animation.path, "Units\\NONE\\missing.png");
    EXPECT_EQ(animation.frameCount, 15);
    EXPECT_EQ(animation.frameWidth, 32);
    EXPECT_EQ(animation.frameHeight, 32);
    window.frameCounter = 1;
    animation.Draw(100, 100, 1.0f);
    EXPECT_EQ(animation.currentFrame, 1);  // the frame still moves on
    EXPECT_EQ(target->GetPixel(110, 110), kBackground);
    EXPECT_TRUE(services.messageBox.shown.empty());
}

TEST_F(AnimationTest, StripNarrowerThanOneFrameDrawsNothing) {
    WriteStrip("TEST", "narrow", 20, 20, 20, 20, 1);
    WriteStrip("TEST", "narrowtall", 20, 80, 20, 20, 1);
    for (const char* name : {"narrow", "narrowtall"}) {
        CAnimation animation("Units", "TEST", name, 32, kKeyColorRef);
        SCOPED_TRACE(name);
        ASSERT_NE(animation.surface, nullptr);
        EXPECT_LT(animation.frameCount, 4);
        for (int frame = 1; frame <= 3; ++frame) {
            window.frameCounter = frame;
            animation.Draw(100, 100, 1.0f);
            animation.Draw(0, 0, 2.0f);
            EXPECT_GE(animation.currentFrame, 0);
            EXPECT_LT(animation.currentFrame, std::max(animation.frameCount, 1));
        }
        EXPECT_EQ(target->GetPixel(101, 100), kBackground);
        EXPECT_EQ(target->GetPixel(1, 0), kBackground);
    }
}

TEST_F(AnimationTest, AdvancesOncePerDisplayedFrame) {
    auto animation = TenFrames();
    window.frameCounter = 1;
    animation->Draw(100, 100, 1.0f);
    EXPECT_EQ(animation->currentFrame, 1);
    animation->Draw(200, 100, 1.0f);  // same displayed frame: same picture again
    EXPECT_EQ(animation->currentFrame, 1);
    ExpectShows(201, 100, 1, 1, 0);

    // Not drawn for a few frames: it stays where it was.
    window.frameCounter = 5;
    animation->Draw(100, 100, 1.0f);
    EXPECT_EQ(animation->currentFrame, 2);

    // A frame written by the owner shows advanced by one.
    animation->currentFrame = 5;
    window.frameCounter = 6;
    animation->Draw(100, 200, 1.0f);
    EXPECT_EQ(animation->currentFrame, 6);
    ExpectShows(101, 200, 6, 1, 0);

    // From the last frame round to the first.
    animation->currentFrame = 9;
    window.frameCounter = 7;
    animation->Draw(100, 300, 1.0f);
    EXPECT_EQ(animation->currentFrame, 0);
    ExpectShows(101, 300, 0, 1, 0);
}

TEST_F(AnimationTest, FramesWrapToTheFirstEvenFromBeyondTheStrip) {
    WriteStrip("TEST", "fifteen", 480, 32, 32, 32, 1);
    CAnimation fifteen("Units", "TEST", "fifteen", 32, kKeyColorRef);
    ASSERT_EQ(fifteen.frameCount, 15);
    fifteen.currentFrame = 14;
    window.frameCounter = 3;
    fifteen.Draw(100, 100, 1.0f);
    EXPECT_EQ(fifteen.currentFrame, 0);
    // A frame set by the owner past the end wraps instead of running on.
    auto animation = TenFrames();
    animation->currentFrame = 13;
    animation->Draw(100, 200, 1.0f);
    EXPECT_EQ(animation->currentFrame, 0);
    ExpectShows(101, 200, 0, 1, 0);
}

TEST_F(AnimationTest, FastPathOnlyStrictlyInsideTheScreen) {
    auto animation = TenFrames();
    const std::tuple<int, int, float, bool> cases[] = {
        {1, 1, 1.0f, true},       {0, 100, 1.0f, false},   {100, 0, 1.0f, false},  {768, 100, 1.0f, false},
        {767, 100, 1.0f, true},   {100, 568, 1.0f, false}, {100, 567, 1.0f, true}, {100, 100, 2.0f, false},
        {100, 100, 0.99f, false}, {-5, 100, 1.0f, false},
    };
    int frame = 0;
    for (const auto& [x, y, scale, fast] : cases) {
        window.frameCounter = ++frame;
        animation->Draw(x, y, scale);
        EXPECT_EQ(animation->lastDrawFast, fast) << x << "," << y << " scale " << scale;
    }
}

TEST_F(AnimationTest, KeyedPixelsLeaveTheBackground) {
    auto animation = TenFrames();
    window.frameCounter = 1;
    animation->Draw(100, 100, 1.0f);  // frame 1
    for (int ly = 0; ly < 32; ++ly) {
        for (int lx = 0; lx < 32; ++lx) ExpectShows(100 + lx, 100 + ly, 1, lx, ly);
    }
    EXPECT_EQ(target->GetPixel(99, 100), kBackground);
    EXPECT_EQ(target->GetPixel(132, 100), kBackground);
}

TEST_F(AnimationTest, ClippedAtEachScreenEdge) {
    auto animation = TenFrames();
    window.frameCounter = 1;  // every draw below is in one frame: all show frame 1
    // Where it is drawn, how much shows, and the source pixel at the screen's first one.
    const std::tuple<int, int, int, int, int, int> cases[] = {
        {-10, 50, 22, 32, 10, 0}, {790, 150, 10, 32, 0, 0}, {300, -5, 32, 27, 0, 5},
        {400, 590, 32, 10, 0, 0}, {-5, -7, 27, 25, 5, 7},  // a corner: both offsets at once
    };
    for (const auto& [x, y, shownW, shownH, fromX, fromY] : cases) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        animation->Draw(x, y, 1.0f);
        const int left = std::max(x, 0);
        const int top = std::max(y, 0);
        for (int sy = 0; sy < shownH; ++sy) {
            for (int sx = 0; sx < shownW; ++sx) ExpectShows(left + sx, top + sy, 1, fromX + sx, fromY + sy);
        }
        // Nothing beyond what shows, where the screen goes on.
        EXPECT_TRUE(left + shownW == 800 || target->GetPixel(left + shownW, top + 1) == kBackground);
        EXPECT_TRUE(top + shownH == 600 || target->GetPixel(left + 1, top + shownH) == kBackground);
    }
}

TEST_F(AnimationTest, ScaledFramesAreKeyedLikeUnscaledOnes) {
    auto animation = TenFrames();
    window.frameCounter = 1;
    animation->Draw(100, 100, 2.0f);
    for (int ly = 0; ly < 32; ++ly) {
        for (int lx = 0; lx < 32; ++lx) {
            for (int d = 0; d < 4; ++d) ExpectShows(100 + 2 * lx + d % 2, 100 + 2 * ly + d / 2, 1, lx, ly);
        }
    }
    EXPECT_EQ(target->GetPixel(164, 101), kBackground);

    // Half size: 16x16 on screen.
    animation->Draw(300, 300, 0.5f);
    for (int ly = 0; ly < 16; ++ly) {
        for (int lx = 0; lx < 16; ++lx) ExpectShows(300 + lx, 300 + ly, 1, 2 * lx + 1, 2 * ly + 1);
    }
    EXPECT_EQ(target->GetPixel(316, 300), kBackground);
}

TEST_F(AnimationTest, ScaledAndClippedKeepsTheScale) {
    auto animation = TenFrames();
    window.frameCounter = 1;
    animation->Draw(-20, 100, 2.0f);  // the first ten source columns fall off the left edge
    for (int ly = 0; ly < 32; ++ly) {
        for (int sx = 0; sx < 44; ++sx) ExpectShows(sx, 100 + 2 * ly + 1, 1, 10 + sx / 2, ly);
    }
    EXPECT_EQ(target->GetPixel(44, 101), kBackground);

    animation->Draw(780, 580, 2.0f);  // ten source columns and rows fit at the bottom right
    for (int ly = 0; ly < 10; ++ly) {
        for (int lx = 0; lx < 10; ++lx) ExpectShows(780 + 2 * lx + 1, 580 + 2 * ly + 1, 1, lx, ly);
    }
}

TEST_F(AnimationTest, WhollyOffTheScreenDrawsNothing) {
    auto animation = TenFrames();
    const std::vector<uint32_t> before(target->Pixels(), target->Pixels() + 800 * 600);
    int frame = 0;
    for (auto [x, y] : {std::pair{900, 100}, {-40, 100}, {100, -40}, {100, 650}, {-1000, -1000}}) {
        window.frameCounter = ++frame;
        animation->Draw(x, y, 1.0f);
        animation->Draw(x, y, 0.5f);
    }
    const std::vector<uint32_t> after(target->Pixels(), target->Pixels() + 800 * 600);
    EXPECT_TRUE(before == after);
}

TEST_F(AnimationTest, LostSurfaceIsRefilledAndNotDrawnThatTime) {
    auto animation = TenFrames();
    animation->surface->Fill(0x00FF00);
    animation->surface->SetLost(true);
    window.frameCounter = 1;
    animation->Draw(100, 100, 1.0f);
    EXPECT_FALSE(animation->surface->IsLost());
    EXPECT_EQ(target->GetPixel(101, 100), kBackground);  // not drawn in the call that restored
    EXPECT_EQ(animation->surface->GetPixel(33, 0), FramePixel(1, 1, 0));
    EXPECT_EQ(animation->surface->ColourKey(), kKeyPixel);  // the key survives
    EXPECT_EQ(animation->frameCount, 10);

    window.frameCounter = 2;
    animation->Draw(100, 100, 1.0f);
    ExpectShows(101, 100, 2, 1, 0);
    ExpectShows(102, 102, 2, 2, 2);
}

}  // namespace
