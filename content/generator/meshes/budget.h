#pragma once
// Scatter budgets: how many points the show's scatter makes from a mesh, by the show's own
// arithmetic (points per triangle, its random generator, the clip box, the load scale and
// the cache that applies the scale twice), and the grid each set must fill to 60-100 %.
#include <cstdint>
#include <string>
#include <vector>

#include "generator/meshes/mesh.h"

namespace kit {

struct ScatterSet {
    std::string name;        // what the scene calls it
    std::string file;        // relative to newresources/
    float loadScale = 1.0f;
    bool throughCache = false;  // the cache multiplies positions by the scale a second time
    float densityX = 1, densityY = 1;
    float pointsPerTriangle = -1.0f;  // > 0: fixed count per triangle
    int width = 0, height = 0;
    Vec3 boxMin, boxMax;
};

// Every scatter set of the show, walk frames included (56 of them).
const std::vector<ScatterSet>& scatterSets();
const ScatterSet* findSet(const std::string& file);

struct Prediction {
    uint64_t points = 0;   // points inside the clip box, before any wrap
    uint64_t grid = 0;     // texels
    double areaLoaded = 0;  // surface area after loading (whole mesh)
    double fill() const { return grid ? double(points) / double(grid) : 0.0; }
    bool withinBand() const { return fill() >= 0.6 && fill() <= 1.0; }
};

// `fileMesh` holds the positions as written to the ".objb".
Prediction predict(const Mesh& fileMesh, const ScatterSet& set);

// Scales the mesh about the origin so that its prediction lands near `target` of the grid
// (area-weighted sets only). Returns the scale applied.
float fitToSet(Mesh& fileMesh, const ScatterSet& set, double target = 0.8);

}  // namespace kit
