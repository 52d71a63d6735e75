// The generator's units of work: the sound effects, one music track, one video.
#pragma once

#include <string>
#include <vector>

namespace media {

// Each returns a short human-readable report of what it wrote (levels, lengths, sizes).
std::string MakeSounds(const std::string& contentFolder, const std::string& gameFolder);
std::string MakeTrack(const std::string& contentFolder, const std::string& gameFolder, int track);
// One video from the storyboard `name`: "<name>.avi" with its own texts, or "<name>_<language>.avi".
std::string MakeVideo(const std::string& contentFolder, const std::string& gameFolder, const std::string& name,
                      const std::string& language);

// Storyboards in content/media/video, by name without extension ("intro", "outro").
std::vector<std::string> VideoNames(const std::string& contentFolder);
// The languages of a storyboard: "" (its own) first, then those it gives its texts in ("en").
std::vector<std::string> VideoLanguages(const std::string& contentFolder, const std::string& name);

}  // namespace media
