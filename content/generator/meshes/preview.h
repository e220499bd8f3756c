#pragma once
// Shaded software renders of kit meshes, written as PNG, for looking at the content.
#include <string>
#include <vector>

#include "generator/meshes/mesh.h"

namespace kit {

struct View {
    float yaw = 0;    // radians about y; 0 looks at the front (from +z toward -z)
    float pitch = 0;  // radians; positive looks down from above
};

// Renders each mesh in its own tile, side by side, every view in its own row, on one
// orthographic scale (the largest mesh fills its tile). Returns false if writing fails.
bool renderPng(const std::string& path, const std::vector<const Mesh*>& meshes, const std::vector<View>& views,
               int tile = 360);

// Front, side and three-quarter view of one mesh.
bool previewMesh(const std::string& path, const Mesh& mesh, int tile = 360);

}  // namespace kit
