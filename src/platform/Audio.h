// Sample and music-stream playback.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

class IAudio {
public:
    using Handle = uint32_t;  // 0 is "nothing loaded" and plays nothing
    virtual ~IAudio() = default;
    // Opens the device; false when there is none (everything then plays silently).
    virtual bool Init() = 0;
    // At most maxPlaybacks of one sample sound at once; a further one cuts off the oldest.
    virtual Handle LoadSample(const std::string& realPath, int maxPlaybacks) = 0;
    virtual Handle LoadStream(const std::string& realPath) = 0;
    virtual void PlaySample(Handle sample) = 0;
    virtual void PlayStream(Handle stream, bool loop) = 0;
    virtual void StopStream(Handle stream) = 0;
    // Holds the music and every sounding sample where they are (true), or lets them carry on (false).
    virtual void SetPaused(bool paused) = 0;
    // Loudness of the samples and of the music, each 0 (silent) to 100 (as recorded).
    virtual void SetVolumes(int sound, int music) = 0;
    virtual void FreeAll() = 0;
};

}  // namespace platform
