// settings.ini: values read and written back, bad lines left out with one message each, unknown entries
// kept, and files that cannot be settings (huge, a folder) never written over.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

#include "TestSupport.h"
#include "core/Settings.h"

using testing_support::TempGameFolder;

namespace {

// Parses text and returns what went to stderr.
std::string ParseQuietly(CSettings& settings, const std::string& text) {
    testing::internal::CaptureStderr();
    settings.Parse(text, "settings.ini");
    return testing::internal::GetCapturedStderr();
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// Every line the defaults write is written by these settings too.
bool KeepsDefaults(const CSettings& settings) {
    const std::string written = "\n" + settings.Format();
    std::istringstream defaults(CSettings().Format());
    for (std::string line; std::getline(defaults, line);) {
        if (written.find("\n" + line + "\n") == std::string::npos) return false;
    }
    return true;
}

}  // namespace

TEST(Settings, EverySettingIsReadAndWrittenBack) {
    const std::string text =
        "[display]\nfullscreen = off\nwindow_width = 1600\nwindow_height = 1200\nscaling = integer\n"
        "filter = Nearest\nvsync = yes\n[sound]\nsound_volume = 40\nmusic_volume = 0\n"
        "[game]\npause_on_focus_loss = off\ngamepads = 0\nlanguage = en\n"
        "[keys]\nleft = A\nright = d\njump = W\ndown = S\nattack = Left Ctrl\nwalk = Right Shift\n"
        "pause = Keypad 5\nscreenshot = F5\n";
    CSettings settings;
    EXPECT_EQ(ParseQuietly(settings, text), "");
    const CSettings defaults;
    EXPECT_NE(settings.Format(), defaults.Format());
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_EQ(settings.windowWidth * 10000 + settings.windowHeight, 1600 * 10000 + 1200);
    EXPECT_EQ(settings.scaling, CSettings::Scaling::Integer);
    EXPECT_EQ(settings.filter, CSettings::Filter::Nearest);
    EXPECT_TRUE(settings.vsync);
    EXPECT_EQ(settings.soundVolume * 1000 + settings.musicVolume, 40000);
    EXPECT_FALSE(settings.pauseOnFocusLoss || settings.gamepads);
    EXPECT_EQ(settings.language, "en");
    const int keys[] = {settings.keyLeft,   settings.keyRight, settings.keyJump,  settings.keyDown,
                        settings.keyAttack, settings.keyWalk,  settings.keyPause, settings.keyScreenshot};
    const int expected[] = {'A', 'D', 'W', 'S', 17, 16, 101, 116};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(keys[i], expected[i]) << "key " << i;
    // What is written reads back the same.
    CSettings again;
    EXPECT_EQ(ParseQuietly(again, settings.Format()), "");
    EXPECT_EQ(again.Format(), settings.Format());
}

TEST(Settings, EachBadLineIsLeftOutWithOneMessageNamingIt) {
    const std::string longValue(5000, 'x');
    const struct {
        const char* what;
        std::string text;
        int line;
    } cases[] = {
        {"not on or off", "[display]\nvsync = maybe\n", 2},
        {"no value", "[display]\n\nvsync =\n", 3},
        {"no equals sign", "[keys]\n; a comment\njump\n", 3},
        {"too large", "[display]\nwindow_width = 99999999999999999999\n", 2},
        {"too small", "[display]\nwindow_height = 239\n", 2},
        {"negative", "[sound]\nmusic_volume = -1\n", 2},
        {"trailing junk", "[sound]\nsound_volume = 50%\n", 2},
        {"no such scaling", "[display]\nscaling = stretch\n", 2},
        {"no such filter", "[display]\nfilter = bilinear\n", 2},
        {"no such key", "[keys]\njump = Hyper\n", 2},
        {"a huge line", "[display]\r\nfilter = " + longValue + "\r\n", 2},
        {"a broken section", "[display]\n[keys\n", 2},
        {"bytes of no text", "[game]\n\x01\xfe\xff = \x80\n", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CSettings settings;
        const std::string said = ParseQuietly(settings, c.text);
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_NE(said.find("settings.ini line " + std::to_string(c.line) + ":"), std::string::npos) << said;
        EXPECT_TRUE(KeepsDefaults(settings)) << settings.Format();
    }
}

TEST(Settings, EntriesOfOtherVersionsAreKeptInTheirPlaces) {
    CSettings settings;
    const std::string said =
        ParseQuietly(settings, "top = 1\n[display]\nvsync = on\nshaders = crt\n[Network]\nport = 7\n");
    EXPECT_EQ(Lines(said), 3) << said;
    const std::string written = settings.Format();
    EXPECT_LT(written.find("top = 1"), written.find("[display]"));
    EXPECT_LT(written.find("vsync = on"), written.find("shaders = crt"));
    EXPECT_LT(written.find("shaders = crt"), written.find("[sound]"));
    EXPECT_LT(written.find("[keys]"), written.find("[network]\nport = 7\n"));
}

TEST(Settings, TheLanguageIsTakenFromAnySectionAndWrittenOnlyWhenGiven) {
    EXPECT_EQ(CSettings().Format().find("language"), std::string::npos) << "no language: the locale decides";
    CSettings settings;
    EXPECT_EQ(ParseQuietly(settings, "language = pl\n[keys]\nlanguage = klingon\n"), "");
    EXPECT_EQ(settings.language, "klingon") << "kept as it is; the language choice names a bad one";
    const std::string written = settings.Format();
    EXPECT_EQ(written.find("language"), written.rfind("language")) << written;
    EXPECT_LT(written.find("[game]"), written.find("language = klingon"));
    EXPECT_LT(written.find("language = klingon"), written.find("[keys]"));
}

TEST(Settings, AFileThatCannotBeSettingsGivesDefaultsAndIsNeverWrittenOver) {
    TempGameFolder folder;
    const CSettings defaults;
    const std::string huge = "[sound]\nmusic_volume = 5\n" + std::string(CSettings::kMaxFileBytes, ';');
    for (int kind = 0; kind < 3; ++kind) {
        SCOPED_TRACE(kind == 0 ? "missing" : kind == 1 ? "huge" : "a folder");
        const std::string path = folder.Path() + "/settings" + std::to_string(kind) + ".ini";
        if (kind == 1) folder.Write("settings1.ini", huge);
        if (kind == 2) std::filesystem::create_directory(path);
        CSettings settings;
        testing::internal::CaptureStderr();
        settings.Load(path);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(Lines(said), kind == 0 ? 0 : 1) << said;
        EXPECT_EQ(settings.Format(), defaults.Format());
        settings.soundVolume = 7;
        EXPECT_TRUE(settings.Save(path));
        if (kind == 0) EXPECT_EQ(folder.Read("settings0.ini"), settings.Format());
        if (kind == 1) EXPECT_EQ(folder.Read("settings1.ini"), huge);
        if (kind == 2) EXPECT_TRUE(std::filesystem::is_directory(path));
    }
}
