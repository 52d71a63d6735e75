// kolvenbrook: reads the command line, finds the game's folders and starts the game in its window.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>

#include "app/GameApp.h"
#include "core/Language.h"
#include "platform/Files.h"
#include "platform/GameFolders.h"
#include "platform/Platform.h"
#include "platform/SilentAudio.h"
#include "platform/sdl/FfmpegVideoPlayer.h"
#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlEvents.h"
#include "platform/sdl/SdlImageDecoder.h"
#include "platform/sdl/SdlMessageBox.h"
#include "platform/sdl/SdlTextRenderer.h"
#include "platform/sdl/SdlWindowIcon.h"

#ifndef KVB_VERSION
#define KVB_VERSION "unknown"
#endif
#ifndef KVB_INSTALLED_DATA_FROM_BIN
#define KVB_INSTALLED_DATA_FROM_BIN "../share/kolvenbrook"
#endif

namespace {

const char kWindowIcon[] = "Icons\\kolvenbrook-64.png";

const char kFolders[] =
    "Folders:\n"
    "  When the executable's own folder holds the game data and can be written, every file lives\n"
    "  there (a portable game folder). Otherwise the data is read from " KVB_INSTALLED_DATA_FROM_BIN
    "\n"
    "  beside the executable, the options are kept in $XDG_CONFIG_HOME/kolvenbrook (~/.config/kolvenbrook)\n"
    "  and the saves and best scores in $XDG_DATA_HOME/kolvenbrook (~/.local/share/kolvenbrook), where a\n"
    "  data file with the game's own path (say LevelDescriptions/Level3.xml) takes the place of the\n"
    "  installed one.\n";

struct StartOptions {
    bool windowed = false;
    bool fullscreen = false;
    bool mute = false;
    std::string dataDir;
    std::string userDir;
    int startLevel = -1;
    std::string language;
};

// Returns -1 to go on, or the exit code: 0 after --help or --version, 2 after a bad command line.
int ParseCommandLine(int argc, char** argv, StartOptions& options) {
    CLI::App cli("Kolvenbrook 3D: a side-scrolling platform game with a caveman and his club.", "kolvenbrook");
    cli.set_version_flag("--version", "Kolvenbrook 3D " KVB_VERSION);
    auto* windowed = cli.add_flag("--windowed", options.windowed, "Start in an 800x600 window");
    auto* fullscreen = cli.add_flag("--fullscreen", options.fullscreen, "Start in full screen (the default)");
    windowed->excludes(fullscreen);
    cli.add_option("--data-dir", options.dataDir, "Read the game data from DIR")->type_name("DIR");
    cli.add_option("--user-dir", options.userDir, "Keep the options, saves, best scores and own levels in DIR")
        ->type_name("DIR");
    cli.add_flag("--mute", options.mute, "Play without any sound");
    cli.add_option("--lang", options.language,
                   "Language of the game: pl or en (default: settings.ini, else the locale)")
        ->check(CLI::IsMember({"pl", "en"}, CLI::ignore_case));
    cli.add_option("--level", options.startLevel, "Start a new game straight in level N, without intro or menu")
        ->type_name("N")
        ->check(CLI::Range(0, 7));
    cli.footer(kFolders);
    try {
        cli.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return cli.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return cli.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "kolvenbrook: " << e.what() << "\n\n" << cli.help();
        return 2;
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    platform::KeepFreedMemoryForReuse();
    StartOptions options;
    if (const int exitCode = ParseCommandLine(argc, argv, options); exitCode >= 0) return exitCode;
    // The window's start mode is the display's own setting; the command line only overrides it.
    if (options.windowed) ::setenv("KVB_WINDOWED", "1", 1);
    if (options.fullscreen) ::setenv("KVB_WINDOWED", "0", 1);

    platform::FolderRequest request = platform::RequestFromEnvironment(options.dataDir, options.userDir);
    request.installedDataFromExecutable = KVB_INSTALLED_DATA_FROM_BIN;
    platform::GameFolders folders;
    std::string error;
    if (!platform::ChooseGameFolders(request, folders, error)) {
        std::fprintf(stderr, "Kolvenbrook 3D: %s\n", error.c_str());
        return 1;
    }
    if (!platform::UseGameFolders(folders)) {
        std::fprintf(stderr, "Kolvenbrook 3D: cannot enter the game folder '%s'\n", folders.data.c_str());
        return 1;
    }
    // --lang, else the settings file beside Config.dat, else the locale.
    std::optional<Language> fromCommandLine;
    if (Language chosen; ParseLanguageCode(options.language, chosen)) fromCommandLine = chosen;
    SetLanguage(ChooseLanguage(fromCommandLine, platform::UserConfigPath("settings.ini")));

    platform::SdlClock clock;
    platform::SdlDisplay display;
    platform::SdlEvents events(&display);
    platform::SdlMessageBox messageBox(&display);
    platform::SdlImageDecoder images;
    platform::SdlTextRenderer text;
    std::unique_ptr<platform::SdlAudio> audio;
    platform::SilentAudio silence;
    if (!options.mute) audio = std::make_unique<platform::SdlAudio>();
    platform::FfmpegVideoPlayer video(&display, audio.get());

    platform::Services& services = platform::Current();
    services.clock = &clock;
    services.events = &events;
    services.messageBox = &messageBox;
    services.display = &display;
    services.images = &images;
    services.text = &text;
    services.audio = audio ? static_cast<platform::IAudio*>(audio.get()) : &silence;
    services.video = &video;

    int result = 0;
    {
        CGameApp app;
        app.window.startLevel = options.startLevel;
        app.InitInstance();
        if (!app.window.drawTarget) {
            // Without a picture there is no game to play: stop after the message.
            std::fprintf(stderr, "Kolvenbrook 3D: no display (%s); the game needs a graphical session\n",
                         display.LastError().c_str());
            app.window.OnDestroy();
            result = 1;
        } else {
            platform::SetWindowIcon(display, platform::ResolveGamePath(kWindowIcon));
            result = app.Run();
        }
    }
    services = platform::Services{};
    return result;
}
