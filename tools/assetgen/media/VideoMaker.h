// Makes one video: reads its storyboard, draws every frame with cairo, renders its music, writes the AVI.
#pragma once

#include <string>

namespace media {

// Returns a short report line.
std::string MakeVideoFile(const std::string& contentFolder, const std::string& storyboardPath,
                          const std::string& outputPath);

}  // namespace media
