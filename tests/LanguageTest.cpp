// The language choice's parts: the settings file's key and the files read in each language.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "core/Language.h"

namespace {

class LanguageTest : public ::testing::Test {
protected:
    // Every other test expects the game's own language.
    void TearDown() override { SetLanguage(Language::kPolish); }
    testing_support::TempGameFolder folder_;
};

TEST_F(LanguageTest, TheSettingsFileGivesItsLanguageKeyOrNothing) {
    const struct {
        const char* label;
        std::string content;
        const char* expected;
    } cases[] = {
        {"key alone", "language = en\n", "en"},
        {"in a section, among others", "[game]\nfullscreen = 1\nlanguage=pl\nvolume = 80\n", "pl"},
        {"any letter case, a remark after it", "Language = EN ; chosen by hand\n", "EN"},
        {"the last one counts", "language = en\n[display]\nlanguage = pl\n", "pl"},
        {"no such key", "[game]\nlang = en\n", ""},
        {"garbage before the key", std::string("\x01\xff[\x80=\n=\n\n") + "language = en\n", "en"},
        {"an overlong line before the key", std::string(5000, 'x') + "\nlanguage = en\n", "en"},
        {"empty file", "", ""},
    };
    for (const auto& c : cases) {
        folder_.Write("settings.ini", c.content);
        EXPECT_EQ(LanguageFromSettings("settings.ini"), c.expected) << c.label;
    }
    EXPECT_EQ(LanguageFromSettings("missing.ini"), "");
    folder_.Write("folder.ini/file", "language = en\n");
    EXPECT_EQ(LanguageFromSettings("folder.ini"), "") << "a folder in the file's place";
}

TEST_F(LanguageTest, EnglishReadsAFilesEnglishVariantWhereThereIsOne) {
    folder_.Write("Graphics/About/Background_en.png", "x");
    folder_.Write("intro_en.avi", "x");
    folder_.Write("Data.v2/Notes_en", "x");
    folder_.Write("Data/Text_en.xml/inside", "a folder, not a file");
    const struct {
        Language language;
        const char* path;
        const char* expected;
    } cases[] = {
        {Language::kPolish, "Graphics\\About\\Background.png", "Graphics\\About\\Background.png"},
        {Language::kPolish, "intro.avi", "intro.avi"},
        {Language::kEnglish, "Graphics\\About\\Background.png", "Graphics\\About\\Background_en.png"},
        {Language::kEnglish, "graphics\\ABOUT\\background.png", "graphics\\ABOUT\\background_en.png"},
        {Language::kEnglish, "intro.avi", "intro_en.avi"},
        {Language::kEnglish, "outro.avi", "outro.avi"},
        {Language::kEnglish, "Graphics\\Menu\\Bkg.png", "Graphics\\Menu\\Bkg.png"},
        {Language::kEnglish, "Data.v2\\Notes", "Data.v2\\Notes_en"},
        {Language::kEnglish, "Data\\Text.xml", "Data\\Text.xml"},
    };
    for (const auto& c : cases) {
        SetLanguage(c.language);
        EXPECT_EQ(LocalisedGamePath(c.path), c.expected) << LanguageCode(c.language) << " " << c.path;
    }
}

}  // namespace
