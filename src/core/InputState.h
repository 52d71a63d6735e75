// The keyboard record every screen and the hero read (gamepads feed it too).
#pragma once

#include <cstdint>

struct KeySlot {
    bool pressed = false;
    int32_t key = 0;
};

struct InputState {
    KeySlot left{false, 37};
    KeySlot right{false, 39};
    KeySlot down{false, 40};
    KeySlot jump{false, 38};
    KeySlot attack{false, 32};
    KeySlot walk{false, 16};
    bool enterPressed = false;
    bool escapePressed = false;
    bool backspacePressed = false;
    int32_t lastLetter = -1;
    bool letterTyped = false;
    // The letter a gamepad offers for a name, -1 while no pad has picked one.
    int32_t pickedLetter = -1;

    // The six bound slots, for the key handlers.
    KeySlot* Slots[6] = {&left, &right, &down, &jump, &attack, &walk};
};
