// Shared test scaffolding: environment variables, a private X server and PNG bytes.
#include "TestSupport.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/sdl/PngWriter.h"

namespace testing_support {

EnvGuard::~EnvGuard() {
    for (auto& [name, value] : saved_) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
}

void EnvGuard::Set(const std::string& name, const char* value) {
    if (!saved_.count(name)) {
        const char* old = std::getenv(name.c_str());
        saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) {
        setenv(name.c_str(), value, 1);
    } else {
        unsetenv(name.c_str());
    }
}

XvfbServer::XvfbServer(int width, int height) {
    if (system("command -v Xvfb >/dev/null 2>&1") != 0) return;
    for (int number = 90 + static_cast<int>(getpid() % 50); number < 190; ++number) {
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
        const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
        struct stat st;
        if (stat(socket.c_str(), &st) == 0 || stat(lock.c_str(), &st) == 0) continue;
        const std::string display = ":" + std::to_string(number);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        pid_ = fork();
        if (pid_ == 0) {
            freopen("/dev/null", "w", stderr);
            execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        if (pid_ < 0) return;
        // Another test may have taken the same number a moment ago: then our server quits and we move on.
        bool exited = false;
        for (int i = 0; i < 100 && !exited && stat(socket.c_str(), &st) != 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            exited = waitpid(pid_, nullptr, WNOHANG) == pid_;
        }
        if (!exited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            exited = waitpid(pid_, nullptr, WNOHANG) == pid_;
        }
        if (exited) {
            pid_ = -1;
            continue;
        }
        if (stat(socket.c_str(), &st) == 0) display_ = display;
        return;
    }
}

XvfbServer::~XvfbServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

std::string SolidPng(int width, int height, uint32_t rgb) {
    std::unique_ptr<platform::Surface> surface = platform::Surface::Create(width, height);
    surface->Fill(rgb);
    char pattern[] = "/tmp/kvbpng-XXXXXX";
    const int fd = ::mkstemp(pattern);
    if (fd < 0) throw std::runtime_error("mkstemp");
    ::close(fd);
    const std::string path = std::string(pattern) + ".png";
    std::rename(pattern, path.c_str());
    platform::SavePng(path, *surface);
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::remove(path.c_str());
    return bytes.str();
}

}  // namespace testing_support
