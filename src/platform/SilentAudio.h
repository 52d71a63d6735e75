// Audio that plays nothing, as on a machine without a sound device (the --mute start).
#pragma once

#include "platform/Audio.h"

namespace platform {

class SilentAudio : public IAudio {
public:
    bool Init() override { return false; }
    Handle LoadSample(const std::string&, int) override { return 0; }
    Handle LoadStream(const std::string&) override { return 0; }
    void PlaySample(Handle) override {}
    void PlayStream(Handle, bool) override {}
    void StopStream(Handle) override {}
    void SetPaused(bool) override {}
    void SetVolumes(int, int) override {}
    void FreeAll() override {}
};

}  // namespace platform
