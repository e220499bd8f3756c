#pragma once
// A regular grid of heights as a mesh (wound upward), with colours from a function.
#include <functional>

#include "generator/meshes/mesh.h"

namespace kit {

Part heightfield(const std::function<float(float x, float z)>& height, const std::function<Vec3(const Vec3& p)>& colour,
                 float x0, float z0, float x1, float z1, int nx, int nz);

}  // namespace kit
