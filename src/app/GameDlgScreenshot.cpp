// The main window's screenshots: the picture on show saved as a PNG named by the date and time.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/GameDlg.h"
#include "platform/GameFolders.h"
#include "platform/Platform.h"

namespace {
const char kFolder[] = "screenshots";
// Screenshots taken within one second get a number after the time; past this many something is wrong.
constexpr int kMaxPerSecond = 1000;
}  // namespace

bool CGameDlg::TakeScreenshot() {
    platform::Services& services = platform::Current();
    if (!drawTarget || !services.images || !services.clock) return false;
    const std::string folder = platform::UserDataPath(kFolder);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const platform::LocalTime t = services.clock->Now();
    char stem[64];
    std::snprintf(stem, sizeof(stem), "kolvenbrook-%04d-%02d-%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    // The back buffer holds the frame shown last until the next frame draws.
    for (int n = 1; n <= kMaxPerSecond; ++n) {
        const std::string path = folder + "/" + stem + (n == 1 ? "" : "-" + std::to_string(n)) + ".png";
        if (std::filesystem::exists(path, error)) continue;
        if (!services.images->WritePng(path, *drawTarget)) break;
        lastScreenshot = path;
        return true;
    }
    std::fprintf(stderr, "Kolvenbrook 3D: the screenshot could not be saved in %s\n", folder.c_str());
    return false;
}
