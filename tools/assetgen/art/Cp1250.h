// Windows-1250, the code page of every text file the game reads.
#pragma once

#include <string>

namespace art {

// Unicode code point of a Windows-1250 byte; 0 for the five undefined bytes.
char32_t Cp1250ToUnicode(unsigned char byte);
// The byte for a code point; false when Windows-1250 has no such character.
bool UnicodeToCp1250(char32_t cp, unsigned char& byte);
// Converts UTF-8; false (with the offending character in error) when a character has no byte.
bool Utf8ToCp1250(const std::string& utf8, std::string& out, std::string& error);
std::string Cp1250ToUtf8(const std::string& text);
std::string CodePointToUtf8(char32_t cp);

}  // namespace art
