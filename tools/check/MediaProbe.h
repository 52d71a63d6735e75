// Opening a sound, music or film file with FFmpeg and decoding its start: can it be played at all?
#pragma once

#include <string>

struct MediaInfo {
    bool audio = false;
    bool pcm = false;  // plain PCM samples, as a WAV file of the game holds
    int sampleRate = 0;
    bool video = false;
    int width = 0;
    int height = 0;
};

// False with `error` saying what went wrong when the file cannot be opened, holds no sound or picture, or
// its first frames cannot be decoded.
bool ProbeMedia(const std::string& path, MediaInfo& info, std::string& error);
