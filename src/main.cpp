// kolvenbrook: starts the game in its window from the folder that holds the executable.
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/GameApp.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/sdl/FfmpegVideoPlayer.h"
#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlEvents.h"
#include "platform/sdl/SdlImageDecoder.h"
#include "platform/sdl/SdlMessageBox.h"
#include "platform/sdl/SdlTextRenderer.h"

namespace {

// The option hook for "--level N" (a new game straight in level N, for trying a level). Other arguments
// are left alone, as before. False, after a message, when the level number is not one the game has.
bool ReadStartLevel(int argc, char** argv, int32_t& level) {
    level = -1;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) != "--level") continue;
        const std::string value = i + 1 < argc ? argv[i + 1] : "";
        if (value.size() != 1 || value[0] < '0' || value[0] > '7') {
            std::fprintf(stderr, "usage: kolvenbrook [--level N]   (N = 0..7: a new game straight in that level)\n");
            return false;
        }
        level = value[0] - '0';
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int32_t startLevel = -1;
    if (!ReadStartLevel(argc, argv, startLevel)) return 2;

    // Config.dat, the save slots and the best scores live beside the executable, with the data.
    const std::string folder = platform::ExecutableFolder();
    if (folder.empty() || !platform::ChangeToFolder(folder)) {
        std::fprintf(stderr, "Kolvenbrook 3D: cannot enter the game folder '%s'\n", folder.c_str());
        return 1;
    }
    platform::RemoveStaleTempFiles(".");

    platform::SdlClock clock;
    platform::SdlDisplay display;
    platform::SdlEvents events(&display);
    platform::SdlMessageBox messageBox(&display);
    platform::SdlImageDecoder images;
    platform::SdlTextRenderer text;
    platform::SdlAudio audio;
    platform::FfmpegVideoPlayer video(&display, &audio);

    platform::Services& services = platform::Current();
    services.clock = &clock;
    services.events = &events;
    services.messageBox = &messageBox;
    services.display = &display;
    services.images = &images;
    services.text = &text;
    services.audio = &audio;
    services.video = &video;

    int result = 0;
    {
        CGameApp app;
        app.window.startLevel = startLevel;
        app.InitInstance();
        if (!app.window.drawTarget) {
            // Without a picture there is no game to play: stop after the message.
            std::fprintf(stderr, "Kolvenbrook 3D: no display (%s); the game needs a graphical session\n",
                         display.LastError().c_str());
            app.window.OnDestroy();
            result = 1;
        } else {
            result = app.Run();
        }
    }
    services = platform::Services{};
    return result;
}
