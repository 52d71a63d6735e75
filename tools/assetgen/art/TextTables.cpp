// The TEXT and SAMPLE tables, and the unit and object description files.
#include <cstdio>

#include "Cp1250.h"
#include "FontSheet.h"
#include "Generators.h"

namespace art {

namespace {

constexpr unsigned char kNbsp = 0xA0;

// Where the game draws a text and how far it may reach before it runs into something else.
struct TextPlace {
    int index;
    int x;
    double scale;
    int rightLimit;
    const char* what;
};

const TextPlace kPlaces[] = {
    // Main menu: the chosen item is drawn larger, 20 pixels further left.
    {0, 80, 1.0, 500, "menu item"},
    {1, 80, 1.0, 500, "menu item"},
    {2, 80, 1.0, 500, "menu item"},
    {3, 80, 1.0, 500, "menu item"},
    {4, 80, 1.0, 500, "menu item"},
    {38, 80, 1.0, 500, "menu item"},
    // Briefing: title, labels left of their numbers at x 550, trade heading and key help.
    {5, 100, 0.7, 790, "briefing title"},
    {6, 150, 0.5, 540, "briefing label"},
    {7, 150, 0.5, 540, "briefing label"},
    {8, 150, 0.5, 540, "briefing label"},
    {9, 150, 0.5, 540, "briefing label"},
    {20, 150, 0.5, 540, "briefing label"},
    {16, 150, 0.5, 540, "trade label"},
    {17, 150, 0.5, 540, "trade label"},
    {21, 150, 0.5, 540, "trade label"},
    {15, 50, 0.5, 790, "trade heading"},
    {10, 50, 0.5, 790, "briefing keys"},
    // Level end messages, typed out at (100, 100).
    {18, 100, 1.0, 790, "level message"},
    {19, 100, 1.0, 790, "level message"},
    // Options: labels end before the values, drawn from x 490.
    {22, 20, 0.9, 485, "option label"},
    {23, 20, 0.9, 485, "option label"},
    {24, 20, 0.9, 485, "option label"},
    {25, 20, 0.9, 485, "option label"},
    {28, 490, 0.85, 795, "option value"},
    {29, 490, 0.85, 795, "option value"},
    {30, 490, 0.85, 795, "option value"},
    {31, 490, 0.85, 795, "option value"},
    {32, 490, 0.85, 795, "option value"},
    {33, 490, 0.85, 795, "option value"},
    {34, 490, 0.85, 795, "option value"},
    {35, 490, 0.85, 795, "option value"},
    {36, 490, 0.85, 795, "option value"},
    // Highscore hint under the table.
    {39, 20, 0.5, 790, "highscore hint"},
};

// Error messages name a text as "text 5" (Polish) or "en text 5".
std::string TextName(const char* language, int index) {
    return std::string(*language ? language : "") + (*language ? " " : "") + "text " + std::to_string(index);
}

bool ConvertText(const char* language, int index, const std::string& utf8, std::string& out) {
    const std::string name = TextName(language, index);
    std::string error;
    if (!Utf8ToCp1250(utf8, out, error)) {
        std::fprintf(stderr, "assetgen-art: %s: %s\n", name.c_str(), error.c_str());
        return false;
    }
    // The markup reader ends a value at a blank: blanks become no-break spaces, which the font
    // draws as a gap and the level message as a space.
    for (char& c : out) {
        if (c == ' ') c = char(kNbsp);
    }
    for (unsigned char c : out) {
        if (c == kNbsp) continue;
        if (!FindGlyph(c)) {
            std::fprintf(stderr, "assetgen-art: %s: '%s' has no glyph in the font\n", name.c_str(),
                         Cp1250ToUtf8(std::string(1, char(c))).c_str());
            return false;
        }
    }
    // An '=' right before the closing quote would restart the attribute value.
    if (!out.empty() && out.back() == '=') {
        std::fprintf(stderr, "assetgen-art: %s must not end with '='\n", name.c_str());
        return false;
    }
    return true;
}

bool CheckFits(const char* language, const std::vector<std::string>& texts) {
    bool ok = true;
    for (const auto& p : kPlaces) {
        int right = p.x + TextAdvance(texts[size_t(p.index)], p.scale);
        if (right > p.rightLimit) {
            std::fprintf(stderr, "assetgen-art: %s (%s) reaches x %d, more than %d\n",
                         TextName(language, p.index).c_str(), p.what, right, p.rightLimit);
            ok = false;
        }
    }
    // A save line: "<11> <n> <12 or 13> ", the chosen line at x 10 and scale 0.95.
    for (int slotText : {12, 13}) {
        std::string line = texts[11] + " 8 " + texts[size_t(slotText)] + " ";
        int right = 10 + TextAdvance(line, 0.95);
        if (right > 700) {
            std::fprintf(stderr, "assetgen-art: save line with %s reaches x %d, more than 700\n",
                         TextName(language, slotText).c_str(), right);
            ok = false;
        }
    }
    return ok;
}

std::string Element(const std::string& name, const std::vector<std::pair<std::string, std::string>>& attrs) {
    std::string s = "<" + name;
    for (const auto& [k, v] : attrs) s += " " + k + "=\"" + v + "\"";
    return s + "/>\r\n";
}

// One TEXT table: checked, converted and written with its comment (Windows-1250) at its path.
bool WriteTextTable(const char* language, const std::vector<std::string>& utf8, const std::string& comment,
                    const std::string& path, GameFolder& out) {
    if (utf8.size() < 40) {
        std::fprintf(stderr, "assetgen-art: the game needs at least 40 texts, found %zu\n", utf8.size());
        return false;
    }
    std::vector<std::string> texts;
    for (size_t i = 0; i < utf8.size(); ++i) {
        std::string t;
        if (!ConvertText(language, int(i), utf8[i], t)) return false;
        texts.push_back(t);
    }
    if (!CheckFits(language, texts)) return false;
    std::string xml = "<!-- " + comment + " -->\r\n<TEXTS>\r\n";
    for (const auto& t : texts) xml += Element("ENTRY", {{"TEXT", t}});
    xml += "</TEXTS>\r\n";
    return out.Write(path, xml);
}

}  // namespace

bool WriteTextTables(const Content& content, GameFolder& out) {
    // The English table has the Polish one's positions (the content reader makes sure), so the game
    // can read either in the same way.
    if (!WriteTextTable("", content.texts, "Teksty gry: pozycja w tabeli to kolejno\x9C\xE6 wpisu.", "Data/Text.xml",
                        out) ||
        !WriteTextTable("en", content.englishTexts, "Game texts: an entry's position in the table is its order.",
                        "Data/Text_en.xml", out)) {
        return false;
    }
    std::string samples = "<SAMPLES>\r\n";
    for (const auto& s : content.samples) samples += Element("ENTRY", {{"SAMPLE", s}});
    samples += "</SAMPLES>\r\n";
    return out.Write("Data/Sample.xml", samples);
}

bool WriteUnitFile(const UnitDef& u, GameFolder& out) {
    auto n = [](int v) { return std::to_string(v); };
    std::string xml = "<UNIT>\r\n";
    xml += Element("COLORKEY", {{"R", n(u.key.r)}, {"G", n(u.key.g)}, {"B", n(u.key.b)}});
    xml += Element("CLASS", {{"CLASS", u.unitClass}});
    xml += Element("SPEED", {{"SPEED", n(u.speed)}});
    xml += Element("JUMP", {{"JUMP", n(u.jump)}});
    xml += Element("STRENGHT", {{"STRENGHT", n(u.strength)}});
    xml += Element("ENERGY", {{"ENERGY", n(u.energy)}});
    xml += Element("MAXSIZE", {{"HEIGHT", n(u.height)}, {"WIDTH", n(u.width)}});
    xml += "</UNIT>\r\n";
    return out.Write("Units/" + u.name + ".xml", xml);
}

bool WriteObjectFile(const ObjectDef& o, GameFolder& out) {
    auto n = [](int v) { return std::to_string(v); };
    std::string xml = "<OBJECT>\r\n";
    xml += Element("CLASS", {{"VALUE", o.objectClass}});
    xml += Element("COLORKEY", {{"R", n(o.key.r)}, {"G", n(o.key.g)}, {"B", n(o.key.b)}});
    for (const char* name : kObjectValueNames) xml += Element(name, {{"VALUE", n(o.Value(name))}});
    xml += "</OBJECT>\r\n";
    return out.Write("Objects/" + o.name + ".xml", xml);
}

}  // namespace art
