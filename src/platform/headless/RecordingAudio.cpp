// Recorded audio calls.
#include "platform/headless/RecordingAudio.h"

#include <sys/stat.h>

namespace platform {

IAudio::Handle RecordingAudio::Add(const std::string& realPath, bool isStream) {
    struct stat st;
    if (::stat(realPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
    loaded.push_back({realPath, isStream});
    return static_cast<Handle>(loaded.size());
}

IAudio::Handle RecordingAudio::LoadSample(const std::string& realPath, int) {
    return Add(realPath, false);
}
IAudio::Handle RecordingAudio::LoadStream(const std::string& realPath) {
    return Add(realPath, true);
}

void RecordingAudio::PlaySample(Handle sample) {
    if (sample == 0 || sample > loaded.size()) return;
    calls.push_back("sample:" + loaded[sample - 1].path);
}

void RecordingAudio::PlayStream(Handle stream, bool) {
    if (stream == 0 || stream > loaded.size()) return;
    calls.push_back("play:" + loaded[stream - 1].path);
    playingStream = stream;
}

void RecordingAudio::StopStream(Handle stream) {
    if (stream == 0 || stream > loaded.size()) return;
    calls.push_back("stop:" + loaded[stream - 1].path);
    if (playingStream == stream) playingStream = 0;
}

void RecordingAudio::SetPaused(bool pause) {
    calls.push_back(pause ? "pause" : "resume");
    paused = pause;
}

void RecordingAudio::FreeAll() {
    freed = true;
    playingStream = 0;
}

}  // namespace platform
