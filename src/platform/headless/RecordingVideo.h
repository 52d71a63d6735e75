// A video player that shows nothing and remembers what it was asked to play.
#pragma once

#include <cstring>
#include <fstream>
#include <string>

#include "platform/Video.h"

namespace platform {

class RecordingVideo : public IVideoPlayer {
public:
    void Play(const std::string& realPath) override {
        playing = realPath;
        ++playCount;
        failed = judgeFiles && !LooksLikeVideo(realPath);
    }
    bool Failed() const override { return failed; }
    void Stop() override {
        playing.clear();
        ++stopCount;
    }
    void KeepVisible() override { ++keepVisibleCount; }

    std::string playing;  // empty when stopped
    int playCount = 0;
    int stopCount = 0;
    int keepVisibleCount = 0;
    // With judgeFiles, a file that is missing or does not start as an AVI fails as the real player's would;
    // without, every file plays.
    bool judgeFiles = false;
    bool failed = false;

private:
    static bool LooksLikeVideo(const std::string& realPath) {
        char head[12] = {};
        std::ifstream file(realPath, std::ios::binary);
        return file.read(head, sizeof(head)) && std::memcmp(head, "RIFF", 4) == 0 &&
               std::memcmp(head + 8, "AVI ", 4) == 0;
    }
};

}  // namespace platform
