// Gamepads turned into the keys the game already knows, by what the screen on show does with them.
#pragma once

#include <array>
#include <deque>
#include <map>
#include <set>

#include "platform/Events.h"

struct InputState;

class CPadInput {
public:
    // What the pad's buttons mean now.
    enum class Context {
        Level,      // walk, jump, swing, walk slowly, pause
        Menu,       // move, choose, go back (menus, briefing, videos, best scores)
        NameEntry,  // pick a letter, add it, erase one, finish
    };
    // A stick further than this from its centre counts as pushed.
    static constexpr int kDeadZone = 12000;

    // Turns one pad event into key-downs and key-ups appended to `keys`. A control keeps the key it
    // pressed until it is let go (or its pad goes), whatever the screen does meanwhile; a key held by
    // several controls goes up with the last of them. Up and down in name entry change
    // input.pickedLetter instead.
    void Translate(const platform::PlatformEvent& event, Context context, InputState& input,
                   std::deque<platform::PlatformEvent>& keys);
    int Connected() const { return static_cast<int>(pads_.size()); }

private:
    // Buttons, then the four stick directions: left, right, up, down.
    static constexpr int kControls = static_cast<int>(platform::PadButton::Count) + 4;
    using Held = std::array<int, kControls>;  // the key each control holds, 0 for none

    void Press(int pad, int control, int vk, std::deque<platform::PlatformEvent>& keys);
    void Release(int pad, int control, std::deque<platform::PlatformEvent>& keys);
    int KeyFor(int control, Context context, InputState& input) const;
    void PickLetter(int step, InputState& input) const;

    std::map<int, Held> pads_;
    std::map<int, int> holders_;  // per key, how many controls hold it
};
