// Sound effects by name and looping music tracks.
#include "media/SoundSystem.h"

#include <algorithm>

#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "data/GameData.h"
#include "platform/Files.h"
#include "platform/Platform.h"

CSoundSystem::CSoundSystem(GameDlgFields* window) : mainWindow_(window) {
    platform::IAudio* audio = platform::Current().audio;
    if (!audio) return;
    deviceOpen = audio->Init();
    const CGameData* data = mainWindow_ ? mainWindow_->gameData : nullptr;
    if (data) {
        // Names past the 52 handles are not loaded and play nothing.
        const int count = std::min(data->sampleCount, kMaxSamples);
        for (int i = 0; i < count; ++i) {
            sampleHandles_[i] = audio->LoadSample(platform::ResolveGamePath("SOUND\\" + data->samples[i] + ".WAV"), 3);
        }
    }
    for (int n = 0; n < kTrackCount; ++n) {
        streamHandles_[n] = audio->LoadStream(platform::ResolveGamePath("Music\\Track" + std::to_string(n) + ".MP3"));
    }
}

CSoundSystem::~CSoundSystem() {
    if (platform::IAudio* audio = platform::Current().audio) audio->FreeAll();
}

void CSoundSystem::PlaySound(const std::string& name) {
    platform::IAudio* audio = platform::Current().audio;
    if (!audio || !mainWindow_ || !mainWindow_->soundOption || !mainWindow_->gameData) return;
    const CGameData* data = mainWindow_->gameData;
    const int count = std::min(data->sampleCount, kMaxSamples);
    for (int i = 0; i < count; ++i) {
        if (data->samples[i] == name) audio->PlaySample(sampleHandles_[i]);
    }
}

void CSoundSystem::PlayMusic(int32_t track) {
    if (lastTrack != -1) StopMusic(lastTrack);
    platform::IAudio* audio = platform::Current().audio;
    if (audio && mainWindow_ && mainWindow_->musicOption && track >= 0 && track < kTrackCount) {
        audio->PlayStream(streamHandles_[track], true);
        musicPlaying_ = streamHandles_[track] != 0;
    }
    lastTrack = track;
}

void CSoundSystem::StopMusic(int32_t track) {
    if (track < 0 || track >= kTrackCount) return;
    if (platform::IAudio* audio = platform::Current().audio) audio->StopStream(streamHandles_[track]);
    if (track == lastTrack) musicPlaying_ = false;
}

void PlaySample(const std::string& name) {
    if (GameGlobals::sound) GameGlobals::sound->PlaySound(name);
}

void CSoundSystem::SetPaused(bool paused) {
    if (platform::IAudio* audio = platform::Current().audio) audio->SetPaused(paused);
}
