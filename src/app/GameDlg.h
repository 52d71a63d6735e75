// The main window: start-up, the frame, screen switches, keys and shut-down.
#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>

#include "core/GameDlgFields.h"
#include "core/Messages.h"
#include "core/Settings.h"

class CLevel;

class CGameDlg : public GameDlgFields {
public:
    CGameDlg();
    ~CGameDlg();
    CGameDlg(const CGameDlg&) = delete;
    CGameDlg& operator=(const CGameDlg&) = delete;

    // Start-up: game data, display, sound, font, main menu, input, player, Config.dat, intro.
    bool OnInitDialog();
    // One frame, at most every 20 ms of the tick clock.
    void RunFrame();
    // Deletes the current screen's object and makes the requested one when they differ.
    void SwitchScreen();
    void OnKeyDown(int vk);
    void OnKeyUp(int vk);
    // The window lost the keyboard focus or was minimised: a running level pauses (when so set).
    void OnFocusLost();
    // The window is going away: writes Config.dat and deletes every game-wide object.
    void OnDestroy();

    // Display set-up; reports the first failing step in a message box.
    bool SetUpDisplay();
    bool ReportDisplayFailure(const MessageText& text);

    // Config.dat.
    void ReadConfig();
    void WriteConfig();
    // The settings the rest of the game takes over: keys, volumes (after the sound system), pads.
    void ApplySettings();

    // Saves the picture on show as a PNG named by the date and time in the screenshots folder of the
    // player's files; false (said on stderr) when it cannot.
    bool TakeScreenshot();
    // The last screenshot written ("" before the first).
    std::string lastScreenshot;

    // True once the window was destroyed (the quit item, or closed from outside).
    bool destroyed = false;
    // Set by the frame that destroyed the window: the message loop ends.
    bool quitPosted = false;

    // Set before start-up to begin a new game straight in this level (0..7), without intro or menu;
    // -1 starts as usual.
    int32_t startLevel = -1;

    // settings.ini: read at start before anything is made, written at exit.
    CSettings settings;

private:
    // The level being played, or null in any other screen or when it is about to be left.
    CLevel* PlayingLevel() const;
    void DrawMessageOverlay();

    // Keys held down now, so auto-repeat never pauses and resumes over and over.
    std::bitset<256> heldKeys_;
};
