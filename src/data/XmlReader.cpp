// Pull reader of the game's XML-like description files.
#include "data/XmlReader.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "core/Messages.h"
#include "platform/Files.h"
#include "platform/Platform.h"

CXmlReader::CXmlReader(const std::string& gamePath) {
    const std::string realPath = platform::ResolveGamePath(gamePath);
    // Anything that is not a plain file (missing, a folder, a pipe) counts as missing; the
    // file readers treat missing files as "nothing to read".
    std::error_code error;
    if (!std::filesystem::is_regular_file(realPath, error)) {
        failed = true;
        return;
    }
    std::string content;
    if (!platform::ReadWholeFile(realPath, content, kMaxFileBytes)) {
        std::ifstream probe(realPath, std::ios::binary);
        if (!probe.is_open()) {
            failed = true;  // there, but we may not open it: same as missing
            return;
        }
        ShowGameMessage(messages::kXmlRead);  // opened, but too large or a read error
        return;
    }
    SetText(std::move(content));
}

CXmlReader CXmlReader::FromText(std::string text) {
    CXmlReader reader;
    reader.SetText(std::move(text));
    return reader;
}

void CXmlReader::SetText(std::string content) {
    // The reader works on a C string of the file, so a NUL byte ends the text.
    const size_t nul = content.find('\0');
    if (nul != std::string::npos) content.resize(nul);
    if (content.size() > kMaxFileBytes) content.clear();  // keeps every index within int
    text = std::move(content);
    position = 0;
}

bool CXmlReader::Next() {
    const int length = static_cast<int>(text.size());
    // Fewer than three characters cannot hold a tag; this also lets one line end follow the last tag.
    if (failed || position >= length - 2) return false;

    // Characters past the end read as NUL, so "<" or "<!" at the very end never looks outside the text.
    auto at = [this](size_t i) { return i < text.size() ? text[i] : '\0'; };

    std::string tag;
    const char* tagKind = nullptr;
    size_t next = 0;  // position after the tag
    size_t i = static_cast<size_t>(position);
    while (tagKind == nullptr) {
        i = text.find('<', i);
        if (i == std::string::npos) break;
        if (at(i + 1) == '/') {
            const size_t close = text.find('>', i + 2);
            if (close == std::string::npos) break;
            tag = text.substr(i + 2, close - (i + 2));
            tagKind = kClosingElement;
            next = close + 1;
        } else if (at(i + 1) == '!') {
            if (at(i + 2) != '!') {
                // "<!--" and "<!DOCTYPE" are no nodes; their text is skipped like any text.
                ++i;
                continue;
            }
            const size_t close = text.find('>', i + 1);
            if (close == std::string::npos) break;
            tag = text.substr(i + 1, close - (i + 1));
            tagKind = kComment;
            next = close + 1;
        } else {
            size_t k = i + 1;
            for (; k < text.size(); ++k) {
                if (text[k] == '/' && at(k + 1) == '>') {
                    tagKind = kSelfClosingElement;
                    next = k + 2;
                    break;
                }
                if (text[k] == '>') {
                    tagKind = kOpeningElement;
                    next = k + 1;
                    break;
                }
            }
            if (tagKind == nullptr) break;
            tag = text.substr(i + 1, k - (i + 1));
        }
    }
    if (tagKind == nullptr) {
        // No complete tag is left (blank lines after the last tag, a tag without its '>'): the
        // rest of the text is used up and the node stays as it was.
        position = length;
        return false;
    }

    kind = tagKind;
    rawTag = std::move(tag);
    position = static_cast<int>(next);

    // A blank at the last position of the tag does not separate anything and stays in the name.
    const size_t separatorsEnd = rawTag.empty() ? 0 : rawTag.size() - 1;
    attributeCount = 0;
    size_t firstSeparator = std::string::npos;
    for (size_t k = 0; k < separatorsEnd; ++k) {
        if (rawTag[k] != ' ') continue;
        if (firstSeparator == std::string::npos) firstSeparator = k;
        ++attributeCount;
    }
    name = rawTag.substr(0, firstSeparator);
    nextAttribute = 0;
    attributeName.clear();
    attributeValue.clear();
    return true;
}

bool CXmlReader::NextAttributeIs(const char* name) {
    NextAttribute();
    return attributeName == name;
}

uint32_t CXmlReader::TakeColourKey() {
    uint32_t channels[3] = {0, 0, 0};
    const char* names[3] = {"R", "G", "B"};
    for (int i = 0; i < 3; ++i) {
        if (NextAttributeIs(names[i])) channels[i] = static_cast<uint32_t>(ToInt(attributeValue)) & 0xFFu;
    }
    return channels[0] + 256u * channels[1] + 65536u * channels[2];
}

void CXmlReader::NextAttribute() {
    attributeName.clear();
    attributeValue.clear();
    if (nextAttribute >= attributeCount || rawTag.empty()) return;

    // The token between the (nextAttribute + 1)-th separating blank and the next one.
    std::string token;
    int separators = 0;
    const size_t separatorsEnd = rawTag.size() - 1;
    for (size_t k = 0; k < rawTag.size(); ++k) {
        const char c = rawTag[k];
        if (c == ' ' && k < separatorsEnd) {
            ++separators;
            if (separators == nextAttribute + 1) {
                token.clear();
            } else if (separators > nextAttribute + 1) {
                ++nextAttribute;
                break;
            }
        } else if (c != ' ') {
            token += c;
        }
    }

    // name="value": the value starts after '="'; every double quote in it is dropped, and a
    // further '="' starts it over.
    bool inValue = false;
    for (size_t k = 0; k < token.size(); ++k) {
        const char c = token[k];
        if (c == '=' && k + 1 < token.size() && token[k + 1] == '"') {
            inValue = true;
            attributeValue.clear();
        } else if (!inValue) {
            attributeName += c;
        } else if (c != '"') {
            attributeValue += c;
        }
    }
}

int32_t CXmlReader::ToInt(const std::string& value) {
    // Horner's scheme gives the same sum of (code - '0') * 10^place modulo 2^32.
    uint32_t result = 0;
    for (char c : value) {
        const int digit = static_cast<signed char>(c) - '0';
        result = result * 10u + static_cast<uint32_t>(digit);
    }
    return static_cast<int32_t>(result);
}
