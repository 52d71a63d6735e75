// The palette file reader.
#include "Palette.h"

#include <cstdio>
#include <cstdlib>

#include "TextFile.h"

namespace art {

bool Palette::Load(const std::string& path, std::string& error) {
    std::vector<KeyValueLine> lines;
    if (!ReadKeyValueFile(path, lines, error)) return false;
    for (const auto& line : lines) {
        Colour c;
        if (!line.section.empty() || !ParseColour(line.value, c)) {
            error = path + ":" + std::to_string(line.lineNumber) + ": not a colour: " + line.value;
            return false;
        }
        colours_[line.key] = c;
    }
    return true;
}

const Colour& Palette::operator[](const std::string& name) const {
    auto it = colours_.find(name);
    if (it == colours_.end()) {
        std::fprintf(stderr, "assetgen-art: the palette has no colour named '%s'\n", name.c_str());
        std::exit(1);
    }
    return it->second;
}

}  // namespace art
