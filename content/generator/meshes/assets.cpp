#include "generator/meshes/assets.h"

#include <stdexcept>

#include "generator/catalogue.h"
#include "generator/meshes/budget.h"
#include "generator/meshes/objb_out.h"
#include "generator/meshes/preview.h"

namespace kit {

namespace {
std::vector<MeshAsset>& list() {
    static std::vector<MeshAsset> assets;
    return assets;
}

std::string previewName(const std::string& file) {
    std::string name = file;
    for (char& c : name)
        if (c == '/') c = '_';
    return name.substr(0, name.size() - 5) + ".png";  // drop ".objb"
}
}  // namespace

void addMeshAsset(MeshAsset asset) {
    list().push_back(asset);
    content::Asset a;
    a.path = "newresources/" + asset.file;
    a.version = asset.version;
    a.cost = asset.cost;
    const std::string file = asset.file;
    a.make = [file](const content::Context& ctx, const std::string& tmpPath) {
        const Mesh mesh = buildFinal(*findMeshAsset(file), ctx.small);
        writeMesh(tmpPath, mesh);
    };
    // One look per file; of the walk cycle only its first frame (--mesh-previews draws the strip).
    if (file.rfind("walkers2/", 0) == 0 && file != "walkers2/mesh.0001.objb") {
        content::addAsset(a);
        return;
    }
    a.preview = [file](const content::Context& ctx, const std::string& finalPath) {
        Mesh mesh;
        std::string error;
        if (!readMesh(finalPath, mesh, error)) throw std::runtime_error(error);
        previewMesh(ctx.previewDir + "/" + previewName(file), mesh);
    };
    content::addAsset(a);
}

const std::vector<MeshAsset>& meshAssets() { return list(); }

const MeshAsset* findMeshAsset(const std::string& file) {
    for (const MeshAsset& a : list())
        if (a.file == file) return &a;
    return nullptr;
}

Mesh buildFinal(const MeshAsset& asset, bool small) {
    Mesh mesh = asset.build(small);
    if (const ScatterSet* set = findSet(asset.file)) fitToSet(mesh, *set);
    if (mesh.parts.size() > 200) throw std::runtime_error(asset.file + ": more than 200 parts");
    return mesh;
}

}  // namespace kit
