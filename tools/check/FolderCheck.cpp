// Checking a game folder file by file with the game's own readers, and its levels with the level checks.
#include "FolderCheck.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "FolderLevel.h"
#include "LevelCheck.h"
#include "LevelReach.h"
#include "MediaProbe.h"
#include "Solve.h"
#include "TiledMap.h"
#include "data/GameData.h"
#include "data/ObjectType.h"
#include "data/SaveSlots.h"
#include "data/UnitType.h"
#include "frontend/Highscore.h"
#include "platform/Files.h"
#include "platform/Platform.h"

namespace {

using namespace levels;

// The samples the game plays by name.
const char* const kPlayedSamples[] = {"MENU_CURSOR",
                                      "MENU_SELECT",
                                      "POWER",
                                      "JUMPER",
                                      "MINE",
                                      "CHECKPOINT",
                                      "MONEY_COLLECTED",
                                      "POINTS_COLLECTED",
                                      "HIT",
                                      "MONSTER_HIT",
                                      "ENERGY_COLLECTED",
                                      "HERO_HIT",
                                      "LEVEL_COMPLETED"};
// The TEXT table's positions the game shows: 0 to 39.
constexpr int kTextsShown = 40;
constexpr int kMusicTracks = 10;
// Object classes whose pictures the floating texts borrow, whether a level places them or not.
const char* const kIconClasses[] = {"HEALTH10", "MACE", "SILVERCOIN", "CHECKPOINT"};
// Neighbour keys of the ground tiles and the variants the game draws.
const char* const kTileKeys[] = {"48", "26", "4",    "8",   "2",   "6",   "46", "24",
                                 "68", "28", "2468", "268", "468", "248", "246"};
constexpr int kTileVariantsDrawn = 4;
constexpr int kBranches = 25;
constexpr int kSceneries[] = {0, 2, 4, 6};
int ArtefactsOfSet(int scenery) {
    switch (scenery) {
        case 2:
            return 13;
        case 4:
            return 17;
        case 6:
            return 10;
        default:
            return 12;
    }
}
// The sky's colour key, which must not show anywhere in it.
constexpr std::uint32_t kSkyKey = 0x374B00;
constexpr int kSingleRowMaxHeight = 32;
constexpr int kStripRows = 4;

bool Exists(const std::string& gamePath) {
    std::error_code error;
    return std::filesystem::exists(platform::ResolveGamePath(gamePath), error);
}

std::string Size(int w, int h) {
    return std::to_string(w) + "x" + std::to_string(h);
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// "path: problem" from the level code, split again.
Problem Split(const std::string& line) {
    const size_t colon = line.find(": ");
    if (colon == std::string::npos) return {"", line};
    return {line.substr(0, colon), line.substr(colon + 2)};
}

}  // namespace

struct FolderCheck::PictureRule {
    int width = 0;  // exact sizes, 0 for any
    int height = 0;
    int minWidth = 0;
    int minHeight = 0;
    int maxWidth = 0;
    int maxHeight = 0;
    int frameWidth = 0;   // a strip of frames this wide: one row up to 32 high, else four equal rows
    bool oneRow = false;  // a strip that must be one row
    int rowHeight = 0;    // the height is a whole number of rows this high
    bool opaque = false;  // no pixel of the sky's colour key
};

bool FolderCheck::CheckPicture(const std::string& path, const PictureRule& rule) {
    platform::Image image;
    if (!platform::DecodeGamePicture(path, image)) {
        Add(path, Exists(path) ? "does not decode as a picture" : "missing");
        return false;
    }
    const int w = image.width;
    const int h = image.height;
    const size_t before = problems.size();
    if ((rule.width && w != rule.width) || (rule.height && h != rule.height)) {
        Add(path, "is " + Size(w, h) + ", not " + Size(rule.width ? rule.width : w, rule.height ? rule.height : h));
    }
    if (w < rule.minWidth || h < rule.minHeight) {
        Add(path, "is " + Size(w, h) + ", smaller than the " + Size(rule.minWidth, rule.minHeight) + " the game draws");
    }
    if ((rule.maxWidth && w > rule.maxWidth) || (rule.maxHeight && h > rule.maxHeight)) {
        Add(path, "is " + Size(w, h) + ", larger than " + Size(rule.maxWidth, rule.maxHeight));
    }
    if (rule.frameWidth && (w < rule.frameWidth || w % rule.frameWidth != 0)) {
        Add(path, "is " + std::to_string(w) + " wide: not a whole number of frames " + std::to_string(rule.frameWidth) +
                      " wide");
    }
    if (rule.frameWidth && rule.oneRow && h > kSingleRowMaxHeight) {
        Add(path, "is " + std::to_string(h) + " high: its frames must stand in one row, at most 32 high");
    }
    if (rule.frameWidth && !rule.oneRow && h > kSingleRowMaxHeight && h % kStripRows != 0) {
        Add(path, "is " + std::to_string(h) + " high: a strip over 32 high is four rows of equal height");
    }
    if (rule.rowHeight && h % rule.rowHeight != 0) {
        Add(path, "is " + std::to_string(h) + " high: not a whole number of rows " + std::to_string(rule.rowHeight) +
                      " high");
    }
    if (rule.opaque && std::find(image.pixels.begin(), image.pixels.end(), kSkyKey) != image.pixels.end()) {
        Add(path, "holds the colour key RGB(55,75,0), which leaves old frames showing through the sky");
    }
    return problems.size() == before;
}

void FolderCheck::CheckTables() {
    std::array<std::string, CGameData::kTableCapacity> table;
    const int texts = CGameData::ReadTable("Data\\Text.xml", "TEXT", table);
    if (!Exists("Data\\Text.xml")) {
        Add("Data\\Text.xml", "missing");
    } else if (texts < kTextsShown) {
        Add("Data\\Text.xml", "holds " + std::to_string(texts) + " texts; the game shows texts 0 to 39");
    }
    const int samples = CGameData::ReadTable("Data\\Sample.xml", "SAMPLE", table);
    if (!Exists("Data\\Sample.xml")) {
        Add("Data\\Sample.xml", "missing");
        return;
    }
    for (const char* name : kPlayedSamples) {
        if (std::find(table.begin(), table.begin() + samples, name) == table.begin() + samples) {
            Add("Data\\Sample.xml", std::string("no sample ") + name + ", which the game plays");
        }
    }
    for (int i = 0; i < samples; ++i) {
        const std::string path = "SOUND\\" + table[i] + ".WAV";
        if (!Present(path)) continue;
        MediaInfo info;
        std::string error;
        if (!ProbeMedia(platform::ResolveGamePath(path), info, error)) {
            Add(path, error);
        } else if (!info.audio || !info.pcm) {
            Add(path, "not PCM sound");
        } else if (info.sampleRate != 22050 && info.sampleRate != 44100) {
            Add(path, "sampled at " + std::to_string(info.sampleRate) + " Hz, not 22050 or 44100");
        }
    }
}

bool FolderCheck::Present(const std::string& path) {
    if (Exists(path)) return true;
    Add(path, "missing");
    return false;
}

void FolderCheck::CheckUnit(const std::string& name) {
    const std::string path = "Units\\" + name + ".xml";
    if (!Present(path)) return;
    const UnitType type(name);
    if (type.unitClass.empty()) Add(path, "no CLASS");
    if (type.maxWidth <= 0 || type.maxHeight <= 0) Add(path, "no MAXSIZE HEIGHT and WIDTH");
    if (type.unitClass.empty() || type.maxWidth <= 0) return;
    // Enemies walk and turn; the hero has every animation.
    const int count = type.unitClass == "HERO" ? UnitType::kNamedAnimations : 4;
    std::set<std::string> seen;
    for (int i = 0; i < count; ++i) {
        const std::string animation = UnitType::kAnimationNames[i];
        if (!seen.insert(animation).second) continue;
        PictureRule rule;
        rule.frameWidth = type.maxWidth;
        if (animation == "ATACKLEFT" || animation == "ATACKRIGHT") rule.frameWidth = UnitType::kAttackFrameWidth;
        if (animation == "DEATHLEFT" || animation == "DEATHRIGHT") rule.frameWidth = UnitType::kDeathFrameWidth;
        CheckPicture("Units\\" + type.unitClass + "\\" + animation + ".png", rule);
    }
}

void FolderCheck::CheckObject(const std::string& name) {
    const std::string path = "Objects\\" + name + ".xml";
    if (!Present(path)) return;
    const ObjectType type(name);
    if (type.objectClass.empty()) {
        Add(path, "no CLASS");
        return;
    }
    PictureRule rule;
    rule.frameWidth = ObjectType::kSize;
    rule.oneRow = true;
    CheckPicture("Objects\\" + type.objectClass + "\\rot.png", rule);
}

void FolderCheck::CheckLevel(int number, const Catalogue& catalogue, const std::vector<std::string>& platformKinds) {
    const std::string xmlPath = LevelXmlPath(number);
    Level level;
    std::string error;
    if (!ReadFolderLevel(number, catalogue, level, error)) {
        problems.push_back(Split(error));
        return;
    }
    std::string text;
    platform::ReadWholeFile(platform::ResolveGamePath(xmlPath), text);
    bool placed = true;
    for (const char* point : {"START_POS", "FINISH_POS"}) {
        const size_t hero = text.find("<HERO");
        const size_t end = text.find("</HERO", hero == std::string::npos ? 0 : hero);
        const size_t at = hero == std::string::npos ? std::string::npos : text.find(std::string("<") + point, hero);
        if (at == std::string::npos || at > end) {
            Add(xmlPath, std::string("no ") + point + " in the HERO block: the level has no " +
                             (point[0] == 'S' ? "start" : "finish"));
            placed = false;
        }
    }
    if (level.name.empty()) Add(xmlPath, "no NAME");

    // What the level names must exist; what does not is left out of the play checks below.
    std::vector<Placement> enemies;
    for (const Placement& e : level.enemies) {
        unitsNamed_.insert(e.type);
        if (!catalogue.units.count(e.type)) {
            Add(xmlPath,
                "enemy " + e.tag + " is of unit type '" + e.type + "', but Units\\" + e.type + ".xml is missing");
        } else if (e.route.size() < 2) {
            Add(xmlPath, "enemy " + e.tag + " (" + e.type + ") has a route of one point; it needs a ROUTE_PNT");
        } else {
            enemies.push_back(e);
        }
    }
    level.enemies = enemies;
    std::vector<levels::ObjectPlacement> objects;
    for (const levels::ObjectPlacement& o : level.objects) {
        objectsNamed_.insert(o.type);
        if (!catalogue.objectClasses.count(o.type)) {
            Add(xmlPath,
                "object " + o.tag + " is of type '" + o.type + "', but Objects\\" + o.type + ".xml is missing");
        } else {
            objects.push_back(o);
        }
    }
    level.objects = objects;
    std::vector<Placement> platforms;
    for (const Placement& p : level.platforms) {
        const bool known = std::any_of(platformKinds.begin(), platformKinds.end(),
                                       [&](const std::string& kind) { return Lower(kind) == Lower(p.type); });
        if (!known) {
            Add(xmlPath, "platform " + p.tag + " is of kind '" + p.type + "', which MovableEl.xml does not name");
        } else if (p.route.size() < 2) {
            Add(xmlPath, "platform " + p.tag + " (" + p.type + ") has a route of one point; it needs a ROUTE_PNT");
        } else {
            platforms.push_back(p);
        }
    }
    level.platforms = platforms;
    if (!placed || catalogue.hero.name.empty()) return;
    for (const std::string& line : levels::CheckLevel(level, catalogue)) problems.push_back(Split(line));
    for (const std::string& line : ReachProblems(level, catalogue)) problems.push_back(Split(line));
}

void FolderCheck::CheckLevels() {
    std::vector<std::string> found;
    Catalogue catalogue = FolderCatalogue(found);
    for (const std::string& line : found) problems.push_back(Split(line));
    // Units of the folder may go anywhere: worlds are a rule of the shipped levels only.
    for (auto& [name, unit] : catalogue.units) unit.world = -1;
    if (!Exists("LevelDescriptions\\MovableEl.xml")) {
        Add("LevelDescriptions\\MovableEl.xml", "missing");
    } else if (catalogue.platforms.empty()) {
        Add("LevelDescriptions\\MovableEl.xml", "names no platform kind (ELEMENT NAME=...)");
    }
    for (int n = 0; n < kLevelCount; ++n) CheckLevel(n, catalogue, catalogue.platforms);
    CheckUnit("hero");
    for (const std::string& name : unitsNamed_) {
        if (catalogue.units.count(name)) CheckUnit(name);
    }
    for (const std::string& name : objectsNamed_) {
        if (catalogue.objectClasses.count(name)) CheckObject(name);
    }
    PictureRule icon;
    icon.frameWidth = ObjectType::kSize;
    icon.oneRow = true;
    for (const char* name : kIconClasses) CheckPicture(std::string("Objects\\") + name + "\\rot.png", icon);
    PictureRule platform;
    platform.frameWidth = 64;
    platform.height = 16;
    for (int group : kSceneries) {
        for (const std::string& kind : catalogue.platforms) {
            CheckPicture("LevelDescriptions\\Level" + std::to_string(group) + "\\MovableEl\\" + kind + ".png",
                         platform);
        }
    }
}

void FolderCheck::CheckPictures() {
    for (int set : kSceneries) {
        const std::string folder = "LevelDescriptions\\Level" + std::to_string(set) + "\\";
        PictureRule tile;
        tile.minWidth = tile.minHeight = 16;
        for (int v = 0; v < kTileVariantsDrawn; ++v) {
            for (const char* key : kTileKeys) CheckPicture(folder + key + "_" + std::to_string(v) + ".png", tile);
        }
        PictureRule decoration;
        decoration.minWidth = decoration.minHeight = 80;
        for (int i = 0; i < kBranches; ++i) CheckPicture(folder + "Branch" + std::to_string(i) + ".png", decoration);
        for (int i = 0; i < ArtefactsOfSet(set); ++i) {
            CheckPicture(folder + "Artefact" + std::to_string(i) + ".png", decoration);
        }
        PictureRule sky;
        sky.width = 800;
        sky.height = 600;
        sky.opaque = true;
        CheckPicture(folder + "Level" + std::to_string(set) + "_3.png", sky);
        PictureRule piece;
        piece.width = piece.height = 512;
        for (int a = 0; a <= 2; ++a) {
            for (int b = 0; b <= 1; ++b) {
                CheckPicture(folder + "Background\\Bk_2_" + std::to_string(a) + "_" + std::to_string(b) + ".png",
                             piece);
            }
        }
        for (int a = 0; a <= 6; ++a) {
            for (int b = 0; b <= 2; ++b) {
                CheckPicture(folder + "Background\\Bk_1_" + std::to_string(a) + "_" + std::to_string(b) + ".png",
                             piece);
            }
        }
        CheckPicture(folder + "Background\\Bk_1_4_3.png", piece);
    }
    PictureRule screen;
    screen.width = 800;
    screen.height = 600;
    for (const char* path : {"Graphics\\Menu\\Bkg.png", "Graphics\\Options\\Background.png",
                             "Graphics\\About\\Background.png", "Graphics\\LoadGame\\Background.png",
                             "Graphics\\Highscore\\Background.png", "Graphics\\Briefing\\Background.png"}) {
        CheckPicture(path, screen);
    }
    PictureRule frame;
    frame.width = frame.height = 128;
    CheckPicture("Graphics\\Briefing\\Selected.png", frame);
    CheckPicture("Graphics\\Briefing\\Unselected.png", frame);
    PictureRule font;
    font.width = 512;
    font.rowHeight = 57;
    CheckPicture("Graphics\\Spritelitery.png", font);
    PictureRule any;
    CheckPicture("Graphics\\Life.png", any);
    CheckPicture("Graphics\\Energy.png", any);
    PictureRule club;
    club.maxWidth = 85;
    club.maxHeight = 70;
    CheckPicture("Graphics\\Maczuga.png", club);
    PictureRule coin;
    coin.maxWidth = coin.maxHeight = 64;
    CheckPicture("Graphics\\Moneta.png", coin);
    PictureRule bang;
    bang.frameWidth = 128;
    CheckPicture("Graphics\\Bang\\Bang.png", bang);
}

void FolderCheck::CheckMedia() {
    for (int n = 0; n < kMusicTracks; ++n) {
        const std::string path = "Music\\Track" + std::to_string(n) + ".MP3";
        MediaInfo info;
        std::string error;
        if (!Present(path)) continue;
        if (!ProbeMedia(platform::ResolveGamePath(path), info, error)) {
            Add(path, error);
        } else if (!info.audio) {
            Add(path, "holds no sound");
        }
    }
    for (const char* path : {"intro.avi", "outro.avi"}) {
        MediaInfo info;
        std::string error;
        if (!Present(path)) continue;
        if (!ProbeMedia(platform::ResolveGamePath(path), info, error)) {
            Add(path, error);
        } else if (!info.video || info.width != 800 || info.height != 600) {
            Add(path, "its picture is " + Size(info.width, info.height) + ", not 800x600");
        } else if (!info.audio) {
            Add(path, "holds no sound");
        }
    }
}

void FolderCheck::CheckPlayerFiles() {
    // Each of them may be missing (the game starts afresh) but not damaged: the game then quietly falls back
    // to defaults, and the player wonders where the options or the saved game went.
    std::string bytes;
    if (Exists("Config.dat") && platform::ReadWholeFile(platform::ResolveGamePath("Config.dat"), bytes)) {
        std::int32_t difficulty = 0;
        if (bytes.size() == 8) std::memcpy(&difficulty, bytes.data() + 4, 4);
        if (bytes.size() != 8) {
            Add("Config.dat", std::to_string(bytes.size()) + " bytes, not 8 (four options and the difficulty)");
        } else if (difficulty < 0 || difficulty > 2) {
            Add("Config.dat", "difficulty " + std::to_string(difficulty) + ", not 0, 1 or 2");
        }
    }
    for (int slot = 0; slot < kSaveSlotCount; ++slot) {
        const std::string path = SaveSlotFileName(slot);
        if (!Exists(path) || !platform::ReadWholeFile(platform::ResolveGamePath(path), bytes) || bytes.empty())
            continue;
        PlayerRecord record;
        DecodeSlot(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), record);
        if (bytes.size() != kSaveRecordSize) {
            Add(path, std::to_string(bytes.size()) + " bytes, not " + std::to_string(kSaveRecordSize));
        } else if (record.nextLevel != 0 && IsEmptySlot(record)) {
            Add(path, "goes on with level " + std::to_string(record.nextLevel) + ", which the game does not have");
        }
    }
    if (Exists("Highscore.dat") && platform::ReadWholeFile(platform::ResolveGamePath("Highscore.dat"), bytes) &&
        !bytes.empty() && bytes.size() != CHighscore::kFileSize) {
        Add("Highscore.dat", std::to_string(bytes.size()) + " bytes, not " + std::to_string(CHighscore::kFileSize));
    }
}

void FolderCheck::CheckMap(const std::string& path, const std::string& name) {
    std::vector<std::string> found;
    const Catalogue catalogue = FolderCatalogue(found);
    for (const std::string& line : found) problems.push_back(Split(line));
    if (!found.empty()) return;
    // The number only names the level in the comment; the checks are the same for every slot.
    const std::string file = name.substr(name.find_last_of('/') + 1);
    const int number =
        file.size() > 5 && file.rfind("level", 0) == 0 && file[5] >= '0' && file[5] <= '7' ? file[5] - '0' : 0;
    Level level;
    found.clear();
    CompileTiledMap(path, name, number, catalogue, level, found);
    for (const std::string& line : found) {
        Problem problem = Split(line);
        problem.onDisk = true;
        problems.push_back(problem);
    }
}

void FolderCheck::Solve(double seconds) {
    SearchOptions options;
    options.timeLimitSeconds = seconds;
    // A new game on normal difficulty, as the shipped solutions start.
    Replay header;
    header.difficulty = 1;
    header.player.Reset(header.difficulty);
    for (int n = 0; n < kLevelCount; ++n) {
        header.level = n;
        header.player.nextLevel = n;
        const bool last = n + 1 == kLevelCount;
        PlayerRecord end;
        PlayerRecord next = header.player;
        next.nextLevel = n + 1;
        std::string error;
        // The level's own solution settles it when it still finishes the level.
        Replay shipped;
        const std::string replayPath = "Replays\\level" + std::to_string(n) + ".txt";
        if (Exists(replayPath) && shipped.Load(platform::ResolveGamePath(replayPath), error) && shipped.level == n &&
            PlayThrough(shipped, end, last ? nullptr : &next, error)) {
            header.player = next;
            header.difficulty = shipped.difficulty;
            continue;
        }
        SearchResult result;
        int32_t startDistance = 0;
        if (!SearchLevel(header, options, result, startDistance, error)) {
            Add(LevelXmlPath(n), "the solver cannot enter the level: " + error);
        } else if (!result.found) {
            Add(LevelXmlPath(n), "the solver found no way to the finish in " +
                                     std::to_string(static_cast<int>(result.seconds)) +
                                     " s; the hero got closest at cell " + std::to_string((result.bestX + 28) / 16) +
                                     "," + std::to_string((result.bestY + 60) / 16));
        } else {
            Replay solution = header;
            solution.frames = result.frames;
            if (!PlayThrough(solution, end, last ? nullptr : &next, error)) {
                Add(LevelXmlPath(n), "the solver's way does not finish the level in the whole game: " + error);
            }
        }
        header.player = next;
    }
}
