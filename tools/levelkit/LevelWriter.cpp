// Writing a level's description and cell map in the game's formats.
#include "LevelWriter.h"

#include <sstream>

namespace levels {

namespace {

std::string PointTag(const char* name, const Point& p) {
    // Coordinates are always plain digits: the game's number reader knows no minus sign.
    return std::string("<") + name + " X=\"" + std::to_string(p.x) + "\" Y=\"" + std::to_string(p.y) + "\"/>\n";
}

}  // namespace

std::string LevelXml(const Level& level) {
    std::ostringstream out;
    // Element names matter, attribute names do not (values are taken by position); types are written
    // as self-closing tags, since a closing type tag would empty the type again.
    out << "<LEVEL>\n";
    if (!level.note.empty()) out << "<!-- " << level.note << " -->\n";
    out << "<NAME NAME=\"" << level.name << "\" NUMBER=\"" << level.number << "\"/>\n";
    out << "<HERO>\n" << PointTag("START_POS", level.start) << PointTag("FINISH_POS", level.finish) << "</HERO>\n";
    for (const Placement& e : level.enemies) {
        out << "<ENEMY>\n<ENEMY_TYPE TYPE=\"" << e.type << "\"/>\n" << PointTag("START_POS", e.route[0]);
        for (size_t i = 1; i < e.route.size(); ++i) out << PointTag("ROUTE_PNT", e.route[i]);
        out << "</ENEMY>\n";
    }
    for (const ObjectPlacement& o : level.objects) {
        out << "<OBJECT>\n<OBJECT_TYPE TYPE=\"" << o.type << "\"/>\n" << PointTag("OBJECT_POS", o.pos) << "</OBJECT>\n";
    }
    for (const Placement& p : level.platforms) {
        out << "<MOVABLEEL>\n<ELEMENT_TYPE TYPE=\"" << p.type << "\"/>\n" << PointTag("START_POS", p.route[0]);
        for (size_t i = 1; i < p.route.size(); ++i) out << PointTag("ROUTE_PNT", p.route[i]);
        out << "</MOVABLEEL>\n";
    }
    out << "</LEVEL>\n";
    return out.str();
}

std::vector<std::uint8_t> LevelDat(const Level& level) {
    // The two bytes after the cells are never read by the game but must be there.
    std::vector<std::uint8_t> bytes(kDatSize, 0);
    for (int cx = 0; cx < kColumns; ++cx) {
        for (int cy = 0; cy < kRows; ++cy) {
            bytes[DatIndex(cx, cy)] = level.Solid(cx, cy) ? 1 : 0;
        }
    }
    return bytes;
}

bool CellsFromDat(const std::vector<std::uint8_t>& bytes, Level& level) {
    level.cells.assign(static_cast<size_t>(kColumns) * kRows, 0);
    if (bytes.size() < static_cast<size_t>(kColumns) * kRows) return false;
    for (int cx = 0; cx < kColumns; ++cx) {
        for (int cy = 0; cy < kRows; ++cy) {
            level.cells[static_cast<size_t>(cx) * kRows + cy] = static_cast<std::int8_t>(bytes[DatIndex(cx, cy)]);
        }
    }
    return true;
}

}  // namespace levels
