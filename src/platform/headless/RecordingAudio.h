// Audio without a device: every call is recorded so tests and the driver can see what played.
#pragma once

#include <string>
#include <vector>

#include "platform/Audio.h"

namespace platform {

class RecordingAudio : public IAudio {
public:
    bool Init() override { return true; }
    Handle LoadSample(const std::string& realPath, int maxPlaybacks) override;
    Handle LoadStream(const std::string& realPath) override;
    void PlaySample(Handle sample) override;
    void PlayStream(Handle stream, bool loop) override;
    void StopStream(Handle stream) override;
    void SetPaused(bool paused) override;
    void SetVolumes(int sound, int music) override {
        soundVolume = sound;
        musicVolume = music;
    }
    void FreeAll() override;

    struct Loaded {
        std::string path;
        bool isStream = false;
    };
    // Index handle - 1. Only files that exist get a handle.
    std::vector<Loaded> loaded;
    // "sample:<path>", "play:<path>", "stop:<path>", "pause", "resume" in call order.
    std::vector<std::string> calls;
    // The stream playing now (0 when none).
    Handle playingStream = 0;
    bool freed = false;
    bool paused = false;
    int soundVolume = 100;
    int musicVolume = 100;

private:
    Handle Add(const std::string& realPath, bool isStream);
};

}  // namespace platform
