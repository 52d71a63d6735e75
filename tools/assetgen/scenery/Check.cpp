// --check: every scenery file the game reads is there, has the size the game expects, and keeps
// the colour-key rules (no figure pixel in the key's range or close enough to it to be a blend
// into it, opaque static plans, branches and artefacts clear of the picture's edges).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Generators.h"
#include "Paths.h"
#include "Tiles.h"
#include "World.h"

namespace scenery {

namespace {

class Checker {
public:
    explicit Checker(std::string root) : root_(std::move(root)) {}

    int Problems() const { return problems_; }
    int Files() const { return files_; }

    void Problem(const std::string& path, const std::string& what) {
        std::printf("  %s: %s\n", path.c_str(), what.c_str());
        ++problems_;
    }

    // Loads a picture and checks its size and that no pixel lies near the key without being it.
    // Returns false when it could not be checked further.
    bool Load(const std::string& path, int w, int h, uint32_t key, Picture& p, bool exactWidth = true) {
        ++files_;
        bool translucent = false;
        if (!DecodePng(root_ + "/" + path, p, &translucent)) {
            Problem(path, "missing or not a PNG");
            return false;
        }
        if ((exactWidth && p.width != w) || p.height != h || p.width < w) {
            Problem(path, "is " + std::to_string(p.width) + "x" + std::to_string(p.height) + ", expected " +
                              std::to_string(w) + "x" + std::to_string(h));
            return false;
        }
        if (translucent) Problem(path, "has translucent pixels (the game ignores alpha)");
        int near = 0, firstX = -1, firstY = -1;
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                uint32_t v = p.At(x, y);
                if (v == key) continue;
                if (InKeyRange(v, key) || CloseTo(v, key)) {
                    if (near++ == 0) firstX = x, firstY = y;
                }
            }
        }
        if (near) {
            Problem(path, std::to_string(near) + " pixel(s) in or next to the key colour, first at (" +
                              std::to_string(firstX) + ", " + std::to_string(firstY) + ")");
        }
        return true;
    }

    static int KeyShare(const Picture& p, uint32_t key) {
        size_t n = 0;
        for (uint32_t v : p.pixels) n += v == key;
        return int(n * 100 / p.pixels.size());
    }

    // A decoration must not touch its picture's edge, or the game would show a cut.
    void ClearEdges(const std::string& path, const Picture& p, uint32_t key, int w, int h, bool bottomMayTouch) {
        for (int x = 0; x < w; ++x) {
            if (p.At(x, 0) != key || (!bottomMayTouch && p.At(x, h - 1) != key)) {
                return Problem(path, "the figure touches the top or bottom edge");
            }
        }
        for (int y = 0; y < h; ++y) {
            if (p.At(0, y) != key || p.At(w - 1, y) != key) return Problem(path, "the figure touches a side edge");
        }
    }

    std::string ReadText(const std::string& path) {
        std::ifstream in(root_ + "/" + path, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

private:
    // A blend of a figure edge into the key would sit this close to it.
    static bool CloseTo(uint32_t v, uint32_t key) {
        Colour a = Colour::FromPixel(v), b = Colour::FromPixel(key);
        return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) <= 20;
    }

    std::string root_;
    int problems_ = 0;
    int files_ = 0;
};

void CheckSet(Checker& c, int set) {
    const Keys keys = KeysOf(set);
    Picture p;
    for (const char* key : kNeighbourKeys) {
        for (int v = 0; v < kTileVariants; ++v) {
            const std::string path = TilePath(set, key, v);
            if (!c.Load(path, 16, 16, keys.tile, p)) continue;
            if (c.KeyShare(p, keys.tile) > 15) c.Problem(path, "more than 15% of the tile is transparent");
        }
    }
    for (int i = 0; i < kBranchCount; ++i) {
        const std::string path = BranchPath(set, i);
        if (!c.Load(path, kBranchSize, kBranchSize, keys.decoration, p)) continue;
        c.ClearEdges(path, p, keys.decoration, kBranchSize, kBranchSize, false);
        if (c.KeyShare(p, keys.decoration) < 75) c.Problem(path, "a branch should be mostly transparent");
    }
    for (int i = 0; i < ArtefactCount(set); ++i) {
        const std::string path = ArtefactPath(set, i);
        if (!c.Load(path, kArtefactFileWidth, kArtefactHeight, keys.decoration, p)) continue;
        c.ClearEdges(path, p, keys.decoration, kArtefactFileWidth, kArtefactHeight, true);
        bool standing = false;
        for (int x = 0; x < p.width; ++x) standing |= p.At(x, p.height - 1) != keys.decoration;
        if (!standing) c.Problem(path, "the artefact does not reach the ground line (bottom row)");
    }
    const std::string plan = PlanPath(set);
    if (c.Load(plan, 800, 600, keys.plan, p) && c.KeyShare(p, keys.plan) > 0) {
        c.Problem(plan, "the static plan must be fully opaque");
    }
    for (int a = 0; a < kFarColumns; ++a) {
        for (int b = 0; b < kFarRows; ++b) c.Load(PiecePath(set, 2, a, b), kPieceSize, kPieceSize, keys.farLayer, p);
    }
    long clear = 0;
    for (int a = 0; a < kNearColumns; ++a) {
        for (int b = 0; b < kNearRows; ++b) {
            if (c.Load(PiecePath(set, 1, a, b), kPieceSize, kPieceSize, keys.nearLayer, p)) {
                clear += c.KeyShare(p, keys.nearLayer);
            }
        }
    }
    if (clear / (kNearColumns * kNearRows) < 50) {
        c.Problem(SetFolder(set) + "Background/Bk_1_*", "the near layer should be mostly transparent");
    }
    c.Load(PiecePath(set, 1, 4, 3), kPieceSize, kPieceSize, keys.nearLayer, p);
}

void CheckPlatforms(Checker& c) {
    const std::string xml = c.ReadText(MovableElPath());
    if (xml.empty()) return c.Problem(MovableElPath(), "missing or empty");
    std::vector<std::string> names;
    const std::regex element(
        R"re(<ELEMENT\s+NAME="([^"]+)"\s+COLLISION="(TRUE|FALSE)"\s+DESTROYABLE="(TRUE|FALSE)"\s*/>)re");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), element); it != std::sregex_iterator(); ++it) {
        names.push_back((*it)[1]);
    }
    if (names.empty()) c.Problem(MovableElPath(), "no ELEMENT with NAME, COLLISION and DESTROYABLE");
    if (names.size() > 10) c.Problem(MovableElPath(), "more than 10 kinds");
    for (int group : kSets) {
        const uint32_t key = KeysOf(group).platform;
        for (const std::string& name : names) {
            const std::string path = PlatformPath(group, name);
            Picture p;
            if (!c.Load(path, kPlatformFrameWidth, kPlatformHeight, key, p, false)) continue;
            if (p.width % kPlatformFrameWidth != 0) c.Problem(path, "width is not a whole number of 64-pixel frames");
        }
    }
}

}  // namespace

int CheckScenery(const std::string& gameDir) {
    Checker c(gameDir);
    for (int set : kSets) CheckSet(c, set);
    CheckPlatforms(c);
    std::printf("assetgen-scenery: checked %d scenery files\n", c.Files());
    return c.Problems();
}

}  // namespace scenery
