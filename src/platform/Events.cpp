// Names of the gamepad controls, as SDL's game controllers spell them.
#include "platform/Events.h"

namespace platform {
namespace {

const char* const kButtonNames[] = {
    "a", "b", "x", "y", "back", "start", "leftshoulder", "rightshoulder", "dpup", "dpdown", "dpleft", "dpright",
};
const char* const kAxisNames[] = {"leftx", "lefty"};
static_assert(sizeof(kButtonNames) / sizeof(kButtonNames[0]) == static_cast<size_t>(PadButton::Count));
static_assert(sizeof(kAxisNames) / sizeof(kAxisNames[0]) == static_cast<size_t>(PadAxis::Count));

template <typename T, size_t N>
bool FindName(const char* const (&names)[N], const std::string& name, T& out) {
    for (size_t i = 0; i < N; ++i) {
        if (name == names[i]) {
            out = static_cast<T>(i);
            return true;
        }
    }
    return false;
}

}  // namespace

const char* PadButtonName(PadButton button) {
    const int i = static_cast<int>(button);
    return i >= 0 && i < static_cast<int>(PadButton::Count) ? kButtonNames[i] : "";
}

bool PadButtonFromName(const std::string& name, PadButton& button) {
    return FindName(kButtonNames, name, button);
}

const char* PadAxisName(PadAxis axis) {
    const int i = static_cast<int>(axis);
    return i >= 0 && i < static_cast<int>(PadAxis::Count) ? kAxisNames[i] : "";
}

bool PadAxisFromName(const std::string& name, PadAxis& axis) {
    return FindName(kAxisNames, name, axis);
}

}  // namespace platform
