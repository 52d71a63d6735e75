// Writes small AVI files (MPEG-4 part 2 pictures, PCM or MP3 sound) and MP3 files, so the players can be tried on
// real files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class TestVideoWriter {
public:
    enum class Sound { None, Pcm, Mp3 };
    struct Options {
        int width = 160;
        int height = 120;
        int framesPerSecond = 25;
        // One picture per colour (0x00RRGGBB), each filling the whole frame, in this order.
        std::vector<uint32_t> colours = {0xFF0000, 0x00FF00, 0x0000FF};
        Sound sound = Sound::Pcm;
        int soundRate = 44100;
        double toneHz = 440.0;
        // "avi", or "mp3" for a sound-only MP3 file (colours then unused) of soundSeconds.
        std::string container = "avi";
        double soundSeconds = 1.0;
    };
    // False when the file cannot be written or the encoder is missing (see HasEncoder).
    static bool Write(const std::string& path, const Options& options);
    static bool HasEncoder(Sound sound);
};

}  // namespace platform
