// Full-screen videos decoded with FFmpeg on a worker thread, shown through the display and heard through the mixer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "platform/Display.h"
#include "platform/Video.h"
#include "platform/sdl/FfmpegDecoder.h"

namespace platform {

class SdlAudio;

class FfmpegVideoPlayer : public IVideoPlayer {
public:
    // display shows the pictures; audio (may be null or without a device) plays the sound track in place of
    // the music while a video runs.
    FfmpegVideoPlayer(IDisplay* display, SdlAudio* audio);
    ~FfmpegVideoPlayer() override;
    FfmpegVideoPlayer(const FfmpegVideoPlayer&) = delete;
    FfmpegVideoPlayer& operator=(const FfmpegVideoPlayer&) = delete;

    // Starts decoding on the worker thread and returns at once; a video already playing is stopped first.
    void Play(const std::string& realPath) override;
    void Stop() override;
    // Presents the picture due now (the last one once the video has ended). Never waits for decoding.
    void KeepVisible() override;
    bool Failed() const override { return CurrentState() == State::Failed; }

    // What the worker found, for the driver and tests.
    using State = VideoState;
    State CurrentState() const;
    // Pictures presented since Play.
    int FramesShown() const { return framesShown_; }
    // Sound frames (one sample per channel) handed to the device since Play.
    int64_t SoundFramesPlayed() const;
    // Size of the pictures the worker makes (0x0 until the file is open).
    int PictureWidth() const;
    int PictureHeight() const;

private:
    IDisplay* display_;
    SdlAudio* audio_;
    std::shared_ptr<DecodedVideo> shared_;
    std::thread worker_;
    std::unique_ptr<Surface> picture_;
    bool hooked_ = false;
    int framesShown_ = 0;
    int64_t lastPresentNs_ = 0;
};

}  // namespace platform
