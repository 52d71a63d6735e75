// Reader of the generator's readable source files: "[section]" headers and "key = value" lines.
#pragma once

#include <string>
#include <vector>

namespace art {

struct KeyValueLine {
    std::string section;  // the last "[name]" above the line, empty before the first
    std::string key;
    std::string value;  // trimmed; a trailing " # remark" is cut off
    int lineNumber = 0;
};

// Blank lines and lines starting with '#' are skipped. False (with a message naming the line)
// when a line is neither a header nor a key = value pair.
bool ReadKeyValueFile(const std::string& path, std::vector<KeyValueLine>& out, std::string& error);

// A block of lines under one section header, in file order.
struct Section {
    std::string name;
    std::vector<KeyValueLine> lines;

    const std::string* Find(const std::string& key) const;
};
std::vector<Section> GroupSections(const std::vector<KeyValueLine>& lines);

std::vector<std::string> SplitWords(const std::string& text);

}  // namespace art
