// A run of the game through every screen and a level, on a copy of the game folder with one thing broken.
#include "BadInputTour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

#include "TestSupport.h"
#include "platform/Cp1250.h"

namespace badinput {

using gamerun::GameCopy;
using gamerun::Le32;
using nlohmann::json;

const char kCollisionMessage[] =
    "B\xc5\x82\xc4\x85"
    "d Odczytu Pliku Kolizji";
const char kXmlReadMessage[] =
    "B\xc5\x82\xc4\x85"
    "d odczytu pliku XML";
const char kMenuBackgroundMessage[] =
    "B\xc5\x82\xc4\x85"
    "d \xc5\x82"
    "adowania tla menu g\xc5\x82\xc3\xb3wne";
const char kBackgroundPictureMessage[] =
    "B\xc5\x82\xc4\x85"
    "d \xc5\x82"
    "adowania bitmapy t\xc5\x82"
    "a";
const char kStaticPlanMessage[] =
    "B\xc5\x82\xc4\x85"
    "d Tworzenia statycznego planu";
const char kStatusIconMessage[] =
    "B\xc5\x82\xc4\x85"
    "d Tworzenia powierzchni: Obiekt Bohater";

const char kCheckedByCase[] = "\x01(checked by the case)";

const char kTour[] = R"(frames 2
press RETURN
frames 3
state
press DOWN
press RETURN
frames 3
state
press DOWN
press DOWN
press RETURN
frames 3
state
press ESCAPE
frames 2
press DOWN
press DOWN
press RETURN
frames 3
press RETURN
press RETURN
press DOWN
press RETURN
press RETURN
press RETURN
press DOWN
press RETURN
press RETURN
press DOWN
press RETURN
press RETURN
frames 2
state
press ESCAPE
frames 2
press DOWN
press DOWN
press DOWN
press RETURN
frames 3
state
press ESCAPE
frames 2
press DOWN
press DOWN
press DOWN
press DOWN
press RETURN
frames 3
state
press ESCAPE
frames 2
press RETURN
frames 3
press RIGHT
press UP
press DOWN
frames 2
state
press RETURN
frames 60
down RIGHT
frames 50
down SHIFT
frames 20
up SHIFT
up RIGHT
press UP
frames 10
down SPACE
frames 10
up SPACE
down LEFT
frames 20
up LEFT
state
press ESCAPE
frames 3
press ESCAPE
frames 3
state
press DOWN
press DOWN
press DOWN
press DOWN
press DOWN
press RETURN
frames 5
state
)";

namespace {

const int kExpectedFlow[kCheckpoints] = {0, 1, 11, 2, 3, 12, 11, -1, 0};

std::string SlotBytes(int32_t nextLevel, int32_t health, int32_t lives, int32_t score, int32_t money,
                      int32_t strength) {
    return Le32(nextLevel) + Le32(health) + Le32(lives) + Le32(score) + Le32(money) + Le32(strength);
}

std::vector<std::string> Stems(const GameCopy& copy, const std::string& folder, const std::string& suffix) {
    std::vector<std::string> stems;
    for (const std::string& path : copy.Find(folder, suffix, false)) {
        stems.push_back(std::filesystem::path(path).stem().string());
    }
    return stems;
}

std::string Quoted(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& t : texts) out += (out.empty() ? "\"" : ", \"") + t + "\"";
    return out;
}

}  // namespace

std::map<std::string, std::string> PreparedPlayerFiles() {
    std::map<std::string, std::string> files;
    files["Config.dat"] = std::string("\x01\x01\x01\x00", 4) + Le32(1);
    files["SAVE0"] = "";
    for (int i = 1; i < 8; ++i) {
        files["SAVE" + std::to_string(i)] = SlotBytes(std::min(i + 1, 7), 90 - i, 2 + i, 1000 * i, 37 * i, 10 + i);
    }
    std::string table;
    for (int r = 0; r < 10; ++r) {
        std::string name = "GRACZ" + std::to_string(r);
        name.resize(10, ' ');
        table += name + Le32(900000 - 10000 * r);
    }
    files["Highscore.dat"] = table;
    return files;
}

void WritePlayerFiles(const GameCopy& copy, const std::map<std::string, std::string>& files) {
    for (const auto& [name, bytes] : files) copy.Write(name, bytes);
}

std::map<std::string, std::optional<std::string>> ReadPlayerFiles(const GameCopy& copy) {
    std::map<std::string, std::optional<std::string>> files;
    for (int i = 0; i < 8; ++i) files["SAVE" + std::to_string(i)] = copy.Read("SAVE" + std::to_string(i));
    files["Config.dat"] = copy.Read("Config.dat");
    files["Highscore.dat"] = copy.Read("Highscore.dat");
    return files;
}

std::string CollisionBytes(const std::function<int(int cx, int cy)>& cell) {
    std::string bytes(256 * 128 + 2, '\0');
    for (int cx = 0; cx < 256; ++cx) {
        for (int cy = 0; cy < 128; ++cy) {
            const size_t k = 256 * (8 * (cx / 16) + cy / 16) + 16 * (cx % 16) + (cy % 16);
            bytes[k] = static_cast<char>(cell(cx, cy));
        }
    }
    return bytes;
}

void WriteBusyLevel(const GameCopy& copy) {
    copy.Write("LevelDescriptions/Level0.dat", CollisionBytes([](int cx, int cy) {
                   return cy >= 40 || cx < 2 || cx > 253 || (cx >= 60 && cx < 64 && cy >= 36) ? 1 : 0;
               }));
    std::ostringstream xml;
    xml << "<LEVEL>\r\n<HERO>\r\n<START_POS X=\"400\" Y=\"560\"/>\r\n<FINISH_POS X=\"3900\" Y=\"560\"/>\r\n"
           "</HERO>\r\n";
    int i = 0;
    for (const std::string& unit : Stems(copy, "Units", ".xml")) {
        std::string upper = unit;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (upper == "HERO") continue;
        const int x = 650 + 110 * i++;
        xml << "<ENEMY>\r\n<ENEMY_TYPE VALUE=\"" << unit << "\"/>\r\n<START_POS X=\"" << x << "\" Y=\"480\"/>\r\n"
            << "<ROUTE_PNT X=\"" << x + 96 << "\" Y=\"480\"/>\r\n</ENEMY>\r\n";
    }
    i = 0;
    for (const std::string& object : Stems(copy, "Objects", ".xml")) {
        xml << "<OBJECT>\r\n<OBJECT_TYPE VALUE=\"" << object << "\"/>\r\n<OBJECT_POS X=\"" << 460 + 52 * i++
            << "\" Y=\"600\"/>\r\n</OBJECT>\r\n";
    }
    const std::optional<std::string> platforms = copy.Read("LevelDescriptions/MovableEl.xml");
    if (platforms) {
        const std::regex name("NAME=\"([^\"]+)\"");
        i = 0;
        for (auto it = std::sregex_iterator(platforms->begin(), platforms->end(), name); it != std::sregex_iterator();
             ++it) {
            const int x = 300 + 180 * i++;
            xml << "<MOVABLEEL>\r\n<ELEMENT_TYPE VALUE=\"" << (*it)[1] << "\"/>\r\n<START_POS X=\"" << x
                << "\" Y=\"440\"/>\r\n<ROUTE_PNT X=\"" << x + 64 << "\" Y=\"440\"/>\r\n</MOVABLEEL>\r\n";
        }
    }
    xml << "</LEVEL>\r\n";
    copy.Write("LevelDescriptions/Level0.xml", xml.str());
}

std::vector<int> Outcome::Flow() const {
    std::vector<int> flow;
    for (const json& state : states) flow.push_back(state.at("currentState").get<int>());
    return flow;
}

std::string Outcome::Summary() const {
    std::ostringstream text;
    text << run.Describe() << " in " << static_cast<int>(run.seconds * 1000) << " ms; flow";
    for (int state : Flow()) text << " " << state;
    text << "; messages: " << (messages.empty() ? "none" : Quoted(messages));
    return text.str();
}

Outcome RunTour(const GameCopy& copy, const std::string& script, const gamerun::RunOptions& options) {
    Outcome outcome;
    outcome.run = gamerun::Run({KVB_PLAY_EXE, "--quiet", "--data", copy.Root(), "-e", script}, options);
    std::istringstream lines(outcome.run.out);
    std::string line;
    while (std::getline(lines, line)) {
        json state;
        std::string error;
        try {
            state = json::parse(line);
            if (!state.is_object() || !state.contains("currentState")) error = "no currentState";
        } catch (const json::exception& e) {
            error = e.what();
        }
        if (!error.empty()) {
            outcome.badLines.push_back(line.substr(0, 200) + " (" + error + ")");
            continue;
        }
        for (const json& text : state.value("messageBoxes", json::array()))
            outcome.messages.push_back(text.get<std::string>());
        outcome.states.push_back(std::move(state));
    }
    return outcome;
}

namespace {

// The rules every run must keep; `baseline` holds the messages shown with nothing broken.
void CheckCommon(const Case& c, const Outcome& o, const std::set<std::string>& baseline,
                 const std::map<std::string, std::optional<std::string>>& before, const GameCopy& copy) {
    EXPECT_TRUE(o.run.started && !o.run.timedOut && o.run.signal == 0 && o.run.exitCode == 0)
        << o.run.Describe() << "\nstderr: " << o.run.err.substr(o.run.err.size() > 2000 ? o.run.err.size() - 2000 : 0);
    EXPECT_TRUE(o.badLines.empty()) << "not JSON: " << (o.badLines.empty() ? "" : o.badLines.front());
    const std::vector<int> flow = o.Flow();
    EXPECT_EQ(flow.size(), static_cast<size_t>(kCheckpoints))
        << (flow.size() > kCheckpoints ? "the quit item did not end the game" : "the tour stopped early");
    for (size_t i = 0; i < flow.size() && i < kCheckpoints; ++i) {
        int expected = kExpectedFlow[i];
        if (i == kAfterLoad && !c.slotOpens) expected = 1;
        if (i == kAfterLevel) {
            // Still playing, finished (the next briefing) or lost (the best scores).
            EXPECT_TRUE(flow[i] == 10 || flow[i] == 11 || flow[i] == 12) << "after the level: state " << flow[i];
        } else {
            EXPECT_EQ(flow[i], expected) << "state line " << i;
        }
    }
    for (const std::string& text : c.messages) {
        EXPECT_NE(std::find(o.messages.begin(), o.messages.end(), text), o.messages.end())
            << "expected the message \"" << text << "\"";
    }
    for (const std::string& text : o.messages) {
        const bool expected = std::find(c.messages.begin(), c.messages.end(), text) != c.messages.end();
        EXPECT_TRUE(expected || baseline.count(text)) << "unexpected message \"" << text << "\"";
    }

    const auto after = ReadPlayerFiles(copy);
    for (const auto& [name, now] : after) {
        const auto wanted = c.filesAfter.find(name);
        if (wanted != c.filesAfter.end()) {
            if (wanted->second != std::optional<std::string>(kCheckedByCase)) {
                EXPECT_EQ(now, wanted->second) << name << " afterwards";
            }
            continue;
        }
        const std::optional<std::string>& was = before.at(name);
        if (name == "SAVE0" && now && now->size() == 24 && now->substr(0, 4) == Le32(1)) continue;  // level 0 won
        EXPECT_EQ(now, was) << name << " changed (" << (was ? std::to_string(was->size()) : "missing") << " -> "
                            << (now ? std::to_string(now->size()) : "missing") << " bytes)";
    }
    for (const std::string& temp : copy.Find("", ".kvbtmp", false)) ADD_FAILURE() << "left behind: " << temp;
}

}  // namespace

namespace {

// Every file of the content with its size and time, to prove no case wrote through a link into it.
std::map<std::string, std::pair<uintmax_t, std::filesystem::file_time_type>> ContentFiles(const std::string& folder) {
    std::map<std::string, std::pair<uintmax_t, std::filesystem::file_time_type>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) files[entry.path().string()] = {entry.file_size(), entry.last_write_time()};
    }
    return files;
}

}  // namespace

void RunCases(const std::string& group, const std::vector<Case>& cases,
              const std::function<void(const GameCopy&)>& prepare) {
    const std::string content = gamerun::ContentFolder();
    if (content.empty()) GTEST_SKIP() << "no generated game folder";
    const auto prepared = PreparedPlayerFiles();
    const auto contentBefore = ContentFiles(content);

    std::set<std::string> baseline;
    {
        GameCopy copy(content);
        WritePlayerFiles(copy, prepared);
        if (prepare) prepare(copy);
        const auto before = ReadPlayerFiles(copy);
        const Outcome o = RunTour(copy);
        SCOPED_TRACE(group + " with nothing broken: " + o.Summary());
        Case intact{"(nothing)", "intact", nullptr};
        CheckCommon(intact, o, std::set<std::string>(o.messages.begin(), o.messages.end()), before, copy);
        baseline.insert(o.messages.begin(), o.messages.end());
        Report(group, "nothing broken", o.Summary());
    }
    for (const Case& c : cases) {
        GameCopy copy(content);
        WritePlayerFiles(copy, prepared);
        if (prepare) prepare(copy);
        c.breakIt(copy);
        const auto before = ReadPlayerFiles(copy);
        const Outcome o = RunTour(copy);
        SCOPED_TRACE(c.file + " " + c.variant + ": " + o.Summary());
        CheckCommon(c, o, baseline, before, copy);
        if (c.check) c.check(o, copy);
        std::vector<std::string> fresh;
        for (const std::string& text : o.messages) {
            if (!baseline.count(text) && std::find(fresh.begin(), fresh.end(), text) == fresh.end()) {
                fresh.push_back(text);
            }
        }
        std::string outcome = o.run.Describe() + (fresh.empty() ? ", no message" : ", message " + Quoted(fresh));
        const std::vector<int> flow = o.Flow();
        if (flow.size() > kAfterLevel) {
            outcome += flow[kAfterLevel] == 10   ? ", level played"
                       : flow[kAfterLevel] == 11 ? ", level won at once"
                                                 : ", level lost";
        }
        if (!c.slotOpens) outcome += ", slot 3 empty";
        Report(c.file, c.variant, outcome);
    }
    EXPECT_TRUE(ContentFiles(content) == contentBefore) << "the game folder the copies link to was changed";
}

std::string Garbage(size_t size, uint32_t seed) {
    std::string bytes(size, '\0');
    uint32_t x = seed * 2654435761u + 12345u;
    for (char& b : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<char>(x >> 24);
    }
    return bytes;
}

std::string FirstHalf(const std::string& bytes) {
    return bytes.substr(0, bytes.size() / 2);
}

namespace {

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

std::string Be32(uint32_t v) {
    std::string out;
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFFu);
    return out;
}

std::string Chunk(const std::string& type, const std::string& data) {
    return Be32(static_cast<uint32_t>(data.size())) + type + data + Be32(Crc32(type + data));
}

}  // namespace

std::string PngHeaderOnly(uint32_t width, uint32_t height) {
    const std::string header = Be32(width) + Be32(height) + std::string("\x08\x02\x00\x00\x00", 5);
    // A tiny deflate stream of nothing, then the end.
    const std::string idat("\x78\x9c\x03\x00\x00\x00\x00\x01", 8);
    return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", idat) + Chunk("IEND", "");
}

std::string SolidPicture(int width, int height, uint32_t rgb) {
    return testing_support::SolidPng(width, height, rgb);
}

void Report(const std::string& file, const std::string& variant, const std::string& outcome) {
    std::printf("| %s | %s | %s |\n", file.c_str(), variant.c_str(), outcome.c_str());
    std::fflush(stdout);
}

}  // namespace badinput
