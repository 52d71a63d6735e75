// The driver's one-line JSON picture of the game state.
#include "StateJson.h"

#include <string>
#include <vector>

#include "Driver.h"
#include "core/GameGlobals.h"
#include "core/Language.h"
#include "level/Level.h"
#include "media/SoundSystem.h"
#include "platform/Cp1250.h"

namespace play {

Json Text(const std::string& cp1250) {
    return platform::Cp1250ToUtf8(cp1250);
}

namespace {

Json LevelJson(const CLevel& level) {
    Json enemies = Json::array();
    for (const CEnemy& enemy : level.enemies) {
        enemies.push_back(
            {{"x", Number(enemy.x)}, {"y", Number(enemy.y)}, {"energy", enemy.energy}, {"state", Text(enemy.state)}});
    }
    int collected = 0;
    for (const CGameObject& object : level.objects) collected += object.collected ? 1 : 0;
    Json platforms = Json::array();
    if (level.movableElements) {
        for (const CMovableElement& element : level.movableElements->elements)
            platforms.push_back({{"x", Number(element.x)}, {"y", Number(element.y)}});
    }
    Json texts = Json::array();
    for (const CFloatingText& text : level.floatingTexts)
        texts.push_back({{"text", Text(text.text)}, {"x", text.x}, {"y", text.y}, {"age", text.age}});

    Json json = {{"levelNumber", level.levelNumber},
                 {"cameraX", level.cameraX},
                 {"cameraY", level.cameraY},
                 {"message", Text(level.message)},
                 {"messageFrames", level.messageFrames},
                 {"nearLayerOption", level.nearLayerOption},
                 {"unitTypeCount", level.unitTypeCount},
                 {"enemies", enemies},
                 {"objectCount", level.objects.size()},
                 {"objectsCollected", collected},
                 {"platforms", platforms},
                 {"floatingTexts", texts}};
    if (level.hero) json["hero"] = HeroJson(*level.hero);
    return json;
}

}  // namespace
}  // namespace play

std::string Driver::StateJson() {
    using play::Json;
    const CGameDlg& w = app_->window;
    const PlayerRecord& p = w.player;
    Json messageBoxes = Json::array();
    for (const std::string& text : messageBox_.TakeNew()) messageBoxes.push_back(play::Text(text));
    // Samples played since the previous state, by name (the file name without its folder and .WAV).
    Json sounds = Json::array();
    for (; audioCallsReported_ < audio_.calls.size(); ++audioCallsReported_) {
        const std::string& call = audio_.calls[audioCallsReported_];
        if (call.rfind("sample:", 0) != 0) continue;
        std::string name = call.substr(call.find_last_of('/') + 1);
        if (name.size() > 4) name.resize(name.size() - 4);
        sounds.push_back(play::Text(name));
    }
    const CSoundSystem* sound = GameGlobals::sound;
    const std::string& video = GameGlobals::currentVideo;
    // What the sprite font drew in the last frame.
    Json texts = Json::array();
    for (const std::string& text : drawnTexts_) texts.push_back(play::Text(text));

    Json state = {{"currentState", w.currentState},
                  {"requestedState", w.requestedState},
                  {"requestedLevel", w.requestedLevel},
                  {"introPlaying", w.introPlaying},
                  {"outroPending", w.outroPending},
                  {"frameCounter", w.frameCounter},
                  {"nearLayerOption", w.nearLayerOption != 0},
                  {"musicOption", w.musicOption != 0},
                  {"soundOption", w.soundOption != 0},
                  {"spareOption", w.spareOption != 0},
                  {"difficulty", w.difficulty},
                  {"player",
                   {{"nextLevel", p.nextLevel},
                    {"health", p.health},
                    {"lives", p.lives},
                    {"score", p.score},
                    {"money", p.money},
                    {"strength", p.strength}}},
                  {"messageBoxes", messageBoxes},
                  {"sounds", sounds},
                  {"music", sound && sound->MusicPlaying() ? sound->lastTrack : -1},
                  {"video", video.empty() ? Json() : play::Text(video)},
                  {"language", LanguageCode(CurrentLanguage())},
                  {"texts", texts},
                  {"paused", GameGlobals::level && GameGlobals::level->paused},
                  {"gamepads", app_->pads.Connected()},
                  {"lastScreenshot", w.lastScreenshot.empty() ? Json() : play::Text(w.lastScreenshot)}};
    if (GameGlobals::level) state["level"] = play::LevelJson(*GameGlobals::level);
    Json screen = play::ScreenJson();
    if (!screen.is_null()) state["screen"] = std::move(screen);
    // Texts from damaged files are made valid UTF-8 by the conversion; a stray byte must still never
    // stop the driver.
    return state.dump(-1, ' ', false, Json::error_handler_t::replace);
}
