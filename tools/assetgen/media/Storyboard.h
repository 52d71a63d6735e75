// The storyboard of a video: its length, music, scenes, title cards, captions and sound cues.
#pragma once

#include <string>
#include <vector>

#include "TextScript.h"

namespace media {

struct StoryScene {
    std::string kind;  // valley, theft, club, journey, volcano, celebrate, card
    double start = 0.0, end = 0.0;
    std::string text;  // cards: the text; '|' breaks lines
};

struct StoryText {
    double start = 0.0, end = 0.0;
    std::string text;
};

struct SoundCue {
    double time = 0.0;
    std::string name;
    double gain = 0.6;
};

struct Storyboard {
    double length = 0.0;
    std::string music;  // a song in content/media/music, without ".txt"
    double fade = 0.6;  // seconds of fade to and from black at each scene boundary
    std::vector<StoryScene> scenes;
    std::vector<StoryText> captions, titles;
    std::vector<SoundCue> sounds;
};

// Reads a storyboard in one of its languages: "" for its own texts (Polish), or a language code
// ("en") whose line `en "text"` right under each caption, card and title gives that text there.
Storyboard ParseStoryboard(const std::vector<ScriptLine>& lines, const std::string& language = "");

// The languages besides its own that a storyboard gives its texts in, in order of first use.
std::vector<std::string> StoryboardLanguages(const std::vector<ScriptLine>& lines);

}  // namespace media
