// Tests of the description-file reader: node kinds, attributes, end of text, numbers, files.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "data/XmlReader.h"

namespace {

const std::string kOpening = std::string("ElementOtwieraj") + '\xb9' + "cy";
const std::string kClosing = std::string("ElementZamykaj") + '\xb9' + "cy";
const std::string kSelfClosing = std::string("ElementOtwieraj") + '\xb9' + "coZamykaj" + '\xb9' + "cy";
const std::string kComment = "Komentarz";

struct Node {
    std::string kind;
    std::string rawTag;
    std::string name;
    int attributeCount;
};

std::vector<Node> ReadAll(const std::string& text) {
    CXmlReader reader = CXmlReader::FromText(text);
    std::vector<Node> nodes;
    for (int guard = 0; guard < 1000 && reader.Next(); ++guard) {
        nodes.push_back({reader.kind, reader.rawTag, reader.name, reader.attributeCount});
    }
    return nodes;
}

std::string Describe(const std::vector<Node>& nodes) {
    std::string s;
    for (const Node& n : nodes) {
        s += "[" + n.kind + " raw='" + n.rawTag + "' name='" + n.name + "' count=" + std::to_string(n.attributeCount) +
             "]";
    }
    return s;
}

struct NodesCase {
    const char* label;
    std::string text;
    std::vector<Node> expected;
};

TEST(XmlReaderTest, NodesOfEveryKind) {
    const std::vector<NodesCase> cases = {
        {"opening", "<HERO>", {{kOpening, "HERO", "HERO", 0}}},
        {"closing", "</HERO>", {{kClosing, "HERO", "HERO", 0}}},
        {"self-closing with two attributes",
         "<START_POS x=\"10\" y=\"20\"/>",
         {{kSelfClosing, "START_POS x=\"10\" y=\"20\"", "START_POS", 2}}},
        {"blank before />",
         "<START_POS x=\"10\" y=\"20\" />",
         {{kSelfClosing, "START_POS x=\"10\" y=\"20\" ", "START_POS", 2}}},
        {"trailing blank stays in the name", "<HERO >", {{kOpening, "HERO ", "HERO ", 0}}},
        {"trailing blank on a closing tag", "</HERO >", {{kClosing, "HERO ", "HERO ", 0}}},
        {"comment keeps both marks", "<!!a comment>", {{kComment, "!!a comment", "!!a", 1}}},
        {"standard comment is no node", "<!-- note --><A>", {{kOpening, "A", "A", 0}}},
        {"doctype is no node", "<!DOCTYPE x><A>", {{kOpening, "A", "A", 0}}},
        {"standard comment holding a tag", "<!-- <B> --><A>", {{kOpening, "B", "B", 0}, {kOpening, "A", "A", 0}}},
        {"declaration is an opening element",
         "<?xml version=\"1.0\"?>",
         {{kOpening, "?xml version=\"1.0\"?", "?xml", 1}}},
        {"slash inside a tag is ordinary", "<A/B>", {{kOpening, "A/B", "A/B", 0}}},
        {"quotes do not protect >", "<A v=\"1>2\"/>", {{kOpening, "A v=\"1", "A", 1}}},
        {"quotes do not protect />", "<A v=\"1/>2\">", {{kSelfClosing, "A v=\"1", "A", 1}}},
        {"tab and line end are ordinary", "<A\tb\r\nc>", {{kOpening, "A\tb\r\nc", "A\tb\r\nc", 0}}},
        {"two blanks make two separators", "<A  B>", {{kOpening, "A  B", "A", 2}}},
        {"leading blank gives an empty name", "< A>", {{kOpening, " A", "", 1}}},
        {"empty tag", "x<>", {{kOpening, "", "", 0}}},
        {"text between tags is skipped",
         "xx<A>yy\r\n<B/>zz</A>",
         {{kOpening, "A", "A", 0}, {kSelfClosing, "B", "B", 0}, {kClosing, "A", "A", 0}}},
        {"< inside a tag is ordinary", "<A<B>", {{kOpening, "A<B", "A<B", 0}}},
        {"NUL ends the text", std::string("<A><B>\0<C>", 10), {{kOpening, "A", "A", 0}, {kOpening, "B", "B", 0}}},
        {"names keep their case", "<hero></Hero>", {{kOpening, "hero", "hero", 0}, {kClosing, "Hero", "Hero", 0}}},
    };
    for (const NodesCase& c : cases) {
        const std::vector<Node> got = ReadAll(c.text);
        EXPECT_EQ(Describe(got), Describe(c.expected)) << c.label;
    }
}

struct EndCase {
    const char* label;
    std::string text;
    int nodes;               // nodes delivered before the end
    std::string lastRawTag;  // the node left in place after the end
};

TEST(XmlReaderTest, EndOfTextEndsCleanly) {
    const std::vector<EndCase> cases = {
        {"empty text", "", 0, ""},
        {"too short for a tag", "ab", 0, ""},
        {"two characters left are not read", "<A><>", 1, "A"},
        {"ends right after the last >", "<A><B>", 2, "B"},
        {"CR LF after the last tag", "<A><B>\r\n", 2, "B"},
        {"blank lines after the last tag", "<A><B>\r\n\r\n\r\n", 2, "B"},
        {"last tag without >", "<A><B x=\"1\"", 1, "A"},
        {"last closing tag without >", "<A>\r\n</A", 1, "A"},
        {"last comment without >", "<A><!!note", 1, "A"},
        {"<! at the end", "<A>xx<!", 1, "A"},
        {"<!! at the end", "<A>xx<!!", 1, "A"},
        {"< at the end", "<A>xx<", 1, "A"},
        {"</ at the end", "<A>xx</", 1, "A"},
        {"slash at the end of a tag", "<A>xx<B/", 1, "A"},
        {"second to last character", "<A>x<B", 1, "A"},
        {"only an unterminated tag", "<ABCDEF", 0, ""},
        {"standard comment at the end", "<A><!-- x -->\r\n", 1, "A"},
        {"NUL right after a <", std::string("<A>xx<\0B>", 9), 1, "A"},
    };
    for (const EndCase& c : cases) {
        CXmlReader reader = CXmlReader::FromText(c.text);
        int count = 0;
        int lastPosition = 0;
        while (count < 100 && reader.Next()) {
            ++count;
            EXPECT_GT(reader.position, lastPosition) << c.label;
            lastPosition = reader.position;
        }
        EXPECT_EQ(count, c.nodes) << c.label;
        EXPECT_EQ(reader.rawTag, c.lastRawTag) << c.label;
        // The end is final and does not bring the last node back.
        for (int again = 0; again < 3; ++again) EXPECT_FALSE(reader.Next()) << c.label;
        EXPECT_EQ(reader.rawTag, c.lastRawTag) << c.label;
        EXPECT_LE(reader.position, static_cast<int>(reader.text.size())) << c.label;
    }
}

struct AttributesCase {
    const char* label;
    std::string text;
    int calls;
    std::vector<std::pair<std::string, std::string>> expected;  // name, value after each call
};

TEST(XmlReaderTest, AttributesAreSplitOffInTagOrder) {
    const std::vector<AttributesCase> cases = {
        {"two attributes, the last one repeats",
         "<START_POS x=\"10\" y=\"20\"/>",
         3,
         {{"x", "10"}, {"y", "20"}, {"y", "20"}}},
        {"blank before /> changes nothing", "<START_POS x=\"10\" y=\"20\" />", 2, {{"x", "10"}, {"y", "20"}}},
        {"three attributes", "<N a=\"1\" b=\"2\" c=\"3\">", 4, {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"c", "3"}}},
        {"no attributes", "<HERO>", 2, {{"", ""}, {"", ""}}},
        {"trailing blank is no attribute", "<HERO >", 1, {{"", ""}}},
        {"a blank inside quotes splits", "<N v=\"a b\" w=\"2\"/>", 3, {{"v", "a"}, {"b\"", ""}, {"w", "2"}}},
        {"no =\" means no value", "<N v=1 w='2'>", 2, {{"v=1", ""}, {"w='2'", ""}}},
        {"a further =\" starts the value again", "<N v=\"x=\"y\">", 1, {{"v", "y"}}},
        {"every quote in the value is dropped", "<N v=\"a\"b\"c\">", 1, {{"v", "abc"}}},
        {"= without a quote stays in the value", "<N v=\"a=b\">", 1, {{"v", "a=b"}}},
        {"empty value", "<N v=\"\">", 1, {{"v", ""}}},
        {"two blanks make an empty attribute", "<N a=\"1\"  b=\"2\">", 3, {{"a", "1"}, {"", ""}, {"b", "2"}}},
        {"names are taken as written", "<N Text=\"x\">", 1, {{"Text", "x"}}},
        {"Windows-1250 bytes pass through", "<N TEXT=\"Wr\xf3\xe6\">", 1, {{"TEXT", "Wr\xf3\xe6"}}},
        {"value runs to the end of the token", "<N v=\"1\"x y=\"2\">", 2, {{"v", "1x"}, {"y", "2"}}},
    };
    for (const AttributesCase& c : cases) {
        CXmlReader reader = CXmlReader::FromText(c.text);
        ASSERT_TRUE(reader.Next()) << c.label;
        ASSERT_EQ(static_cast<int>(c.expected.size()), c.calls) << c.label;
        for (int i = 0; i < c.calls; ++i) {
            reader.NextAttribute();
            EXPECT_EQ(reader.attributeName, c.expected[i].first) << c.label << ", call " << i;
            EXPECT_EQ(reader.attributeValue, c.expected[i].second) << c.label << ", call " << i;
        }
    }
}

TEST(XmlReaderTest, NextStartsAttributesAfresh) {
    CXmlReader reader = CXmlReader::FromText("<A a=\"1\" b=\"2\"/><B c=\"3\"/><C>");
    ASSERT_TRUE(reader.Next());
    reader.NextAttribute();
    reader.NextAttribute();
    EXPECT_EQ(reader.nextAttribute, 1);
    ASSERT_TRUE(reader.Next());
    EXPECT_EQ(reader.nextAttribute, 0);
    EXPECT_EQ(reader.attributeValue, "");
    reader.NextAttribute();
    EXPECT_EQ(reader.attributeName, "c");
    EXPECT_EQ(reader.attributeValue, "3");
    ASSERT_TRUE(reader.Next());
    reader.NextAttribute();
    EXPECT_EQ(reader.attributeName, "");
    EXPECT_EQ(reader.attributeValue, "");
}

TEST(XmlReaderTest, ToIntCountsEveryCharacterByItsPlace) {
    // '+' is 43: (43 - 48) * 10 + 1; a byte above 127 counts as a negative code: -71 - 48.
    const std::pair<const char*, int32_t> cases[] = {
        {"", 0},     {"0", 0},      {"7", 7},    {"007", 7},   {"10", 10}, {"4095", 4095},
        {"-5", -25}, {"-20", -280}, {"+1", -49}, {" 5", -155}, {"a", 49},  {"\xb9", -119},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(CXmlReader::ToInt(text), expected) << "'" << text << "'";
    // Past 32 bits the number wraps.
    EXPECT_EQ(CXmlReader::ToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(CXmlReader::ToInt("2147483648"), INT32_MIN);
    EXPECT_EQ(CXmlReader::ToInt("4294967296"), 0);
}

// Random markup made of the characters that matter to the reader: every call must make progress,
// stay inside the text and come to an end.
TEST(XmlReaderTest, RandomMarkupAlwaysComesToAnEnd) {
    const char alphabet[] = {'<', '>', '/', '!', '=', '"', ' ', '\r', '\n', 'A', 'B', '\0', '\xb9'};
    std::mt19937 random(12345);
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& c : text) c = alphabet[random() % sizeof(alphabet)];
        CXmlReader reader = CXmlReader::FromText(text);
        int lastPosition = 0;
        int nodes = 0;
        while (reader.Next()) {
            ASSERT_GT(reader.position, lastPosition) << "round " << round;
            ASSERT_LE(reader.position, static_cast<int>(reader.text.size())) << "round " << round;
            ASSERT_LT(++nodes, 40) << "round " << round;
            lastPosition = reader.position;
            for (int i = 0; i <= reader.attributeCount; ++i) reader.NextAttribute();
            ASSERT_LE(reader.nextAttribute, std::max(0, reader.attributeCount - 1));
        }
        ASSERT_FALSE(reader.Next());
    }
}

class XmlReaderFileTest : public ::testing::Test {
protected:
    void Write(const std::string& path, const std::string& content) const { folder_.Write(path, content); }
    const std::vector<std::string>& Shown() const { return services_.messageBox.shown; }

private:
    testing_support::TempGameFolder folder_;
    testing_support::HeadlessServices services_;
};

TEST_F(XmlReaderFileTest, ReadsAFileAtAGamePathUpToTheFirstNulByte) {
    Write("Data/Text.xml", std::string("<T TEXT=\"Start\"/>\r\n\0<B>", 23));
    CXmlReader reader("data\\TEXT.xml");  // backslashes and any letter case
    EXPECT_FALSE(reader.failed);
    EXPECT_EQ(reader.text, "<T TEXT=\"Start\"/>\r\n");
    ASSERT_TRUE(reader.Next());
    reader.NextAttribute();
    EXPECT_EQ(reader.attributeValue, "Start");
    EXPECT_FALSE(reader.Next());
    EXPECT_TRUE(Shown().empty());
}

TEST_F(XmlReaderFileTest, MissingFileOrAFolderFailsSilently) {
    std::filesystem::create_directories("Data/Folder.xml");
    for (const char* path : {"Data\\Missing.xml", "NoFolder\\Missing.xml", "", "Data\\Folder.xml"}) {
        CXmlReader reader(path);
        EXPECT_TRUE(reader.failed) << path;
        EXPECT_TRUE(reader.text.empty()) << path;
        EXPECT_FALSE(reader.Next()) << path;
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(XmlReaderFileTest, OversizedFileIsReportedAndYieldsNothing) {
    Write("Huge.xml", "<A>");
    std::filesystem::resize_file("Huge.xml", CXmlReader::kMaxFileBytes + 1);  // sparse: costs no disk
    CXmlReader reader("Huge.xml");
    EXPECT_FALSE(reader.failed);
    EXPECT_TRUE(reader.text.empty());
    EXPECT_FALSE(reader.Next());
    EXPECT_EQ(Shown(), std::vector<std::string>{"B\xb3\xb9"
                                                "d odczytu pliku XML"});
}

}  // namespace
