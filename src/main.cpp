// kolvenbrook: starts the game in its window from the folder that holds the executable.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>

#include "app/GameApp.h"
#include "core/Language.h"
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

int main(int argc, char** argv) {
    CLI::App cli{"Kolvenbrook 3D"};
    std::string languageCode;
    cli.add_option("--lang", languageCode, "language of the game: pl or en (default: settings.ini, else the locale)")
        ->check(CLI::IsMember({"pl", "en"}, CLI::ignore_case));
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // --help ends well; a bad option ends as a usage error.
        return cli.exit(error) == 0 ? 0 : 2;
    }

    // Config.dat, the save slots and the best scores live beside the executable, with the data.
    const std::string folder = platform::ExecutableFolder();
    if (folder.empty() || !platform::ChangeToFolder(folder)) {
        std::fprintf(stderr, "Kolvenbrook 3D: cannot enter the game folder '%s'\n", folder.c_str());
        return 1;
    }
    platform::RemoveStaleTempFiles(".");
    std::optional<Language> fromCommandLine;
    if (Language chosen; ParseLanguageCode(languageCode, chosen)) fromCommandLine = chosen;
    SetLanguage(ChooseLanguage(fromCommandLine, "settings.ini"));

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
