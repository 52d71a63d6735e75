// Full-screen videos: the decoding worker, the pictures due on screen and the sound fed to the mixer.
#include "platform/sdl/FfmpegVideoPlayer.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "platform/sdl/SdlAudio.h"

namespace platform {
namespace {

using State = FfmpegVideoPlayer::State;

// Sound further behind the clock than this is skipped; sound further ahead waits.
constexpr double kSoundLate = 0.12;
constexpr double kSoundEarly = 0.12;
// Pictures further apart than this mean broken time stamps.
constexpr double kLargestGap = 1.0;
// The picture is shown again now and then, in case something else was drawn over the window.
constexpr int64_t kRepresentNs = 100'000'000;

// Fills the audio device's buffer with the sound due now (called on the audio thread).
void FeedSound(void* user, uint8_t* stream, int bytes) {
    auto& s = *static_cast<DecodedVideo*>(user);
    std::memset(stream, 0, static_cast<size_t>(bytes));
    const int channels = s.outChannels;
    const double now = s.Now();
    if (channels <= 0 || now < 0) return;
    auto* out = reinterpret_cast<int16_t*>(stream);
    const size_t wanted = static_cast<size_t>(bytes) / (sizeof(int16_t) * channels);
    const double rate = s.outRate;
    size_t written = 0;
    {
        std::lock_guard<std::mutex> lock(s.m);
        while (written < wanted && !s.sound.empty()) {
            DecodedVideo::Sound& chunk = s.sound.front();
            const size_t frames = chunk.samples.size() / channels;
            if (chunk.offset >= frames) {
                s.sound.pop_front();
                continue;
            }
            const double pos = chunk.pts + static_cast<double>(chunk.offset) / rate;
            const double at = now + static_cast<double>(written) / rate;
            if (pos < at - kSoundLate) {
                // Behind the pictures (the game stalled or the sound came late): catch up.
                const size_t skip = std::min(frames - chunk.offset, static_cast<size_t>((at - pos) * rate) + 1);
                chunk.offset += skip;
                s.soundFramesQueued -= std::min(s.soundFramesQueued, skip);
                continue;
            }
            if (pos > at + kSoundEarly) break;  // a gap in the sound track: silence until it is due
            const size_t n = std::min(frames - chunk.offset, wanted - written);
            std::memcpy(out + written * channels, chunk.samples.data() + chunk.offset * channels,
                        n * channels * sizeof(int16_t));
            chunk.offset += n;
            written += n;
            s.soundFramesQueued -= std::min(s.soundFramesQueued, n);
        }
    }
    s.soundFramesPlayed += static_cast<int64_t>(written);
    s.cv.notify_all();
}

}  // namespace

FfmpegVideoPlayer::FfmpegVideoPlayer(IDisplay* display, SdlAudio* audio) : display_(display), audio_(audio) {
    QuietFfmpegLog();
}

FfmpegVideoPlayer::~FfmpegVideoPlayer() {
    Stop();
}

void FfmpegVideoPlayer::Play(const std::string& realPath) {
    Stop();
    framesShown_ = 0;
    auto shared = std::make_shared<DecodedVideo>();
    shared->path = realPath;
    if (audio_ && audio_->IsOpen() && audio_->OutputRate() > 0 && audio_->OutputChannels() > 0) {
        shared->outRate = audio_->OutputRate();
        shared->outChannels = audio_->OutputChannels();
    }
    shared_ = shared;
    // Only plain files: a pipe or device could block the worker where Stop cannot interrupt it.
    struct stat st;
    if (::stat(realPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        std::lock_guard<std::mutex> lock(shared->m);
        shared->state = State::Failed;
        return;
    }
    try {
        worker_ = std::thread(DecodeVideoFile, shared);
    } catch (...) {
        std::lock_guard<std::mutex> lock(shared->m);
        shared->state = State::Failed;
        return;
    }
}

void FfmpegVideoPlayer::Stop() {
    if (hooked_) audio_->UnhookOutput();
    hooked_ = false;
    if (shared_) {
        shared_->stop = true;
        shared_->cv.notify_all();
    }
    if (worker_.joinable()) worker_.join();
    shared_.reset();
    picture_.reset();
}

void FfmpegVideoPlayer::KeepVisible() {
    if (!shared_ || !display_) return;
    DecodedVideo& s = *shared_;
    std::vector<uint32_t> due;
    int width = 0;
    int height = 0;
    bool startSound = false;
    {
        std::lock_guard<std::mutex> lock(s.m);
        if (s.state != State::Playing) return;
        // The video's time starts when it is first on screen, so a slow start-up skips nothing.
        if (s.startNs.load() == 0) {
            s.startNs = SteadyNs();
            startSound = s.hasSound;
        }
        double now = s.Now();
        if (!s.pictures.empty()) {
            // A damaged time stamp far ahead would freeze the picture for good: the clock jumps over the gap.
            const double ahead = s.pictures.front().pts - now;
            if (ahead > kLargestGap && (s.pictures.size() >= DecodedVideo::kPicturesAhead || s.decodingDone)) {
                s.startNs -= static_cast<int64_t>(ahead * 1e9);
                now = s.Now();
            }
        }
        while (!s.pictures.empty() && s.pictures.front().pts <= now) {
            if (!due.empty()) s.spare.push_back(std::move(due));
            due = std::move(s.pictures.front().pixels);
            s.pictures.pop_front();
        }
        width = s.width;
        height = s.height;
    }
    // A sound track takes the music's place until Stop; a silent video leaves the music alone.
    if (startSound && audio_) hooked_ = audio_->HookOutput(FeedSound, shared_.get());
    const int64_t nowNs = SteadyNs();
    if (!due.empty()) {
        s.cv.notify_all();
        if (!picture_ || picture_->Width() != width || picture_->Height() != height) {
            picture_ = Surface::Create(width, height);
        }
        if (picture_ && due.size() == static_cast<size_t>(width) * height) {
            std::memcpy(picture_->Pixels(), due.data(), due.size() * sizeof(uint32_t));
            display_->PresentPicture(*picture_);
            lastPresentNs_ = nowNs;
            ++framesShown_;
        }
        std::lock_guard<std::mutex> lock(s.m);
        s.spare.push_back(std::move(due));
        return;
    }
    if (picture_ && nowNs - lastPresentNs_ >= kRepresentNs) {
        display_->PresentPicture(*picture_);
        lastPresentNs_ = nowNs;
    }
}

FfmpegVideoPlayer::State FfmpegVideoPlayer::CurrentState() const {
    if (!shared_) return State::Stopped;
    std::lock_guard<std::mutex> lock(shared_->m);
    if (shared_->state == State::Playing && shared_->decodingDone && shared_->pictures.empty()) return State::Ended;
    return shared_->state;
}

int64_t FfmpegVideoPlayer::SoundFramesPlayed() const {
    return shared_ ? shared_->soundFramesPlayed.load() : 0;
}

int FfmpegVideoPlayer::PictureWidth() const {
    if (!shared_) return 0;
    std::lock_guard<std::mutex> lock(shared_->m);
    return shared_->width;
}

int FfmpegVideoPlayer::PictureHeight() const {
    if (!shared_) return 0;
    std::lock_guard<std::mutex> lock(shared_->m);
    return shared_->height;
}

}  // namespace platform
