// Reads and decodes one video file with FFmpeg into the pictures and sound a player shows.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

// How far a video has come.
enum class VideoState { Stopped, Opening, Playing, Ended, Failed };

// Nanoseconds on the steady clock.
inline int64_t SteadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// What the game thread, the decoding worker and the audio thread share about one video.
struct DecodedVideo {
    // Pictures decoded ahead of time; more are allowed while the sound runs dry, since the file's
    // interleaving may put the sound further ahead than the pictures.
    static constexpr size_t kPicturesAhead = 6;
    static constexpr size_t kPicturesAheadForSound = 24;

    struct Picture {
        double pts = 0;
        std::vector<uint32_t> pixels;
    };
    struct Sound {
        double pts = 0;
        std::vector<int16_t> samples;  // interleaved
        size_t offset = 0;             // frames already played
    };

    std::string path;
    int outRate = 0;      // 0: no sound device
    int outChannels = 0;  // 0: no sound device
    std::atomic<bool> stop{false};
    // Steady-clock time at which the video's time 0 was; 0 until the game first shows the open video.
    std::atomic<int64_t> startNs{0};
    std::atomic<int64_t> soundFramesPlayed{0};

    // Everything below is guarded by m.
    std::mutex m;
    std::condition_variable cv;
    VideoState state = VideoState::Opening;
    bool decodingDone = false;
    int width = 0;
    int height = 0;
    std::deque<Picture> pictures;
    std::vector<std::vector<uint32_t>> spare;  // picture buffers for reuse
    bool hasSound = false;
    std::deque<Sound> sound;
    size_t soundFramesQueued = 0;

    double Now() const {
        const int64_t start = startNs.load();
        return start == 0 ? -1.0 : static_cast<double>(SteadyNs() - start) / 1e9;
    }
};

// Opens the file of video.path and decodes it into the queues until the end, a failure or video.stop;
// the state tells which. Runs on the worker thread; never throws.
void DecodeVideoFile(std::shared_ptr<DecodedVideo> video);

// Keeps FFmpeg's own log to errors.
void QuietFfmpegLog();

}  // namespace platform
