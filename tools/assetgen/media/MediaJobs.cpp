// The generator's units of work: the sound effects, one music track, one video.
#include "MediaJobs.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <filesystem>

#include "Dsp.h"
#include "Mp3Encoder.h"
#include "Score.h"
#include "SoundRecipe.h"
#include "Storyboard.h"
#include "VideoMaker.h"
#include "WavFile.h"

namespace media {
namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

double PeakDb(const std::vector<float>& samples) {
    float peak = 0.0f;
    for (float sample : samples) peak = std::max(peak, std::fabs(sample));
    return peak > 0.0f ? 20.0 * std::log10(peak) : -200.0;
}

double RmsDb(const std::vector<float>& samples) {
    double sum = 0.0;
    for (float sample : samples) sum += static_cast<double>(sample) * sample;
    return 10.0 * std::log10(std::max(sum / std::max<size_t>(samples.size(), 1), 1e-20));
}

}  // namespace

std::string MakeSounds(const std::string& contentFolder, const std::string& gameFolder) {
    auto recipes = ParseSoundRecipes(ReadScript(contentFolder + "/sounds.txt"));
    std::string report;
    for (const auto& recipe : recipes) {
        if (!recipe.gameFile) continue;
        std::vector<float> samples = RenderSound(recipe);
        std::string path = gameFolder + "/SOUND/" + recipe.name + ".WAV";
        WriteWav(path, samples, kSampleRate);
        report += Format("  SOUND/%-22s %5.2f s  peak %5.1f dBFS  rms %5.1f dBFS  %7zu bytes\n",
                         (recipe.name + ".WAV").c_str(), static_cast<double>(samples.size()) / kSampleRate,
                         PeakDb(samples), RmsDb(samples), std::filesystem::file_size(path));
    }
    return report;
}

std::string MakeTrack(const std::string& contentFolder, const std::string& gameFolder, int track) {
    Song song = ParseSong(ReadScript(contentFolder + "/music/track" + std::to_string(track) + ".txt"));
    StereoSound sound = RenderSong(song);
    std::string path = gameFolder + "/Music/Track" + std::to_string(track) + ".MP3";
    std::vector<unsigned char> bytes = EncodeMp3(sound, 128);
    WriteFile(path, bytes);
    std::vector<float> both = sound.left;
    both.insert(both.end(), sound.right.begin(), sound.right.end());
    return Format("  Music/Track%d.MP3  %-22s %6.2f s (%d bars at %g bpm)  peak %5.1f  rms %5.1f dBFS  %8zu bytes\n",
                  track, ("\"" + song.title + "\"").c_str(), sound.Seconds(), song.OrderBars(), song.tempo,
                  PeakDb(both), RmsDb(both), bytes.size());
}

std::vector<std::string> VideoNames(const std::string& contentFolder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(contentFolder + "/video"))
        if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> VideoLanguages(const std::string& contentFolder, const std::string& name) {
    std::vector<std::string> languages{""};
    for (const auto& language : StoryboardLanguages(ReadScript(contentFolder + "/video/" + name + ".txt")))
        languages.push_back(language);
    return languages;
}

std::string MakeVideo(const std::string& contentFolder, const std::string& gameFolder, const std::string& name,
                      const std::string& language) {
    const std::string file = name + (language.empty() ? "" : "_" + language) + ".avi";
    return MakeVideoFile(contentFolder, contentFolder + "/video/" + name + ".txt", gameFolder + "/" + file, language);
}

}  // namespace media
