// The game-wide pointers and the video operations.
#include "core/GameGlobals.h"

#include "platform/Files.h"
#include "platform/Platform.h"

GameDlgFields* GameGlobals::mainWindow = nullptr;
CLevel* GameGlobals::level = nullptr;
CMainMenu* GameGlobals::mainMenu = nullptr;
CBriefing* GameGlobals::briefing = nullptr;
CLoadGameMenu* GameGlobals::loadGameMenu = nullptr;
COptionsMenu* GameGlobals::optionsMenu = nullptr;
CAboutScreen* GameGlobals::aboutScreen = nullptr;
CHighscore* GameGlobals::highscore = nullptr;
CSoundSystem* GameGlobals::sound = nullptr;
InputState* GameGlobals::input = nullptr;
CCollisionMap* GameGlobals::collisionMap = nullptr;
CSpriteFont* GameGlobals::font = nullptr;
uint32_t GameGlobals::lastFrameTick = 0;
std::string GameGlobals::currentVideo;
std::vector<std::string>* GameGlobals::lifecycleTrace = nullptr;

void GameGlobals::Trace(const char* what) {
    if (lifecycleTrace) lifecycleTrace->push_back(what);
}

bool GameGlobals::PlayVideo(const std::string& fileName, GameDlgFields*) {
    // A new video replaces the one before.
    platform::IVideoPlayer* video = platform::Current().video;
    currentVideo = fileName;
    if (video) video->Play(platform::ResolveGamePath(fileName));
    return true;
}

bool GameGlobals::StopVideo() {
    platform::IVideoPlayer* video = platform::Current().video;
    if (video) video->Stop();
    currentVideo.clear();
    return true;
}
