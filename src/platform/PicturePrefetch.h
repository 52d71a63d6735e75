// Decoding a known list of pictures on worker threads while the main thread builds what needs them.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/Image.h"

namespace platform {

// While one of these lives, DecodeGamePicture hands over a listed picture decoded ahead (waiting for it
// if a worker is still on it) instead of decoding it again; a picture not listed, or asked for more often
// than listed, is decoded as always. Every result (a failure too) is the one the decoder gives, so what is
// made from the pictures, and every message about them, stays as without the workers. The decoder must be
// safe to call from several threads. Made and ended on the main thread; one at a time.
class PicturePrefetch {
public:
    // Starts decoding gamePaths (backslash game paths) in their order with the current image decoder.
    explicit PicturePrefetch(std::vector<std::string> gamePaths);
    // Waits for the workers and drops the pictures nobody asked for.
    ~PicturePrefetch();
    PicturePrefetch(const PicturePrefetch&) = delete;
    PicturePrefetch& operator=(const PicturePrefetch&) = delete;

    // The prefetch in force on this thread's behalf, or null.
    static PicturePrefetch* Active();
    // The decoded picture of gamePath if it was listed and not yet handed over: true with `decoded` set
    // to what decoding returned. False when the path is not (or no longer) on the list.
    bool Take(const std::string& gamePath, Image& out, bool& decoded);

    // Worker threads for a list of this many pictures on this machine.
    static int WorkerCount(size_t pictures);

private:
    enum class State { Waiting, Decoding, Done, Taken };
    struct Entry {
        std::string gamePath;
        State state = State::Waiting;
        bool decoded = false;
        Image image;
    };

    void Work();
    // Claims the next waiting entry (under the lock); -1 when none is left.
    int ClaimNext();
    void Decode(Entry& entry);

    IImageDecoder* decoder_ = nullptr;
    std::mutex mutex_;
    std::condition_variable done_;
    std::vector<Entry> entries_;
    size_t nextWaiting_ = 0;
    std::vector<std::thread> workers_;
};

}  // namespace platform
