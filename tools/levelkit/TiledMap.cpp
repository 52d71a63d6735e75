// Writing a level as a Tiled map and reading Tiled maps back, with tinyxml2.
#include "TiledMap.h"

#include <tinyxml2.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <sstream>

#include "LevelCheck.h"
#include "LevelReach.h"

namespace levels {

namespace {

using tinyxml2::XMLElement;

// The keys the game's tile pictures are named by, in the order of the scenery tileset: which neighbours
// are solid, 2 right, 4 below, 6 left, 8 above.
const char* const kNeighbourKeys[] = {"48", "26", "4",    "8",   "2",   "6",   "46", "24",
                                      "68", "28", "2468", "268", "468", "248", "246"};

// Tiled keeps a tile's flips in the three top bits of its number.
constexpr std::uint32_t kFlipBits = 0xE0000000u;

// Where a body's feet are on the map: the bottom-left corner of its narrowed box, on the line between
// the cell it stands in and the ground below.
Point FeetOf(const Point& topLeft, int height) {
    return Point{topLeft.x + kSideInset, topLeft.y + height + 1};
}

Point TopLeftOfFeet(const Point& feet, int height) {
    return Point{feet.x - kSideInset, feet.y - height - 1};
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

class MapWriter {
public:
    MapWriter() : printer_(nullptr, false) { printer_.PushDeclaration("xml version=\"1.0\" encoding=\"UTF-8\""); }

    void Open(const char* name) { printer_.OpenElement(name); }
    void Close() { printer_.CloseElement(); }
    void Attribute(const char* name, const std::string& value) { printer_.PushAttribute(name, value.c_str()); }
    void Attribute(const char* name, int value) { printer_.PushAttribute(name, value); }
    void Text(const std::string& text) { printer_.PushText(text.c_str()); }
    std::string Result() const { return printer_.CStr(); }

    void Property(const char* name, const std::string& value, const char* type = nullptr) {
        Open("property");
        Attribute("name", name);
        if (type) Attribute("type", type);
        Attribute("value", value);
        Close();
    }

    void Layer(int id, const char* name, const char* colour) {
        Open("objectgroup");
        Attribute("id", id);
        Attribute("name", name);
        Attribute("color", colour);
    }

    // One object; a route becomes a polyline through its points, taken relative to the first.
    void Object(int id, const std::string& type, const Point& at, const std::vector<Point>* route, bool point) {
        Open("object");
        Attribute("id", id);
        Attribute("name", type);
        if (!point) Attribute("type", type);
        Attribute("x", at.x);
        Attribute("y", at.y);
        if (!route && !point) {
            Attribute("width", kObjectSize);
            Attribute("height", kObjectSize);
        }
        if (point) {
            Open("point");
            Close();
        }
        if (route) {
            std::string points;
            for (const Point& p : *route) {
                if (!points.empty()) points += ' ';
                points += std::to_string(p.x - (*route)[0].x) + "," + std::to_string(p.y - (*route)[0].y);
            }
            Open("polyline");
            Attribute("points", points);
            Close();
        }
        Close();
    }

private:
    tinyxml2::XMLPrinter printer_;
};

// Everything read about one object of an object layer.
struct MapObject {
    int id = 0;
    int line = 0;
    std::string type;
    double x = 0;
    double y = 0;
    bool point = false;
    bool polyline = false;
    std::vector<std::pair<double, double>> points;
};

class MapReader {
public:
    MapReader(const std::string& path, const std::string& name, std::vector<std::string>& problems)
        : path_(path), name_(name), problems_(problems) {}

    void Fail(int line, const std::string& message) {
        problems_.push_back(name_ + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + message);
    }

    // The map element with its size checked, or null after a problem.
    XMLElement* Load(tinyxml2::XMLDocument& doc) {
        if (doc.LoadFile(path_.c_str()) != tinyxml2::XML_SUCCESS) {
            if (doc.ErrorID() == tinyxml2::XML_ERROR_FILE_NOT_FOUND ||
                doc.ErrorID() == tinyxml2::XML_ERROR_FILE_COULD_NOT_BE_OPENED) {
                Fail(0, "cannot read the map");
            } else {
                Fail(doc.ErrorLineNum(), std::string("not a Tiled map: broken XML (") + doc.ErrorName() + ")");
            }
            return nullptr;
        }
        XMLElement* map = doc.RootElement();
        if (!map || std::string(map->Name()) != "map") {
            Fail(map ? map->GetLineNum() : 0, "not a Tiled map (no <map> element)");
            return nullptr;
        }
        const size_t before = problems_.size();
        const char* orientation = map->Attribute("orientation");
        if (!orientation || std::string(orientation) != "orthogonal")
            Fail(map->GetLineNum(), "the map must be orthogonal");
        if (map->IntAttribute("infinite", 0) != 0)
            Fail(map->GetLineNum(), "the map must have a fixed size, not be infinite");
        const int tileW = map->IntAttribute("tilewidth", 0);
        const int tileH = map->IntAttribute("tileheight", 0);
        if (tileW != kCell || tileH != kCell) {
            Fail(map->GetLineNum(), "tiles are " + std::to_string(tileW) + " x " + std::to_string(tileH) +
                                        " pixels; the game's cells are 16 x 16");
        }
        const int width = map->IntAttribute("width", 0);
        const int height = map->IntAttribute("height", 0);
        if (width != kColumns || height != kRows) {
            Fail(map->GetLineNum(), "the map is " + std::to_string(width) + " x " + std::to_string(height) +
                                        " tiles; a level is 256 x 128");
        }
        return problems_.size() == before ? map : nullptr;
    }

    // The map's layers by their names (letter case aside), groups included.
    void CollectLayers(XMLElement* parent, std::map<std::string, XMLElement*>& layers) {
        for (XMLElement* e = parent->FirstChildElement(); e; e = e->NextSiblingElement()) {
            const std::string kind = e->Name();
            if (kind == "group") {
                CollectLayers(e, layers);
                continue;
            }
            if (kind != "layer" && kind != "objectgroup" && kind != "imagelayer") continue;
            const std::string name = Lower(e->Attribute("name") ? e->Attribute("name") : "");
            if (layers.count(name)) {
                Fail(e->GetLineNum(), "a second layer called '" + name + "'");
                continue;
            }
            layers[name] = e;
        }
    }

    // The collision layer's cells: any tile is solid ground, no tile is free.
    bool ReadCells(XMLElement* layer, Level& level) {
        XMLElement* data = layer->FirstChildElement("data");
        if (!data) {
            Fail(layer->GetLineNum(), "the collision layer has no data");
            return false;
        }
        std::vector<std::uint32_t> tiles;
        const std::string encoding = data->Attribute("encoding") ? data->Attribute("encoding") : "";
        const std::string compression = data->Attribute("compression") ? data->Attribute("compression") : "";
        const std::string text = data->GetText() ? data->GetText() : "";
        if (encoding == "csv") {
            std::uint64_t value = 0;
            bool digits = false;
            for (char c : text + ",") {
                if (c >= '0' && c <= '9') {
                    value = value * 10 + static_cast<std::uint64_t>(c - '0');
                    digits = true;
                } else if (c == ',') {
                    if (digits) tiles.push_back(static_cast<std::uint32_t>(value));
                    value = 0;
                    digits = false;
                }
            }
        } else if (encoding == "base64") {
            std::vector<std::uint8_t> bytes;
            if (!Base64(text, bytes) || !Inflate(compression, bytes, data->GetLineNum())) return false;
            for (size_t i = 0; i + 3 < bytes.size(); i += 4) {
                tiles.push_back(bytes[i] | bytes[i + 1] << 8 | bytes[i + 2] << 16 |
                                static_cast<std::uint32_t>(bytes[i + 3]) << 24);
            }
        } else if (encoding.empty()) {
            for (XMLElement* t = data->FirstChildElement("tile"); t; t = t->NextSiblingElement("tile")) {
                tiles.push_back(t->UnsignedAttribute("gid", 0));
            }
        } else {
            Fail(data->GetLineNum(), "unknown layer data encoding '" + encoding + "'");
            return false;
        }
        if (tiles.size() != static_cast<size_t>(kColumns) * kRows) {
            Fail(data->GetLineNum(),
                 "the collision layer holds " + std::to_string(tiles.size()) + " tiles, not 256 x 128");
            return false;
        }
        level.cells.assign(static_cast<size_t>(kColumns) * kRows, 0);
        for (int cy = 0; cy < kRows; ++cy) {
            for (int cx = 0; cx < kColumns; ++cx) {
                const std::uint32_t gid = tiles[static_cast<size_t>(cy) * kColumns + cx] & ~kFlipBits;
                level.cells[static_cast<size_t>(cx) * kRows + cy] = gid != 0 ? 1 : 0;
            }
        }
        return true;
    }

    std::vector<MapObject> Objects(XMLElement* layer) {
        std::vector<MapObject> objects;
        for (XMLElement* e = layer->FirstChildElement("object"); e; e = e->NextSiblingElement("object")) {
            MapObject o;
            o.id = e->IntAttribute("id", 0);
            o.line = e->GetLineNum();
            // Tiled 1.9 calls an object's type its class.
            const char* type = e->Attribute("type") ? e->Attribute("type") : e->Attribute("class");
            o.type = type ? type : "";
            o.x = e->DoubleAttribute("x", 0.0);
            o.y = e->DoubleAttribute("y", 0.0);
            if (e->Attribute("template")) {
                Fail(o.line, "object " + std::to_string(o.id) + " comes from a template, which is not read: detach it");
                continue;
            }
            o.point = e->FirstChildElement("point") != nullptr;
            if (XMLElement* polyline = e->FirstChildElement("polyline")) {
                o.polyline = true;
                std::istringstream in(polyline->Attribute("points") ? polyline->Attribute("points") : "");
                std::string pair;
                while (in >> pair) {
                    const size_t comma = pair.find(',');
                    if (comma == std::string::npos) continue;
                    o.points.push_back(
                        {std::atof(pair.substr(0, comma).c_str()), std::atof(pair.substr(comma + 1).c_str())});
                }
            }
            objects.push_back(o);
        }
        return objects;
    }

    std::string Where(const char* layer, const MapObject& o) {
        return std::string(layer) + ": object " + std::to_string(o.id) + (o.type.empty() ? "" : " (" + o.type + ")");
    }

    // The map's route of an object: each polyline point in world pixels; empty after a problem.
    std::vector<Point> Route(const char* layer, const MapObject& o, const char* what) {
        if (!o.polyline) {
            Fail(o.line, Where(layer, o) + " is not a polyline: " + what +
                             " is drawn as the polyline of its route, from where it starts");
            return {};
        }
        if (o.points.size() < 2) {
            Fail(o.line, Where(layer, o) + " has a route of one point; its polyline needs two points or more");
            return {};
        }
        std::vector<Point> route;
        for (const auto& [px, py] : o.points) {
            route.push_back(Point{static_cast<int>(std::lround(o.x + px)), static_cast<int>(std::lround(o.y + py))});
        }
        return route;
    }

private:
    std::string path_;
    std::string name_;

    static bool Base64(const std::string& text, std::vector<std::uint8_t>& out) {
        std::uint32_t buffer = 0;
        int bits = 0;
        for (char c : text) {
            int v = -1;
            if (c >= 'A' && c <= 'Z') v = c - 'A';
            if (c >= 'a' && c <= 'z') v = c - 'a' + 26;
            if (c >= '0' && c <= '9') v = c - '0' + 52;
            if (c == '+') v = 62;
            if (c == '/') v = 63;
            if (v < 0) continue;  // blanks, line ends and the padding
            buffer = buffer << 6 | static_cast<std::uint32_t>(v);
            bits += 6;
            if (bits >= 8) {
                bits -= 8;
                out.push_back(static_cast<std::uint8_t>(buffer >> bits));
            }
        }
        return true;
    }

    bool Inflate(const std::string& compression, std::vector<std::uint8_t>& bytes, int line) {
        if (compression.empty()) return true;
        if (compression != "zlib" && compression != "gzip") {
            Fail(line, "layer data compressed with " + compression + ": save it as CSV, Base64, or Base64 with zlib");
            return false;
        }
        std::vector<std::uint8_t> out(static_cast<size_t>(kColumns) * kRows * 4 + 1);
        z_stream stream{};
        stream.next_in = bytes.data();
        stream.avail_in = static_cast<uInt>(bytes.size());
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        // 15 + 32: the window of both formats, with the header told apart by itself.
        bool ok = inflateInit2(&stream, 15 + 32) == Z_OK;
        ok = ok && inflate(&stream, Z_FINISH) == Z_STREAM_END;
        out.resize(stream.total_out);
        inflateEnd(&stream);
        if (!ok) {
            Fail(line, "the collision layer's " + compression + " data is broken");
            return false;
        }
        bytes = out;
        return true;
    }

    std::vector<std::string>& problems_;
};

bool PlainWord(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c == ' ' || c == '"' || c == '<' || c == '>' || c == '&' || static_cast<unsigned char>(c) < 0x21)
            return false;
    }
    return true;
}

}  // namespace

int SceneryTileOfCell(const Level& level, int column, int row) {
    std::string key;
    if (level.Solid(column + 1, row)) key += '2';
    if (level.Solid(column, row + 1)) key += '4';
    if (level.Solid(column - 1, row)) key += '6';
    if (level.Solid(column, row - 1)) key += '8';
    for (int i = 0; i < 15; ++i) {
        if (key == kNeighbourKeys[i]) return i;
    }
    return 0;  // a cell alone: the game draws the first picture
}

std::string TiledMapText(const Level& level, const Catalogue& catalogue, const MapLook& look) {
    const int objects = 2 + static_cast<int>(level.enemies.size() + level.objects.size() + level.platforms.size());
    MapWriter out;
    out.Open("map");
    out.Attribute("version", "1.8");
    out.Attribute("tiledversion", "1.8.2");
    out.Attribute("orientation", "orthogonal");
    out.Attribute("renderorder", "right-down");
    out.Attribute("width", kColumns);
    out.Attribute("height", kRows);
    out.Attribute("tilewidth", kCell);
    out.Attribute("tileheight", kCell);
    out.Attribute("infinite", 0);
    if (!look.backgroundColour.empty()) out.Attribute("backgroundcolor", look.backgroundColour);
    out.Attribute("nextlayerid", 7);
    out.Attribute("nextobjectid", objects + 1);

    out.Open("properties");
    if (!level.note.empty()) out.Property("comment", level.note);
    out.Property("name", level.name);
    out.Property("scenery", std::to_string(look.scenery), "int");
    out.Close();

    out.Open("tileset");
    out.Attribute("firstgid", 1);
    out.Attribute("source", look.tilesetFile);
    out.Close();

    out.Open("layer");
    out.Attribute("id", 1);
    out.Attribute("name", kCollisionLayer);
    out.Attribute("width", kColumns);
    out.Attribute("height", kRows);
    out.Open("data");
    out.Attribute("encoding", "csv");
    std::string csv = "\n";
    for (int cy = 0; cy < kRows; ++cy) {
        for (int cx = 0; cx < kColumns; ++cx) {
            csv += level.Solid(cx, cy) ? std::to_string(1 + SceneryTileOfCell(level, cx, cy)) : "0";
            if (cx + 1 < kColumns || cy + 1 < kRows) csv += ',';
        }
        csv += '\n';
    }
    out.Text(csv);
    out.Close();
    out.Close();

    int id = 0;
    const int heroH = catalogue.hero.height;
    out.Layer(2, "start", "#00c000");
    out.Object(++id, "start", FeetOf(level.start, heroH), nullptr, true);
    out.Close();
    out.Layer(3, "finish", "#2040ff");
    out.Object(++id, "finish", FeetOf(level.finish, heroH), nullptr, true);
    out.Close();
    out.Layer(4, "enemies", "#e00000");
    for (const Placement& e : level.enemies) {
        const int height = catalogue.units.at(e.type).height;
        std::vector<Point> feet;
        for (const Point& p : e.route) feet.push_back(FeetOf(p, height));
        out.Object(++id, e.type, feet[0], &feet, false);
    }
    out.Close();
    out.Layer(5, "objects", "#ffa000");
    for (const ObjectPlacement& o : level.objects) out.Object(++id, o.type, o.pos, nullptr, false);
    out.Close();
    out.Layer(6, "platforms", "#a07030");
    for (const Placement& p : level.platforms) out.Object(++id, p.type, p.route[0], &p.route, false);
    out.Close();
    out.Close();
    return out.Result();
}

std::string TilesetText(const std::string& name, const std::string& picture, int tileCount,
                        const std::string& transparent) {
    MapWriter out;
    out.Open("tileset");
    out.Attribute("version", "1.8");
    out.Attribute("tiledversion", "1.8.2");
    out.Attribute("name", name);
    out.Attribute("tilewidth", kCell);
    out.Attribute("tileheight", kCell);
    out.Attribute("tilecount", tileCount);
    out.Attribute("columns", tileCount);
    out.Open("image");
    out.Attribute("source", picture);
    out.Attribute("trans", transparent);
    out.Attribute("width", kCell * tileCount);
    out.Attribute("height", kCell);
    out.Close();
    out.Close();
    return out.Result();
}

void ReadTiledMap(const std::string& path, const std::string& name, int number, const Catalogue& catalogue,
                  Level& level, std::vector<std::string>& problems) {
    const size_t before = problems.size();
    MapReader reader(path, name, problems);
    tinyxml2::XMLDocument doc;
    XMLElement* map = reader.Load(doc);
    if (!map) return;

    level = Level{};
    level.number = number;
    level.source = name;
    const std::string file = name.substr(name.find_last_of('/') + 1);
    level.note = "Level " + std::to_string(number) + ", made by kolvenbrook-level from " + file +
                 "; edit the map, not this file.";
    bool named = false;
    if (XMLElement* properties = map->FirstChildElement("properties")) {
        for (XMLElement* p = properties->FirstChildElement("property"); p; p = p->NextSiblingElement("property")) {
            const std::string name = p->Attribute("name") ? p->Attribute("name") : "";
            // A value with a line end is written as the element's text.
            const char* raw = p->Attribute("value") ? p->Attribute("value") : p->GetText();
            const std::string value = raw ? raw : "";
            if (name == "name") {
                named = true;
                level.name = value;
                if (!PlainWord(value)) {
                    reader.Fail(p->GetLineNum(),
                                "the level's name '" + value + "' must be one word of plain characters");
                }
            } else if (name == "comment") {
                level.note = value;
                if (value.find("--") != std::string::npos || value.find('\n') != std::string::npos ||
                    (!value.empty() && value.back() == '-')) {
                    reader.Fail(p->GetLineNum(), "the comment must be one line without '--'");
                }
            }
        }
    }
    if (!named) reader.Fail(map->GetLineNum(), "the map has no property 'name' (the level's name, one word)");

    std::map<std::string, XMLElement*> layers;
    reader.CollectLayers(map, layers);
    auto layerOf = [&](const char* name, const char* kind) -> XMLElement* {
        auto it = layers.find(name);
        if (it == layers.end()) {
            reader.Fail(0, std::string("no ") + (std::string(kind) == "layer" ? "tile" : "object") + " layer '" + name +
                               "' (a level map has the layers collision, start, finish, enemies, objects, platforms)");
            return nullptr;
        }
        if (std::string(it->second->Name()) != kind) {
            reader.Fail(it->second->GetLineNum(),
                        std::string("the layer '") + name + "' must be " +
                            (std::string(kind) == "layer" ? "a tile layer" : "an object layer"));
            return nullptr;
        }
        return it->second;
    };
    XMLElement* collision = layerOf(kCollisionLayer, "layer");
    XMLElement* objectLayers[5];
    for (int i = 0; i < 5; ++i) objectLayers[i] = layerOf(kObjectLayers[i], "objectgroup");
    if (collision) reader.ReadCells(collision, level);
    if (problems.size() != before) return;

    const int heroH = catalogue.hero.height;
    for (int i = 0; i < 2; ++i) {
        const char* name = kObjectLayers[i];
        const std::vector<MapObject> objects = reader.Objects(objectLayers[i]);
        const char* what = i == 0 ? "the hero's start" : "the finish";
        if (objects.size() != 1) {
            reader.Fail(objectLayers[i]->GetLineNum(), std::string("the layer '") + name + "' must hold one point, " +
                                                           what + " (it holds " + std::to_string(objects.size()) + ")");
            continue;
        }
        if (!objects[0].point) {
            reader.Fail(objects[0].line,
                        reader.Where(name, objects[0]) + " must be a point, where the hero's feet are");
            continue;
        }
        const Point feet{static_cast<int>(std::lround(objects[0].x)), static_cast<int>(std::lround(objects[0].y))};
        (i == 0 ? level.start : level.finish) = TopLeftOfFeet(feet, heroH);
    }
    for (const MapObject& o : reader.Objects(objectLayers[2])) {
        auto unit = catalogue.units.find(o.type);
        if (unit == catalogue.units.end()) {
            reader.Fail(o.line, "enemies: object " + std::to_string(o.id) + ": no unit type '" + o.type + "' (Units\\" +
                                    o.type + ".xml) in the game folder");
            continue;
        }
        const std::vector<Point> feet = reader.Route("enemies", o, "an enemy");
        if (feet.empty()) continue;
        Placement e;
        e.type = o.type;
        e.tag = "(object " + std::to_string(o.id) + ")";
        bool flat = true;
        for (const Point& p : feet) {
            e.route.push_back(TopLeftOfFeet(p, unit->second.height));
            flat = flat && p.y == feet[0].y;
        }
        if (!unit->second.Flyer() && !flat) {
            reader.Fail(o.line, reader.Where("enemies", o) + " walks: its route must stay level");
            continue;
        }
        e.column = feet[0].x / kCell;
        e.row = (feet[0].y - 1) / kCell;
        level.enemies.push_back(e);
    }
    for (const MapObject& o : reader.Objects(objectLayers[3])) {
        if (!catalogue.objectClasses.count(o.type)) {
            reader.Fail(o.line, "objects: object " + std::to_string(o.id) + ": no object type '" + o.type +
                                    "' (Objects\\" + o.type + ".xml) in the game folder");
            continue;
        }
        ObjectPlacement object;
        object.type = o.type;
        object.tag = "(object " + std::to_string(o.id) + ")";
        object.pos = Point{static_cast<int>(std::lround(o.x)), static_cast<int>(std::lround(o.y))};
        object.column = object.pos.x / kCell;
        object.row = (object.pos.y + kObjectSize - 1) / kCell;
        level.objects.push_back(object);
    }
    for (const MapObject& o : reader.Objects(objectLayers[4])) {
        const bool known = std::any_of(catalogue.platforms.begin(), catalogue.platforms.end(),
                                       [&](const std::string& kind) { return Lower(kind) == Lower(o.type); });
        if (!known) {
            reader.Fail(o.line, "platforms: object " + std::to_string(o.id) + ": no platform kind '" + o.type +
                                    "' in LevelDescriptions\\MovableEl.xml");
            continue;
        }
        Placement p;
        p.type = o.type;
        p.tag = "(object " + std::to_string(o.id) + ")";
        p.route = reader.Route("platforms", o, "a platform");
        if (p.route.empty()) continue;
        p.column = p.route[0].x / kCell;
        p.row = p.route[0].y / kCell;
        level.platforms.push_back(p);
    }
}

bool CompileTiledMap(const std::string& path, const std::string& name, int number, const Catalogue& catalogue,
                     Level& level, std::vector<std::string>& problems) {
    const size_t before = problems.size();
    ReadTiledMap(path, name, number, catalogue, level, problems);
    if (problems.size() != before) return false;
    Catalogue anyWorld = catalogue;
    for (auto& [unitName, unit] : anyWorld.units) unit.world = -1;
    for (const std::string& problem : CheckLevel(level, anyWorld)) problems.push_back(problem);
    for (const std::string& problem : ReachProblems(level, anyWorld)) problems.push_back(problem);
    return problems.size() == before;
}

}  // namespace levels
