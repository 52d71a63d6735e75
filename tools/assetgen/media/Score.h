// The music notation: voices, patterns, chord sections and their order, and the renderer that plays them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "TextScript.h"

namespace media {

struct Voice {
    std::string name, instrument;
    double volume = 0.7, pan = 0.0, reverbSend = 0.15, echoSend = 0.0;
    int octave = 4;                  // where chord tones and the chord of "*" are placed
    double pitch = 0.0;              // drums: the struck pitch in Hz (0: the drum's own)
    double legato = 0.95;            // share of the written length a held instrument sounds
    std::vector<std::string> style;  // default bar for voices that follow the chords
};

// A pattern is one or more bars; each bar is a list of tokens that share the bar evenly.
struct Pattern {
    std::string name;
    std::vector<std::vector<std::string>> bars;
};

struct SectionPart {
    std::string voice, pattern;  // empty pattern: the voice plays its style
    int transpose = 0;
};

struct Section {
    std::string name;
    std::vector<std::vector<std::string>> chords;  // per bar: chord symbols sharing the bar
    int bars = 0;
    std::vector<SectionPart> parts;
};

struct Song {
    std::string title;
    double tempo = 120.0;
    int beatsPerBar = 4;
    double swing = 0.0;
    double reverb = 0.2, room = 0.5;
    double echoBeats = 0.75, echoFeedback = 0.3;
    bool loop = true;
    double loudnessDb = -16.0;  // target RMS
    uint64_t seed = 1;
    std::vector<Voice> voices;
    std::map<std::string, Pattern> patterns;
    std::vector<Section> sections;
    std::vector<std::string> order;

    double BarSeconds() const { return 60.0 * beatsPerBar / tempo; }
    int OrderBars() const;
    double OrderSeconds() const { return OrderBars() * BarSeconds(); }
};

Song ParseSong(const std::vector<ScriptLine>& lines);

struct StereoSound {
    std::vector<float> left, right;
    double Seconds() const;
};

// A looping song wraps its echo and reverb tails round to its start so the loop is seamless; a song that
// does not loop is played through its order as often as needed to last at least minimumSeconds, then faded
// out and cut to exactly that length.
StereoSound RenderSong(const Song& song, double minimumSeconds = 0.0);

}  // namespace media
