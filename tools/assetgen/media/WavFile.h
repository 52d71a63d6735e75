// Writing and checking 16-bit PCM WAV files.
#pragma once

#include <string>
#include <vector>

namespace media {

// Writes mono 16-bit PCM; samples are -1..1 and rounded (not dithered, so the bytes never vary).
void WriteWav(const std::string& path, const std::vector<float>& samples, int sampleRate);

struct WavInfo {
    bool valid = false;
    std::string problem;
    int channels = 0, sampleRate = 0, bitsPerSample = 0;
    double seconds = 0.0;
    double peakDb = -200.0;
    double edgeLevel = 0.0;  // the larger of the first and last sample magnitudes (0..1): clicks show here
};

WavInfo InspectWav(const std::string& path);

// Creates every missing folder of the path's parent.
void MakeParentFolders(const std::string& path);
void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace media
