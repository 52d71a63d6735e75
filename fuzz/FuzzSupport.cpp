// Shared set-up of the fuzz targets: a private game folder and the windowless platform services.
#include "FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/GameDlg.h"
#include "core/GameGlobals.h"
#include "platform/Platform.h"
#include "platform/Surface.h"
#include "platform/headless/HeadlessDisplay.h"
#include "platform/headless/RecordingAudio.h"
#include "platform/headless/RecordingMessageBox.h"
#include "platform/headless/RecordingVideo.h"
#include "platform/headless/ScriptedEvents.h"
#include "platform/headless/VirtualClock.h"
#include "platform/sdl/PngWriter.h"
#include "platform/sdl/SdlImageDecoder.h"

namespace fuzz_support {

namespace {

// Lives for the whole process: the fuzzer calls the target until it exits.
struct Environment {
    platform::VirtualClock clock;
    platform::ScriptedEvents events;
    platform::RecordingMessageBox messageBox;
    platform::HeadlessDisplay display;
    platform::RecordingAudio audio;
    platform::RecordingVideo video;
    platform::SdlImageDecoder images;
    std::string folder;
};

Environment* environment = nullptr;

void RemoveFolder() {
    if (!environment) return;
    // Leave the folder before removing it; the root is always there.
    if (::chdir("/") != 0) return;
    std::error_code ignored;
    std::filesystem::remove_all(environment->folder, ignored);
}

std::filesystem::path FullPath(const std::string& relativePath) {
    return std::filesystem::path(GameFolder()) / relativePath;
}

}  // namespace

void Prepare() {
    if (environment) return;
    environment = new Environment();
    // In memory where the system offers it: the game's crash-safe writes sync every file, which on
    // a disk would hold the fuzzer to a few runs a second.
    std::string pattern = std::filesystem::is_directory("/dev/shm") ? "/dev/shm/kvbfuzz-XXXXXX" : "/tmp/kvbfuzz-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    environment->folder = pattern;
    if (::chdir(pattern.c_str()) != 0) {
        std::perror("chdir");
        std::abort();
    }
    std::atexit(RemoveFolder);

    environment->messageBox.printToStderr = false;
    platform::Services& services = platform::Current();
    services.clock = &environment->clock;
    services.events = &environment->events;
    services.messageBox = &environment->messageBox;
    services.display = &environment->display;
    services.images = &environment->images;
    services.audio = &environment->audio;
    services.video = &environment->video;
}

void AdvanceClock(uint32_t ms) {
    Prepare();
    environment->clock.Advance(ms);
}

const std::string& GameFolder() {
    Prepare();
    return environment->folder;
}

void WriteGameFile(const std::string& relativePath, const uint8_t* data, size_t size) {
    const std::filesystem::path full = FullPath(relativePath);
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Require(out.good(), "the fuzz input could not be written to the game folder");
}

void WriteGameFile(const std::string& relativePath, const std::string& bytes) {
    WriteGameFile(relativePath, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void RemoveGameFile(const std::string& relativePath) {
    std::error_code ignored;
    std::filesystem::remove(FullPath(relativePath), ignored);
}

bool ReadGameFile(const std::string& relativePath, std::string& bytes) {
    std::ifstream in(FullPath(relativePath), std::ios::binary);
    if (!in.is_open()) return false;
    std::stringstream text;
    text << in.rdbuf();
    bytes = text.str();
    return true;
}

void WritePicture(const std::string& relativePath, int width, int height, uint32_t rgb) {
    std::unique_ptr<platform::Surface> surface = platform::Surface::Create(width, height);
    Require(surface != nullptr, "a fixture picture could not be made");
    surface->Fill(rgb);
    const std::filesystem::path full = FullPath(relativePath);
    std::filesystem::create_directories(full.parent_path());
    Require(platform::SavePng(full.string(), *surface), "a fixture picture could not be written");
}

size_t TakeMessageCount() {
    Prepare();
    const size_t count = environment->messageBox.shown.size();
    // A fresh recorder: the old one also counts what it handed out before.
    environment->messageBox = platform::RecordingMessageBox();
    environment->messageBox.printToStderr = false;
    return count;
}

BareWindow::BareWindow() : window_(std::make_unique<CGameDlg>()) {
    Prepare();
    // Only the draw target of an opened headless display is needed; the window is never started.
    if (!environment->display.BackBuffer()) environment->display.Open(800, 600, "fuzz");
    window_->directDraw = &environment->display;
    window_->drawTarget = environment->display.BackBuffer();
    window_->destroyed = true;
    GameGlobals::mainWindow = window_.get();
}

BareWindow::~BareWindow() {
    if (GameGlobals::mainWindow == window_.get()) GameGlobals::mainWindow = nullptr;
}

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz property broken: %s\n", what);
    std::abort();
}

}  // namespace fuzz_support

// libFuzzer reads its corpus folders and writes what it finds after the target has moved into the game
// folder, so paths it was given relative to where it started are made absolute before it reads them.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::vector<std::string> texts;
    static std::vector<char*> pointers;
    static const char* const kPathFlags[] = {
        "-artifact_prefix=", "-exact_artifact_path=", "-dict=", "-merge_control_file="};
    texts.reserve(static_cast<size_t>(*argc));
    for (int i = 0; i < *argc; ++i) {
        std::string argument = (*argv)[i];
        if (i > 0 && !argument.empty() && argument[0] != '-') {
            argument = std::filesystem::absolute(argument).string();
        } else {
            for (const char* flag : kPathFlags) {
                const std::string prefix = flag;
                if (argument.compare(0, prefix.size(), prefix) != 0 || argument.size() == prefix.size()) continue;
                argument = prefix + std::filesystem::absolute(argument.substr(prefix.size())).string();
                break;
            }
        }
        texts.push_back(argument);
    }
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    *argv = pointers.data();
    return 0;
}
