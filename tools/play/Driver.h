// The headless driver: the real game on windowless backends, run by a script of commands.
#pragma once

#include <iosfwd>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/GameApp.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessDisplay.h"
#include "platform/headless/RecordingAudio.h"
#include "platform/headless/RecordingMessageBox.h"
#include "platform/headless/RecordingVideo.h"
#include "platform/headless/ScriptedEvents.h"
#include "platform/headless/VirtualClock.h"

struct Replay;

class Driver {
public:
    // Each frame the virtual clock moves this far: one 20 ms world step per frame.
    static constexpr uint32_t kFrameMs = 21;

    explicit Driver(std::ostream& out);
    ~Driver();

    // Starts the game (its working directory must already be the game folder) in the language already
    // set (core/Language.h); with a level number, a new game straight in that level, as the game's
    // --level does.
    void Start(int32_t startLevel = -1);
    // Runs one command line; false with `error` set when the line is bad. `finished` becomes true
    // when the game ended (the quit item) or the script said quit.
    bool Execute(const std::string& line, std::string& error);
    bool finished = false;

    // One frame: pending key events, then the window's frame.
    void RunFrame();
    // Ends the game as closing the window does (writes Config.dat).
    void Stop();
    std::string StateJson();

    // Feeds a replay's keys into the running game, one frame each (key-downs and key-ups as the held
    // set changes), until the level is left or the keys run out; the keys are released at the end.
    // True when the level was finished: the next briefing asked for, or after level 7 the highscore
    // table with the outro.
    bool FeedReplayKeys(const Replay& replay, std::string& error);
    // Closes the intro, sets the replay's record and difficulty, enters its level as the briefing
    // does, and feeds its keys.
    bool PlayReplay(const Replay& replay, std::string& error);
    // The script commands "replay FILE" and "replaykeys FILE".
    bool ExecuteReplay(const std::string& command, const std::string& path, std::string& error);
    // Frames fed by the last FeedReplayKeys.
    int replayFramesFed = 0;

    CGameApp& App() { return *app_; }
    void SetQuiet(bool quiet) { messageBox_.printToStderr = !quiet; }

private:
    // The "pad ..." commands.
    bool ExecutePad(std::istringstream& words, std::string& error);

    std::ostream& out_;
    platform::VirtualClock clock_;
    platform::ScriptedEvents events_;
    platform::RecordingMessageBox messageBox_;
    platform::HeadlessDisplay display_;
    platform::RecordingAudio audio_;
    size_t audioCallsReported_ = 0;  // audio calls already listed under "sounds"
    platform::RecordingVideo video_;
    std::unique_ptr<platform::IImageDecoder> images_;
    std::unique_ptr<platform::ITextRenderer> text_;
    std::unique_ptr<CGameApp> app_;
    std::vector<std::string> drawnTexts_;  // the sprite-font texts of the last frame
    // Pads the script connected, in order; buttons go to the last.
    std::vector<int> padsConnected_;
};

// Maps a key name of the script (LEFT, RETURN, A..Z, ...) to its virtual-key code; -1 if unknown.
int KeyCodeFromName(const std::string& name);
