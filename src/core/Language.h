// The language the game speaks (Polish, its own, or English), chosen once before start-up.
#pragma once

#include <optional>
#include <string>

enum class Language { kPolish, kEnglish };

// The language in use; Polish until SetLanguage says otherwise.
Language CurrentLanguage();
void SetLanguage(Language language);

// "pl" or "en", in any letter case; false for anything else.
bool ParseLanguageCode(const std::string& code, Language& out);
const char* LanguageCode(Language language);

// English for a locale starting with "en" ("en", "en_GB.UTF-8", ...), Polish for any other, the C
// and POSIX locales and an empty one included.
Language LanguageOfLocale(const std::string& locale);

// The value of the `language` key of an INI settings file (in any section; the last one counts);
// empty when the file cannot be read or has no such key.
std::string LanguageFromSettings(const std::string& realPath);

// The language to play in: the command line's when it names one, else the settings file's
// `language`, else the user's locale. A settings value that is neither pl nor en is named on stderr
// and passed over.
Language ChooseLanguage(std::optional<Language> fromCommandLine, const std::string& settingsPath);

// The file to read for a game path in the current language: in English "Graphics\About\Background.png"
// becomes "Graphics\About\Background_en.png" when that file exists. Files without an English
// variant (pictures without words) and every file in Polish keep their path.
std::string LocalisedGamePath(const std::string& gamePath);
