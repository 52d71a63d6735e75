// The driver's one-line JSON picture of the game state.
#include <cstdio>
#include <sstream>
#include <string>

#include "Driver.h"
#include "core/GameGlobals.h"
#include "core/Language.h"
#include "level/Level.h"
#include "media/SoundSystem.h"
#include "platform/Cp1250.h"

namespace {

std::string Quote(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                if (c < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof(buffer), "\\u%04x", c);
                    out += buffer;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

const char* Bool(bool value) {
    return value ? "true" : "false";
}

void AppendLevel(std::ostringstream& json, const CLevel& level) {
    json << ",\"level\":{\"levelNumber\":" << level.levelNumber << ",\"cameraX\":" << level.cameraX
         << ",\"cameraY\":" << level.cameraY << ",\"message\":" << Quote(platform::Cp1250ToUtf8(level.message))
         << ",\"messageFrames\":" << level.messageFrames << ",\"nearLayerOption\":" << Bool(level.nearLayerOption)
         << ",\"unitTypeCount\":" << level.unitTypeCount;
    json << ",\"enemies\":[";
    for (size_t i = 0; i < level.enemies.size(); ++i) {
        const CEnemy& enemy = level.enemies[i];
        json << (i ? "," : "") << "{\"x\":" << enemy.x << ",\"y\":" << enemy.y << ",\"energy\":" << enemy.energy
             << ",\"state\":" << Quote(platform::Cp1250ToUtf8(enemy.state)) << "}";
    }
    int collected = 0;
    for (const CGameObject& object : level.objects) collected += object.collected ? 1 : 0;
    json << "],\"objectCount\":" << level.objects.size() << ",\"objectsCollected\":" << collected;
    json << ",\"platforms\":[";
    if (level.movableElements) {
        const std::vector<CMovableElement>& elements = level.movableElements->elements;
        for (size_t i = 0; i < elements.size(); ++i) {
            json << (i ? "," : "") << "{\"x\":" << elements[i].x << ",\"y\":" << elements[i].y << "}";
        }
    }
    json << "],\"floatingTexts\":[";
    bool firstText = true;
    for (const CFloatingText& text : level.floatingTexts) {
        json << (firstText ? "" : ",") << "{\"text\":" << Quote(platform::Cp1250ToUtf8(text.text))
             << ",\"x\":" << text.x << ",\"y\":" << text.y << ",\"age\":" << text.age << "}";
        firstText = false;
    }
    json << "]";
    if (level.hero) {
        json << ",";
        AppendHero(json, *level.hero);
    }
    json << "}";
}

}  // namespace

std::string Driver::StateJson() {
    const CGameDlg& w = app_->window;
    std::ostringstream json;
    json << "{\"currentState\":" << w.currentState << ",\"requestedState\":" << w.requestedState
         << ",\"requestedLevel\":" << w.requestedLevel << ",\"introPlaying\":" << Bool(w.introPlaying)
         << ",\"outroPending\":" << Bool(w.outroPending) << ",\"frameCounter\":" << w.frameCounter
         << ",\"nearLayerOption\":" << Bool(w.nearLayerOption) << ",\"musicOption\":" << Bool(w.musicOption)
         << ",\"soundOption\":" << Bool(w.soundOption) << ",\"spareOption\":" << Bool(w.spareOption)
         << ",\"difficulty\":" << w.difficulty;
    const PlayerRecord& p = w.player;
    json << ",\"player\":{\"nextLevel\":" << p.nextLevel << ",\"health\":" << p.health << ",\"lives\":" << p.lives
         << ",\"score\":" << p.score << ",\"money\":" << p.money << ",\"strength\":" << p.strength << "}";
    json << ",\"messageBoxes\":[";
    bool first = true;
    for (const std::string& text : messageBox_.TakeNew()) {
        if (!first) json << ",";
        first = false;
        json << Quote(platform::Cp1250ToUtf8(text));
    }
    json << "]";
    // Samples played since the previous state, by name (the file name without its folder and .WAV).
    json << ",\"sounds\":[";
    first = true;
    for (; audioCallsReported_ < audio_.calls.size(); ++audioCallsReported_) {
        const std::string& call = audio_.calls[audioCallsReported_];
        if (call.rfind("sample:", 0) != 0) continue;
        std::string name = call.substr(call.find_last_of('/') + 1);
        if (name.size() > 4) name.resize(name.size() - 4);
        json << (first ? "" : ",") << Quote(platform::Cp1250ToUtf8(name));
        first = false;
    }
    const CSoundSystem* sound = GameGlobals::sound;
    json << "],\"music\":" << (sound && sound->MusicPlaying() ? sound->lastTrack : -1);
    json << ",\"video\":";
    if (GameGlobals::currentVideo.empty()) {
        json << "null";
    } else {
        json << Quote(platform::Cp1250ToUtf8(GameGlobals::currentVideo));
    }
    json << ",\"language\":\"" << LanguageCode(CurrentLanguage()) << "\",\"texts\":[";
    for (size_t i = 0; i < drawnTexts_.size(); ++i)
        json << (i ? "," : "") << Quote(platform::Cp1250ToUtf8(drawnTexts_[i]));
    json << "]";
    if (GameGlobals::level) AppendLevel(json, *GameGlobals::level);
    AppendScreen(json);
    json << "}";
    return json.str();
}
