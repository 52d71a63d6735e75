// Line-oriented reader for the generator's own text sources (sound recipes, melodies, storyboards).
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace media {

// One non-empty source line split into tokens. Tokens are separated by blanks; "double quoted" text is one
// token (quotes removed); '#' at the start of a token starts a comment (elsewhere it is a sharp: f#4).
struct ScriptLine {
    std::string file;
    int number = 0;
    int indent = 0;  // leading blanks, so nested blocks can be told from their heads
    std::vector<std::string> tokens;

    [[noreturn]] void Fail(const std::string& message) const;
    const std::string& At(size_t index) const;
    double Number(size_t index) const;
};

// Thrown for any mistake in a source file; the message names the file and line.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::vector<ScriptLine> ReadScript(const std::string& path);
std::vector<ScriptLine> SplitScript(const std::string& text, const std::string& name);

// Reads "key value" pairs from tokens[first..]; keys without a value are rejected.
std::map<std::string, std::string> KeyValues(const ScriptLine& line, size_t first);

double ParseNumber(const std::string& text, const ScriptLine& line);

// FNV-1a over bytes, used to seed random generators from names so each sound has its own noise.
uint64_t HashText(const std::string& text);

std::string ReadWholeFile(const std::string& path);

}  // namespace media
