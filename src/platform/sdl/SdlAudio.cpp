// Samples and music through SDL_mixer.
#include "platform/sdl/SdlAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 1024;
constexpr int kStartMixChannels = 32;
constexpr int kMaxMixChannels = 256;
// Stream handles live in their own range, so a sample handle given as a stream plays nothing.
constexpr IAudio::Handle kStreamBase = 0x100000;

}  // namespace

struct SdlAudio::Impl {
    struct Sample {
        Mix_Chunk* chunk = nullptr;
        int maxPlaybacks = 1;
    };
    // Which sample a mixer channel was last started for, and in which order it was started.
    struct ChannelUse {
        Handle sample = 0;
        uint64_t order = 0;
    };

    bool open = false;
    int rate = 0;
    int channels = 0;
    std::vector<Sample> samples;         // handle - 1
    std::vector<Mix_Music*> streams;     // handle - kStreamBase
    std::vector<ChannelUse> channelUse;  // by mixer channel
    uint64_t nextOrder = 1;
    Handle playing = 0;
    bool hooked = false;
    int sampleVolume = MIX_MAX_VOLUME;
    int musicVolume = MIX_MAX_VOLUME;

    Mix_Music* Stream(Handle h) const {
        if (h < kStreamBase || h - kStreamBase >= streams.size()) return nullptr;
        return streams[h - kStreamBase];
    }

    // Mixer channels sounding this sample now, the longest-playing first.
    std::vector<int> Sounding(Handle h) const {
        std::vector<int> result;
        for (int ch = 0; ch < static_cast<int>(channelUse.size()); ++ch) {
            if (channelUse[ch].sample == h && Mix_Playing(ch)) result.push_back(ch);
        }
        std::sort(result.begin(), result.end(),
                  [this](int a, int b) { return channelUse[a].order < channelUse[b].order; });
        return result;
    }
};

SdlAudio::SdlAudio() : impl_(std::make_unique<Impl>()) {}

SdlAudio::~SdlAudio() {
    FreeAll();
}

bool SdlAudio::Init() {
    Impl& d = *impl_;
    if (d.open) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_MP3);
    // The sample format and channel count stay fixed (SDL converts for the device if it must), so the
    // video's sound track can be fed in this one format.
    if (Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, kChannels, kBufferFrames, nullptr, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE) !=
        0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    d.rate = rate;
    d.channels = channels;
    Mix_AllocateChannels(kStartMixChannels);
    Mix_Volume(-1, d.sampleVolume);
    Mix_VolumeMusic(d.musicVolume);
    d.channelUse.assign(kStartMixChannels, {});
    d.open = true;
    return true;
}

IAudio::Handle SdlAudio::LoadSample(const std::string& realPath, int maxPlaybacks) {
    Impl& d = *impl_;
    if (!d.open) return 0;
    Mix_Chunk* chunk = Mix_LoadWAV(realPath.c_str());
    if (!chunk) return 0;
    d.samples.push_back({chunk, std::max(1, maxPlaybacks)});
    return static_cast<Handle>(d.samples.size());
}

IAudio::Handle SdlAudio::LoadStream(const std::string& realPath) {
    Impl& d = *impl_;
    if (!d.open) return 0;
    Mix_Music* music = Mix_LoadMUS(realPath.c_str());
    if (!music) return 0;
    d.streams.push_back(music);
    return kStreamBase + static_cast<Handle>(d.streams.size() - 1);
}

void SdlAudio::PlaySample(Handle sample) {
    Impl& d = *impl_;
    if (!d.open || sample == 0 || sample > d.samples.size()) return;
    const Impl::Sample& s = d.samples[sample - 1];
    int channel = -1;
    const std::vector<int> sounding = d.Sounding(sample);
    if (static_cast<int>(sounding.size()) >= s.maxPlaybacks) {
        // All allowed playbacks are busy: the one that has played longest makes room.
        channel = sounding.front();
        Mix_HaltChannel(channel);
    }
    int got = Mix_PlayChannel(channel, s.chunk, 0);
    if (got < 0 && channel < 0 && static_cast<int>(d.channelUse.size()) < kMaxMixChannels) {
        const int more = std::min(kMaxMixChannels, static_cast<int>(d.channelUse.size()) * 2);
        Mix_AllocateChannels(more);
        Mix_Volume(-1, d.sampleVolume);
        d.channelUse.resize(static_cast<size_t>(more));
        got = Mix_PlayChannel(-1, s.chunk, 0);
    }
    if (got < 0) return;
    if (got >= static_cast<int>(d.channelUse.size())) d.channelUse.resize(static_cast<size_t>(got) + 1);
    d.channelUse[got] = {sample, d.nextOrder++};
}

void SdlAudio::PlayStream(Handle stream, bool loop) {
    Impl& d = *impl_;
    if (!d.open) return;
    Mix_Music* music = d.Stream(stream);
    if (!music) return;
    // -1 repeats for ever; 1 plays once.
    if (Mix_PlayMusic(music, loop ? -1 : 1) == 0) d.playing = stream;
}

void SdlAudio::StopStream(Handle stream) {
    Impl& d = *impl_;
    if (!d.open || stream == 0 || stream != d.playing) return;
    Mix_HaltMusic();
    d.playing = 0;
}

void SdlAudio::SetPaused(bool paused) {
    if (!impl_->open) return;
    if (paused) {
        Mix_Pause(-1);
        Mix_PauseMusic();
    } else {
        Mix_Resume(-1);
        Mix_ResumeMusic();
    }
}

void SdlAudio::SetVolumes(int sound, int music) {
    Impl& d = *impl_;
    auto scale = [](int percent) { return (std::clamp(percent, 0, 100) * MIX_MAX_VOLUME + 50) / 100; };
    d.sampleVolume = scale(sound);
    d.musicVolume = scale(music);
    if (!d.open) return;
    Mix_Volume(-1, d.sampleVolume);
    Mix_VolumeMusic(d.musicVolume);
}

bool SdlAudio::MusicPaused() const {
    return impl_->open && Mix_PausedMusic() != 0;
}

void SdlAudio::FreeAll() {
    Impl& d = *impl_;
    if (!d.open) return;
    UnhookOutput();
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (Impl::Sample& s : d.samples) Mix_FreeChunk(s.chunk);
    for (Mix_Music* m : d.streams) Mix_FreeMusic(m);
    d.samples.clear();
    d.streams.clear();
    d.channelUse.clear();
    d.playing = 0;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    d.open = false;
}

bool SdlAudio::IsOpen() const {
    return impl_->open;
}
int SdlAudio::OutputRate() const {
    return impl_->rate;
}
int SdlAudio::OutputChannels() const {
    return impl_->channels;
}

int SdlAudio::SoundingCount(Handle sample) const {
    if (!impl_->open || sample == 0) return 0;
    return static_cast<int>(impl_->Sounding(sample).size());
}

IAudio::Handle SdlAudio::PlayingStream() const {
    const Impl& d = *impl_;
    // A stream played once may have ended by itself.
    if (d.playing != 0 && !Mix_PlayingMusic()) return 0;
    return d.playing;
}

bool SdlAudio::HookOutput(OutputFeed feed, void* user) {
    Impl& d = *impl_;
    if (!d.open || !feed) return false;
    Mix_HookMusic(feed, user);
    d.hooked = true;
    return true;
}

void SdlAudio::UnhookOutput() {
    Impl& d = *impl_;
    if (!d.open || !d.hooked) return;
    // Mix_HookMusic takes the audio lock: when it returns, the old feed has finished its last call.
    Mix_HookMusic(nullptr, nullptr);
    d.hooked = false;
}

bool SdlAudio::OutputHooked() const {
    return impl_->open && impl_->hooked;
}

}  // namespace platform
