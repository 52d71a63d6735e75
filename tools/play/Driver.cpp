// The headless driver: the real game on windowless backends, run by a script of commands.
#include "Driver.h"

#include <cstdlib>
#include <ostream>
#include <sstream>

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
        {"SHIFT", 16}, {"RETURN", 13}, {"ESCAPE", 27}, {"BACKSPACE", 8},
    };
    for (const auto& key : kKeys) {
        if (name == key.name) return key.vk;
    }
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return name[0];
    return -1;
}

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
