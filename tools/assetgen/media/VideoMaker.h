// Makes one video: reads its storyboard, draws every frame with cairo, renders its music, writes the AVI.
#pragma once

#include <string>

namespace media {

// Returns a short report line. `language` picks the storyboard's texts ("" its own, or "en").
std::string MakeVideoFile(const std::string& contentFolder, const std::string& storyboardPath,
                          const std::string& outputPath, const std::string& language = "");

// Writes the single frame at `seconds` as a PNG, for looking at a scene without making the whole video.
void WriteVideoFrame(const std::string& storyboardPath, double seconds, const std::string& pngPath,
                     const std::string& language = "");

}  // namespace media
