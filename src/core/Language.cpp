// The language the game speaks, chosen once before start-up.
#include "core/Language.h"

#include <cstdio>
#include <filesystem>

#include "core/Settings.h"
#include "platform/Files.h"
#include "platform/Locale.h"

namespace {

Language gLanguage = Language::kPolish;

std::string Lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

Language CurrentLanguage() {
    return gLanguage;
}

void SetLanguage(Language language) {
    gLanguage = language;
}

bool ParseLanguageCode(const std::string& code, Language& out) {
    const std::string lowered = Lowered(code);
    if (lowered == "pl") {
        out = Language::kPolish;
    } else if (lowered == "en") {
        out = Language::kEnglish;
    } else {
        return false;
    }
    return true;
}

const char* LanguageCode(Language language) {
    return language == Language::kEnglish ? "en" : "pl";
}

Language LanguageOfLocale(const std::string& locale) {
    // en, en_US.UTF-8, en_GB, en@...: every English locale starts so, no other one does.
    return Lowered(locale.substr(0, 2)) == "en" ? Language::kEnglish : Language::kPolish;
}

std::string LanguageFromSettings(const std::string& realPath) {
    std::string text;
    const char* problem = nullptr;
    if (ReadSettingsFile(realPath, text, problem) != SettingsFileRead::Read) return std::string();
    std::string language;
    // A line the reader cannot take is skipped; the rest of the file still counts. The settings say the
    // rest about the file when the game starts.
    ForEachSettingsEntry(text, [&language](const char*, const char* name, const char* value, int) {
        if (value && Lowered(name) == "language") language = value;
    });
    return language;
}

Language ChooseLanguage(std::optional<Language> fromCommandLine, const std::string& settingsPath) {
    if (fromCommandLine) return *fromCommandLine;
    Language language = Language::kPolish;
    const std::string fromSettings = LanguageFromSettings(settingsPath);
    if (!fromSettings.empty()) {
        if (ParseLanguageCode(fromSettings, language)) return language;
        std::fprintf(stderr, "Kolvenbrook 3D: %s: unknown language '%s' (pl or en); it is not used\n",
                     settingsPath.c_str(), fromSettings.c_str());
    }
    return LanguageOfLocale(platform::MessagesLocale());
}

std::string LocalisedGamePath(const std::string& gamePath) {
    if (gLanguage == Language::kPolish) return gamePath;
    const size_t folderEnd = gamePath.find_last_of("\\/");
    const size_t dot = gamePath.find_last_of('.');
    const size_t stemEnd =
        dot == std::string::npos || (folderEnd != std::string::npos && dot < folderEnd) ? gamePath.size() : dot;
    const std::string variant = gamePath.substr(0, stemEnd) + "_" + LanguageCode(gLanguage) + gamePath.substr(stemEnd);
    std::error_code error;
    return std::filesystem::is_regular_file(platform::ResolveGamePath(variant), error) ? variant : gamePath;
}
