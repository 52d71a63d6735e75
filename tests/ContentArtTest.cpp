// Checks a generated game folder named by KVB_CONTENT_DIR: sprite strips, colour keys, texts.
// Without the variable every test is skipped; the content build makes the folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/GameDlg.h"
#include "data/XmlReader.h"
#include "media/SpriteFont.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlImageDecoder.h"

namespace {

namespace fs = std::filesystem;

std::string ContentDir() {
    const char* dir = std::getenv("KVB_CONTENT_DIR");
    return dir ? dir : "";
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A description file's elements as the game's readers see them: each opening or self-closing
// element with attributes, its attributes in tag order.
struct Element {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
};

std::vector<Element> ReadElements(const fs::path& path) {
    CXmlReader reader = CXmlReader::FromText(ReadBytes(path));
    std::vector<Element> out;
    while (reader.Next()) {
        if (reader.kind != CXmlReader::kOpeningElement && reader.kind != CXmlReader::kSelfClosingElement) continue;
        Element e{reader.name, {}};
        for (int i = 0; i < reader.attributeCount; ++i) {
            reader.NextAttribute();
            e.attributes.push_back({reader.attributeName, reader.attributeValue});
        }
        out.push_back(e);
    }
    return out;
}

// Pixel value of a colour key given as its R, G, B attributes (0x00RRGGBB, as decoded).
uint32_t KeyPixel(const Element& colorKey) {
    uint32_t rgb[3] = {0, 0, 0};
    const char* names[3] = {"R", "G", "B"};
    for (size_t i = 0; i < 3 && i < colorKey.attributes.size(); ++i) {
        if (colorKey.attributes[i].first == names[i]) {
            rgb[i] = uint32_t(CXmlReader::ToInt(colorKey.attributes[i].second)) & 255;
        }
    }
    return (rgb[0] << 16) | (rgb[1] << 8) | rgb[2];
}

std::string Hex(uint32_t v) {
    std::ostringstream s;
    s << "#" << std::hex << v;
    return s.str();
}

// Everything wrong with one strip, each problem naming the frame and pixel.
std::vector<std::string> CheckStrip(const platform::Image& img, int frameWidth, uint32_t key, int maxFrameHeight) {
    std::vector<std::string> problems;
    if (img.width < frameWidth || img.width % frameWidth != 0) {
        return {"width " + std::to_string(img.width) + " is not a multiple of " + std::to_string(frameWidth)};
    }
    // Up to 32 pixels high a strip is one row; taller strips are four equal rows.
    const bool oneRow = img.height <= 32;
    if (!oneRow && img.height % 4 != 0) return {"height " + std::to_string(img.height) + " is not four equal rows"};
    const int fw = frameWidth, fh = oneRow ? img.height : img.height / 4;
    if (fh > maxFrameHeight) {
        problems.push_back("frames " + std::to_string(fh) + " high, more than the unit's " +
                           std::to_string(maxFrameHeight) + " (that raises its collision box)");
    }
    for (int fy = 0; fy < img.height; fy += fh) {
        for (int fx = 0; fx < img.width; fx += fw) {
            const std::string where = "frame at " + std::to_string(fx) + "," + std::to_string(fy) + ": ";
            auto px = [&](int x, int y) { return img.pixels[size_t(fy + y) * img.width + fx + x]; };
            auto at = [](int x, int y) { return " at " + std::to_string(x) + "," + std::to_string(y); };
            // Transparent pixels must all be reachable from the edge: an enclosed island of key colour is a
            // hole punched into the figure. `outside` marks those reached, starting from the edge.
            std::vector<char> outside(size_t(fw) * fh, 0);
            std::vector<int> stack;
            int figure = 0;
            for (int y = 0; y < fh; ++y) {
                for (int x = 0; x < fw; ++x) {
                    const uint32_t v = px(x, y);
                    const bool edge = x == 0 || y == 0 || x == fw - 1 || y == fh - 1;
                    figure += v != key;
                    if (edge && v != key) problems.push_back(where + "figure on the frame edge" + at(x, y));
                    // The game keys the range key .. key + 100: such a figure pixel would vanish.
                    if (v > key && v <= key + 100)
                        problems.push_back(where + "colour " + Hex(v) + " in the key range" + at(x, y));
                    if (edge && v == key) outside[size_t(y) * fw + x] = 1, stack.push_back(y * fw + x);
                }
            }
            if (figure == 0) problems.push_back(where + "empty");
            while (!stack.empty()) {
                const int x = stack.back() % fw, y = stack.back() / fw;
                stack.pop_back();
                for (auto [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}}) {
                    if (nx < 0 || ny < 0 || nx >= fw || ny >= fh || outside[size_t(ny) * fw + nx] ||
                        px(nx, ny) != key) {
                        continue;
                    }
                    outside[size_t(ny) * fw + nx] = 1;
                    stack.push_back(ny * fw + nx);
                }
            }
            for (int i = 0; i < fw * fh; ++i) {
                if (px(i % fw, i / fw) == key && !outside[i]) {
                    problems.push_back(where + "enclosed transparent pixel" + at(i % fw, i / fw));
                    break;
                }
            }
        }
    }
    return problems;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string s;
    for (size_t i = 0; i < lines.size() && i < 20; ++i) s += "\n  " + lines[i];
    if (lines.size() > 20) s += "\n  ... " + std::to_string(lines.size() - 20) + " more";
    return s;
}

class ContentArtTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = ContentDir();
        if (root_.empty()) GTEST_SKIP() << "KVB_CONTENT_DIR does not name a generated game folder";
        {
            // The glyphs as the game lays them out on the sheet.
            testing_support::HeadlessServices services;
            CGameDlg window;
            glyphs_ = CSpriteFont(&window).glyphs;
        }
        platform::Current().images = &decoder_;
    }
    void TearDown() override { platform::Current().images = nullptr; }

    bool Load(const std::string& relative, platform::Image& img) {
        return platform::Current().images->DecodePng((fs::path(root_) / relative).string(), img);
    }

    fs::path root_;
    platform::SdlImageDecoder decoder_;
    std::array<CSpriteFont::Glyph, CSpriteFont::kGlyphCount> glyphs_{};
};

TEST_F(ContentArtTest, UnitStripsHaveTheirLayoutAndCleanKeys) {
    const std::vector<std::string> heroNames = {
        "MOVELEFT",   "MOVERIGHT",   "TURNLEFT",        "TURNRIGHT",        "STAYLEFT",          "STAYRIGHT",
        "RUNLEFT",    "RUNRIGHT",    "STANDJUMPUPLEFT", "STANDJUMPUPRIGHT", "STANDJUMPDOWNLEFT", "STANDJUMPDOWNRIGHT",
        "JUMPUPLEFT", "JUMPUPRIGHT", "JUMPDOWNLEFT",    "JUMPDOWNRIGHT",    "ATACKLEFT",         "ATACKRIGHT",
        "BOREDRIGHT", "BOREDLEFT",   "DEATHRIGHT",      "DEATHLEFT"};
    int units = 0;
    bool hero = false;
    for (const auto& entry : fs::directory_iterator(root_ / "Units")) {
        if (entry.path().extension() != ".xml") continue;
        ++units;
        std::string unitClass;
        uint32_t key = 0;
        int width = 0, height = 0, speed = 0;
        for (const Element& e : ReadElements(entry.path())) {
            auto value = [&](size_t i, const char* name) -> std::string {
                return i < e.attributes.size() && e.attributes[i].first == name ? e.attributes[i].second : "";
            };
            if (e.name == "CLASS") unitClass = value(0, "CLASS");
            if (e.name == "COLORKEY") key = KeyPixel(e);
            if (e.name == "SPEED") speed = CXmlReader::ToInt(value(0, "SPEED"));
            if (e.name == "MAXSIZE") {
                height = CXmlReader::ToInt(value(0, "HEIGHT"));
                width = CXmlReader::ToInt(value(1, "WIDTH"));
            }
        }
        SCOPED_TRACE(entry.path().filename().string());
        ASSERT_FALSE(unitClass.empty());
        ASSERT_GT(width, 0);
        ASSERT_GT(height, 0);
        EXPECT_GT(speed, 0);
        for (char c : unitClass) EXPECT_FALSE(c >= 'a' && c <= 'z') << "classes are stored in capitals";
        std::vector<std::string> names = {"MOVELEFT", "MOVERIGHT", "TURNLEFT", "TURNRIGHT"};
        if (unitClass == "HERO") {
            names = heroNames;
            hero = entry.path().stem() == "hero";
        }
        for (const std::string& name : names) {
            std::string rel = "Units/" + unitClass + "/" + name + ".png";
            platform::Image img;
            ASSERT_TRUE(Load(rel, img)) << rel << " is missing";
            bool special = name.rfind("ATACK", 0) == 0 || name.rfind("DEATH", 0) == 0;
            int frameWidth = name.rfind("ATACK", 0) == 0 ? 120 : (name.rfind("DEATH", 0) == 0 ? 100 : width);
            auto problems = CheckStrip(img, frameWidth, key, special ? 1 << 20 : height);
            EXPECT_TRUE(problems.empty()) << rel << Join(problems);
        }
    }
    EXPECT_TRUE(hero) << "Units/hero.xml of class HERO is missing";
    EXPECT_GE(units, 9) << "the hero and at least eight enemies";
}

TEST_F(ContentArtTest, ObjectStripsAndValues) {
    std::set<std::string> classes;
    for (const auto& entry : fs::directory_iterator(root_ / "Objects")) {
        if (entry.path().extension() != ".xml") continue;
        SCOPED_TRACE(entry.path().filename().string());
        std::string objectClass;
        uint32_t key = 0;
        for (const Element& e : ReadElements(entry.path())) {
            if (e.name == "COLORKEY") {
                key = KeyPixel(e);
                continue;
            }
            if (e.name == "OBJECT") continue;
            ASSERT_FALSE(e.attributes.empty());
            EXPECT_EQ(e.attributes[0].first, "VALUE") << e.name;
            if (e.name == "CLASS") {
                objectClass = e.attributes[0].second;
            } else {
                // The game's number reader counts a minus sign as -3: only plain digits.
                const std::string& v = e.attributes[0].second;
                EXPECT_FALSE(v.empty()) << e.name;
                for (char c : v) EXPECT_TRUE(c >= '0' && c <= '9') << e.name << " = " << v;
            }
        }
        ASSERT_FALSE(objectClass.empty());
        classes.insert(objectClass);
        std::string rel = "Objects/" + objectClass + "/rot.png";
        platform::Image img;
        ASSERT_TRUE(Load(rel, img)) << rel << " is missing";
        EXPECT_EQ(img.height, 32) << rel;
        auto problems = CheckStrip(img, 32, key, 32);
        EXPECT_TRUE(problems.empty()) << rel << Join(problems);
    }
    // Floating texts take their icons from these classes; jumpers and mines are known by class.
    for (const char* c : {"SILVERCOIN", "HEALTH10", "MACE", "CHECKPOINT", "jumper", "mine"}) {
        EXPECT_TRUE(classes.count(c)) << "no object of class " << c;
    }
}

std::vector<std::string> TableTexts(const fs::path& file) {
    std::vector<std::string> texts;
    for (const Element& e : ReadElements(file)) {
        if (!e.attributes.empty() && e.attributes[0].first == "TEXT") texts.push_back(e.attributes[0].second);
    }
    return texts;
}

const char* const kTextTables[] = {"Text.xml", "Text_en.xml"};

TEST_F(ContentArtTest, TextTablesAreWindows1250WithFontCharactersOnly) {
    std::set<unsigned char> font;
    for (const auto& g : glyphs_) font.insert(static_cast<unsigned char>(g.code));
    for (const char* table : kTextTables) {
        SCOPED_TRACE(table);
        const std::string bytes = ReadBytes(root_ / "Data" / table);
        ASSERT_FALSE(bytes.empty());
        for (size_t i = 0; i < bytes.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(bytes[i]);
            bool undefined = c == 0x81 || c == 0x83 || c == 0x88 || c == 0x90 || c == 0x98;
            EXPECT_FALSE(undefined) << "byte " << int(c) << " at " << i << " is not Windows-1250";
            EXPECT_FALSE(c < 0x20 && c != '\r' && c != '\n' && c != '\t') << "control byte at " << i;
        }
        const std::vector<std::string> texts = TableTexts(root_ / "Data" / table);
        ASSERT_GE(texts.size(), 40u);
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_FALSE(texts[i].empty()) << "text " << i;
            std::string lowered = CSpriteFont::Lower(texts[i]);
            for (unsigned char c : lowered) {
                EXPECT_TRUE(c == 0xA0 || font.count(c))
                    << "text " << i << " has character " << int(c) << " that the font cannot draw";
            }
        }
    }
    // The game finds a text by its position, so the English table has exactly the Polish positions.
    EXPECT_EQ(TableTexts(root_ / "Data" / "Text_en.xml").size(), TableTexts(root_ / "Data" / "Text.xml").size());
}

TEST_F(ContentArtTest, EveryTextFitsWhereTheGameDrawsIt) {
    // Where the screens draw their texts (the larger, chosen form where a line has two) and the x
    // where each would run into something else.
    struct Place {
        std::vector<int> texts;
        int x;
        float scale;
        int rightLimit;
        const char* what;
    };
    const Place places[] = {
        {{0, 1, 2, 3, 38, 4}, 80, 1.0f, 500, "main menu item (on its slab)"},
        {{5}, 100, 0.7f, 790, "briefing title"},
        {{6, 7, 8, 9, 20, 16, 17, 21}, 150, 0.5f, 540, "briefing label (numbers at 550)"},
        {{15, 10}, 50, 0.5f, 790, "briefing trade heading and keys"},
        {{18, 19}, 100, 1.0f, 790, "level end message"},
        {{22, 23, 24, 25}, 20, 0.9f, 485, "options label (values from 490)"},
        {{28, 29, 30, 31, 32, 33, 34, 35, 36}, 490, 0.85f, 795, "options value"},
        {{39}, 20, 0.5f, 790, "best scores hint"},
    };
    testing_support::HeadlessServices services;
    CGameDlg window;
    CSpriteFont font(&window);
    for (const char* table : kTextTables) {
        const std::vector<std::string> texts = TableTexts(root_ / "Data" / table);
        ASSERT_GE(texts.size(), 40u) << table;
        for (const Place& place : places) {
            for (int index : place.texts) {
                EXPECT_LE(font.PenAfter(texts[size_t(index)], place.x, place.scale), place.rightLimit)
                    << table << " text " << index << " (" << place.what << ")";
            }
        }
        // A load-game line, "<11> <slot> <12 or 13> ", chosen: x 10, scale 0.95, on the slab to 700.
        for (int state : {12, 13}) {
            const std::string line = texts[11] + " 8 " + texts[size_t(state)] + " ";
            EXPECT_LE(font.PenAfter(line, 10, 0.95f), 700) << table << " load-game line with text " << state;
        }
        // The level's message (text 37) is drawn in the TrueType font at x 20: measured by its ink on a
        // surface twice the screen's width.
        auto wide = platform::Surface::Create(1600, 60);
        services.text.DrawText(*wide, 20, 10, texts[37], 0xFFFF00u);
        int right = 0;
        for (int y = 0; y < wide->Height(); ++y) {
            for (int x = 0; x < wide->Width(); ++x) {
                if (wide->GetPixel(x, y) != 0) right = std::max(right, x + 1);
            }
        }
        EXPECT_GT(right, 20) << table << " text 37 drew nothing";
        EXPECT_LE(right, 800) << table << " text 37 (the level's message)";
    }
}

TEST_F(ContentArtTest, SampleTableNamesEverySoundTheGamePlays) {
    std::set<std::string> samples;
    for (const Element& e : ReadElements(root_ / "Data" / "Sample.xml")) {
        if (!e.attributes.empty() && e.attributes[0].first == "SAMPLE") samples.insert(e.attributes[0].second);
    }
    for (const char* s :
         {"MENU_CURSOR", "MENU_SELECT", "POWER", "JUMPER", "MINE", "CHECKPOINT", "MONEY_COLLECTED", "POINTS_COLLECTED",
          "ENERGY_COLLECTED", "HIT", "MONSTER_HIT", "HERO_HIT", "LEVEL_COMPLETED"}) {
        EXPECT_TRUE(samples.count(s)) << s;
    }
}

TEST_F(ContentArtTest, FontSheetFollowsTheGlyphLayout) {
    platform::Image img;
    ASSERT_TRUE(Load("Graphics/Spritelitery.png", img));
    const uint32_t key = 0xFF6200;
    int bottom = 0;
    for (size_t i = 0; i < glyphs_.size(); ++i) {
        // Each glyph but the first of a row has two pixels of gap on its left.
        const platform::Rect& r = glyphs_[i].source;
        const int gap = r.left == 0 ? 0 : 2;
        ASSERT_LE(r.bottom, img.height) << "glyph " << i;
        int ink = 0;
        for (int py = r.top; py < r.bottom; ++py) {
            for (int px = r.left; px < r.right; ++px) {
                const uint32_t v = img.pixels[size_t(py) * img.width + px];
                if (px < r.left + gap) {
                    EXPECT_EQ(v, key) << "the gap left of glyph " << i << " at " << px << "," << py;
                } else if (v != key) {
                    ++ink;
                    EXPECT_FALSE(v <= key + 100 && v > key) << "glyph " << i << " colour in the key range";
                }
            }
        }
        EXPECT_GT(ink, 20) << "glyph " << i << " is empty";
        bottom = std::max(bottom, r.bottom);
    }
    EXPECT_EQ(img.width, 512);
    EXPECT_EQ(img.height, bottom);
}

TEST_F(ContentArtTest, ScreensIconsAndFlashHaveTheirSizes) {
    struct Expect {
        const char* path;
        int minW, maxW, minH, maxH;
    };
    const Expect pictures[] = {
        {"Graphics/Menu/Bkg.png", 800, 800, 600, 600},
        {"Graphics/Options/Background.png", 800, 800, 600, 600},
        {"Graphics/About/Background.png", 800, 800, 600, 600},
        {"Graphics/LoadGame/Background.png", 800, 800, 600, 600},
        {"Graphics/Highscore/Background.png", 800, 800, 600, 600},
        {"Graphics/Briefing/Background.png", 800, 800, 600, 600},
        {"Graphics/Briefing/Selected.png", 128, 128, 128, 128},
        {"Graphics/Briefing/Unselected.png", 128, 128, 128, 128},
        {"Graphics/Life.png", 24, 40, 24, 40},
        {"Graphics/Energy.png", 16, 32, 16, 32},
        {"Graphics/Maczuga.png", 32, 85, 32, 70},
        {"Graphics/Moneta.png", 32, 64, 32, 64},
        {"Graphics/Bang/Bang.png", 256, 256, 128, 1024},
    };
    for (const Expect& e : pictures) {
        platform::Image img;
        ASSERT_TRUE(Load(e.path, img)) << e.path;
        EXPECT_GE(img.width, e.minW) << e.path;
        EXPECT_LE(img.width, e.maxW) << e.path;
        EXPECT_GE(img.height, e.minH) << e.path;
        EXPECT_LE(img.height, e.maxH) << e.path;
    }
    // The flash: eight 128-wide frames in four rows, keyed black, clean edges.
    platform::Image bang;
    ASSERT_TRUE(Load("Graphics/Bang/Bang.png", bang));
    EXPECT_EQ(bang.height % 4, 0);
    auto problems = CheckStrip(bang, 128, 0, 1 << 20);
    EXPECT_TRUE(problems.empty()) << Join(problems);
    // The briefing frames are see-through inside (the key) and around their rounded corners.
    for (const char* frame : {"Graphics/Briefing/Selected.png", "Graphics/Briefing/Unselected.png"}) {
        platform::Image img;
        ASSERT_TRUE(Load(frame, img));
        EXPECT_EQ(img.pixels[size_t(64) * img.width + 64], 0xB3002Du) << frame;
        EXPECT_EQ(img.pixels[0], 0xB3002Du) << frame;
    }
}

}  // namespace
