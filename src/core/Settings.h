// settings.ini: display, sound, pause, gamepad, language and key settings beside Config.dat.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// How reading a settings file went: there is none, it is one (its text given), or something else is in
// its place (a folder, a file too large to be one, no permission), said in `problem`.
enum class SettingsFileRead { Missing, Read, Unusable };
SettingsFileRead ReadSettingsFile(const std::string& realPath, std::string& text, const char*& problem);

// Hands every entry of a settings text to `take` in order: its section ("" before the first), name, value
// (null when the line has none) and line number. The file's one INI reader, used by the settings and the
// language choice. Returns the first line that is neither a [section] nor an entry (0 when none).
int ForEachSettingsEntry(
    const std::string& text,
    const std::function<void(const char* section, const char* name, const char* value, int line)>& take);

class CSettings {
public:
    enum class Scaling { Letterbox, Integer };
    enum class Filter { Linear, Nearest };

    // The defaults are the game as it is without the file.
    bool fullscreen = true;
    int32_t windowWidth = 800;
    int32_t windowHeight = 600;
    Scaling scaling = Scaling::Letterbox;
    Filter filter = Filter::Linear;
    bool vsync = false;
    int32_t soundVolume = 100;  // 0..100; the options screen's switches still turn sound and music off
    int32_t musicVolume = 100;
    bool pauseOnFocusLoss = true;
    bool gamepads = true;
    // "pl" or "en" as written; empty leaves the choice to the locale (the language code checks it).
    std::string language;
    // Virtual-key codes of the actions.
    int32_t keyLeft = 37;
    int32_t keyRight = 39;
    int32_t keyJump = 38;
    int32_t keyDown = 40;
    int32_t keyAttack = 32;
    int32_t keyWalk = 16;
    int32_t keyPause = 'P';
    int32_t keyScreenshot = 123;  // F12

    // Reads the file at realPath: a missing file leaves the defaults; every line that cannot be used
    // is left out with one line on stderr naming it. A file that exists but cannot be read (a folder,
    // too large, no permission) is said so, and is never written over.
    void Load(const std::string& realPath);
    // Reads settings text; `source` names it in the messages.
    void Parse(const std::string& text, const std::string& source);
    // The file's text: every setting with its value, and every entry this game does not know as it was.
    std::string Format() const;
    // Writes the file crash-safely (nothing when it could not be read); false when it failed.
    bool Save(const std::string& realPath) const;

    // The biggest settings file read; a larger one is not a settings file of ours.
    static constexpr size_t kMaxFileBytes = 256 * 1024;

private:
    struct Entry {
        const char* section;
        const char* name;
        // Takes a value; false when it is not one this setting can have (then it says why).
        std::function<bool(const std::string& value, std::string& why)> read;
        std::function<std::string()> write;
    };
    struct Unknown {
        std::string section;
        std::string name;
        std::string value;
        bool hasValue = true;
    };
    // Every setting, bound to this object's fields.
    std::vector<Entry> Entries();

    std::vector<Unknown> unknown_;
    bool writable_ = true;
};
