// Parts not drawn yet.
#include "Generators.h"
#include "WorldArt.h"
namespace scenery {
bool WritePlatforms(const std::vector<World>&, Output&) { return true; }
int CheckScenery(const std::string&) { return 0; }
namespace {
class Blank : public WorldArt {
public:
    using WorldArt::WorldArt;
    void Plan(cairo_t* cr) const override { cairo_set_source_rgb(cr, 0.5, 0.5, 0.5); cairo_paint(cr); }
    void Far(cairo_t*) const override {}
    void Near(cairo_t*) const override {}
    void Fallback(cairo_t*) const override {}
    void Branch(cairo_t*, int) const override {}
    void Artefact(cairo_t*, int) const override {}
};
}
std::unique_ptr<WorldArt> MakeCaveArt(const World& w) { return std::make_unique<Blank>(w); }
std::unique_ptr<WorldArt> MakeIceArt(const World& w) { return std::make_unique<Blank>(w); }
std::unique_ptr<WorldArt> MakeVolcanoArt(const World& w) { return std::make_unique<Blank>(w); }
}
