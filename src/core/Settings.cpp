// settings.ini: read with inih, written back whole and crash-safely with entries of other versions kept.
#include "core/Settings.h"

#include <ini.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/Files.h"
#include "platform/GameFolders.h"
#include "platform/KeyNames.h"

namespace {

const char* const kSections[] = {"display", "sound", "game", "keys"};

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Hands inih the text a line at a time, counting lines so messages can name them. A line too long for
// inih's buffer is cut there and the rest of it skipped, so it still counts as one line.
struct LineReader {
    const std::string* text = nullptr;
    size_t at = 0;
    int line = 0;

    static char* Read(char* buffer, int size, void* self) {
        LineReader& r = *static_cast<LineReader*>(self);
        if (r.at >= r.text->size() || size < 3) return nullptr;
        const size_t end = std::min(r.text->find('\n', r.at), r.text->size());
        const size_t length = std::min(end - r.at, static_cast<size_t>(size - 2));
        std::memcpy(buffer, r.text->data() + r.at, length);
        buffer[length] = '\n';
        buffer[length + 1] = '\0';
        r.at = end + 1;
        ++r.line;
        return buffer;
    }
};

struct ParseState {
    LineReader reader;
    std::function<void(const char*, const char*, const char*, int)> take;
};

int Handle(void* user, const char* section, const char* name, const char* value) {
    ParseState& state = *static_cast<ParseState*>(user);
    state.take(section, name, value, state.reader.line);
    return 1;
}

bool ReadOnOff(const std::string& value, bool& out, std::string& why) {
    const std::string v = Lower(value);
    if (v == "on" || v == "yes" || v == "true" || v == "1") {
        out = true;
    } else if (v == "off" || v == "no" || v == "false" || v == "0") {
        out = false;
    } else {
        why = "is not on or off";
        return false;
    }
    return true;
}

bool ReadNumber(const std::string& value, int32_t low, int32_t high, int32_t& out, std::string& why) {
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || errno != 0 || n < low || n > high) {
        why = "is not a whole number from " + std::to_string(low) + " to " + std::to_string(high);
        return false;
    }
    out = static_cast<int32_t>(n);
    return true;
}

}  // namespace

SettingsFileRead ReadSettingsFile(const std::string& realPath, std::string& text, const char*& problem) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(realPath, error);
    if (status.type() == std::filesystem::file_type::not_found) return SettingsFileRead::Missing;
    problem = nullptr;
    if (status.type() != std::filesystem::file_type::regular) {
        problem = "is not a file";
    } else if (std::filesystem::file_size(realPath, error) > CSettings::kMaxFileBytes) {
        problem = "is too large to be a settings file";
    } else if (!platform::ReadWholeFile(realPath, text, CSettings::kMaxFileBytes)) {
        problem = "cannot be read";
    }
    return problem ? SettingsFileRead::Unusable : SettingsFileRead::Read;
}

int ForEachSettingsEntry(
    const std::string& text,
    const std::function<void(const char* section, const char* name, const char* value, int line)>& take) {
    ParseState state{LineReader{&text}, take};
    // One setting a line, as the file is written: no values running on over indented lines.
    ini_allow_multiline = false;
    ini_allow_no_value = true;
    ini_stop_on_first_error = false;
    return ini_parse_stream(&LineReader::Read, &state.reader, &Handle, &state);
}

std::vector<CSettings::Entry> CSettings::Entries() {
    auto onOff = [](const char* section, const char* name, bool& field) {
        return Entry{section, name,
                     [&field](const std::string& v, std::string& why) { return ReadOnOff(v, field, why); },
                     [&field] { return std::string(field ? "on" : "off"); }};
    };
    auto number = [](const char* section, const char* name, int32_t& field, int32_t low, int32_t high) {
        return Entry{section, name,
                     [&field, low, high](const std::string& v, std::string& why) {
                         return ReadNumber(v, low, high, field, why);
                     },
                     [&field] { return std::to_string(field); }};
    };
    auto key = [](const char* name, int32_t& field) {
        return Entry{"keys", name,
                     [&field](const std::string& v, std::string& why) {
                         const int vk = platform::VirtualKeyFromName(v);
                         if (vk < 0) why = "is not the name of a key the game knows";
                         if (vk >= 0) field = vk;
                         return vk >= 0;
                     },
                     [&field] { return platform::VirtualKeyName(field); }};
    };
    return {
        onOff("display", "fullscreen", fullscreen),
        number("display", "window_width", windowWidth, 320, 16384),
        number("display", "window_height", windowHeight, 240, 16384),
        Entry{"display", "scaling",
              [this](const std::string& v, std::string& why) {
                  const std::string l = Lower(v);
                  if (l != "letterbox" && l != "integer") why = "is not letterbox or integer";
                  if (l == "letterbox") scaling = Scaling::Letterbox;
                  if (l == "integer") scaling = Scaling::Integer;
                  return why.empty();
              },
              [this] { return std::string(scaling == Scaling::Integer ? "integer" : "letterbox"); }},
        Entry{"display", "filter",
              [this](const std::string& v, std::string& why) {
                  const std::string l = Lower(v);
                  if (l != "linear" && l != "nearest") why = "is not linear or nearest";
                  if (l == "linear") filter = Filter::Linear;
                  if (l == "nearest") filter = Filter::Nearest;
                  return why.empty();
              },
              [this] { return std::string(filter == Filter::Nearest ? "nearest" : "linear"); }},
        onOff("display", "vsync", vsync),
        number("sound", "sound_volume", soundVolume, 0, 100),
        number("sound", "music_volume", musicVolume, 0, 100),
        onOff("game", "pause_on_focus_loss", pauseOnFocusLoss),
        onOff("game", "gamepads", gamepads),
        // Any value is kept; the language choice says when it is neither pl nor en.
        Entry{"game", "language",
              [this](const std::string& v, std::string&) {
                  language = v;
                  return true;
              },
              [this] { return language; }},
        key("left", keyLeft),
        key("right", keyRight),
        key("jump", keyJump),
        key("down", keyDown),
        key("attack", keyAttack),
        key("walk", keyWalk),
        key("pause", keyPause),
        key("screenshot", keyScreenshot),
    };
}

void CSettings::Load(const std::string& realPath) {
    std::string text;
    const char* problem = nullptr;
    const SettingsFileRead read = ReadSettingsFile(realPath, text, problem);
    if (read == SettingsFileRead::Missing) return;
    if (read == SettingsFileRead::Unusable) {
        std::fprintf(stderr, "Kolvenbrook 3D: %s %s; the default settings are used and it is left as it is\n",
                     realPath.c_str(), problem);
        writable_ = false;
        return;
    }
    Parse(text, realPath);
}

void CSettings::Parse(const std::string& text, const std::string& source) {
    std::vector<Entry> entries = Entries();
    auto take = [&](const char* sectionText, const char* nameText, const char* valueText, int line) {
        const std::string section = Lower(sectionText ? sectionText : "");
        const std::string name = Lower(nameText ? nameText : "");
        const std::string value = valueText ? valueText : "";
        for (Entry& entry : entries) {
            // The language has always been taken from any section.
            const bool anySection = name == "language";
            if ((!anySection && section != entry.section) || name != entry.name) continue;
            std::string why;
            if (!valueText || !entry.read(value, why)) {
                if (!valueText) why = "has no value";
                std::fprintf(stderr, "Kolvenbrook 3D: %s line %d: '%s' for %s %s; it stays %s\n", source.c_str(), line,
                             value.c_str(), entry.name, why.c_str(), entry.write().c_str());
            }
            return;
        }
        // Someone else's entry (another version of the game, a typing slip): kept as it is, and said.
        unknown_.push_back({sectionText ? sectionText : "", nameText ? nameText : "", value, valueText != nullptr});
        std::fprintf(stderr, "Kolvenbrook 3D: %s line %d: no setting '%s' in [%s]; it is kept in the file as it is\n",
                     source.c_str(), line, nameText ? nameText : "", sectionText ? sectionText : "");
    };
    const int bad = ForEachSettingsEntry(text, take);
    if (bad > 0) {
        std::fprintf(stderr, "Kolvenbrook 3D: %s line %d: not a [section] or a setting; left out\n", source.c_str(),
                     bad);
    }
}

std::string CSettings::Format() const {
    // The entries only read the fields here; they are bound to a copy so that this stays const.
    CSettings values = *this;
    std::vector<Entry> entries = values.Entries();
    std::string text =
        "; Kolvenbrook 3D settings, written when the game ends. Every setting is explained in the README.\n";
    // Entries before any section stay before the first.
    for (const Unknown& u : unknown_) {
        if (u.section.empty()) text += u.name + (u.hasValue ? " = " + u.value : "") + "\n";
    }
    std::vector<std::string> sections(std::begin(kSections), std::end(kSections));
    for (const Unknown& u : unknown_) {
        if (!u.section.empty() && std::find(sections.begin(), sections.end(), Lower(u.section)) == sections.end()) {
            sections.push_back(Lower(u.section));
        }
    }
    for (const std::string& section : sections) {
        text += "\n[" + section + "]\n";
        for (const Entry& entry : entries) {
            // No language written leaves the choice to the locale, as before the file was there.
            if (section != entry.section || (std::string(entry.name) == "language" && language.empty())) continue;
            text += std::string(entry.name) + " = " + entry.write() + "\n";
        }
        for (const Unknown& u : unknown_) {
            if (!u.section.empty() && Lower(u.section) == section) {
                text += u.name + (u.hasValue ? " = " + u.value : "") + "\n";
            }
        }
    }
    return text;
}

bool CSettings::Save(const std::string& realPath) const {
    if (!writable_) return true;
    const std::string text = Format();
    if (platform::WriteUserFile(realPath, text.data(), text.size())) return true;
    std::fprintf(stderr, "Kolvenbrook 3D: could not write %s; the settings were not saved\n", realPath.c_str());
    return false;
}
