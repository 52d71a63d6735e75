// Names of the keys a player can bind.
#include "platform/KeyNames.h"

#include <cctype>

namespace platform {
namespace {

struct NamedKey {
    const char* name;
    int vk;
};

// Letters, digits and F1..F12 are made from their names below.
const NamedKey kKeys[] = {
    {"Left", 37},       {"Right", 39},        {"Up", 38},        {"Down", 40},       {"Space", 32},
    {"Return", 13},     {"Keypad Enter", 13}, {"Escape", 27},    {"Backspace", 8},   {"Tab", 9},
    {"Left Shift", 16}, {"Right Shift", 16},  {"Left Ctrl", 17}, {"Right Ctrl", 17}, {"Left Alt", 18},
    {"Right Alt", 18},  {"Pause", 19},        {"CapsLock", 20},  {"PageUp", 33},     {"PageDown", 34},
    {"End", 35},        {"Home", 36},         {"Insert", 45},    {"Delete", 46},     {"Keypad 0", 96},
    {"Keypad 1", 97},   {"Keypad 2", 98},     {"Keypad 3", 99},  {"Keypad 4", 100},  {"Keypad 5", 101},
    {"Keypad 6", 102},  {"Keypad 7", 103},    {"Keypad 8", 104}, {"Keypad 9", 105},  {"Keypad *", 106},
    {"Keypad +", 107},  {"Keypad -", 109},    {"Keypad .", 110}, {"Keypad /", 111},  {"Menu", 93},
};

bool SameIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && !b[i];
}

}  // namespace

int VirtualKeyFromName(const std::string& name) {
    for (const NamedKey& key : kKeys) {
        if (SameIgnoringCase(name, key.name)) return key.vk;
    }
    if (name.size() == 1) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    }
    if ((name.size() == 2 || name.size() == 3) && (name[0] == 'F' || name[0] == 'f')) {
        int n = 0;
        for (size_t i = 1; i < name.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(name[i]))) return -1;
            n = n * 10 + (name[i] - '0');
        }
        if (name[1] != '0' && n >= 1 && n <= 12) return 112 + n - 1;
    }
    return -1;
}

std::string VirtualKeyName(int vk) {
    for (const NamedKey& key : kKeys) {
        if (key.vk == vk) return key.name;
    }
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, static_cast<char>(vk));
    if (vk >= 112 && vk <= 123) return "F" + std::to_string(vk - 111);
    return "";
}

}  // namespace platform
