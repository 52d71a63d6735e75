// Level plans: reading a generated level back and drawing it into a PNG.
#include "MapPicture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

#include "LevelWriter.h"
#include "common/Picture.h"

namespace levels {

namespace {

struct Tag {
    std::string name;
    bool closing = false;
    std::vector<std::string> values;  // attribute values in tag order
};

// The tags of one of our description files (comments skipped). Good enough for the files we write
// and for the unit files of the art generator; not a general reader.
std::vector<Tag> ReadTags(const std::string& text) {
    std::vector<Tag> tags;
    size_t i = 0;
    while ((i = text.find('<', i)) != std::string::npos) {
        const size_t end = text.find('>', i);
        if (end == std::string::npos) break;
        std::string raw = text.substr(i + 1, end - i - 1);
        i = end + 1;
        if (raw.empty() || raw[0] == '!') continue;
        Tag tag;
        if (raw[0] == '/') {
            tag.closing = true;
            raw = raw.substr(1);
        }
        if (!raw.empty() && raw.back() == '/') raw.pop_back();
        const size_t blank = raw.find(' ');
        tag.name = raw.substr(0, blank);
        size_t q = blank;
        while (q != std::string::npos && (q = raw.find("=\"", q)) != std::string::npos) {
            const size_t close = raw.find('"', q + 2);
            if (close == std::string::npos) break;
            tag.values.push_back(raw.substr(q + 2, close - q - 2));
            q = close + 1;
        }
        tags.push_back(tag);
    }
    return tags;
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

Point TagPoint(const Tag& tag) {
    return Point{std::atoi(tag.values[0].c_str()), std::atoi(tag.values[1].c_str())};
}

// A unit file's MAXSIZE (height, width) and JUMP.
bool ReadUnit(const std::string& gameDir, const std::string& name, UnitInfo& info) {
    std::string text;
    if (!ReadFile(gameDir + "/Units/" + name + ".xml", text)) return false;
    info.name = name;
    for (const Tag& tag : ReadTags(text)) {
        if (tag.name == "MAXSIZE" && tag.values.size() == 2) {
            info.height = std::atoi(tag.values[0].c_str());
            info.width = std::atoi(tag.values[1].c_str());
        } else if (tag.name == "JUMP" && tag.values.size() == 1) {
            info.jump = std::atoi(tag.values[0].c_str());
        } else if (tag.name == "SPEED" && tag.values.size() == 1) {
            info.speed = std::atoi(tag.values[0].c_str());
        } else if (tag.name == "ENERGY" && tag.values.size() == 1) {
            info.energy = std::atoi(tag.values[0].c_str());
        }
    }
    return info.width > 0 && info.height > 0;
}

struct Canvas {
    int width;
    int height;
    std::vector<std::uint32_t> pixels;
    Canvas(int w, int h, std::uint32_t fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    void Set(int x, int y, std::uint32_t c) {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[static_cast<size_t>(y) * width + x] = c;
    }
    void Fill(int x, int y, int w, int h, std::uint32_t c) {
        for (int j = y; j < y + h; ++j) {
            for (int i = x; i < x + w; ++i) Set(i, j, c);
        }
    }
    void Frame(int x, int y, int w, int h, std::uint32_t c) {
        for (int i = x; i < x + w; ++i) {
            Set(i, y, c);
            Set(i, y + h - 1, c);
        }
        for (int j = y; j < y + h; ++j) {
            Set(x, j, c);
            Set(x + w - 1, j, c);
        }
    }
    void Line(int x0, int y0, int x1, int y1, std::uint32_t c) {
        const int dx = std::abs(x1 - x0);
        const int dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1;
        const int sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            Set(x0, y0, c);
            if (x0 == x1 && y0 == y1) break;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }
};

std::uint32_t ObjectColour(const std::string& type) {
    if (type == "SILVERCOIN") return 0xD8D8E0;
    if (type == "GOLDCOIN") return 0xFFD020;
    if (type == "HEALTH10" || type == "HEALTH30") return 0xF07070;
    if (type == "MACE") return 0xFF40FF;
    if (type == "BERRIES" || type == "AMBER" || type == "EGG") return 0x40E0E0;
    if (type == "CHECKPOINT") return 0xFF8000;
    if (type == "jumper") return 0x40FF40;
    if (type == "mine") return 0x000000;
    return 0xFFFFFF;
}

struct WorldColours {
    std::uint32_t sky;
    std::uint32_t ground;
    std::uint32_t edge;
};

WorldColours ColoursOf(int number) {
    switch (number / 2) {
        case 1:
            return {0x28242C, 0x7A6E64, 0xA89C90};
        case 2:
            return {0xC8DCEC, 0x7AA8D0, 0xF4FAFF};
        case 3:
            return {0x3A2A28, 0x4A4250, 0xC8401A};
        default:
            return {0x9CCCF0, 0xA8784A, 0x5CAA40};
    }
}

}  // namespace

bool ReadGameLevel(const std::string& gameDir, int number, Level& level, Catalogue& catalogue,
                   std::vector<std::string>& missing, std::string& error) {
    const std::string base = gameDir + "/LevelDescriptions/Level" + std::to_string(number);
    std::string xml;
    std::string dat;
    if (!ReadFile(base + ".xml", xml) || !ReadFile(base + ".dat", dat)) {
        error = "cannot read " + base + ".xml and .dat";
        return false;
    }
    level = Level{};
    level.number = number;
    level.source = "Level" + std::to_string(number) + ".xml";
    if (dat.size() != kDatSize) {
        error = base + ".dat has " + std::to_string(dat.size()) + " bytes, not " + std::to_string(kDatSize);
        return false;
    }
    CellsFromDat(std::vector<std::uint8_t>(dat.begin(), dat.end()), level);
    if (!ReadUnit(gameDir, "hero", catalogue.hero)) missing.push_back("Units/hero.xml");

    enum class Block { None, Hero, Enemy, Object, Element } block = Block::None;
    Placement current;
    ObjectPlacement object;
    for (const Tag& tag : ReadTags(xml)) {
        if (tag.closing) {
            if (tag.name == "ENEMY" && block == Block::Enemy) level.enemies.push_back(current);
            if (tag.name == "MOVABLEEL" && block == Block::Element) level.platforms.push_back(current);
            if (tag.name == "OBJECT" && block == Block::Object) level.objects.push_back(object);
            block = Block::None;
            continue;
        }
        if (block == Block::None) {
            if (tag.name == "NAME" && !tag.values.empty()) level.name = tag.values[0];
            if (tag.name == "HERO") block = Block::Hero;
            if (tag.name == "ENEMY") block = Block::Enemy;
            if (tag.name == "OBJECT") block = Block::Object;
            if (tag.name == "MOVABLEEL") block = Block::Element;
            current = Placement{};
            object = ObjectPlacement{};
            continue;
        }
        const bool point = tag.values.size() == 2;
        if (block == Block::Hero && point && tag.name == "START_POS") level.start = TagPoint(tag);
        if (block == Block::Hero && point && tag.name == "FINISH_POS") level.finish = TagPoint(tag);
        if ((tag.name == "ENEMY_TYPE" || tag.name == "ELEMENT_TYPE" || tag.name == "OBJECT_TYPE") &&
            !tag.values.empty()) {
            current.type = object.type = tag.values[0];
        }
        if (point && tag.name == "START_POS") current.route = {TagPoint(tag)};
        if (point && tag.name == "ROUTE_PNT") current.route.push_back(TagPoint(tag));
        if (point && tag.name == "OBJECT_POS") {
            object.pos = TagPoint(tag);
            object.column = object.pos.x / kCell;
            object.row = (object.pos.y + kObjectSize - 1) / kCell;
        }
    }
    for (Placement& e : level.enemies) {
        if (!catalogue.units.count(e.type)) {
            UnitInfo info;
            if (ReadUnit(gameDir, e.type, info)) {
                catalogue.units[e.type] = info;
            } else {
                missing.push_back("Units/" + e.type + ".xml");
                catalogue.units[e.type] = UnitInfo{e.type, 32, 32, 1, 1, 0, 0, -1};
            }
        }
        if (!e.route.empty()) {
            e.column = (e.route[0].x + kSideInset) / kCell;
            e.row = (e.route[0].y + catalogue.units[e.type].height) / kCell;
        }
    }
    return true;
}

bool WriteMapPicture(const Level& level, const Catalogue& catalogue, int scale, const std::string& path,
                     const std::vector<char>* placeMap) {
    const WorldColours colours = ColoursOf(level.number);
    Canvas canvas(kColumns * scale, kRows * scale, colours.sky);
    auto px = [&](int worldPixels) { return worldPixels * scale / kCell; };
    for (int cx = 0; cx < kColumns; ++cx) {
        for (int cy = 0; cy < kRows; ++cy) {
            if (!level.Solid(cx, cy)) continue;
            const bool top = !level.Solid(cx, cy - 1);
            canvas.Fill(cx * scale, cy * scale, scale, scale, top ? colours.edge : colours.ground);
        }
    }
    // Every 10 cells a dot, every 50 a longer mark, so positions can be read off the picture.
    for (int cx = 0; cx < kColumns; cx += 10) {
        for (int cy = 0; cy < kRows; cy += 10) {
            const std::uint32_t c = (cx % 50 == 0 && cy % 50 == 0) ? 0xFF0000 : 0x606060;
            canvas.Set(cx * scale, cy * scale, c);
            if (cx % 50 == 0) canvas.Fill(cx * scale, cy * scale, 1, scale, c);
        }
    }
    if (placeMap) {
        for (int cx = 0; cx < kColumns; ++cx) {
            for (int cy = 0; cy < kRows; ++cy) {
                const char p = (*placeMap)[static_cast<size_t>(cx) * kRows + cy];
                if (p == 0) continue;
                canvas.Fill(cx * scale + scale / 4, cy * scale + scale / 4, std::max(1, scale / 2),
                            std::max(1, scale / 2), p == 2 ? 0x30C030 : 0xFF2020);
            }
        }
    }
    // Play stays inside columns 2..238 and rows 2..125.
    canvas.Frame(2 * scale, 2 * scale, 237 * scale, 124 * scale, 0xB0B0B0);

    for (const Placement& p : level.platforms) {
        for (size_t i = 0; i < p.route.size(); ++i) {
            const Point& a = p.route[i];
            const Point& b = p.route[(i + 1) % p.route.size()];
            canvas.Line(px(a.x + 32), px(a.y + 8), px(b.x + 32), px(b.y + 8), 0xFFFF60);
        }
        canvas.Fill(px(p.route[0].x), px(p.route[0].y), px(kPlatformWidth), std::max(1, px(kPlatformHeight)), 0xE0C040);
    }
    for (const ObjectPlacement& o : level.objects) {
        canvas.Fill(px(o.pos.x), px(o.pos.y), px(kObjectSize), px(kObjectSize), ObjectColour(o.type));
        canvas.Frame(px(o.pos.x), px(o.pos.y), px(kObjectSize), px(kObjectSize), 0x202020);
    }
    for (const Placement& e : level.enemies) {
        auto it = catalogue.units.find(e.type);
        if (it == catalogue.units.end() || e.route.empty()) continue;
        const UnitInfo& u = it->second;
        for (size_t i = 0; i < e.route.size(); ++i) {
            const Point& a = e.route[i];
            const Point& b = e.route[(i + 1) % e.route.size()];
            canvas.Line(px(a.x + u.width / 2), px(a.y + u.height / 2), px(b.x + u.width / 2), px(b.y + u.height / 2),
                        0xFF6060);
        }
        const Point& s = e.route[0];
        canvas.Frame(px(s.x + kSideInset), px(s.y), px(u.width - 2 * kSideInset), px(u.height), 0xE00000);
    }
    const int heroW = catalogue.hero.width > 0 ? catalogue.hero.width : 56;
    const int heroH = catalogue.hero.height > 0 ? catalogue.hero.height : 60;
    canvas.Fill(px(level.start.x + kSideInset), px(level.start.y), px(heroW - 2 * kSideInset), px(heroH), 0x00C000);
    canvas.Frame(px(level.finish.x - 32 + kSideInset), px(level.finish.y), px(64 + heroW - 2 * kSideInset), px(heroH),
                 0x0000FF);
    canvas.Fill(px(level.finish.x + kSideInset), px(level.finish.y), px(heroW - 2 * kSideInset), px(heroH), 0x4040FF);

    gen::Picture picture(canvas.width, canvas.height);
    picture.pixels = std::move(canvas.pixels);
    return gen::SavePng(picture, path);
}

}  // namespace levels
