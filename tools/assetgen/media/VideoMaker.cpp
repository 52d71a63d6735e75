// Makes one video: reads its storyboard, draws every frame with cairo, renders its music, writes the AVI.
#include "VideoMaker.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "AviWriter.h"
#include "Cartoon.h"
#include "Dsp.h"
#include "Score.h"
#include "SoundRecipe.h"
#include "Storyboard.h"
#include "VideoScenes.h"
#include "WavFile.h"

namespace media {
namespace {

constexpr int kFramesPerSecond = 25;

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using ContextPtr = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

// The music of the storyboard with its sound cues mixed in, exactly as long as the video.
StereoSound Soundtrack(const std::string& contentFolder, const Storyboard& board) {
    Song song = ParseSong(ReadScript(contentFolder + "/music/" + board.music + ".txt"));
    song.loop = false;
    StereoSound sound = RenderSong(song, board.length);
    auto recipes = ParseSoundRecipes(ReadScript(contentFolder + "/sounds.txt"));
    for (const auto& cue : board.sounds) {
        auto recipe =
            std::find_if(recipes.begin(), recipes.end(), [&](const SoundRecipe& r) { return r.name == cue.name; });
        if (recipe == recipes.end()) throw ScriptError("storyboard names unknown sound '" + cue.name + "'");
        std::vector<float> samples = RenderSound(*recipe);
        size_t first = static_cast<size_t>(cue.time * kSampleRate);
        for (size_t i = 0; i < samples.size() && first + i < sound.left.size(); ++i) {
            sound.left[first + i] += static_cast<float>(samples[i] * cue.gain);
            sound.right[first + i] += static_cast<float>(samples[i] * cue.gain);
        }
    }
    for (auto* channel : {&sound.left, &sound.right})
        for (float& sample : *channel) sample = std::clamp(sample, -0.98f, 0.98f);
    return sound;
}

}  // namespace

std::string MakeVideoFile(const std::string& contentFolder, const std::string& storyboardPath,
                          const std::string& outputPath, const std::string& language) {
    Storyboard board = ParseStoryboard(ReadScript(storyboardPath), language);
    StereoSound sound = Soundtrack(contentFolder, board);
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, cartoon::kWidth, cartoon::kHeight),
                       cairo_surface_destroy);
    ContextPtr cr(cairo_create(surface.get()), cairo_destroy);
    MakeParentFolders(outputPath);
    AviWriter writer(outputPath, cartoon::kWidth, cartoon::kHeight, kFramesPerSecond, sound, 4, 2.0);
    const int frames = static_cast<int>(std::lround(board.length * kFramesPerSecond));
    for (int frame = 0; frame < frames; ++frame) {
        DrawStoryFrame(cr.get(), board, static_cast<double>(frame) / kFramesPerSecond);
        cairo_surface_flush(surface.get());
        writer.AddFrame(cairo_image_surface_get_data(surface.get()), cairo_image_surface_get_stride(surface.get()));
    }
    writer.Finish();
    char report[256];
    std::snprintf(report, sizeof report, "  %-32s %6.2f s, %d frames 800x600 mpeg4, sound %s  %8ju bytes\n",
                  std::filesystem::path(outputPath).filename().string().c_str(), board.length, frames,
                  writer.AudioCodecName().c_str(), static_cast<uintmax_t>(std::filesystem::file_size(outputPath)));
    return report;
}

void WriteVideoFrame(const std::string& storyboardPath, double seconds, const std::string& pngPath,
                     const std::string& language) {
    Storyboard board = ParseStoryboard(ReadScript(storyboardPath), language);
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, cartoon::kWidth, cartoon::kHeight),
                       cairo_surface_destroy);
    ContextPtr cr(cairo_create(surface.get()), cairo_destroy);
    DrawStoryFrame(cr.get(), board, seconds);
    if (cairo_surface_write_to_png(surface.get(), pngPath.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + pngPath);
}

}  // namespace media
