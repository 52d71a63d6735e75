// The named colours of the generated art, read from content/art/palette.txt.
#pragma once

#include <map>
#include <string>

#include "Toolkit.h"

namespace art {

// Lookups of unknown names stop the generator with a message, so a typo in the palette file cannot
// silently paint something black.
class Palette {
public:
    bool Load(const std::string& path, std::string& error);
    const Colour& operator[](const std::string& name) const;
    bool Has(const std::string& name) const { return colours_.count(name) != 0; }

private:
    std::map<std::string, Colour> colours_;
};

}  // namespace art
