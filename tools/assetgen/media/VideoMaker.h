// Makes one video: reads its storyboard, draws every frame with cairo, renders its music, writes the AVI.
#pragma once

#include <string>

namespace media {

// Returns a short report line.
std::string MakeVideoFile(const std::string& contentFolder, const std::string& storyboardPath,
                          const std::string& outputPath);

// Writes the single frame at `seconds` as a PNG, for looking at a scene without making the whole video.
void WriteVideoFrame(const std::string& storyboardPath, double seconds, const std::string& pngPath);

}  // namespace media
