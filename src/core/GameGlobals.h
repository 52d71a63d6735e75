// The one record of pointers to the game-wide objects, and the video operations.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct GameDlgFields;
class CLevel;
class CMainMenu;
class CBriefing;
class CLoadGameMenu;
class COptionsMenu;
class CAboutScreen;
class CHighscore;
class CSoundSystem;
class CCollisionMap;
class CSpriteFont;
struct InputState;

struct GameGlobals {
    static GameDlgFields* mainWindow;
    static CLevel* level;
    static CMainMenu* mainMenu;
    static CBriefing* briefing;
    static CLoadGameMenu* loadGameMenu;
    static COptionsMenu* optionsMenu;
    static CAboutScreen* aboutScreen;
    static CHighscore* highscore;
    static CSoundSystem* sound;
    static InputState* input;
    static CCollisionMap* collisionMap;
    static CSpriteFont* font;
    static uint32_t lastFrameTick;

    // Plays a video file (a game path) over the whole screen; a missing or broken file shows
    // nothing. Only one video exists at a time.
    static bool PlayVideo(const std::string& fileName, GameDlgFields* window);
    static bool StopVideo();
    // The file playing, empty when none (for the driver).
    static std::string currentVideo;

    // When set, screen objects made and deleted by the flow are noted here ("+Level", "-Level").
    static std::vector<std::string>* lifecycleTrace;
    static void Trace(const char* what);
};
