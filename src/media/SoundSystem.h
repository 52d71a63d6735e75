// Sound effects by name and looping music tracks.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/Audio.h"

struct GameDlgFields;

class CSoundSystem {
public:
    static constexpr int kMaxSamples = 52;
    static constexpr int kTrackCount = 10;

    // Opens the audio device and loads one sample per SAMPLE entry and the ten music tracks.
    explicit CSoundSystem(GameDlgFields* window);
    ~CSoundSystem();
    CSoundSystem(const CSoundSystem&) = delete;
    CSoundSystem& operator=(const CSoundSystem&) = delete;

    // Plays every sample whose SAMPLE entry equals name exactly, when effects are on.
    void PlaySound(const std::string& name);
    // Stops the track asked for last, then starts this one looping when music is on.
    void PlayMusic(int32_t track);
    void StopMusic(int32_t track);
    // Holds the music and the sounding effects (the paused level), or lets them carry on.
    void SetPaused(bool paused);

    // The track asked for last (-1 before the first), and whether it is sounding.
    int32_t lastTrack = -1;
    bool MusicPlaying() const { return musicPlaying_; }
    bool deviceOpen = false;

private:
    GameDlgFields* mainWindow_;
    std::array<platform::IAudio::Handle, kMaxSamples> sampleHandles_{};
    std::array<platform::IAudio::Handle, kTrackCount> streamHandles_{};
    bool musicPlaying_ = false;
};

// Plays a sample by name through the game's sound system, when it has one.
void PlaySample(const std::string& name);
