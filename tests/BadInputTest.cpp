// Every file the game reads, missing, empty, cut short, oversized, garbage or absurd: the game says what it
// must, plays on through every screen and a level, ends by its quit item, and loses no saved file.
#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "BadInputTour.h"
#include "GameRun.h"

using badinput::Case;
using badinput::FirstHalf;
using badinput::Garbage;
using badinput::Outcome;
using badinput::PngHeaderOnly;
using badinput::SolidPicture;
using gamerun::GameCopy;
using gamerun::Le32;

namespace {

constexpr size_t kOverXmlLimit = 16u * 1024 * 1024 + 1;

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

// Config.dat as the options screen leaves it after each row was changed and changed back.
std::string ConfigAfterOptions(const std::string& read) {
    std::string full = read;
    const std::string defaults = Bytes({0, 1, 1, 0}) + Le32(2);
    if (full.empty()) full = defaults;
    if (full.size() < 8) full += defaults.substr(full.size());
    full.resize(8);
    for (int i = 0; i < 3; ++i) full[i] = full[i] ? 1 : 0;
    const int32_t difficulty = static_cast<int32_t>(static_cast<uint8_t>(full[4]) | static_cast<uint8_t>(full[5]) << 8 |
                                                    static_cast<uint8_t>(full[6]) << 16 |
                                                    static_cast<uint32_t>(static_cast<uint8_t>(full[7])) << 24);
    return full.substr(0, 4) + Le32(difficulty >= 0 && difficulty <= 2 ? difficulty : 2);
}

std::string SlotBytes(std::initializer_list<int32_t> fields) {
    std::string out;
    for (int32_t f : fields) out += Le32(f);
    return out;
}

const nlohmann::json& State(const Outcome& o, int checkpoint) {
    static const nlohmann::json kNull;
    return checkpoint < static_cast<int>(o.states.size()) ? o.states[checkpoint] : kNull;
}

// The save slot that the tour's load screen opens (slot index 2).
const char kSlot[] = "SAVE2";

// Makes the highscore table's rows 0..4 keep big scores and the rest whatever `bytes` hold.
std::string KeepTopFive(std::string bytes) {
    for (int r = 0; r < 5; ++r) bytes.replace(14 * r + 10, 4, Le32(2000000000 - r));
    return bytes;
}

void ExpectTopRowsKept(const GameCopy& copy, const std::string& before, int rows) {
    const std::optional<std::string> after = copy.Read("Highscore.dat");
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->size(), 140u);
    EXPECT_EQ(after->substr(0, 14 * rows), before.substr(0, 14 * rows)) << "the best rows were lost";
}

using Breaker = std::function<void(const GameCopy&)>;

// Writes `bytes` to `file`, or removes it when there are none.
Breaker Put(const std::string& file, const std::optional<std::string>& bytes) {
    return [=](const GameCopy& c) { bytes ? c.Write(file, *bytes) : c.Remove(file); };
}

using Check = std::function<void(const Outcome&, const GameCopy&)>;

// A broken player file: whether the load screen still opens its slot, the files expected afterwards, more checks.
Case Player(const std::string& file, const std::string& how, Breaker breakIt, bool slotOpens,
            std::map<std::string, std::optional<std::string>> after = {}, Check check = nullptr) {
    return Case{file, how, std::move(breakIt), {}, slotOpens, std::move(after), std::move(check)};
}

// Puts a folder where the file belongs.
Breaker FolderInstead(const std::string& file) {
    return [=](const GameCopy& c) {
        c.Remove(file);
        c.Write(file + "/x", "");
    };
}

}  // namespace

TEST(BadInputTest, PlayerFiles) {
    const std::string prepared = badinput::PreparedPlayerFiles()["Highscore.dat"];
    const std::string config = badinput::PreparedPlayerFiles()["Config.dat"];
    const std::string defaults = Bytes({0, 1, 1, 0}) + Le32(2);
    const std::string garbageConfig = Garbage(8, 3);
    const std::string garbageTable = KeepTopFive(Garbage(140, 4));
    std::string absurdTable;
    for (int r = 0; r < 10; ++r) {
        absurdTable += Bytes({1, 0xFF, '"', '\\', 0, '\n', 0x80, '<', '%', 's'}) + Le32(r < 9 ? INT_MAX : INT_MIN);
    }
    auto configCase = [](const char* how, Breaker breakIt, std::optional<std::string> after, Check check = nullptr) {
        return Player("Config.dat", how, breakIt, true, {{"Config.dat", after}}, check);
    };
    // Without a full table the level's score may take a row; the rows that were there stay.
    auto tableCase = [](const char* how, Breaker breakIt, const std::string& before, int keptRows) {
        return Player("Highscore.dat", how, breakIt, true, {{"Highscore.dat", badinput::kCheckedByCase}},
                      [=](const Outcome&, const GameCopy& c) { ExpectTopRowsKept(c, before, keptRows); });
    };
    std::map<std::string, std::optional<std::string>> noSlots;
    for (int i = 0; i < 8; ++i) noSlots["SAVE" + std::to_string(i)] = "";
    const std::vector<Case> cases = {
        configCase("missing", Put("Config.dat", std::nullopt), defaults),
        configCase("empty", Put("Config.dat", ""), defaults),
        configCase("cut to 3 bytes", Put("Config.dat", Bytes({1, 0, 1})), Bytes({1, 0, 1, 0}) + Le32(2)),
        configCase("1 MB", Put("Config.dat", config + Garbage(1 << 20, 1)), config),
        configCase("garbage", Put("Config.dat", garbageConfig), ConfigAfterOptions(garbageConfig)),
        configCase("absurd values (0xFF options, difficulty 2^31-1)",
                   Put("Config.dat", Bytes({0xFF, 0xFF, 0xFF, 0x7F}) + Le32(INT_MAX)), Bytes({1, 1, 1, 0x7F}) + Le32(2),
                   [](const Outcome& o, const GameCopy&) {
                       EXPECT_EQ(State(o, badinput::kMenu).at("difficulty"), 2)
                           << "an absurd difficulty counts as hard";
                   }),
        configCase("a folder", FolderInstead("Config.dat"), std::nullopt,
                   [](const Outcome& o, const GameCopy& c) {
                       EXPECT_TRUE(c.Exists("Config.dat/x"));
                       EXPECT_NE(o.run.err.find("could not write Config.dat"), std::string::npos) << o.run.err;
                   }),

        Player(
            "SAVE0..7", "all missing",
            [](const GameCopy& c) {
                for (int i = 0; i < 8; ++i) c.Remove("SAVE" + std::to_string(i));
            },
            false, noSlots),
        Player(kSlot, "empty", Put(kSlot, ""), false),
        Player(
            kSlot, "cut to 10 bytes", [](const GameCopy& c) { c.Write(kSlot, c.Read(kSlot)->substr(0, 10)); }, true, {},
            [](const Outcome& o, const GameCopy&) {
                const auto& player = State(o, badinput::kAfterLoad).at("player");
                EXPECT_EQ(player.at("nextLevel"), 3);
                EXPECT_EQ(player.at("health"), 88);
                EXPECT_EQ(player.at("lives"), 4) << "two bytes of lives from the file, two from a fresh record";
                EXPECT_EQ(player.at("score"), 0);
            }),
        Player(
            kSlot, "1 MB", [](const GameCopy& c) { c.Write(kSlot, *c.Read(kSlot) + Garbage(1 << 20, 2)); }, true),
        Player(kSlot, "garbage (level 0xDEADBEEF)", Put(kSlot, Le32(static_cast<int32_t>(0xDEADBEEF)) + Garbage(20, 5)),
               false),
        // The loaded record stays the player's when its briefing is left, so the best scores opened from the
        // menu then offer its score a row: it enters at the top, everything else moves down one.
        Player(kSlot, "absurd record (extreme values)",
               Put(kSlot, SlotBytes({3, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MIN})), true,
               {{"Highscore.dat", badinput::kCheckedByCase}},
               [&](const Outcome& o, const GameCopy& c) {
                   const auto& briefing = State(o, badinput::kAfterLoad);
                   EXPECT_EQ(briefing.at("player").at("lives"), INT_MAX);
                   EXPECT_EQ(briefing.at("screen").at("levelNumber"), 3);
                   EXPECT_EQ(c.Read("Highscore.dat"), std::string(10, ' ') + Le32(INT_MAX) + prepared.substr(0, 126));
               }),
        Player(kSlot, "a folder", FolderInstead(kSlot), false, {{kSlot, std::nullopt}}),

        tableCase("missing", Put("Highscore.dat", std::nullopt), "", 0),
        tableCase("empty", Put("Highscore.dat", ""), "", 0),
        tableCase("cut inside row 6 (75 bytes)", Put("Highscore.dat", prepared.substr(0, 75)), prepared, 5),
        Player("Highscore.dat", "1 MB", Put("Highscore.dat", prepared + Garbage(1 << 20, 6)), true,
               {{"Highscore.dat", prepared}}),
        tableCase("garbage (top five scores kept high)", Put("Highscore.dat", garbageTable), garbageTable, 5),
        tableCase("absurd names and scores (2^31-1, last -2^31)", Put("Highscore.dat", absurdTable), absurdTable, 9),
        Player("Highscore.dat", "a folder", FolderInstead("Highscore.dat"), true,
               {{"Highscore.dat", badinput::kCheckedByCase}},
               [](const Outcome& o, const GameCopy& c) {
                   EXPECT_TRUE(c.Exists("Highscore.dat/x"));
                   EXPECT_NE(o.run.err.find("Highscore.dat could not be read"), std::string::npos) << o.run.err;
               }),
    };
    badinput::RunCases("player files", cases, badinput::WriteBusyLevel);
}

namespace {

std::string ManyEntries(const char* element, const char* attribute, int count, size_t valueLength) {
    std::string xml = "<TABLE>\r\n";
    for (int i = 0; i < count; ++i) {
        std::string value = std::to_string(i);
        value.resize(valueLength, 'x');
        xml += std::string("<") + element + " " + attribute + "=\"" + value + "\"/>\r\n";
    }
    return xml + "</TABLE>\r\n";
}

std::string OverLimit(const char* element, const char* attribute) {
    std::string xml = ManyEntries(element, attribute, 200, 8);
    xml.resize(kOverXmlLimit, ' ');
    return xml;
}

// The five ways every description file is broken, on `files` (relative paths) all at once.
std::vector<Case> XmlCases(const std::string& name, std::vector<std::string> (*files)(const GameCopy&),
                           const char* element, const char* attribute) {
    return {
        {name, "missing",
         [=](const GameCopy& c) {
             for (const auto& f : files(c)) c.Remove(f);
         }},
        {name, "empty",
         [=](const GameCopy& c) {
             for (const auto& f : files(c)) c.Write(f, "");
         }},
        {name, "cut in half",
         [=](const GameCopy& c) {
             for (const auto& f : files(c)) c.Write(f, FirstHalf(c.Read(f).value_or("")));
         }},
        {name,
         "over 16 MB (the first file)",
         [=](const GameCopy& c) {
             const std::vector<std::string> list = files(c);
             if (!list.empty()) c.Write(list.front(), OverLimit(element, attribute));
         },
         {badinput::kXmlReadMessage}},
        {name, "garbage",
         [=](const GameCopy& c) {
             uint32_t seed = 10;
             for (const auto& f : files(c)) c.Write(f, Garbage(64 * 1024, seed++));
         }},
    };
}

std::vector<std::string> TextTable(const GameCopy&) {
    return {"Data/Text.xml"};
}
std::vector<std::string> SampleTable(const GameCopy&) {
    return {"Data/Sample.xml"};
}

}  // namespace

TEST(BadInputTest, TextAndSampleTables) {
    std::vector<Case> cases = XmlCases("Data\\Text.xml", TextTable, "ENTRY", "TEXT");
    cases[0].check = [](const Outcome& o, const GameCopy&) {
        // No texts: the load screen's line is only the slot number between the blanks.
        EXPECT_EQ(State(o, badinput::kLoadGame).at("screen").at("lines").at(0), " 2  ");
    };
    cases.push_back({"Data\\Text.xml", "10000 entries of 500 letters",
                     [](const GameCopy& c) { c.Write("Data/Text.xml", ManyEntries("ENTRY", "TEXT", 10000, 500)); }});
    for (Case c : XmlCases("Data\\Sample.xml", SampleTable, "ENTRY", "SAMPLE")) cases.push_back(c);
    cases.push_back({"Data\\Sample.xml", "300 entries, names with path signs", [](const GameCopy& c) {
                         std::string xml = "<SAMPLES>\r\n";
                         for (int i = 0; i < 300; ++i) {
                             xml += "<ENTRY SAMPLE=\"..\\..\\" + std::to_string(i) + "/x:*?\"/>\r\n";
                         }
                         c.Write("Data/Sample.xml", xml + "</SAMPLES>\r\n");
                     }});
    badinput::RunCases("tables", cases, badinput::WriteBusyLevel);
}

namespace {

std::vector<std::string> LevelZero(const GameCopy&) {
    return {"LevelDescriptions/Level0.xml"};
}

// Level 0 of the content, or our busy level where the content has none yet.
void LevelZeroPresent(const GameCopy& copy) {
    if (!copy.Exists("LevelDescriptions/Level0.xml") || !copy.Exists("LevelDescriptions/Level0.dat")) {
        badinput::WriteBusyLevel(copy);
    }
}

std::string Placement(const std::string& block, const std::string& typeElement, const std::string& type,
                      const std::vector<std::pair<long long, long long>>& route) {
    std::ostringstream xml;
    xml << "<" << block << ">\r\n<" << typeElement << " VALUE=\"" << type << "\"/>\r\n";
    for (size_t i = 0; i < route.size(); ++i) {
        const char* element = block == "OBJECT" ? "OBJECT_POS" : i == 0 ? "START_POS" : "ROUTE_PNT";
        xml << "<" << element << " X=\"" << route[i].first << "\" Y=\"" << route[i].second << "\"/>\r\n";
    }
    xml << "</" << block << ">\r\n";
    return xml.str();
}

std::string LevelXml(long long startX, long long startY, long long finishX, long long finishY,
                     const std::string& placements) {
    std::ostringstream xml;
    xml << "<LEVEL>\r\n<HERO>\r\n<START_POS X=\"" << startX << "\" Y=\"" << startY << "\"/>\r\n<FINISH_POS X=\""
        << finishX << "\" Y=\"" << finishY << "\"/>\r\n</HERO>\r\n"
        << placements << "</LEVEL>\r\n";
    return xml.str();
}

const char* const kEnemyKinds[] = {"SMOK", "PTERO", "RAPTOR", "NIETOPERZ", "FLYINGMINE", "YETI"};
const char* const kObjectKinds[] = {"GOLDCOIN", "mine", "jumper", "CHECKPOINT", "HEALTH10", "MACE"};

}  // namespace

TEST(BadInputTest, LevelFiles) {
    std::vector<Case> cases = XmlCases("LevelDescriptions\\Level0.xml", LevelZero, "ROUTE_PNT", "X");
    const std::string dat = "LevelDescriptions/Level0.dat";
    const std::vector<Case> more = {
        {"LevelDescriptions\\Level0.dat", "missing", Put(dat, std::nullopt), {badinput::kCollisionMessage}},
        {"LevelDescriptions\\Level0.dat", "empty", Put(dat, ""), {badinput::kCollisionMessage}},
        {"LevelDescriptions\\Level0.dat", "cut in half",
         [=](const GameCopy& c) { c.Write(dat, FirstHalf(c.Read(dat).value_or(""))); }},
        {"LevelDescriptions\\Level0.dat", "1 MB", Put(dat, Garbage(1 << 20, 20))},
        {"LevelDescriptions\\Level0.dat", "garbage cells (every byte value)", Put(dat, Garbage(32770, 21))},
        {"LevelDescriptions\\Level0.xml", "huge coordinates everywhere",
         [](const GameCopy& c) {
             std::string p;
             const long long big = INT_MAX;
             const long long low = INT_MIN;
             p += Placement("ENEMY", "ENEMY_TYPE", "SMOK", {{big, big}, {low, low}});
             p += Placement("ENEMY", "ENEMY_TYPE", "PTERO", {{low, 500}, {big, 500}, {500, 99999999999LL}});
             p += Placement("OBJECT", "OBJECT_TYPE", "GOLDCOIN", {{big, low}});
             p += Placement("OBJECT", "OBJECT_TYPE", "mine", {{-1000000000, 1000000000}});
             p += Placement("MOVABLEEL", "ELEMENT_TYPE", "platforma", {{big, big}, {low, low}, {0, big}});
             c.Write("LevelDescriptions/Level0.xml", LevelXml(big, low, low, big, p));
         }},
        // Every enemy step looks at every platform, so the counts stay where a run takes seconds, not minutes.
        {"LevelDescriptions\\Level0.xml", "huge counts (10000 enemies, 50000 objects, 100 platforms)",
         [](const GameCopy& c) {
             std::string p;
             for (int i = 0; i < 10000; ++i) {
                 const int x = 40 + (i * 37) % 4000;
                 const int y = 40 + (i * 91) % 1950;
                 p += Placement("ENEMY", "ENEMY_TYPE", kEnemyKinds[i % 6], {{x, y}, {x + 50, y}});
             }
             for (int i = 0; i < 50000; ++i) {
                 p += Placement("OBJECT", "OBJECT_TYPE", kObjectKinds[i % 6], {{(i * 53) % 4090, (i * 29) % 2040}});
             }
             for (int i = 0; i < 100; ++i) {
                 const int x = (i * 71) % 4000;
                 const int y = (i * 43) % 2000;
                 p += Placement("MOVABLEEL", "ELEMENT_TYPE", "platforma", {{x, y}, {x + 64, y + 64}});
             }
             c.Write("LevelDescriptions/Level0.xml", LevelXml(400, 560, 3900, 560, p));
         }},
        {"LevelDescriptions\\Level0.xml",
         "a route of a million points (over 16 MB)",
         [](const GameCopy& c) {
             std::vector<std::pair<long long, long long>> route;
             for (int i = 0; i < 1000000; ++i) route.push_back({600 + i % 200, 480});
             c.Write("LevelDescriptions/Level0.xml",
                     LevelXml(400, 560, 3900, 560, Placement("ENEMY", "ENEMY_TYPE", "SMOK", route)));
         },
         {badinput::kXmlReadMessage}},
        {"LevelDescriptions\\Level0.xml", "routes of 200000 points (enemy and platform)",
         [](const GameCopy& c) {
             std::vector<std::pair<long long, long long>> route;
             for (int i = 0; i < 200000; ++i) route.push_back({600 + (i * 7) % 300, 300 + (i * 13) % 300});
             c.Write("LevelDescriptions/Level0.xml",
                     LevelXml(400, 560, 3900, 560,
                              Placement("ENEMY", "ENEMY_TYPE", "PTERO", route) +
                                  Placement("MOVABLEEL", "ELEMENT_TYPE", "platforma", route)));
         }},
        {"LevelDescriptions\\Level0.xml",
         "60 enemy kinds (most without a unit file), routes of one point",
         [](const GameCopy& c) {
             std::string p;
             for (int i = 0; i < 60; ++i) {
                 const std::string kind = i < 6 ? kEnemyKinds[i] : "NOSUCHUNIT" + std::to_string(i);
                 p += Placement("ENEMY", "ENEMY_TYPE", kind, {{500 + 40 * i, 480}});
             }
             p += Placement("MOVABLEEL", "ELEMENT_TYPE", "platforma", {{450, 440}});
             p += Placement("MOVABLEEL", "ELEMENT_TYPE", "nosuchplatform", {{650, 440}, {700, 440}});
             p += Placement("OBJECT", "OBJECT_TYPE", "NOSUCHOBJECT", {{520, 600}});
             c.Write("LevelDescriptions/Level0.xml", LevelXml(400, 560, 3900, 560, p));
         },
         {},
         true,
         {},
         [](const Outcome& o, const GameCopy&) {
             EXPECT_EQ(State(o, badinput::kBriefing).at("screen").at("typeCount"), 10) << "the briefing shows ten";
         }},
        {"LevelDescriptions\\Level0.xml", "ends inside an open ENEMY block",
         [](const GameCopy& c) {
             c.Write("LevelDescriptions/Level0.xml",
                     "<LEVEL>\r\n<HERO>\r\n<START_POS X=\"400\" Y=\"560\"/>\r\n<FINISH_POS X=\"3900\" "
                     "Y=\"560\"/>\r\n</HERO>\r\n<ENEMY>\r\n<ENEMY_TYPE VALUE=\"SMOK\"/>\r\n<START_POS X=\"600\" "
                     "Y=\"480\"/>\r\n<ROUTE_PNT X=\"700\"");
         }},
        {"LevelDescriptions\\Level0..7.xml and .dat",
         "every level garbage, every grid missing",
         [](const GameCopy& c) {
             for (int n = 0; n < 8; ++n) {
                 const std::string base = "LevelDescriptions/Level" + std::to_string(n);
                 c.Write(base + ".xml", Garbage(4096, 30 + n));
                 c.Remove(base + ".dat");
             }
         },
         {badinput::kCollisionMessage}},
    };
    cases.insert(cases.end(), more.begin(), more.end());
    badinput::RunCases("levels", cases, LevelZeroPresent);
}

namespace {

std::vector<std::string> UnitFiles(const GameCopy& c) {
    return c.Find("Units", ".xml", false);
}
std::vector<std::string> ObjectFiles(const GameCopy& c) {
    return c.Find("Objects", ".xml", false);
}
std::vector<std::string> PlatformFile(const GameCopy&) {
    return {"LevelDescriptions/MovableEl.xml"};
}

}  // namespace

TEST(BadInputTest, UnitObjectAndPlatformDefinitions) {
    std::vector<Case> cases = XmlCases("Units\\*.xml", UnitFiles, "WEAPON", "NAME");
    for (Case c : XmlCases("Objects\\*.xml", ObjectFiles, "CLASS", "VALUE")) cases.push_back(c);
    for (Case c : XmlCases("LevelDescriptions\\MovableEl.xml", PlatformFile, "ELEMENT", "NAME")) cases.push_back(c);
    const std::vector<Case> absurd = {
        {"Units\\*.xml", "absurd numbers (size 100000, speed 10^6, jump -50, strength -2^31, key 999)",
         [](const GameCopy& c) {
             for (const std::string& f : UnitFiles(c)) {
                 std::string xml = *c.Read(f);
                 const size_t cls = xml.find("<CLASS");
                 const std::string classLine = xml.substr(cls, xml.find('\n', cls) - cls + 1);
                 c.Write(
                     f, "<UNIT>\r\n<COLORKEY R=\"999\" G=\"-5\" B=\"100000\"/>\r\n" + classLine +
                            "<SPEED SPEED=\"1000000\"/>\r\n<JUMP JUMP=\"-50\"/>\r\n<STRENGHT STRENGHT=\"-2147483648\"/>"
                            "\r\n<ENERGY ENERGY=\"2147483647\"/>\r\n<MAXSIZE HEIGHT=\"100000\" WIDTH=\"100000\"/>\r\n"
                            "</UNIT>\r\n");
             }
         }},
        {"Units\\*.xml", "flyers and walkers without speed (speed 0 and -7)",
         [](const GameCopy& c) {
             int n = 0;
             for (const std::string& f : UnitFiles(c)) {
                 std::string xml = *c.Read(f);
                 const size_t speed = xml.find("SPEED=\"");
                 if (speed == std::string::npos) continue;
                 const size_t end = xml.find('"', speed + 7);
                 xml.replace(speed + 7, end - speed - 7, n++ % 2 ? "0" : "-7");
                 const size_t jump = xml.find("JUMP=\"");
                 if (jump != std::string::npos && n % 3 == 0) {
                     xml.replace(jump + 6, xml.find('"', jump + 6) - jump - 6, "0");
                 }
                 c.Write(f, xml);
             }
         }},
        {"Units\\hero.xml", "missing (the hero has no type)",
         [](const GameCopy& c) {
             for (const std::string& f : UnitFiles(c)) {
                 if (f.size() >= 8 && (f.substr(f.size() - 8) == "hero.xml" || f.substr(f.size() - 8) == "HERO.xml")) {
                     c.Remove(f);
                 }
             }
         }},
        {"Objects\\*.xml",
         "absurd values (2^31-1 money, points, lives, range; -2^31 health)",
         [](const GameCopy& c) {
             for (const std::string& f : ObjectFiles(c)) {
                 std::string xml = *c.Read(f);
                 const size_t cls = xml.find("<CLASS");
                 const std::string classLine = xml.substr(cls, xml.find('\n', cls) - cls + 1);
                 std::string values;
                 for (const char* name : {"LIFE", "MACE", "DAMAGE", "RANGE", "POINT", "USE", "QUANTITY", "MONEY"}) {
                     values += std::string("<") + name + " VALUE=\"2147483647\"/>\r\n";
                 }
                 c.Write(f, "<OBJECT>\r\n" + classLine + "<COLORKEY R=\"-1\" G=\"300\" B=\"0\"/>\r\n" + values +
                                "<HEALTH VALUE=\"-2147483648\"/>\r\n<PICKABLE VALUE=\"-9\"/>\r\n"
                                "<CHECKPOINT VALUE=\"7\"/>\r\n</OBJECT>\r\n");
             }
         },
         {},
         true,
         {{"Highscore.dat", badinput::kCheckedByCase}},
         // A pickup worth billions puts the level's score at the top of the best scores; the others move down.
         [](const Outcome&, const GameCopy& c) {
             const std::string before = badinput::PreparedPlayerFiles()["Highscore.dat"];
             const std::optional<std::string> after = c.Read("Highscore.dat");
             ASSERT_TRUE(after.has_value());
             if (*after != before) {
                 EXPECT_EQ(after->substr(14), before.substr(0, 126));
             }
         }},
        {"LevelDescriptions\\MovableEl.xml", "1000 kinds",
         [](const GameCopy& c) {
             std::string xml = *c.Read("LevelDescriptions/MovableEl.xml");
             std::string extra;
             for (int i = 0; i < 1000; ++i) {
                 extra +=
                     "<ELEMENT NAME=\"kind" + std::to_string(i) + "\" COLLISION=\"TRUE\" DESTROYABLE=\"FALSE\"/>\r\n";
             }
             xml.insert(xml.find("<ELEMENT"), extra);
             c.Write("LevelDescriptions/MovableEl.xml", xml);
         }},
    };
    cases.insert(cases.end(), absurd.begin(), absurd.end());
    badinput::RunCases("definitions", cases, badinput::WriteBusyLevel);
}

namespace {

// The six ways a picture is broken, by number.
std::string BrokenPicture(const GameCopy& c, const std::string& file, int variant) {
    switch (variant % 6) {
        case 0:
            return "";
        case 1:
            return FirstHalf(c.Read(file).value_or(""));
        case 2:
            return Garbage(5000, 40 + variant);
        case 3:
            return PngHeaderOnly(0, 0);
        case 4:
            return PngHeaderOnly(30000, 30000);
        default:
            return std::string("\x89PNG\r\n\x1a\n", 8) + Garbage(3000, 50 + variant);
    }
}

const char* const kVariantNames[] = {
    "empty", "cut in half", "garbage", "PNG header 0x0", "PNG header 30000x30000", "PNG signature then garbage"};

// Breaks every file of the list, the variants taking turns; "missing" removes them all.
Case PictureCase(const std::string& name, std::function<std::vector<std::string>(const GameCopy&)> files, int variant,
                 std::vector<std::string> messages = {}) {
    const std::string how = variant < 0    ? "missing"
                            : variant >= 6 ? "each file one of the six breaks"
                                           : kVariantNames[variant];
    return {name, how,
            [=](const GameCopy& c) {
                int turn = variant;
                for (const std::string& f : files(c)) {
                    if (variant < 0) {
                        c.Remove(f);
                    } else {
                        c.Write(f, BrokenPicture(c, f, turn));
                        if (variant >= 6) ++turn;
                    }
                }
            },
            messages};
}

std::function<std::vector<std::string>(const GameCopy&)> One(const std::string& file) {
    return [=](const GameCopy&) { return std::vector<std::string>{file}; };
}

std::function<std::vector<std::string>(const GameCopy&)> All(const std::string& folder, bool recursive = true) {
    return [=](const GameCopy& c) { return c.Find(folder, ".png", recursive); };
}

// Every picture of a scenery set whose file name starts with `prefix`.
std::function<std::vector<std::string>(const GameCopy&)> Scenery(const std::string& prefix) {
    return [=](const GameCopy& c) {
        std::vector<std::string> found;
        for (const std::string& f : c.Find("LevelDescriptions/Level0", ".png", false)) {
            const std::string name = f.substr(f.rfind('/') + 1);
            if (name.compare(0, prefix.size(), prefix) == 0) found.push_back(f);
        }
        return found;
    };
}

std::function<std::vector<std::string>(const GameCopy&)> Tiles() {
    return [](const GameCopy& c) {
        std::vector<std::string> found;
        for (const std::string& f : c.Find("LevelDescriptions/Level0", ".png", false)) {
            const std::string name = f.substr(f.rfind('/') + 1);
            if (name.find('_') != std::string::npos && name.compare(0, 6, "Level0") != 0) found.push_back(f);
        }
        return found;
    };
}

std::function<std::vector<std::string>(const GameCopy&)> StatusIcons() {
    return [](const GameCopy&) {
        return std::vector<std::string>{"Graphics/Life.png", "Graphics/Energy.png", "Graphics/Maczuga.png",
                                        "Graphics/Moneta.png"};
    };
}

// A strip narrower than one frame, in place of each file.
Case NarrowStrips(const std::string& name, std::function<std::vector<std::string>(const GameCopy&)> files) {
    return {name, "strips narrower than one frame", [=](const GameCopy& c) {
                int i = 0;
                for (const std::string& f : files(c)) {
                    c.Write(f, SolidPicture(i % 2 ? 7 : 31, i % 3 ? 200 : 20, 0x336699));
                    ++i;
                }
            }};
}

}  // namespace

TEST(BadInputTest, Pictures) {
    const std::string level0 = "LevelDescriptions/Level0/";
    const std::vector<Case> cases = {
        PictureCase("Graphics\\Spritelitery.png (font sheet)", One("Graphics/Spritelitery.png"), -1),
        PictureCase("Graphics\\Spritelitery.png (font sheet)", One("Graphics/Spritelitery.png"), 4),
        PictureCase("Graphics\\Menu\\Bkg.png", One("Graphics/Menu/Bkg.png"), -1, {badinput::kMenuBackgroundMessage}),
        PictureCase("Graphics\\Menu\\Bkg.png", One("Graphics/Menu/Bkg.png"), 3, {badinput::kMenuBackgroundMessage}),
        PictureCase("Graphics\\Options\\Background.png", One("Graphics/Options/Background.png"), 0),
        PictureCase("Graphics\\About\\Background.png", One("Graphics/About/Background.png"), 1,
                    {badinput::kBackgroundPictureMessage}),
        PictureCase("Graphics\\LoadGame\\Background.png", One("Graphics/LoadGame/Background.png"), 2,
                    {badinput::kBackgroundPictureMessage}),
        PictureCase("Graphics\\Highscore\\Background.png", One("Graphics/Highscore/Background.png"), 5),
        PictureCase("Graphics\\Briefing\\*.png (background, frames)", All("Graphics/Briefing"), 6),
        PictureCase("Graphics\\Life, Energy, Maczuga, Moneta.png (status icons)", StatusIcons(), 6,
                    {badinput::kStatusIconMessage}),
        PictureCase("Graphics\\Bang\\Bang.png (hit flash)", One("Graphics/Bang/Bang.png"), 4),
        NarrowStrips("Graphics\\Bang\\Bang.png (hit flash)", One("Graphics/Bang/Bang.png")),
        PictureCase("Units\\*\\*.png (unit strips)", All("Units"), 6),
        PictureCase("Units\\*\\*.png (unit strips)", All("Units"), -1),
        NarrowStrips("Units\\*\\*.png (unit strips)", All("Units")),
        PictureCase("Objects\\*\\rot.png (object strips)", All("Objects"), 6),
        NarrowStrips("Objects\\*\\rot.png (object strips)", All("Objects")),
        PictureCase("LevelDescriptions\\Level0\\MovableEl\\*.png (platforms)", All(level0 + "MovableEl"), 6),
        NarrowStrips("LevelDescriptions\\Level0\\MovableEl\\*.png (platforms)", All(level0 + "MovableEl")),
        PictureCase("LevelDescriptions\\Level0\\<key>_<v>.png (tiles)", Tiles(), 6),
        PictureCase("LevelDescriptions\\Level0\\Branch*.png", Scenery("Branch"), 6),
        PictureCase("LevelDescriptions\\Level0\\Artefact*.png", Scenery("Artefact"), 6),
        PictureCase("LevelDescriptions\\Level0\\Level0_3.png (static plan)", Scenery("Level0_3"), 4,
                    {badinput::kStaticPlanMessage}),
        {"LevelDescriptions\\Level0\\Background\\*.png (both layers)",
         "each file one of the six breaks",
         PictureCase("", All(level0 + "Background"), 6).breakIt,
         {},
         true,
         // The near layer gives up and the option goes off, as the file keeps it.
         {{"Config.dat", std::string("\x00\x01\x01\x00", 4) + Le32(1)}},
         [](const Outcome& o, const GameCopy& c) {
             const auto& state = State(o, badinput::kAfterLevel);
             if (state.contains("level")) {
                 EXPECT_NE(state["level"].at("message"), "") << "the near layer's failure is told";
                 EXPECT_EQ(state["level"].at("nearLayerOption"), false);
             }
             (void)c;
         }},
    };
    badinput::RunCases("pictures", cases, badinput::WriteBusyLevel);
}
