// A mock game screen of one world, put together from the generated files with the game's own
// choice rules (tile variants, branches, artefacts, layer scrolling), for looking at the scenery.
#include "Mock.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "Canvas.h"
#include "Paths.h"
#include "Tiles.h"
#include "World.h"

namespace scenery {

namespace {

constexpr int kW = 800, kH = 600;

// The runtime library's generator, which the game seeds per cell.
struct CellRandom {
    uint32_t state = 1;
    void Seed(int32_t s) { state = uint32_t(s); }
    int Draw() {
        state = state * 214013u + 2531011u;
        return int((state >> 16) & 0x7FFF);
    }
};

int CellHash(int a, int b) {
    CellRandom r;
    r.Seed(int32_t(uint32_t(a) * uint32_t(a)));
    int first = r.Draw();
    r.Seed(int32_t(uint32_t(first) * uint32_t(b) + uint32_t(a)));
    return r.Draw();
}

int Variant(int x, int y) {
    CellRandom r;
    r.Seed(int32_t(uint32_t(x) * uint32_t(y) + uint32_t(x)));
    int r1 = r.Draw();
    r.Seed(int32_t(uint32_t(r1) * uint32_t(x)));
    return r.Draw() % 4;
}

class Grid {
public:
    bool Solid(int x, int y) const { return x >= 0 && y >= 0 && x < 256 && y < 128 && cells_[x][y]; }
    void Set(int x, int y) {
        if (x >= 0 && y >= 0 && x < 256 && y < 128) cells_[x][y] = true;
    }
    void Fill(int x0, int y0, int x1, int y1) {
        for (int x = x0; x <= x1; ++x) {
            for (int y = y0; y <= y1; ++y) Set(x, y);
        }
    }
    std::string Key(int x, int y) const {
        if (!Solid(x, y)) return "";
        std::string k;
        if (Solid(x + 1, y)) k += '2';
        if (Solid(x, y + 1)) k += '4';
        if (Solid(x - 1, y)) k += '6';
        if (Solid(x, y - 1)) k += '8';
        return k;
    }

private:
    bool cells_[256][128] = {};
};

// Keyed copy of src rectangle (sx, sy, sw, sh) onto dst at (dx, dy), stretched to dw x dh,
// sampling pixel centres as the game does; clipped to the screen.
void Blit(Picture& dst, const Picture& src, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh,
          uint32_t key) {
    for (int j = 0; j < dh; ++j) {
        int ty = dy + j;
        if (ty < 0 || ty >= dst.height) continue;
        int y = sy + int((int64_t(2 * j + 1) * sh) / (2 * dh));
        if (y < 0 || y >= src.height) continue;
        for (int i = 0; i < dw; ++i) {
            int tx = dx + i;
            if (tx < 0 || tx >= dst.width) continue;
            int x = sx + int((int64_t(2 * i + 1) * sw) / (2 * dw));
            if (x < 0 || x >= src.width) continue;
            uint32_t p = src.At(x, y);
            if (p != key) dst.At(tx, ty) = p;
        }
    }
}

class Loader {
public:
    explicit Loader(std::string root) : root_(std::move(root)) {}
    const Picture* Get(const std::string& path) {
        auto it = cache_.find(path);
        if (it != cache_.end()) return it->second.width ? &it->second : nullptr;
        Picture p;
        if (!DecodePng(root_ + "/" + path, p)) {
            std::fprintf(stderr, "assetgen-scenery: mock: missing %s\n", path.c_str());
        }
        auto& slot = cache_[path] = p;
        return slot.width ? &slot : nullptr;
    }

private:
    std::string root_;
    std::map<std::string, Picture> cache_;
};

void DrawLayer(Picture& screen, Loader& files, int set, int layer, double f, int camX, int camY, uint32_t key) {
    const double kx = layer == 1 ? f : f * 0.85, ky = f * 0.8;
    const double sx = camX * kx, sy = camY * ky;
    const int c0 = int(sx / 512), r0 = int(sy / 512);
    const int ox = int(c0 * 512 - sx), oy = int(r0 * 512 - sy);
    const int columns = int(f * 16 / 2), rows = int(f * 8 / 2);
    for (int i = 0; i <= kW / 256; ++i) {
        for (int j = 0; j <= kH / 256; ++j) {
            int a = c0 + i, b = r0 + j;
            // Only the pieces that were loaded exist: columns 0..f*8, rows below f*4.
            if (a > columns || b > rows || b >= (layer == 1 ? kNearRows : kFarRows)) continue;
            const Picture* p = files.Get(PiecePath(set, layer, a, b));
            if (!p) p = files.Get(PiecePath(set, 1, 4, 3));
            if (p) Blit(screen, *p, 0, 0, 512, 512, i * 512 + ox, j * 512 + oy, 512, 512, key);
        }
    }
}

void BuildGrid(Grid& g, int cx, int cy) {
    // cx, cy: the cell at the screen's top-left corner. The scene is 50 x 37 cells.
    const int ground = cy + 31;
    g.Fill(cx, ground, cx + 52, 127);                                                      // ground
    g.Fill(cx + 8, ground - 2, cx + 15, ground);                                           // a step up
    g.Fill(cx + 10, ground - 4, cx + 15, ground);                                          // and another
    g.Fill(cx + 20, ground - 14, cx + 22, ground);                                         // a wall
    for (int i = 0; i < 5; ++i) g.Fill(cx + 23 + i, ground - 5 + i, cx + 23 + i, ground);  // a slope down from it
    g.Fill(cx + 30, ground - 8, cx + 41, ground - 8);                                      // a floating run
    g.Fill(cx + 44, ground - 12, cx + 44, ground - 5);                                     // a pillar (vertical run)
    g.Fill(cx + 33, ground - 16, cx + 35, ground - 15);                                    // a floating block
    g.Set(cx + 5, ground - 9);                                                             // a single cell
    g.Fill(cx + 2, cy - 1, cx + 48, cy + 2);                                               // a ceiling
    g.Fill(cx + 12, cy + 3, cx + 14, cy + 5);
    g.Fill(cx + 28, ground - 1, cx + 29, ground - 1);  // a bump of two cells
}

}  // namespace

int WriteLayerOverview(const std::string& gameDir, int set, int layer, const std::string& outPng) {
    Loader files(gameDir);
    const Keys keys = KeysOf(set);
    const int columns = layer == 1 ? kNearColumns : kFarColumns, rows = layer == 1 ? kNearRows : kFarRows;
    const int scale = layer == 1 ? 4 : 2;
    Picture out(columns * 512 / scale, rows * 512 / scale, 0xFF00FF);
    if (const Picture* plan = files.Get(PlanPath(set)))
        Blit(out, *plan, 0, 0, 800, 600, 0, 0, out.width, out.height, keys.plan);
    for (int a = 0; a < columns; ++a) {
        for (int b = 0; b < rows; ++b) {
            if (const Picture* p = files.Get(PiecePath(set, layer, a, b))) {
                Blit(out, *p, 0, 0, 512, 512, a * 512 / scale, b * 512 / scale, 512 / scale, 512 / scale,
                     layer == 1 ? keys.nearLayer : keys.farLayer);
            }
        }
    }
    return SavePng(out, outPng) ? 0 : 1;
}

int WriteSheet(const std::string& gameDir, int set, const std::string& outPng) {
    Loader files(gameDir);
    const Keys keys = KeysOf(set);
    Picture sheet(800, 600, 0x808080);
    if (const Picture* plan = files.Get(PlanPath(set))) Blit(sheet, *plan, 0, 0, 800, 600, 0, 0, 800, 600, keys.plan);
    auto tile = [&](const char* key, int v, int x, int y) {
        if (const Picture* t = files.Get(TilePath(set, key, v))) Blit(sheet, *t, 0, 0, 16, 16, x, y, 16, 16, keys.tile);
    };
    // Artefacts standing on a run of ground, as the game narrows them.
    for (int i = 0; i < ArtefactCount(set); ++i) {
        int x = 40 + (i % 9) * 84, y = 100 + (i / 9) * 110;
        for (int k = -2; k < 2; ++k) tile(k == -2 ? "2" : k == 1 ? "6" : "26", (i + k + 4) % 4, x + 16 * k, y);
        if (const Picture* a = files.Get(ArtefactPath(set, i)))
            Blit(sheet, *a, 0, 0, 80, 80, x - 32, y - 80, 64, 80, keys.decoration);
    }
    // Branches: 0 to 14 on a horizontal run, 15 to 24 on a vertical run.
    for (int i = 0; i < kBranchCount; ++i) {
        int x = 40 + (i % 9) * 84, y = 300 + (i / 9) * 100;
        if (i < 15) {
            for (int k = -2; k <= 2; ++k) tile(k == -2 ? "2" : k == 2 ? "6" : "26", (i + k + 4) % 4, x + 16 * k, y);
        } else {
            for (int k = -2; k <= 2; ++k) tile(k == -2 ? "4" : k == 2 ? "8" : "48", (i + k + 4) % 4, x, y + 16 * k);
        }
        if (const Picture* b = files.Get(BranchPath(set, i)))
            Blit(sheet, *b, 0, 0, 80, 80, x - 32, y - 32, 80, 80, keys.decoration);
    }
    // Platform pictures, first frame.
    const char* names[] = {"platforma", "pien", "kra", "bazalt"};
    for (int i = 0; i < 4; ++i) {
        if (const Picture* p = files.Get(PlatformPath(set, names[i])))
            Blit(sheet, *p, 0, 0, 64, 16, 40 + i * 90, 10, 64, 16, keys.platform);
    }
    return SavePng(sheet, outPng) ? 0 : 1;
}

int WriteMock(const std::string& gameDir, int set, const std::string& outPng, int camX, int camY) {
    Loader files(gameDir);
    const Keys keys = KeysOf(set);
    const int level = set;
    Picture screen(kW, kH, 0xFF00FF);
    if (const Picture* plan = files.Get(PlanPath(set))) Blit(screen, *plan, 0, 0, kW, kH, 0, 0, kW, kH, keys.plan);
    DrawLayer(screen, files, set, 2, 0.26f, camX, camY, keys.farLayer);
    DrawLayer(screen, files, set, 1, 0.75f, camX, camY, keys.nearLayer);

    Grid g;
    BuildGrid(g, camX / 16, camY / 16);
    const int x0 = camX / 16, y0 = camY / 16;

    // Artefacts.
    int c = 12, d = 4, step = 8;
    if (level == 2 || level == 3) c = 13, d = 2, step = 8;
    if (level == 4 || level == 5) c = 17, d = 2, step = 4;
    if (level == 6 || level == 7) c = 10, d = 2, step = 3;
    for (int x = x0; x <= (camX + kW) / 16 + 2; ++x) {
        for (int y = y0; y <= (camY + kH) / 16 + 5; ++y) {
            int n = CellHash(y, x) % c;
            if (!g.Solid(x, y) || (x + y) % step != 0 || CellHash(x, y) % d != 0 || g.Key(x, y) != "26") continue;
            const Picture* p = files.Get(ArtefactPath(set, n));
            if (p) Blit(screen, *p, 0, 0, 80, 80, 16 * (x - 2) - camX, 16 * (y - 5) - camY, 64, 80, keys.decoration);
        }
    }
    // A platform in the air.
    if (const Picture* p = files.Get(PlatformPath(set, set == 4 ? "kra" : set == 6 ? "bazalt" : "platforma"))) {
        Blit(screen, *p, 0, 0, 64, 16, 16 * (x0 + 24) - camX, 16 * (y0 + 14) - camY, 64, 16, keys.platform);
    }
    // Tiles.
    for (int x = x0; x <= (camX + kW) / 16; ++x) {
        for (int y = y0; y <= (camY + kH) / 16; ++y) {
            if (!g.Solid(x, y)) continue;
            std::string key = g.Key(x, y);
            if (key.empty()) key = "48";
            const Picture* p = files.Get(TilePath(set, key, Variant(x, y)));
            if (p) Blit(screen, *p, 0, 0, 16, 16, 16 * x - camX, 16 * y - camY, 16, 16, keys.tile);
        }
    }
    // A stand-in for the hero: a plain box 40 x 60 on the ground.
    for (int j = 0; j < 60; ++j) {
        for (int i = 0; i < 36; ++i)
            screen.At(120 + i, 31 * 16 - 60 + j) = (i < 2 || j < 2 || i > 33) ? 0x1C120B : 0xF59A26;
    }
    // Branches.
    const int s = (level == 2 || level == 3) ? 3 : 2;
    for (int x = x0; x <= (camX + kW) / 16 + 1; ++x) {
        for (int y = y0; y <= (camY + kH) / 16 + 1; ++y) {
            const std::string key = g.Key(x, y);
            int n = CellHash(x, y) % 25;
            if (level == 2 || level == 3) {
                if (key == "26" && n >= 15) n %= 15;
                if (key == "48" && n <= 14) n = n % 10 + 15;
            } else if (level == 4 || level == 5) {
                if (key == "26") n %= 8;
                if (key == "48") n = n % 8 + 8;
            }
            if (!g.Solid(x, y) || !(x % s == 0 || key == "48") || !(y % s == 0 || key == "26")) continue;
            const Picture* p = files.Get(BranchPath(set, n));
            if (p) Blit(screen, *p, 0, 0, 80, 80, 16 * (x - 2) - camX, 16 * (y - 2) - camY, 80, 80, keys.decoration);
        }
    }
    return SavePng(screen, outPng) ? 0 : 1;
}

}  // namespace scenery
