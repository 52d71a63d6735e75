// MP3 encoding of the music with LAME: constant bit rate, with the gapless-playback tag filled in.
#pragma once

#include <vector>

#include "Score.h"

namespace media {

std::vector<unsigned char> EncodeMp3(const StereoSound& sound, int kilobitsPerSecond);

}  // namespace media
