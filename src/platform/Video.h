// Full-screen video playback (intro and outro).
#pragma once

#include <string>

namespace platform {

class IVideoPlayer {
public:
    virtual ~IVideoPlayer() = default;
    // Starts the file from its beginning; a missing or broken file shows nothing.
    virtual void Play(const std::string& realPath) = 0;
    // Hides and stops the video.
    virtual void Stop() = 0;
    // Called in every frame while a video is on screen: shows its current picture (the last
    // one once it has ended).
    virtual void KeepVisible() = 0;
    // True once the file last played turned out missing or broken: nothing of it will ever show.
    virtual bool Failed() const = 0;
};

}  // namespace platform
