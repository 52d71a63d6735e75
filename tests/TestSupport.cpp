// Shared test scaffolding: a temporary game folder and the headless platform services.
#include "TestSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/sdl/PngWriter.h"
#include "platform/sdl/SdlImageDecoder.h"
#include "platform/sdl/SdlTextRenderer.h"

namespace testing_support {

TempGameFolder::TempGameFolder() {
    char cwd[4096];
    if (!::getcwd(cwd, sizeof(cwd))) throw std::runtime_error("getcwd");
    previous_ = cwd;
    char pattern[] = "/tmp/kvbtest-XXXXXX";
    if (!::mkdtemp(pattern)) throw std::runtime_error("mkdtemp");
    path_ = pattern;
    if (::chdir(path_.c_str()) != 0) throw std::runtime_error("chdir");
}

TempGameFolder::~TempGameFolder() {
    if (::chdir(previous_.c_str()) != 0) std::abort();
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempGameFolder::Write(const std::string& relativePath, const std::string& bytes) const {
    const std::filesystem::path full = std::filesystem::path(path_) / relativePath;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool TempGameFolder::Exists(const std::string& relativePath) const {
    return std::filesystem::exists(std::filesystem::path(path_) / relativePath);
}

std::string TempGameFolder::Read(const std::string& relativePath) const {
    std::ifstream in(std::filesystem::path(path_) / relativePath, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

HeadlessServices::HeadlessServices() {
    images_ = std::make_unique<platform::SdlImageDecoder>();
    text_ = std::make_unique<platform::SdlTextRenderer>();
    messageBox.printToStderr = false;
    platform::Services& services = platform::Current();
    services.clock = &clock;
    services.events = &events;
    services.messageBox = &messageBox;
    services.display = &display;
    services.images = images_.get();
    services.text = text_.get();
    services.audio = &audio;
    services.video = &video;
}

HeadlessServices::~HeadlessServices() { platform::Current() = platform::Services{}; }

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
