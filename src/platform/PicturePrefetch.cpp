// Decoding a known list of pictures on worker threads while the main thread builds what needs them.
#include "platform/PicturePrefetch.h"

#include <algorithm>

#include "platform/Files.h"
#include "platform/Platform.h"

namespace platform {
namespace {

PicturePrefetch* active = nullptr;

}  // namespace

PicturePrefetch::PicturePrefetch(std::vector<std::string> gamePaths) : decoder_(Current().images) {
    if (active || !decoder_ || gamePaths.empty()) return;
    entries_.resize(gamePaths.size());
    for (size_t i = 0; i < gamePaths.size(); ++i) entries_[i].gamePath = std::move(gamePaths[i]);
    active = this;
    const int workers = WorkerCount(entries_.size());
    for (int i = 0; i < workers; ++i) workers_.emplace_back(&PicturePrefetch::Work, this);
}

PicturePrefetch::~PicturePrefetch() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // What no worker has started is not wanted any more.
        nextWaiting_ = entries_.size();
    }
    for (std::thread& worker : workers_) worker.join();
    if (active == this) active = nullptr;
}

PicturePrefetch* PicturePrefetch::Active() {
    return active;
}

int PicturePrefetch::WorkerCount(size_t pictures) {
    // The main thread makes surfaces meanwhile and decodes what it reaches first, so one worker per
    // processor is enough; more only fight over the processors.
    const unsigned processors = std::max(1u, std::thread::hardware_concurrency());
    return static_cast<int>(std::min<size_t>({pictures, processors, 4}));
}

int PicturePrefetch::ClaimNext() {
    while (nextWaiting_ < entries_.size() && entries_[nextWaiting_].state != State::Waiting) ++nextWaiting_;
    if (nextWaiting_ >= entries_.size()) return -1;
    entries_[nextWaiting_].state = State::Decoding;
    return static_cast<int>(nextWaiting_++);
}

void PicturePrefetch::Decode(Entry& entry) {
    entry.decoded = decoder_->DecodePng(ResolveGamePath(entry.gamePath), entry.image);
}

void PicturePrefetch::Work() {
    for (;;) {
        int index = -1;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            index = ClaimNext();
        }
        if (index < 0) {
            if (decoder_) decoder_->ThreadEnds();
            return;
        }
        Entry& entry = entries_[static_cast<size_t>(index)];
        Decode(entry);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            entry.state = State::Done;
        }
        done_.notify_all();
    }
}

bool PicturePrefetch::Take(const std::string& gamePath, Image& out, bool& decoded) {
    std::unique_lock<std::mutex> lock(mutex_);
    // Pictures are asked for in about the order they were listed: look from the first one not handed over.
    Entry* found = nullptr;
    for (Entry& entry : entries_) {
        if (entry.state != State::Taken && entry.gamePath == gamePath) {
            found = &entry;
            break;
        }
    }
    if (!found) return false;
    if (found->state == State::Waiting) {
        // Needed now and no worker on it yet: decoding it here is quicker than waiting.
        found->state = State::Decoding;
        lock.unlock();
        Decode(*found);
        lock.lock();
        found->state = State::Done;
    }
    done_.wait(lock, [&] { return found->state == State::Done; });
    found->state = State::Taken;
    decoded = found->decoded;
    if (decoded) out = std::move(found->image);
    found->image = Image{};
    return true;
}

}  // namespace platform
