// The generator's units of work: the sound effects, one music track, one video.
#pragma once

#include <string>
#include <vector>

namespace media {

// Each returns a short human-readable report of what it wrote (levels, lengths, sizes).
std::string MakeSounds(const std::string& contentFolder, const std::string& gameFolder);
std::string MakeTrack(const std::string& contentFolder, const std::string& gameFolder, int track);
std::string MakeVideo(const std::string& contentFolder, const std::string& gameFolder, const std::string& name);

// Storyboards in content/media/video, by name without extension ("intro", "outro").
std::vector<std::string> VideoNames(const std::string& contentFolder);

}  // namespace media
