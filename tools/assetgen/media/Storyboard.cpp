// The storyboard of a video: its length, music, scenes, title cards, captions and sound cues.
#include "Storyboard.h"

#include <algorithm>
#include <cmath>

namespace media {

namespace {

const char* const kLanguages[] = {"en"};

bool IsLanguageLine(const ScriptLine& line) {
    return std::find(std::begin(kLanguages), std::end(kLanguages), line.tokens[0]) != std::end(kLanguages);
}

bool IsTextLine(const ScriptLine& line) {
    return line.tokens[0] == "caption" || line.tokens[0] == "card" || line.tokens[0] == "title";
}

// The storyboard's lines with every text in the language and the language lines taken out. Each
// language line must stand under a text line; in a language other than the storyboard's own, every
// text line needs its line.
std::vector<ScriptLine> InLanguage(const std::vector<ScriptLine>& lines, const std::string& language) {
    std::vector<ScriptLine> out;
    for (size_t i = 0; i < lines.size(); ++i) {
        const ScriptLine& line = lines[i];
        if (IsLanguageLine(line)) {
            if (i == 0 || !(IsTextLine(lines[i - 1]) || IsLanguageLine(lines[i - 1])))
                line.Fail("a '" + line.tokens[0] + "' line belongs right under a caption, card or title");
            if (line.tokens.size() != 2) line.Fail("expected " + line.tokens[0] + " \"text\"");
            continue;
        }
        out.push_back(line);
        if (language.empty() || !IsTextLine(line)) continue;
        size_t k = i + 1;
        while (k < lines.size() && IsLanguageLine(lines[k]) && lines[k].tokens[0] != language) ++k;
        if (k >= lines.size() || !IsLanguageLine(lines[k])) line.Fail("no '" + language + "' text for this line");
        line.At(3);  // a text line without its text fails here, naming the line
        out.back().tokens[3] = lines[k].At(1);
    }
    return out;
}

}  // namespace

std::vector<std::string> StoryboardLanguages(const std::vector<ScriptLine>& lines) {
    std::vector<std::string> languages;
    for (const auto& line : lines) {
        if (IsLanguageLine(line) && std::find(languages.begin(), languages.end(), line.tokens[0]) == languages.end())
            languages.push_back(line.tokens[0]);
    }
    return languages;
}

Storyboard ParseStoryboard(const std::vector<ScriptLine>& allLines, const std::string& language) {
    static const char* const kKinds[] = {"valley", "theft", "club", "journey", "volcano", "celebrate"};
    const std::vector<ScriptLine> lines = InLanguage(allLines, language);
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
