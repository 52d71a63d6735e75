// Reader of the generator's readable source files.
#include "TextFile.h"

#include <fstream>
#include <sstream>

namespace art {

namespace {

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

}  // namespace

bool ReadKeyValueFile(const std::string& path, std::vector<KeyValueLine>& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line, section;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        // " # " starts a remark; a colour such as #A0B0C0 has no blank after its '#'.
        size_t remark = line.find(" # ");
        if (remark != std::string::npos) line.resize(remark);
        line = Trim(line);
        if (line.empty() || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = Trim(line.substr(1, line.size() - 2));
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) {
            error = path + ":" + std::to_string(number) + ": expected 'key = value'";
            return false;
        }
        out.push_back({section, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), number});
    }
    return true;
}

const std::string* Section::Find(const std::string& key) const {
    for (const auto& l : lines) {
        if (l.key == key) return &l.value;
    }
    return nullptr;
}

std::vector<Section> GroupSections(const std::vector<KeyValueLine>& lines) {
    std::vector<Section> sections;
    for (const auto& l : lines) {
        if (sections.empty() || sections.back().name != l.section) sections.push_back({l.section, {}});
        sections.back().lines.push_back(l);
    }
    return sections;
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

}  // namespace art
