// Shared test scaffolding: a temporary game folder and the headless platform services.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/Platform.h"
#include "platform/headless/HeadlessDisplay.h"
#include "platform/headless/RecordingAudio.h"
#include "platform/headless/RecordingMessageBox.h"
#include "platform/headless/RecordingVideo.h"
#include "platform/headless/ScriptedEvents.h"
#include "platform/headless/VirtualClock.h"
#include "platform/sdl/SdlImageDecoder.h"
#include "platform/sdl/SdlTextRenderer.h"

namespace testing_support {

// An empty folder under /tmp that is the working directory while this object lives; it goes with it.
class TempGameFolder {
public:
    TempGameFolder() {
        char cwd[4096];
        char pattern[] = "/tmp/kvbtest-XXXXXX";
        if (!::getcwd(cwd, sizeof(cwd)) || !::mkdtemp(pattern)) throw std::runtime_error("no temporary folder");
        previous_ = cwd;
        path_ = pattern;
        if (::chdir(path_.c_str()) != 0) throw std::runtime_error("chdir");
    }
    ~TempGameFolder() {
        if (::chdir(previous_.c_str()) != 0) std::abort();
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempGameFolder(const TempGameFolder&) = delete;
    TempGameFolder& operator=(const TempGameFolder&) = delete;

    const std::string& Path() const { return path_; }
    bool ok() const { return !path_.empty(); }
    // Writes a file (a path with '/' below the folder; folders are made as needed).
    void Write(const std::string& relativePath, const std::string& bytes) const {
        const std::filesystem::path full = std::filesystem::path(path_) / relativePath;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary | std::ios::trunc) << bytes;
    }
    bool Exists(const std::string& relativePath) const {
        return std::filesystem::exists(std::filesystem::path(path_) / relativePath);
    }
    std::string Read(const std::string& relativePath) const {
        std::ifstream in(std::filesystem::path(path_) / relativePath, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    std::string path_;
    std::string previous_;
};

// Installs the windowless services (virtual clock, scripted keys, recorded message boxes, headless
// display, recorded audio and video, real PNG decoding and text) for one test.
class HeadlessServices {
public:
    HeadlessServices() {
        messageBox.printToStderr = false;
        platform::Services& s = platform::Current();
        s.clock = &clock;
        s.events = &events;
        s.messageBox = &messageBox;
        s.display = &display;
        s.images = &images;
        s.text = &text;
        s.audio = &audio;
        s.video = &video;
    }
    ~HeadlessServices() { platform::Current() = platform::Services{}; }
    HeadlessServices(const HeadlessServices&) = delete;
    HeadlessServices& operator=(const HeadlessServices&) = delete;

    platform::VirtualClock clock;
    platform::ScriptedEvents events;
    platform::RecordingMessageBox messageBox;
    platform::RecordingMessageBox& messages = messageBox;  // the level tests' name for it
    platform::HeadlessDisplay display;
    platform::SdlImageDecoder images;
    platform::SdlTextRenderer text;
    platform::RecordingAudio audio;
    platform::RecordingVideo video;
};

// Sets game-wide fields (GameGlobals) for one test and puts back what each held before: when the
// guard goes, or at Restore (the last field set goes back first). A field set twice goes back to
// what it held before the first time. The guard owns nothing the fields point to.
class GlobalsGuard {
public:
    GlobalsGuard() = default;
    ~GlobalsGuard() { Restore(); }
    GlobalsGuard(const GlobalsGuard&) = delete;
    GlobalsGuard& operator=(const GlobalsGuard&) = delete;

    template <typename T>
    void Set(T& field, std::type_identity_t<T> value) {
        const bool saved = std::any_of(saved_.begin(), saved_.end(), [&](const Saved& s) { return s.field == &field; });
        if (!saved) saved_.push_back({&field, [&field, before = field] { field = before; }});
        field = value;
    }
    void Restore() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) it->putBack();
        saved_.clear();
    }

private:
    struct Saved {
        const void* field;
        std::function<void()> putBack;
    };
    std::vector<Saved> saved_;
};

// Sets or removes environment variables for one test and puts them back afterwards.
class EnvGuard {
public:
    ~EnvGuard();
    void Set(const std::string& name, const char* value);

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

// Runs an X server of its own for the test's lifetime; Display() is empty when Xvfb is missing.
class XvfbServer {
public:
    XvfbServer(int width, int height);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// A 1x1 .. WxH PNG of one colour (0x00RRGGBB), as file bytes.
std::string SolidPng(int width, int height, uint32_t rgb);

}  // namespace testing_support
