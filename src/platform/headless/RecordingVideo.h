// A video player that shows nothing and remembers what it was asked to play.
#pragma once

#include <string>

#include "platform/Video.h"

namespace platform {

class RecordingVideo : public IVideoPlayer {
public:
    void Play(const std::string& realPath) override {
        playing = realPath;
        ++playCount;
    }
    void Stop() override {
        playing.clear();
        ++stopCount;
    }
    void KeepVisible() override { ++keepVisibleCount; }

    std::string playing;  // empty when stopped
    int playCount = 0;
    int stopCount = 0;
    int keepVisibleCount = 0;
};

}  // namespace platform
