// Writing a world's static plan, background pieces, branches and artefacts. Each background
// layer is drawn whole and then cut into its 512 x 512 pieces, so the pieces join without seams.
#include <cstdio>

#include "Generators.h"
#include "Paths.h"
#include "WorldArt.h"

namespace scenery {

std::unique_ptr<WorldArt> MakeWorldArt(const World& w) {
    switch (w.set) {
        case 2:
            return MakeCaveArt(w);
        case 4:
            return MakeIceArt(w);
        case 6:
            return MakeVolcanoArt(w);
        default:
            return MakeValleyArt(w);
    }
}

namespace {

bool WriteLayer(const WorldArt& art, const World& w, GameFolder& out, int layer) {
    const int columns = layer == 1 ? kNearColumns : kFarColumns, rows = layer == 1 ? kNearRows : kFarRows;
    const uint32_t key = layer == 1 ? w.keys.nearLayer : w.keys.farLayer;
    Sketch sketch(columns * kPieceSize, rows * kPieceSize);
    if (layer == 1) {
        art.Near(sketch.Cr());
    } else {
        art.Far(sketch.Cr());
    }
    const Picture whole = sketch.Keyed(key);
    for (int a = 0; a < columns; ++a) {
        for (int b = 0; b < rows; ++b) {
            Picture piece = Crop(whole, a * kPieceSize, b * kPieceSize, kPieceSize, kPieceSize);
            if (!out.WritePng(PiecePath(w.set, layer, a, b), piece)) return false;
        }
    }
    return true;
}

}  // namespace

bool WriteBackdrops(const World& w, GameFolder& out) {
    auto art = MakeWorldArt(w);
    Picture plan = DrawOpaque(800, 600, [&](cairo_t* cr) { art->Plan(cr); });
    ClearKeyRange(plan, w.keys.plan);
    if (!out.WritePng(PlanPath(w.set), plan)) return false;
    if (!WriteLayer(*art, w, out, 2) || !WriteLayer(*art, w, out, 1)) return false;
    Sketch fallback(kPieceSize, kPieceSize);
    art->Fallback(fallback.Cr());
    return out.WritePng(PiecePath(w.set, 1, 4, 3), fallback.Keyed(w.keys.nearLayer));
}

bool WriteBranches(const World& w, GameFolder& out) {
    auto art = MakeWorldArt(w);
    for (int i = 0; i < kBranchCount; ++i) {
        Sketch s(kBranchSize, kBranchSize);
        art->Branch(s.Cr(), i);
        if (!out.WritePng(BranchPath(w.set, i), s.Keyed(w.keys.decoration))) return false;
    }
    return true;
}

bool WriteArtefacts(const World& w, GameFolder& out) {
    auto art = MakeWorldArt(w);
    for (int i = 0; i < ArtefactCount(w.set); ++i) {
        Sketch s(kArtefactWidth, kArtefactHeight);
        art->Artefact(s.Cr(), i);
        // Stored 80 wide: the game narrows the picture's 80 x 80 corner to 64 x 80.
        Picture stretched = StretchColumns(s.Keyed(w.keys.decoration), kArtefactFileWidth);
        if (!out.WritePng(ArtefactPath(w.set, i), stretched)) return false;
    }
    return true;
}

}  // namespace scenery
