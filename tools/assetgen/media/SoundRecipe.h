// Sound effects described as layers of swept tones and filtered noise, rendered to mono samples.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "TextScript.h"

namespace media {

struct SoundLayer {
    bool noise = false;
    std::string shape = "sine";  // tone: sine triangle square saw; noise: white lp hp bp
    double at = 0.0, duration = 0.2;
    double startFrequency = 440.0, endFrequency = 440.0;
    double glide = -1.0;  // seconds of the sweep; below zero: the whole duration
    bool linearSweep = false;
    double attack = 0.005, decay = 0.0, release = 0.02;
    double gain = 1.0;
    double wobbleRate = 0.0, wobbleDepth = 0.0, wobbleDecay = 0.0;
    std::vector<std::pair<double, double>> partials{{1.0, 1.0}};
    double startCutoff = 0.0, endCutoff = 0.0;  // low-pass on tones; 0 = none
    double q = 0.7;
    double drive = 0.0;
    double sparse = 1.0;  // noise: share of samples that carry a grain (crackle below 1)
    uint64_t seed = 1;
};

struct SoundRecipe {
    std::string name;
    bool gameFile = true;  // "sound" lines become SOUND\<name>.WAV; "sfx" lines only serve the videos
    double peakDb = -3.0;
    double reverb = 0.0, room = 0.5;
    double length = 0.0;  // 0: the end of the last layer plus the reverb tail
    std::vector<SoundLayer> layers;
    std::string sourceText;  // the recipe's own lines, for change detection
};

std::vector<SoundRecipe> ParseSoundRecipes(const std::vector<ScriptLine>& lines);

// Renders at kSampleRate, normalised to the recipe's peak level, edges faded.
std::vector<float> RenderSound(const SoundRecipe& recipe);

}  // namespace media
