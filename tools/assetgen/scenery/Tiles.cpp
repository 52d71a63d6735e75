// The 16x16 tiles of a world. Each tile draws the sides its key leaves open (a cap on top, an
// outlined edge on the left, right and bottom) and nothing along a side that joins a solid cell,
// where only isolated specks may touch the border, so tiles of any variant sit side by side
// without a seam.
#include "Tiles.h"

#include <algorithm>
#include <cmath>

#include "Toolkit.h"

namespace scenery {

const char* const kNeighbourKeys[15] = {"48", "26", "4",    "8",   "2",   "6",   "46", "24",
                                        "68", "28", "2468", "268", "468", "248", "246"};

namespace {

struct Open {
    bool top, bottom, left, right;
};

// Cap style numbers of worlds.txt.
enum CapStyle { kGrass = 0, kRim = 1, kSnow = 2, kCrust = 3 };

class TileBuilder {
public:
    TileBuilder(const World& w, const std::string& key, int variant)
        : w_(w), variant_(variant), pic_(16, 16, w.keys.tile) {
        auto has = [&](char c) { return key.find(c) != std::string::npos; };
        open_ = {!has('8'), !has('4'), !has('6'), !has('2')};
        style_ = w.I("tile.cap.style");
    }

    Picture Build() {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) Paint(x, y);
        }
        Details();
        for (uint32_t& v : pic_.pixels) {
            if (v != w_.keys.tile && InKeyRange(v, w_.keys.tile)) v = NudgeFromKey(v, w_.keys.tile);
        }
        return pic_;
    }

private:
    // Distance of the pixel centre inside the open boundary; negative outside (rounded corners).
    double Inside(int x, int y) const {
        const double px = x + 0.5, py = y + 0.5;
        double d = 99;
        if (open_.top) d = std::min(d, py);
        if (open_.bottom) d = std::min(d, 16 - py);
        if (open_.left) d = std::min(d, px);
        if (open_.right) d = std::min(d, 16 - px);
        auto corner = [&](bool a, bool b, double cx, double cy, double r) {
            if (!a || !b) return;
            if (std::abs(px - cx) > r || std::abs(py - cy) > r) return;
            double ox = cx < 8 ? r : 16 - r, oy = cy < 8 ? r : 16 - r;
            bool inCornerBox = (cx < 8 ? px < r : px > 16 - r) && (cy < 8 ? py < r : py > 16 - r);
            if (inCornerBox) d = std::min(d, r - std::hypot(px - ox, py - oy));
        };
        const double rt = w_.N("tile.corner.top"), rb = w_.N("tile.corner.bottom");
        corner(open_.top, open_.left, 0, 0, rt);
        corner(open_.top, open_.right, 16, 0, rt);
        corner(open_.bottom, open_.left, 0, 16, rb);
        corner(open_.bottom, open_.right, 16, 16, rb);
        return d;
    }

    // Depth of the cap below the top edge in column x. The columns next to the tile's left and
    // right borders have the same depth in every variant, so caps of neighbours meet exactly.
    double CapDepth(int x) const {
        double depth = w_.N("tile.cap.depth");
        if (x >= 3 && x <= 12) {
            // A drip or two in the middle columns, different per variant.
            double h = Hash01(x / 2, variant_, w_.set + 17);
            if (h < w_.N("tile.cap.drips")) depth += (style_ == kSnow ? 2 : 1) + (h < 0.12 ? 1 : 0);
        }
        // The cap hangs over an open side.
        if (open_.left && x < 4) depth += 4 - x;
        if (open_.right && x > 11) depth += x - 11;
        return depth;
    }

    void Paint(int x, int y) {
        const double d = Inside(x, y);
        if (d < 0) return;  // stays key
        uint32_t& px = pic_.At(x, y);
        if (d < 1.0) {
            px = w_.C("outline").Pixel();
            return;
        }
        const double cap = open_.top ? CapDepth(x) : -1;
        if (y < cap) {
            px = CapColour(x, y, cap).Pixel();
            return;
        }
        if (open_.top && y < cap + 1) {
            px = w_.C("tile.cap.edge").Pixel();
            return;
        }
        px = BodyColour(x, y).Pixel();
    }

    Colour CapColour(int x, int y, double cap) const {
        Colour c = w_.C("tile.cap");
        if (y <= 1) c = w_.C("tile.cap.light");
        if (y >= cap - 1) c = w_.C("tile.cap.shade");
        if (open_.right && x >= 13) c = w_.C("tile.cap.shade");
        if (open_.left && x <= 1 && y > 1) c = w_.C("tile.cap.light");
        // Speckle inside the cap: blades, pebbles of snow, embers.
        double h = Hash01(x, y, variant_ * 31 + w_.set);
        if (y > 1 && y < cap - 1 && h < w_.N("tile.cap.speckle")) {
            c = style_ == kCrust ? w_.C("tile.ember") : w_.C("tile.cap.light");
        }
        return c;
    }

    Colour BodyColour(int x, int y) const {
        Colour c = w_.C("tile.body");
        const int dl = x, dr = 15 - x, db = 15 - y;
        if (open_.left && dl <= 2) c = w_.C("tile.body.light");
        if (open_.right && dr <= 2) c = w_.C("tile.body.shade");
        if (open_.bottom && db <= 2)
            c = w_.C(db <= 1 && w_.colours.count("tile.glow") ? "tile.glow" : "tile.body.shade");
        if (open_.bottom && db == 3 && w_.colours.count("tile.glow")) c = w_.C("tile.body.shade");
        // Specks: dark and light, scattered the same way in every tile of this variant.
        double h = Hash01(x, y, variant_ * 13 + w_.set * 5 + 1);
        const double density = w_.N("tile.speckle");
        if (h < density)
            c = w_.C("tile.body.dot");
        else if (h < density * 1.6)
            c = w_.C("tile.body.light");
        return c;
    }

    void Set(int x, int y, const Colour& c) {
        if (x < 0 || y < 0 || x > 15 || y > 15) return;
        uint32_t& px = pic_.At(x, y);
        if (px == w_.keys.tile || px == w_.C("outline").Pixel()) return;
        if (open_.top && y < CapDepth(x) + 1) return;
        px = c.Pixel();
    }

    // Small things inside the body, away from every border.
    void Details() {
        Rng rng(w_.Seed(1000 + variant_));
        const Colour line = w_.C("tile.detail.line");
        const int top = open_.top ? int(w_.N("tile.cap.depth")) + 3 : 3;
        if (variant_ == 1) {
            // Two pebbles.
            for (int i = 0; i < 2; ++i) {
                int x = rng.Int(3, 10), y = rng.Int(std::min(top, 10), 11);
                Set(x, y, w_.C("tile.pebble"));
                Set(x + 1, y, w_.C("tile.pebble"));
                Set(x + 2, y, w_.C("tile.pebble.shade"));
                Set(x, y + 1, w_.C("tile.pebble.shade"));
                Set(x + 1, y + 1, line);
                Set(x + 2, y + 1, line);
            }
        } else if (variant_ == 2) {
            // A crack.
            int x = rng.Int(4, 10), y = std::min(top, 9);
            for (int i = 0; i < 5; ++i) {
                Set(x, y, line);
                if (i == 2) Set(x + 1, y, w_.C("tile.body.light"));
                x += rng.Int(-1, 1);
                ++y;
            }
        } else if (variant_ == 3) {
            int x = rng.Int(4, 8), y = std::min(top + 1, 10);
            const Colour a = w_.C("tile.special"), b = w_.C("tile.special.shade"), hi = w_.C("tile.special.light");
            switch (w_.I("tile.special.shape")) {
                case 0:  // a small bone
                    Set(x, y, hi), Set(x, y + 2, hi);
                    for (int i = 1; i < 5; ++i) Set(x + i, y + 1, a);
                    Set(x + 5, y, a), Set(x + 5, y + 2, b), Set(x + 1, y + 2, line), Set(x + 3, y + 2, line);
                    break;
                case 1:  // a crystal shard
                    Set(x + 1, y - 1, hi);
                    Set(x, y, a), Set(x + 1, y, hi), Set(x + 2, y, b);
                    Set(x, y + 1, a), Set(x + 1, y + 1, a), Set(x + 2, y + 1, b);
                    Set(x, y + 2, line), Set(x + 1, y + 2, line), Set(x + 2, y + 2, line);
                    Set(x + 4, y + 1, a), Set(x + 4, y + 2, b), Set(x + 4, y + 3, line);
                    break;
                case 2:  // frozen bubbles
                    Set(x, y, hi), Set(x + 1, y, a), Set(x, y + 1, a), Set(x + 1, y + 1, b);
                    Set(x + 4, y + 2, hi), Set(x + 3, y + 3, a);
                    break;
                default:  // a glowing vein
                    for (int i = 0; i < 6; ++i) {
                        Set(x + i, y + (i % 3 == 1 ? 1 : 0), i == 2 || i == 3 ? hi : a);
                        Set(x + i, y + (i % 3 == 1 ? 2 : 1), b);
                    }
                    break;
            }
        }
    }

    const World& w_;
    int variant_;
    Picture pic_;
    Open open_{};
    int style_ = 0;
};

}  // namespace

Picture MakeTile(const World& world, const std::string& key, int variant) {
    return TileBuilder(world, key, variant).Build();
}

}  // namespace scenery
