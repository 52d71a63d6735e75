// The language the game speaks, chosen once before start-up.
#include "core/Language.h"

#include <ini.h>

#include <cstdio>
#include <filesystem>

#include "platform/Files.h"
#include "platform/Locale.h"

namespace {

Language gLanguage = Language::kPolish;

// A settings file is a few hundred bytes; anything huge is not one.
constexpr size_t kMaxSettingsBytes = 1024 * 1024;

std::string Lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

int TakeLanguageKey(void* user, const char*, const char* name, const char* value) {
    if (Lowered(name) == "language") *static_cast<std::string*>(user) = value;
    return 1;
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
    if (!platform::ReadWholeFile(realPath, text, kMaxSettingsBytes)) return std::string();
    std::string value;
    // A line inih cannot take is skipped; the rest of the file still counts.
    ini_parse_string(text.c_str(), TakeLanguageKey, &value);
    return value;
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
