#pragma once
// The show's meshes as assets: each builds a kit mesh (the full or the small set), is fitted
// to its scatter budget when it has one, and is written as ".objb" under newresources/.
#include <functional>
#include <string>
#include <vector>

#include "generator/meshes/mesh.h"

namespace kit {

struct MeshAsset {
    std::string file;  // relative to newresources/, e.g. "walkers2/mesh.0001.objb"
    int version = 1;
    double cost = 0.5;  // rough seconds, full set
    std::function<Mesh(bool small)> build;
};

// Registers the mesh with the content catalogue as well.
void addMeshAsset(MeshAsset asset);
const std::vector<MeshAsset>& meshAssets();
const MeshAsset* findMeshAsset(const std::string& file);

// Builds the mesh and fits it to its scatter set, if it has one: what the file will hold.
Mesh buildFinal(const MeshAsset& asset, bool small);

}  // namespace kit
