// Reading the readable sources under content/art.
#include "Content.h"

#include <sstream>

#include "TextFile.h"

namespace art {

const char* const kObjectValueNames[11] = {"LIFE", "HEALTH",   "MACE",  "DAMAGE",   "RANGE",     "POINT",
                                           "USE",  "QUANTITY", "MONEY", "PICKABLE", "CHECKPOINT"};

int ObjectDef::Value(const std::string& key) const {
    auto it = values.find(key);
    if (it != values.end()) return it->second;
    return key == "PICKABLE" ? 1 : 0;
}

namespace {

bool ToInt(const std::string& text, int& out) {
    std::istringstream in(text);
    std::string rest;
    return bool(in >> out) && !(in >> rest);
}

bool Fail(std::string& error, const std::string& file, const KeyValueLine& l, const std::string& what) {
    error = file + ":" + std::to_string(l.lineNumber) + ": " + what;
    return false;
}

bool LoadUnits(const std::string& file, std::vector<UnitDef>& out, std::string& error) {
    std::vector<KeyValueLine> lines;
    if (!ReadKeyValueFile(file, lines, error)) return false;
    for (const Section& s : GroupSections(lines)) {
        if (s.name.empty()) return Fail(error, file, s.lines[0], "value outside a [unit] block");
        UnitDef u;
        u.name = s.name;
        for (const auto& l : s.lines) {
            auto words = SplitWords(l.value);
            bool ok = true;
            if (l.key == "class") {
                u.unitClass = l.value;
            } else if (l.key == "art") {
                u.art = l.value;
            } else if (l.key == "note") {
                u.note = l.value;
            } else if (l.key == "world") {
                ok = ToInt(l.value, u.world);
            } else if (l.key == "speed") {
                ok = ToInt(l.value, u.speed);
            } else if (l.key == "jump") {
                ok = ToInt(l.value, u.jump);
            } else if (l.key == "strength") {
                ok = ToInt(l.value, u.strength);
            } else if (l.key == "energy") {
                ok = ToInt(l.value, u.energy);
            } else if (l.key == "size") {
                ok = words.size() == 2 && ToInt(words[0], u.width) && ToInt(words[1], u.height);
            } else if (l.key == "frames") {
                ok = words.size() == 2 && ToInt(words[0], u.moveFrames) && ToInt(words[1], u.turnFrames);
            } else if (l.key == "key") {
                ok = ParseColour(l.value, u.key);
            } else {
                return Fail(error, file, l, "unknown unit value '" + l.key + "'");
            }
            if (!ok) return Fail(error, file, l, "bad value for '" + l.key + "'");
        }
        if (u.unitClass.empty() || u.art.empty() || u.width <= 0 || u.height <= 0) {
            return Fail(error, file, s.lines[0], "unit '" + u.name + "' needs class, art and size");
        }
        out.push_back(u);
    }
    return true;
}

bool LoadObjects(const std::string& file, std::vector<ObjectDef>& out, std::string& error) {
    std::vector<KeyValueLine> lines;
    if (!ReadKeyValueFile(file, lines, error)) return false;
    for (const Section& s : GroupSections(lines)) {
        if (s.name.empty()) return Fail(error, file, s.lines[0], "value outside an [object] block");
        ObjectDef o;
        o.name = s.name;
        for (const auto& l : s.lines) {
            bool ok = true;
            if (l.key == "class") {
                o.objectClass = l.value;
            } else if (l.key == "art") {
                auto words = SplitWords(l.value);
                ok = !words.empty();
                if (ok) {
                    o.art = words[0];
                    o.artArgs.assign(words.begin() + 1, words.end());
                }
            } else if (l.key == "note") {
                o.note = l.value;
            } else if (l.key == "frames") {
                ok = ToInt(l.value, o.frames) && o.frames > 0;
            } else if (l.key == "key") {
                ok = ParseColour(l.value, o.key);
            } else {
                bool known = false;
                for (const char* n : kObjectValueNames) known = known || l.key == n;
                if (!known) return Fail(error, file, l, "unknown object value '" + l.key + "'");
                int v = 0;
                ok = ToInt(l.value, v) && v >= 0;  // the game's digit reader has no minus sign
                o.values[l.key] = v;
            }
            if (!ok) return Fail(error, file, l, "bad value for '" + l.key + "'");
        }
        if (o.objectClass.empty() || o.art.empty()) {
            return Fail(error, file, s.lines[0], "object '" + o.name + "' needs class and art");
        }
        out.push_back(o);
    }
    return true;
}

// One language's texts: every position from 0 up given once, none missing.
bool LoadTextTable(const std::string& file, const std::vector<KeyValueLine>& lines, std::vector<std::string>& out,
                   std::string& error) {
    std::map<int, std::string> byIndex;
    for (const auto& l : lines) {
        int index = -1;
        if (!ToInt(l.key, index) || index < 0 || index >= 100) return Fail(error, file, l, "bad text position");
        if (byIndex.count(index)) return Fail(error, file, l, "text position given twice");
        if (l.value.empty()) return Fail(error, file, l, "empty text");
        byIndex[index] = l.value;
    }
    for (const auto& [index, text] : byIndex) {
        if (index != int(out.size())) {
            error = file + ": text position " + std::to_string(out.size()) + " is missing";
            return false;
        }
        out.push_back(text);
    }
    return true;
}

// The texts before any block are the Polish table; the [en] block is the English one, which must
// give every position the Polish one does.
bool LoadTexts(const std::string& file, std::vector<std::string>& polish, std::vector<std::string>& english,
               std::string& error) {
    std::vector<KeyValueLine> lines;
    if (!ReadKeyValueFile(file, lines, error)) return false;
    std::vector<KeyValueLine> polishLines, englishLines;
    for (const auto& l : lines) {
        if (l.section.empty()) {
            polishLines.push_back(l);
        } else if (l.section == "en") {
            englishLines.push_back(l);
        } else {
            return Fail(error, file, l, "unknown language block [" + l.section + "]");
        }
    }
    if (!LoadTextTable(file, polishLines, polish, error) || !LoadTextTable(file, englishLines, english, error)) {
        return false;
    }
    if (english.size() != polish.size()) {
        error = file + ": the [en] block has " + std::to_string(english.size()) + " texts, the Polish table " +
                std::to_string(polish.size());
        return false;
    }
    return true;
}

bool LoadSamples(const std::string& file, std::vector<std::string>& out, std::string& error) {
    std::vector<KeyValueLine> lines;
    if (!ReadKeyValueFile(file, lines, error)) return false;
    for (const auto& l : lines) {
        if (l.key != "sample" || l.value.empty() || l.value.find(' ') != std::string::npos) {
            return Fail(error, file, l, "expected 'sample = NAME'");
        }
        out.push_back(l.value);
    }
    return true;
}

}  // namespace

bool LoadContent(const std::string& folder, Content& out, std::string& error) {
    out.folder = folder;
    return out.palette.Load(folder + "/palette.txt", error) && LoadUnits(folder + "/units.txt", out.units, error) &&
           LoadObjects(folder + "/objects.txt", out.objects, error) &&
           LoadTexts(folder + "/texts.txt", out.texts, out.englishTexts, error) &&
           LoadSamples(folder + "/samples.txt", out.samples, error);
}

}  // namespace art
