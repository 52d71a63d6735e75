// Reading levels and the unit, object and platform kinds back from a game folder, through the game's readers.
#include "FolderLevel.h"

#include <dirent.h>

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "LevelWriter.h"
#include "data/LevelDescription.h"
#include "data/MovableElementType.h"
#include "data/UnitType.h"
#include "data/XmlReader.h"
#include "platform/Files.h"

namespace levels {

namespace {

// The game reads at most this many platform kinds.
constexpr size_t kMaxPlatformKinds = 10;

bool EndsWithIgnoringCase(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) return false;
    for (size_t i = 0; i < end.size(); ++i) {
        const char a = static_cast<char>(std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])));
        const char b = static_cast<char>(std::tolower(static_cast<unsigned char>(end[i])));
        if (a != b) return false;
    }
    return true;
}

UnitInfo InfoOf(const std::string& name, const UnitType& type) {
    UnitInfo info;
    info.name = name;
    info.width = type.maxWidth;
    info.height = type.maxHeight;
    info.speed = type.speed;
    info.jump = type.jump < 0 ? 0 : type.jump;  // the reader keeps a flyer's 0 as -1
    info.energy = type.energy;
    info.strength = type.strength;
    return info;
}

// The text of the first comment of a description, without the blank we write on either side of it.
std::string FirstComment(const std::string& text) {
    const size_t open = text.find("<!--");
    if (open == std::string::npos) return {};
    const size_t close = text.find("-->", open + 4);
    if (close == std::string::npos) return {};
    std::string note = text.substr(open + 4, close - open - 4);
    if (!note.empty() && note.front() == ' ') note.erase(0, 1);
    if (!note.empty() && note.back() == ' ') note.pop_back();
    return note;
}

}  // namespace

std::string LevelXmlPath(int number) {
    return "LevelDescriptions\\Level" + std::to_string(number) + ".xml";
}

std::string LevelDatPath(int number) {
    return "LevelDescriptions\\Level" + std::to_string(number) + ".dat";
}

std::vector<std::string> FolderFileNames(const std::string& gameFolder, const std::string& extension) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(platform::ResolveGamePath(gameFolder).c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string file = entry->d_name;
        if (file.size() > extension.size() && EndsWithIgnoringCase(file, extension)) {
            names.push_back(file.substr(0, file.size() - extension.size()));
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

Catalogue FolderCatalogue(std::vector<std::string>& problems) {
    Catalogue catalogue;
    for (const std::string& name : FolderFileNames("Units", ".xml")) {
        const UnitType type(name);
        const UnitInfo info = InfoOf(name, type);
        if (info.width <= 0 || info.height <= 0) {
            problems.push_back("Units\\" + name + ".xml: no MAXSIZE HEIGHT and WIDTH");
            continue;
        }
        if (name == "hero") {
            catalogue.hero = info;
        } else {
            catalogue.units[name] = info;
        }
    }
    if (catalogue.hero.name.empty()) problems.push_back("Units\\hero.xml: missing or without a size");
    for (const std::string& name : FolderFileNames("Objects", ".xml")) catalogue.objectClasses[name] = name;
    CXmlReader reader("LevelDescriptions\\MovableEl.xml");
    for (const MovableElementType::Definition& d : MovableElementType::ReadDefinitions(reader, kMaxPlatformKinds)) {
        catalogue.platforms.push_back(d.name);
    }
    return catalogue;
}

bool ReadFolderLevel(int number, const Catalogue& catalogue, Level& level, std::string& error) {
    const std::string xmlPath = LevelXmlPath(number);
    const std::string datPath = LevelDatPath(number);
    std::string xml;
    std::string dat;
    if (!platform::ReadWholeFile(platform::ResolveGamePath(xmlPath), xml)) {
        error = xmlPath + ": missing";
        return false;
    }
    if (!platform::ReadWholeFile(platform::ResolveGamePath(datPath), dat)) {
        error = datPath + ": missing";
        return false;
    }
    if (dat.size() != kDatSize) {
        error = datPath + ": " + std::to_string(dat.size()) + " bytes, not " + std::to_string(kDatSize) +
                " (256 x 128 cells and 2 spare bytes)";
        return false;
    }
    level = Level{};
    level.number = number;
    level.source = xmlPath;
    level.note = FirstComment(xml);
    CellsFromDat(std::vector<std::uint8_t>(dat.begin(), dat.end()), level);

    LevelDescription description;
    description.ReadFile(xmlPath);
    level.name = description.name;
    level.start = {description.heroStartX, description.heroStartY};
    level.finish = {description.finishX, description.finishY};
    int count = 0;
    for (const EnemyPlacement& e : description.enemies) {
        Placement placement;
        placement.type = e.type;
        placement.tag = "no. " + std::to_string(++count);
        for (const ::Point& p : e.route) placement.route.push_back({p.x, p.y});
        auto unit = catalogue.units.find(e.type);
        if (unit != catalogue.units.end() && !placement.route.empty()) {
            placement.column = (placement.route[0].x + kSideInset) / kCell;
            placement.row = (placement.route[0].y + unit->second.height) / kCell;
        }
        level.enemies.push_back(placement);
    }
    count = 0;
    for (const ::ObjectPlacement& o : description.objects) {
        ObjectPlacement object;
        object.type = o.type;
        object.tag = "no. " + std::to_string(++count);
        object.pos = {o.x, o.y};
        object.column = o.x / kCell;
        object.row = (o.y + kObjectSize - 1) / kCell;
        level.objects.push_back(object);
    }
    count = 0;
    for (const MovableElementPlacement& m : description.movableElements) {
        Placement placement;
        placement.type = m.type;
        placement.tag = "no. " + std::to_string(++count);
        for (const ::Point& p : m.route) placement.route.push_back({p.x, p.y});
        if (!placement.route.empty()) {
            placement.column = placement.route[0].x / kCell;
            placement.row = placement.route[0].y / kCell;
        }
        level.platforms.push_back(placement);
    }
    return true;
}

}  // namespace levels
