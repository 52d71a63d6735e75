// Writes an AVI with MPEG-4 (simple profile) video and an MP3 (or, without LAME in libavcodec, PCM) sound track,
// bit-exact: the same frames and samples always give the same file.
#pragma once

#include <cstdint>
#include <string>

#include "Score.h"

struct AVFormatContext;
struct AVCodecContext;
struct AVStream;
struct AVFrame;
struct AVPacket;

namespace media {

class AviWriter {
public:
    // quality: MPEG-4 quantiser, 2 (best) .. 31; keyframeSeconds: distance between keyframes.
    AviWriter(const std::string& path, int width, int height, int framesPerSecond, const StereoSound& sound,
              int quality, double keyframeSeconds);
    ~AviWriter();
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

    // One frame in cairo's ARGB32 layout (B, G, R, A bytes on little-endian machines).
    void AddFrame(const uint8_t* pixels, int stride);
    // Flushes both encoders and writes the index; the file is complete afterwards.
    void Finish();

    std::string AudioCodecName() const;

private:
    void EncodeAudioUpTo(int64_t sampleCount);
    void Send(AVCodecContext* codec, AVStream* stream, AVFrame* frame);
    void Fail(const std::string& what, int error = 0) const;

    std::string path;
    int width, height, framesPerSecond;
    const StereoSound& sound;
    AVFormatContext* format = nullptr;
    AVCodecContext* videoCodec = nullptr;
    AVCodecContext* audioCodec = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    AVFrame* videoFrame = nullptr;
    AVFrame* audioFrame = nullptr;
    AVPacket* packet = nullptr;
    int64_t framesWritten = 0;
    int64_t samplesWritten = 0;
    bool finished = false;
};

}  // namespace media
