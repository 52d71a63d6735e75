// Samples and music through SDL_mixer.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Audio.h"

namespace platform {

class SdlAudio : public IAudio {
public:
    SdlAudio();
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Opens the default device at 44100 Hz, stereo, signed 16-bit samples.
    bool Init() override;
    // A WAV file (or anything else SDL_mixer reads into memory). 0 when there is no device or the file
    // cannot be read.
    Handle LoadSample(const std::string& realPath, int maxPlaybacks) override;
    // An MP3 file played as music. 0 when there is no device or the file cannot be read.
    Handle LoadStream(const std::string& realPath) override;
    // Plays on a free channel; with maxPlaybacks of this sample already sounding, the one that has played
    // longest is cut off for it.
    void PlaySample(Handle sample) override;
    // Only one stream plays at a time: starting one replaces the one playing, from its beginning.
    void PlayStream(Handle stream, bool loop) override;
    // Stops the stream only when it is the one playing.
    void StopStream(Handle stream) override;
    // Pauses or resumes every mixer channel and the music together.
    void SetPaused(bool paused) override;
    // Also for mixer channels added later; the video's sound track keeps its own loudness.
    void SetVolumes(int sound, int music) override;
    // Frees every sample and stream and closes the device.
    void FreeAll() override;

    bool IsOpen() const;
    // The device's rate in Hz and its channel count (samples are signed 16-bit, native order, interleaved).
    int OutputRate() const;
    int OutputChannels() const;
    // Playbacks of a sample sounding now.
    int SoundingCount(Handle sample) const;
    // The stream playing now (0 when none).
    Handle PlayingStream() const;
    // Whether the music is held by SetPaused.
    bool MusicPaused() const;

    // Lets another source (the video's sound track) take the place of the music: feed is called on the
    // audio thread to fill `bytes` bytes of the device's format. False when there is no device.
    using OutputFeed = void (*)(void* user, uint8_t* stream, int bytes);
    bool HookOutput(OutputFeed feed, void* user);
    // Gives the output back to the music. Once this returns, feed is not running and will not be called.
    void UnhookOutput();
    bool OutputHooked() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
