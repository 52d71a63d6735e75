// Shared test scaffolding: a temporary game folder and the headless platform services.
#pragma once

#include <sys/types.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/headless/HeadlessDisplay.h"
#include "platform/headless/RecordingAudio.h"
#include "platform/headless/RecordingMessageBox.h"
#include "platform/headless/RecordingVideo.h"
#include "platform/headless/ScriptedEvents.h"
#include "platform/headless/VirtualClock.h"

namespace testing_support {

// Makes an empty folder under /tmp and makes it the working directory; puts everything back
// when it goes.
class TempGameFolder {
public:
    TempGameFolder();
    ~TempGameFolder();
    TempGameFolder(const TempGameFolder&) = delete;
    TempGameFolder& operator=(const TempGameFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Writes a file (a path with '/' below the folder; folders are made as needed).
    void Write(const std::string& relativePath, const std::string& bytes) const;
    bool Exists(const std::string& relativePath) const;
    std::string Read(const std::string& relativePath) const;

private:
    std::string path_;
    std::string previous_;
};

// Installs the windowless services (virtual clock, scripted keys, recorded message boxes,
// headless display, recorded audio and video, real PNG decoding and text) for one test.
class HeadlessServices {
public:
    HeadlessServices();
    ~HeadlessServices();
    HeadlessServices(const HeadlessServices&) = delete;
    HeadlessServices& operator=(const HeadlessServices&) = delete;

    platform::VirtualClock clock;
    platform::ScriptedEvents events;
    platform::RecordingMessageBox messageBox;
    platform::HeadlessDisplay display;
    platform::RecordingAudio audio;
    platform::RecordingVideo video;

private:
    std::unique_ptr<platform::IImageDecoder> images_;
    std::unique_ptr<platform::ITextRenderer> text_;
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
