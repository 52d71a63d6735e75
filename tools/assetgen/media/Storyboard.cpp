// The storyboard of a video: its length, music, scenes, title cards, captions and sound cues.
#include "Storyboard.h"

#include <algorithm>
#include <cmath>

namespace media {

Storyboard ParseStoryboard(const std::vector<ScriptLine>& lines) {
    static const char* const kKinds[] = {"valley", "theft", "club", "journey", "volcano", "celebrate"};
    Storyboard board;
    for (const auto& line : lines) {
        const std::string& head = line.tokens[0];
        if (head == "length") {
            board.length = line.Number(1);
        } else if (head == "music") {
            board.music = line.At(1);
        } else if (head == "fade") {
            board.fade = line.Number(1);
        } else if (head == "scene") {
            StoryScene scene{line.At(1), line.Number(2), line.Number(3), {}};
            if (std::find(std::begin(kKinds), std::end(kKinds), scene.kind) == std::end(kKinds))
                line.Fail("unknown scene kind '" + scene.kind + "'");
            board.scenes.push_back(scene);
        } else if (head == "card") {
            board.scenes.push_back({"card", line.Number(1), line.Number(2), line.At(3)});
        } else if (head == "caption" || head == "title") {
            StoryText text{line.Number(1), line.Number(2), line.At(3)};
            (head == "caption" ? board.captions : board.titles).push_back(text);
        } else if (head == "sfx") {
            SoundCue cue{line.Number(1), line.At(2), 0.6};
            if (line.tokens.size() > 3) cue.gain = line.Number(3);
            board.sounds.push_back(cue);
        } else {
            line.Fail("unknown storyboard line '" + head + "'");
        }
    }
    if (board.length <= 0.0) throw ScriptError("storyboard without a length");
    // Scenes must cover the whole video without gaps, or frames would have nothing to show.
    std::sort(board.scenes.begin(), board.scenes.end(),
              [](const StoryScene& a, const StoryScene& b) { return a.start < b.start; });
    double covered = 0.0;
    for (const auto& scene : board.scenes) {
        if (std::fabs(scene.start - covered) > 1e-6 || scene.end <= scene.start)
            throw ScriptError("storyboard scenes leave a gap or overlap at " + std::to_string(covered) + " s");
        covered = scene.end;
    }
    if (covered + 1e-6 < board.length) throw ScriptError("storyboard scenes end before the video does");
    return board;
}

}  // namespace media
