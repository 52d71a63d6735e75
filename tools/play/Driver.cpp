// The headless driver: the real game on windowless backends, run by a script of commands.
#include "Driver.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <sstream>

#include "StateJson.h"
#include "core/GameGlobals.h"
#include "media/SpriteFont.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/sdl/PngWriter.h"
#include "platform/sdl/SdlImageDecoder.h"
#include "platform/sdl/SdlTextRenderer.h"

int KeyCodeFromName(const std::string& name) {
    static const struct {
        const char* name;
        int vk;
    } kKeys[] = {
        {"LEFT", 37},  {"RIGHT", 39},  {"UP", 38},     {"DOWN", 40},     {"SPACE", 32},
        {"SHIFT", 16}, {"RETURN", 13}, {"ESCAPE", 27}, {"BACKSPACE", 8}, {"PAUSE", 19},
    };
    for (const auto& key : kKeys) {
        if (name == key.name) return key.vk;
    }
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F' && name[1] >= '1' && name[1] <= '9') {
        const int n = std::atoi(name.c_str() + 1);
        if (n >= 1 && n <= 12 && std::to_string(n) == name.substr(1)) return platform::VK_F1 + n - 1;
    }
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return name[0];
    return -1;
}

namespace {

// A "Name:   N kB" line of /proc/self/status, in kB; -1 when there is none.
long StatusKb(const char* name) {
    long kb = -1;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        const size_t length = std::strlen(name);
        while (std::fgets(line, sizeof(line), status)) {
            if (std::strncmp(line, name, length) == 0 && line[length] == ':') {
                kb = std::strtol(line + length + 1, nullptr, 10);
                break;
            }
        }
        std::fclose(status);
    }
    return kb;
}

// {"rss_kb":N,"anon_kb":A,"heap_kb":M}: the resident memory of the whole process once the allocator has
// handed back what it could (so that memory merely kept for reuse does not count), the part of it that is
// the program's own (not pages of files such as the libraries, which the system may drop and read again at
// any time), and the heap the program holds.
std::string MemoryJson() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
    play::Json json = {{"rss_kb", StatusKb("VmRSS")}, {"anon_kb", StatusKb("RssAnon")}};
#if defined(__GLIBC__)
    const struct mallinfo2 heap = mallinfo2();
    json["heap_kb"] = static_cast<std::int64_t>((heap.uordblks + heap.hblkhd) / 1024);
#endif
    return json.dump();
}

}  // namespace

Driver::Driver(std::ostream& out) : out_(out) {
    images_ = std::make_unique<platform::SdlImageDecoder>();
    text_ = std::make_unique<platform::SdlTextRenderer>();
    platform::Services& services = platform::Current();
    services.clock = &clock_;
    services.events = &events_;
    services.messageBox = &messageBox_;
    services.display = &display_;
    services.images = images_.get();
    services.text = text_.get();
    services.audio = &audio_;
    services.video = &video_;
    // A missing or broken film fails as it does in the game's window.
    video_.judgeFiles = true;
}

Driver::~Driver() {
    Stop();
    app_.reset();
    platform::Current() = platform::Services{};
}

void Driver::Start(int32_t startLevel) {
    app_ = std::make_unique<CGameApp>();
    app_->window.startLevel = startLevel;
    app_->InitInstance();
}

void Driver::RunFrame() {
    if (finished || !app_) return;
    clock_.Advance(kFrameMs);
    if (!app_->PumpEvents()) {
        finished = true;
        return;
    }
    drawnTexts_.clear();
    if (GameGlobals::font) GameGlobals::font->drawnTexts = &drawnTexts_;
    app_->window.RunFrame();
    if (app_->window.quitPosted) finished = true;
}

void Driver::Stop() {
    if (app_ && !app_->window.destroyed) app_->window.OnDestroy();
    finished = true;
}

bool Driver::Execute(const std::string& line, std::string& error) {
    std::istringstream words(line);
    std::string command;
    if (!(words >> command)) return true;  // blank line
    if (command[0] == '#') return true;
    if (command == "pad") return ExecutePad(words, error);
    std::string argument;
    words >> argument;
    std::string extra;
    if (words >> extra) {
        error = "too many words";
        return false;
    }
    auto needKey = [&](int& vk) {
        vk = KeyCodeFromName(argument);
        if (vk < 0) error = "unknown key '" + argument + "'";
        return vk >= 0;
    };
    if (command == "frames") {
        char* end = nullptr;
        const long n = std::strtol(argument.c_str(), &end, 10);
        if (argument.empty() || *end != '\0' || n < 0 || n > 10000000) {
            error = "frames needs a count";
            return false;
        }
        for (long i = 0; i < n && !finished; ++i) RunFrame();
    } else if (command == "down" || command == "up") {
        int vk = 0;
        if (!needKey(vk)) return false;
        if (command == "down") {
            events_.KeyDown(vk);
        } else {
            events_.KeyUp(vk);
        }
    } else if (command == "press") {
        int vk = 0;
        if (!needKey(vk)) return false;
        events_.KeyDown(vk);
        RunFrame();
        events_.KeyUp(vk);
    } else if (command == "type") {
        if (argument.empty()) {
            error = "type needs a word";
            return false;
        }
        for (char c : argument) {
            const std::string key(1, static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
            const int vk = KeyCodeFromName(key);
            if (vk < 0 || key.size() != 1 || vk < 'A' || vk > 'Z') {
                error = "type takes letters only";
                return false;
            }
            events_.KeyDown(vk);
            RunFrame();
            events_.KeyUp(vk);
        }
    } else if (command == "shot") {
        if (argument.empty()) {
            error = "shot needs a file name";
            return false;
        }
        platform::Surface* back = display_.BackBuffer();
        if (!back || !platform::SavePng(argument, *back)) {
            error = "could not write " + argument;
            return false;
        }
    } else if (command == "focus") {
        if (argument != "lost" && argument != "gained") {
            error = "focus needs lost or gained";
            return false;
        }
        events_.Focus(argument == "gained");
    } else if (command == "pump") {
        // A batch of events between two frames, as a real event loop gets when keys come quickly.
        if (!argument.empty()) {
            error = "pump takes no argument";
            return false;
        }
        if (!finished && app_ && !app_->PumpEvents()) finished = true;
    } else if (command == "state") {
        if (!argument.empty()) {
            error = "state takes no argument";
            return false;
        }
        out_ << StateJson() << std::endl;
    } else if (command == "memory") {
        if (!argument.empty()) {
            error = "memory takes no argument";
            return false;
        }
        // The sounds recorded so far would count as the game's memory: they are dropped (a later state lists
        // only what plays after this).
        audio_.calls.clear();
        audioCallsReported_ = 0;
        out_ << MemoryJson() << std::endl;
    } else if (command == "replay" || command == "replaykeys") {
        return ExecuteReplay(command, argument, error);
    } else if (command == "quit") {
        if (!argument.empty()) {
            error = "quit takes no argument";
            return false;
        }
        Stop();
    } else {
        error = "unknown command '" + command + "'";
        return false;
    }
    return true;
}

bool Driver::ExecutePad(std::istringstream& words, std::string& error) {
    std::string action;
    std::string name;
    std::string value;
    std::string extra;
    words >> action >> name >> value;
    if (words >> extra) {
        error = "too many words";
        return false;
    }
    auto number = [&](const std::string& text, long low, long high, long& out) {
        char* end = nullptr;
        out = std::strtol(text.c_str(), &end, 10);
        return !text.empty() && *end == '\0' && out >= low && out <= high;
    };
    if (action == "add" || action == "remove") {
        long pad = 0;
        if (!number(name, 0, 1000000, pad) || !value.empty()) {
            error = "pad " + action + " needs a pad number";
            return false;
        }
        const auto found = std::find(padsConnected_.begin(), padsConnected_.end(), static_cast<int>(pad));
        if (action == "add") {
            events_.PadAdded(static_cast<int>(pad));
            if (found == padsConnected_.end()) padsConnected_.push_back(static_cast<int>(pad));
        } else {
            events_.PadRemoved(static_cast<int>(pad));
            if (found != padsConnected_.end()) padsConnected_.erase(found);
        }
        return true;
    }
    if (padsConnected_.empty()) {
        error = "no pad is connected (pad add N)";
        return false;
    }
    // Buttons and sticks are those of the pad connected last.
    const int pad = padsConnected_.back();
    if (action == "axis") {
        platform::PadAxis axis;
        long position = 0;
        if (!platform::PadAxisFromName(name, axis) || !number(value, -32768, 32767, position)) {
            error = "pad axis needs leftx or lefty and a position from -32768 to 32767";
            return false;
        }
        events_.PadAxis(pad, axis, static_cast<int>(position));
        return true;
    }
    platform::PadButton button;
    if ((action != "down" && action != "up" && action != "press") || !platform::PadButtonFromName(name, button) ||
        !value.empty()) {
        error = "pad needs add N, remove N, down|up|press BUTTON or axis AXIS VALUE";
        return false;
    }
    if (action != "up") events_.PadButton(pad, button, true);
    if (action == "press") RunFrame();
    if (action != "down") events_.PadButton(pad, button, false);
    return true;
}
