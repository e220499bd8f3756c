#pragma once
// The content catalogue: every file the show reads, each made by one small function.
//
// An asset registers itself from its own source file:
//
//   // The Voronoi map: cell distances the particles drift along.
//   CONTENT_ASSETS(voronoi) {
//       addAsset({"newresources/voronoimap.bin", 1, 2.0, makeVoronoiMap});
//   }
//
// `make` writes the whole file to the temporary path it is given; the generator renames it
// into place afterwards, so an interrupted run never leaves a half-written file. A file is
// skipped when it exists and its stamp (the asset's version and the set, full or small)
// matches. Bump `version` whenever the asset's code changes what it writes.
#include <functional>
#include <string>
#include <vector>

namespace content {

struct Context {
    bool small = false;    // the quick, light set for tests
    std::string outRoot;   // the run tree: <outRoot>/newresources/..., <outRoot>/music/...
    std::string previewDir;  // where previews go (empty: no previews)
};

struct Asset {
    std::string path;   // relative to the run tree, e.g. "newresources/velocity.dat"
    int version = 1;    // bump when the output changes
    double cost = 1.0;  // rough seconds of work, so the slow ones start first
    std::function<void(const Context&, const std::string& tmpPath)> make;
    // Optional: renders a look at the finished file into ctx.previewDir.
    std::function<void(const Context&, const std::string& finalPath)> preview;
};

void addAsset(Asset asset);
const std::vector<Asset>& catalogue();

// An extra command-line command of the generator, e.g. "--budgets".
struct Command {
    std::string flag;
    std::string help;
    std::function<int(const Context&)> run;
};
void addCommand(Command command);
const std::vector<Command>& commands();

struct Registrar {
    explicit Registrar(void (*fn)()) { fn(); }
};

}  // namespace content

#define CONTENT_ASSETS(name)                                        \
    static void registerAssets_##name();                            \
    static ::content::Registrar registrar_##name(registerAssets_##name); \
    static void registerAssets_##name()
