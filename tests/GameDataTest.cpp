// Tests of the level description reader and the game data tables, on files in a temporary game folder.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "core/Messages.h"
#include "data/GameData.h"
#include "data/LevelDescription.h"
#include "data/XmlReader.h"

namespace {

class GameDataTest : public ::testing::Test {
protected:
    void Write(const std::string& path, const std::string& content) const { folder_.Write(path, content); }
    LevelDescription ReadLevel(const std::string& content) {
        Write("Level.xml", content);
        LevelDescription level;
        level.ReadFile("Level.xml");
        return level;
    }
    const std::vector<std::string>& Shown() const { return services_.messageBox.shown; }

private:
    testing_support::TempGameFolder folder_;
    testing_support::HeadlessServices services_;
};

std::string Route(const std::vector<Point>& route) {
    std::string s;
    for (const Point& p : route) s += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
    return s;
}

// Each case reads one small file and compares a summary of the record.
struct LevelCase {
    const char* label;
    std::string file;
    std::string expected;
};

std::string Summary(const LevelDescription& l) {
    std::string s = "name=" + l.name + " hero=" + std::to_string(l.heroStartX) + "," + std::to_string(l.heroStartY) +
                    " finish=" + std::to_string(l.finishX) + "," + std::to_string(l.finishY);
    s += " enemies=" + std::to_string(l.enemyCount);
    for (const EnemyPlacement& e : l.enemies) s += " [" + e.type + Route(e.route) + "]";
    s += " objects=" + std::to_string(l.objectCount);
    for (const ObjectPlacement& o : l.objects)
        s += " [" + o.type + "(" + std::to_string(o.x) + "," + std::to_string(o.y) + ")]";
    s += " elements=" + std::to_string(l.movableElementCount);
    for (const MovableElementPlacement& m : l.movableElements) s += " [" + m.type + Route(m.route) + "]";
    s += " types=";
    for (const std::string& t : l.enemyTypes) s += t + ";";
    s += "/";
    for (const std::string& t : l.objectTypes) s += t + ";";
    s += "/";
    for (const std::string& t : l.movableElementTypes) s += t + ";";
    return s;
}

bool IsEmpty(const LevelDescription& level) {
    return Summary(level) == "name= hero=0,0 finish=0,0 enemies=0 objects=0 elements=0 types=//";
}

const char kFullLevel[] =
    "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n"
    "<LEVEL>\r\n"
    "  <!!the first level>\r\n"
    "  <NAME VALUE=\"Jaskinia\" KIND=\"x\"/>\r\n"
    "  <HERO>\r\n"
    "    <START_POS X=\"64\" Y=\"1800\"/>\r\n"
    "    <FINISH_POS X=\"3900\" Y=\"-20\"/>\r\n"
    "  </HERO>\r\n"
    "  <ENEMY>\r\n"
    "    <ENEMY_TYPE T=\"DINO\"/>\r\n"
    "    <START_POS X=\"100\" Y=\"200\"/>\r\n"
    "    <ROUTE_PNT X=\"300\" Y=\"200\"/>\r\n"
    "    <ROUTE_PNT X=\"300\" Y=\"007\"/>\r\n"
    "  </ENEMY>\r\n"
    "  <OBJECT>\r\n"
    "    <OBJECT_TYPE T=\"coin\"/>\r\n"
    "    <OBJECT_POS X=\"10\" Y=\"20\"/>\r\n"
    "  </OBJECT>\r\n"
    "  <MOVABLEEL>\r\n"
    "    <ELEMENT_TYPE T=\"raft\"/>\r\n"
    "    <START_POS X=\"1\" Y=\"2\"/>\r\n"
    "    <ROUTE_PNT X=\"3\" Y=\"4\"/>\r\n"
    "  </MOVABLEEL>\r\n"
    "  <ENEMY>\r\n"
    "    <ENEMY_TYPE T=\"BAT\"/>\r\n"
    "    <START_POS X=\"5\" Y=\"6\"/>\r\n"
    "  </ENEMY>\r\n"
    "  <OBJECT><OBJECT_TYPE T=\"mine\"/><OBJECT_POS X=\"30\" Y=\"40\"/></OBJECT>\r\n"
    "</LEVEL>\r\n";

TEST_F(GameDataTest, ReadsEveryBlockOfALevel) {
    // FINISH_POS Y "-20" is -280 through the positional conversion.
    EXPECT_EQ(Summary(ReadLevel(kFullLevel)),
              "name=Jaskinia hero=64,1800 finish=3900,-280 enemies=2 [DINO(100,200)(300,200)(300,7)] [BAT(5,6)] "
              "objects=2 [coin(10,20)] [mine(30,40)] elements=1 [raft(1,2)(3,4)] types=DINO;BAT;/coin;mine;/raft;");
    EXPECT_TRUE(Shown().empty());
}

TEST_F(GameDataTest, RulesOfTheFlatWalk) {
    const std::string none = " enemies=0 objects=0 elements=0 types=//";
    const std::vector<LevelCase> cases = {
        {"only a hero block", "<HERO>\n<START_POS a=\"1\" b=\"2\"/>\n<FINISH_POS c=\"3\" d=\"4\"/>\n</HERO>\n",
         "name= hero=1,2 finish=3,4" + none},
        {"same enemy type twice is listed once",
         "<ENEMY><ENEMY_TYPE t=\"DINO\"/></ENEMY><ENEMY><ENEMY_TYPE t=\"DINO\"/></ENEMY>",
         "name= hero=0,0 finish=0,0 enemies=2 [DINO] [DINO] objects=0 elements=0 types=DINO;//"},
        {"types compare exactly",
         "<ENEMY><ENEMY_TYPE t=\"Dino\"/></ENEMY><ENEMY><ENEMY_TYPE t=\"DINO\"/></ENEMY>"
         "<OBJECT><OBJECT_TYPE t=\"coin\"/></OBJECT><OBJECT><OBJECT_TYPE t=\"coin\"/></OBJECT>"
         "<MOVABLEEL><ELEMENT_TYPE t=\"a\"/></MOVABLEEL><MOVABLEEL><ELEMENT_TYPE t=\"b\"/></MOVABLEEL>"
         "<MOVABLEEL><ELEMENT_TYPE t=\"a\"/></MOVABLEEL>",
         "name= hero=0,0 finish=0,0 enemies=2 [Dino] [DINO] objects=2 [coin(0,0)] [coin(0,0)] elements=3 [a] [b] [a] "
         "types=Dino;DINO;/coin;/a;b;"},
        {"START_POS drops earlier route points",
         "<ENEMY><ROUTE_PNT x=\"1\" y=\"1\"/><ROUTE_PNT x=\"2\" y=\"2\"/><START_POS x=\"9\" y=\"9\"/>"
         "<ROUTE_PNT x=\"3\" y=\"3\"/></ENEMY>",
         "name= hero=0,0 finish=0,0 enemies=1 [(9,9)(3,3)] objects=0 elements=0 types=;//"},
        {"START_POS drops earlier route points of a movable element",
         "<MOVABLEEL><ROUTE_PNT x=\"1\" y=\"1\"/><START_POS x=\"9\" y=\"9\"/><ROUTE_PNT x=\"3\" y=\"3\"/>"
         "<START_POS x=\"8\" y=\"8\"/></MOVABLEEL>",
         "name= hero=0,0 finish=0,0 enemies=0 objects=0 elements=1 [(8,8)] types=//;"},
        {"route points without a start", "<ENEMY><ROUTE_PNT x=\"1\" y=\"2\"/></ENEMY>",
         "name= hero=0,0 finish=0,0 enemies=1 [(1,2)] objects=0 elements=0 types=;//"},
        {"NAME needs exactly two attributes", "<NAME v=\"one\"/><NAME v=\"two\" w=\"x\" z=\"y\"/>",
         "name= hero=0,0 finish=0,0" + none},
        {"a later NAME replaces the earlier", "<NAME v=\"one\" w=\"x\"/><NAME v=\"two\" w=\"x\"/>",
         "name=two hero=0,0 finish=0,0" + none},
        {"NAME as an opening tag counts", "<NAME v=\"one\" w=\"x\"></NAME>", "name=one hero=0,0 finish=0,0" + none},
        {"START_POS with three attributes is ignored",
         "<HERO><START_POS x=\"1\" y=\"2\" z=\"3\"/><START_POS x=\"4\"/></HERO>", "name= hero=0,0 finish=0,0" + none},
        {"a later START_POS replaces the earlier",
         "<HERO><START_POS x=\"1\" y=\"2\"/><START_POS x=\"4\" y=\"5\"/></HERO>", "name= hero=4,5 finish=0,0" + none},
        {"positions outside their blocks are ignored",
         "<START_POS x=\"1\" y=\"2\"/><FINISH_POS x=\"1\" y=\"2\"/><ROUTE_PNT x=\"1\" y=\"2\"/>"
         "<OBJECT_POS x=\"1\" y=\"2\"/><ENEMY_TYPE t=\"DINO\"/>",
         "name= hero=0,0 finish=0,0" + none},
        {"ENEMY_TYPE as opening and closing tag leaves the type empty",
         "<ENEMY><ENEMY_TYPE t=\"DINO\"></ENEMY_TYPE></ENEMY>",
         "name= hero=0,0 finish=0,0 enemies=1 [] objects=0 elements=0 types=;//"},
        {"OBJECT_TYPE and ELEMENT_TYPE closing tags clear the type too",
         "<OBJECT><OBJECT_TYPE t=\"coin\"></OBJECT_TYPE></OBJECT>"
         "<MOVABLEEL><ELEMENT_TYPE t=\"raft\"></ELEMENT_TYPE></MOVABLEEL>",
         "name= hero=0,0 finish=0,0 enemies=0 objects=1 [(0,0)] elements=1 [] types=/;/;"},
        {"a type takes the first attribute whatever the count", "<ENEMY><ENEMY_TYPE a=\"DINO\" b=\"BAT\"/></ENEMY>",
         "name= hero=0,0 finish=0,0 enemies=1 [DINO] objects=0 elements=0 types=DINO;//"},
        {"OBJECT without OBJECT_POS stays at 0,0", "<OBJECT><OBJECT_TYPE t=\"coin\"/></OBJECT>",
         "name= hero=0,0 finish=0,0 enemies=0 objects=1 [coin(0,0)] elements=0 types=/coin;/"},
        {"an ENEMY inside HERO is ignored",
         "<HERO><ENEMY><ENEMY_TYPE t=\"DINO\"/></ENEMY><START_POS x=\"1\" y=\"2\"/></HERO>",
         "name= hero=1,2 finish=0,0" + none},
        {"hero positions inside an ENEMY block belong to the enemy",
         "<ENEMY><FINISH_POS x=\"1\" y=\"2\"/><NAME a=\"n\" b=\"m\"/><START_POS x=\"3\" y=\"4\"/></ENEMY>",
         "name= hero=0,0 finish=0,0 enemies=1 [(3,4)] objects=0 elements=0 types=;//"},
        {"a block ends only at its own closing tag",
         "<ENEMY></OBJECT></HERO><ENEMY_TYPE t=\"A\"/></ENEMY><OBJECT></OBJECT>",
         "name= hero=0,0 finish=0,0 enemies=1 [A] objects=1 [(0,0)] elements=0 types=A;/;/"},
        {"blocks do not nest: an opening tag of the same name does not end one",
         "<ENEMY><ENEMY_TYPE t=\"A\"/><ENEMY><ROUTE_PNT x=\"1\" y=\"2\"/></ENEMY>",
         "name= hero=0,0 finish=0,0 enemies=1 [A(1,2)] objects=0 elements=0 types=A;//"},
        {"a stray closing tag at the top level is skipped", "</ENEMY></HERO><NAME a=\"n\" b=\"m\"/>",
         "name=n hero=0,0 finish=0,0" + none},
        {"element names compare with their case",
         "<hero><START_POS x=\"1\" y=\"2\"/></hero><Enemy><ENEMY_TYPE t=\"A\"/></Enemy><name a=\"n\" b=\"m\"/>",
         "name= hero=0,0 finish=0,0" + none},
        {"comments are skipped, also inside blocks",
         "<!!NAME a=\"n\" b=\"m\"><HERO><!!START_POS x=\"1\" y=\"2\"></HERO>", "name= hero=0,0 finish=0,0" + none},
        {"a tag inside a standard comment is still read",
         "<!-- <NAME a=\"n\" b=\"m\"/> --><HERO><START_POS x=\"1\" y=\"2\"/></HERO>",
         "name=n hero=1,2 finish=0,0" + none},
        {"attribute names are free and unquoted values read as empty", "<HERO><START_POS q=\"7\" r=8/></HERO>",
         "name= hero=7,0 finish=0,0" + none},
        {"unknown elements and a wrapper are ignored",
         "<LEVEL><WHATEVER a=\"1\" b=\"2\"/><HERO><FINISH_POS x=\"5\" y=\"6\"/></HERO></LEVEL>",
         "name= hero=0,0 finish=5,6" + none},
    };
    for (const LevelCase& c : cases) EXPECT_EQ(Summary(ReadLevel(c.file)), c.expected) << c.label;
}

TEST_F(GameDataTest, FileEndingInsideABlockEndsReading) {
    const std::vector<LevelCase> cases = {
        {"inside ENEMY: the open block adds nothing",
         "<ENEMY><ENEMY_TYPE t=\"A\"/></ENEMY><ENEMY><ENEMY_TYPE t=\"B\"/><START_POS x=\"1\" y=\"2\"/>\r\n",
         "name= hero=0,0 finish=0,0 enemies=1 [A] objects=0 elements=0 types=A;//"},
        {"inside OBJECT", "<OBJECT><OBJECT_TYPE t=\"coin\"/><OBJECT_POS x=\"1\" y=\"2\"/>",
         "name= hero=0,0 finish=0,0 enemies=0 objects=0 elements=0 types=//"},
        {"inside MOVABLEEL", "<MOVABLEEL><ELEMENT_TYPE t=\"raft\"/>",
         "name= hero=0,0 finish=0,0 enemies=0 objects=0 elements=0 types=//"},
        {"inside HERO: values read so far stay", "<NAME a=\"n\" b=\"m\"/><HERO><START_POS x=\"1\" y=\"2\"/>",
         "name=n hero=1,2 finish=0,0 enemies=0 objects=0 elements=0 types=//"},
        {"a closing tag with a trailing blank does not close", "<ENEMY><ENEMY_TYPE t=\"A\"/></ENEMY ><OBJECT></OBJECT>",
         "name= hero=0,0 finish=0,0 enemies=0 objects=0 elements=0 types=//"},
        {"the last closing tag without >", "<ENEMY><ENEMY_TYPE t=\"A\"/></ENEMY",
         "name= hero=0,0 finish=0,0 enemies=0 objects=0 elements=0 types=//"},
    };
    for (const LevelCase& c : cases) EXPECT_EQ(Summary(ReadLevel(c.file)), c.expected) << c.label;
}

TEST_F(GameDataTest, MissingLevelFileLeavesTheRecordEmpty) {
    LevelDescription level;
    level.Read(5);
    EXPECT_TRUE(IsEmpty(level));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(GameDataTest, ReadingAgainStartsFromAnEmptyRecord) {
    Write("A.xml", "<HERO><START_POS x=\"1\" y=\"2\"/></HERO><ENEMY><ENEMY_TYPE t=\"A\"/></ENEMY>");
    LevelDescription level;
    level.ReadFile("A.xml");
    level.ReadFile("Missing.xml");
    EXPECT_TRUE(IsEmpty(level));
}

TEST_F(GameDataTest, UnreadableLevelFileIsReportedAndLeavesTheRecordEmpty) {
    Write("LevelDescriptions/Level2.xml", "<NAME a=\"n\" b=\"m\"/>");
    std::filesystem::resize_file("LevelDescriptions/Level2.xml", CXmlReader::kMaxFileBytes + 1);
    LevelDescription level;
    level.Read(2);
    EXPECT_TRUE(IsEmpty(level));
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], MessageForPlatform(messages::kXmlRead));
}

TEST_F(GameDataTest, ConstructorReadsTheEightLevelsAndBothTables) {
    for (int n = 0; n < 8; ++n) {
        if (n == 6) continue;  // one level missing
        Write("LevelDescriptions/Level" + std::to_string(n) + ".xml",
              "<NAME v=\"L" + std::to_string(n) + "\" w=\"x\"/><HERO><START_POS x=\"" + std::to_string(n * 10) +
                  "\" y=\"1\"/></HERO>\r\n");
    }
    Write("LevelDescriptions/Level10.xml", "<NAME v=\"wrong\" w=\"x\"/>");
    Write("Data/Text.xml", "<TEXTS>\r\n<T TEXT=\"Nowa\xa0gra\"/>\r\n<T TEXT=\"Wczytaj\"/>\r\n</TEXTS>\r\n");
    Write("Data/Sample.xml", "<S SAMPLE=\"jump\"/><S SAMPLE=\"hit\"/><S SAMPLE=\"coin\"/>");

    CGameData data;
    for (int n = 0; n < 8; ++n) {
        ASSERT_NE(data.levels[n], nullptr);
        if (n == 6) {
            EXPECT_TRUE(IsEmpty(*data.levels[n]));
            continue;
        }
        EXPECT_EQ(data.levels[n]->name, "L" + std::to_string(n));
        EXPECT_EQ(data.levels[n]->heroStartX, n * 10);
    }
    EXPECT_EQ(data.textCount, 2);
    EXPECT_EQ(data.texts[0], "Nowa\xa0gra");
    EXPECT_EQ(data.texts[1], "Wczytaj");
    EXPECT_EQ(data.texts[2], "");
    EXPECT_EQ(data.sampleCount, 3);
    EXPECT_EQ(data.samples[2], "coin");
    EXPECT_TRUE(Shown().empty());
}

TEST_F(GameDataTest, MissingFilesGiveEmptyTablesSilently) {
    CGameData data;
    EXPECT_EQ(data.textCount, 0);
    EXPECT_EQ(data.sampleCount, 0);
    for (const auto& level : data.levels) {
        ASSERT_NE(level, nullptr);
        EXPECT_TRUE(IsEmpty(*level));
    }
    EXPECT_EQ(data.Text(0), "");
    EXPECT_TRUE(Shown().empty());
}

struct TableCase {
    const char* label;
    std::string file;
    const char* attribute;
    std::vector<std::string> expected;
};

TEST_F(GameDataTest, TableTakesTheFirstAttributeWhenItHasTheName) {
    const std::vector<TableCase> cases = {
        {"an element named otherwise takes no position",
         "<T TEXT=\"a\"/><T OTHER=\"b\"/><T TEXT=\"c\"/>",
         "TEXT",
         {"a", "c"}},
        {"only the first attribute counts", "<T TEXT=\"a\" MORE=\"x\"/><T OTHER=\"b\" TEXT=\"c\"/>", "TEXT", {"a"}},
        {"SAMPLE ignores TEXT", "<T TEXT=\"a\"/><S SAMPLE=\"b\"/>", "SAMPLE", {"b"}},
        {"TEXT ignores SAMPLE", "<T TEXT=\"a\"/><S SAMPLE=\"b\"/>", "TEXT", {"a"}},
        {"names compare with their case", "<T text=\"a\"/><T Text=\"b\"/><T TEXT=\"c\"/>", "TEXT", {"c"}},
        {"element names are free; opening tags count",
         "<ROOT><LINE TEXT=\"a\"></LINE><x TEXT=\"b\"/></ROOT>",
         "TEXT",
         {"a", "b"}},
        {"closing tags and comments are skipped", "</T TEXT=\"a\"><!!T TEXT=\"b\"><T TEXT=\"c\"/>", "TEXT", {"c"}},
        {"elements without attributes are skipped", "<T><T ><T TEXT=\"a\"/>", "TEXT", {"a"}},
        {"an unquoted value makes no entry", "<T TEXT=a/><T TEXT=\"b\"/>", "TEXT", {"b"}},
        {"a value ends at a blank", "<T TEXT=\"Nowa gra\"/><T TEXT=\"x\"/>", "TEXT", {"Nowa", "x"}},
    };
    for (const TableCase& c : cases) {
        Write("Table.xml", c.file);
        std::array<std::string, CGameData::kTableCapacity> table;
        table.fill("stale");
        const int count = CGameData::ReadTable("Table.xml", c.attribute, table);
        ASSERT_EQ(count, static_cast<int>(c.expected.size())) << c.label;
        for (int i = 0; i < count; ++i) EXPECT_EQ(table[i], c.expected[i]) << c.label << ", entry " << i;
        for (int i = count; i < CGameData::kTableCapacity; ++i) EXPECT_EQ(table[i], "") << c.label << ", entry " << i;
    }
}

TEST_F(GameDataTest, EntriesPastTheCapacityAreIgnored) {
    std::string file;
    for (int i = 0; i < 150; ++i) file += "<T TEXT=\"t" + std::to_string(i) + "\"/>\r\n";
    Write("Data/Text.xml", file);
    CGameData data;
    EXPECT_EQ(data.textCount, CGameData::kTableCapacity);
    EXPECT_EQ(data.texts[0], "t0");
    EXPECT_EQ(data.texts[99], "t99");
    EXPECT_EQ(data.Text(99), "t99");
}

TEST_F(GameDataTest, TextOutsideTheTableIsEmpty) {
    Write("Data/Text.xml", "<T TEXT=\"zero\"/><T TEXT=\"one\"/>");
    CGameData data;
    const std::vector<std::pair<int, std::string>> cases = {{0, "zero"}, {1, "one"}, {2, ""},       {99, ""},
                                                            {100, ""},   {-1, ""},   {INT_MIN, ""}, {INT_MAX, ""}};
    for (const auto& [index, expected] : cases) EXPECT_EQ(data.Text(index), expected) << index;
}

}  // namespace
