// Windows-1250 text converted to UTF-8 (message boxes, the level message, the driver's output).
#pragma once

#include <string>

namespace platform {

std::string Cp1250ToUtf8(const std::string& text);
// Characters with no Windows-1250 code become '?'.
std::string Utf8ToCp1250(const std::string& text);

}  // namespace platform
