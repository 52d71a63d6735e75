// Line-oriented reader for the generator's own text sources (sound recipes, melodies, storyboards).
#include "TextScript.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace media {

void ScriptLine::Fail(const std::string& message) const {
    throw ScriptError(file + ":" + std::to_string(number) + ": " + message);
}

const std::string& ScriptLine::At(size_t index) const {
    if (index >= tokens.size()) Fail("missing value after '" + tokens.back() + "'");
    return tokens[index];
}

double ScriptLine::Number(size_t index) const {
    return ParseNumber(At(index), *this);
}

double ParseNumber(const std::string& text, const ScriptLine& line) {
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0') line.Fail("not a number: '" + text + "'");
    return value;
}

std::vector<ScriptLine> SplitScript(const std::string& text, const std::string& name) {
    std::vector<ScriptLine> lines;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        ScriptLine line;
        line.file = name;
        line.number = number;
        size_t i = 0;
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) ++i;
        line.indent = static_cast<int>(i);
        std::string token;
        bool inToken = false;
        bool quoted = false;
        for (; i < raw.size(); ++i) {
            char c = raw[i];
            if (quoted) {
                if (c == '"') {
                    quoted = false;
                } else {
                    token += c;
                }
            } else if (c == '"') {
                quoted = true;
                inToken = true;
            } else if (c == '#' && !inToken) {
                break;  // inside a token '#' is a sharp, as in f#4
            } else if (c == ' ' || c == '\t' || c == '\r') {
                if (inToken) line.tokens.push_back(token);
                token.clear();
                inToken = false;
            } else {
                token += c;
                inToken = true;
            }
        }
        if (quoted) line.Fail("unterminated quote");
        if (inToken) line.tokens.push_back(token);
        if (!line.tokens.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ScriptError("cannot open " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<ScriptLine> ReadScript(const std::string& path) {
    return SplitScript(ReadWholeFile(path), path);
}

std::map<std::string, std::string> KeyValues(const ScriptLine& line, size_t first) {
    std::map<std::string, std::string> values;
    for (size_t i = first; i < line.tokens.size(); i += 2) {
        if (i + 1 >= line.tokens.size()) line.Fail("'" + line.tokens[i] + "' needs a value");
        values[line.tokens[i]] = line.tokens[i + 1];
    }
    return values;
}

uint64_t HashText(const std::string& text) {
    uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace media
