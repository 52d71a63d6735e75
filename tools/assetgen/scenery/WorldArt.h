// The pictures of one world: static plan, background layers, branches and artefacts. Each world
// draws them in its own file; the writer cuts, keys and stores them.
#pragma once

#include <cairo.h>

#include <memory>

#include "Toolkit.h"
#include "World.h"

namespace scenery {

class WorldArt {
public:
    explicit WorldArt(const World& world) : w(world) {}
    virtual ~WorldArt() = default;

    // 800 x 600, fully opaque: the sky and the far horizon.
    virtual void Plan(cairo_t* cr) const = 0;
    // 1536 x 1024: mountains or cave walls; left transparent where the plan should show.
    virtual void Far(cairo_t* cr) const = 0;
    // 3584 x 1536, mostly transparent: trees, columns, spires between the far layer and the level.
    virtual void Near(cairo_t* cr) const = 0;
    // 512 x 512: a piece that can stand in for any missing one; mostly transparent.
    virtual void Fallback(cairo_t* cr) const = 0;
    // 80 x 80 around a solid cell that covers 32..48 on both axes. Pictures 0 to 14 also suit
    // horizontal runs and 15 to 24 vertical runs (caves); 0 to 7 and 8 to 15 likewise on ice.
    virtual void Branch(cairo_t* cr, int i) const = 0;
    // 64 x 80, standing on the ground line y = 80, centred on x = 32.
    virtual void Artefact(cairo_t* cr, int i) const = 0;

protected:
    // The ink of a named part: "<name>", "<name>.shade" and the world's outline.
    Ink InkOf(const std::string& name, double width = 1.6) const {
        return {w.C(name), w.C(name + ".shade"), w.C("outline"), width};
    }
    // The same ink washed toward a haze colour, for things further away.
    static Ink Hazy(Ink ink, const Colour& haze, double t) {
        ink.base = ink.base.Mix(haze, t);
        ink.shade = ink.shade.Mix(haze, t);
        ink.line = ink.line.Mix(haze, t * 0.8);
        return ink;
    }

    const World& w;
};

std::unique_ptr<WorldArt> MakeValleyArt(const World& w);
std::unique_ptr<WorldArt> MakeCaveArt(const World& w);
std::unique_ptr<WorldArt> MakeIceArt(const World& w);
std::unique_ptr<WorldArt> MakeVolcanoArt(const World& w);
std::unique_ptr<WorldArt> MakeWorldArt(const World& w);

}  // namespace scenery
