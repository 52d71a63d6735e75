// Gamepads turned into the keys the game already knows.
#include "app/PadInput.h"

#include "core/InputState.h"

namespace {

using platform::PadButton;

constexpr int kButtons = static_cast<int>(PadButton::Count);
// The stick's directions, after the buttons.
constexpr int kStickLeft = kButtons;
constexpr int kStickRight = kButtons + 1;
constexpr int kStickUp = kButtons + 2;
constexpr int kStickDown = kButtons + 3;
// A control pressed that holds no key (a letter picked, a button with no use here).
constexpr int kNoKey = -1;

// The d-pad button a stick direction stands for.
PadButton ButtonOf(int control) {
    switch (control) {
        case kStickLeft:
            return PadButton::DpadLeft;
        case kStickRight:
            return PadButton::DpadRight;
        case kStickUp:
            return PadButton::DpadUp;
        case kStickDown:
            return PadButton::DpadDown;
        default:
            return static_cast<PadButton>(control);
    }
}

}  // namespace

int CPadInput::KeyFor(int control, Context context, InputState& input) const {
    const PadButton button = ButtonOf(control);
    switch (button) {
        case PadButton::DpadLeft:
            return context == Context::NameEntry ? kNoKey : input.left.key;
        case PadButton::DpadRight:
            return context == Context::NameEntry ? kNoKey : input.right.key;
        case PadButton::DpadDown:
            return input.down.key;
        case PadButton::DpadUp:
            // The menus move up with the jump key; in a level up does nothing (A jumps).
            return context == Context::Menu ? input.jump.key : kNoKey;
        case PadButton::A:
            if (context == Context::Level) return input.jump.key;
            if (context == Context::Menu) return platform::VK_RETURN;
            if (input.pickedLetter < 'A' || input.pickedLetter > 'Z') input.pickedLetter = 'A';
            return input.pickedLetter;
        case PadButton::B:
            if (context == Context::Level) return input.attack.key;
            return context == Context::Menu ? platform::VK_ESCAPE : platform::VK_BACK;
        case PadButton::X:
            return context == Context::Level ? input.attack.key : kNoKey;
        case PadButton::LeftShoulder:
        case PadButton::RightShoulder:
            return context == Context::Level ? input.walk.key : kNoKey;
        case PadButton::Start:
            return context == Context::Level ? platform::VK_PAUSE : platform::VK_RETURN;
        case PadButton::Back:
            return platform::VK_ESCAPE;
        default:
            return kNoKey;
    }
}

void CPadInput::PickLetter(int step, InputState& input) const {
    if (input.pickedLetter < 'A' || input.pickedLetter > 'Z') {
        input.pickedLetter = 'A';
        return;
    }
    input.pickedLetter = 'A' + (input.pickedLetter - 'A' + step + 26) % 26;
}

void CPadInput::Press(int pad, int control, int vk, std::deque<platform::PlatformEvent>& keys) {
    int& held = pads_[pad][control];
    held = vk > 0 ? vk : kNoKey;
    if (vk > 0 && ++holders_[vk] == 1) keys.push_back({platform::PlatformEvent::Type::KeyDown, vk});
}

void CPadInput::Release(int pad, int control, std::deque<platform::PlatformEvent>& keys) {
    const auto found = pads_.find(pad);
    if (found == pads_.end()) return;
    int& held = found->second[control];
    const int vk = held;
    held = 0;
    if (vk <= 0) return;
    if (--holders_[vk] == 0) {
        holders_.erase(vk);
        keys.push_back({platform::PlatformEvent::Type::KeyUp, vk});
    }
}

void CPadInput::Translate(const platform::PlatformEvent& event, Context context, InputState& input,
                          std::deque<platform::PlatformEvent>& keys) {
    using Type = platform::PlatformEvent::Type;
    auto press = [&](int control) {
        if (pads_[event.pad][control] != 0) return;  // still held from before
        const PadButton button = ButtonOf(control);
        if (context == Context::NameEntry && (button == PadButton::DpadUp || button == PadButton::DpadDown)) {
            // Up goes on through the alphabet, down back.
            PickLetter(button == PadButton::DpadUp ? 1 : -1, input);
            Press(event.pad, control, kNoKey, keys);
            return;
        }
        Press(event.pad, control, KeyFor(control, context, input), keys);
    };
    switch (event.type) {
        case Type::PadAdded:
            pads_.try_emplace(event.pad, Held{});
            break;
        case Type::PadRemoved:
            if (pads_.count(event.pad)) {
                // Whatever the pad held is let go, so nothing stays pressed by a pad that left.
                for (int control = 0; control < kControls; ++control) Release(event.pad, control, keys);
                pads_.erase(event.pad);
            }
            break;
        case Type::PadButtonDown:
            if (event.control >= 0 && event.control < kButtons) press(event.control);
            break;
        case Type::PadButtonUp:
            if (event.control >= 0 && event.control < kButtons) Release(event.pad, event.control, keys);
            break;
        case Type::PadAxisMoved: {
            const bool across = event.control == static_cast<int>(platform::PadAxis::LeftX);
            const int negative = across ? kStickLeft : kStickUp;
            const int positive = across ? kStickRight : kStickDown;
            // One side is let go before the other is pushed, so a quick flick across never holds both.
            if (event.value >= -kDeadZone) Release(event.pad, negative, keys);
            if (event.value <= kDeadZone) Release(event.pad, positive, keys);
            if (event.value < -kDeadZone) press(negative);
            if (event.value > kDeadZone) press(positive);
            break;
        }
        default:
            break;
    }
}
