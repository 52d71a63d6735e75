// The sprite font: glyph rectangles on the sheet, pen advance, lowering and the last-text cache.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "TestSupport.h"
#include "app/GameDlg.h"
#include "media/SpriteFont.h"
#include "platform/sdl/PngWriter.h"

using testing_support::HeadlessServices;
using testing_support::TempGameFolder;

namespace {

class SpriteFontTest : public ::testing::Test {
protected:
    TempGameFolder folder;
    HeadlessServices services;
    CGameDlg window;
    std::unique_ptr<platform::Surface> target = platform::Surface::Create(800, 600);

    void SetUp() override { window.drawTarget = target.get(); }

    // A sheet of the key colour with one glyph cell painted solid.
    void WriteSheet(int glyph, uint32_t colour) {
        CSpriteFont probe(&window);
        auto sheet = platform::Surface::Create(512, 342);
        sheet->Fill(0xFF6200);
        platform::FillRect(sheet.get(), probe.glyphs[glyph].source, colour);
        std::filesystem::create_directories(folder.Path() + "/Graphics");
        ASSERT_TRUE(platform::SavePng(folder.Path() + "/Graphics/Spritelitery.png", *sheet));
    }
};

TEST_F(SpriteFontTest, GlyphsLieOnTheSheetAsLaidOut) {
    CSpriteFont font(&window);
    const struct {
        int index;
        platform::Rect rect;
    } cases[] = {
        {0, {0, 0, 38, 57}},       // a: first of row 0, no gap
        {1, {38, 0, 78, 57}},      // b
        {13, {0, 57, 42, 114}},    // n starts row 1
        {25, {0, 114, 36, 171}},   // z starts row 2
        {39, {0, 171, 36, 228}},   // 6 starts row 3
        {55, {0, 228, 36, 285}},   // ý starts row 4
        {68, {0, 285, 38, 342}},   // ű starts row 5
        {69, {38, 285, 86, 342}},  // ő
    };
    for (const auto& [index, rect] : cases) {
        const platform::Rect& r = font.glyphs[index].source;
        EXPECT_EQ(std::tuple(r.left, r.top, r.right, r.bottom),
                  std::tuple(rect.left, rect.top, rect.right, rect.bottom))
            << "glyph " << index;
    }
    for (const auto& glyph : font.glyphs) EXPECT_LE(glyph.source.right, 512);
}

TEST_F(SpriteFontTest, ThePenMovesByTheGlyphWidthWithItsGap) {
    CSpriteFont font(&window);
    const struct {
        const char* text;
        float scale;
        int advance;
    } cases[] = {{" ", 1.0f, 32}, {"i", 1.0f, 17},  {"a", 1.0f, 38}, {"n", 1.0f, 42}, {"1", 0.5f, 13},
                 {"?", 0.5f, 16}, {"ab", 1.0f, 78}, {"", 1.0f, 0},   {"A", 1.0f, 38}, {"\xa3", 1.0f, 40}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(font.PenAfter(c.text, 100, c.scale) - 100, c.advance);
    }
}

TEST_F(SpriteFontTest, CapitalsAreLoweredBeforeLookup) {
    EXPECT_EQ(CSpriteFont::Lower("ABC xyz"), "abc xyz");
    EXPECT_EQ(CSpriteFont::Lower("\xa3\xd3\x8c\xa5\xaf\x8f\xca\xc6\xd1"), "\xb3\xf3\x9c\xb9\xbf\x9f\xea\xe6\xf1");
    CSpriteFont font(&window);
    EXPECT_EQ(font.GlyphIndex(CSpriteFont::Lower("\xa3")[0]), 29) << "capital L with stroke draws glyph 29";
    EXPECT_EQ(font.GlyphIndex('!'), -1);
}

TEST_F(SpriteFontTest, TheSameTextTwiceIsLookedUpOnce) {
    CSpriteFont font(&window);
    font.DrawText("wynik", 0, 0, 1.0f);
    font.DrawText("WYNIK", 0, 0, 1.0f);
    EXPECT_EQ(font.lookupCount, 1) << "WYNIK lowers to the cached text";
    font.DrawText("", 0, 0, 1.0f);
    EXPECT_EQ(font.lookupCount, 2);
}

TEST_F(SpriteFontTest, AGlyphIsDrawnAt48Of57OfItsHeightTimesTheScale) {
    WriteSheet(34, 0x00FF00);  // "1"
    CSpriteFont font(&window);
    target->Fill(0);
    font.DrawText("1", 100, 200, 0.5f);
    int minX = 800, maxX = -1, minY = 600, maxY = -1;
    for (int i = 0; i < 800 * 600; ++i) {
        if (target->Pixels()[i] != 0x00FF00u) continue;
        minX = std::min(minX, i % 800), maxX = std::max(maxX, i % 800);
        minY = std::min(minY, i / 800), maxY = std::max(maxY, i / 800);
    }
    EXPECT_EQ(std::tuple(minX, minY, maxX - minX + 1, maxY - minY + 1), std::tuple(100, 200, 13, 24));
    EXPECT_EQ(target->GetPixel(150, 200), 0u) << "the key colour around the glyph is not drawn";
}

TEST_F(SpriteFontTest, LongTextsAndTextsPastTheScreenAreSafe) {
    WriteSheet(0, 0x0000FF);
    CSpriteFont font(&window);
    const std::string longText(1000, 'a');
    font.DrawText(longText, 10, 10, 1.0f);  // runs far past the right edge
    font.DrawText("aaa", 780, 590, 1.0f);   // cut by the corner: dropped, not clipped into memory
    font.DrawText("aaa", -20, -20, 2.0f);
    EXPECT_EQ(target->GetPixel(10, 10), 0x0000FFu);
}

TEST_F(SpriteFontTest, AMissingSheetDrawsNothingAndSaysNothing) {
    CSpriteFont font(&window);
    target->Fill(0x123456);
    font.DrawText("abc", 10, 10, 1.0f);
    EXPECT_EQ(target->GetPixel(10, 10), 0x123456u);
    EXPECT_TRUE(services.messageBox.shown.empty());
}

}  // namespace
