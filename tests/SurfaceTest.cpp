// Surfaces and the picture operations: keyed, stretched and refused copies, colours and files.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "gfx/Surfaces.h"
#include "platform/Cp1250.h"
#include "platform/Files.h"

using platform::Rect;
using platform::Surface;
using testing_support::HeadlessServices;
using testing_support::TempGameFolder;

namespace {

std::unique_ptr<Surface> Make(int w, int h, uint32_t fill) {
    auto s = Surface::Create(w, h);
    s->Fill(fill);
    return s;
}

TEST(SurfaceTest, EmptyAndAbsurdSizesCannotBeMade) {
    EXPECT_EQ(Surface::Create(0, 0), nullptr);
    EXPECT_EQ(Surface::Create(0, 10), nullptr);
    EXPECT_EQ(Surface::Create(-5, 10), nullptr);
    EXPECT_EQ(Surface::Create(30000, 30000), nullptr);
    EXPECT_NE(Surface::Create(1, 1), nullptr);
}

TEST(SurfaceTest, KeyedCopySkipsExactlyTheKeyColour) {
    auto dst = Make(4, 1, 0x111111);
    auto src = Make(4, 1, 0xFF00FF);
    src->SetPixel(1, 0, 0xFF00FE);  // one off the key: drawn
    src->SetColourKey(0xFF00FF);
    ASSERT_EQ(platform::BltFast(dst.get(), 0, 0, src.get(), Rect{0, 0, 4, 1}, true), platform::BlitResult::Ok);
    EXPECT_EQ(dst->GetPixel(0, 0), 0x111111u);
    EXPECT_EQ(dst->GetPixel(1, 0), 0xFF00FEu);
    ASSERT_EQ(platform::BltFast(dst.get(), 0, 0, src.get(), Rect{0, 0, 4, 1}, false), platform::BlitResult::Ok);
    EXPECT_EQ(dst->GetPixel(0, 0), 0xFF00FFu) << "without the key every pixel is copied";
}

TEST(SurfaceTest, CopiesThatDoNotFitDrawNothing) {
    auto dst = Make(10, 10, 0);
    auto src = Make(4, 4, 0xABCDEF);
    const struct {
        int x, y;
        Rect source;
    } cases[] = {{-1, 0, {0, 0, 4, 4}}, {0, -1, {0, 0, 4, 4}}, {7, 0, {0, 0, 4, 4}}, {0, 7, {0, 0, 4, 4}},
                 {0, 0, {0, 0, 5, 4}},  {0, 0, {2, 0, 2, 4}},  {0, 0, {-1, 0, 3, 4}}};
    for (const auto& c : cases) {
        EXPECT_EQ(platform::BltFast(dst.get(), c.x, c.y, src.get(), c.source, false), platform::BlitResult::InvalidRect);
    }
    EXPECT_EQ(platform::Blt(dst.get(), Rect{-2, 0, 4, 4}, src.get(), Rect{0, 0, 4, 4}, false),
              platform::BlitResult::InvalidRect);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(dst->GetPixel(x, y), 0u) << x << "," << y;
    EXPECT_EQ(platform::BltFast(nullptr, 0, 0, src.get(), Rect{0, 0, 4, 4}, false), platform::BlitResult::NoSurface);
}

TEST(SurfaceTest, StretchedCopyScalesAndKeysLikeAPlainOne) {
    // A 2x2 picture: key, red / green, blue; doubled to 4x4.
    auto src = Make(2, 2, 0);
    src->SetPixel(0, 0, 0x000000);
    src->SetPixel(1, 0, 0xFF0000);
    src->SetPixel(0, 1, 0x00FF00);
    src->SetPixel(1, 1, 0x0000FF);
    src->SetColourKey(0x000000);
    auto dst = Make(4, 4, 0x777777);
    ASSERT_EQ(platform::Blt(dst.get(), Rect{0, 0, 4, 4}, src.get(), Rect{0, 0, 2, 2}, true), platform::BlitResult::Ok);
    const uint32_t expected[4][4] = {{0x777777, 0x777777, 0xFF0000, 0xFF0000},
                                     {0x777777, 0x777777, 0xFF0000, 0xFF0000},
                                     {0x00FF00, 0x00FF00, 0x0000FF, 0x0000FF},
                                     {0x00FF00, 0x00FF00, 0x0000FF, 0x0000FF}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(dst->GetPixel(x, y), expected[y][x]) << "at " << x << "," << y;
}

TEST(SurfaceTest, LostSurfacesRefuseCopiesUntilRestored) {
    auto dst = Make(4, 4, 0);
    auto src = Make(4, 4, 0x123456);
    platform::MarkAllSurfacesLost();
    EXPECT_TRUE(src->IsLost());
    EXPECT_EQ(platform::BltFast(dst.get(), 0, 0, src.get(), Rect{0, 0, 4, 4}, false), platform::BlitResult::SurfaceLost);
    dst->Restore();
    src->Restore();
    EXPECT_EQ(platform::BltFast(dst.get(), 0, 0, src.get(), Rect{0, 0, 4, 4}, false), platform::BlitResult::Ok);
}

TEST(SurfaceTest, MatchSurfaceColourPutsPixelZeroBack) {
    auto s = Make(2, 2, 0x010203);
    EXPECT_EQ(MatchSurfaceColour(s.get(), 0x0000FF), 0xFF0000u) << "GDI red is 0x0000FF";
    EXPECT_EQ(s->GetPixel(0, 0), 0x010203u);
    EXPECT_EQ(MatchSurfaceColour(s.get(), CLR_INVALID), 0x010203u);
    SetSourceColourKey(s.get(), 0x62FF);
    EXPECT_EQ(s->ColourKey(), 0xFF6200u);
}

TEST(SurfaceTest, CopyBitmapStretchesThePictureOverTheSurface) {
    platform::Image image{2, 1, {0xAA0000, 0x00BB00}};
    auto s = Make(4, 2, 0);
    ASSERT_EQ(CopyBitmapToSurface(s.get(), &image, 0, 0, 0, 0), kSurfaceOk) << "0 means the picture's own size";
    EXPECT_EQ(s->GetPixel(0, 1), 0xAA0000u);
    EXPECT_EQ(s->GetPixel(1, 0), 0xAA0000u);
    EXPECT_EQ(s->GetPixel(2, 0), 0x00BB00u);
    EXPECT_EQ(s->GetPixel(3, 1), 0x00BB00u);
    EXPECT_EQ(CopyBitmapToSurface(nullptr, &image, 0, 0, 0, 0), kSurfaceFail);
    EXPECT_EQ(CopyBitmapToSurface(s.get(), nullptr, 0, 0, 0, 0), kSurfaceFail);
    // A source part reaching past the picture is cut to it.
    EXPECT_EQ(CopyBitmapToSurface(s.get(), &image, 1, 0, 50, 50), kSurfaceOk);
    EXPECT_EQ(s->GetPixel(0, 0), 0x00BB00u);
}

TEST(SurfaceTest, LoadPictureSurfaceFromTheGameFolder) {
    TempGameFolder folder;
    HeadlessServices services;
    folder.Write("Graphics/Menu/Bkg.png", testing_support::SolidPng(3, 2, 0x336699));
    folder.Write("Graphics/Broken.png", "\x89PNG\r\n\x1a\ngarbage");
    SurfacePtr surface;
    ASSERT_TRUE(LoadPictureSurface("graphics\\MENU\\bkg.PNG", surface)) << "any letter case, backslashes";
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->Width(), 3);
    EXPECT_EQ(surface->GetPixel(2, 1), 0x336699u);
    SurfacePtr missing;
    EXPECT_FALSE(LoadPictureSurface("Graphics\\Nothing.png", missing));
    EXPECT_FALSE(LoadPictureSurface("Graphics\\Broken.png", missing));
    EXPECT_EQ(missing, nullptr);
    EXPECT_TRUE(services.messageBox.shown.empty());
}

TEST(FilesTest, GamePathsAreFoundWhateverTheirLetterCase) {
    TempGameFolder folder;
    folder.Write("LevelDescriptions/Level0/Background/Bk_1_4_3.png", "x");
    EXPECT_EQ(platform::ResolveGamePath("LevelDescriptions\\Level0\\Background\\Bk_1_4_3.png"),
              "LevelDescriptions/Level0/Background/Bk_1_4_3.png");
    EXPECT_EQ(platform::ResolveGamePath("leveldescriptions\\LEVEL0\\background\\bk_1_4_3.PNG"),
              "LevelDescriptions/Level0/Background/Bk_1_4_3.png");
    EXPECT_EQ(platform::ResolveGamePath("LevelDescriptions\\Missing\\x.png"), "LevelDescriptions/Missing/x.png");
}

TEST(FilesTest, AtomicWritesReplaceWholeFilesAndLeaveNoTemporaries) {
    TempGameFolder folder;
    ASSERT_TRUE(platform::WriteFileAtomic("SAVE0", "abc", 3));
    ASSERT_TRUE(platform::WriteFileAtomic("SAVE0", "defg", 4));
    EXPECT_EQ(folder.Read("SAVE0"), "defg");
    EXPECT_FALSE(folder.Exists("SAVE0.kvbtmp"));
    folder.Write("SAVE1.kvbtmp", "half written");
    platform::RemoveStaleTempFiles(".");
    EXPECT_FALSE(folder.Exists("SAVE1.kvbtmp"));
    EXPECT_TRUE(folder.Exists("SAVE0"));
    EXPECT_FALSE(platform::WriteFileAtomic("no/such/folder/SAVE0", "x", 1));
    std::string text;
    EXPECT_FALSE(platform::ReadWholeFile("SAVE0", text, 2)) << "larger than allowed";
    EXPECT_TRUE(platform::ReadWholeFile("SAVE0", text));
    EXPECT_EQ(text, "defg");
}

TEST(Cp1250Test, PolishLettersSurviveTheWayToUtf8AndBack) {
    const std::string polish = "Za\xbf\xf3\xb3\xe6 g\xea\x9c\x6c\xb9 ja\x9f\xf1 \xa3\xd3\x8c\xa5\xaf\x8f\xca\xc6\xd1\xa0!";
    const std::string utf8 = platform::Cp1250ToUtf8(polish);
    EXPECT_EQ(utf8, "Zażółć gęślą jaźń ŁÓŚĄŻŹĘĆŃ\u00a0!");
    EXPECT_EQ(platform::Utf8ToCp1250(utf8), polish);
    EXPECT_EQ(platform::Utf8ToCp1250("\xe2\x98\x83"), "?") << "a snowman has no Windows-1250 code";
}

}  // namespace
